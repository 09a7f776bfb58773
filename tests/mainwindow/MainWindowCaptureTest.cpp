// Capturing from the window on a scripted camera: every trigger ends in one named, saved gallery
// item; the composite takes two shots; nothing is captured without a picture.
#include "GalleryModel.h"
#include "ImageSaver.h"
#include "OcrResultDialog.h"
#include "GalleryPanel.h"
#include "ImagePreviewDialog.h"
#include "ThumbnailItem.h"
#include "VideoWidget.h"
#include "WindowTestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>

namespace {

// Writes as usual until told that every encoding fails (a full disk, a folder gone read-only).
class SwitchableSaver : public ImageSaver {
public:
    explicit SwitchableSaver(std::shared_ptr<bool> fail) : m_fail(std::move(fail)) {}

protected:
    bool encode(const QImage& image, QIODevice& device, const EncodeAttempt& attempt) override
    {
        return !*m_fail && ImageSaver::encode(image, device, attempt);
    }

private:
    std::shared_ptr<bool> m_fail;
};

class MainWindowCaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        windowtest::startInEnglish(m_dir);
        m_saveDir = m_dir.filePath("captures");
        QSettings store(m_dir.filePath("settings.ini"), QSettings::IniFormat);
        store.setValue("save/path", m_saveDir);
        store.setValue("save/namingMethod", 1);
        store.setValue("save/filePrefix", "DOC");
        store.setValue("save/fileNumber", 7);
        store.setValue("save/autoSave", true);
        store.setValue("save/format", 1);  // PNG: lossless, so pixels can be compared
        store.setValue("camera/autoCrop", false);
        m_library->devices = {fake::device("Doc Cam", "/dev/v4l/by-id/doc", {{640, 480, 30}})};
    }

    MainWindowEnvironment environment()
    {
        MainWindowEnvironment env = windowtest::privateEnvironment(m_dir);
        auto library = m_library;
        env.makeCameraController = [library](QObject* parent) {
            return new CameraController(parent, new MediaCaptureWrapper(nullptr, fake::factoryFor(library)));
        };
        env.execDialog = [this](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            if (!box)
                return 0;
            m_boxes << box->text();
            return m_answer ? int(m_answer(*box)) : 0;
        };
        auto failing = m_savesFail;
        env.makeImageSaver = [failing] { return std::make_unique<SwitchableSaver>(failing); };
        return env;
    }

    // Starts the window and waits until the camera streams.
    void start(MainWindow& w)
    {
        w.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_library->callback != nullptr; }, 5000));
    }

    // One frame from the camera thread: grey level `level`, with a dark square at `x` so frames differ.
    void sendFrame(uint8_t level, int squareX = 0)
    {
        std::vector<uint8_t> bytes(640 * 480 * 3, level);
        for (int y = 100; y < 200; ++y)
            for (int x = squareX; x < squareX + 100; ++x)
                for (int c = 0; c < 3; ++c)
                    bytes[(size_t(y) * 640 + x) * 3 + c] = 20;
        std::thread([&] { m_library->callback(bytes.data(), 640, 480, 0); }).join();
        QTest::qWait(5);
    }

    QStringList savedFiles() const { return QDir(m_saveDir).entryList(QDir::Files, QDir::Name); }
    static GalleryModel* gallery(MainWindow& w) { return w.findChild<GalleryModel*>(); }

    testsupport::TempAppDir m_dir;
    QString m_saveDir;
    std::shared_ptr<fake::LibraryState> m_library = std::make_shared<fake::LibraryState>();
    QStringList m_boxes;
    std::function<QMessageBox::StandardButton(QMessageBox&)> m_answer;
    std::shared_ptr<bool> m_savesFail = std::make_shared<bool>(false);
};

}  // namespace

