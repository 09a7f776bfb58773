#pragma once
// The small "Scan Result:" panel of the side panel: the info line, the codes as HTML with their links,
// and "Copy", "Clear" and "Close". It hides itself 30 s after a result. The window decides what a scan
// means (ScanSession); the panel only shows it and reports the user's clicks.

#include "ScanResult.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTextBrowser;
class QTimer;
class QUrl;

class ScanResultPanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kAutoHideMs = 30000;

    explicit ScanResultPanel(QWidget* parent = nullptr);

    // Fills the panel, shows it and starts the auto-hide timer again.
    void showResult(const ScanResult::PanelText& text);
    // Empties and hides the panel and stops the timer.
    void clearResult();

    QLabel* infoLabel() const { return m_info; }
    QTextBrowser* browser() const { return m_browser; }
    QTimer* autoHideTimer() const { return m_autoHide; }
    QPushButton* copyButton() const { return m_copy; }
    QPushButton* clearButton() const { return m_clear; }
    QPushButton* closeButton() const { return m_close; }

signals:
    // A link was clicked; only http and https links are reported.
    void linkActivated(const QUrl& url);
    // "Clear" or the auto-hide timer: the window runs clearScanResult, which also resets the repeat guard.
    void clearRequested();
    // "Copy" put the result on the clipboard ("Result copied to clipboard").
    void copied();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();
    QLabel* m_title = nullptr;

    QLabel* m_info = nullptr;
    QTextBrowser* m_browser = nullptr;
    QTimer* m_autoHide = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_close = nullptr;
};
