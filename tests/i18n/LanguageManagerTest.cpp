#include "LanguageManager.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPair>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

using testsupport::LogCapture;

const char* const kNames[] = {"Chinese (中文)", "English", "Japanese (日本語)", "Russian (Русский)",
                              "German (Deutsch)"};

QString translated(const char* source)
{
    return QCoreApplication::translate("LanguageManager", source);
}

QStringList displayNames()
{
    QStringList names;
    for (const LanguageManager::Language& language : LanguageManager::supportedLanguages())
        names << language.displayName;
    return names;
}

QStringList sourceNames()
{
    QStringList names;
    for (const char* name : kNames)
        names << QString::fromUtf8(name);
    return names;
}


struct CatalogueCase
{
    const char* code;
    QStringList names; // translations of kNames, in order
};

void PrintTo(const CatalogueCase& c, std::ostream* os)
{
    *os << c.code;
}

class CompiledCatalogue : public ::testing::TestWithParam<CatalogueCase>
{
};

TEST_P(CompiledCatalogue, LoadsFromResourcesAndTranslatesTheLanguageNames)
{
    const CatalogueCase& c = GetParam();
    LanguageManager manager;
    LogCapture log;
    manager.loadLanguage(c.code);

    EXPECT_EQ(manager.currentLanguage(), c.code);
    EXPECT_EQ(manager.catalogueFile(), QString(":/translations/lumadoc_%1.qm").arg(c.code));
    EXPECT_EQ(displayNames(), c.names);
    if (QString(c.code) == "en_US")
        EXPECT_TRUE(log.has(QtDebugMsg, "Switched to English language"))
            << log.all();
    else
        EXPECT_TRUE(log.has(QtDebugMsg, QString("Language loaded: %1").arg(c.code)))
            << log.all();

    // The catalogue itself: right language, and a real entry for every name, English included (an
    // English catalogue that lost its entries would look the same through translate()).
    QTranslator direct;
    ASSERT_TRUE(direct.load(QString(":/translations/lumadoc_%1.qm").arg(c.code)));
    EXPECT_EQ(direct.language(), c.code);
    for (int i = 0; i < c.names.size(); ++i)
        EXPECT_EQ(direct.translate("LanguageManager", kNames[i]), c.names[i]) << kNames[i];
}

INSTANTIATE_TEST_SUITE_P(
    AllFive, CompiledCatalogue,
    ::testing::Values(CatalogueCase{"zh_CN",
                                    {"中文", "英语 (English)", "日语 (日本語)", "俄语 (Русский)",
                                     "德语 (Deutsch)"}},
                      CatalogueCase{"en_US",
                                    {"Chinese (中文)", "English", "Japanese (日本語)", "Russian (Русский)",
                                     "German (Deutsch)"}},
                      CatalogueCase{"ja_JP",
                                    {"中国語 (中文)", "英語 (English)", "日本語", "ロシア語 (Русский)",
                                     "ドイツ語 (Deutsch)"}},
                      CatalogueCase{"ru_RU",
                                    {"Китайский (中文)", "Английский (English)", "Японский (日本語)",
                                     "Русский", "Немецкий (Deutsch)"}},
                      CatalogueCase{"de_DE",
                                    {"Chinesisch (中文)", "Englisch (English)", "Japanisch (日本語)",
                                     "Russisch (Русский)", "Deutsch"}}),
    [](const ::testing::TestParamInfo<CatalogueCase>& info) { return std::string(info.param.code); });

TEST(LanguageManager, DestroyedManagerTakesItsCatalogueWithIt)
{
    {
        LanguageManager manager;
        manager.loadLanguage("de_DE");
        ASSERT_EQ(translated("Japanese (日本語)"), "Japanisch (日本語)");
    }
    EXPECT_EQ(translated("Japanese (日本語)"), "Japanese (日本語)");
}

TEST(LanguageManager, UnknownCodeLeavesNoCatalogueAndFallsBackToEnglish)
{
    LanguageManager manager;
    manager.loadLanguage("ja_JP");
    ASSERT_EQ(translated("German (Deutsch)"), "ドイツ語 (Deutsch)");

    QSignalSpy changed(&manager, &LanguageManager::languageChanged);
    LogCapture log;
        manager.loadLanguage("xx_XX");

    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(manager.currentLanguage(), "en_US");
    EXPECT_TRUE(manager.catalogueFile().isEmpty());
    EXPECT_EQ(displayNames(), sourceNames());
    EXPECT_TRUE(log.has(QtWarningMsg, "Failed to load language file for: xx_XX"))
        << log.all();
}

TEST(LanguageManager, CodeWithAPathInItIsNotLookedUp)
{
    // Read from an editable settings file; it must not steer the lookup to another catalogue.
    LanguageManager manager;
    manager.loadLanguage("de_DE/../lumadoc_ja_JP");
    EXPECT_EQ(manager.currentLanguage(), "en_US");
    EXPECT_TRUE(manager.catalogueFile().isEmpty());
    EXPECT_EQ(displayNames(), sourceNames());
}

TEST(LanguageManager, LanguageChangedIsEmittedForEveryCall)
{
    LanguageManager manager;
    QSignalSpy changed(&manager, &LanguageManager::languageChanged);
    const QStringList calls = {"zh_CN", "en_US", "en_US", "nope", "ja_JP", "ja_JP", "de_DE", ""};
    for (const QString& code : calls)
        manager.loadLanguage(code);
    EXPECT_EQ(changed.count(), calls.size());
}

