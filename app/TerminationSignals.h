#pragma once
// SIGTERM, SIGINT and SIGHUP close the main window the normal way, so a logout or Ctrl+C still ends
// with a complete log. The handler only writes to a pipe; the event loop does the closing.

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace startup {

class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    // The window to close when a termination signal arrives.
    void setWindow(QWidget* window) { m_window = window; }
    // A signal came before the event loop ran: closing the window then cannot end a loop that has not
    // started, so the caller must not enter it.
    bool requested() const { return m_requested; }

signals:
    void terminationRequested(int signalNumber);

private:
    void onSignalReadable();

    QSocketNotifier* m_notifier = nullptr;
    QWidget* m_window = nullptr;
    bool m_requested = false;
};

} // namespace startup
