// The main window frame driven as a user would: its controls, keys, status bar, settings that survive
// a restart, language switching and the About box.

#include "WindowTestEnvironment.h"
#include "LanguageManager.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "VideoWidget.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        windowtest::startInEnglish(m_dir);
    }

    void TearDown() override { LanguageManager::instance()->loadLanguage("en_US"); }

    MainWindowEnvironment environment()
    {
        MainWindowEnvironment env = windowtest::privateEnvironment(m_dir);
        env.openUrl = [this](const QUrl& url) {
            m_openedUrls << url;
            return true;
        };
        env.execDialog = [this](QDialog& dialog) {
            m_dialogs << dialog.objectName();
            return m_dialogAnswer ? m_dialogAnswer(dialog) : int(QDialog::Rejected);
        };
        return env;
    }

    static QString statusText(MainWindow& w) { return w.findChild<QLabel*>("statusLabel")->text(); }
    static QString zoomText(MainWindow& w) { return w.findChild<QLabel*>("zoomLabel")->text(); }

    testsupport::TempAppDir m_dir;
    QList<QUrl> m_openedUrls;
    QStringList m_dialogs;
    std::function<int(QDialog&)> m_dialogAnswer;
};

} // namespace

TEST_F(MainWindowTest, FrameHasEveryNamedPartWithIcons)
{
    MainWindow w(environment());
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    for (const char* name : {"customTitleBar", "titleLogoWidget", "titleLogo", "titleText", "titleBarSettings",
                             "titleBarWindowSwitch", "titleBarMenu", "titleBarMinimize", "titleBarMaximize",
                             "titleBarClose", "videoContainer", "videoWidget", "deviceComboBox",
                             "resolutionComboBox", "timerCaptureSpinBox", "mattingCheckBox",
                             "removeBackgroundCheckBox", "watermarkCheckBox", "compositeCaptureCheckBox",
                             "compositeHintLabel", "captureButton"})
        EXPECT_NE(w.findChild<QWidget*>(name), nullptr) << name;
    for (const char* dock : {"cameraDockWidget", "annotationDockWidget", "thumbnailDockWidget"})
        EXPECT_NE(w.findChild<QDockWidget*>(dock), nullptr) << dock;

    auto* toolbar = w.findChild<QToolBar*>("mainToolBar");
    ASSERT_NE(toolbar, nullptr);
    QStringList names;
    for (QAction* a : toolbar->actions()) {
        names << a->objectName();
        EXPECT_FALSE(a->icon().pixmap(24, 24).isNull()) << qPrintable(a->objectName());
        EXPECT_FALSE(a->text().isEmpty()) << qPrintable(a->objectName());
    }
    EXPECT_EQ(names, QStringList({"actionOpen", "actionSave", "actionExit", "actionOpenCamera",
                                  "actionCloseCamera", "actionCapture", "actionRotateLeft", "actionRotateRight",
                                  "actionZoomIn", "actionZoomOut", "actionZoomReset", "actionScanBarcode",
                                  "actionScanQRCode", "actionOCR", "actionUndo", "actionClear", "actionAbout",
                                  "actionRefreshDevices", "actionAutoCrop", "actionDeskew", "actionToggleCrop",
                                  "actionApplyCrop"}));
    for (const char* button : {"titleBarSettings", "titleBarWindowSwitch", "titleBarMenu", "titleBarMinimize",
                               "titleBarMaximize", "titleBarClose"})
        EXPECT_FALSE(w.findChild<QPushButton*>(button)->icon().pixmap(22, 22).isNull()) << button;
}

