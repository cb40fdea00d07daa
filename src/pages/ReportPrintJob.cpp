#include "ReportPrintJob.h"

#include "drawing/ScoreReport.h"
#include "drawing/Canvas.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include <functional>

namespace {

QString DocumentFileName(const QString &first, int document)
{
    if (document == 1)
        return first;
    const QFileInfo info(first);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    return info.dir().filePath(QStringLiteral("%1-%2%3").arg(info.completeBaseName()).arg(document).arg(suffix));
}

QString PrinterName(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return QStringLiteral("the file \"%1\"").arg(QDir::toNativeSeparators(printer.outputFileName()));
    return QStringLiteral("the printer \"%1\"").arg(printer.printerName());
}

TStatus PrintDocument(QPrinter &printer, QPageLayout::Orientation orientation, const QString &title,
                      const std::function<void(TCanvas &)> &draw)
{
    printer.setPageOrientation(orientation);
    printer.setDocName(title);
    if (!printer.isValid())
        return TStatus::Error(QStringLiteral("There is no valid printer selected."));
    QPainter painter;
    if (!painter.begin(&printer))
        return TStatus::Error(QStringLiteral("Printing \"%1\" failed: %2 could not be opened.").arg(title, PrinterName(printer)));
    // Nothing half-drawn is left open on the printer.
    try {
        TCanvas canvas = PageCanvas(painter);
        draw(canvas);
    } catch (...) {
        printer.abort();
        throw;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return TStatus::Error(QStringLiteral("Printing \"%1\" failed: %2 did not take the whole document.").arg(title, PrinterName(printer)));
    return TStatus::Ok();
}

} // namespace

TStatus PrintReportCopies(QPrinter &printer, const TScoreReport &report, const TWrauGraphDrawing &graph)
{
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setResolution(PdfResolution);
    const QString firstFile = printer.outputFileName();

    int document = 0;
    const auto next = [&](QPageLayout::Orientation orientation, const QString &title,
                          const std::function<void(TCanvas &)> &draw) {
        if (!firstFile.isEmpty())
            printer.setOutputFileName(DocumentFileName(firstFile, ++document));
        return PrintDocument(printer, orientation, title, draw);
    };
    for (int copy = 0; copy < copies; ++copy) {
        if (TStatus status = next(QPageLayout::Portrait, QStringLiteral("Score Report"),
                                  [&](TCanvas &canvas) { report.PrintScoreReport(canvas); });
            !status)
            return status;
        if (TStatus status = next(QPageLayout::Landscape, QStringLiteral("WRau Graphs"),
                                  [&](TCanvas &canvas) { report.PrintGraphPage(canvas, graph); });
            !status)
            return status;
    }
    return TStatus::Ok();
}
