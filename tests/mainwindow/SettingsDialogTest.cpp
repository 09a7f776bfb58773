#include "SettingsDialog.h"
#include "LanguageManager.h"
#include "MainSettings.h"

#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

#include <climits>

namespace {

struct PrompterCall
{
    QWidget* parent;
    QString title;
    QString start;
};

class SettingsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_dir.applyToCurrentProcess();
        // No catalogue at all: the dialog shows its English source texts whatever the catalogues hold.
        m_previousLanguage = LanguageManager::instance()->currentLanguage();
        LanguageManager::instance()->loadLanguage(QStringLiteral("source_texts_only"));
    }
    void TearDown() override { LanguageManager::instance()->loadLanguage(m_previousLanguage); }

    template <typename T = QWidget> static T* child(const SettingsDialog& dialog, const char* name)
    {
        T* widget = dialog.findChild<T*>(QLatin1String(name));
        if (!widget)
            ADD_FAILURE() << "no widget " << name;
        return widget;
    }
    static bool rowVisible(const SettingsDialog& dialog, const char* rowName)
    {
        QWidget* row = child(dialog, rowName);
        return row && row->isVisibleTo(&dialog);
    }
    // A dialog whose directory chooser records its calls and answers `answer`.
    SettingsDialog* dialogWithPrompter()
    {
        m_dialog =
            std::make_unique<SettingsDialog>(nullptr, [this](QWidget* p, const QString& t, const QString& s) {
                m_calls.push_back({p, t, s});
                return m_answer;
            });
        return m_dialog.get();
    }

    testsupport::TempAppDir m_dir;
    QString m_previousLanguage;
    std::unique_ptr<SettingsDialog> m_dialog;
    std::vector<PrompterCall> m_calls;
    QString m_answer;
};

TEST_F(SettingsDialogTest, StartsWithTheFirstStartValuesAndTheNumberRowsHidden)
{
    SettingsDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Save Settings");
    EXPECT_GE(dialog.minimumWidth(), 500);
    EXPECT_TRUE(dialog.autoSave());
    EXPECT_EQ(dialog.saveFormat(), static_cast<int>(SaveFormat::Jpeg));
    EXPECT_EQ(dialog.savePath(), m_dir.home() + "/Pictures/Lumadoc");
    EXPECT_EQ(dialog.namingMethod(), static_cast<int>(NamingMethod::DateTime));
    EXPECT_EQ(dialog.filePrefix(), "IMG");
    EXPECT_EQ(dialog.startNumber(), 1);
    EXPECT_EQ(dialog.scannerGunDelay(), 1000);
    EXPECT_FALSE(rowVisible(dialog, "prefixRow"));
    EXPECT_FALSE(rowVisible(dialog, "startNumberRow"));
    EXPECT_FALSE(rowVisible(dialog, "captureDelayRow"));
    EXPECT_TRUE(rowVisible(dialog, "formatRow"));
}

TEST_F(SettingsDialogTest, ComboEntriesCarryTheStoredValueAsData)
{
    const struct
    {
        const char* combo;
        QStringList texts; // entry i carries the value i
    } cases[] = {
        {"formatComboBox", {"JPG", "PNG", "BMP", "TIF", "PDF (single page)", "OFD"}},
        {"namingComboBox", {"Date/Time", "Prefix + Number", "Barcode Recognition", "Scanner Gun Mode"}},
        {"ocrOutputComboBox", {"TXT", "Word", "Double-layer PDF"}}};
    SettingsDialog dialog;
    for (const auto& c : cases) {
        const QComboBox* combo = child<QComboBox>(dialog, c.combo);
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(combo->count(), c.texts.size()) << c.combo;
        for (int i = 0; i < combo->count(); ++i) {
            EXPECT_EQ(combo->itemText(i), c.texts[i]);
            EXPECT_EQ(combo->itemData(i).toInt(), i) << c.texts[i].toStdString();
        }
    }
    for (int format = 0; format < MainSettings::kSaveFormatCount; ++format) {
        dialog.setSaveFormat(format);
        EXPECT_EQ(dialog.saveFormat(), format);
    }
    for (int type = 0; type < MainSettings::kOcrOutputTypeCount; ++type) {
        dialog.setOcrOutputType(type);
        EXPECT_EQ(dialog.ocrOutputType(), type);
    }
    // A value no entry carries selects the first entry rather than leaving nothing selected.
    dialog.setSaveFormat(42);
    EXPECT_EQ(dialog.saveFormat(), 0);
}

