// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/ClientRecord.h"

#include <QString>

#include <array>

// Which passages make up each list. A test list has two passages, a practice
// list one (its second id is -1).
struct TListTableRow
{
    qint32 FirstPassageId;
    qint32 SecondPassageId;
    qint32 ListSlot;
};

constexpr int ConditionCount = MdbBlockLayout::ConditionCount;

// Indexed [mdb][condition].
extern const std::array<std::array<TListTableRow, ConditionCount>, TClientRecord::MdbCount> TestListTable;
// Indexed [condition]; the same in every MDB.
extern const std::array<TListTableRow, ConditionCount> PracticeListTable;

// "H-Sens 15 dB" .. "L-Sens 0 dB", for messages.
QString ConditionName(int condition);
