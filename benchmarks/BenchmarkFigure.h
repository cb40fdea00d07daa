// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <vector>

// One line of the summary: the median of a figure's runs and the target it
// is held to (empty where none is set).
struct TBenchmarkFigure
{
    QString Name;
    double Median = 0;
    QString Unit;
    QString Target;
};

double Median(std::vector<double> values);

// Calls `once` `runs` times; the milliseconds each call took.
std::vector<double> TimeRuns(int runs, const std::function<void()> &once);

// A figure that could not be measured; the message says why.
struct TBenchmarkError
{
    QString Message;
};
