// The working modes: the chooser, the switching guard, what each mode shows, and that leaving a mode
// gives back what the user had chosen (detection, capture triggers, the borrowed camera boxes).
#include "WindowTestEnvironment.h"
#include "AnnotationOverlay.h"
#include "BookPanel.h"
#include "GalleryModel.h"
#include "CameraController.h"
#include "MainWindow.h"
#include "MediaCaptureWrapper.h"
#include "TestSupport.h"
#include "TicketPanel.h"
#include "VideoWidget.h"
#include "WindowModeSwitch.h"
#include "WindowModes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <thread>

namespace {

class MainWindowModesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        windowtest::startInEnglish(m_dir);
        m_library->devices = {fake::device("Doc Cam", "/dev/v4l/by-id/doc", {{1280, 720, 30}})};
    }

    MainWindowEnvironment environment()
    {
        MainWindowEnvironment env = windowtest::privateEnvironment(m_dir);
        auto library = m_library;
        env.makeCameraController = [library](QObject* parent) {
            return new CameraController(parent, new MediaCaptureWrapper(nullptr, fake::factoryFor(library)));
        };
        return env;
    }

    void storeAutoCrop(bool on)
    {
        QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).setValue("camera/autoCrop", on);
    }

    // Switches and waits out the settling delay, so the next request is taken.
    static void switchTo(MainWindow& w, int mode)
    {
        w.switchWindowMode(mode);
        settle(w);
        ASSERT_EQ(w.currentMode(), mode);
    }

    // A busy first paint can hold the settling timer back; wait for the switch itself.
    static void settle(MainWindow& w)
    {
        auto* modes = w.findChild<WindowModeSwitch*>();
        ASSERT_NE(modes, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !modes->isSwitching(); }, 3000));
    }

    template <typename T>
    static T* child(MainWindow& w, const char* name)
    {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    testsupport::TempAppDir m_dir;
    std::shared_ptr<fake::LibraryState> m_library = std::make_shared<fake::LibraryState>();
};

}  // namespace

TEST(WindowModeNames, CommandLineModeIsParsedOrRefused)
{
    struct Case {
        QStringList args;
        windowmode::ModeArgument::Status status;
        int mode;
    };
    const Case cases[] = {
        {{"LumadocApp"}, windowmode::ModeArgument::Absent, 0},
        {{"LumadocApp", "--mode", "presenter"}, windowmode::ModeArgument::Valid, 1},
        {{"LumadocApp", "--mode=Book"}, windowmode::ModeArgument::Valid, 2},
        {{"LumadocApp", "--mode", "ai"}, windowmode::ModeArgument::Valid, 3},
        {{"LumadocApp", "--other", "--mode=ticket"}, windowmode::ModeArgument::Valid, 4},
        {{"LumadocApp", "--mode", "standard"}, windowmode::ModeArgument::Valid, 0},
        {{"LumadocApp", "--mode", "kiosk"}, windowmode::ModeArgument::Invalid, 0},
        {{"LumadocApp", "--mode"}, windowmode::ModeArgument::Invalid, 0},
        {{"LumadocApp", "--mode="}, windowmode::ModeArgument::Invalid, 0},
    };
    for (const Case& c : cases) {
        const windowmode::ModeArgument parsed = windowmode::parseModeArgument(c.args);
        EXPECT_EQ(parsed.status, c.status) << c.args.join(' ').toStdString();
        if (c.status == windowmode::ModeArgument::Valid)
            EXPECT_EQ(parsed.mode, c.mode) << c.args.join(' ').toStdString();
        if (c.status == windowmode::ModeArgument::Invalid)
            EXPECT_TRUE(parsed.error.contains("standard|presenter|book|ai|ticket")) << parsed.error.toStdString();
    }
}