TEST_F(MainWindowCaptureTest, ButtonAndSpaceCaptureNamedSavedGalleryItems)
{
    MainWindow w(environment());
    start(w);
    sendFrame(200);

    w.findChild<QPushButton*>("captureButton")->click();
    ASSERT_EQ(savedFiles(), QStringList({"DOC_0007.png"}));
    ASSERT_EQ(gallery(w)->count(), 1);
    EXPECT_EQ(gallery(w)->filePathAt(0), m_saveDir + "/DOC_0007.png");
    EXPECT_EQ(QImage(m_saveDir + "/DOC_0007.png").pixel(320, 400), qRgb(200, 200, 200));

    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_EQ(savedFiles(), QStringList({"DOC_0007.png", "DOC_0008.png"}));
    EXPECT_EQ(gallery(w)->count(), 2);
    // The counter survives a restart.
    EXPECT_EQ(QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).value("save/fileNumber").toInt(), 9);
}

TEST_F(MainWindowCaptureTest, AnExistingFileIsNeverOverwrittenAndTheItemPointsAtTheNewOne)
{
    QDir().mkpath(m_saveDir);
    QFile old(m_saveDir + "/DOC_0007.png");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier capture");
    old.close();

    MainWindow w(environment());
    start(w);
    sendFrame(150);
    w.findChild<QPushButton*>("captureButton")->click();
    EXPECT_EQ(QFileInfo(m_saveDir + "/DOC_0007.png").size(), qint64(strlen("an earlier capture")));
    ASSERT_EQ(gallery(w)->count(), 1);
    EXPECT_NE(gallery(w)->filePathAt(0), m_saveDir + "/DOC_0007.png");
    EXPECT_TRUE(QFileInfo::exists(gallery(w)->filePathAt(0)));
}

TEST_F(MainWindowCaptureTest, NothingIsCapturedWithoutAPicture)
{
    MainWindow w(environment());
    start(w);
    w.findChild<QAction*>("actionCloseCamera")->trigger();
    w.onCaptureImage();
    EXPECT_EQ(m_boxes, QStringList({"Camera is not previewing."}));
    EXPECT_EQ(gallery(w)->count(), 0);
    EXPECT_TRUE(savedFiles().isEmpty());
}

TEST_F(MainWindowCaptureTest, CompositeTakesTwoShotsIntoOneItem)
{
    MainWindow w(environment());
    start(w);
    w.findChild<QCheckBox*>("compositeCaptureCheckBox")->setChecked(true);
    sendFrame(100);
    w.onCaptureImage();
    EXPECT_EQ(gallery(w)->count(), 0);
    EXPECT_TRUE(w.findChild<QLabel*>("compositeHintLabel")->isVisible());
    sendFrame(220);
    w.onCaptureImage();
    ASSERT_EQ(gallery(w)->count(), 1);
    EXPECT_FALSE(w.findChild<QLabel*>("compositeHintLabel")->isVisible());
    const QImage joined(gallery(w)->filePathAt(0));
    EXPECT_EQ(joined.size(), QSize(640, 960));  // vertical: first above second
    EXPECT_EQ(qRed(joined.pixel(320, 400)), 100);
    EXPECT_EQ(qRed(joined.pixel(320, 880)), 220);
}

TEST_F(MainWindowCaptureTest, AStillPictureIsCapturedOnceAndTheTimerKeepsCapturing)
{
    MainWindow w(environment());
    start(w);
    w.findChild<QCheckBox*>("autoCaptureCheckBox")->setChecked(true);
    sendFrame(60, 0);     // reference
    sendFrame(180, 300);  // a new page: the picture changed
    for (int i = 0; i < 14; ++i)
        sendFrame(180, 300);
    EXPECT_EQ(gallery(w)->count(), 0);
    sendFrame(180, 300);  // 15th still frame
    EXPECT_EQ(gallery(w)->count(), 1);
    for (int i = 0; i < 70; ++i)
        sendFrame(180, 300);
    EXPECT_EQ(gallery(w)->count(), 1);  // held still: no second capture

    w.findChild<QSpinBox*>("timerCaptureSpinBox")->setValue(1);
    w.findChild<QCheckBox*>("timerCaptureCheckBox")->setChecked(true);
    EXPECT_FALSE(w.findChild<QCheckBox*>("autoCaptureCheckBox")->isChecked());
    QTest::qWait(2300);
    EXPECT_GE(gallery(w)->count(), 2);
    w.findChild<QCheckBox*>("timerCaptureCheckBox")->setChecked(false);
}

