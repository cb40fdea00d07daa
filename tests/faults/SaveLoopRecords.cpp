// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveLoopRecords.h"

TClientRecord AlternateRecord(int which)
{
    TClientRecord record;
    record.InitNewRecord(QDate(2026, 1, 1), QLocale::c());
    record.SetCurrentMdb(0);
    record.SetLastName(which == 0 ? QStringLiteral("Alpha") : QStringLiteral("Bravo"));
    for (int s = 0; s < 16; ++s)
        record.Mdb(which).SetWrau(s, float(which * 100 + s));
    return record;
}
