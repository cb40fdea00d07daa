// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchmarkFigure.h"

// "&Print Scores" to a PDF file: one copy of the score report and the graph
// page, drawn and written. Needs a running QGuiApplication.
TBenchmarkFigure MeasureReportToPdf(int runs);
