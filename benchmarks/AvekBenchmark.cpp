// SPDX-License-Identifier: GPL-3.0-or-later
// Every figure the project is held to, each the median of its runs, with a
// line naming the machine they were taken on. Run by hand:
//   avek_benchmark            the full counts (about half a minute)
//   avek_benchmark --runs N   N runs of each figure
// The sound server's figures need one: scripts/with-sound-server avek_benchmark
#include "GraphPaintFigure.h"
#include "JournalStepFigure.h"
#include "PlayLatencyFigures.h"
#include "ReportPdfFigure.h"
#include "SoundServerFigures.h"
#include "StartupFigures.h"

#include "drawing/Fonts.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QString ProcessorName()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        const QRegularExpression modelName(QStringLiteral("^model name\\s*:\\s*(.+)$"),
                                           QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = modelName.match(QString::fromLatin1(cpuinfo.readAll()));
        if (match.hasMatch())
            return match.captured(1).trimmed();
    }
    return QSysInfo::currentCpuArchitecture();
}

void Print(const TBenchmarkFigure &figure)
{
    QString line = QString::asprintf("%-40s %10.3f %-4s", qPrintable(figure.Name), figure.Median,
                                     qPrintable(figure.Unit));
    if (!figure.Target.isEmpty())
        line += QStringLiteral(" (target %1)").arg(figure.Target);
    std::printf("%s\n", qPrintable(line.trimmed()));
    std::fflush(stdout);
}

void Print(const std::vector<TBenchmarkFigure> &figures)
{
    for (const TBenchmarkFigure &figure : figures)
        Print(figure);
}

// The run count of every figure, or 0 for each figure's own.
int RunsAsked(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--runs") == 0)
        return std::max(1, std::atoi(argv[2]));
    if (argc != 1) {
        std::fprintf(stderr, "usage: %s [--runs N]\n", argv[0]);
        std::exit(2);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Work the user's own copy kept at a session's end would be offered, and
    // wait for an answer, at every measured start.
    const QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    if (const int childExit = RunStartupChild(argc, argv); childExit >= 0)
        return childExit;
    const int runs = RunsAsked(argc, argv);
    const auto runsOr = [runs](int own) { return runs ? runs : own; };

    QApplication application(argc, argv);
    InstallFontSubstitutions();
    std::printf("AVEK %s on %s, %s, %d cores, Qt %s\n", AVEK_VERSION,
                qPrintable(QSysInfo::prettyProductName()), qPrintable(ProcessorName()), QThread::idealThreadCount(),
                qVersion());
    std::printf("%-40s %10s\n", "figure", "median");
    try {
        Print(MeasurePlayLatency(runsOr(30)));
        Print(MeasureSoundServer(runsOr(10)));
        Print(MeasureStartup(runsOr(15)));
        Print(MeasureGraphPaint(runsOr(200)));
        Print(MeasureReportToPdf(runsOr(15)));
        Print(MeasureJournalStep(runsOr(100)));
    } catch (const TBenchmarkError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.Message));
        return 1;
    }
    return 0;
}
