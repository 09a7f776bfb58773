// The recognizer's text side with known answers: the phrase table, every mishearing repair, trained words
// from a UTF-8 file, and a scripted engine standing in for the speech model (no model can be installed
// here). Where libvosk.so is present, its loading paths are driven with a missing and a bogus model.

#include "VoiceCommandThread.h"
#include "AudioCapture.h"
#include "ScriptedVoice.h"
#include "SpeechRecognizer.h"
#include "VoiceTrainDialog.h"
#include "VoskLibrary.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

void writeUtf8(const QString& path, const char* text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

VoiceCommandThread* textOnly(const QString& iniPath = QString())
{
    return new VoiceCommandThread(nullptr, nullptr, iniPath);
}

} // namespace

TEST(VoiceMatch, PhrasesModesAndBlanks)
{
    std::unique_ptr<VoiceCommandThread> r(textOnly());
    const std::pair<const char*, VoiceCommand> cases[] = {
        {"拍照", CmdTakePhoto},
        {"给我拍一张", CmdTakePhoto},
        {"左转", CmdRotateLeft},
        {"向右旋转", CmdRotateRight},
        {"放大一点", CmdZoomIn},
        {"变小了", CmdZoomOut},
        {"恢复原始", CmdOriginalSize},
        {"全屏", CmdFitWindow},
        {"保存图片", CmdSaveImage},
        {"ocr", CmdRecognizeText},
        {"识别一下", CmdRecognizeText},
        {"扫描", CmdScanCode},
        {"扫码", CmdScanCode},
        {"自动纠偏", CmdAutoCrop},
        // mode phrases come first, even where a shorter command phrase is inside them
        {"普通拍照", CmdModeNormal},
        {"视频展台", CmdModeVideoBooth},
        {"书籍展平", CmdModeBook},
        {"拍书", CmdModeBook},
        {"AI协同", CmdModeAiCollab},
        {"票据识别", CmdModeTicket},
        {"发票识别", CmdModeTicket},
        // the recognizer's blanks between words, for every phrase
        {"书籍 展平", CmdModeBook},
        {"视频 展台", CmdModeVideoBooth},
        {"扫 码", CmdScanCode},
        {"AI 协同", CmdModeAiCollab},
        {"拍 一 张", CmdTakePhoto},
        {" 向 左 转 ", CmdRotateLeft},
        // repaired mishearings
        {"按照", CmdTakePhoto},
        {"普通怕照", CmdModeNormal},
        {"数据 短接", CmdModeBook},
        {"做转", CmdRotateLeft},
        {"举动", CmdZoomIn},
        // nothing
        {"", CmdNone},
        {"你好", CmdNone},
        {"   ", CmdNone},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(r->matchCommand(u(text)), expected) << text;
}

// Every (misheard, correct) pair of the table, written out here on its own.
TEST(VoiceMatch, EveryHomophoneIsRepaired)
{
    const std::pair<const char*, const char*> groups[] = {
        {"拍照", "按照|报找|抛照|参照"},
        {"左转", "左传|左专|做转"},
        {"右转", "右传|右专|又转"},
        {"放大", "放到|法大|发大|罚大|妄动|网动|而动|反动|举动|滚动|资格|自个"},
        {"缩小", "索小|所小"},
        {"保存", "包寸|宝存|报存"},
        {"扫码", "扫马|嫂码|少码|沙码"},
        {"文字识别", "闻字识别|文字时候|文字石狮|屋子识别|稳子识别"},
        {"转", "赚|专"},
        {"普通拍照", "普通怕找|普通跑照|普通怕照|普通报照|普通报找|普通抛照|普通参照|普东拍照|普东怕照|"
                     "铺通拍照|铺通怕照"},
        {"视频展台", "视频展胎|视频斩台"},
        {"书籍展平",
         "书籍占平|书籍展瓶|书展平|数据展平|书记展平|书籍短接|书短接|数据短接|书记短接|书籍断接|书籍端平|"
         "书籍暂平|书籍战坪|书暂平|书战坪|数据暂平|数据战坪|书籍 展平|书 展平|数据 展平|书记 展平|书籍 短接|"
         "书 短接|数据 短接|书记 短接|书籍 断接|书籍 端平|书籍 暂平|书籍 战坪|书 暂平|书 战坪|数据 暂平|"
         "数据 战坪"},
        {"书籍拍摄",
         "书籍拍照|书拍照|数据拍照|书记拍照|书籍怕照|数据怕照|书籍 拍摄|书 拍摄|数据 拍摄|书记 拍摄|"
         "书籍 拍照|书 拍照|数据 拍照|书记 拍照|书籍 怕照|书 怕照|数据 怕照|书记 怕照"},
        {"AI协同", "哎协同|哎写同"},
        {"票据识别", "票据时间|票据是别|漂据识别"},
    };
    std::unique_ptr<VoiceCommandThread> r(textOnly());
    int pairs = 0;
    for (const auto& [correct, forms] : groups) {
        const QString right = u(correct);
        for (const QString& misheard : u(forms).split(QLatin1Char('|'))) {
            ++pairs;
            EXPECT_EQ(VoiceCommandThread::correctHomophones(misheard), right) << misheard.toStdString();
            // ...and the repaired text selects the right text's command, inside a sentence too.
            EXPECT_EQ(r->matchCommand(u("请") + misheard + u("吧")), r->matchCommand(right))
                << misheard.toStdString();
        }
    }
    EXPECT_EQ(pairs, 107);
    EXPECT_EQ(int(voice::homophonePairs().size()), 107);
}

// Trained words: UTF-8 on disk, empty parts and duplicates dropped, built-ins kept, commands without
// phrases ignored, a word the repair would spoil found in the raw text, and a reload forgets removed words.
TEST(VoiceMatch, CustomWordsFromUtf8File)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("voice_customwords.ini"));
    writeUtf8(ini, "[General]\n1=咔嚓;;拍照; 咔嚓 ;拍一个\n9=赚钱\n8=居中\n");
    std::unique_ptr<VoiceCommandThread> r(textOnly(ini));
    const voice::CommandMap map = r->commandMap();
    const QStringList expected =
        voice::builtInPhrases().value(CmdTakePhoto) + QStringList{u("咔嚓"), u("拍一个")};
    EXPECT_EQ(map.value(CmdTakePhoto), expected);
    EXPECT_FALSE(map.contains(CmdCenterView));
    EXPECT_EQ(r->matchCommand(u("咔嚓")), CmdTakePhoto);
    EXPECT_EQ(r->matchCommand(u("居中")), CmdNone);
    EXPECT_EQ(r->matchCommand(u("赚钱")), CmdSaveImage); // "赚" is repaired to "转": only the raw text has it

    writeUtf8(ini, "[General]\n1=拍一个\n");
    ASSERT_TRUE(r->loadCustomWords(ini));
    EXPECT_EQ(r->matchCommand(u("咔嚓")), CmdNone);
    EXPECT_EQ(r->matchCommand(u("拍一个")), CmdTakePhoto);
    EXPECT_EQ(r->matchCommand(u("赚钱")), CmdNone);
}

