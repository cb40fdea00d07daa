// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchmarkFigure.h"

#include <QElapsedTimer>

#include <algorithm>

bool TBenchmarkFigure::Missed() const
{
    return Limit && (AtLeast ? Median < *Limit : Median > *Limit);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

TBenchmarkFigure Figure(const QString &name, const std::vector<double> &runs, const QString &unit, bool moreIsBetter)
{
    TBenchmarkFigure figure(name, Median(runs), unit);
    if (!runs.empty())
        figure.Worst = moreIsBetter ? *std::min_element(runs.begin(), runs.end())
                                    : *std::max_element(runs.begin(), runs.end());
    figure.AtLeast = moreIsBetter;
    return figure;
}

TBenchmarkFigure Held(TBenchmarkFigure figure, double limit)
{
    figure.Limit = limit;
    figure.Target = QStringLiteral("%1 %2 %3")
                        .arg(figure.AtLeast ? QStringLiteral(">=") : QStringLiteral("<="))
                        .arg(limit)
                        .arg(figure.Unit)
                        .trimmed();
    return figure;
}

std::vector<double> TimeRuns(int runs, const std::function<void()> &once)
{
    return TimeInterleaved(runs, {once}).front();
}

std::vector<std::vector<double>> TimeInterleaved(int runs, const std::vector<std::function<void()>> &each)
{
    std::vector<std::vector<double>> times(each.size());
    QElapsedTimer clock;
    for (int run = 0; run < runs; ++run) {
        for (size_t i = 0; i < each.size(); ++i) {
            clock.start();
            each[i]();
            times[i].push_back(double(clock.nsecsElapsed()) / 1e6);
        }
    }
    return times;
}
