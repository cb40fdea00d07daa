// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunJournal.h"

// What the clinician is told of a run that did not end: "A test of
// SMITH.VEK was interrupted: MDB 2, H-Sens 10 dB, page 3 of 6, sentence 4."
// Sentences and pages are counted from 1, as the test page shows them.
QString InterruptedRunText(const RunJournal::TInterrupted &run);
