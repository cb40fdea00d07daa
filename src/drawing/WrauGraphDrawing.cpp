// SPDX-License-Identifier: GPL-3.0-or-later
#include "WrauGraphDrawing.h"
#include "Fonts.h"

#include "Canvas.h"
#include "administration/ScoreCheck.h"
#include "record/ClientRecord.h"
#include "record/ScoreFormat.h"

#include <QColor>

#include <algorithm>

namespace {

const QColor Black(0, 0, 0);
const QColor Silver(192, 192, 192);
const QColor Green(0, 128, 0);
const QColor Blue(0, 0, 255);

constexpr int LowestWrau = -20;

// The whole WRAU a stored score is plotted at. A score from a damaged file
// may be NaN or huge: NaN is never drawn, and huge values stay far off the
// surface without overflowing the arithmetic after them.
int PlotValue(float wrau)
{
    return TruncToPixel(std::clamp(double(wrau) + 0.5, -1e6, 1e6));
}

void DrawMarker(TCanvas &canvas, bool diamond, QPoint centre, int d)
{
    const int x = centre.x();
    const int y = centre.y();
    if (diamond)
        canvas.Polygon({{x - d, y}, {x, y - d}, {x + d, y}, {x, y + d}});
    else
        canvas.Polygon({{x - d, y - d}, {x + d, y - d}, {x + d, y + d}, {x - d, y + d}});
}

void DrawCentredText(TCanvas &canvas, const QString &text, int cx, int cy, const QString &widthSample)
{
    canvas.TextOut(cx - TruncToPixel(canvas.TextWidth(widthSample) * 0.5), cy - TruncToPixel(canvas.TextHeight() * 0.5), text);
}

} // namespace

void SetRotatedFont(TCanvas &canvas)
{
    TCanvasFont font = canvas.Font();
    font.Escapement = 900;
    canvas.SetFont(font);
}

TWrauGraphDrawing::TWrauGraphDrawing(const TClientRecord &record, const TWrauGraphStyle &style)
    : m_record(record), m_style(style)
{
}

void TWrauGraphDrawing::Paint(TCanvas &canvas) const
{
    for (int m = 0; m < TClientRecord::MdbCount; ++m)
        DrawWrauGraph(canvas, m);
    DrawGraphLegend(canvas);
    DrawSnr50Table(canvas);
}

TPlotRect TPlotRect::Of(const TFractionRect &fractions, QSize surface)
{
    return {TruncToPixel(fractions.Left * surface.width()), TruncToPixel(fractions.Right * surface.width()),
            TruncToPixel(fractions.Top * surface.height()), TruncToPixel(fractions.Bottom * surface.height())};
}

int TPlotRect::ColumnToX(int k) const
{
    const float step = float(Right - Left) * 0.25f;
    return TruncToPixel((Left - 10) + k * double(step)) - TruncToPixel(step * 0.5);
}

int TPlotRect::WrauToY(int wrau) const
{
    const float scale = float((Bottom - Top) / 161.0);
    return TruncToPixel(Bottom - (wrau - LowestWrau) * double(scale));
}

void TWrauGraphDrawing::DrawWrauGraph(TCanvas &canvas, int mdb) const
{
    const TPlotRect plot = TPlotRect::Of(m_style.Graphs[mdb], canvas.Size());
    const int L = plot.Left;
    const int R = plot.Right;
    const int T = plot.Top;
    const int B = plot.Bottom;

    canvas.SetPen(Black, 1);
    canvas.SetClearBrush();
    canvas.Rectangle(L, T, R, B + 1);

    // Only the face and size: the first graph's axis labels and title keep
    // the surface's own text colour, as black is first set after them.
    canvas.SetFont(DrawingFontFace, m_style.FontPoints);
    const int textHeight = canvas.TextHeight();
    const int halfSize = m_style.MarkerHalfSize.Of(textHeight);

    for (int v = LowestWrau; v <= 140; v += 20) {
        const QString label = QString::number(v);
        canvas.TextOut(L - canvas.TextWidth(label + QLatin1Char(' ')), plot.WrauToY(v) - TruncToPixel(textHeight * 0.5), label);
    }

    canvas.SetPen(Silver, 1);
    for (int v = -10; v <= 130; v += 10)
        canvas.Line({L + 1, plot.WrauToY(v)}, {R - 1, plot.WrauToY(v)});
    canvas.SetPen(Black, 1);

    SetRotatedFont(canvas);
    const QString title = QStringLiteral("WRAU");
    canvas.TextOut(L - canvas.TextWidth(QStringLiteral("XXXXX")),
                   TruncToPixel(canvas.TextWidth(title) * 0.5 + T + (B - T) * 0.5), title);
    canvas.SetFont(DrawingFontFace, m_style.FontPoints);
    canvas.SetFontColour(Black);

    canvas.TextOut(TruncToPixel(L + (R - L) * 0.5) - TruncToPixel(canvas.TextWidth(QStringLiteral("MDB 2")) * 0.5),
                   T - m_style.TitleGap.Of(textHeight), QStringLiteral("MDB %1").arg(mdb + 1));

    static const char *const SnrLabels[] = {"0", "5", "10", "15"};
    for (int k = 1; k <= 4; ++k) {
        const QString label = QLatin1String(SnrLabels[k - 1]);
        canvas.TextOut(plot.ColumnToX(k) - TruncToPixel(canvas.TextWidth(label) * 0.5), B + 5, label);
    }

    const TConstMdbBlock block = m_record.Mdb(mdb);
    for (const Conditions::TTalker talker : Conditions::Talkers)
        DrawSeries(canvas, plot, block, mdb, talker, halfSize);
    canvas.SetPen(Black, 1);
    canvas.SetClearBrush();
}