TEST_F(MainWindowModesTest, ChooserSwitchesOnceAndTheCurrentModeOnlyLosesAnnotations)
{
    MainWindow w(environment());
    w.show();
    auto* chooser = child<QWidget>(w, "windowSwitchPanel");
    EXPECT_FALSE(chooser->isVisible());
    w.onWindowSwitch();
    ASSERT_TRUE(chooser->isVisible());
    EXPECT_EQ(chooser->size(), QSize(1000, 600));

    // A crop selection and a drawing tool are dropped by any request, the current mode's included.
    auto* view = child<VideoWidget>(w, "videoWidget");
    auto* cropAction = child<QAction>(w, "actionToggleCrop");
    cropAction->setChecked(true);
    view->setCropRect(QRect(10, 10, 100, 80));
    ASSERT_FALSE(view->annotations()->cropSelection().isEmpty());
    w.switchWindowMode(windowmode::Standard);
    EXPECT_FALSE(cropAction->isChecked());
    EXPECT_TRUE(view->annotations()->cropSelection().isEmpty());
    EXPECT_TRUE(child<QDockWidget>(w, "cameraDockWidget")->isVisible());

    // Clicking presenter hides the chooser; a second request inside the settling delay is dropped.
    QTest::mouseClick(chooser->findChild<QPushButton*>("windowSwitchMode1"), Qt::LeftButton);
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(w.currentMode(), windowmode::Presenter);
    w.switchWindowMode(windowmode::Book);
    EXPECT_EQ(w.currentMode(), windowmode::Presenter);
    settle(w);

    EXPECT_FALSE(child<QWidget>(w, "customTitleBar")->isVisible());
    EXPECT_FALSE(child<QDockWidget>(w, "cameraDockWidget")->isVisible());
    EXPECT_FALSE(child<QDockWidget>(w, "thumbnailDockWidget")->isVisible());
    for (const char* name : {"videoDisplay_qrScan", "videoDisplay_compare", "videoDisplay_back"}) {
        auto* button = child<QToolButton>(w, name);
        EXPECT_TRUE(button->isVisible()) << name;
        EXPECT_GE(button->width(), 90) << name;
        EXPECT_GE(button->height(), 80) << name;
    }
    QTest::mouseClick(child<QToolButton>(w, "videoDisplay_back"), Qt::LeftButton);
    settle(w);
    EXPECT_EQ(w.currentMode(), windowmode::Standard);
    EXPECT_TRUE(child<QWidget>(w, "customTitleBar")->isVisible());
    EXPECT_TRUE(child<QDockWidget>(w, "cameraDockWidget")->isVisible());
    EXPECT_TRUE(child<QDockWidget>(w, "thumbnailDockWidget")->isVisible());
    EXPECT_FALSE(child<QToolButton>(w, "videoDisplay_back")->isVisible());
}

TEST_F(MainWindowModesTest, DetectionStopsInPresenterAndBookModeAndComesBackAsTheUserChoseIt)
{
    for (const bool stored : {true, false}) {
        SCOPED_TRACE(stored ? "detection chosen" : "detection not chosen");
        storeAutoCrop(stored);
        MainWindow w(environment());
        w.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_library->callback != nullptr; }, 5000));
        auto* timer = child<QTimer>(w, "documentDetectionTimer");
        auto* box = child<QCheckBox>(w, "autoCropCheckBox");
        EXPECT_EQ(timer->isActive(), stored);

        for (const int mode : {int(windowmode::Presenter), int(windowmode::Book)}) {
            switchTo(w, mode);
            EXPECT_FALSE(timer->isActive());
            EXPECT_FALSE(box->isChecked());
        }
        switchTo(w, windowmode::Ticket);
        EXPECT_EQ(timer->isActive(), stored);
        EXPECT_EQ(timer->interval(), 500);
        EXPECT_EQ(box->isChecked(), stored);
        w.saveSettings();
        EXPECT_EQ(QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).value("camera/autoCrop").toBool(),
                  stored);
        switchTo(w, windowmode::Standard);
        EXPECT_EQ(timer->isActive(), stored);
    }
}

TEST_F(MainWindowModesTest, BookModeBorrowsTheCameraBoxesAndLeavingItStopsItsTriggers)
{
    MainWindow w(environment());
    w.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_library->callback != nullptr; }, 5000));
    auto* cameraDock = child<QDockWidget>(w, "cameraDockWidget");
    auto* devices = child<QComboBox>(w, "deviceComboBox");
    switchTo(w, windowmode::Book);
    auto* book = child<BookPanel>(w, "bookPanel");
    ASSERT_TRUE(book->isVisible());
    EXPECT_TRUE(book->isAncestorOf(devices));
    EXPECT_TRUE(devices->isVisible());

    // The book timer and the stable-picture capture exclude one another.
    auto* bookTimer = child<QTimer>(w, "bookCaptureTimer");
    EXPECT_FALSE(book->timerCaptureSpin->isEnabled());
    book->timerCaptureSpin->setValue(7);
    book->timerCaptureCheck->setChecked(true);
    EXPECT_TRUE(bookTimer->isActive());
    EXPECT_EQ(bookTimer->interval(), 7000);
    EXPECT_TRUE(book->timerCaptureSpin->isEnabled());
    book->autoCaptureCheck->setChecked(true);
    EXPECT_FALSE(book->timerCaptureCheck->isChecked());
    EXPECT_FALSE(bookTimer->isActive());
    EXPECT_TRUE(child<QCheckBox>(w, "autoCaptureCheckBox")->isChecked());

    // Background removal is one setting shown on both panels.
    child<QCheckBox>(w, "removeBackgroundCheckBox")->setChecked(true);
    EXPECT_TRUE(book->removeBackgroundCheck->isChecked());
    book->backgroundModeCombo->setCurrentIndex(2);
    book->thresholdSlider->setValue(90);
    EXPECT_EQ(child<QSlider>(w, "thresholdSlider")->value(), 90);
    EXPECT_TRUE(book->thresholdContainer->isVisible());

    book->timerCaptureCheck->setChecked(true);
    switchTo(w, windowmode::Standard);
    EXPECT_FALSE(book->isVisible());
    EXPECT_FALSE(book->autoCaptureCheck->isChecked());
    EXPECT_FALSE(child<QCheckBox>(w, "autoCaptureCheckBox")->isChecked());
    EXPECT_FALSE(book->timerCaptureCheck->isChecked());
    EXPECT_FALSE(bookTimer->isActive());
    EXPECT_TRUE(cameraDock->isAncestorOf(devices));
    EXPECT_TRUE(devices->isVisible());
    EXPECT_TRUE(devices->styleSheet().isEmpty());

    // A second visit lends the boxes again.
    switchTo(w, windowmode::Book);
    EXPECT_TRUE(book->isAncestorOf(devices));
    switchTo(w, windowmode::Standard);
    EXPECT_TRUE(cameraDock->isAncestorOf(devices));
}

