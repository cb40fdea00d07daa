// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListTables.h"

#include "record/Conditions.h"
#include "record/IndexCheck.h"

const std::array<std::array<TListTableRow, ConditionCount>, TClientRecord::MdbCount> TestListTable = {{
    {{{71, 81, 8}, {12, 52, 9}, {83, 53, 10}, {14, 64, 11}, {85, 95, 12}, {36, 86, 13}, {87, 27, 14}, {98, 78, 15}}},
    {{{11, 61, 8}, {32, 82, 9}, {23, 43, 10}, {24, 74, 11}, {35, 75, 12}, {26, 76, 13}, {37, 67, 14}, {28, 68, 15}}},
    {{{31, 51, 8}, {22, 62, 9}, {13, 73, 10}, {44, 54, 11}, {15, 25, 12}, {56, 66, 13}, {17, 77, 14}, {88, 58, 15}}},
    {{{41, 91, 8}, {42, 92, 9}, {33, 63, 10}, {34, 84, 11}, {45, 55, 12}, {96, 46, 13}, {47, 57, 14}, {48, 38, 15}}},
}};

const std::array<TListTableRow, ConditionCount> PracticeListTable = {{
    {21, -1, 0}, {72, -1, 1}, {93, -1, 2}, {94, -1, 3}, {65, -1, 4}, {16, -1, 5}, {97, -1, 6}, {18, -1, 7},
}};

QString ConditionName(int condition)
{
    const int c = CheckedIndex(condition, ConditionCount, "condition");
    return QStringLiteral("%1 %2 dB").arg(Conditions::TalkerName(Conditions::TalkerOf(c))).arg(Conditions::SnrOf(c));
}
