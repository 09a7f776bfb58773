#include "VoiceSession.h"

#include "AppPaths.h"
#include "Speaker.h"
#include "VoiceCommandThread.h"
#include "VoiceTrainDialog.h"
#include "VoskLibrary.h"

#include <QDialog>
#include <QFileInfo>
#include <QGraphicsOpacityEffect>
#include <QIcon>
#include <QLabel>
#include <QPropertyAnimation>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QtConcurrent>
#include <QtDebug>
#include <cstdio>

namespace {

constexpr int kCaptionShowMs = 3000;
constexpr int kCaptionFadeMs = 300;
constexpr int kCaptionBottomMarginPx = 80;

const char* const kListeningStyle =
    "background-color: rgba(76, 175, 80, 0.7); border: 1px solid rgba(255,255,255,0.5); padding: 2px;";
const char* const kStoppedStyle =
    "background-color: rgba(255, 255, 255, 0.1); border: 1px solid rgba(255,255,255,0.3); padding: 2px;";

} // namespace

VoiceSession::VoiceSession(QToolButton* button, QWidget* window, Actions actions, Environment env,
                           QObject* parent)
    : QObject(parent), m_button(button), m_window(window), m_actions(std::move(actions)),
      m_env(std::move(env))
{
    if (!m_env.makeRecognizer)
        m_env.makeRecognizer = [](QObject* p) { return new VoiceCommandThread(p); };
    if (m_env.modelDir.isEmpty())
        m_env.modelDir = apppaths::findData(QStringLiteral("model"));
    if (!m_env.execDialog)
        m_env.execDialog = [](QDialog& d) { return d.exec(); };
    connect(&m_loader, &QFutureWatcher<bool>::finished, this, &VoiceSession::onModelLoadFinished);
}

VoiceSession::~VoiceSession()
{
    m_loader.waitForFinished();
}

void VoiceSession::start()
{
    m_recognizer = m_env.makeRecognizer(this);
    qInfo().noquote() << "[Voice] Model path:" << m_env.modelDir;
    connect(m_recognizer, &VoiceCommandThread::commandDetected, this, &VoiceSession::onVoiceCommandDetected);
    connect(m_recognizer, &VoiceCommandThread::errorOccurred, this, [this](const QString& message) {
        qWarning().noquote() << "[Voice] Error:" << message;
        emit statusMessage(tr("Voice: ") + message, 4000);
        // A microphone that failed or went away leaves the toggle off, not showing a dead "listening".
        if (!m_recognizer->isListening() && m_button->isChecked()) {
            const QSignalBlocker block(m_button);
            m_button->setChecked(false);
            applyButtonLook(false);
        }
    });
    connect(m_recognizer, &VoiceCommandThread::listeningStopped, this, [this] {
        if (m_button->isChecked()) { // stopped by the microphone, not by the toggle
            const QSignalBlocker block(m_button);
            m_button->setChecked(false);
            applyButtonLook(false);
        }
    });
    connect(m_recognizer, &VoiceCommandThread::textRecognized, this, &VoiceSession::showCaption);

    m_button->setEnabled(false);
    m_button->setToolTip(tr("Voice initializing..."));
    std::fprintf(stderr, "[Voice] Voice model loading in background thread\n");
    std::fflush(stderr);
    VoiceCommandThread* recognizer = m_recognizer;
    const QString dir = m_env.modelDir;
    m_loader.setFuture(QtConcurrent::run([recognizer, dir] { return recognizer->initialize(dir); }));
}

QString VoiceSession::missingModelText() const
{
    const QString userDir =
        apppaths::dataDirs().value(1, apppaths::executableDir()) + QStringLiteral("/model");
    return tr("No voice model. Put a Vosk Mandarin model (the folder holding am/final.mdl and "
              "conf/model.conf) at %1")
        .arg(userDir);
}

void VoiceSession::onModelLoadFinished()
{
    const bool ok = m_loader.result();
    qInfo().noquote() << "[Voice] Background model load finished, ok=" << ok;
    if (ok) {
        m_unavailableReason.clear();
        m_button->setEnabled(true);
        m_button->setToolTip(tr("Voice Command (click to start)"));
        emit statusMessage(tr("Voice command ready"), 3000);
        if (m_env.listeningSetting)
            m_button->setChecked(true);
    } else {
        m_button->setEnabled(false);
        // Say what is missing, so the user can act on it.
        if (!QFileInfo::exists(m_env.modelDir + QStringLiteral("/am/final.mdl")) ||
            !QFileInfo::exists(m_env.modelDir + QStringLiteral("/conf/model.conf")))
            m_unavailableReason = missingModelText();
        else if (!voice::VoskLibrary::instance().isLoaded())
            m_unavailableReason =
                tr("Voice commands need the Vosk library (libvosk.so), which was not found.");
        else
            m_unavailableReason = tr("Voice init failed");
        m_button->setToolTip(m_unavailableReason);
        emit statusMessage(tr("Voice command init failed"), 4000);
    }
    emit modelLoaded(ok);
}

void VoiceSession::applyButtonLook(bool listening)
{
    m_button->setIcon(QIcon(QStringLiteral(":/icons/titlebar/") +
                            (listening ? QStringLiteral("voice_on.png") : QStringLiteral("voice_off.png"))));
    m_button->setStyleSheet(QLatin1String(listening ? kListeningStyle : kStoppedStyle));
    m_button->setToolTip(listening ? tr("Voice Command (listening...)")
                                   : tr("Voice Command (click to start)"));
}

