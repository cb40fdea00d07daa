// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchmarkFigure.h"

// The player over a disc image and the real-time null sink: Play until the
// first frame reaches the sink, and the last frame's play-out until Notify
// arrives on the GUI thread. Needs a running QCoreApplication.
std::vector<TBenchmarkFigure> MeasurePlayLatency(int runs);
