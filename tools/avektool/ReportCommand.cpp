#include "ReportCommand.h"

#include "ToolCommand.h"
#include "administration/Snr50.h"
#include "drawing/Canvas.h"
#include "drawing/Fonts.h"
#include "drawing/ScoreReport.h"
#include "drawing/WrauGraphDrawing.h"
#include "record/ClientFileReader.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cstring>

namespace {

bool WritePdf(const QString &fileName, const TScoreReport &report, const TWrauGraphDrawing &graph)
{
    QPdfWriter writer(fileName);
    writer.setResolution(PdfResolution);
    writer.setTitle(QStringLiteral("Score Report"));
    // The margins a printer's PDF output has, so that both are one picture.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Point));
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
