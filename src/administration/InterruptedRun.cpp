// SPDX-License-Identifier: GPL-3.0-or-later
#include "InterruptedRun.h"

#include "RunList.h"
#include "record/ClientRecord.h"
#include "record/Conditions.h"

#include <QFileInfo>

QString InterruptedRunText(const RunJournal::TInterrupted &run)
{
    // The run's lists as it laid them out.
    TClientRecord record;
    record.InitNewRecord();
    record.SetCurrentMdb(run.Start.Mdb);
    record.SetPlayPracticeBlock(run.Start.Practice);
    for (int c = 0; c < Conditions::Count; ++c)
        record.Mdb(run.Start.Mdb).SetSelected(c, (run.Start.Conditions >> c) & 1);
    const TRunList lists = BuildRunList(record);
    QString list;
    if (run.Page <= lists.PageCount) {
        const int slot = lists.Page(run.Page).ListSlot;
        const int condition = Conditions::ConditionOfSlot(slot);
        list = QStringLiteral("%1 %2 dB%3, ")
                   .arg(Conditions::TalkerName(Conditions::TalkerOf(condition)))
                   .arg(Conditions::SnrOf(condition))
                   .arg(slot < Conditions::Count ? QStringLiteral(" practice") : QString());
    }
    const QString client = run.Start.ClientFile.isEmpty() ? QStringLiteral("an untitled client")
                                                          : QFileInfo(run.Start.ClientFile).fileName().toUpper();
    return QStringLiteral("A test of %1 was interrupted: MDB %2, %3page %4 of %5, sentence %6.")
        .arg(client)
        .arg(run.Start.Mdb + 1)
        .arg(list)
        .arg(run.Page)
        .arg(lists.PageCount)
        .arg(run.Sentence + 1);
}
