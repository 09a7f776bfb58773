#include "ScannerGunBuffer.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

ScannerGunBuffer::ScannerGunBuffer(QObject* parent) : QObject(parent)
{
    m_inputTimer.setSingleShot(true);
    m_captureTimer.setSingleShot(true);
    connect(&m_inputTimer, &QTimer::timeout, this, &ScannerGunBuffer::onInputTimeout);
    connect(&m_captureTimer, &QTimer::timeout, this, &ScannerGunBuffer::onCaptureTimeout);
}

bool ScannerGunBuffer::isCodeKey(int key)
{
    return key == Qt::Key_Plus || key == Qt::Key_Minus || key == Qt::Key_Equal || key == Qt::Key_Underscore
           || (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z);
}

bool ScannerGunBuffer::handleKeyPress(int key, const QString& text)
{
    if (m_capturing)
        return false;
    if (isCodeKey(key)) {
        m_inputTimer.start(kInputTimeoutMs);
        if (!text.isEmpty()) {
            m_buffer += text;
            qDebug().noquote() << "[ScannerGun] Buffer:" << m_buffer;
        }
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_buffer.isEmpty())
            return true;
        qInfo().noquote() << "[ScannerGun] Code received:" << m_buffer;
        m_inputTimer.stop();
        m_captureTimer.start(m_captureDelayMs);
        return true;
    }
    return false;
}

void ScannerGunBuffer::setCaptureDelayMs(int delayMs) { m_captureDelayMs = qMax(0, delayMs); }

void ScannerGunBuffer::onInputTimeout()
{
    if (m_buffer.isEmpty())
        return;
    qInfo().noquote() << "[ScannerGun] Input timeout, code complete:" << m_buffer;
    if (!m_capturing)
        m_captureTimer.start(m_captureDelayMs);
}

void ScannerGunBuffer::onCaptureTimeout()
{
    if (m_capturing)
        return;
    m_capturing = true;
    const QString code = m_buffer;
    m_buffer.clear();
    if (code.isEmpty()) {
        m_capturing = false;
        return;
    }
    qInfo().noquote() << "[ScannerGun] Triggering capture with barcode:" << code;
    emit captureRequested(code);
}

void ScannerGunBuffer::captureFinished() { m_capturing = false; }

void ScannerGunBuffer::reset()
{
    m_inputTimer.stop();
    m_captureTimer.stop();
    m_buffer.clear();
}

QString ScannerGunBuffer::captureStatusText(const QString& code)
{
    return QCoreApplication::translate("ScannerGunBuffer", "Scanner Gun: Capturing with code %1...").arg(code);
}

bool ScannerGunBuffer::shouldTakeKeysFrom(QWidget* focusWidget, QWidget* activeWindow, QWidget* mainWindow)
{
    if (!mainWindow || activeWindow != mainWindow)
        return false;
    if (!focusWidget)
        return true;
    // A text field inside the main window (search box, editable combo) keeps its typing. A spin box does
    // not: a scan landing in the timer interval box would change the setting instead of naming a capture.
    if (qobject_cast<QAbstractSpinBox*>(focusWidget) || qobject_cast<QAbstractSpinBox*>(focusWidget->parentWidget()))
        return focusWidget->window() == mainWindow;
    if (qobject_cast<QLineEdit*>(focusWidget) || qobject_cast<QTextEdit*>(focusWidget)
        || qobject_cast<QPlainTextEdit*>(focusWidget))
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(focusWidget))
        return !combo->isEditable();
    // A text edit's viewport can hold the focus proxy; its owning editor decides.
    for (QWidget* w = focusWidget->parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w))
            return false;
    }
    return focusWidget->window() == mainWindow;
}
