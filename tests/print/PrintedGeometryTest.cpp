// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintFixture.h"
#include "drawing/Canvas.h"

#include <QPainter>

#include <functional>
#include <vector>

namespace {

const QColor Green(0, 128, 0);
const QColor Blue(0, 0, 255);

// A run of dark pixels along a scan line: where it starts and how long it is.
struct TRun
{
    int Start;
    int Length;
    bool operator==(const TRun &) const = default;
};

std::ostream &operator<<(std::ostream &os, const TRun &run)
{
    return os << '{' << run.Start << ", " << run.Length << '}';
}

bool IsDark(QColor c)
{
    return c.lightness() < 128;
}

class PrintedGeometryTest : public PrintFixture
{
protected:
    // A white image the size of the PDF printer's page, at its resolution,
    // painted by the report's own code.
    QImage Paint(QPageLayout::Orientation orientation, const std::function<void(TCanvas &)> &draw)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(PdfResolution);
        printer.setPageOrientation(orientation);
        QImage image(printer.width(), printer.height(), QImage::Format_RGB32);
        const int dotsPerMeter = qRound(PdfResolution / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        image.fill(Qt::white);
        QPainter painter(&image);
        TCanvas canvas = PageCanvas(painter);
        textHeight12 = [&] {
            canvas.SetFont(QStringLiteral("Arial"), 12);
            return canvas.TextHeight();
        }();
        draw(canvas);
        return image;
    }

    QImage ScoreReportPage()
    {
        return Paint(QPageLayout::Portrait, [&](TCanvas &canvas) { report.PrintScoreReport(canvas); });
    }
    QImage GraphPage()
    {
        return Paint(QPageLayout::Landscape, [&](TCanvas &canvas) { report.PrintGraphPage(canvas, graph); });
    }

    static std::vector<TRun> Runs(int from, int to, const std::function<bool(int)> &dark)
    {
        std::vector<TRun> runs;
        for (int i = from; i <= to; ++i) {
            if (!dark(i))
                continue;
            if (!runs.empty() && runs.back().Start + runs.back().Length == i)
                ++runs.back().Length;
            else
                runs.push_back({i, 1});
        }
        return runs;
    }
    static std::vector<TRun> RowRuns(const QImage &image, int y, int from, int to)
    {
        return Runs(from, to, [&](int x) { return IsDark(image.pixelColor(x, y)); });
    }
    static std::vector<TRun> ColumnRuns(const QImage &image, int x, int from, int to)
    {
        return Runs(from, to, [&](int y) { return IsDark(image.pixelColor(x, y)); });
    }

    // Two-pixel rulings, each covering its line's position and the pixel
    // before it.
    static std::vector<TRun> Rulings(std::initializer_list<int> positions)
    {
        std::vector<TRun> runs;
        for (int p : positions)
            runs.push_back({p - 1, 2});
        return runs;
    }

    static int Fraction(double f, int length) { return int(f * length); }

