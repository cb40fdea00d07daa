#pragma once

#include "record/Status.h"

class QPrinter;
class TScoreReport;
class TWrauGraphDrawing;

// The print job of the scores page on a printer the print dialog has set
// up: for each copy asked for, the portrait "Score Report" and then the
// landscape "WRau Graphs", each a one-page document of its own. The job
// repeats the documents itself and leaves the printer's own copy count at 1.
// Printed to a file, each document after the first goes to a numbered file
// beside it ("report.pdf", "report-2.pdf", ...) instead of replacing it.
// Stops at the first document the printer refuses; those already ended stay
// printed.
TStatus PrintReportCopies(QPrinter &printer, const TScoreReport &report, const TWrauGraphDrawing &graph);