TEST_F(MainWindowTest, PopupMenuHasSixEntriesInOrderAndTheLanguagesCarryTheirCodes)
{
    MainWindow w(environment());
    auto* popup = w.findChild<QMenu*>("popupMenu");
    ASSERT_NE(popup, nullptr);
    QStringList texts;
    for (QAction* a : popup->actions())
        texts << a->text();
    EXPECT_EQ(texts, QStringList({"View", "OCR Language", "Captured Images", "Language", "Camera Settings", "About"}));

    auto* language = w.findChild<QMenu*>("popupLanguageMenu");
    QStringList codes;
    for (QAction* a : language->actions())
        codes << a->data().toString();
    EXPECT_EQ(codes, QStringList({"zh_CN", "en_US", "ja_JP", "ru_RU", "de_DE"}));
    EXPECT_TRUE(language->actions().at(1)->isChecked());

    // "Captured Images" shows and hides the gallery dock.
    w.show();
    auto* dock = w.findChild<QDockWidget*>("thumbnailDockWidget");
    QAction* captured = popup->actions().at(2);
    ASSERT_TRUE(captured->isChecked());
    captured->trigger();
    EXPECT_TRUE(dock->isHidden());
    captured->trigger();
    EXPECT_FALSE(dock->isHidden());
}

TEST_F(MainWindowTest, CtrlZeroWithoutCameraResetsZoomAndShowsNoCamera)
{
    MainWindow w(environment());
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // Keys go where the user's keys go: the focused widget, which starts as the preview.
    QWidget* focused = QApplication::focusWidget();
    ASSERT_EQ(focused, w.findChild<VideoWidget*>());
    QTest::keyClick(focused, Qt::Key_Plus);
    QTest::keyClick(focused, Qt::Key_Plus);
    EXPECT_EQ(zoomText(w), "Zoom: 120%");
    QTest::keyClick(focused, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(statusText(w), "No Camera");
    EXPECT_EQ(zoomText(w), "Zoom: 100%");
    QTest::keyClick(focused, Qt::Key_Minus);
    EXPECT_EQ(zoomText(w), "Zoom: 90%");
}

TEST_F(MainWindowTest, NoCameraBoxSpeaksTheUsersLanguageAndLaterFeaturesSaySo)
{
    MainWindow w(environment());
    w.show();
    // Without a camera Space says why nothing was captured, buttons included in the user's language.
    QString okCaption;
    m_dialogAnswer = [&okCaption](QDialog& dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(&dialog))
            okCaption = box->button(QMessageBox::Ok)->text();
        return int(QDialog::Rejected);
    };
    LanguageManager::instance()->loadLanguage("ru_RU");
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_TRUE(m_dialogs.contains("messageBox"));
    EXPECT_EQ(okCaption, QString::fromUtf8("ОК"));
    LanguageManager::instance()->loadLanguage("en_US");
    w.findChild<QAction*>("actionDeskew")->trigger();
    EXPECT_EQ(w.statusBar()->currentMessage(), "Deskew: not available yet");
}

TEST_F(MainWindowTest, ScannerGunMethodSpaceCapturesNothingAndSurvivesRestart)
{
    {
        QSettings store(m_dir.filePath("settings.ini"), QSettings::IniFormat);
        store.setValue("save/namingMethod", 3);
    }
    MainWindow w(environment());
    ASSERT_TRUE(w.isScannerGunMode());
    w.show();
    // Without a camera an attempted capture would put up "Camera is not previewing."
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_FALSE(m_dialogs.contains("messageBox"));
    EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());
    QTest::keyClick(&w, Qt::Key_Plus);
    EXPECT_EQ(zoomText(w), "Zoom: 100%");
}

TEST_F(MainWindowTest, SettingsDialogAcceptedChangesTakeEffectAndSurviveRestart)
{
    m_dialogAnswer = [](QDialog& dialog) {
        auto* naming = dialog.findChild<QComboBox*>("namingComboBox");
        if (naming)
            naming->setCurrentIndex(naming->findData(3));
        return int(QDialog::Accepted);
    };
    {
        MainWindow w(environment());
        w.show();
        w.findChild<QPushButton*>("titleBarSettings")->click();
        ASSERT_EQ(m_dialogs.size(), 1);
        EXPECT_EQ(w.statusBar()->currentMessage(), "Settings saved");
        EXPECT_TRUE(w.isScannerGunMode());
        QTest::keyClick(&w, Qt::Key_Space);
        EXPECT_EQ(w.statusBar()->currentMessage(), "Settings saved"); // Space no longer captures
        EXPECT_FALSE(m_dialogs.contains("messageBox"));  // no attempt either: it would say there is no camera
    }
    MainWindow again(environment());
    EXPECT_TRUE(again.isScannerGunMode());
}

