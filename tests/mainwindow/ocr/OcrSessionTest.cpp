// The OCR command as the user drives it: the picture the engine sees is the capture's picture, one
// recognition at a time under the overlay, then the result dialog with copy and read-aloud.
#include "OcrSession.h"
#include "OcrLanguageMenu.h"
#include "OcrProgressOverlay.h"
#include "OcrResultDialog.h"
#include "Speaker.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMutex>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTextEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

class FakeSpeaker : public ISpeaker
{
public:
    void speak(const QString& text) override
    {
        spoken << text;
        m_speaking = true;
        emit speakingChanged(true);
    }
    void stop() override
    {
        ++stops;
        m_speaking = false;
        emit speakingChanged(false);
    }
    bool isSpeaking() const override { return m_speaking; }
    QStringList spoken;
    int stops = 0;

private:
    bool m_speaking = false;
};

// A recogniser the test releases by hand, recording what it was given.
struct HeldRecognizer
{
    QSemaphore release;
    std::atomic<int> calls{0};
    QImage seen;
    QString answer;

    std::function<QString(const QImage&)> function()
    {
        return [this](const QImage& image) {
            ++calls;
            seen = image;
            release.acquire();
            return answer;
        };
    }
};

struct Messages
{
    QStringList lines; // "title|text"
    std::function<void(int, const QString&, const QString&)> function()
    {
        return [this](int, const QString& title, const QString& text) { lines << title + '|' + text; };
    }
};

// Four coloured quarters, so every turn and cut of it is told apart.
QImage quarters()
{
    QImage image(320, 200, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, 160, 100, Qt::red);
    p.fillRect(160, 0, 160, 100, Qt::green);
    p.fillRect(0, 100, 160, 100, Qt::blue);
    p.fillRect(160, 100, 160, 100, Qt::yellow);
    return image;
}

} // namespace

TEST(OcrSession, OneRecognitionUnderTheOverlayThenTheResultDialog)
{
    QWidget window;
    window.resize(1000, 700);
    window.show();
    FakeSpeaker speaker;
    HeldRecognizer recognizer;
    recognizer.answer = QStringLiteral("姓名 张三\nHELLO 2024");
    OcrResultDialog* shown = nullptr;
    QString dialogText;
    QStringList clipboardAfterCopy;
    OcrSession::Environment env;
    env.recognize = recognizer.function();
    env.execDialog = [&](QDialog& dialog) {
        shown = qobject_cast<OcrResultDialog*>(&dialog);
        if (!shown)
            return 0;
        dialogText = shown->textEdit()->toPlainText();
        shown->copyButton()->click();
        clipboardAfterCopy << QApplication::clipboard()->text();
        EXPECT_FALSE(shown->stopButton()->isEnabled());
        shown->readButton()->click();
        EXPECT_TRUE(shown->stopButton()->isEnabled());
        EXPECT_FALSE(shown->readButton()->isEnabled());
        return 0;
    };
    OcrSession session(&window, &speaker, env);
    QSignalSpy running(&session, &OcrSession::runningChanged);
    QSignalSpy finished(&session, &OcrSession::recognitionFinished);

    const QImage picture = quarters();
    ASSERT_TRUE(session.recognize(picture, OcrSession::Txt));
    ASSERT_NE(session.overlay(), nullptr);
    EXPECT_TRUE(session.overlay()->isVisible());
    EXPECT_EQ(session.overlay()->geometry(), window.rect());
    const QWidget* card = session.overlay()->findChild<QWidget*>(QStringLiteral("ocrProgressCard"));
    ASSERT_NE(card, nullptr);

    // A second press while the first runs starts nothing.
    EXPECT_FALSE(session.recognize(picture, OcrSession::Txt));
    // The card ends centred in the window, and follows the window when it is resized meanwhile.
    QTest::qWait(400);
    EXPECT_EQ(card->geometry(), QRect(300, 250, 400, 200));
    window.resize(800, 600);
    session.overlay()->tick();
    EXPECT_EQ(card->geometry(), QRect(200, 200, 400, 200));
    EXPECT_EQ(session.overlay()->geometry(), window.rect());

    recognizer.release.release();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(recognizer.calls.load(), 1);
    EXPECT_EQ(recognizer.seen, picture);
    EXPECT_FALSE(session.overlay()->isVisible());
    EXPECT_FALSE(session.isRunning());
    ASSERT_EQ(running.size(), 2);
    EXPECT_TRUE(running.at(0).at(0).toBool());
    EXPECT_FALSE(running.at(1).at(0).toBool());

    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(dialogText, recognizer.answer);
    EXPECT_EQ(clipboardAfterCopy, QStringList{recognizer.answer});
    EXPECT_EQ(speaker.spoken, QStringList{recognizer.answer});
    // Closing the dialog while it reads stops the reading.
    EXPECT_EQ(speaker.stops, 1);
    EXPECT_FALSE(speaker.isSpeaking());
    EXPECT_EQ(finished.at(0).at(0).toString(), recognizer.answer);
}

