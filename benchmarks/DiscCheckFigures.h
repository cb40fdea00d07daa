// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchmarkFigure.h"

// The whole disc check of the demonstration image, against cat of the
// image to /dev/null in the same run (reading is the floor). The ratio's
// name ends in MISSED when it is over its target.
std::vector<TBenchmarkFigure> MeasureDiscCheck(int runs);
