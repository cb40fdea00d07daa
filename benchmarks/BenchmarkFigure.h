// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// One line of the summary: the median of a figure's runs, the worst of them,
// the baseline it is read against, and the target it is held to (empty where
// none is set). A figure with a limit is missed when its median passes it.
struct TBenchmarkFigure
{
    TBenchmarkFigure(QString name, double median, QString unit, QString target = {})
        : Name(std::move(name)), Median(median), Unit(std::move(unit)), Target(std::move(target))
    {
    }

    QString Name;
    double Median = 0;
    QString Unit;
    QString Target;
    std::optional<double> Worst;
    QString Baseline;
    std::optional<double> Limit;
    bool AtLeast = false;

    bool Missed() const;
};

double Median(std::vector<double> values);

// The median and the worst of runs; the worst is the highest, or for a
// figure where more is better the lowest.
TBenchmarkFigure Figure(const QString &name, const std::vector<double> &runs, const QString &unit,
                        bool moreIsBetter = false);
// The figure held to a limit its median must not pass: at most the limit,
// or at least it where more is better.
TBenchmarkFigure Held(TBenchmarkFigure figure, double limit);

// Calls `once` `runs` times; the milliseconds each call took.
std::vector<double> TimeRuns(int runs, const std::function<void()> &once);
// Calls each of `each` in turn, `runs` rounds, so that a machine that slows
// down or speeds up meanwhile weighs on all alike; the milliseconds of each.
std::vector<std::vector<double>> TimeInterleaved(int runs, const std::vector<std::function<void()>> &each);

// A figure that could not be measured; the message says why.
struct TBenchmarkError
{
    QString Message;
};
