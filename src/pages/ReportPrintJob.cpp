// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportPrintJob.h"

#include "PrintQueue.h"
#include "drawing/Canvas.h"
#include "drawing/ScoreReport.h"
#include "record/RegularFile.h"
#include "record/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <functional>
#include <limits>
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
    return QStringLiteral("the printer \"%1\"").arg(printer.printerName());
}

// A printer of the print system rather than a file.
bool PrintsToQueue(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty();
}

TStatus PrintDocument(QPrinter &printer, QPageLayout::Orientation orientation, const QString &title,
                      const std::function<void(TCanvas &)> &draw, TPrintQueue *queue, QString &waiting,
                      const QString &where)
{
    printer.setPageOrientation(orientation);
    printer.setDocName(title);
    if (!printer.isValid())
        return TStatus::Error(QStringLiteral("There is no valid printer selected."));
    if (queue)
        queue->BeforeDocument();
    QPainter painter;
    if (!painter.begin(&printer))
        return TStatus::Error(QStringLiteral("Printing \"%1\" failed: %2 could not be opened.").arg(title, where));
    // Nothing half-drawn is left open on the printer.
    try {
        TCanvas canvas = PageCanvas(painter);
        draw(canvas);
    } catch (...) {
        printer.abort();
        throw;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return TStatus::Error(QStringLiteral("Printing \"%1\" failed: %2 did not take the whole document.").arg(title, where));
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

// Printed to a file, the document is drawn into a folder of the user's own
// and then put in place by the one writer, so that a link or a pipe planted
// at the name is refused and a patient's report gets no others' bits.
TStatus PrintDocumentToFile(QPrinter &printer, const QString &file, const QTemporaryDir &drawn,
                            QPageLayout::Orientation orientation, const QString &title,
                            const std::function<void(TCanvas &)> &draw, QString &waiting)
{
    const QString where = QStringLiteral("the file \"%1\"").arg(QDir::toNativeSeparators(file));
    const auto failed = [&](const QString &reason) {
        return TStatus::Error(QStringLiteral("Printing \"%1\" failed: %2").arg(title, reason));
    };
    if (const QString refusal = SafeFile::RefusalOf(file); !refusal.isEmpty())
        return failed(QStringLiteral("Cannot create file %1: %2").arg(QDir::toNativeSeparators(file), refusal));
    if (!drawn.isValid())
        return failed(QStringLiteral("no private folder to draw it in: %1").arg(drawn.errorString()));
    const QString copy = drawn.filePath(QStringLiteral("document.pdf"));
    printer.setOutputFileName(copy);
    if (TStatus printed = PrintDocument(printer, orientation, title, draw, nullptr, waiting, where); !printed)
        return printed;
    QFile pdf(copy);
    QString reason;
    if (!RegularFile::Open(pdf, std::numeric_limits<qint64>::max(), reason))
        return failed(reason);
    const QByteArray bytes = pdf.readAll();
    if (pdf.error() != QFileDevice::NoError)
        return failed(pdf.errorString());
    pdf.close();
    pdf.remove();
    if (!SafeFile::WriteAll(file, bytes, reason))
        return failed(reason);
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
    std::optional<QTemporaryDir> drawn;
    if (!firstFile.isEmpty())
        drawn.emplace();
    const auto next = [&](QPageLayout::Orientation orientation, const QString &title,
                          const std::function<void(TCanvas &)> &draw) {
        if (drawn)
            return PrintDocumentToFile(printer, DocumentFileName(firstFile, ++document), *drawn, orientation, title,
                                       draw, result.Waiting);
        return PrintDocument(printer, orientation, title, draw, queue ? &*queue : nullptr, result.Waiting,
                             PrinterName(printer));
    };
    for (int copy = 0; copy < copies && result.Status; ++copy) {
        result.Status = next(QPageLayout::Portrait, QStringLiteral("Score Report"),
                             [&](TCanvas &canvas) { report.PrintScoreReport(canvas); });
        if (result.Status)
            result.Status = next(QPageLayout::Landscape, QStringLiteral("WRau Graphs"),
                                 [&](TCanvas &canvas) { report.PrintGraphPage(canvas, graph); });
    }
    if (drawn)
        printer.setOutputFileName(firstFile);
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
