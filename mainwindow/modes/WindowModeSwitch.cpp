#include "WindowModeSwitch.h"

#include "WindowModes.h"

#include <QDebug>
#include <QTimer>

WindowModeSwitch::WindowModeSwitch(Steps steps, QObject* parent) : QObject(parent), m_steps(std::move(steps))
{
    m_settleTimer = new QTimer(this);
    m_settleTimer->setSingleShot(true);
    m_settleTimer->setInterval(kSettleMs);
    connect(m_settleTimer, &QTimer::timeout, this, [this] {
        if (m_steps.settled)
            m_steps.settled(m_currentMode);
        m_switching = false;
        qInfo() << "[WindowMode] Switch completed, mode:" << m_currentMode;
        emit switchCompleted(m_currentMode);
    });
}

bool WindowModeSwitch::request(int mode)
{
    if (m_switching) {
        qInfo() << "[WindowMode] Switching in progress, ignoring duplicate request to mode:" << mode;
        return false;
    }
    if (!windowmode::isValid(mode)) {
        qWarning() << "[WindowMode] Unknown mode requested:" << mode;
        return false;
    }
    if (m_steps.resetAnnotations)
        m_steps.resetAnnotations(mode);
    qInfo() << "[WindowMode] Cleared annotation toolbar & reset VideoWidget to ModeNone, target mode:" << mode;
    if (mode == m_currentMode) {
        qInfo() << "[WindowMode] Already in mode:" << mode << ", no need to switch";
        return false;
    }
    m_switching = true;
    m_targetMode = mode;
    const int oldMode = m_currentMode;
    qInfo() << "[WindowMode] Switching from" << oldMode << "to" << mode;
    if (m_steps.tearDown)
        m_steps.tearDown(oldMode);
    m_currentMode = mode;
    if (m_steps.applyDetectionRule)
        m_steps.applyDetectionRule(oldMode, mode);
    if (m_steps.setUp)
        m_steps.setUp(mode);
    m_settleTimer->start();
    return true;
}