TEST_F(SettingsDialogTest, EachNamingMethodShowsOnlyTheRowsItUses)
{
    const struct
    {
        int method;
        bool prefixRows; // "File prefix:" and "Start number:"
        bool delayRow;   // "Capture delay (ms):"
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, false}, {3, false, true}};
    SettingsDialog dialog;
    QComboBox* combo = child<QComboBox>(dialog, "namingComboBox");
    ASSERT_NE(combo, nullptr);
    for (const auto& c : cases) {
        for (bool byUser : {false, true}) {
            // Start from another method so that every row has to change.
            dialog.setNamingMethod(c.method == 1 ? 3 : 1);
            if (byUser)
                combo->setCurrentIndex(combo->findData(c.method));
            else
                dialog.setNamingMethod(c.method);
            EXPECT_EQ(dialog.namingMethod(), c.method);
            EXPECT_EQ(dialog.scannerGunEnabled(), c.method == 3);
            EXPECT_EQ(rowVisible(dialog, "prefixRow"), c.prefixRows) << c.method << " by user " << byUser;
            EXPECT_EQ(rowVisible(dialog, "startNumberRow"), c.prefixRows)
                << c.method << " by user " << byUser;
            EXPECT_EQ(rowVisible(dialog, "captureDelayRow"), c.delayRow) << c.method << " by user " << byUser;
        }
    }
}

TEST_F(SettingsDialogTest, SettingTheMethodIsQuietAndLogged)
{
    SettingsDialog dialog;
    QSignalSpy changed(child<QComboBox>(dialog, "namingComboBox"),
                       QOverload<int>::of(&QComboBox::currentIndexChanged));
    static QStringList log;
    log.clear();
    const QtMessageHandler before =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) { log << m; });
    dialog.setNamingMethod(3);
    qInstallMessageHandler(before);

    EXPECT_EQ(changed.count(), 0) << "filling the dialog is not a user choice";
    EXPECT_TRUE(log.contains("SettingsDialog::setNamingMethod m_savedNamingMethod = 0 method = 3 "
                             "targetIndex = 3 showScannerGun = true"))
        << log.join('|').toStdString();
}

TEST_F(SettingsDialogTest, ScannerGunFlagSelectsOrLeavesTheScannerGunMethod)
{
    SettingsDialog dialog;
    dialog.setNamingMethod(1);
    dialog.setScannerGunEnabled(true);
    EXPECT_EQ(dialog.namingMethod(), 3);
    EXPECT_TRUE(rowVisible(dialog, "captureDelayRow"));
    dialog.setScannerGunEnabled(false);
    EXPECT_EQ(dialog.namingMethod(), 0);
    EXPECT_FALSE(rowVisible(dialog, "captureDelayRow"));
    // Turning the flag off leaves a method that is not the scanner gun alone.
    dialog.setNamingMethod(2);
    dialog.setScannerGunEnabled(false);
    EXPECT_EQ(dialog.namingMethod(), 2);
}