TEST(OcrSession, OutcomesByOutputTypeAndText)
{
    QWidget window;
    window.resize(640, 480);
    const struct
    {
        int outputType;
        const char* answer;
        bool starts;
        const char* message; // "title|text", or empty
        const char* spoken;  // or empty
        const char* status;  // or empty
    } cases[] = {
        {OcrSession::Txt, "", true, "OCR Result|No text detected.", "未检测到文字", ""},
        {OcrSession::Txt, " \n ", true, "OCR Result|No text detected.", "未检测到文字", ""},
        {7, "text", false, "", "", ""},
    };
    for (const auto& c : cases) {
        FakeSpeaker speaker;
        Messages messages;
        std::atomic<int> calls{0};
        int dialogs = 0;
        OcrSession::Environment env;
        env.message = messages.function();
        env.execDialog = [&](QDialog&) { return ++dialogs, 0; };
        const QString answer = QString::fromUtf8(c.answer);
        env.recognize = [&](const QImage&) { return ++calls, answer; };
        OcrSession session(&window, &speaker, env);
        QSignalSpy status(&session, &OcrSession::statusMessage);
        QSignalSpy finished(&session, &OcrSession::recognitionFinished);
        EXPECT_EQ(session.recognize(quarters(), c.outputType), c.starts) << c.outputType;
        if (c.starts) {
            EXPECT_TRUE(finished.wait(10000));
        }
        EXPECT_EQ(calls.load(), c.starts ? 1 : 0);
        EXPECT_EQ(dialogs, 0);
        EXPECT_EQ(messages.lines, *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList());
        EXPECT_EQ(speaker.spoken, *c.spoken ? QStringList{QString::fromUtf8(c.spoken)} : QStringList());
        EXPECT_EQ(status.size(), *c.status ? 1 : 0);
        if (*c.status && !status.isEmpty()) {
            EXPECT_EQ(status.at(0).at(0).toString(), QString::fromUtf8(c.status));
        }
        EXPECT_TRUE(session.overlay() == nullptr || !session.overlay()->isVisible());
    }
}

