// SPDX-License-Identifier: GPL-3.0-or-later
#include "administration/ListTables.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The published table, a row per condition and a pair per MDB, as printed on
// the material's sheet rather than in the order the program indexes it.
constexpr qint32 PublishedTestLists[ConditionCount][TClientRecord::MdbCount][2] = {
    {{71, 81}, {11, 61}, {31, 51}, {41, 91}}, {{12, 52}, {32, 82}, {22, 62}, {42, 92}},
    {{83, 53}, {23, 43}, {13, 73}, {33, 63}}, {{14, 64}, {24, 74}, {44, 54}, {34, 84}},
    {{85, 95}, {35, 75}, {15, 25}, {45, 55}}, {{36, 86}, {26, 76}, {56, 66}, {96, 46}},
    {{87, 27}, {37, 67}, {17, 77}, {47, 57}}, {{98, 78}, {28, 68}, {88, 58}, {48, 38}},
};
constexpr qint32 PublishedPracticeLists[ConditionCount] = {21, 72, 93, 94, 65, 16, 97, 18};

TEST(ListTables, MatchThePublishedTables)
{
    for (int c = 0; c < ConditionCount; ++c) {
        for (int m = 0; m < TClientRecord::MdbCount; ++m) {
            const TListTableRow &row = TestListTable[m][c];
            EXPECT_EQ(row.FirstPassageId, PublishedTestLists[c][m][0]) << "MDB " << m + 1 << ", condition " << c;
            EXPECT_EQ(row.SecondPassageId, PublishedTestLists[c][m][1]) << "MDB " << m + 1 << ", condition " << c;
            EXPECT_EQ(row.ListSlot, 8 + c);
        }
        EXPECT_EQ(PracticeListTable[c].FirstPassageId, PublishedPracticeLists[c]) << "condition " << c;
        EXPECT_EQ(PracticeListTable[c].SecondPassageId, -1);
        EXPECT_EQ(PracticeListTable[c].ListSlot, c);
    }
}

// Whatever a copy got wrong, the material's own rules still hold: every one
// of the 72 passages serves exactly one list, and a passage's units digit is
// its condition + 1.
TEST(ListTables, UseEveryPassageOnceInItsCondition)
{
    std::multiset<qint32> used;
    const auto use = [&](qint32 id, int condition) {
        used.insert(id);
        EXPECT_EQ(id % 10, condition + 1) << "passage " << id;
        EXPECT_TRUE(id >= 11 && id <= 98) << "passage " << id;
    };
    for (int c = 0; c < ConditionCount; ++c) {
        use(PracticeListTable[c].FirstPassageId, c);
        for (int m = 0; m < TClientRecord::MdbCount; ++m) {
            use(TestListTable[m][c].FirstPassageId, c);
            use(TestListTable[m][c].SecondPassageId, c);
        }
    }
    EXPECT_EQ(used.size(), 72u);
    EXPECT_EQ(std::set<qint32>(used.begin(), used.end()).size(), 72u);
}

} // namespace
