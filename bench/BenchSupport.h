#pragma once

// Figures the benchmarks share.

#include <QByteArray>
#include <QFile>
#include <QList>

#include <algorithm>
#include <unistd.h>
#include <vector>

// The middle one of some measurements (the upper middle of an even number).
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The memory this process holds in RAM now, in MiB.
inline double residentMb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}
