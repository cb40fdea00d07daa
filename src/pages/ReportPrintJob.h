// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/Status.h"

#include <QString>
#include <QStringList>

class QPrinter;
class TScoreReport;
class TWrauGraphDrawing;

// How a print job ended: the failure that stopped it, or, when every
// document was taken, why they may not come out yet.
struct TPrintResult
{
    TStatus Status = TStatus::Ok();
    // Set when the print system holds the documents instead of printing
    // them, e.g. in a stopped queue.
    QString Waiting;
};

// The print job of the scores page on a printer the print dialog has set
// up: for each copy asked for, the portrait "Score Report" and then the
// landscape "WRau Graphs", each a one-page document of its own. The job
// repeats the documents itself and leaves the printer's own copy count at 1.
// Every printer draws at the resolution of the PDF output, so paper and
// file show the same picture. Printed to a file, each document after the
// first goes to a numbered file beside it ("report.pdf", "report-2.pdf",
// ...) instead of replacing it. After each document on a printer the print
// system is asked whether it took the job; the job stops at the first
// document that was refused or failed, and those already taken stay printed.
TPrintResult PrintReportCopies(QPrinter &printer, const TScoreReport &report, const TWrauGraphDrawing &graph);

// The numbered files the job would write over; the print dialog has only
// asked about the first file.
QStringList NumberedFilesToReplace(const QPrinter &printer);
