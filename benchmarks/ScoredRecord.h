// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TClientRecord;

// A client with every list of every MDB scored and the SNR-50s estimated:
// the most the graph and the report ever draw.
TClientRecord ScoredRecord();
