// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchmarkFigure.h"

#include <QElapsedTimer>

#include <algorithm>

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<double> TimeRuns(int runs, const std::function<void()> &once)
{
    std::vector<double> times;
    times.reserve(size_t(runs));
    QElapsedTimer clock;
    for (int run = 0; run < runs; ++run) {
        clock.start();
        once();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return times;
}
