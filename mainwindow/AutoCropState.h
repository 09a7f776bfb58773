#pragma once
// Automatic document cropping as the user chose it, and as it is in effect right now. Some working modes
// (ID photo, book capture, presenter view, …) need whole frames and switch cropping off while they run;
// they suspend it here instead of overwriting the user's choice, so that what gets saved, and what comes
// back when the last mode ends, is always what the user picked.

#include <QSet>
#include <QString>

class AutoCropState
{
public:
    explicit AutoCropState(bool userChoice = true) : m_userChoice(userChoice) {}

    // The check box or the stored setting. Kept while suspended and effective again on the last resume.
    void setUserChoice(bool enabled) { m_userChoice = enabled; }
    bool userChoice() const { return m_userChoice; }

    // Switches cropping off on behalf of `reason` (a mode's name). Suspending twice for the same reason
    // counts once, so a mode that is entered again without being left cannot leave cropping off for good.
    void suspend(const QString& reason);
    // Ends the suspension of `reason`; a reason that never suspended changes nothing.
    void resume(const QString& reason);
    void resumeAll() { m_suspendedBy.clear(); }

    bool isSuspended() const { return !m_suspendedBy.isEmpty(); }
    bool isSuspendedBy(const QString& reason) const { return m_suspendedBy.contains(reason); }

    // Whether captures are cropped now: the user's choice, unless some mode has suspended it.
    bool effective() const { return m_userChoice && m_suspendedBy.isEmpty(); }

private:
    bool m_userChoice;
    QSet<QString> m_suspendedBy;
};
