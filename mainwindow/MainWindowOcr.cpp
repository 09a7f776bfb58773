// The window's side of OCR and read-aloud: the command forwards to OcrSession, which corrects the
// picture as a capture is corrected, recognises it in the background and shows the text.
#include "CameraController.h"
#include "CameraDock.h"
#include "ImageSaver.h"
#include "ImagingSteps.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "MainWindowCaptureParts.h"
#include "OCRProcessor.h"
#include "OcrLanguageMenu.h"
#include "OcrSession.h"
#include "QtSpeechEngine.h"
#include "Speaker.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

namespace {
// The adapter names its languages in English; the menu shows them in the user's language.
[[maybe_unused]] const char* const kLanguageNames[] = {
    QT_TRANSLATE_NOOP("OcrLanguageMenu", "Chinese"), QT_TRANSLATE_NOOP("OcrLanguageMenu", "English"),
    QT_TRANSLATE_NOOP("OcrLanguageMenu", "Japanese"), QT_TRANSLATE_NOOP("OcrLanguageMenu", "Korean"),
    QT_TRANSLATE_NOOP("OcrLanguageMenu", "French"), QT_TRANSLATE_NOOP("OcrLanguageMenu", "German"),
    QT_TRANSLATE_NOOP("OcrLanguageMenu", "Spanish"), QT_TRANSLATE_NOOP("OcrLanguageMenu", "Russian")};
} // namespace

void MainWindow::buildOcr()
{
    m_speaker = m_env.makeSpeaker ? m_env.makeSpeaker(this) : new Speaker(new QtSpeechEngine(this), this);
    OcrSession::Environment env;
    env.execDialog = m_env.execDialog;
    env.message = [this](int icon, const QString& title, const QString& text) { showMessageBox(icon, title, text); };
    env.recognize = m_env.recognizeText;
    env.saveFileName = m_env.askSaveFileName;
    env.saveDirectory = [this] { return ImageSaver::resolveSaveDirectory(m_settings.savePath); };
    m_ocr = new OcrSession(this, m_speaker, env);
    m_capture->steps->attachTo(m_ocr->corrector());
    m_ocr->corrector().setApplicationDirectory(m_env.appDir);
    connect(m_ocr, &OcrSession::statusMessage, this, &MainWindow::showStatus);
    connect(m_ocr, &OcrSession::runningChanged, this, [this](bool running) {
        m_cameraDock->ocrButton->setEnabled(!running);
        m_actions->ocr->setEnabled(!running);
    });
    OcrLanguageMenu::populate(m_popupOcrLanguageMenu, OCRProcessor::instance(),
                              [this](const QString& text) { showStatus(text, 2000); });
    retranslateOcrLanguageMenu();
}

void MainWindow::retranslateOcrLanguageMenu()
{
    const QMap<int, QString> english = OCRProcessor::instance()->supportedLanguages();
    for (QAction* action : m_popupOcrLanguageMenu->actions())
        action->setText(QCoreApplication::translate("OcrLanguageMenu",
                                                    english.value(action->data().toInt()).toUtf8().constData()));
}

void MainWindow::onPerformOCR()
{
    m_ocr->performOcr(m_cameraController->currentFrame(), captureRequest(TriggerKind::User), m_settings.ocrOutputType);
}