namespace {

using voicetest::QuietSource;
using voicetest::ScriptedEngine;
using voicetest::Step;

void makeModelFolder(const QString& dir)
{
    QDir().mkpath(dir + QStringLiteral("/am"));
    QDir().mkpath(dir + QStringLiteral("/conf"));
    writeUtf8(dir + QStringLiteral("/am/final.mdl"), "not a model");
    writeUtf8(dir + QStringLiteral("/conf/model.conf"), "--bogus\n");
}

} // namespace

// The scripted engine drives the signals; audio is dropped while not listening and while suspended, and
// while commands are suppressed (training) the text is still reported but no command.
TEST(VoiceCommandThread, ScriptedEngineDrivesTheSignals)
{
    QTemporaryDir dir;
    makeModelFolder(dir.path());
    int accepted = 0;
    auto script = std::make_shared<std::deque<Step>>(std::deque<Step>{
        {false, "拍", ""},
        {true, "", "拍 照"},
        {true, "", "你好"},
        {true, "", "普通 拍照"},
        {true, "", "左转"},
    });
    VoiceCommandThread r([&] { return std::make_unique<ScriptedEngine>(script, &accepted); },
                         [] { return new AudioCapture({[] { return std::make_unique<QuietSource>(); }}); },
                         QString());
    QSignalSpy commands(&r, &VoiceCommandThread::commandDetected);
    QSignalSpy texts(&r, &VoiceCommandThread::textRecognized);
    QSignalSpy errors(&r, &VoiceCommandThread::errorOccurred);
    const QByteArray block(3200, '\0');

    r.startListening(); // not initialised yet
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toString(), QStringLiteral("Voice not initialized"));
    ASSERT_TRUE(r.initialize(dir.path()));
    r.onAudioDataReady(block); // not listening
    EXPECT_EQ(accepted, 0);

    r.startListening();
    ASSERT_TRUE(r.isListening());
    r.setSuspended(true);
    r.onAudioDataReady(block);
    EXPECT_EQ(accepted, 0);
    r.setSuspended(false);

    for (int i = 0; i < 4; ++i)
        r.onAudioDataReady(block);
    EXPECT_EQ(accepted, 4 * block.size());
    ASSERT_EQ(commands.count(), 2);
    EXPECT_EQ(commands.at(0).at(0).value<VoiceCommand>(), CmdTakePhoto);
    EXPECT_EQ(commands.at(0).at(1).toString(), u("拍 照"));
    EXPECT_EQ(commands.at(1).at(0).value<VoiceCommand>(), CmdModeNormal);
    QStringList heard;
    for (const auto& t : texts)
        heard << t.at(0).toString();
    EXPECT_EQ(heard, (QStringList{u("拍"), u("拍 照"), u("你好"), u("普通 拍照")}));

    r.setCommandsSuppressed(true);
    r.onAudioDataReady(block);
    EXPECT_EQ(commands.count(), 2);
    EXPECT_EQ(texts.last().at(0).toString(), u("左转"));

    r.stopListening();
    EXPECT_FALSE(r.isListening());
    EXPECT_EQ(r.capture(), nullptr);
}

