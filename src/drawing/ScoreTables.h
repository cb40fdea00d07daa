// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TCanvas;
class TClientRecord;

// The score report's tables: Percent, RAU and WRAU of H-Sentences above and
// L-Sentences below, one column per MDB and one row per SNR, and the talker
// levels under the RAU tables. Positions are fractions of the canvas.
void PrintScoreTables(TCanvas &canvas, const TClientRecord &record);