void VoiceSession::onVoiceListeningToggled(bool checked)
{
    if (!m_recognizer || !m_recognizer->isInitialized()) {
        const QSignalBlocker block(m_button);
        m_button->setChecked(false);
        applyButtonLook(false);
        if (!m_unavailableReason.isEmpty())
            m_button->setToolTip(m_unavailableReason);
        emit statusMessage(tr("Voice command not initialized"), 3000);
        return;
    }
    if (checked)
        m_recognizer->startListening();
    else
        m_recognizer->stopListening();
    const bool listening = m_recognizer->isListening();
    if (listening != checked) { // the microphone did not start: its error is already on the status bar
        const QSignalBlocker block(m_button);
        m_button->setChecked(listening);
    }
    if (m_env.saveListening)
        m_env.saveListening(listening);
    applyButtonLook(listening);
    if (listening == checked)
        emit statusMessage(listening ? tr("Voice command listening...") : tr("Voice command stopped"), 2000);
}

void VoiceSession::onVoiceCommandDetected(VoiceCommand command, const QString& text)
{
    emit statusMessage(tr("Voice:") + QStringLiteral(" \"") + text + QLatin1Char('"'), 3000);
    qInfo().noquote() << "[Voice] 执行指令:" << int(command) << "文本:" << text;
    auto run = [](const std::function<void()>& f) {
        if (f)
            f();
    };
    switch (command) {
    case CmdTakePhoto:
        if (m_actions.isPreviewing && m_actions.isPreviewing()) {
            run(m_actions.capture);
        } else {
            std::fprintf(stderr, "[Voice] Capture cmd ignored: camera not previewing\n");
            std::fflush(stderr);
            emit statusMessage(tr("Voice: Camera not open"), 3000);
        }
        break;
    case CmdRotateLeft:
        run(m_actions.rotateLeft);
        break;
    case CmdRotateRight:
        run(m_actions.rotateRight);
        break;
    case CmdZoomIn:
        run(m_actions.zoomIn);
        break;
    case CmdZoomOut:
        run(m_actions.zoomOut);
        break;
    case CmdOriginalSize:
        run(m_actions.zoomReset);
        break;
    case CmdFitWindow:
        run(m_actions.fitToView);
        break;
    case CmdSaveImage:
        run(m_actions.saveImage);
        break;
    case CmdRecognizeText:
        run(m_actions.recognizeText);
        break;
    case CmdScanCode:
        run(m_actions.scanCode);
        break;
    case CmdAutoCrop:
        run(m_actions.toggleAutoCrop);
        break;
    case CmdModeNormal:
    case CmdModeVideoBooth:
    case CmdModeBook:
    case CmdModeAiCollab:
    case CmdModeTicket:
        if (m_actions.switchMode)
            m_actions.switchMode(int(command) - int(CmdModeNormal));
        break;
    default:
        break; // commands without an action
    }
}

void VoiceSession::showCaption(const QString& text)
{
    if (!m_window)
        return;
    if (!m_caption) {
        m_caption = new QLabel(m_window);
        m_caption->setObjectName(QStringLiteral("voiceCaption"));
        m_caption->setAlignment(Qt::AlignCenter);
        m_caption->setStyleSheet(QStringLiteral(
            "QLabel {  background-color: rgba(33, 150, 243, 220);  color: white;  font-size: 20px;  "
            "font-weight: bold;"
            "  padding: 14px 28px;  border-radius: 12px;  border: 2px solid rgba(255, 255, 255, 200);}"));
        // A child widget has no window opacity of its own; an opacity effect fades it.
        auto* effect = new QGraphicsOpacityEffect(m_caption);
        m_caption->setGraphicsEffect(effect);
        m_captionTimer = new QTimer(this);
        m_captionTimer->setSingleShot(true);
        connect(m_captionTimer, &QTimer::timeout, this, [this, effect] {
            auto* fade = new QPropertyAnimation(effect, "opacity", m_caption);
            fade->setDuration(kCaptionFadeMs);
            fade->setStartValue(1.0);
            fade->setEndValue(0.0);
            connect(fade, &QPropertyAnimation::finished, m_caption, [this, effect] {
                if (effect->opacity() <= 0.0)
                    m_caption->hide();
            });
            fade->start(QAbstractAnimation::DeleteWhenStopped);
        });
    }
    for (auto* fade : m_caption->findChildren<QPropertyAnimation*>())
        fade->stop(); // a new text cancels a fade in progress
    static_cast<QGraphicsOpacityEffect*>(m_caption->graphicsEffect())->setOpacity(1.0);
    m_caption->setText(text);
    m_caption->adjustSize();
    m_caption->move((m_window->width() - m_caption->width()) / 2,
                    m_window->height() - m_caption->height() - kCaptionBottomMarginPx);
    m_caption->show();
    m_caption->raise();
    m_captionTimer->start(kCaptionShowMs);
}

void VoiceSession::setSpeaker(ISpeaker* speaker)
{
    if (!speaker)
        return;
    connect(speaker, &ISpeaker::speakingChanged, this, [this](bool speaking) {
        if (m_recognizer)
            m_recognizer->setSuspended(speaking);
    });
    if (m_recognizer)
        m_recognizer->setSuspended(speaker->isSpeaking());
}

void VoiceSession::onVoiceTrain()
{
    VoiceTrainDialog dialog(m_recognizer,
                            m_recognizer ? m_recognizer->customWordsPath()
                                         : VoiceCommandThread::defaultCustomWordsPath(),
                            m_window);
    connect(&dialog, &VoiceTrainDialog::customWordsChanged, this, &VoiceSession::onCustomWordsChanged);
    m_env.execDialog(dialog);
}

void VoiceSession::onCustomWordsChanged(const QString& path)
{
    qInfo().noquote() << "[MainWindow] Voice custom words changed, reloading...";
    if (m_recognizer)
        m_recognizer->loadCustomWords(path);
}
