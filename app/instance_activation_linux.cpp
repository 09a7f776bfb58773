#include "InstanceActivation.h"

#include <QDebug>
#include <QSocketNotifier>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace startup {

namespace {

constexpr char kRequest[] = "show\n";

bool fillAddress(const std::string& path, sockaddr_un* address)
{
    std::memset(address, 0, sizeof(*address));
    address->sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address->sun_path))
        return false;
    std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
    return true;
}

} // namespace

std::string activationSocketPath(const std::string& lockFile)
{
    return lockFile + ".sock";
}

bool requestActivation(const std::string& socketPath)
{
    sockaddr_un address;
    if (!fillAddress(socketPath, &address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool sent = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                ::send(fd, kRequest, sizeof(kRequest) - 1, MSG_NOSIGNAL) == ssize_t(sizeof(kRequest) - 1);
    ::close(fd);
    return sent;
}

ActivationServer::ActivationServer(QObject* parent) : QObject(parent) {}

ActivationServer::~ActivationServer()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    ::unlink(m_path.c_str());
}

bool ActivationServer::listen(const std::string& socketPath)
{
    sockaddr_un address;
    if (m_fd >= 0 || !fillAddress(socketPath, &address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    ::unlink(socketPath.c_str());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || ::listen(fd, 4) != 0) {
        qWarning().noquote() << "[MAIN] cannot listen for a second start at" << QString::fromStdString(socketPath)
                             << ":" << std::strerror(errno);
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_path = socketPath;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ActivationServer::onReadable);
    return true;
}

void ActivationServer::onReadable()
{
    for (;;) {
        const int client = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        // The request is one short line; a peer that sends something else, or nothing in time, is not
        // waited for.
        timeval timeout{0, 200 * 1000};
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
        char buffer[sizeof(kRequest)] = {};
        const ssize_t n = ::recv(client, buffer, sizeof(buffer) - 1, 0);
        ::close(client);
        if (n == ssize_t(sizeof(kRequest) - 1) && std::memcmp(buffer, kRequest, size_t(n)) == 0)
            emit activationRequested();
    }
}

} // namespace startup
