// SPDX-License-Identifier: GPL-3.0-or-later
#include "administration/ListTables.h"
#include "administration/RunList.h"
#include "administration/Sentence.h"
#include "administration/SentenceMaterial.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    buffer.open(QIODevice::ReadOnly);
    TSentenceMaterial material;
    material.LoadPassages(buffer);

    // Whether or not the material is usable, nothing may read past it.
    TPage page;
    for (int c = 0; c < ConditionCount; ++c) {
        const TListTableRow &practice = PracticeListTable[c];
        (void)LoadPage(material, {practice.FirstPassageId, -1, practice.ListSlot, 5}, page);
        for (int m = 0; m < TClientRecord::MdbCount; ++m) {
            const TListTableRow &test = TestListTable[m][c];
            (void)LoadPage(material, {test.FirstPassageId, test.SecondPassageId, test.ListSlot, 10}, page);
        }
    }
    return 0;
}