std::array<QString, 8> TWrauGraphDrawing::Snr50Texts() const
{
    std::array<QString, 8> texts;
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        const TConstMdbBlock block = m_record.Mdb(m);
        texts[m] = Snr50Text(block.Snr50High());
        texts[4 + m] = Snr50Text(block.Snr50Low());
    }
    return texts;
}

void TWrauGraphDrawing::DrawSeries(TCanvas &canvas, const TPlotRect &plot, const TConstMdbBlock &block, int mdb,
                                   Conditions::TTalker talker, int halfSize) const
{
    const bool diamonds = talker == Conditions::TTalker::High;
    const QColor &colour = diamonds ? Green : Blue;
    canvas.SetPen(colour, 2);
    canvas.SetSolidBrush(colour);
    std::array<int, 4> values{};
    std::array<QPoint, 4> points{};
    for (int k = 0; k < 4; ++k) {
        const int slot = Conditions::TestSlot(talker, Conditions::RowOfColumn(k + 1));
        const float wrau = block.Wrau(slot);
        // A value no list can give is left out, as a list not tested is.
        values[k] = ScoreCheck::IsPossible(ScoreCheck::TMeasure::Wrau, wrau, mdb, slot) ? PlotValue(wrau) : LowestWrau - 1;
        if (values[k] < LowestWrau)
            continue;
        points[k] = {plot.ColumnToX(k + 1), plot.WrauToY(values[k])};
        DrawMarker(canvas, diamonds, points[k], halfSize);
    }
    // A value on the bottom edge gets its marker but no line, and a missing
    // one breaks the line on both sides.
    for (int k = 0; k < 3; ++k) {
        if (values[k] > LowestWrau && values[k + 1] > LowestWrau)
            canvas.Line(points[k], points[k + 1]);
    }
}

void TWrauGraphDrawing::DrawGraphLegend(TCanvas &canvas) const
{
    const TPlotRect legend = TPlotRect::Of(m_style.Legend, canvas.Size());
    const int L = legend.Left;
    const int T = legend.Top;
    canvas.SetPen(Black, 1);
    canvas.SetClearBrush();
    canvas.Rectangle(L, T, legend.Right + 1, legend.Bottom + 1);

    canvas.SetFont(DrawingFontFace, m_style.FontPoints);
    const int h = canvas.TextHeight();
    const int halfSize = m_style.MarkerHalfSize.Of(h);
    const QColor colours[] = {Green, Blue};
    const QString texts[] = {QStringLiteral("h-sens"), QStringLiteral("l-sens")};
    for (int entry = 0; entry < 2; ++entry) {
        const int y = T + m_style.LegendLineY[entry].Of(h);
        canvas.SetPen(colours[entry], 2);
        canvas.SetSolidBrush(colours[entry]);
        DrawMarker(canvas, entry == 0, {L + m_style.LegendMarkerX, y}, halfSize);
        canvas.Line({L + m_style.LegendLineLeft, y}, {L + m_style.LegendLineRight, y});
        canvas.SetClearBrush();
        canvas.TextOut(L + m_style.LegendTextX, T + m_style.LegendTextY[entry].Of(h), texts[entry]);
    }
}

void TWrauGraphDrawing::DrawSnr50Table(TCanvas &canvas) const
{
    const TPlotRect table = TPlotRect::Of(m_style.Snr50Table, canvas.Size());
    const int L = table.Left;
    const int R = table.Right;
    const int T = table.Top;
    const int B = table.Bottom;
    const std::array<QString, 8> texts = Snr50Texts();
    const int rh = (B - T) / 5;
    const int cw = (R - L) / 3;
    const auto cx = [&](double j) { return L + TruncToPixel(j * cw); };
    const auto cy = [&](double i) { return T + TruncToPixel(i * rh); };

    canvas.SetFont(DrawingFontFace, m_style.FontPoints);
    canvas.SetClearBrush();
    canvas.SetPen(Black, 1);
    canvas.Rectangle(L, T, R + 1, B + 1);
    canvas.Rectangle(L, T + rh, R + 1, T + 2 * rh + 1);
    canvas.Rectangle(L, T + 3 * rh, R + 1, T + 4 * rh + 1);
    canvas.Rectangle(L + cw, T, L + 2 * cw + 1, B + 1);

    const QString snr50 = QStringLiteral("SNR-50");
    const QString high = QStringLiteral("h-sens");
    canvas.SetFontColour(Black);
    DrawCentredText(canvas, snr50, cx(1.5), T - TruncToPixel(0.5 * rh), snr50);
    canvas.SetFontColour(Green);
    DrawCentredText(canvas, high, cx(1.5), cy(0.5), high);
    canvas.SetFontColour(Blue);
    DrawCentredText(canvas, QStringLiteral("l-sens "), cx(2.5), cy(0.5), QStringLiteral("l-sens"));
    for (int r = 0; r < 4; ++r) {
        canvas.SetFontColour(Black);
        DrawCentredText(canvas, QStringLiteral("MDB %1").arg(r + 1), cx(0.5), cy(r + 1.5), QStringLiteral("MDB X"));
        canvas.SetFontColour(Green);
        DrawCentredText(canvas, texts[r], cx(1.5), cy(r + 1.5), texts[r]);
        canvas.SetFontColour(Blue);
        DrawCentredText(canvas, texts[4 + r], cx(2.5), cy(r + 1.5), texts[4 + r]);
    }
    canvas.SetFontColour(Black);
}
