// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchmarkFigure.h"

// avektool export-csv over a folder of 10,000 client files beside cat
// reading the same files and a small Python reader writing the same rows,
// in turn; and its peak memory with a tenth of the files beside all.
std::vector<TBenchmarkFigure> MeasureExport(int runs);