TEST_F(SettingsDialogTest, NumbersStayInTheirRangesAndTheStartNumberHoldsAnyCounter)
{
    SettingsDialog dialog;
    // The counter keeps counting past 9999; accepting the dialog must hand it back unchanged.
    for (int number : {9999, 123456, INT_MAX}) {
        dialog.setStartNumber(number);
        EXPECT_EQ(dialog.startNumber(), number);
    }
    dialog.setStartNumber(0);
    EXPECT_EQ(dialog.startNumber(), 1);

    dialog.setScannerGunDelay(20);
    EXPECT_EQ(dialog.scannerGunDelay(), 100);
    dialog.setScannerGunDelay(60000);
    EXPECT_EQ(dialog.scannerGunDelay(), 5000);
    dialog.setScannerGunDelay(1500);
    child<QSpinBox>(dialog, "captureDelaySpinBox")->stepUp();
    EXPECT_EQ(dialog.scannerGunDelay(), 1600);
}

TEST_F(SettingsDialogTest, PrefixAndPathNeverLeadCapturesAstray)
{
    SettingsDialog dialog;
    dialog.setFilePrefix("../../outside/IMG");
    EXPECT_EQ(dialog.filePrefix(), "outsideIMG");
    // Typed characters that cannot be in a file name are refused at the keyboard.
    QLineEdit* edit = child<QLineEdit>(dialog, "prefixLineEdit");
    edit->clear();
    QTest::keyClicks(edit, "a/b:c");
    EXPECT_EQ(dialog.filePrefix(), "abc");
    EXPECT_EQ(edit->text(), "abc");
    // A blank path would put captures wherever the working directory happens to be.
    dialog.setSavePath("   ");
    EXPECT_EQ(dialog.savePath(), MainSettings::defaultSavePath());
}

TEST_F(SettingsDialogTest, BrowseAsksThePrompterFromTheCurrentPath)
{
    SettingsDialog& dialog = *dialogWithPrompter();
    dialog.setSavePath("/home/user/Pictures/Lumadoc");
    m_answer = "/media/usb/scans";
    child<QPushButton>(dialog, "browseButton")->click();
    ASSERT_EQ(m_calls.size(), 1u);
    EXPECT_EQ(m_calls[0].parent, &dialog);
    EXPECT_EQ(m_calls[0].title, "Select Save Directory");
    EXPECT_EQ(m_calls[0].start, "/home/user/Pictures/Lumadoc");
    EXPECT_EQ(dialog.savePath(), "/media/usb/scans");

    // Cancelling the chooser keeps the path the user had.
    m_answer.clear();
    child<QPushButton>(dialog, "browseButton")->click();
    ASSERT_EQ(m_calls.size(), 2u);
    EXPECT_EQ(m_calls[1].start, "/media/usb/scans");
    EXPECT_EQ(dialog.savePath(), "/media/usb/scans");
}

