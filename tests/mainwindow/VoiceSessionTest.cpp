// Voice commands in the window, end to end from recognised phrases: a scripted engine hears each
// command's phrase and the window action it stands for runs; the program's own speech and the training
// dialog keep phrases from acting; without a model the toggle says what is missing.

#include "VoiceSession.h"
#include "../voice/ScriptedVoice.h"
#include "AudioCapture.h"
#include "Speaker.h"
#include "TitleBar.h"
#include "VideoWidget.h"
#include "ViewGeometry.h"
#include "VoiceCommandThread.h"
#include "VoiceTrainDialog.h"
#include "WindowModeSwitch.h"
#include "WindowTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using voicetest::Step;

namespace {

class SilentSpeaker : public ISpeaker
{
public:
    void speak(const QString&) override { setSpeaking(true); }
    void stop() override { setSpeaking(false); }
    bool isSpeaking() const override { return m_speaking; }
    void setSpeaking(bool on)
    {
        m_speaking = on;
        emit speakingChanged(on);
    }

private:
    bool m_speaking = false;
};

struct Rig
{
    QTemporaryDir dir;
    QWidget window;
    QToolButton* button = new QToolButton(&window);
    std::shared_ptr<std::deque<Step>> script = std::make_shared<std::deque<Step>>();
    QStringList calls;
    bool previewing = true;
    QStringList statuses;
    std::function<int(QDialog&)> execDialog;
    std::unique_ptr<VoiceSession> session;

    explicit Rig(bool withModel)
    {
        button->setCheckable(true);
        window.resize(800, 600);
        if (withModel) {
            QDir().mkpath(dir.filePath(QStringLiteral("model/am")));
            QDir().mkpath(dir.filePath(QStringLiteral("model/conf")));
            QFile(dir.filePath(QStringLiteral("model/am/final.mdl"))).open(QIODevice::WriteOnly);
            QFile(dir.filePath(QStringLiteral("model/conf/model.conf"))).open(QIODevice::WriteOnly);
        }
        VoiceSession::Actions a;
        a.isPreviewing = [this] { return previewing; };
        auto rec = [this](const char* name) { return [this, name] { calls << QString::fromLatin1(name); }; };
        a.capture = rec("capture");
        a.rotateLeft = rec("rotateLeft");
        a.rotateRight = rec("rotateRight");
        a.zoomIn = rec("zoomIn");
        a.zoomOut = rec("zoomOut");
        a.zoomReset = rec("zoomReset");
        a.fitToView = rec("fitToView");
        a.saveImage = rec("saveImage");
        a.recognizeText = rec("recognizeText");
        a.scanCode = rec("scanCode");
        a.toggleAutoCrop = rec("toggleAutoCrop");
        a.switchMode = [this](int mode) { calls << QStringLiteral("mode%1").arg(mode); };
        VoiceSession::Environment env;
        env.modelDir = dir.filePath(QStringLiteral("model"));
        const QString ini = dir.filePath(QStringLiteral("voice_customwords.ini"));
        auto script = this->script;
        env.makeRecognizer = [script, ini](QObject* parent) {
            auto* r = new VoiceCommandThread(
                [script] { return std::make_unique<voicetest::ScriptedEngine>(script, nullptr); },
                [] { return new AudioCapture({[] { return std::make_unique<voicetest::QuietSource>(); }}); },
                ini, parent);
            return r;
        };
        env.execDialog = [this](QDialog& d) { return execDialog ? execDialog(d) : 0; };
        session = std::make_unique<VoiceSession>(button, &window, a, env);
        QObject::connect(button, &QToolButton::toggled, session.get(),
                         &VoiceSession::onVoiceListeningToggled);
        QObject::connect(session.get(), &VoiceSession::statusMessage,
                         [this](const QString& text, int) { statuses << text; });
    }

    bool load()
    {
        QSignalSpy loaded(session.get(), &VoiceSession::modelLoaded);
        session->start();
        if (!loaded.wait(10000))
            return false;
        return loaded.at(0).at(0).toBool();
    }

    // The engine hears `phrase` as one utterance.
    void hear(const char* phrase)
    {
        script->push_back({true, "", phrase});
        session->recognizer()->onAudioDataReady(QByteArray(3200, '\0'));
    }
};

} // namespace

