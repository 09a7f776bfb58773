#include "ProcessGroup.h"

#include <csignal>
#include <unistd.h>

GroupLeaderProcess::GroupLeaderProcess(QObject* parent) : QProcess(parent)
{
    // Kept: the group can still hold the office after its leader has gone and processId() reads 0.
    connect(this, &QProcess::started, this, [this] { m_groupId = processId(); });
}

GroupLeaderProcess::~GroupLeaderProcess()
{
    killGroup();
    waitForFinished(2000);
}

void GroupLeaderProcess::setupChildProcess()
{
    // Runs in the child between fork and exec: only async-signal-safe calls.
    ::setpgid(0, 0);
}

void GroupLeaderProcess::killGroup()
{
    // The group outlives its leader while the office it started still runs; its id stays the leader's.
    if (m_groupId > 0)
        ::kill(-static_cast<pid_t>(m_groupId), SIGKILL);
}
