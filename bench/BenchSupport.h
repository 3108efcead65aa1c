#pragma once
// What every bench program shares: the process's memory and the median of timed runs.

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

namespace tev::bench {

// The resident memory now, in MB.
inline double ResidentMb() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? double(fields[1].toLongLong()) * double(sysconf(_SC_PAGESIZE)) / 1048576.0 : 0;
}

// A line of /proc/self/status in MB ("VmRSS", "VmHWM": resident now, and at its peak).
inline double StatusMb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(int(qstrlen(key)) + 1).trimmed().split(' ')[0].toDouble() / 1024.0;
    return 0;
}

inline double Median(std::vector<double> ms) {
    if (ms.empty()) return 0;
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// Milliseconds of each of repeats runs, in the order run.
inline std::vector<double> TimeRuns(int repeats, const std::function<void()>& run) {
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return ms;
}

// The median of repeats runs, in milliseconds.
inline double MedianMs(int repeats, const std::function<void()>& run) {
    return Median(TimeRuns(repeats, run));
}

// A line of a bench's table: the time, its ratio to the reference pass, the memory now.
inline void RatioRow(const char* what, double ms, double pass) {
    std::printf("  %-52s %9.1f ms  %6.2fx  rss %7.1f MB\n", what, ms, ms / pass, ResidentMb());
}

} // namespace tev::bench