TEST_F(MainWindowModesTest, TicketPanelShowsItsControlsAndItsBackButtonReturns)
{
    MainWindow w(environment());
    w.show();
    switchTo(w, windowmode::Ticket);
    auto* panel = child<TicketPanel>(w, "ticketPanel");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->typeCombo->count(), 4);
    EXPECT_EQ(panel->ticketType(), "idcard");
    EXPECT_TRUE(panel->readCardButton->isVisible());
    panel->typeCombo->setCurrentIndex(2);
    EXPECT_EQ(panel->ticketType(), "vat_invoice");
    EXPECT_FALSE(panel->readCardButton->isVisible());
    QTest::mouseClick(panel->backButton, Qt::LeftButton);
    settle(w);
    EXPECT_EQ(w.currentMode(), windowmode::Standard);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(MainWindowModesTest, AiModeSplitsTheWindowAndItsDetectionSwitchNeverOutlivesIt)
{
    if (!MainWindow::aiModeAvailable())
        GTEST_SKIP() << "built without the web engine";
    storeAutoCrop(false);
    QFile page(m_dir.filePath("chat.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><textarea></textarea></body></html>");
    page.close();
    MainWindowEnvironment env = environment();
    env.aiSites = {{QStringLiteral("Local"), QUrl::fromLocalFile(page.fileName())}};
    MainWindow w(env);
    w.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_library->callback != nullptr; }, 5000));
    auto* timer = child<QTimer>(w, "documentDetectionTimer");
    EXPECT_FALSE(timer->isActive());

    switchTo(w, windowmode::Ai);
    auto* panel = child<QWidget>(w, "aiCollaborationPanel");
    auto* view = child<VideoWidget>(w, "videoWidget");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_LT(view->QWidget::geometry().right(), panel->geometry().left());
    EXPECT_FALSE(child<QDockWidget>(w, "cameraDockWidget")->isVisible());

    // The exercise strip looks ten times a second while the mode is shown...
    child<QCheckBox>(w, "wrongProblemAutoCrop")->setChecked(true);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);
    // ...and leaving gives back the user's own choice (off) and pace.
    switchTo(w, windowmode::Standard);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(child<QCheckBox>(w, "autoCropCheckBox")->isChecked());
    w.setAutoCropEnabled(true);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 500);
}

TEST_F(MainWindowModesTest, BookModeCapturesComeOutFlattenedAndSpreadsAsTwoPages)
{
    QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).setValue("save/path", m_dir.filePath("shots"));
    MainWindow w(environment());
    w.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_library->callback != nullptr; }, 5000));
    switchTo(w, windowmode::Book);
    auto* book = child<BookPanel>(w, "bookPanel");

    // A page on a dark desk, ruled, sent as the camera's frame (RGB rows).
    const int width = m_library->openedFormat.width, height = m_library->openedFormat.height;
    auto sendDesk = [&](const QList<QRect>& pages) {
        QImage frame(width, height, QImage::Format_RGB888);
        frame.fill(QColor(30, 30, 30));
        QPainter painter(&frame);
        for (const QRect& page : pages) {
            painter.fillRect(page, QColor(240, 240, 232));
            painter.setPen(QPen(Qt::black, 2));
            for (int y = page.top() + 40; y < page.bottom() - 20; y += 24)
                painter.drawLine(page.left() + 20, y, page.right() - 20, y);
        }
        painter.end();
        std::thread([&] { m_library->callback(frame.constBits(), width, height, 0); }).join();
        QTest::qWait(30);
    };
    auto* gallery = w.findChild<GalleryModel*>();
    ASSERT_NE(gallery, nullptr);

    book->singlePageCheck->setChecked(true);
    sendDesk({QRect(340, 90, 600, 540)});
    w.onCaptureImage();
    ASSERT_EQ(gallery->count(), 1);
    EXPECT_TRUE(gallery->isProcessing(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !gallery->isProcessing(0); }, 20000));
    EXPECT_NEAR(gallery->imageAt(0).width(), 600, 20);
    EXPECT_NEAR(gallery->imageAt(0).height(), 540, 20);

    book->singlePageCheck->setChecked(false);
    book->doublePageCheck->setChecked(true);
    sendDesk({QRect(100, 100, 500, 520), QRect(680, 100, 500, 520)});
    w.onCaptureImage();
    EXPECT_EQ(gallery->count(), 1);  // nothing until the pages are flattened
    ASSERT_TRUE(QTest::qWaitFor([&] { return gallery->count() == 3; }, 20000));
    EXPECT_TRUE(gallery->displayNameAt(1).contains("_L."));
    EXPECT_TRUE(gallery->displayNameAt(2).contains("_R."));
}
