// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunList.h"

#include "ListTables.h"
#include "PassageRecord.h"
#include "record/ClientRecord.h"
#include "record/IndexCheck.h"

const TRunEntry &TRunList::Page(int number) const
{
    return Entries[CheckedIndex(number - 1, PageCount, "run list page")];
}

TRunList BuildRunList(const TClientRecord &record)
{
    TRunList run;
    const int mdb = record.CurrentMdb();
    const TConstMdbBlock block = record.Mdb(mdb);
    const auto append = [&run](const TListTableRow &row, int sentences) {
        run.Entries[run.PageCount++] = {row.FirstPassageId, row.SecondPassageId, row.ListSlot, sentences};
    };
    for (int c = 0; c < ConditionCount; ++c) {
        if (!block.Selected(c))
            continue;
        if (record.PlayPracticeBlock())
            append(PracticeListTable[c], PassageLayout::SentenceCount);
        append(TestListTable[mdb][c], 2 * PassageLayout::SentenceCount);
    }
    return run;
}
