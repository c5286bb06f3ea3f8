// Measures Corvane as a user meets it, each figure side by side with its
// baseline in the same run, the two interleaved (A B A B ...):
//   start-up   exec to the launcher window mapped and first painted, watched
//              from outside by an X client, against a bare Qt Widgets window;
//   memory     resident set size one second after the window shows, likewise;
//   run        Run click to the emulator running, against posix_spawn of the
//              same stand-in emulator from the same process.
//
//   corvanebench STARTWATCH CORVANE FLOOR STAMP [COUNTED-RUNS]
// DISPLAY must name an X server with no window manager (run.sh starts Xvfb).

#include "dialogdriver.h"
#include "launcherwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

constexpr int warmUpRuns = 3;

struct Series
{
    QList<double> values;

    double min() const { return *std::min_element(values.begin(), values.end()); }
    double max() const { return *std::max_element(values.begin(), values.end()); }
    double median() const
    {
        QList<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const qsizetype n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
};

struct Figure
{
    QString name;
    QString unit;
    Series subject;
    Series baseline;
    Series ratio; // run by run, subject over its paired baseline

    void add(double subjectValue, double baselineValue)
    {
        subject.values << subjectValue;
        baseline.values << baselineValue;
        ratio.values << subjectValue / baselineValue;
    }
};

long long nowMicroseconds()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000 + ts.tv_nsec / 1000;
}

// Start-up in microseconds and resident set size in kB, or {-1, -1}.
QPair<double, double> watchStart(const QString &startwatch, const QString &program,
                                 const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // ours, not theirs: they use the X server
    env.insert(QStringLiteral("HOME"), home);
    QProcess watch;
    watch.setProcessEnvironment(env);
    watch.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    watch.start(startwatch, {program});
    if (!watch.waitForFinished(60000) || watch.exitCode() != 0)
        return {-1, -1};
    const QList<QByteArray> fields = watch.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        return {-1, -1};
    return {fields[0].toDouble(), fields[1].toDouble()};
}

qsizetype lineCount(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : 0;
}

// Waits for the stand-in emulator to add its line; returns when it started.
long long waitForStamp(const QString &path, qsizetype linesBefore)
{
    QElapsedTimer waited;
    waited.start();
    while (lineCount(path) <= linesBefore) {
        if (waited.elapsed() > 10000)
            return -1;
        QThread::usleep(100);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().trimmed().split('\n').constLast().toLongLong();
}

void printFigure(const Figure &figure, const char *subject, const char *baseline)
{
    auto row = [&](const char *who, const Series &series, double scale, int decimals) {
        std::printf("| %s | %s | %.*f | %.*f | %.*f |\n", qPrintable(figure.name), who, decimals,
                    series.min() * scale, decimals, series.median() * scale, decimals,
                    series.max() * scale);
    };
    const double scale = figure.unit == QLatin1String("ms") ? 0.001 : 1.0;
    row(subject, figure.subject, scale, figure.unit == QLatin1String("ms") ? 2 : 0);
    row(baseline, figure.baseline, scale, figure.unit == QLatin1String("ms") ? 2 : 0);
    row("ratio", figure.ratio, 1.0, 3);
}

QString cpuModel()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly))
        for (const QByteArray &line : cpuinfo.readAll().split('\n'))
            if (line.startsWith("model name"))
                return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
    return QStringLiteral("unknown CPU");
}

} // namespace