// Word and searchable PDF: the picture goes to the export thread as a JPEG of its own, the document to
// the path the user chose (with the type's extension), and the result reaches the window; a cancelled
// dialog starts nothing and leaves no picture behind.
TEST(OcrSession, DocumentExportsReportTheirResult)
{
    QWidget window;
    const struct
    {
        int outputType;
        const char* chosen;   // what the save dialog returns; empty: cancelled
        const char* expected; // the path the export is given
        const char* answer;   // the export's result, "%1" standing for the path
        const char* message;  // "title|text"
        const char* status;   // the last status text
    } cases[] = {
        {OcrSession::Word, "/out/a", "/out/a.doc", "success:%1", "Export Success|Word document saved to:\n/out/a.doc",
         "Word exported: /out/a.doc"},
        {OcrSession::Word, "/out/b.DOCX", "/out/b.DOCX", "error:Word 文件生成失败（LibreOffice is not installed）",
         "Export Failed|Word 文件生成失败（LibreOffice is not installed）", "Export failed"},
        {OcrSession::DoubleLayerPdf, "/out/c.PDF", "/out/c.PDF", "success:%1",
         "Export Success|Searchable PDF saved to:\n/out/c.PDF", "PDF exported: /out/c.PDF"},
        {OcrSession::DoubleLayerPdf, "/out/d", "/out/d.pdf", "error:OCR未识别到文字", "Export Failed|OCR未识别到文字",
         "Export failed"},
        {OcrSession::Word, "", "", "", "", "" },
    };
    for (const auto& c : cases) {
        Messages messages;
        QStringList titles;
        QStringList images;
        bool imageExisted = false;
        QString given;
        OcrSession::Environment env;
        env.message = messages.function();
        env.saveDirectory = [] { return QStringLiteral("/out"); };
        env.saveFileName = [&](const QString& title, const QString& proposed, const QString&) {
            titles << title;
            EXPECT_TRUE(proposed.startsWith("/out/")) << proposed.toStdString();
            return QString::fromUtf8(c.chosen);
        };
        env.exportDocument = [&](int type, const QString& image, const QString& out) {
            EXPECT_EQ(type, c.outputType);
            imageExisted = QImage(image).size() == quarters().size();
            images << image;
            given = out;
            return QString::fromUtf8(c.answer).arg(out);
        };
        OcrSession session(&window, nullptr, env);
        QSignalSpy status(&session, &OcrSession::statusMessage);
        QSignalSpy finished(&session, &OcrSession::exportFinished);
        const bool started = session.recognize(quarters(), c.outputType);
        EXPECT_EQ(started, *c.chosen != 0) << c.chosen;
        if (!started) {
            EXPECT_EQ(session.runningExports(), 0);
            EXPECT_TRUE(messages.lines.isEmpty());
            continue;
        }
        ASSERT_TRUE(finished.wait(10000)) << c.chosen;
        EXPECT_EQ(titles, QStringList{c.outputType == OcrSession::Word ? "Export as Word" : "Export as Searchable PDF"});
        EXPECT_EQ(given, QString::fromUtf8(c.expected));
        EXPECT_TRUE(imageExisted);
        ASSERT_EQ(images.size(), 1);
        EXPECT_FALSE(QFile::exists(images[0])) << "the temporary picture is removed with the result";
        EXPECT_EQ(messages.lines, QStringList{QString::fromUtf8(c.message)});
        ASSERT_FALSE(status.isEmpty());
        EXPECT_EQ(status.last().at(0).toString(), QString::fromUtf8(c.status));
    }
}

// Two exports at once each have their own picture; a session closed while they run waits for them
// instead of destroying a running thread, and their pictures are gone afterwards.
TEST(OcrSession, ClosingWaitsForRunningExports)
{
    QWidget window;
    QSemaphore entered;
    QSemaphore release;
    std::atomic<int> done{0};
    QStringList images;
    QMutex lock;
    std::thread releaser;
    OcrSession::Environment env;
    env.message = [](int, const QString&, const QString&) {};
    env.saveFileName = [](const QString&, const QString&, const QString&) { return QStringLiteral("/tmp/none.pdf"); };
    env.exportDocument = [&](int, const QString& image, const QString&) {
        {
            QMutexLocker locker(&lock);
            images << image;
        }
        entered.release();
        release.acquire();
        ++done;
        return QStringLiteral("error:stopped");
    };
    {
        OcrSession session(&window, nullptr, env);
        ASSERT_TRUE(session.recognize(quarters(), OcrSession::DoubleLayerPdf));
        ASSERT_TRUE(session.recognize(quarters(), OcrSession::Word));
        entered.acquire(2);
        EXPECT_EQ(session.runningExports(), 2);
        EXPECT_NE(images[0], images[1]);
        EXPECT_TRUE(QFile::exists(images[0]) && QFile::exists(images[1]));
        // Let go only once the session is being destroyed.
        releaser = std::thread([&release] {
            QThread::msleep(300);
            release.release(2);
        });
    }
    releaser.join();
    EXPECT_EQ(done.load(), 2);
    EXPECT_FALSE(QFile::exists(images[0]) || QFile::exists(images[1]));
}

