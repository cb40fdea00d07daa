#pragma once

#include "WrauGraphStyle.h"

#include <QString>

#include <array>

class QColor;
class TCanvas;
class TClientRecord;
class TConstMdbBlock;

// The picture of the WRAU graph page: one graph per MDB with its H-Sens and
// L-Sens weighted scores against the SNR, a legend and the SNR-50 table,
// drawn from the record on any canvas. The screen page and the printed
// graph page each own one, with their own style, so that they draw the same
// picture without sharing its scratch state.
class TWrauGraphDrawing
{
public:
    TWrauGraphDrawing(const TClientRecord &record, const TWrauGraphStyle &style);

    // The four graphs, then the legend, then the table: the graphs fill
    // Snr50Texts for the table, and pen, brush and font carry over.
    void Paint(TCanvas &canvas);

    void DrawWrauGraph(TCanvas &canvas, int mdb);
    void DrawGraphLegend(TCanvas &canvas);
    void DrawSnr50Table(TCanvas &canvas);

    // Scales of the current plot rectangle: plot column k = 1..4 (0, 5, 10,
    // 15 dB SNR), and a whole WRAU, -20 on the bottom edge and 141 on the top.
    int ColumnToX(int k) const;
    int WrauToY(int wrau) const;

    // The current plot rectangle, in pixels of the surface.
    int PlotLeft = 0;
    int PlotRight = 0;
    int PlotTop = 0;
    int PlotBottom = 0;
    // H-Sens of MDB 1..4, then L-Sens of MDB 1..4.
    std::array<QString, 8> Snr50Texts;

private:
    void SetPlotRect(const TFractionRect &fractions, const TCanvas &canvas);
    void DrawSeries(TCanvas &canvas, const TConstMdbBlock &block, const std::array<int, 4> &columnSlots,
                    const QColor &colour, bool diamonds, int halfSize);
    void DrawCentredText(TCanvas &canvas, const QString &text, int cx, int cy, const QString &widthSample);

    const TClientRecord &m_record;
    TWrauGraphStyle m_style;
};

// The canvas font's face and height, turned 90 degrees to read upward.
void SetRotatedFont(TCanvas &canvas);
