#pragma once
// A child process that leads a process group of its own, so that it can be ended together with every
// process it started (the export script's office would otherwise outlive a killed script).

#include <QProcess>

class GroupLeaderProcess : public QProcess
{
public:
    explicit GroupLeaderProcess(QObject* parent = nullptr);
    ~GroupLeaderProcess() override;

    // Kills the child's whole group (the child and what it started). Safe when it has already ended.
    void killGroup();

protected:
    void setupChildProcess() override;

private:
    qint64 m_groupId = 0;
};
