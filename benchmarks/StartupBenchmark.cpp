// How long AVEK takes from process start to its main window on screen, next
// to a bare Qt program with one main window, and the peak memory of both.
// Run without arguments; it starts itself in each mode several times.
#include "app/Application.h"
#include "app/AvekProgram.h"
#include "app/Winmain.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Prints the peak memory once the window has been shown, and quits.
int ShowAndQuit(QApplication &application, QWidget &window)
{
    window.show();
    QTimer::singleShot(0, &application, [] {
        std::printf("shown %ld\n", PeakKilobytes());
        std::fflush(stdout);
        QApplication::quit();
    });
    return application.exec();
}

int Child(int argc, char **argv, bool avek)
{
    TApplication application(argc, argv);
    if (!avek) {
        QMainWindow window;
        window.resize(640, 452);
        return ShowAndQuit(application, window);
    }
    TAvekProgram program;
    return ShowAndQuit(application, program.MainWindow());
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
    child.start(QCoreApplication::applicationFilePath(), {mode});
    child.waitForReadyRead(30000);
    const double elapsed = double(clock.nsecsElapsed()) / 1e6;
    const QByteArray line = child.readLine();
    child.waitForFinished(30000);
    return {elapsed, line.mid(6).trimmed().toLong()};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 2 && (qstrcmp(argv[1], "avek") == 0 || qstrcmp(argv[1], "bare") == 0))
        return Child(argc, argv, qstrcmp(argv[1], "avek") == 0);

    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    constexpr int Runs = 15;
    double medians[2];
    long peaks[2];
    const char *modes[2] = {"bare", "avek"};
    for (int m = 0; m < 2; ++m) {
        std::vector<double> times;
        long peak = 0;
        for (int i = 0; i < Runs; ++i) {
            const TRun run = RunOnce(QLatin1String(modes[m]), folder.path());
            times.push_back(run.Milliseconds);
            peak = std::max(peak, run.PeakKilobytes);
        }
        medians[m] = Median(times);
        peaks[m] = peak;
        std::printf("%-5s start to window shown: median %.1f ms over %d runs, peak memory %ld KiB\n", modes[m],
                    medians[m], Runs, peaks[m]);
    }
    std::printf("AVEK / bare Qt: start-up %.2f, peak memory %.2f\n", medians[1] / medians[0],
                double(peaks[1]) / double(peaks[0]));
    return 0;
}
