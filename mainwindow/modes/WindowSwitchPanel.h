#pragma once
// The full-window chooser of the five working modes, shown over the main window from the title bar.

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

class WindowSwitchPanel : public QWidget
{
    Q_OBJECT
public:
    explicit WindowSwitchPanel(QWidget* parent);
    void retranslateUi();
    // Shows the chooser centred over its parent and on top of it.
    void popUp();
    QPushButton* modeButton(int mode) const { return m_modeButtons.at(mode); }

signals:
    void modeChosen(int mode);

protected:
    void changeEvent(QEvent* event) override;

private:
    QLabel* m_title = nullptr;
    std::array<QPushButton*, 5> m_modeButtons{};
    std::array<QLabel*, 5> m_modeTitles{};
    std::array<QLabel*, 5> m_modeDescriptions{};
    QPushButton* m_close = nullptr;
};
