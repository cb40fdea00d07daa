// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupFigures.h"

#include "ShownWindow.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstring>

namespace {

struct TRun
{
    double Milliseconds;
    double PeakMebibytes;
    double Libraries;
};

TRun RunOnce(const QString &program, const QString &folder)
{
    QProcess child;
    child.setWorkingDirectory(folder);
    QElapsedTimer clock;
    clock.start();
    child.start(program, {});
    const bool shown = child.waitForReadyRead(30000);
    const double elapsed = double(clock.nsecsElapsed()) / 1e6;
    const QList<QByteArray> line = child.readLine().trimmed().split(' ');
    child.waitForFinished(30000);
    if (!shown || line.size() != 3 || line[0] != QByteArray(ShownPrefix).trimmed())
        throw TBenchmarkError{QStringLiteral("%1 did not show its window: %2")
                                  .arg(program, QString::fromLocal8Bit(child.readAllStandardError()))};
    return {elapsed, line[1].toDouble() / 1024, line[2].toDouble()};
}

} // namespace

std::vector<TBenchmarkFigure> MeasureStartup(int runs)
{
    // An empty folder: no material, no settings, as on a first start.
    QTemporaryDir folder;
    const QString programs[2] = {QStringLiteral(AVEK_BARE_WINDOW), QStringLiteral(AVEK_WINDOW)};
    std::vector<double> times[2], peaks[2], libraries[2];
    // In turn, so that a machine busy for a while weighs on both alike.
    for (int i = 0; i < runs; ++i) {
        for (int p = 0; p < 2; ++p) {
            const TRun run = RunOnce(programs[p], folder.path());
            times[p].push_back(run.Milliseconds);
            peaks[p].push_back(run.PeakMebibytes);
            libraries[p].push_back(run.Libraries);
        }
    }
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i)
        ratios.push_back(times[1][size_t(i)] / times[0][size_t(i)]);

    const QString ms = QStringLiteral("ms"), mib = QStringLiteral("MiB"), ratioUnit = QStringLiteral("x");
    TBenchmarkFigure bare = Figure(QStringLiteral("Start to window shown, bare Qt"), times[0], ms);
    TBenchmarkFigure avek = Figure(QStringLiteral("Start to main window shown, AVEK"), times[1], ms);
    avek.Baseline = QStringLiteral("bare Qt %1 ms").arg(bare.Median, 0, 'f', 1);
    TBenchmarkFigure ratio = Held(Figure(QStringLiteral("Start-up, AVEK / bare Qt, run by run"), ratios, ratioUnit), 2);
    TBenchmarkFigure barePeak = Figure(QStringLiteral("Peak memory at start-up, bare Qt"), peaks[0], mib);
    TBenchmarkFigure avekPeak = Figure(QStringLiteral("Peak memory at start-up, AVEK"), peaks[1], mib);
    avekPeak.Baseline = QStringLiteral("bare Qt %1 MiB, %2x")
                            .arg(barePeak.Median, 0, 'f', 1)
                            .arg(avekPeak.Median / barePeak.Median, 0, 'f', 2);
    TBenchmarkFigure bareLibraries = Figure(QStringLiteral("Shared libraries at start-up, bare Qt"), libraries[0], {});
    TBenchmarkFigure avekLibraries = Figure(QStringLiteral("Shared libraries at start-up, AVEK"), libraries[1], {});
    avekLibraries.Baseline = QStringLiteral("bare Qt %1").arg(bareLibraries.Median);
    return {bare, avek, ratio, barePeak, avekPeak, bareLibraries, avekLibraries};
}
