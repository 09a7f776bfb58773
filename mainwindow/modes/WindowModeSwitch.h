#pragma once
// The mode-switching procedure without the widgets: the re-entry guard, the order of the steps and
// the settling delay. The window supplies the steps that move its widgets.

#include <QObject>

#include <functional>

class QTimer;

class WindowModeSwitch : public QObject
{
    Q_OBJECT
public:
    struct Steps {
        // Drops annotations, the drawing tool and the crop selection; runs on every accepted request,
        // also for the mode already shown.
        std::function<void(int targetMode)> resetAnnotations;
        std::function<void(int oldMode)> tearDown;
        // Automatic document detection for the new mode (off in presenter and book mode).
        std::function<void(int oldMode, int newMode)> applyDetectionRule;
        std::function<void(int newMode)> setUp;
        // After the settling delay: the layout catches up.
        std::function<void(int mode)> settled;
    };
    static constexpr int kSettleMs = 50;

    explicit WindowModeSwitch(Steps steps, QObject* parent = nullptr);

    // Returns true when a switch to another mode began. A request during a switch (including its
    // settling delay) is dropped, not queued; an unknown mode is refused.
    bool request(int mode);

    int currentMode() const { return m_currentMode; }
    int targetMode() const { return m_targetMode; }
    bool isSwitching() const { return m_switching; }

signals:
    void switchCompleted(int mode);

private:
    Steps m_steps;
    int m_currentMode = 0;
    int m_targetMode = 0;
    bool m_switching = false;
    QTimer* m_settleTimer = nullptr;
};
