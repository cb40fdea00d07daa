// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WrauGraphStyle.h"
#include "record/Conditions.h"

#include <QSize>
#include <QString>

#include <array>

class TCanvas;
class TClientRecord;
class TConstMdbBlock;

// A plot rectangle in pixels of the surface, and its scales.
struct TPlotRect
{
    int Left = 0;
    int Right = 0;
    int Top = 0;
    int Bottom = 0;

    static TPlotRect Of(const TFractionRect &fractions, QSize surface);

    // Plot column k = 1..4 (0, 5, 10, 15 dB SNR), and a whole WRAU, -20 on
    // the bottom edge and 141 on the top.
    int ColumnToX(int k) const;
    int WrauToY(int wrau) const;
};

// The picture of the WRAU graph page: one graph per MDB with its H-Sens and
// L-Sens weighted scores against the SNR, a legend and the SNR-50 table,
// drawn from the record on any canvas. The screen page and the printed
// graph page each own one, with their own style.
class TWrauGraphDrawing
{
public:
    TWrauGraphDrawing(const TClientRecord &record, const TWrauGraphStyle &style);

    // The four graphs, then the legend, then the table; pen, brush and font
    // carry over from one to the next.
    void Paint(TCanvas &canvas) const;

    void DrawWrauGraph(TCanvas &canvas, int mdb) const;
    void DrawGraphLegend(TCanvas &canvas) const;
    void DrawSnr50Table(TCanvas &canvas) const;

    // The table's texts: H-Sens of MDB 1..4, then L-Sens of MDB 1..4.
    std::array<QString, 8> Snr50Texts() const;

private:
    void DrawSeries(TCanvas &canvas, const TPlotRect &plot, const TConstMdbBlock &block, int mdb,
                    Conditions::TTalker talker, int halfSize) const;

    const TClientRecord &m_record;
    TWrauGraphStyle m_style;
};

// The canvas font's face and height, turned 90 degrees to read upward.
void SetRotatedFont(TCanvas &canvas);