// The engine sees exactly the capture's picture: turned as the preview shows it, the manual crop taken
// in displayed pixels; a refused command says why and starts nothing.
TEST(OcrSession, EngineSeesTheCapturePicture)
{
    QWidget window;
    const QImage frame = quarters();
    const struct
    {
        bool previewing;
        bool nullFrame;
        int rotationDeg;
        QRect crop; // displayed pixels; null for none
        const char* message;
    } cases[] = {
        {true, false, 0, QRect(), ""},
        {true, false, -90, QRect(), ""},
        {true, false, -180, QRect(10, 20, 100, 50), ""},
        {true, false, -270, QRect(0, 0, 100, 160), ""},
        {false, false, 0, QRect(), "Warning|Camera is not previewing."},
        {true, true, 0, QRect(), "Warning|Failed to capture image."},
    };
    for (const auto& c : cases) {
        Messages messages;
        QImage seen;
        OcrSession::Environment env;
        env.message = messages.function();
        env.execDialog = [](QDialog&) { return 0; };
        env.recognize = [&](const QImage& image) { return seen = image, QStringLiteral("x"); };
        OcrSession session(&window, nullptr, env);
        QSignalSpy finished(&session, &OcrSession::recognitionFinished);

        CaptureRequest request;
        request.isPreviewing = c.previewing;
        request.rotationDeg = c.rotationDeg;
        request.manualCropSelected = !c.crop.isNull();
        request.manualCropRect = c.crop;
        // Steps that change the content are not the OCR picture's business.
        request.watermark = true;
        request.compositeEnabled = true;
        request.removeBackground = true;
        const bool started = session.performOcr(c.nullFrame ? QImage() : frame, request, OcrSession::Txt);
        EXPECT_EQ(started, !*c.message) << c.rotationDeg;
        EXPECT_EQ(messages.lines, *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList());
        if (!started)
            continue;
        ASSERT_TRUE(finished.wait(10000));
        CaptureProcessor capture;
        CaptureRequest plain = OcrSession::correctionRequest(request);
        const QImage expected = capture.capture(frame, plain).image;
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(seen.size(), expected.size()) << c.rotationDeg;
        EXPECT_TRUE(seen == expected) << c.rotationDeg;
        EXPECT_FALSE(session.corrector().isCompositeWaiting());
    }
    // Known answers: a quarter turn right puts the blue quarter top left and the yellow one below it; the
    // crop, in displayed pixels, cuts across both.
    Messages messages;
    QImage seen;
    OcrSession::Environment env;
    env.message = messages.function();
    env.execDialog = [](QDialog&) { return 0; };
    env.recognize = [&](const QImage& image) { return seen = image, QStringLiteral("x"); };
    OcrSession session(&window, nullptr, env);
    QSignalSpy finished(&session, &OcrSession::recognitionFinished);
    CaptureRequest request;
    request.isPreviewing = true;
    request.rotationDeg = -90;
    request.manualCropSelected = true;
    request.manualCropRect = QRect(0, 100, 100, 200);
    ASSERT_TRUE(session.performOcr(frame, request, OcrSession::Txt));
    ASSERT_TRUE(finished.wait(10000));
    ASSERT_EQ(seen.size(), QSize(100, 200));
    EXPECT_EQ(QColor(seen.pixel(5, 5)), QColor(Qt::blue));
    EXPECT_EQ(QColor(seen.pixel(5, 195)), QColor(Qt::yellow));
    EXPECT_EQ(QColor(seen.pixel(95, 195)), QColor(Qt::yellow));
}

TEST(OcrLanguageMenu, EntriesInNumberOrderAndChoice)
{
    QMenu menu;
    QList<int> chosen;
    QStringList status;
    const QMap<int, QString> languages{{2, "Japanese"}, {0, "Chinese"}, {1, "English"}};
    QActionGroup* group = OcrLanguageMenu::populate(
        &menu, languages, [&](int language) { chosen << language; },
        [&](const QString& text) { status << text; });
    EXPECT_EQ(menu.objectName(), QStringLiteral("popupOcrLanguageMenu"));
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 3);
    const char* names[] = {"Chinese", "English", "Japanese"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(actions[i]->text(), QString(names[i]));
        EXPECT_EQ(actions[i]->data().toInt(), i);
        EXPECT_EQ(actions[i]->isChecked(), i == 0);
    }
    actions[2]->trigger();
    EXPECT_EQ(chosen, QList<int>{2});
    EXPECT_EQ(status, QStringList{QStringLiteral("OCR language set to: Japanese")});
    EXPECT_EQ(group->checkedAction(), actions[2]);
    EXPECT_FALSE(actions[0]->isChecked());
}
