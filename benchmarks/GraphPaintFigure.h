// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchmarkFigure.h"

// One paint of the WRAU graph page at its design size with every list of
// every MDB scored. Needs a running QGuiApplication.
TBenchmarkFigure MeasureGraphPaint(int runs);
