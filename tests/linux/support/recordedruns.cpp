#include "recordedruns.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <signal.h>
#include <unistd.h>

RecordedRuns::RecordedRuns()
{
    qputenv("ARGRECORDER_DIR", QFile::encodeName(m_dir.path()));
}

RecordedRuns::~RecordedRuns()
{
    qunsetenv("ARGRECORDER_DIR");
}

QList<RecordedRuns::Run> RecordedRuns::waitFor(int count) const
{
    QList<Run> runs;
    if (QTest::qWaitFor([&] { return (runs = read()).size() >= count; }))
        QTest::qWait(200);
    return read(); // the caller compares the runs
}

namespace {

QByteArrayList strings(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray contents = file.readAll();
    contents.chop(1); // each string ends in a NUL
    return contents.isNull() ? QByteArrayList() : contents.split('\0');
}

} // namespace

QList<RecordedRuns::Run> RecordedRuns::read() const
{
    QList<Run> runs;
    const QDir dir(m_dir.path());
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        if (name.contains(QLatin1Char('.')) || !QFile::exists(dir.filePath(name)))
            continue;
        Run run;
        run.pid = name.toLongLong();
        run.arguments = strings(dir.filePath(name));
        run.environment = strings(dir.filePath(name + QStringLiteral(".env")));
        run.descriptors = strings(dir.filePath(name + QStringLiteral(".fds")));
        std::sort(run.descriptors.begin(), run.descriptors.end());
        runs << run;
    }
    return runs;
}

QList<qint64> childProcesses()
{
    QList<qint64> children;
    const QString self = QString::number(getpid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (comm) state ppid ...; comm may hold spaces, so read after the last ')'.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1] == self.toLatin1())
            children << pid.toLongLong();
    }
    return children;
}

bool processIsAlive(qint64 pid)
{
    if (::kill(pid_t(pid), 0) != 0)
        return false;
    // A zombie still answers kill(); it is not alive.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}
