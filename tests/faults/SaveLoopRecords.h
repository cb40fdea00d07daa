// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/ClientRecord.h"

// The two records the save loop writes in turn: which is 0 or 1.
TClientRecord AlternateRecord(int which);
