#include "ReportCommand.h"

#include "ToolCommand.h"
#include "administration/Snr50.h"
#include "controls/Canvas.h"
#include "controls/Fonts.h"
#include "pages/ReportPrintJob.h"
#include "pages/ScoreReport.h"
#include "pages/WrauGraphDrawing.h"
#include "record/ClientFileReader.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

#include <cstring>

namespace {

bool WritePdf(const QString &fileName, const TScoreReport &report, TWrauGraphDrawing &graph)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setResolution(PdfResolution);
    printer.setDocName(QStringLiteral("Score Report"));
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    {
        TCanvas canvas = PageCanvas(painter);
        report.PrintScoreReport(canvas);
    }
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.newPage();
    {
        TCanvas canvas = PageCanvas(painter);
        report.PrintGraphPage(canvas, graph);
    }
    return painter.end();
}

} // namespace

int RunReport(const QStringList &arguments, QTextStream &, QTextStream &err)
{
    const QString &fileName = arguments.at(0);
    TClientRecord record;
    if (const TStatus status = ReadClientFile(fileName, record); !status) {
        err << status.message() << '\n';
        return ExitBadInput;
    }
    // As loading the file into the program does.
    RecomputeSnr50(record);
    const TScoreReport report(record, QFileInfo(fileName).fileName(), QDate::currentDate());
    TWrauGraphDrawing graph(record, PrintedGraphStyle);
    if (!WritePdf(arguments.at(1), report, graph)) {
        err << "Cannot write \"" << QDir::toNativeSeparators(arguments.at(1)) << "\".\n";
        return ExitBadInput;
    }
    return ExitOk;
}

bool DrawsPages(int argc, char *argv[])
{
    return argc > 1 && std::strcmp(argv[1], "report") == 0;
}

std::unique_ptr<QCoreApplication> CreatePageApplication(int &argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    InstallFontSubstitutions();
    return application;
}
