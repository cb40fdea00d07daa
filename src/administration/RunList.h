// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>

class TClientRecord;

// One list of a run: which passages, which list slot it is scored into, and
// how many sentences it has (10 for a test list, 5 for a practice list).
struct TRunEntry
{
    qint32 FirstPassageId = 0;
    qint32 SecondPassageId = 0;
    qint32 ListSlot = 0;
    qint32 SentenceCount = 0;

    friend bool operator==(const TRunEntry &, const TRunEntry &) = default;
};

// The lists of one run in the order they are given; pages are numbered from 1.
struct TRunList
{
    static constexpr int MaxEntries = 16;

    std::array<TRunEntry, MaxEntries> Entries{};
    int PageCount = 0;

    const TRunEntry &Page(int number) const;
};

// For every selected condition of the current MDB, in condition order: its
// practice list when practice is on, then its test list.
TRunList BuildRunList(const TClientRecord &record);
