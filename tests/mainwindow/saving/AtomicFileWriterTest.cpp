#include "AtomicFileWriter.h"

#include "SavingTestHelpers.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using savingtest::allEntries;
using savingtest::readAll;
using savingtest::writeFile;

namespace {

class AtomicFileWriterTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    std::function<QString(int)> numbered(const QString& base)
    {
        return [this, base](int attempt) {
            return attempt == 0 ? path(base + ".jpg")
                                : path(QStringLiteral("%1_%2.jpg").arg(base).arg(attempt + 1));
        };
    }
    QTemporaryDir m_dir;
};

TEST_F(AtomicFileWriterTest, TemporaryFileIsHiddenBesideTheTargetAndKeepsTheExtension)
{
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.open(m_dir.path(), "scan.jpg"));
    const QFileInfo info(writer.temporaryPath());
    EXPECT_EQ(info.absolutePath(), m_dir.path());
    EXPECT_TRUE(info.fileName().startsWith(".scan."));
    EXPECT_TRUE(info.fileName().endsWith(".jpg"));
    EXPECT_TRUE(info.fileName().startsWith(".scan.lumadoc-"));
    EXPECT_EQ(info.fileName().size(), QStringLiteral("scan.jpg").size() + 16);
}

TEST_F(AtomicFileWriterTest, NothingAppearsUnderTheFinalNameBeforePublishing)
{
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.open(m_dir.path(), "a.jpg"));
    writer.file().write("data");
    EXPECT_FALSE(QFile::exists(path("a.jpg")));
    EXPECT_EQ(writer.publishNoReplace(numbered("a"), 10), path("a.jpg"));
    EXPECT_EQ(readAll(path("a.jpg")), QByteArray("data"));
    EXPECT_EQ(allEntries(m_dir.path()), QStringList{"a.jpg"});
}

TEST_F(AtomicFileWriterTest, TakenNamesAreSkippedNeverReplaced)
{
    writeFile(path("a.jpg"), "first");
    writeFile(path("a_2.jpg"), "second");
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.open(m_dir.path(), "a.jpg"));
    writer.file().write("third");
    EXPECT_EQ(writer.publishNoReplace(numbered("a"), 10), path("a_3.jpg"));
    EXPECT_EQ(readAll(path("a.jpg")), QByteArray("first"));
    EXPECT_EQ(readAll(path("a_2.jpg")), QByteArray("second"));
    EXPECT_EQ(readAll(path("a_3.jpg")), QByteArray("third"));
}

TEST_F(AtomicFileWriterTest, GivesUpWhenEveryCandidateIsTakenAndCleansUp)
{
    writeFile(path("a.jpg"), "first");
    writeFile(path("a_2.jpg"), "second");
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.open(m_dir.path(), "a.jpg"));
        writer.file().write("third");
        EXPECT_TRUE(writer.publishNoReplace(numbered("a"), 2).isEmpty());
        EXPECT_FALSE(writer.errorString().isEmpty());
    }
    EXPECT_EQ(allEntries(m_dir.path()), (QStringList{"a.jpg", "a_2.jpg"}));
}

TEST_F(AtomicFileWriterTest, AbandonedWriterRemovesItsTemporaryFile)
{
    QString temporary;
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.open(m_dir.path(), "a.jpg"));
        writer.file().write("half");
        temporary = writer.temporaryPath();
        EXPECT_TRUE(QFile::exists(temporary));
    }
    EXPECT_FALSE(QFile::exists(temporary));
    EXPECT_TRUE(allEntries(m_dir.path()).isEmpty());
}

TEST_F(AtomicFileWriterTest, TruncateStartsAgainFromNothing)
{
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.open(m_dir.path(), "a.jpg"));
    writer.file().write("garbage garbage");
    ASSERT_TRUE(writer.truncate());
    writer.file().write("ok");
    EXPECT_EQ(writer.publishNoReplace(numbered("a"), 1), path("a.jpg"));
    EXPECT_EQ(readAll(path("a.jpg")), QByteArray("ok"));
}

TEST_F(AtomicFileWriterTest, PublishedFileHasTheUsualPermissions)
{
    const mode_t before = ::umask(022);
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.open(m_dir.path(), "a.jpg"));
    ::umask(before);
    const QString written = writer.publishNoReplace(numbered("a"), 1);
    struct stat st
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(written).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(AtomicFileWriterTest, OpenFailsWhereAFileStandsForTheFolder)
{
    writeFile(path("folder"), "x");
    AtomicFileWriter writer;
    EXPECT_FALSE(writer.open(path("folder"), "a.jpg"));
    EXPECT_FALSE(writer.errorString().isEmpty());
    EXPECT_EQ(readAll(path("folder")), QByteArray("x"));
}

} // namespace

TEST_F(AtomicFileWriterTest, LeftoversOfKilledSavesGoButTheUsersHiddenFilesStay)
{
    const struct {
        const char* name;
        bool old;
        bool removed;
    } files[] = {
        {".DOC_0007.lumadoc-Ab12Cd.jpg", true, true},    // a writer's, from a killed save
        {".lumadoc_write_probe_x9Y8z7", true, true},     // a save probe's
        {".DOC_0008.lumadoc-Zz99Qq.png", false, false},  // a save that may still be under way
        {".bashrc", true, false},
        {".notes.backup.jpg", true, false},               // dotted like a temporary, but not ours
        {".scan.Ab12Cd.jpg", true, false},
        {"DOC_0007.lumadoc-Ab12Cd.jpg", true, false},    // not hidden: a name the user gave
    };
    const QDateTime hourAgo = QDateTime::currentDateTime().addSecs(-3600);
    for (const auto& f : files) {
        writeFile(path(f.name), "x");
        if (f.old) {
            QFile file(path(f.name));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(hourAgo, QFileDevice::FileModificationTime));
        }
    }
    EXPECT_EQ(AtomicFileWriter::removeStaleTemporaries(m_dir.path()), 2);
    for (const auto& f : files)
        EXPECT_EQ(QFileInfo::exists(path(f.name)), !f.removed) << f.name;
}
