// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalStepFigure.h"

#include "administration/RunJournal.h"
#include "record/SafeFile.h"

#include <QTemporaryDir>

#include <algorithm>

std::vector<TBenchmarkFigure> MeasureJournalStep(int runs)
{
    // In the folder temporary files go to; the state folder is on the same
    // disk on most machines.
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.journal"));
    QString reason;
    if (!SafeFile::Append(path, RunJournal::StartLine({}), reason))
        throw TBenchmarkError{reason};
    const QByteArray line = RunJournal::MarkLine(3, 4, AllCorrectMarks());
    const std::vector<double> times = TimeRuns(runs, [&] {
        if (!SafeFile::Append(path, line, reason))
            throw TBenchmarkError{reason};
    });
    constexpr double LimitMs = 5;
    const auto figure = [](const char *name, double ms) {
        return TBenchmarkFigure{QLatin1String(name), ms, QStringLiteral("ms"),
                                ms < LimitMs ? QStringLiteral("< 5 ms") : QStringLiteral("< 5 ms, MISSED")};
    };
    return {figure("journal step, median", Median(times)),
            figure("journal step, slowest", *std::max_element(times.begin(), times.end()))};
}