// The real engine's loading paths: every missing piece and a bogus model leave the object uninitialised.
TEST(VoiceCommandThread, VoskRefusesMissingAndBogusModels)
{
    QTemporaryDir dir;
    VoiceCommandThread r(&voice::makeVoskRecognizer, nullptr, QString());
    EXPECT_FALSE(r.initialize(dir.filePath(QStringLiteral("absent"))));
    QDir().mkpath(dir.filePath(QStringLiteral("half/am")));
    writeUtf8(dir.filePath(QStringLiteral("half/am/final.mdl")), "x");
    EXPECT_FALSE(r.initialize(dir.filePath(QStringLiteral("half")))); // no conf/model.conf
    EXPECT_FALSE(r.isInitialized());
    if (!voice::VoskLibrary::instance().isLoaded())
        GTEST_SKIP() << voice::VoskLibrary::instance().errorString().toStdString();
    makeModelFolder(dir.filePath(QStringLiteral("bogus")));
    EXPECT_FALSE(r.initialize(dir.filePath(QStringLiteral("bogus"))));
    EXPECT_FALSE(r.isInitialized());
    r.onAudioDataReady(QByteArray(3200, '\0')); // dropped, no crash
}

// Training: a heard phrase goes to the chosen command and is saved as "1=咔嚓"; the recognizer is left
// as found; a reset then close writes nothing; an unwritable file is not reported as saved.
namespace {
class QuietTrainDialog : public VoiceTrainDialog
{
public:
    using VoiceTrainDialog::VoiceTrainDialog;
    int informed = 0, warned = 0;
    bool answer = true;

protected:
    bool askYesNo(const QString&, const QString&) override { return answer; }
    void inform(const QString&, const QString&) override { ++informed; }
    void warn(const QString&, const QString&) override { ++warned; }
};
} // namespace

TEST(VoiceTrainDialog, TrainSaveAndReload)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("cfg/voice_customwords.ini"));
    VoiceCommandThread r(nullptr, nullptr, QString());
    {
        QuietTrainDialog d(&r, ini);
        // commands without phrases of their own are not offered
        for (int i = 0; i < d.commandCombo()->count(); ++i)
            EXPECT_TRUE(voice::builtInPhrases().contains(d.commandCombo()->itemData(i).toInt()));
        EXPECT_EQ(d.commandCombo()->itemData(0).toInt(), int(CmdTakePhoto));
        EXPECT_TRUE(r.commandsSuppressed());

        d.onTextRecognized(u("咔嚓")); // not recording: ignored
        EXPECT_FALSE(d.addButton()->isEnabled());
        d.recordButton()->click();
        EXPECT_TRUE(d.isRecording());
        d.onTextRecognized(u("咔 嚓"));
        EXPECT_TRUE(d.addButton()->isEnabled());
        d.addButton()->click();
        d.onTextRecognized(u("咔嚓"));
        d.addButton()->click(); // the same word twice is kept once
        EXPECT_EQ(d.entries().at(0).customWords, QStringList{u("咔嚓")});
        EXPECT_EQ(d.customList()->count(), 1);
        d.recordButton()->click();
        EXPECT_FALSE(d.isRecording());

        QSignalSpy changed(&d, &VoiceTrainDialog::customWordsChanged);
        ASSERT_TRUE(d.onSave());
        EXPECT_EQ(changed.count(), 1);
        EXPECT_EQ(d.informed, 1);
        QObject::connect(&d, &VoiceTrainDialog::customWordsChanged, &r,
                         [&](const QString& p) { r.loadCustomWords(p); });
        emit d.customWordsChanged(ini);
    }
    EXPECT_FALSE(r.commandsSuppressed());
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("1=咔嚓"));
    f.close();
    EXPECT_EQ(r.matchCommand(u("咔嚓")), CmdTakePhoto);

    {
        QuietTrainDialog d(&r, ini);
        EXPECT_EQ(d.entries().at(0).customWords, QStringList{u("咔嚓")});
        EXPECT_FALSE(d.entries().at(0).defaultWords.contains(u("咔嚓")));
        d.resetButton()->click();
        EXPECT_TRUE(d.entries().at(0).customWords.isEmpty());
    } // closed without saving
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("1=咔嚓"));
    f.close();

    if (geteuid() != 0) { // root writes anywhere
        QFile::setPermissions(dir.filePath(QStringLiteral("cfg")), QFile::ReadOwner | QFile::ExeOwner);
        QFile::setPermissions(ini, QFile::ReadOwner);
        QuietTrainDialog d(&r, ini);
        d.resetButton()->click();
        EXPECT_FALSE(d.onSave());
        EXPECT_EQ(d.warned, 1);
        EXPECT_EQ(d.informed, 0);
    }
    {
        // A path that can never be a file: its folder is a file.
        writeUtf8(dir.filePath(QStringLiteral("blocker")), "x");
        QuietTrainDialog d(&r, dir.filePath(QStringLiteral("blocker/voice_customwords.ini")));
        d.recordButton()->click();
        d.onTextRecognized(u("咔嚓"));
        d.addButton()->click();
        QSignalSpy changed(&d, &VoiceTrainDialog::customWordsChanged);
        EXPECT_FALSE(d.onSave());
        EXPECT_EQ(changed.count(), 0);
        EXPECT_EQ(d.warned, 1);
        EXPECT_EQ(d.informed, 0);
    }
}

