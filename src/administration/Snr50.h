// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

class TClientRecord;
class TMdbBlock;

// The SNR at which the weighted score reaches 50, from the WRAU at 0, 5, 10
// and 15 dB SNR (-99 where a list was not scored), by straight-line
// interpolation between the outermost usable points. Negative results are
// codes: -99 nothing tested, -10 nothing usable (also when a score is not a
// number or infinite), -9 no estimate (also when the
// line crosses 50 below 0 dB), -8..-5 every score at or above 50, -4..-1 every
// score at or below 50.
qint32 EstimateSnr50(float w0, float w1, float w2, float w3);

// Both estimates of a block from its test-list WRAU values.
void RecomputeSnr50(TMdbBlock block);
// Both estimates of every block, as loading a client file does.
void RecomputeSnr50(TClientRecord &record);
