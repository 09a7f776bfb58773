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

signals:
    void terminationRequested(int signalNumber);

private:
    void onSignalReadable();

    QSocketNotifier* m_notifier = nullptr;
    QWidget* m_window = nullptr;
};

} // namespace startup