TEST(LanguageManager, InstanceIsOneManagerThatStartsInChinese)
{
    LanguageManager* first = LanguageManager::instance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LanguageManager::instance(), first);
    EXPECT_EQ(first->currentLanguage(), "zh_CN");
    EXPECT_EQ(translated("German (Deutsch)"), "德语 (Deutsch)");
    // Leave no catalogue behind for the tests that follow.
    first->loadLanguage("none");
    EXPECT_EQ(translated("German (Deutsch)"), "German (Deutsch)");
}

// ---- Override beside the executable ------------------------------------------------------------------

// Compiles a small catalogue into "<application dir>/translations/lumadoc_<code>.qm" and removes
// what it made when done.
class OverrideCatalogue
{
public:
    using Messages = QList<QPair<QString, QString>>; // source, translation

    OverrideCatalogue(const QString& code, const Messages& messages)
    {
        m_folder = QCoreApplication::applicationDirPath() + "/translations";
        m_createdFolder = !QFileInfo::exists(m_folder);
        QDir().mkpath(m_folder);
        m_qm = m_folder + QString("/lumadoc_%1.qm").arg(code);
        if (QFileInfo::exists(m_qm)) {
            m_qm.clear(); // someone else's file; not ours to replace or remove
            return;
        }
        QTemporaryDir work;
        const QString ts = work.filePath("override.ts");
        QFile f(ts);
        if (!f.open(QIODevice::WriteOnly))
            return;
        QString xml =
            QString("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                    "<TS version=\"2.1\" language=\"%1\">\n<context>\n    <name>LanguageManager</name>\n")
                .arg(code);
        for (const auto& message : messages)
            xml +=
                QString("    <message>\n        <source>%1</source>\n        <translation>%2</translation>\n"
                        "    </message>\n")
                    .arg(message.first.toHtmlEscaped(), message.second.toHtmlEscaped());
        xml += "</context>\n</TS>\n";
        f.write(xml.toUtf8());
        f.close();
        QProcess lrelease;
        lrelease.start(LUMADOC_LRELEASE, {"-silent", ts, "-qm", m_qm});
        m_built = lrelease.waitForFinished(60000) && lrelease.exitCode() == 0 && QFileInfo::exists(m_qm);
    }
    ~OverrideCatalogue()
    {
        if (!m_qm.isEmpty())
            QFile::remove(m_qm);
        if (m_createdFolder)
            QDir().rmdir(m_folder);
    }
    bool built() const { return m_built; }
    QString path() const { return m_qm; }

private:
    QString m_folder;
    QString m_qm;
    bool m_createdFolder = false;
    bool m_built = false;
};

TEST(LanguageManagerOverride, CatalogueBesideTheExecutableWinsOverTheCompiledOne)
{
    OverrideCatalogue override_("ja_JP", {{"Japanese (日本語)", "日本語（差し替え）"}});
    ASSERT_TRUE(override_.built());

    LanguageManager manager;
    manager.loadLanguage("ja_JP");
    EXPECT_EQ(manager.currentLanguage(), "ja_JP");
    EXPECT_EQ(manager.catalogueFile(), override_.path());
    EXPECT_EQ(translated("Japanese (日本語)"), "日本語（差し替え）");
    // Only the override answers: what it lacks is not filled in from the compiled-in catalogue.
    EXPECT_EQ(translated("German (Deutsch)"), "German (Deutsch)");
}

TEST(LanguageManagerOverride, EnglishIsAlwaysTheCompiledCatalogue)
{
    OverrideCatalogue override_("en_US", {{"English", "Overridden English"}});
    ASSERT_TRUE(override_.built());

    LanguageManager manager;
    manager.loadLanguage("en_US");
    EXPECT_EQ(manager.catalogueFile(), ":/translations/lumadoc_en_US.qm");
    EXPECT_EQ(translated("English"), "English");
}

TEST(LanguageManagerOverride, SwitchingFromJapaneseToEnglishLeavesNoJapanese)
{
    // A text the English catalogue does not have: the English one cannot hide a Japanese catalogue that
    // stayed installed underneath it.
    OverrideCatalogue override_(
        "ja_JP", {{"Russian (Русский)", "ロシア語 (Русский)"}, {"Only in Japanese", "日本語だけ"}});
    ASSERT_TRUE(override_.built());
    LanguageManager manager;
    manager.loadLanguage("ja_JP");
    ASSERT_EQ(translated("Only in Japanese"), "日本語だけ");
    ASSERT_EQ(translated("Russian (Русский)"), "ロシア語 (Русский)");

    manager.loadLanguage("en_US");
    EXPECT_EQ(manager.currentLanguage(), "en_US");
    EXPECT_EQ(manager.catalogueFile(), ":/translations/lumadoc_en_US.qm");
    EXPECT_EQ(translated("Only in Japanese"), "Only in Japanese");
    EXPECT_EQ(displayNames(), sourceNames());

    // And out of English again: the English catalogue does not linger either.
    manager.loadLanguage("xx_XX");
    EXPECT_TRUE(manager.catalogueFile().isEmpty());
    EXPECT_EQ(translated("Only in Japanese"), "Only in Japanese");
}

} // namespace
