// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupFigures.h"

#include "app/Application.h"
#include "app/AvekProgram.h"
#include "app/Winmain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

constexpr char ChildOption[] = "--startup-child";
constexpr char ShownPrefix[] = "shown ";

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Reports the peak memory once the window has been shown, and quits.
int ShowAndQuit(QApplication &application, QWidget &window)
{
    window.show();
    QTimer::singleShot(0, &application, [] {
        std::printf("%s%ld\n", ShownPrefix, PeakKilobytes());
        std::fflush(stdout);
        QApplication::quit();
    });
    return application.exec();
}

struct TRun
{
    double Milliseconds;
    long PeakKilobytes;
};

TRun RunOnce(const QString &mode, const QString &folder)
{
    QProcess child;
    child.setWorkingDirectory(folder);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(ChildOption), mode});
    const bool shown = child.waitForReadyRead(30000);
    const double elapsed = double(clock.nsecsElapsed()) / 1e6;
    const QByteArray line = child.readLine();
    child.waitForFinished(30000);
    if (!shown || !line.startsWith(ShownPrefix))
        throw TBenchmarkError{QStringLiteral("The %1 child did not show its window: %2")
                                  .arg(mode, QString::fromLocal8Bit(child.readAllStandardError()))};
    return {elapsed, line.mid(int(std::strlen(ShownPrefix))).trimmed().toLong()};
}

} // namespace

int RunStartupChild(int &argc, char **argv)
{
    if (argc != 3 || std::strcmp(argv[1], ChildOption) != 0)
        return -1;
    const bool avek = std::strcmp(argv[2], "avek") == 0;
    TApplication application(argc, argv);
    if (!avek) {
        // One line of text, so that the bare program loads the font database
        // too: that is most of what any Qt window with words costs at start.
        QMainWindow window;
        window.setCentralWidget(new QLabel(QStringLiteral("Bare Qt")));
        window.resize(640, 452);
        return ShowAndQuit(application, window);
    }
    TAvekProgram program;
    return ShowAndQuit(application, program.MainWindow());
}

std::vector<TBenchmarkFigure> MeasureStartup(int runs)
{
    // An empty folder: no material, no settings, as on a first start.
    QTemporaryDir folder;
    double medians[2];
    double peaks[2];
    const QString modes[2] = {QStringLiteral("bare"), QStringLiteral("avek")};
    for (int m = 0; m < 2; ++m) {
        std::vector<double> times, peakMebibytes;
        for (int i = 0; i < runs; ++i) {
            const TRun run = RunOnce(modes[m], folder.path());
            times.push_back(run.Milliseconds);
            peakMebibytes.push_back(double(run.PeakKilobytes) / 1024);
        }
        medians[m] = Median(times);
        peaks[m] = Median(peakMebibytes);
    }
    const QString ms = QStringLiteral("ms"), mb = QStringLiteral("MiB"), times = QStringLiteral("x");
    return {
        {QStringLiteral("Start to main window shown, AVEK"), medians[1], ms, QString()},
        {QStringLiteral("Start to main window shown, bare Qt"), medians[0], ms, QString()},
        {QStringLiteral("Start-up, AVEK / bare Qt"), medians[1] / medians[0], times, QString()},
        {QStringLiteral("Peak memory at start-up, AVEK"), peaks[1], mb, QString()},
        {QStringLiteral("Peak memory at start-up, bare Qt"), peaks[0], mb, QString()},
        {QStringLiteral("Peak memory, AVEK / bare Qt"), peaks[1] / peaks[0], times, QString()},
    };
}
