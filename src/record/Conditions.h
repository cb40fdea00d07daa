// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MdbBlock.h"

#include <QString>

#include <array>

// The eight test conditions of an MDB and where their lists are kept: the
// one place that knows condition c = 0..3 is H-Sens at 15, 10, 5 and 0 dB SNR
// and c = 4..7 the same for L-Sens, that slot c holds c's practice list and
// slot 8 + c its test list. Every table, graph, report and export reads its
// rows and columns from here, so that they cannot disagree.
namespace Conditions {

enum class TTalker { High, Low };

constexpr int Count = MdbBlockLayout::ConditionCount;
constexpr int PerTalker = Count / 2;
constexpr std::array<TTalker, 2> Talkers{TTalker::High, TTalker::Low};

// A talker's SNRs in the order of its conditions: row r of every score table.
constexpr std::array<int, PerTalker> SnrDb{15, 10, 5, 0};

constexpr TTalker TalkerOf(int condition) { return condition < PerTalker ? TTalker::High : TTalker::Low; }
constexpr int RowOf(int condition) { return condition % PerTalker; }
constexpr int SnrOf(int condition) { return SnrDb[RowOf(condition)]; }
constexpr int ConditionOf(TTalker talker, int row) { return (talker == TTalker::High ? 0 : PerTalker) + row; }

constexpr int PracticeSlot(int condition) { return condition; }
constexpr int TestSlot(int condition) { return MdbBlockLayout::FirstTestSlot + condition; }
constexpr int TestSlot(TTalker talker, int row) { return TestSlot(ConditionOf(talker, row)); }
constexpr int ConditionOfSlot(int slot) { return slot % Count; }

// The graphs run the other way: plot column k = 1..4 is 0, 5, 10, 15 dB SNR.
constexpr int RowOfColumn(int column) { return PerTalker - column; }

// "H-Sens" or "L-Sens".
inline QString TalkerName(TTalker talker)
{
    return talker == TTalker::High ? QStringLiteral("H-Sens") : QStringLiteral("L-Sens");
}

static_assert(SnrOf(ConditionOf(TTalker::Low, RowOfColumn(1))) == 0);
static_assert(TestSlot(TTalker::Low, 0) == 12 && TestSlot(TTalker::High, 3) == 11);

} // namespace Conditions
