// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportPrintJob.h"

#include "PrintQueue.h"
#include "drawing/Canvas.h"
#include "drawing/ScoreReport.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include <functional>
#include <optional>

namespace {

constexpr int DocumentsPerCopy = 2;

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

// A printer of the print system rather than a file.
bool PrintsToQueue(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty();
}

TStatus PrintDocument(QPrinter &printer, QPageLayout::Orientation orientation, const QString &title,
                      const std::function<void(TCanvas &)> &draw, TPrintQueue *queue, QString &waiting)
{
    printer.setPageOrientation(orientation);
    printer.setDocName(title);
    if (!printer.isValid())
        return TStatus::Error(QStringLiteral("There is no valid printer selected."));
    if (queue)
        queue->BeforeDocument();
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
    if (!queue)
        return TStatus::Ok();
    const TQueuedDocument queued = queue->AfterDocument(title);
    if (queued.State == TQueuedDocument::Refused)
        return TStatus::Error(QStringLiteral("Printing \"%1\" failed: %2").arg(title, queued.Reason));
    if (queued.State == TQueuedDocument::Waiting && waiting.isEmpty())
        waiting = QStringLiteral("The printed documents are waiting in the queue of the printer \"%1\": %2.")
                      .arg(printer.printerName(), queued.Reason);
    return TStatus::Ok();
}

} // namespace

TPrintResult PrintReportCopies(QPrinter &printer, const TScoreReport &report, const TWrauGraphDrawing &graph)
{
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    printer.setResolution(PdfResolution);
    const QString firstFile = printer.outputFileName();
    std::optional<TPrintQueue> queue;
    if (PrintsToQueue(printer))
        queue.emplace(printer.printerName());

    TPrintResult result;
    int document = 0;
    const auto next = [&](QPageLayout::Orientation orientation, const QString &title,
                          const std::function<void(TCanvas &)> &draw) {
        if (!firstFile.isEmpty())
            printer.setOutputFileName(DocumentFileName(firstFile, ++document));
        return PrintDocument(printer, orientation, title, draw, queue ? &*queue : nullptr, result.Waiting);
    };
    for (int copy = 0; copy < copies && result.Status; ++copy) {
        result.Status = next(QPageLayout::Portrait, QStringLiteral("Score Report"),
                             [&](TCanvas &canvas) { report.PrintScoreReport(canvas); });
        if (result.Status)
            result.Status = next(QPageLayout::Landscape, QStringLiteral("WRau Graphs"),
                                 [&](TCanvas &canvas) { report.PrintGraphPage(canvas, graph); });
    }
    return result;
}

QStringList NumberedFilesToReplace(const QPrinter &printer)
{
    QStringList existing;
    if (printer.outputFileName().isEmpty())
        return existing;
    for (int document = 2; document <= DocumentsPerCopy * printer.copyCount(); ++document) {
        const QString file = DocumentFileName(printer.outputFileName(), document);
        if (QFileInfo::exists(file))
            existing << QDir::toNativeSeparators(file);
    }
    return existing;
}
