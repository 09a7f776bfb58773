#pragma once
// A second start of the program must not look like nothing happened: the running instance listens on a
// socket beside its lock file, and the second one asks it through that socket to show its window before
// exiting.

#include <QObject>

#include <string>

class QSocketNotifier;

namespace startup {

// "<lock file>.sock".
std::string activationSocketPath(const std::string& lockFile);

// Asks the instance listening at `socketPath` to show itself. False when nobody listens there.
bool requestActivation(const std::string& socketPath);

class ActivationServer : public QObject
{
    Q_OBJECT
public:
    explicit ActivationServer(QObject* parent = nullptr);
    ~ActivationServer() override;

    // Only the holder of the single-instance lock calls this, so a socket file found there is stale.
    bool listen(const std::string& socketPath);

signals:
    void activationRequested();

private:
    void onReadable();

    int m_fd = -1;
    std::string m_path;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace startup