    TScoreReport report{record, state.ShortFileName, QDate(2024, 5, 17)};
    TWrauGraphDrawing graph{record, PrintedGraphStyle};
    int textHeight12 = 0;
};

TEST_F(PrintedGeometryTest, ScoreTablesAreRuledAtTheirFractions)
{
    const QImage page = ScoreReportPage();
    const int W = page.width();
    const int H = page.height();

    // Percent of H-Sentences: a 4 x 4 grid.
    int L = Fraction(0.15, W), R = Fraction(0.36, W), T = Fraction(0.30, H), B = Fraction(0.40, H);
    int cw = (R - L) / 4, rh = (B - T) / 4;
    const int halfCell = rh / 2;
    EXPECT_EQ(RowRuns(page, T + halfCell, L - 4, R + 4), Rulings({L, L + cw, L + 2 * cw, L + 3 * cw, R}));
    EXPECT_EQ(ColumnRuns(page, L + 5, T - 4, B + 4), Rulings({T, T + rh, T + 2 * rh, T + 3 * rh, B}));

    // WRAU of L-Sentences, the last score block.
    L = Fraction(0.69, W), R = Fraction(0.90, W), T = Fraction(0.43, H), B = Fraction(0.53, H);
    cw = (R - L) / 4, rh = (B - T) / 4;
    EXPECT_EQ(RowRuns(page, T + halfCell, L - 4, R + 4), Rulings({L, L + cw, L + 2 * cw, L + 3 * cw, R}));
    EXPECT_EQ(ColumnRuns(page, L + 5, T - 4, B + 4), Rulings({T, T + rh, T + 2 * rh, T + 3 * rh, B}));

    // Talker levels: two rows; the values stand below the scan line.
    L = Fraction(0.42, W), R = Fraction(0.63, W), T = Fraction(0.595, H), B = Fraction(0.645, H);
    cw = (R - L) / 4, rh = (B - T) / 2;
    EXPECT_EQ(RowRuns(page, T + 4, L - 4, R + 4), Rulings({L, L + cw, L + 2 * cw, L + 3 * cw, R}));
    EXPECT_EQ(ColumnRuns(page, L + 5, T - 4, B + 4), Rulings({T, T + rh, B}));
}

// Six- and seven-character values are as wide as a column or wider; none may
// touch a rule, where a leading "1" would vanish into it.
TEST_F(PrintedGeometryTest, WideValuesStayClearOfTheRules)
{
    const float wide[] = {109.81f, -104.81f, 100.0f, -19.6f};
    for (int m = 0; m < 4; ++m) {
        TMdbBlock block = record.Mdb(m);
        for (int slot = 8; slot < 12; ++slot) {
            block.SetProportion(slot, 1.0f); // "100.00"
            block.SetRau(slot, wide[(m + slot) % 4]);
            block.SetWrau(slot, wide[(m + slot + 1) % 4]);
        }
    }
    record.SetHighTalkerLevel(2, -12345);
    const QImage page = ScoreReportPage();
    const int W = page.width();
    const int H = page.height();
    const auto expectClear = [&](double left, double right, double top, double bottom, int rows) {
        const int L = Fraction(left, W), R = Fraction(right, W), T = Fraction(top, H), B = Fraction(bottom, H);
        const int cw = (R - L) / 4, rh = (B - T) / rows;
        for (int row = 0; row < rows; ++row) {
            // Inside the row, between its rulings.
            const int from = T + row * rh + 3, to = T + (row + 1) * rh - 4;
            for (const int rule : {L, L + cw, L + 2 * cw, L + 3 * cw, R}) {
                for (int y = from; y <= to; ++y) {
                    ASSERT_FALSE(IsDark(page.pixelColor(rule + 1, y))) << "right of the rule at " << rule << ", " << y;
                    ASSERT_FALSE(IsDark(page.pixelColor(rule - 2, y))) << "left of the rule at " << rule << ", " << y;
                }
            }
            EXPECT_GT(CountPixels(page, QRect(L + 3, from, cw - 6, to - from), IsDark), 0) << "the value is printed";
        }
    };
    expectClear(0.15, 0.36, 0.30, 0.40, 4); // Percent
    expectClear(0.42, 0.63, 0.30, 0.40, 4); // RAU
    expectClear(0.69, 0.90, 0.30, 0.40, 4); // WRAU
    expectClear(0.42, 0.63, 0.595, 0.645, 2); // talker levels
}

TEST_F(PrintedGeometryTest, MarkersFollowThePrinterTextHeight)
{
    record.Mdb(0).SetWrau(11, 50.0f); // H-Sens, 0 dB: column 1 of MDB 1
    const QImage page = GraphPage();
    const int W = page.width();
    const int H = page.height();
    const int d = int(0.3 * textHeight12);
    ASSERT_GT(d, 3) << "larger than the screen's";

    const TPlotRect plot{Fraction(0.10, W), Fraction(0.33, W), Fraction(0.20, H), Fraction(0.49, H)};
    const QPoint centre(plot.ColumnToX(1), plot.WrauToY(50));
    const QRect around(centre - QPoint(3 * d, 3 * d), QSize(6 * d, 6 * d));
    QRect green;
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x)
            if (page.pixelColor(x, y) == Green)
                green |= QRect(x, y, 1, 1);
    // The outline's two-pixel pen adds about a pixel on each side.
    EXPECT_NEAR(green.width(), 2 * d + 1, 2);
    EXPECT_NEAR(green.height(), 2 * d + 1, 2);
    EXPECT_NEAR(green.center().x(), centre.x(), 1);
    EXPECT_NEAR(green.center().y(), centre.y(), 1);
}

