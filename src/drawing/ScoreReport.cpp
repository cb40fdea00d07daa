// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreReport.h"
#include "Fonts.h"

#include "ScoreTables.h"
#include "WrauGraphDrawing.h"
#include "Canvas.h"
#include "record/ClientRecord.h"

#include <QLocale>
#include <QPaintDevice>
#include <QPainter>

namespace {

constexpr int TitlePoints = 12;
constexpr int TextPoints = 10;

int FractionOf(double fraction, int length)
{
    return TruncToPixel(fraction * length);
}

void PrintCentred(TCanvas &canvas, int y, const QString &text)
{
    canvas.TextOut(FractionOf(0.5, canvas.Size().width()) - TruncToPixel(0.5 * canvas.TextWidth(text)), y, text);
}

// A label and its value at (x, y). A value that would run into whatever
// starts at `end` is shortened in its middle, so that a long file name keeps
// its beginning and its extension and the next item stays readable.
void PrintHeaderItem(TCanvas &canvas, int x, int y, const QString &label, const QString &value, int end)
{
    const int room = end - x - canvas.TextWidth(label) - canvas.TextWidth(QStringLiteral("X"));
    canvas.TextOut(x, y, label + canvas.ElidedText(value, room));
}

// Top and bottom of the box under each MDB comment heading, as fractions of
// the page height.
struct TCommentPlace
{
    double HeadingY;
    double Top;
    double Bottom;
};

constexpr TCommentPlace CommentPlaces[] = {
    {0.675, 0.695, 0.74},
    {0.75, 0.77, 0.815},
    {0.825, 0.845, 0.885},
    {0.895, 0.915, 0.96},
};

} // namespace

TCanvas PageCanvas(QPainter &painter)
{
    const QPaintDevice &page = *painter.device();
    TCanvas canvas(painter, QSize(page.width(), page.height()), TCanvasFont{DrawingFontFace, 0, 0, QColor(0, 0, 0)});
    canvas.SetFont(DrawingFontFace, TitlePoints);
    return canvas;
}

TScoreReport::TScoreReport(const TClientRecord &record, const QString &shortFileName, const QDate &printed)
    : m_record(record), m_shortFileName(shortFileName), m_printed(printed)
{
}

void TScoreReport::PrintScoreReport(TCanvas &canvas) const
{
    PrintScoreReportHeader(canvas);
    PrintScoreTables(canvas, m_record);
    PrintMdbComments(canvas);
}

void TScoreReport::PrintGraphPage(TCanvas &canvas, const TWrauGraphDrawing &graph) const
{
    PrintGraphPageHeader(canvas);
    graph.Paint(canvas);
}

void TScoreReport::PrintScoreReportHeader(TCanvas &canvas) const
{
    PrintHeaderLines(canvas, 0.088, 0.11, 0.14);
    const QSize page = canvas.Size();
    canvas.DrawText(FractionOf(0.05, page.width()), FractionOf(0.175, page.height()), FractionOf(0.95, page.width()),
                    FractionOf(0.22, page.height()), m_record.ClientComments());
}

void TScoreReport::PrintGraphPageHeader(TCanvas &canvas) const
{
    PrintHeaderLines(canvas, 0.05, 0.08, 0.12);
}

void TScoreReport::PrintHeaderLines(TCanvas &canvas, double titleY, double printedY, double nameY) const
{
    const int W = canvas.Size().width();
    const int H = canvas.Size().height();
    canvas.SetFont(DrawingFontFace, TitlePoints);
    canvas.SetClearBrush();
    PrintCentred(canvas, FractionOf(titleY, H), QStringLiteral("Revised VEK Test"));

    canvas.SetFont(DrawingFontFace, TextPoints);
    PrintCentred(canvas, FractionOf(printedY, H),
                 QStringLiteral("Printed: ") + QLocale().toString(m_printed, QStringLiteral("MMMM d, yyyy")));

    // The first name and initial only follow a last name.
    QString name = m_record.LastName();
    if (!m_record.LastName().isEmpty())
        name += QStringLiteral(", ") + m_record.FirstName() + u' ' + m_record.MiddleInitial();
    const int y = FractionOf(nameY, H);
    const int fileX = FractionOf(0.42, W);
    const int dateX = FractionOf(0.7, W);
    PrintHeaderItem(canvas, FractionOf(0.05, W), y, QStringLiteral("NAME: "), name, fileX);
    PrintHeaderItem(canvas, fileX, y, QStringLiteral("FILE NAME: "), m_shortFileName, dateX);
    PrintHeaderItem(canvas, dateX, y, QStringLiteral("TEST DATE: "), m_record.TestDate(), FractionOf(0.95, W));
}

void TScoreReport::PrintMdbComments(TCanvas &canvas) const
{
    const int W = canvas.Size().width();
    const int H = canvas.Size().height();
    canvas.SetFont(DrawingFontFace, TextPoints);
    canvas.SetClearBrush();
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        const TCommentPlace &place = CommentPlaces[m];
        canvas.TextOut(FractionOf(0.05, W), FractionOf(place.HeadingY, H),
                       QStringLiteral("Comments for Modified Dual Block %1").arg(m + 1));
        canvas.DrawText(FractionOf(0.05, W), FractionOf(place.Top, H), FractionOf(0.95, W), FractionOf(place.Bottom, H),
                        m_record.Mdb(m).Comments());
    }
}
