// The gallery export as the user drives it: the names offered, the pages in gallery order, a capture
// removed while the export runs, and deleting the sources afterwards by what was really exported.
#include "ExportSession.h"
#include "GalleryModel.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>

namespace {

QImage page(int shade)
{
    QImage image(640, 480, QImage::Format_RGB888);
    image.fill(QColor(shade, shade, shade));
    return image;
}

// What poppler reads in the file: the page count, -1 when it is no PDF.
int pdfPageCount(const QString& path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(10000) || info.exitCode() != 0)
        return -1;
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info.readAll()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

TEST(ExportSession, NamesOfferedAndTaken)
{
    const QDateTime now(QDate(2026, 12, 7), QTime(9, 5, 3));
    ExportSession::Naming naming;
    naming.filePrefix = "DOC";
    naming.fileNumber = 42;
    const struct {
        int method;
        const char* expected;
    } offered[] = {{0, "IMG_20261207_090503"}, {1, "DOC_0042"}, {2, "IMG_20261207_090503"}, {3, "DOC_0042"}};
    for (const auto& c : offered) {
        naming.namingMethod = c.method;
        EXPECT_EQ(ExportSession::proposedBaseName(naming, now), QString(c.expected)) << c.method;
    }
    const struct {
        const char* typed;
        ExportKind kind;
        const char* name;
    } taken[] = {{"  ", ExportKind::Pdf, "20261207.pdf"},
                 {"report.PDF", ExportKind::Pdf, "report.PDF"},
                 {" scan ", ExportKind::Ofd, "scan.ofd"},
                 {"scan.pdf", ExportKind::Ofd, "scan.pdf.ofd"}};
    for (const auto& c : taken)
        EXPECT_EQ(ExportSession::finalFileName(c.typed, c.kind, now.date()), QString(c.name)) << c.typed;
}

TEST(ExportSession, ExportsTheSelectionAndDeletesOnlyWhatItExported)
{
    testsupport::TempAppDir dir;
    dir.applyToCurrentProcess();
    const QString captures = dir.filePath("captures");
    QDir().mkpath(captures);
    GalleryModel gallery;
    gallery.setAutoSave(true);  // older captures with files give up their pixels
    QStringList files;
    for (int i = 0; i < 3; ++i) {
        files << captures + QString("/DOC_000%1.png").arg(i + 1);
        ASSERT_TRUE(page(40 * (i + 1)).save(files.last()));
        gallery.add(page(40 * (i + 1)), files.last());
    }
    gallery.addUnsaved(page(200), "DOC_0004.png");  // no file: goes as pixels
    gallery.selectAll();
    const quint64 removedMidway = gallery.idAt(1);
    ASSERT_FALSE(gallery.isResident(0));
    QFile::remove(files[0]);  // gone behind the program's back: only its thumbnail is left
    QString standInNote;

    const QString outFolder = dir.filePath("out");
    QStringList dialogs;
    ExportSession::Environment env;
    env.openStore = [&dir](ExportKind) { return std::make_unique<QSettings>(dir.filePath("export.ini"), QSettings::IniFormat); };
    env.message = [&dialogs](int, const QString& title, const QString& text) { dialogs << title + ": " + text; };
    env.execDialog = [&](QDialog& dialog) {
        dialogs << dialog.objectName();
        if (dialog.objectName() == "exportDialog") {
            dialog.findChild<QLineEdit*>("exportFolderEdit")->setText(outFolder);
            dialog.findChild<QLineEdit*>("exportFileNameEdit")->setText("bundle");
            // The user deletes a capture while the pages are being written.
            QMetaObject::invokeMethod(&gallery, [&] { gallery.remove(gallery.indexOfId(removedMidway)); },
                                      Qt::QueuedConnection);
            return int(QDialog::Accepted);
        }
        if (auto* note = dialog.findChild<QLabel*>("standInPagesLabel"))
            standInNote = note->text();
        dialog.findChild<QCheckBox*>("deleteSourcesCheckBox")->setChecked(true);
        return int(QDialog::Accepted);
    };
    ExportSession session(&gallery, env, nullptr);
    QSignalSpy running(&session, &ExportSession::runningChanged);
    QSignalSpy finished(&session, &ExportSession::exportFinished);
    QDir().mkpath(outFolder);
    session.exportSelection(ExportKind::Pdf, {0, QString(), 1, captures});
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_TRUE(finished[0][0].toBool()) << dialogs.join(" | ").toStdString();
    EXPECT_EQ(dialogs, QStringList({"exportDialog", "exportDoneDialog"}));
    EXPECT_EQ(pdfPageCount(outFolder + "/bundle.pdf"), 4);
    EXPECT_TRUE(standInNote.startsWith("Page(s) 1 came from the small preview picture")) << standInNote.toStdString();
    ASSERT_EQ(running.count(), 2);

    // The sources are gone, the capture removed meanwhile was not touched again: its file stays.
    EXPECT_EQ(gallery.count(), 0);
    EXPECT_TRUE(QFile::exists(files[1]));
    EXPECT_FALSE(QFile::exists(files[2]));
    EXPECT_EQ(QSettings(dir.filePath("export.ini"), QSettings::IniFormat).value("pdfSavePath").toString(), outFolder);
}

// "Searchable (OCR)" reads every page on the export's thread and lays its words into the document;
// without it nothing is read. A cancel stops the export after the page in hand: no file, no later
// page read, and the user is told it was cancelled rather than that it failed.
TEST(ExportSession, SearchableChoiceReadsEachPageOnTheExportThread)
{
    const struct
    {
        bool searchable;
        bool cancelOnFirstPage;
        int pagesRead;
        bool ok;
        const char* text; // pdftotext of the document
    } cases[] = {
        {false, false, 0, true, ""},
        {true, false, 3, true, "Word1 Word2 Word3"},
        {true, true, 1, false, nullptr},
    };
    for (const auto& c : cases) {
        testsupport::TempAppDir dir;
        GalleryModel gallery;
        for (int i = 0; i < 3; ++i)
            gallery.addUnsaved(page(200), QString("DOC_%1.png").arg(i));
        gallery.selectAll();
        const QString outFolder = dir.filePath("out");
        QDir().mkpath(outFolder);
        ExportSession* sessionPtr = nullptr;
        std::atomic<int> reads{0};
        std::atomic<bool> onMainThread{false};
        QStringList messages;
        ExportSession::Environment env;
        env.openStore = [&dir](ExportKind) { return std::make_unique<QSettings>(dir.filePath("e.ini"), QSettings::IniFormat); };
        env.message = [&messages](int, const QString& title, const QString&) { messages << title; };
        env.execDialog = [&](QDialog& dialog) {
            if (dialog.objectName() == "exportDialog") {
                dialog.findChild<QLineEdit*>("exportFolderEdit")->setText(outFolder);
                dialog.findChild<QLineEdit*>("exportFileNameEdit")->setText("doc");
                dialog.findChild<QCheckBox*>("exportSearchableCheckBox")->setChecked(c.searchable);
            }
            return int(QDialog::Accepted);
        };
        env.readPageText = [&](const QImage& image) {
            onMainThread = onMainThread || QThread::currentThread() == qApp->thread();
            const int n = ++reads;
            if (c.cancelOnFirstPage)
                QMetaObject::invokeMethod(sessionPtr, [&] { sessionPtr->cancel(); }, Qt::BlockingQueuedConnection);
            return QList<TextBox>{{20, 20, image.width() - 20, 80, QString("Word%1").arg(n)}};
        };
        ExportSession session(&gallery, env, nullptr);
        sessionPtr = &session;
        QSignalSpy finished(&session, &ExportSession::exportFinished);
        QSignalSpy status(&session, &ExportSession::statusMessage);
        session.exportSelection(ExportKind::Pdf, {0, QString(), 1, outFolder});
        ASSERT_TRUE(finished.wait(30000));
        EXPECT_EQ(finished[0][0].toBool(), c.ok);
        EXPECT_EQ(reads.load(), c.pagesRead);
        EXPECT_FALSE(onMainThread.load());
        const QString pdf = outFolder + "/doc.pdf";
        if (!c.text) {
            EXPECT_FALSE(QFile::exists(pdf));
            EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
            EXPECT_EQ(status.last().at(0).toString(), "PDF export cancelled");
            continue;
        }
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        ASSERT_TRUE(text.waitForFinished(30000));
        EXPECT_EQ(QString::fromUtf8(text.readAllStandardOutput()).simplified(), QString(c.text));
        EXPECT_EQ(pdfPageCount(pdf), 3);
    }
}
