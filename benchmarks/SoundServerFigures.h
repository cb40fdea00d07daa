// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchmarkFigure.h"

// Plays through the real sound output into a private sound server and reads
// its sink's monitor: Play to the first frame there, also when the output
// lost in the play before is opened afresh first, the last frame there to
// Notify, and dropouts per hour of play while two processes keep the
// processors busy. Empty, with a line saying why, without such a server
// (scripts/with-sound-server starts one). Needs a running QCoreApplication.
std::vector<TBenchmarkFigure> MeasureSoundServer(int runs);
