// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreTables.h"
#include "Fonts.h"

#include "WrauGraphDrawing.h"
#include "Canvas.h"
#include "administration/ScoreCheck.h"
#include "record/ClientRecord.h"
#include "record/Conditions.h"
#include "record/ScoreFormat.h"

#include <QColor>

#include <algorithm>

namespace {

constexpr int FontPoints = 10;
constexpr int SmallestValuePoints = 6;
constexpr int RulePixels = 2;

using ScoreCheck::TMeasure;

struct TScoreBlock
{
    TMeasure Measure;
    const char *Heading; // only over the H-Sentences row
    const char *SentenceLabel; // only left of the Percent column
    Conditions::TTalker Talker;
    TFractionRect Place;
};

using enum Conditions::TTalker;

constexpr TScoreBlock ScoreBlocks[] = {
    {TMeasure::Proportion, "Percent", "H-Sentences", High, {0.15, 0.36, 0.30, 0.40}},
    {TMeasure::Proportion, nullptr, "L-Sentences", Low, {0.15, 0.36, 0.43, 0.53}},
    {TMeasure::Rau, "RAU", nullptr, High, {0.42, 0.63, 0.30, 0.40}},
    {TMeasure::Rau, nullptr, nullptr, Low, {0.42, 0.63, 0.43, 0.53}},
    {TMeasure::Wrau, "WRAU", nullptr, High, {0.69, 0.90, 0.30, 0.40}},
    {TMeasure::Wrau, nullptr, nullptr, Low, {0.69, 0.90, 0.43, 0.53}},
};

constexpr TFractionRect TalkerLevelPlace{0.42, 0.63, 0.595, 0.645};

// A block's rectangle in pixels of the canvas.
struct TBox
{
    int L, R, T, B;

    TBox(const TFractionRect &place, const TCanvas &canvas)
        : L(TruncToPixel(place.Left * canvas.Size().width())), R(TruncToPixel(place.Right * canvas.Size().width())),
          T(TruncToPixel(place.Top * canvas.Size().height())), B(TruncToPixel(place.Bottom * canvas.Size().height()))
    {
    }
    int ColumnWidth() const { return (R - L) / 4; }
    int CellLeft(int column) const { return L + column * ColumnWidth(); }
    // The last column also takes what the division by four left over.
    int CellRight(int column) const { return column == 3 ? R : L + (column + 1) * ColumnWidth(); }
};

void SetTableDrawing(TCanvas &canvas)
{
    canvas.SetFont(DrawingFontFace, FontPoints);
    canvas.SetClearBrush();
    canvas.SetPen(QColor(0, 0, 0), RulePixels);
}

// A value starts at x, but never on or over its cell's rules: a column is
// barely six digits wide on a printer's page, and a value touching a rule
// loses a leading "1" to it or seems to run on into the next cell's value.
// One too wide for the cell is printed a point smaller at a time until it
// fits.
void PrintCellValue(TCanvas &canvas, const TBox &box, int column, int x, int y, const QString &value)
{
    const int left = box.CellLeft(column) + 2 * RulePixels;
    const int right = box.CellRight(column) - 2 * RulePixels;
    int points = FontPoints;
    while (points > SmallestValuePoints && canvas.TextWidth(value) > right - left)
        canvas.SetFont(DrawingFontFace, --points);
    canvas.TextOut(std::max(left, std::min(x, right - canvas.TextWidth(value))), y, value);
    if (points != FontPoints)
        canvas.SetFont(DrawingFontFace, FontPoints);
}

// Four columns and the given number of rows. The rectangles' right and
// bottom edges are exclusive, hence the + 1.
void RuleGrid(TCanvas &canvas, const TBox &box, int rows)
{
    const int cw = box.ColumnWidth();
    const int rh = (box.B - box.T) / rows;
    canvas.Rectangle(box.L, box.T, box.R + 1, box.B + 1);
    canvas.Rectangle(box.L + cw, box.T, box.L + 3 * cw + 1, box.B + 1);
    if (rows == 4)
        canvas.Rectangle(box.L, box.T + rh, box.R + 1, box.T + 3 * rh + 1);
    const int middleRow = box.T + rows / 2 * rh;
    canvas.Line({box.L, middleRow}, {box.R, middleRow});
    canvas.Line({box.L + 2 * cw, box.T}, {box.L + 2 * cw, box.B});
}

// Left edge of each number half a column in: not centred on its column.
void PrintMdbNumbers(TCanvas &canvas, const TBox &box)
{
    const int y = box.T - TruncToPixel(1.1 * canvas.TextHeight());
    for (int i = 0; i < 4; ++i)
        canvas.TextOut(box.L + TruncToPixel((i + 0.5) * box.ColumnWidth()), y, QString::number(i + 1));
}

void PrintHeadings(TCanvas &canvas, const TBox &box, const QString &heading)
{
    const int centre = box.L + 2 * box.ColumnWidth();
    const int h = canvas.TextHeight();
    const QString block = QStringLiteral("Modified Dual Block");
    canvas.TextOut(centre - TruncToPixel(0.5 * canvas.TextWidth(heading)), box.T - TruncToPixel(3.5 * h), heading);
    canvas.TextOut(centre - TruncToPixel(0.5 * canvas.TextWidth(block)), box.T - TruncToPixel(2.4 * h), block);
}

// Reads upward, centred on the block's height, left of the row labels.
void PrintSentenceLabel(TCanvas &canvas, const TBox &box, const QString &label)
{
    SetRotatedFont(canvas);
    canvas.TextOut(box.L - canvas.TextWidth(QStringLiteral("XXXXX")),
                   TruncToPixel(0.5 * canvas.TextWidth(label) + box.T + 0.5 * (box.B - box.T)), label);
    canvas.SetFont(DrawingFontFace, FontPoints);
    canvas.SetClearBrush();
}

void PrintScoreBlock(TCanvas &canvas, const TClientRecord &record, const TScoreBlock &scores)
{
    SetTableDrawing(canvas);
    const TBox box(scores.Place, canvas);
    const int cw = box.ColumnWidth();
    const int rh = (box.B - box.T) / 4;
    RuleGrid(canvas, box, 4);
    PrintMdbNumbers(canvas, box);

    for (int r = 0; r < Conditions::PerTalker; ++r)
        canvas.TextOut(box.L - canvas.TextWidth(QStringLiteral("XXI")), box.T + TruncToPixel((r + 0.1) * rh),
                       QString::number(Conditions::SnrDb[r]));
    canvas.TextOut(box.L - canvas.TextWidth(QStringLiteral("XXXI")), box.T - TruncToPixel(1.1 * canvas.TextHeight()),
                   QStringLiteral("SNR"));
    if (scores.Heading)
        PrintHeadings(canvas, box, QLatin1String(scores.Heading));
    if (scores.SentenceLabel)
        PrintSentenceLabel(canvas, box, QLatin1String(scores.SentenceLabel));

    // Every value of a column starts where a six-character one would be
    // centred, as far as its cell allows.
    const int halfValue = TruncToPixel(0.5 * canvas.TextWidth(QStringLiteral("000.00")));
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        const TConstMdbBlock block = record.Mdb(m);
        for (int r = 0; r < Conditions::PerTalker; ++r) {
            const int slot = Conditions::TestSlot(scores.Talker, r);
            if (!ScoreCheck::IsScored(block, slot))
                continue;
            PrintCellValue(canvas, box, m, box.L + TruncToPixel((m + 0.5) * cw) - halfValue,
                           box.T + TruncToPixel((r + 0.1) * rh),
                           ScoreCheck::Text(block, m, slot, scores.Measure, PrintScore));
        }
    }
}

