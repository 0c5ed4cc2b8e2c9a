#include "support/ShellTimes.h"

#include "support/Readings.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <ctime>
#include <sqlite3.h>
#include <sys/resource.h>

namespace bench {

Times summary(QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms.first(), ms[ms.size() / 2]};
}

double processMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

Runs shellRuns(const QStringList& arguments, const QString& sql, const QString& output, int runs) {
    QProcess shell;
    shell.start("/usr/bin/sqlite3", arguments);
    QByteArray script = ".timer on\n";
    for (int i = 0; i < runs; ++i)
        script += ".output " + output.toUtf8() + "\n" + sql.toUtf8() + ";\n.output stdout\n";
    shell.write(script);
    shell.closeWriteChannel();
    shell.waitForFinished(-1);
    static const QRegularExpression timer(
        QStringLiteral("Run Time: real ([0-9.]+) user ([0-9.]+) sys ([0-9.]+)"));
    Runs times;
    const QString out = QString::fromUtf8(shell.readAllStandardOutput()) +
                        QString::fromUtf8(shell.readAllStandardError());
    for (auto match = timer.globalMatch(out); match.hasNext();) {
        const auto found = match.next();
        times.real.append(found.captured(1).toDouble() * 1000);
        times.cpu.append((found.captured(2).toDouble() + found.captured(3).toDouble()) * 1000);
    }
    if (times.real.size() != runs || out.contains(QLatin1String("error"), Qt::CaseInsensitive))
        qFatal("the sqlite3 shell gave %d times for %d runs: %s", int(times.real.size()), runs,
               qPrintable(out));
    return times;
}

namespace {

double childrenMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

Runs shellProcessRuns(const QStringList& arguments, const QByteArray& script,
                      const std::function<void()>& before, int runs) {
    Runs times;
    for (int i = 0; i < runs; ++i) {
        before();
        const double cpuStart = childrenMs();
        const auto start = std::chrono::steady_clock::now();
        QProcess shell;
        shell.start("/usr/bin/sqlite3", arguments);
        shell.write(script);
        shell.closeWriteChannel();
        shell.waitForFinished(-1);
        times.real.append(msSince(start));
        times.cpu.append(childrenMs() - cpuStart);
        const QByteArray errors = shell.readAllStandardError();
        if (shell.exitCode() != 0 || !errors.isEmpty())
            qFatal("the sqlite3 shell failed: %s", errors.constData());
    }
    return times;
}

void realBesideShell(benchmark::State& state, const Runs& ours, const Runs& shell) {
    const Times our = summary(ours.real), their = summary(shell.real);
    state.counters["median_ms"] = our.median;
    state.counters["shell_median_ms"] = their.median;
    state.counters["x_shell_median"] = our.median / their.median;
    state.counters["least_ms"] = our.least;
    state.counters["shell_least_ms"] = their.least;
    state.counters["x_shell_least"] = our.least / their.least;
}

void cpuBesideShell(benchmark::State& state, const Runs& ours, const Runs& shell) {
    const Times our = summary(ours.cpu), their = summary(shell.cpu);
    state.counters["cpu_median_ms"] = our.median;
    state.counters["shell_cpu_median_ms"] = their.median;
    state.counters["x_shell_cpu_median"] = our.median / their.median;
}

} // namespace bench