TEST_F(MainWindowCaptureTest, ScannerGunKeysGiveOneCaptureNamedByTheCode)
{
    QSettings store(m_dir.filePath("settings.ini"), QSettings::IniFormat);
    store.setValue("save/namingMethod", 3);
    store.setValue("save/scannerGunDelay", 100);
    MainWindow w(environment());
    start(w);
    sendFrame(90);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (const char* key : {"1", "2", "3"})
        QTest::keyClick(&w, key[0]);
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_TRUE(savedFiles().isEmpty());  // the delay first
    ASSERT_TRUE(QTest::qWaitFor([&] { return gallery(w)->count() == 1; }, 3000));
    EXPECT_EQ(savedFiles(), QStringList({"123.png"}));
    // Space is a scanner key's business now: no capture.
    QTest::keyClick(&w, Qt::Key_Space);
    QTest::qWait(300);
    EXPECT_EQ(gallery(w)->count(), 1);

    // A scan arriving at a focused spin box names a capture instead of changing the setting.
    auto* spin = w.findChild<QSpinBox*>("timerCaptureSpinBox");
    const int interval = spin->value();
    spin->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), spin);
    for (const Qt::Key key : {Qt::Key_4, Qt::Key_2, Qt::Key_Return})
        QTest::keyClick(QApplication::focusWidget(), key);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gallery(w)->count() == 2; }, 3000));
    EXPECT_EQ(savedFiles(), QStringList({"123.png", "42.png"}));
    EXPECT_EQ(spin->value(), interval);
}

TEST_F(MainWindowCaptureTest, ClickingAGalleryItemOpensItInThePreviewDialog)
{
    MainWindow w(environment());
    start(w);
    sendFrame(120);
    w.onCaptureImage();
    auto* panel = w.findChild<GalleryPanel*>();
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->itemCount(), 1);
    QTest::mouseClick(panel->itemAt(0), Qt::LeftButton, {}, QPoint(250, 70));
    auto* dialog = w.findChild<ImagePreviewDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->windowTitle().endsWith("640x480"));
    dialog->close();
}

TEST_F(MainWindowCaptureTest, SaveImageWritesThePreviewPictureAndSaysSoAloud)
{
    MainWindowEnvironment env = environment();
    const QString chosen = m_dir.filePath("chosen.png");
    QString proposed;
    QStringList spoken;
    env.askSaveFileName = [&](const QString& title, const QString& proposal, const QString&) {
        EXPECT_EQ(title, "Save Image");
        proposed = proposal;
        return chosen;
    };
    env.speak = [&](const QString& text) { spoken << text; };
    MainWindow w(env);
    start(w);
    sendFrame(77);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.findChild<VideoWidget*>()->currentFrame().isNull(); }, 3000));
    w.findChild<QAction*>("actionSave")->trigger();
    EXPECT_TRUE(proposed.endsWith(".png"));
    EXPECT_EQ(QImage(chosen).pixel(320, 400), qRgb(77, 77, 77));
    EXPECT_EQ(spoken, QStringList({"Image saved"}));
    EXPECT_EQ(w.statusBar()->currentMessage(), "Image saved: " + chosen);
}

