#pragma once
// Barcode scanner guns type their code as keystrokes, usually followed by Enter. This collects those
// keys into a code and, a configurable delay after the code ends (Enter, or 200 ms without a key),
// asks once for a capture named after it.
#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

class ScannerGunBuffer : public QObject {
    Q_OBJECT
public:
    static constexpr int kInputTimeoutMs = 200;
    static constexpr int kDefaultCaptureDelayMs = 1000;

    explicit ScannerGunBuffer(QObject* parent = nullptr);

    // One key press (Qt::Key code and the event's text). Returns whether the key was taken; a key
    // not taken goes on to normal processing. Nothing is taken while a capture runs.
    bool handleKeyPress(int key, const QString& text);

    void setCaptureDelayMs(int delayMs);
    int captureDelayMs() const { return m_captureDelayMs; }

    QString buffer() const { return m_buffer; }
    bool isCapturing() const { return m_capturing; }
    bool isCapturePending() const { return m_captureTimer.isActive(); }

    // The capture asked for by captureRequested ended; codes are taken again.
    void captureFinished();
    // Leaving scanner-gun naming: forget a half-typed code and any pending capture.
    void reset();

    // The status text shown while capturing with `code`.
    static QString captureStatusText(const QString& code);

    // Whether keys should go to the scanner buffer at all: only while the main window itself is the
    // active window (not a dialog over it) and the focus is not in a field that takes typing.
    static bool shouldTakeKeysFrom(QWidget* focusWidget, QWidget* activeWindow, QWidget* mainWindow);

signals:
    void captureRequested(QString code);

private:
    void onInputTimeout();
    void onCaptureTimeout();
    static bool isCodeKey(int key);

    QString m_buffer;
    QTimer m_inputTimer;
    QTimer m_captureTimer;
    int m_captureDelayMs = kDefaultCaptureDelayMs;
    bool m_capturing = false;
};
