#include "ScanSession.h"

#include "ScanRequestPolicy.h"

ScanSession::Outcome ScanSession::scan(const ScannedCodes& codes, const QDateTime& now)
{
    Outcome outcome;
    if (codes.isEmpty()) {
        clear();
        return outcome;
    }
    const QString signature = ScanResult::signature(codes);
    if (signature == m_lastSignature && m_lastTime.isValid()) {
        const qint64 elapsedMs = m_lastTime.msecsTo(now);
        // A clock set back must not lock the code out for the size of the jump.
        if (elapsedMs >= 0 && elapsedMs < kRepeatGuardMs) {
            outcome.kind = Kind::Repeated;
            return outcome;
        }
    }
    m_lastSignature = signature;
    m_lastTime = now;
    outcome.kind = Kind::Accepted;
    outcome.panel = ScanResult::panelText(codes, now.time());
    // At most one request per scan: the first code that is a web address, and only when it points
    // outside this machine and its network.
    for (const ScannedCode& code : codes) {
        const QUrl target = ScanResult::linkTarget(code.data);
        if (!target.isValid())
            continue;
        if (ScanRequestPolicy::mayRequestAutomatically(target))
            outcome.request = target;
        break;
    }
    return outcome;
}

void ScanSession::clear()
{
    m_lastSignature.clear();
    m_lastTime = QDateTime();
}