TEST_F(MainWindowCaptureTest, UnwrittenCapturesKeepTheirOwnPixelsNeverAnotherFilesAndAreNotLostOnClose)
{
    // An earlier session's file has the name the next capture gets.
    QDir().mkpath(m_saveDir);
    QImage other(640, 480, QImage::Format_RGB888);
    other.fill(Qt::red);
    ASSERT_TRUE(other.save(m_saveDir + "/DOC_0007.png"));
    *m_savesFail = true;
    const QMessageBox::StandardButton answers[] = {QMessageBox::Cancel, QMessageBox::Save};
    MainWindow w(environment());
    start(w);
    auto* unsavedLabel = w.findChild<QLabel*>("unsavedCapturesLabel");
    for (int i = 0; i < GalleryModel::kResidentNewest + 3; ++i) {  // enough for the memory pass to run
        sendFrame(uint8_t(100 + i));
        w.onCaptureImage();
    }
    GalleryModel* model = gallery(w);
    ASSERT_EQ(model->count(), 5);
    for (int i = 0; i < model->count(); ++i) {
        EXPECT_FALSE(model->hasFileAt(i));
        EXPECT_TRUE(model->isResident(i));
        EXPECT_EQ(model->imageAt(i).pixel(320, 400), qRgb(100 + i, 100 + i, 100 + i));
    }
    EXPECT_EQ(model->displayNameAt(0), "DOC_0007.png");
    w.updateStatusBar();  // the refresh must not wipe the warning
    EXPECT_TRUE(unsavedLabel->isVisible());
    EXPECT_TRUE(unsavedLabel->text().contains("5")) << unsavedLabel->text().toStdString();

    // Closing asks; "Cancel" stays, "Save" writes every capture and then closes.
    for (QMessageBox::StandardButton answer : answers) {
        *m_savesFail = answer != QMessageBox::Save;
        m_answer = [answer](QMessageBox&) { return answer; };
        m_boxes.clear();
        w.close();
        ASSERT_EQ(m_boxes.size(), 1);
        EXPECT_TRUE(m_boxes[0].startsWith("5 capture(s) have not been saved")) << m_boxes[0].toStdString();
        EXPECT_EQ(w.isVisible(), answer == QMessageBox::Cancel);
    }
    EXPECT_EQ(model->unsavedCount(), 0);
    EXPECT_EQ(QImage(m_saveDir + "/DOC_0007.png").pixel(0, 0), qRgb(255, 0, 0));  // never touched
    EXPECT_EQ(QImage(model->filePathAt(0)).pixel(320, 400), qRgb(100, 100, 100));
    EXPECT_EQ(savedFiles().size(), 6);
}

TEST_F(MainWindowCaptureTest, ASessionEndingKeepsUnsavedCapturesAndTheNextStartSaysWhere)
{
    QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).setValue("save/autoSave", false);
    {
        MainWindow w(environment());
        start(w);
        sendFrame(90);
        w.onCaptureImage();
        w.onCaptureImage();
        // A dialog left open would keep its own event loop, and the program, running.
        QDialog leftOpen(&w);
        QTimer::singleShot(50, &w, [&w] { w.closeUnattended(); });
        leftOpen.exec();
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(m_boxes.isEmpty());  // nobody to ask
    }
    const QString rescue = m_dir.environment().value("XDG_STATE_HOME") + "/Lumadoc/unsaved";
    const QStringList kept = QDir(rescue).entryList(QDir::Files);
    ASSERT_EQ(kept, QStringList({"DOC_0007.png", "DOC_0008.png"}));
    EXPECT_EQ(QImage(rescue + "/DOC_0007.png").pixel(320, 400), qRgb(90, 90, 90));

    MainWindow again(environment());
    start(again);
    ASSERT_TRUE(QTest::qWaitFor([&] { return again.statusBar()->currentMessage().contains(rescue); }, 4000));
    EXPECT_TRUE(again.statusBar()->currentMessage().startsWith("2 capture(s)"));
}

