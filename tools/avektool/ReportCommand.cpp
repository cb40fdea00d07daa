// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportCommand.h"

#include "ToolCommand.h"
#include "administration/Snr50.h"
#include "drawing/Canvas.h"
#include "drawing/Fonts.h"
#include "drawing/ScoreReport.h"
#include "drawing/WrauGraphDrawing.h"
#include "record/ClientFileReader.h"
#include "record/RegularFile.h"
#include "record/SafeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPageSize>
#include <QPdfWriter>

#include <cstring>
#include <limits>
#include <filesystem>

namespace {

// How the command was asked to write the report.
struct TReportRequest
{
    QString ClientFile;
    QString Pdf;
    QPageSize Paper;
    bool Force = false;
};

// The paper a print dialog of this locale proposes.
QPageSize LocalePaper()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

// Empty when the arguments make a request, otherwise what is wrong with them.
QString ParseArguments(const QStringList &arguments, TReportRequest &request)
{
    QStringList files;
    request.Paper = LocalePaper();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--force")) {
            request.Force = true;
        } else if (argument == QLatin1String("--paper")) {
            const QString paper = arguments.value(++i);
            if (paper.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
                request.Paper = QPageSize(QPageSize::A4);
            else if (paper.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
                request.Paper = QPageSize(QPageSize::Letter);
            else
                return QStringLiteral("--paper takes A4 or Letter");
        } else if (argument.startsWith(QLatin1String("--"))) {
            return QStringLiteral("unknown option %1").arg(argument);
        } else {
            files << argument;
        }
    }
    if (files.size() != 2)
        return QStringLiteral("give the client file and the PDF to write");
    request.ClientFile = files[0];
    request.Pdf = files[1];
    return QString();
}

bool IsPdf(const QString &fileName)
{
    QFile file(fileName);
    QString reason;
    return RegularFile::Open(file, std::numeric_limits<qint64>::max(), reason) && file.read(5) == "%PDF-";
}

// Empty when the PDF may be written, otherwise why not.
QString RefusedOutput(const TReportRequest &request)
{
    const QFileInfo output(request.Pdf);
    const QString name = QDir::toNativeSeparators(request.Pdf);
    // A link, a pipe or a device is refused even with --force.
    if (const QString refusal = SafeFile::RefusalOf(request.Pdf); !refusal.isEmpty())
        return QStringLiteral("Cannot create file %1: %2").arg(name, refusal);
    if (!output.exists())
        return QString();
    std::error_code error;
    if (std::filesystem::equivalent(QFile::encodeName(request.ClientFile).toStdString(),
                                    QFile::encodeName(request.Pdf).toStdString(), error))
        return QStringLiteral("\"%1\" is the client file itself; the report is not written over it.").arg(name);
    if (output.isDir())
        return QStringLiteral("\"%1\" is a folder.").arg(name);
    if (!request.Force && !IsPdf(request.Pdf))
        return QStringLiteral("\"%1\" exists and is not a PDF; give --force to replace it.").arg(name);
    return QString();
}

bool WritePdf(QIODevice &device, const QPageSize &paper, const TScoreReport &report, const TWrauGraphDrawing &graph)
{
    QPdfWriter writer(&device);
    writer.setResolution(PdfResolution);
    writer.setTitle(QStringLiteral("Score Report"));
    // The margins a printer's PDF output has, so that both are one picture.
    writer.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Point));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    {
        TCanvas canvas = PageCanvas(painter);
        report.PrintScoreReport(canvas);
    }
    writer.setPageOrientation(QPageLayout::Landscape);
    writer.newPage();
    {
        TCanvas canvas = PageCanvas(painter);
        report.PrintGraphPage(canvas, graph);
    }
    return painter.end();
}

} // namespace

int RunReport(const QStringList &arguments, QTextStream &, QTextStream &err)
{
    TReportRequest request;
    if (const QString wrong = ParseArguments(arguments, request); !wrong.isEmpty()) {
        err << "avektool report: " << wrong << ".\n";
        return ExitBadUsage;
    }
    TClientRecord record;
    if (const TStatus status = ReadClientFile(request.ClientFile, record); !status) {
        err << status.message() << '\n';
        return ExitBadInput;
    }
    if (const QString refused = RefusedOutput(request); !refused.isEmpty()) {
        err << refused << '\n';
        return ExitBadInput;
    }
    // As loading the file into the program does.
    RecomputeSnr50(record);
    const TScoreReport report(record, QFileInfo(request.ClientFile).fileName(), QDate::currentDate());
    const TWrauGraphDrawing graph(record, PrintedGraphStyle);
    // The PDF is made in memory, because the PDF writer stops quietly at a
    // short write and a full disk would pass unseen.
    QByteArray pdf;
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly) || !WritePdf(buffer, request.Paper, report, graph)) {
        err << "Cannot create file " << QDir::toNativeSeparators(request.Pdf) << ": the report could not be drawn\n";
        return ExitBadInput;
    }
    QString reason;
    if (!SafeFile::WriteAll(request.Pdf, pdf, reason)) {
        err << reason << '\n';
        return ExitBadInput;
    }
    return ExitOk;
}

bool DrawsPages(int argc, char *argv[])
{
    // check-material measures the sentences in the test page's font.
    return argc > 1 && (std::strcmp(argv[1], "report") == 0 || std::strcmp(argv[1], "check-material") == 0);
}

std::unique_ptr<QCoreApplication> CreatePageApplication(int &argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    InstallFontSubstitutions();
    return application;
}
