// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchmarkFigure.h"

// Process start to the main window shown (offscreen), for AVEK and for a
// bare Qt program with one main window of the same size showing a line of
// text, and the peak memory of both. Each run starts this program again in a child mode.
std::vector<TBenchmarkFigure> MeasureStartup(int runs);

// When the arguments ask for a child run, performs it and returns its exit
// code; otherwise returns -1.
int RunStartupChild(int &argc, char **argv);
