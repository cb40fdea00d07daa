// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

class QPainter;
class TCanvas;
class TClientRecord;
class TWrauGraphDrawing;

// The two printed pages of the client file's results, each drawn on a
// canvas the size of a printer page in its own pixels: the portrait score
// report and the landscape graph page. Only the record is read.
class TScoreReport
{
public:
    TScoreReport(const TClientRecord &record, const QString &shortFileName, const QDate &printed);

    // The header with the client comments, the tables and the MDB comments.
    void PrintScoreReport(TCanvas &canvas) const;
    // A shorter header, then the graphs, legend and SNR-50 table.
    void PrintGraphPage(TCanvas &canvas, const TWrauGraphDrawing &graph) const;

private:
    void PrintScoreReportHeader(TCanvas &canvas) const;
    void PrintMdbComments(TCanvas &canvas) const;
    void PrintGraphPageHeader(TCanvas &canvas) const;
    void PrintHeaderLines(TCanvas &canvas, double titleY, double printedY, double nameY) const;

    const TClientRecord &m_record;
    QString m_shortFileName;
    QDate m_printed;
};

// Every printed page, on paper as in a PDF, is drawn at this resolution:
// the pens of 1 and 2 pixels and the legend's pixel offsets are meant for it.
inline constexpr int PdfResolution = 300;

// A canvas over the whole page of the painter's device, in its pixels, with
// black Arial text measured by that device.
TCanvas PageCanvas(QPainter &painter);
