#pragma once

#include <QByteArrayList>
#include <QList>
#include <QTemporaryDir>

// The runs of the argument recorder that stands in for the emulator: each run
// leaves a record named after its process id, holding its arguments.
class RecordedRuns
{
public:
    struct Run
    {
        qint64 pid = 0;
        QByteArrayList arguments;
        QByteArrayList environment; // NAME=value
        QByteArrayList descriptors; // the numbers of those it was started with
    };

    RecordedRuns(); // points ARGRECORDER_DIR at a fresh folder
    ~RecordedRuns();

    bool isValid() const { return m_dir.isValid(); }
    // Waits up to a few seconds for count runs to have been recorded, then a
    // moment more, so that a further, unwanted run shows too.
    QList<Run> waitFor(int count) const;

private:
    QList<Run> read() const;

    QTemporaryDir m_dir;
};

// The processes whose parent is this process, zombies included.
QList<qint64> childProcesses();
bool processIsAlive(qint64 pid);