TEST_F(SettingsDialogTest, VoiceTrainingOkAndCancelButtons)
{
    SettingsDialog dialog;
    QSignalSpy train(&dialog, &SettingsDialog::voiceTrainRequested);
    child<QPushButton>(dialog, "voiceTrainButton")->click();
    EXPECT_EQ(train.count(), 1);
    child<QPushButton>(dialog, "okButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    child<QPushButton>(dialog, "cancelButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// A catalogue for the context "SettingsDialog" that wraps each of the dialog's English source texts in
// guillemets, built with the project's lrelease. A text that is not exactly one of these stays unwrapped.
bool buildMarkedCatalogue(const QTemporaryDir& work, const QString& qm)
{
    const char* const sources[] = {"Save Settings",
                                   "Auto save captured images",
                                   "Save format:",
                                   "Save path:",
                                   "Browse",
                                   "Naming method:",
                                   "Capture delay (ms):",
                                   "File prefix:",
                                   "Start number:",
                                   "Voice Training...",
                                   "OCR output type:",
                                   "Auto straighten after capture",
                                   "OK",
                                   "Cancel",
                                   "JPG",
                                   "PNG",
                                   "BMP",
                                   "TIF",
                                   "PDF (single page)",
                                   "OFD",
                                   "Date/Time",
                                   "Prefix + Number",
                                   "Barcode Recognition",
                                   "Scanner Gun Mode",
                                   "TXT",
                                   "Word",
                                   "Double-layer PDF",
                                   "Select Save Directory",
                                   "Shared database",
                                   "Host:",
                                   "Port:",
                                   "Database:",
                                   "User:",
                                   "TLS mode:",
                                   "Counter name:",
                                   "This computer's name: %1",
                                   "Leave the host empty to keep records on this computer only. The password is "
                                   "read from ~/.pgpass. Takes effect when ticket mode is next opened.",
                                   "No TLS (disable)",
                                   "TLS when the server insists (allow)",
                                   "TLS when the server offers it (prefer)",
                                   "TLS always (require)",
                                   "TLS with a checked certificate (verify-ca)",
                                   "TLS with a checked certificate and host name (verify-full)"};
    QString xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" "
                  "language=\"de_DE\">\n<context><name>SettingsDialog</name>\n";
    for (const char* source : sources)
        xml += QString("<message><source>%1</source><translation>«%1»</translation></message>\n")
                   .arg(QString(source).toHtmlEscaped());
    xml += "</context>\n</TS>\n";
    QFile ts(work.filePath("marked.ts"));
    if (!ts.open(QIODevice::WriteOnly) || ts.write(xml.toUtf8()) < 0)
        return false;
    ts.close();
    QProcess lrelease;
    lrelease.start(LUMADOC_LRELEASE, {"-silent", ts.fileName(), "-qm", qm});
    return lrelease.waitForFinished(60000) && lrelease.exitCode() == 0 && QFileInfo::exists(qm);
}

// Every text the dialog shows: title, labels, buttons, check boxes and combo-box entries.
QStringList shownTexts(const SettingsDialog& dialog)
{
    QStringList texts{dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QComboBox* combo : dialog.findChildren<QComboBox*>())
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    return texts;
}

TEST_F(SettingsDialogTest, LanguageSwitchRetranslatesEveryTextAndKeepsEveryChoice)
{
    QTemporaryDir work;
    const QString qm = work.filePath("marked.qm");
    ASSERT_TRUE(buildMarkedCatalogue(work, qm));

    SettingsDialog& dialog = *dialogWithPrompter();
    dialog.setSaveFormat(3);
    dialog.setNamingMethod(1);
    dialog.setOcrOutputType(2);
    QSignalSpy namingChanged(child<QComboBox>(dialog, "namingComboBox"),
                             QOverload<int>::of(&QComboBox::currentIndexChanged));

    QTranslator translator;
    ASSERT_TRUE(translator.load(qm));
    ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
    emit LanguageManager::instance()->languageChanged(); // what every switch of language announces

    const QStringList texts = shownTexts(dialog);
    EXPECT_EQ(texts.size(), 21 + 19) << "title, 14 labels, 6 buttons and check boxes, 19 entries";
    for (const QString& text : texts)
        EXPECT_TRUE(text.startsWith("«") && text.endsWith("»")) << "not retranslated: " << text.toStdString();
    EXPECT_EQ(dialog.saveFormat(), 3);
    EXPECT_EQ(dialog.namingMethod(), 1);
    EXPECT_EQ(dialog.ocrOutputType(), 2);
    EXPECT_EQ(child<QComboBox>(dialog, "formatComboBox")->currentText(), "«TIF»");
    EXPECT_TRUE(rowVisible(dialog, "prefixRow"));
    EXPECT_EQ(namingChanged.count(), 0) << "refilling is not a change of method";
    child<QPushButton>(dialog, "browseButton")->click();
    ASSERT_EQ(m_calls.size(), 1u);
    EXPECT_EQ(m_calls[0].title, "«Select Save Directory»");

    // And back: without the catalogue the source texts return.
    QCoreApplication::removeTranslator(&translator);
    emit LanguageManager::instance()->languageChanged();
    EXPECT_EQ(dialog.windowTitle(), "Save Settings");
    EXPECT_EQ(child<QComboBox>(dialog, "formatComboBox")->currentText(), "TIF");
}

} // namespace
