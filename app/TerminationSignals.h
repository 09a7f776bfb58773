#pragma once
// SIGTERM, SIGINT and SIGHUP end the program the normal way, so a logout or Ctrl+C still ends with a
// complete log: terminationRequested lets the window close itself, then the event loop quits. The
// handler only writes to a pipe; the event loop does the rest.

#include <QObject>

class QSocketNotifier;

namespace startup {

class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    // A signal came before the event loop ran: closing the window then cannot end a loop that has not
    // started, so the caller must not enter it.
    bool requested() const { return m_requested; }

signals:
    void terminationRequested(int signalNumber);

private:
    void onSignalReadable();

    QSocketNotifier* m_notifier = nullptr;
    bool m_requested = false;
};

} // namespace startup
