// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchmarkFigure.h"

// Process start to the main window shown (offscreen) for AVEK and for the
// bare Qt Widgets program beside it, started in turn; the peak memory and
// the shared libraries loaded of each.
std::vector<TBenchmarkFigure> MeasureStartup(int runs);
