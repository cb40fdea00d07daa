// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportPdfFigure.h"

#include "ScoredRecord.h"

#include "pages/ReportPrintJob.h"
#include "drawing/ScoreReport.h"
#include "drawing/WrauGraphDrawing.h"
#include "record/ClientRecord.h"

#include <QPrinter>
#include <QTemporaryDir>

TBenchmarkFigure MeasureReportToPdf(int runs)
{
    const TClientRecord record = ScoredRecord();
    const TScoreReport report(record, QStringLiteral("BENCH.VEK"), QDate(2024, 5, 18));
    TWrauGraphDrawing graph(record, PrintedGraphStyle);
    QTemporaryDir folder;
    const auto print = [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(PdfResolution);
        printer.setOutputFileName(folder.filePath(QStringLiteral("report.pdf")));
        if (const TStatus status = PrintReportCopies(printer, report, graph).Status; !status)
            throw TBenchmarkError{status.message()};
    };
    print();
    return Figure(QStringLiteral("Score report and graph page to PDF"), TimeRuns(runs, print), QStringLiteral("ms"));
}
