// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscCheckFigures.h"

#include "DemoSet.h"

#include "administration/SentenceMaterial.h"
#include "cdaudio/DiscCheck.h"

#include <QProcess>

namespace {

constexpr double TargetRatio = 2;

void Cat(const QString &path)
{
    QProcess cat;
    cat.setStandardOutputFile(QProcess::nullDevice());
    cat.start(QStringLiteral("cat"), {path});
    if (!cat.waitForFinished(60000) || cat.exitCode() != 0)
        throw TBenchmarkError{QStringLiteral("cat %1 failed").arg(path)};
}

} // namespace

std::vector<TBenchmarkFigure> MeasureDiscCheck(int runs)
{
    const DemoSet::TSet &demo = DemoSet::Set();
    if (!demo.Failure.isEmpty())
        throw TBenchmarkError{demo.Failure};
    TSentenceMaterial material;
    if (const TStatus loaded = material.LoadPassages(demo.Material()); !loaded)
        throw TBenchmarkError{loaded.message()};
    const QString image = demo.Path(QStringLiteral("VEKDEMO.bin"));
    // Both from the page cache: what is measured is the check's own work.
    Cat(image);
    const double cat = Median(TimeRuns(runs, [&] { Cat(image); }));
    const double check = Median(TimeRuns(runs, [&] {
        const TDiscCheck::TReport report = TDiscCheck::Run(demo.Sheet(), material);
        if (!report.Passed)
            throw TBenchmarkError{report.Text};
    }));
    const double ratio = cat > 0 ? check / cat : 0;
    return {
        {QStringLiteral("disc check of the demo image"), check, QStringLiteral("ms"), QString()},
        {QStringLiteral("cat of the demo image"), cat, QStringLiteral("ms"), QString()},
        {ratio > TargetRatio ? QStringLiteral("disc check / cat MISSED") : QStringLiteral("disc check / cat"), ratio,
         QStringLiteral("x"), QStringLiteral("at most %1").arg(TargetRatio)},
    };
}
