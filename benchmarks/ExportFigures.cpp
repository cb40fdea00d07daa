// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportFigures.h"

#include "ScoredRecord.h"

#include "record/ClientRecord.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int FileCount = 10000;

// What a clinic's own script would do: read every file, check it is a client
// file, and write each scored list's row with the standard csv module.
constexpr char PythonReader[] = R"(
import csv, os, struct, sys
out = csv.writer(open(os.devnull, 'w', newline=''))
folder = sys.argv[1]
for name in os.listdir(folder):
    with open(os.path.join(folder, name), 'rb') as f:
        data = f.read()
    if len(data) != 2328 or data[:8] != b'VEKTEST2':
        sys.exit('not a client file: ' + name)
    last = data[20:38].split(b'\0')[0].decode('cp1252')
    first = data[38:56].split(b'\0')[0].decode('cp1252')
    date = data[69:80].split(b'\0')[0].decode('cp1252')
    for m in range(4):
        base = 388 + 476 * m
        p = struct.unpack_from('<16f', data, base + 20)
        r = struct.unpack_from('<16f', data, base + 84)
        w = struct.unpack_from('<16f', data, base + 148)
        for slot in range(8, 16):
            if p[slot] != -99.0:
                out.writerow([name, last, first, date, m + 1, slot, '%.2f' % (p[slot] * 100),
                              '%.2f' % r[slot], '%.2f' % w[slot]])
)";

void WriteFolder(const QString &folder, int count)
{
    const QByteArray image = ScoredRecord().Image().toByteArray();
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        QFile file(QStringLiteral("%1/C%2.VEK").arg(folder).arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
            throw TBenchmarkError{QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString())};
    }
}

// Runs a program to its end with its output thrown away, and returns its
// memory's high-water mark in MiB, sampled from the process itself until it
// ends (its rusage would hold the peak of the process it was forked from).
double Run(const QString &program, const QStringList &arguments)
{
    QProcess child;
    child.setStandardOutputFile(QProcess::nullDevice());
    child.start(program, arguments);
    if (!child.waitForStarted())
        throw TBenchmarkError{QStringLiteral("Cannot start %1: %2").arg(program, child.errorString())};
    QFile status(QStringLiteral("/proc/%1/status").arg(child.processId()));
    double peak = 0;
    while (!child.waitForFinished(1)) {
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n'))
                if (line.startsWith("VmHWM:"))
                    peak = std::max(peak, line.mid(6).trimmed().split(' ').first().toDouble() / 1024);
            status.close();
        }
    }
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        throw TBenchmarkError{QStringLiteral("%1 %2 failed: %3")
                                  .arg(program, arguments.join(u' '), QString::fromLocal8Bit(child.readAllStandardError()))};
    return peak;
}

double FilesPerSecond(double milliseconds)
{
    return FileCount / (milliseconds / 1000);
}

std::vector<double> Rates(const std::vector<double> &milliseconds)
{
    std::vector<double> rates;
    for (const double ms : milliseconds)
        rates.push_back(FilesPerSecond(ms));
    return rates;
}

} // namespace

std::vector<TBenchmarkFigure> MeasureExport(int runs)
{
    QTemporaryDir scratch;
    const QString all = scratch.filePath(QStringLiteral("all"));
    const QString tenth = scratch.filePath(QStringLiteral("tenth"));
    WriteFolder(all, FileCount);
    WriteFolder(tenth, FileCount / 10);
    QStringList files = QDir(all).entryList(QDir::Files);
    for (QString &file : files)
        file.prepend(all + u'/');

    const QString tool = QStringLiteral(AVEKTOOL);
    const QStringList export_ = {QStringLiteral("export-csv"), all};
    double peakAll = 0;
    Run(tool, export_); // the files into the page cache
    const std::vector<std::vector<double>> times = TimeInterleaved(
        runs, {[&] { peakAll = std::max(peakAll, Run(tool, export_)); },
               [&] { Run(QStringLiteral("cat"), files); },
               [&] { Run(QStringLiteral("python3"), {QStringLiteral("-c"), QLatin1String(PythonReader), all}); }});
    const double peakTenth = Run(tool, {QStringLiteral("export-csv"), tenth});

    std::vector<double> againstPython;
    for (size_t i = 0; i < times[0].size(); ++i)
        againstPython.push_back(times[0][i] / times[2][i]);

    const QString rate = QStringLiteral("files/s");
    TBenchmarkFigure cat = Figure(QStringLiteral("cat of 10,000 client files"), Rates(times[1]), rate, true);
    TBenchmarkFigure python = Figure(QStringLiteral("Python csv reader, 10,000 files"), Rates(times[2]), rate, true);
    TBenchmarkFigure avek =
        Held(Figure(QStringLiteral("avektool export-csv, 10,000 files"), Rates(times[0]), rate, true), 20000);
    avek.Baseline = QStringLiteral("cat %1, Python %2").arg(cat.Median, 0, 'f', 0).arg(python.Median, 0, 'f', 0);
    TBenchmarkFigure ratio = Held(Figure(QStringLiteral("export-csv time / Python reader's"), againstPython,
                                         QStringLiteral("x")),
                                  0.5);
    TBenchmarkFigure memory(QStringLiteral("Peak memory of export-csv, 10,000 files"), peakAll, QStringLiteral("MiB"));
    memory.Baseline = QStringLiteral("1,000 files %1 MiB").arg(peakTenth, 0, 'f', 1);
    // Memory that grows with the files shows as more than a few pages more.
    memory.Limit = peakTenth + 2;
    memory.Target = QStringLiteral("<= 1,000 files' + 2 MiB");
    return {cat, python, avek, ratio, memory};
}
