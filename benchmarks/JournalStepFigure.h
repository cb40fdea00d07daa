// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchmarkFigure.h"

#include <vector>

// One step of a run's journal made durable (a mark, appended and synced) in
// a temporary folder: the median and the slowest of the runs.
std::vector<TBenchmarkFigure> MeasureJournalStep(int runs);