void PrintTalkerLevels(TCanvas &canvas, const TClientRecord &record)
{
    SetTableDrawing(canvas);
    const TBox box(TalkerLevelPlace, canvas);
    const int cw = box.ColumnWidth();
    const int rh = (box.B - box.T) / 2;
    RuleGrid(canvas, box, 2);
    PrintHeadings(canvas, box,
                  record.LevelsInSpl() ? QStringLiteral("Talker Levels (dB SPL)") : QStringLiteral("Talker Levels (dB HL)"));
    PrintMdbNumbers(canvas, box);

    const int labelX = box.L - canvas.TextWidth(QStringLiteral("XXXXXX"));
    const int halfHeight = TruncToPixel(0.5 * canvas.TextHeight());
    canvas.TextOut(labelX, box.T + TruncToPixel(0.5 * rh) - halfHeight, QStringLiteral("H-Sens"));
    canvas.TextOut(labelX, box.T + TruncToPixel(1.5 * rh) - halfHeight, QStringLiteral("L-Sens"));

    const int halfValue = TruncToPixel(0.5 * canvas.TextWidth(QStringLiteral("000")));
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        const int x = box.L + TruncToPixel((m + 0.5) * cw) - halfValue;
        PrintCellValue(canvas, box, m, x, box.T + TruncToPixel(0.1 * rh), QString::number(record.HighTalkerLevel(m)));
        PrintCellValue(canvas, box, m, x, box.T + TruncToPixel(1.1 * rh), QString::number(record.LowTalkerLevel(m)));
    }
}

} // namespace

void PrintScoreTables(TCanvas &canvas, const TClientRecord &record)
{
    for (const TScoreBlock &scores : ScoreBlocks)
        PrintScoreBlock(canvas, record, scores);
    PrintTalkerLevels(canvas, record);
}