TEST(VoiceSession, EveryPhraseRunsItsWindowAction)
{
    Rig rig(true);
    ASSERT_TRUE(rig.load());
    EXPECT_TRUE(rig.button->isEnabled());
    rig.button->setChecked(true);
    ASSERT_TRUE(rig.session->recognizer()->isListening());
    EXPECT_EQ(rig.button->toolTip(), QStringLiteral("Voice Command (listening...)"));

    const std::pair<const char*, const char*> cases[] = {
        {"拍 照", "capture"},
        {"左转", "rotateLeft"},
        {"向右转", "rotateRight"},
        {"放大", "zoomIn"},
        {"缩小一点", "zoomOut"},
        {"原始大小", "zoomReset"},
        {"适应窗口", "fitToView"},
        {"保存", "saveImage"},
        {"文字 识别", "recognizeText"},
        {"扫码", "scanCode"},
        {"自动裁切", "toggleAutoCrop"},
        {"普通 拍照", "mode0"},
        {"视频展台", "mode1"},
        {"书籍 展平", "mode2"},
        {"AI协同", "mode3"},
        {"票据识别", "mode4"},
        {"你好", ""},
    };
    for (const auto& [phrase, action] : cases) {
        rig.calls.clear();
        rig.hear(phrase);
        EXPECT_EQ(rig.calls.join(QLatin1Char(',')), QString::fromLatin1(action)) << phrase;
    }
    ASSERT_NE(rig.session->caption(), nullptr);
    EXPECT_EQ(rig.session->caption()->text(), QString::fromUtf8("你好"));
    EXPECT_TRUE(rig.statuses.contains(QString::fromUtf8("Voice: \"票据识别\"")));

    // No camera: the capture is refused with a message.
    rig.previewing = false;
    rig.calls.clear();
    rig.hear("拍照");
    EXPECT_TRUE(rig.calls.isEmpty());
    EXPECT_EQ(rig.statuses.last(), QStringLiteral("Voice: Camera not open"));
    rig.previewing = true;

    // While the program speaks it does not hear itself.
    SilentSpeaker speaker;
    rig.session->setSpeaker(&speaker);
    speaker.speak(QStringLiteral("Image saved"));
    rig.calls.clear();
    rig.hear("左转");
    EXPECT_TRUE(rig.calls.isEmpty());
    speaker.stop();
    rig.script->clear();
    rig.hear("左转");
    EXPECT_EQ(rig.calls, QStringList{QStringLiteral("rotateLeft")});

    // Training: a trained phrase acts only as a word to learn; closing leaves the listening on.
    rig.calls.clear();
    rig.execDialog = [&](QDialog& d) {
        auto& dialog = static_cast<VoiceTrainDialog&>(d);
        dialog.recordButton()->click();
        rig.hear("拍照");
        EXPECT_EQ(dialog.pendingText(), QString::fromUtf8("拍照"));
        return 0;
    };
    rig.session->onVoiceTrain();
    EXPECT_TRUE(rig.calls.isEmpty());
    EXPECT_TRUE(rig.session->recognizer()->isListening());
    rig.hear("拍照");
    EXPECT_EQ(rig.calls, QStringList{QStringLiteral("capture")});

    rig.button->setChecked(false);
    EXPECT_FALSE(rig.session->recognizer()->isListening());
    rig.calls.clear();
    rig.hear("拍照");
    EXPECT_TRUE(rig.calls.isEmpty());
}

TEST(VoiceSession, WithoutModelTheToggleSaysWhatIsMissing)
{
    Rig rig(false);
    EXPECT_FALSE(rig.load());
    EXPECT_FALSE(rig.button->isEnabled());
    EXPECT_TRUE(rig.button->toolTip().contains(QStringLiteral("am/final.mdl")))
        << rig.button->toolTip().toStdString();
    EXPECT_TRUE(rig.button->toolTip().contains(QStringLiteral("/model")))
        << rig.button->toolTip().toStdString();
    rig.button->setChecked(true); // e.g. through the keyboard: refused and unchecked
    EXPECT_FALSE(rig.button->isChecked());
    EXPECT_EQ(rig.statuses.last(), QStringLiteral("Voice command not initialized"));
}

// The real window: phrases heard by the scripted engine turn the preview and switch the working mode,
// and the toggle's state is what is stored as "voice/listening".
TEST(VoiceSession, WindowRunsCommandsFromTheTitleBarToggle)
{
    testsupport::TempAppDir dir;
    dir.applyToCurrentProcess();
    windowtest::startInEnglish(dir);
    MainWindowEnvironment env = windowtest::privateEnvironment(dir);
    auto script = std::make_shared<std::deque<Step>>();
    VoiceCommandThread* recognizer = nullptr;
    env.makeVoiceRecognizer = [&](QObject* parent) {
        recognizer = new VoiceCommandThread(
            [script] { return std::make_unique<voicetest::ScriptedEngine>(script, nullptr); },
            [] { return new AudioCapture({[] { return std::make_unique<voicetest::QuietSource>(); }}); },
            dir.filePath(QStringLiteral("voice_customwords.ini")), parent);
        return recognizer;
    };
    QDir().mkpath(dir.filePath(QStringLiteral("model/am")));
    QDir().mkpath(dir.filePath(QStringLiteral("model/conf")));
    QFile(dir.filePath(QStringLiteral("model/am/final.mdl"))).open(QIODevice::WriteOnly);
    QFile(dir.filePath(QStringLiteral("model/conf/model.conf"))).open(QIODevice::WriteOnly);
    env.voiceModelDir = dir.filePath(QStringLiteral("model"));
    MainWindow w(env);
    w.show();
    auto* button = w.findChild<TitleBar*>()->voiceButton();
    ASSERT_TRUE(QTest::qWaitFor([&] { return button->isEnabled(); }, 10000));
    button->click();
    ASSERT_TRUE(recognizer->isListening());
    EXPECT_TRUE(QSettings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat)
                    .value(QStringLiteral("voice/listening"))
                    .toBool());

    auto hear = [&](const char* phrase) {
        script->push_back({true, "", phrase});
        recognizer->onAudioDataReady(QByteArray(3200, '\0'));
    };
    auto* video = w.findChild<VideoWidget*>();
    const int before = video->geometry().normalizedRotation();
    hear("右转");
    EXPECT_EQ(video->geometry().normalizedRotation(), (before + 270) % 360); // right: -90
    hear("书籍 展平");
    auto* modes = w.findChild<WindowModeSwitch*>();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !modes->isSwitching(); }, 3000));
    EXPECT_EQ(w.currentMode(), 2);
    hear("拍照"); // no camera previewing
    EXPECT_EQ(w.statusBar()->currentMessage(), QStringLiteral("Voice: Camera not open"));

    button->click();
    EXPECT_FALSE(recognizer->isListening());
    EXPECT_FALSE(QSettings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat)
                     .value(QStringLiteral("voice/listening"))
                     .toBool());
}
