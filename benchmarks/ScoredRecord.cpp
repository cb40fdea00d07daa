// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoredRecord.h"

#include "administration/Snr50.h"
#include "record/ClientRecord.h"

#include <QLocale>

TClientRecord ScoredRecord()
{
    TClientRecord record;
    record.InitNewRecord(QDate(2024, 5, 17), QLocale::c());
    record.SetLastName(QStringLiteral("Benchmark"));
    record.SetFirstName(QStringLiteral("Client"));
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        TMdbBlock block = record.Mdb(m);
        for (int condition = 0; condition < MdbBlockLayout::ConditionCount; ++condition) {
            const int slot = MdbBlockLayout::FirstTestSlot + condition;
            block.SetTested(condition, true);
            block.SetProportion(slot, float(0.1 * condition + 0.05 * m));
            block.SetRau(slot, float(10 * condition + 7 * m - 12));
            block.SetWrau(slot, float(10 * condition + 7 * m - 15));
        }
    }
    RecomputeSnr50(record);
    return record;
}