TEST_F(MainWindowCaptureTest, SpaceCapturesWhereverAClickLeftTheKeyboard)
{
    MainWindow w(environment());
    start(w);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    sendFrame(140);
    const auto pressSpace = [] {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, Qt::Key_Space);
    };
    pressSpace();
    ASSERT_EQ(gallery(w)->count(), 1);

    m_answer = [](QMessageBox&) { return QMessageBox::No; };
    const char* const clicked[] = {"thumbnailClearAllButton", "rotateLeftButton", "titleBarVoice", "autoCaptureCheckBox"};
    for (const char* name : clicked) {
        auto* control = w.findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << name;
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, control->height() / 2));
        if (auto* box = qobject_cast<QCheckBox*>(control))
            box->setChecked(false);
        const int before = gallery(w)->count();
        const int rotation = w.findChild<VideoWidget*>()->rotation();
        m_boxes.clear();
        pressSpace();
        EXPECT_EQ(gallery(w)->count(), before + 1) << name;
        EXPECT_TRUE(m_boxes.isEmpty()) << name;  // "Clear All" was not asked again
        EXPECT_EQ(w.findChild<VideoWidget*>()->rotation(), rotation) << name;
    }
}

TEST_F(MainWindowCaptureTest, IdPhotoModeSuspendsAutoCropWithoutForgettingTheChoice)
{
    QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).setValue("camera/autoCrop", true);
    {
        MainWindow w(environment());
        start(w);
        auto* autoCrop = w.findChild<QCheckBox*>("autoCropCheckBox");
        ASSERT_TRUE(autoCrop->isChecked());
        w.findChild<QCheckBox*>("mattingCheckBox")->setChecked(true);
        EXPECT_FALSE(autoCrop->isChecked());
        w.close();  // closed while in ID-photo mode
    }
    EXPECT_TRUE(QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).value("camera/autoCrop").toBool());
    MainWindow again(environment());
    EXPECT_TRUE(again.findChild<QCheckBox*>("autoCropCheckBox")->isChecked());
}

// With the searchable PDF as OCR output, pressing OCR asks for a name and writes the page with its
// words to it (the real engine on the export thread); the window says where.
TEST_F(MainWindowCaptureTest, OcrWritesTheSearchablePdfTheUserNamed)
{
    QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).setValue("ocr/outputType", 2);
    MainWindowEnvironment env = environment();
    QString asked;
    QDir().mkpath(m_saveDir);
    env.askSaveFileName = [&](const QString& title, const QString&, const QString&) {
        asked = title;
        return m_saveDir + "/page";
    };
    MainWindow w(env);
    start(w);
    QImage text(640, 480, QImage::Format_RGB888);
    text.fill(Qt::white);
    {
        QPainter painter(&text);
        QFont font("DejaVu Sans");
        font.setPixelSize(48);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(60, 200, "HELLO 2024");
    }
    std::thread([&] { m_library->callback(text.bits(), 640, 480, 0); }).join();
    QTest::qWait(5);
    w.findChild<QPushButton*>("ocrButton")->click();
    EXPECT_EQ(asked, "Export as Searchable PDF");
    const QString pdf = m_saveDir + "/page.pdf";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_boxes.isEmpty(); }, 60000));
    EXPECT_EQ(m_boxes, QStringList{"Searchable PDF saved to:\n" + pdf});
    QProcess words;
    words.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(words.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(words.readAllStandardOutput()).simplified(), "HELLO 2024");
}

TEST_F(MainWindowCaptureTest, OcrReadsThePictureAsShownAndShowsTheText)
{
    MainWindowEnvironment env = environment();
    QSize seen;
    env.recognizeText = [&seen](const QImage& image) {
        seen = image.size();
        return QStringLiteral("HELLO 2024");
    };
    QString shown;
    env.execDialog = [&shown](QDialog& dialog) {
        if (auto* result = qobject_cast<OcrResultDialog*>(&dialog))
            shown = result->textEdit()->toPlainText();
        return 0;
    };
    MainWindow w(env);
    start(w);
    sendFrame(150);
    w.findChild<QAction*>("actionRotateRight")->trigger();  // OCR sees the picture the user sees
    w.findChild<QPushButton*>("ocrButton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 10000));
    EXPECT_EQ(shown, "HELLO 2024");
    EXPECT_EQ(seen, QSize(480, 640));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.findChild<QPushButton*>("ocrButton")->isEnabled(); }, 3000));
}
