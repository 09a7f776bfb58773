#pragma once
// The window's own title bar ("customTitleBar"): logo and title on the left, the window's buttons on
// the right. It also moves the frameless window when dragged.

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

class TitleBar : public QWidget
{
    Q_OBJECT
public:
    explicit TitleBar(QWidget* parent = nullptr);

    QPushButton* settingsButton() const { return m_settings; }
    QPushButton* windowSwitchButton() const { return m_windowSwitch; }
    QPushButton* menuButton() const { return m_menu; }
    QToolButton* voiceButton() const { return m_voice; }
    QPushButton* maximizeButton() const { return m_maximize; }

    // Shows the maximise or the restore icon.
    void setMaximized(bool maximized);
    void setVoiceOn(bool on);
    void retranslateUi();

signals:
    void logoClicked();
    void settingsClicked();
    void windowSwitchClicked();
    void menuClicked();
    void voiceToggled(bool on);
    void minimizeClicked();
    void maximizeClicked();
    void closeClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* makeButton(const char* objectName, const char* icon);

    QWidget* m_logoArea = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_title = nullptr;
    QPushButton* m_settings = nullptr;
    QPushButton* m_windowSwitch = nullptr;
    QPushButton* m_menu = nullptr;
    QToolButton* m_voice = nullptr;
    QPushButton* m_minimize = nullptr;
    QPushButton* m_maximize = nullptr;
    QPushButton* m_close = nullptr;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