TEST_F(MainWindowTest, RotationPenAndLanguageSurviveRestart)
{
    {
        MainWindow w(environment());
        w.findChild<QAction*>("actionRotateRight")->trigger();
        w.findChild<QAction*>("actionRotateRight")->trigger();
        QMenu* language = w.findChild<QMenu*>("popupLanguageMenu");
        language->actions().at(4)->trigger(); // German
        EXPECT_EQ(LanguageManager::instance()->currentLanguage(), "de_DE");
    }
    LanguageManager::instance()->loadLanguage("en_US");
    MainWindow w(environment());
    EXPECT_EQ(w.settings().rotationDeg, 180);
    EXPECT_EQ(LanguageManager::instance()->currentLanguage(), "de_DE");
    EXPECT_EQ(w.settings().language, "de_DE");
    // The frame itself follows the stored language, not only the catalogue.
    EXPECT_EQ(w.findChild<QAction*>("actionCapture")->text(), QString::fromUtf8("Aufnehmen"));
    EXPECT_EQ(w.findChild<QWidget*>("cameraDockWidget")->windowTitle(), QString::fromUtf8("Kamerasteuerung"));
}

TEST_F(MainWindowTest, LanguageSwitchRetranslatesWindowAndPopupAtOnce)
{
    MainWindow w(environment());
    auto* capture = w.findChild<QAction*>("actionCapture");
    auto* popup = w.findChild<QMenu*>("popupMenu");
    ASSERT_EQ(capture->text(), "Capture");
    QMenu* language = w.findChild<QMenu*>("popupLanguageMenu");
    language->actions().at(0)->trigger(); // Chinese
    EXPECT_NE(capture->text(), "Capture");
    EXPECT_NE(popup->actions().at(5)->text(), "About");
    EXPECT_EQ(statusText(w), QString::fromUtf8("无摄像头"));
    // The re-built language menu marks the new choice.
    language = w.findChild<QMenu*>("popupLanguageMenu");
    EXPECT_TRUE(language->actions().at(0)->isChecked());
    EXPECT_FALSE(language->actions().at(1)->isChecked());
}

TEST_F(MainWindowTest, LogoOpensTheHomePageAndAboutNamesTheFeatures)
{
    MainWindow w(environment());
    w.show();
    QWidget* logo = w.findChild<QWidget*>("titleLogoWidget");
    QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(m_openedUrls.size(), 1);
    EXPECT_EQ(m_openedUrls.first().toString(), QString::fromLatin1(MainWindow::kHomePageUrl));

    const std::unique_ptr<QMessageBox> box = w.createAboutBox();
    EXPECT_EQ(box->windowTitle(), "About Lumadoc");
    for (const char* text : {"Lumadoc v1.0", "A professional camera application for high-speed document cameras.",
                             "Real-time video preview", "Thumbnail gallery", "Multi-language support"})
        EXPECT_TRUE(box->text().contains(text)) << text;
}

TEST_F(MainWindowTest, WindowLargerThanTheScreenIsShrunkOnFirstShow)
{
    MainWindow w(environment());
    const QRect available = QApplication::primaryScreen()->availableGeometry();
    w.setGeometry(QRect(available.topLeft() + QPoint(50, 50), available.size() + QSize(400, 300)));
    w.show();
    EXPECT_TRUE(available.contains(w.geometry()));
    EXPECT_LE(w.width(), available.width());
    EXPECT_LE(w.height(), available.height());
}

TEST_F(MainWindowTest, TitleBarButtonsControlTheWindowState)
{
    MainWindow w(environment());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.findChild<QPushButton*>("titleBarMaximize")->click();
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    w.findChild<QPushButton*>("titleBarMaximize")->click();
    EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);
    w.findChild<QPushButton*>("titleBarMinimize")->click();
    EXPECT_TRUE(w.windowState() & Qt::WindowMinimized);
    w.showNormal();
    w.findChild<QPushButton*>("titleBarClose")->click();
    EXPECT_FALSE(w.isVisible());
}