// Audio from a PulseAudio source reaches the recognizer: a private server whose default source is a pipe
// carries a known ramp to the scripted engine, sample for sample.
TEST(VoiceCommandThread, PulseAudioPipeSourceReachesTheRecognizer)
{
    const QString pulse = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (pulse.isEmpty())
        GTEST_SKIP() << "pulseaudio not installed";
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString socket = dir.filePath(QStringLiteral("pa.sock"));
    const QString fifo = dir.filePath(QStringLiteral("mic.fifo"));
    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    env.insert(QStringLiteral("HOME"), dir.path());
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir.filePath(QStringLiteral("pulse")));
    server.setProcessEnvironment(env);
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(
        pulse,
        {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
         QStringLiteral("--use-pid-file=no"), QStringLiteral("--log-level=error"), QStringLiteral("-L"),
         QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket,
         QStringLiteral("-L"),
         QStringLiteral("module-pipe-source source_name=mic format=s16le rate=16000 channels=1 file=") +
             fifo});
    ASSERT_TRUE(server.waitForStarted());
    const QDeadlineTimer ready(15000);
    while (!(QFile::exists(socket) && QFile::exists(fifo)) && !ready.hasExpired())
        QThread::msleep(50);
    ASSERT_TRUE(QFile::exists(socket) && QFile::exists(fifo)) << "no private sound server";
    const QByteArray savedServer = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", (QStringLiteral("unix:") + socket).toUtf8());

    QTemporaryDir modelDir;
    makeModelFolder(modelDir.path());
    int accepted = 0;
    QByteArray heard;
    struct Recorder : voice::ISpeechRecognizer
    {
        QByteArray* heard;
        int* bytes;
        LoadResult load(const QString&) override { return LoadResult::Ok; }
        bool acceptWaveform(const QByteArray& pcm) override
        {
            heard->append(pcm);
            *bytes += pcm.size();
            return false;
        }
        QByteArray partialResult() override { return "{\"partial\" : \"\"}"; }
        QByteArray finalResult() override { return "{\"text\" : \"\"}"; }
    };
    VoiceCommandThread r(
        [&] {
            auto e = std::make_unique<Recorder>();
            e->heard = &heard;
            e->bytes = &accepted;
            return e;
        },
        [] { return new AudioCapture; }, QString());
    ASSERT_TRUE(r.initialize(modelDir.path()));
    r.startListening();
    ASSERT_TRUE(r.isListening());
    EXPECT_EQ(r.capture()->sourceName(), QStringLiteral("PulseAudio"));

    QByteArray ramp;
    for (int i = 0; i < 16000; ++i) {
        char b[2];
        qToLittleEndian<qint16>(qint16((i * 7) % 30000 + 1), b);
        ramp.append(b, 2);
    }
    const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    // The pipe source delivers only what is written: the writer plays the ramp, then silence until
    // listening has stopped, as a microphone would.
    std::atomic_bool done{false};
    std::thread writer([&] {
        ssize_t n = ::write(fd, ramp.constData(), size_t(ramp.size()));
        (void)n;
        const QByteArray silence(640, '\0');
        while (!done) {
            n = ::write(fd, silence.constData(), size_t(silence.size()));
            QThread::msleep(20);
        }
    });
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && !heard.contains(ramp))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(heard.contains(ramp)) << "heard " << heard.size() << " bytes";
    r.stopListening();
    done = true;
    writer.join();
    ::close(fd);
    if (savedServer.isNull())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", savedServer);
    server.terminate();
    if (!server.waitForFinished(5000))
        server.kill();
    server.waitForFinished(5000);
}
