// SPDX-License-Identifier: GPL-3.0-or-later
// Every figure the project is held to, each the median and the worst of its
// runs beside the baseline measured in the same run, with a line naming the
// machine they were taken on. Run by hand:
//   avek_benchmark               the full counts (about a minute)
//   avek_benchmark --runs N      N runs of each figure
//   avek_benchmark --no-targets  figures only: missed targets do not fail
// Each target missed is told on a line starting MISSED, and the exit status
// is then 3. The sound server's figures need one:
//   scripts/with-sound-server avek_benchmark
#include "DiscCheckFigures.h"
#include "ExportFigures.h"
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

constexpr int ExitMissed = 3;

void Print(const TBenchmarkFigure &figure)
{
    QString line = QString::asprintf("%-44s %12.3f %12s %-7s", qPrintable(figure.Name), figure.Median,
                                     figure.Worst ? qPrintable(QString::number(*figure.Worst, 'f', 3)) : "",
                                     qPrintable(figure.Unit));
    if (!figure.Baseline.isEmpty())
        line += QStringLiteral(" (beside %1)").arg(figure.Baseline);
    if (!figure.Target.isEmpty())
        line += QStringLiteral(" (target %1)").arg(figure.Target);
    std::printf("%s\n", qPrintable(line.trimmed()));
    std::fflush(stdout);
}

struct TOptions
{
    // The run count of every figure, or 0 for each figure's own.
    int Runs = 0;
    bool Targets = true;
};

TOptions Options(int argc, char **argv)
{
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            options.Runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--no-targets") == 0) {
            options.Targets = false;
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [--no-targets]\n", argv[0]);
            std::exit(2);
        }
    }
    return options;
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
    const TOptions options = Options(argc, argv);
    const auto runsOr = [&options](int own) { return options.Runs ? options.Runs : own; };

    QApplication application(argc, argv);
    InstallFontSubstitutions();
    std::printf("AVEK %s on %s, %s, %d cores, Qt %s\n", AVEK_VERSION,
                qPrintable(QSysInfo::prettyProductName()), qPrintable(ProcessorName()), QThread::idealThreadCount(),
                qVersion());
    std::printf("%-44s %12s %12s\n", "figure", "median", "worst");
    std::vector<TBenchmarkFigure> missed;
    const auto print = [&missed](const std::vector<TBenchmarkFigure> &figures) {
        for (const TBenchmarkFigure &figure : figures) {
            Print(figure);
            if (figure.Missed())
                missed.push_back(figure);
        }
    };
    try {
        print(MeasurePlayLatency(runsOr(30)));
        print(MeasureSoundServer(runsOr(10)));
        print(MeasureStartup(runsOr(15)));
        print({MeasureGraphPaint(runsOr(200))});
        print({MeasureReportToPdf(runsOr(15))});
        print(MeasureExport(runsOr(5)));
        print(MeasureDiscCheck(runsOr(5)));
        print(MeasureJournalStep(runsOr(100)));
    } catch (const TBenchmarkError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.Message));
        return 1;
    }
    for (const TBenchmarkFigure &figure : missed)
        std::printf("MISSED: %s: %.3f %s against the target %s\n", qPrintable(figure.Name), figure.Median,
                    qPrintable(figure.Unit), qPrintable(figure.Target));
    return missed.empty() || !options.Targets ? 0 : ExitMissed;
}