TEST_F(PrintedGeometryTest, LegendEntriesAtPrinterOffsets)
{
    const QImage page = GraphPage();
    const int L = Fraction(0.43, page.width());
    const int T = Fraction(0.20, page.height());
    const int h = textHeight12;
    const int d = int(0.3 * h);

    const struct
    {
        QColor Colour;
        int LineY;
        int TextY;
    } entries[] = {{Green, T + int(0.7 * h), T + int(0.2 * h)}, {Blue, T + int(2.0 * h), T + int(1.5 * h)}};
    for (const auto &entry : entries) {
        const int y = entry.LineY;
        EXPECT_TRUE(IsColour(page, L + 11, y, entry.Colour));
        EXPECT_TRUE(IsColour(page, L + 139, y, entry.Colour));
        EXPECT_FALSE(IsColour(page, L + 6, y, entry.Colour));
        EXPECT_FALSE(IsColour(page, L + 144, y, entry.Colour));
        // The marker reaches its half-size above and below the line.
        EXPECT_TRUE(IsColour(page, L + 75, y - d + 2, entry.Colour));
        EXPECT_TRUE(IsColour(page, L + 75, y + d - 2, entry.Colour));
        EXPECT_FALSE(IsColour(page, L + 75, y - d - 3, entry.Colour));

        const QRect text(L + 160, entry.TextY, 4 * h, h);
        EXPECT_GT(CountPixels(page, text, IsDark), 0);
        EXPECT_EQ(CountPixels(page, QRect(L + 145, entry.TextY, 14, h), IsDark), 0);
    }
}

// Long texts of the header line are shortened so that each ends before the
// next one begins, on both pages.
TEST_F(PrintedGeometryTest, HeaderTextsStopBeforeTheNextOne)
{
    record.SetLastName(QStringLiteral("Bartholomew-Fitzgerald"));
    record.SetFirstName(QStringLiteral("Alexandra-Josephine"));
    const TScoreReport longNames(record, QStringLiteral("Smith_Alexandra_2026-12-08_followup.VEK"), QDate(2024, 5, 17));
    const struct
    {
        QImage Page;
        double NameY;
    } pages[] = {
        {Paint(QPageLayout::Portrait, [&](TCanvas &canvas) { longNames.PrintScoreReport(canvas); }), 0.14},
        {Paint(QPageLayout::Landscape, [&](TCanvas &canvas) { longNames.PrintGraphPage(canvas, graph); }), 0.12},
    };
    for (const auto &[page, nameY] : pages) {
        const int y = Fraction(nameY, page.height());
        for (const double next : {0.42, 0.7}) {
            const int x = Fraction(next, page.width());
            EXPECT_EQ(CountPixels(page, QRect(x - 8, y, 8, textHeight12), IsDark), 0) << "before " << next << " W";
        }
        const int dateX = Fraction(0.7, page.width());
        EXPECT_GT(CountPixels(page, QRect(dateX - 80, y, 70, textHeight12), IsDark), 0) << "the file name fills its room";
    }
}

} // namespace
