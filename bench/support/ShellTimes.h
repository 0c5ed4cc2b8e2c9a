#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>

namespace bench {

// The least and the median of a series of times in ms.
struct Times {
    double least = 0;
    double median = 0;
};

Times summary(QList<double> ms);

// Real and processor time of a series of runs, in ms.
struct Runs {
    QList<double> real;
    QList<double> cpu;
};

// Processor time of this process (user and system) in ms.
double processMs();

inline double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Runs body as the benchmark and returns the times of each run.
template <class Body> Runs timeRuns(benchmark::State& state, Body&& body) {
    Runs runs;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processMs();
        body();
        runs.cpu.append(processMs() - cpuStart);
        runs.real.append(msSince(start));
    }
    return runs;
}

// The sqlite3 shell's own timer figures for runs of sql, started with arguments (the
// database file last) and writing the rows to output.
Runs shellRuns(const QStringList& arguments, const QString& sql, const QString& output,
               int runs = 9);

// The real and processor times of whole runs of the sqlite3 shell, started with arguments
// and fed script; before runs ahead of each, untimed. For dot commands, which the shell's
// own timer does not time. The times include starting the shell.
Runs shellProcessRuns(const QStringList& arguments, const QByteArray& script,
                      const std::function<void()>& before, int runs = 9);

// Our least and median real times beside the shell's, and the ratios of ours to the shell's.
void realBesideShell(benchmark::State& state, const Runs& ours, const Runs& shell);

// The same for the median processor time, which a busy machine disturbs less.
void cpuBesideShell(benchmark::State& state, const Runs& ours, const Runs& shell);

} // namespace bench