int main(int argc, char *argv[])
{
    // This process's own widgets stay off the X server the programs are watched
    // on; what the offscreen platform says of them is no figure.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "corvanebench: %s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: corvanebench STARTWATCH CORVANE FLOOR STAMP [RUNS]\n");
        return 2;
    }
    const QString startwatch = args[1], corvane = args[2], floor = args[3], stamp = args[4];
    const int runs = args.size() > 5 ? args[5].toInt() : 20;

    QTemporaryDir home;
    Figure startup {QStringLiteral("start-up"), QStringLiteral("ms"), {}, {}, {}};
    Figure memory {QStringLiteral("memory (RSS)"), QStringLiteral("kB"), {}, {}, {}};
    for (int i = 0; i < warmUpRuns + runs; ++i) {
        const auto a = watchStart(startwatch, corvane, home.path());
        const auto b = watchStart(startwatch, floor, home.path());
        if (a.first < 0 || b.first < 0) {
            std::fprintf(stderr, "corvanebench: a window did not show\n");
            return 1;
        }
        if (i < warmUpRuns)
            continue;
        startup.add(a.first, b.first);
        memory.add(a.second, b.second);
    }

    // Run latency: choose the stand-in emulator and a "ROM" that is the file it
    // stamps, then alternate Run clicks with direct starts.
    QTemporaryDir work;
    const QString stamps = work.filePath(QStringLiteral("stamps.vb"));
    QFile(stamps).open(QIODevice::WriteOnly);
    LauncherWindow launcher([] {});
    launcher.show();
    if (!QTest::qWaitForWindowExposed(&launcher))
        return 1;
    if (!DialogDriver::clickAndDrive(
                launcher.findChild<QPushButton *>(QStringLiteral("cmdExecute")),
                DialogDriver::Action::TypeName, stamp)
        || !DialogDriver::clickAndDrive(launcher.findChild<QPushButton *>(QStringLiteral("cmdROM")),
                                        DialogDriver::Action::TypeName, stamps)) {
        std::fprintf(stderr, "corvanebench: could not choose the stand-in emulator\n");
        return 1;
    }
    QPushButton *run = launcher.findChild<QPushButton *>(QStringLiteral("cmdRun"));

    const QByteArray stampPath = QFile::encodeName(stamp);
    const QByteArray stampsPath = QFile::encodeName(stamps);
    Figure latency {QStringLiteral("run latency"), QStringLiteral("ms"), {}, {}, {}};
    for (int i = 0; i < warmUpRuns + runs; ++i) {
        qsizetype lines = lineCount(stamps);
        long long clicked = nowMicroseconds();
        QTest::mouseClick(run, Qt::LeftButton);
        const long long viaCorvane = waitForStamp(stamps, lines) - clicked;

        lines = lineCount(stamps);
        char *spawnArgs[] = {const_cast<char *>(stampPath.constData()),
                             const_cast<char *>(stampsPath.constData()), nullptr};
        pid_t pid = 0;
        const long long spawned = nowMicroseconds();
        if (posix_spawn(&pid, stampPath.constData(), nullptr, nullptr, spawnArgs, environ) != 0)
            return 1;
        const long long direct = waitForStamp(stamps, lines) - spawned;
        waitpid(pid, nullptr, 0);
        if (viaCorvane < 0 || direct < 0) {
            std::fprintf(stderr, "corvanebench: the stand-in emulator did not start\n");
            return 1;
        }
        if (i >= warmUpRuns)
            latency.add(double(viaCorvane), double(direct));
    }

    std::printf("Corvane benchmark: %d counted runs of each after %d warm-up runs, "
                "interleaved.\nMachine: %s, %d cores; Qt %s; X server: Xvfb.\n\n",
                runs, warmUpRuns, qPrintable(cpuModel()), QThread::idealThreadCount(), qVersion());
    std::printf("| figure | program | min | median | max |\n|---|---|---|---|---|\n");
    printFigure(startup, "Corvane (ms)", "bare Qt window (ms)");
    printFigure(memory, "Corvane (kB)", "bare Qt window (kB)");
    printFigure(latency, "Run click (ms)", "posix_spawn (ms)");
    std::printf("\nMedian of the run-by-run ratios: start-up %.3f, memory %.3f.\n",
                startup.ratio.median(), memory.ratio.median());
    std::fflush(stdout);
    return 0;
}
