// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageFixture.h"
#include "QtPrint.h"
#include "controls/PaintBox.h"
#include "pages/Viewgrph.h"

#include <QPushButton>

#include <limits>

namespace {

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);
const QColor Silver(192, 192, 192);
const QColor Green(0, 128, 0);
const QColor Blue(0, 0, 255);

// The rectangles of a 573 x 361 page: the graphs, then the SNR-50 table.
const QRect Graph1(QPoint(57, 18), QPoint(217, 158));
const QRect Graph2(QPoint(378, 18), QPoint(538, 158));
const QRect Graph3(QPoint(57, 194), QPoint(217, 335));
const QRect Graph4(QPoint(378, 194), QPoint(538, 335));
const QRect Table(QPoint(234, 108), QPoint(343, 202));
constexpr int TableRow = 18;
constexpr int TableColumn = 36;

// Graph 1's scales, as worked out by hand.
constexpr int Column[] = {0, 67, 107, 147, 187};
int Graph1Y(int wrau)
{
    return int(158 - (wrau + 20) * double(float(140 / 161.0)));
}

bool IsGreen(QColor c)
{
    return c == Green;
}

bool IsBlue(QColor c)
{
    return c == Blue;
}

// The inside of a graph's frame, where only grid lines and plots go.
QRect Inside(const QRect &frame)
{
    return frame.adjusted(1, 1, -2, -1);
}

// A table cell's inside, row 0 being the header and column 0 the MDB labels.
QRect TableCell(int row, int column)
{
    return QRect(Table.left() + column * TableColumn + 1, Table.top() + row * TableRow + 1, TableColumn - 1,
                 TableRow - 1);
}

class WrauGraphPageTest : public PageFixture
{
protected:
    QImage Render(QSize size = QSize(573, 361))
    {
        page.resize(size);
        return page.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    void SetWrau(int mdb, int slot, float wrau) { record.Mdb(mdb).SetWrau(slot, wrau); }

    TfmViewGraph page{context};
};

} // namespace

TEST_F(WrauGraphPageTest, ScalesFollowThePlotRectangle)
{
    const TPlotRect drawing{57, 217, 18, 158};
    EXPECT_EQ(drawing.ColumnToX(1), 67);
    EXPECT_EQ(drawing.ColumnToX(2), 107);
    EXPECT_EQ(drawing.ColumnToX(3), 147);
    EXPECT_EQ(drawing.ColumnToX(4), 187);
    EXPECT_EQ(drawing.WrauToY(-20), 158);
    EXPECT_EQ(drawing.WrauToY(0), 140);
    EXPECT_EQ(drawing.WrauToY(50), 97);
    EXPECT_EQ(drawing.WrauToY(140), 18);
}

TEST_F(WrauGraphPageTest, NewFileShowsFramesGridAndAnEmptyTable)
{
    const QImage image = Render();
    for (const QRect &frame : {Graph1, Graph2, Graph3, Graph4}) {
        SCOPED_TRACE(frame.left() * 1000 + frame.top());
        // The outline covers columns left..right-1 and rows top..bottom.
        EXPECT_TRUE(IsColour(image, frame.left(), frame.top(), Black));
        EXPECT_TRUE(IsColour(image, frame.right() - 1, frame.top(), Black));
        EXPECT_TRUE(IsColour(image, frame.left(), frame.bottom(), Black));
        EXPECT_TRUE(IsColour(image, frame.right() - 1, frame.bottom(), Black));
        EXPECT_TRUE(IsColour(image, frame.right(), frame.top() + 30, White));
        EXPECT_TRUE(IsColour(image, frame.left() + 30, frame.bottom() + 1, White));
        EXPECT_EQ(CountPixels(image, Inside(frame), [](QColor c) { return c == Green || c == Blue; }), 0);
    }
    // Grid lines run from just inside the left edge to just short of the right.
    EXPECT_TRUE(IsColour(image, 58, Graph1Y(0), Silver));
    EXPECT_TRUE(IsColour(image, 215, Graph1Y(0), Silver));
    EXPECT_TRUE(IsColour(image, 216, Graph1Y(0), Black));
    EXPECT_TRUE(IsColour(image, 100, Graph1Y(130), Silver));
    EXPECT_TRUE(IsColour(image, 100, Graph1Y(135), White));

    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(CountPixels(image, TableCell(row, 1), [](QColor c) { return c != White; }), 0) << row;
        EXPECT_EQ(CountPixels(image, TableCell(row, 2), [](QColor c) { return c != White; }), 0) << row;
    }
    EXPECT_GT(CountPixels(image, TableCell(0, 1), [](QColor c) { return c.green() > c.red() + 40; }), 0);
}

TEST_F(WrauGraphPageTest, PlotValuesRoundAndTheBottomEdgeGetsNoLine)
{
    SetWrau(0, 11, 49.5f);  // column 1: plotted at 50
    SetWrau(0, 10, -19.6f); // column 2: -19, joined to column 1
    SetWrau(0, 9, -20.5f);  // column 3: -20, a marker on the edge, no line
    SetWrau(0, 8, -21.6f);  // column 4: -21, not drawn
    const QImage image = Render();

    EXPECT_EQ(Graph1Y(50), 97);
    EXPECT_TRUE(IsColour(image, Column[1], Graph1Y(50), Green));
    EXPECT_TRUE(IsColour(image, Column[2], Graph1Y(-19), Green));
    EXPECT_TRUE(IsColour(image, (Column[1] + Column[2]) / 2, (Graph1Y(50) + Graph1Y(-19)) / 2, Green));
    EXPECT_TRUE(IsColour(image, Column[3], 158, Green));
    EXPECT_FALSE(IsColour(image, (Column[2] + Column[3]) / 2, 157, Green));
    EXPECT_FALSE(IsColour(image, (Column[2] + Column[3]) / 2, 158, Green));
    EXPECT_EQ(CountPixels(image, QRect(Column[4] - 5, 150, 11, 15), IsGreen), 0);
    EXPECT_TRUE(IsColour(image, Column[4], 158, Black));
}

// Neither side of a segment may lie on the bottom edge.
TEST_F(WrauGraphPageTest, NoLineLeavesTheBottomEdge)
{
    SetWrau(0, 15, -20.5f); // column 1 of the l-sens series: -20, on the edge
    SetWrau(0, 14, 40.0f);
    const QImage image = Render();
    EXPECT_TRUE(IsColour(image, Column[2], Graph1Y(40), Blue));
    EXPECT_FALSE(IsColour(image, (Column[1] + Column[2]) / 2, (Graph1Y(-20) + Graph1Y(40)) / 2, Blue));
}

TEST_F(WrauGraphPageTest, MissingColumnsBreakTheLineAndMarkersHaveTheirShapes)
{
    SetWrau(0, 11, 30.0f); // H-Sens 0 dB
    SetWrau(0, 9, 70.0f);  // H-Sens 10 dB
    SetWrau(0, 12, 100.0f); // L-Sens 15 dB
    SetWrau(3, 14, 150.0f); // MDB 4, L-Sens 5 dB: more than a list can give
    const QImage image = Render();

    EXPECT_TRUE(IsColour(image, Column[1], Graph1Y(30), Green));
    EXPECT_TRUE(IsColour(image, Column[3], Graph1Y(70), Green));
    EXPECT_EQ(CountPixels(image, QRect(Column[1] + 6, 20, Column[3] - Column[1] - 12, 130), IsGreen), 0);

    const int y = Graph1Y(100);
    EXPECT_TRUE(IsColour(image, Column[4], y, Blue));
    EXPECT_TRUE(IsColour(image, Column[4] + 2, y + 2, Blue));
    EXPECT_FALSE(IsColour(image, Column[1] + 2, Graph1Y(30) + 2, Green)) << "a diamond has no corners there";
    EXPECT_EQ(CountPixels(image, Inside(Graph1), IsBlue), CountPixels(image, QRect(Column[4] - 4, y - 4, 9, 9), IsBlue));

    // Graph 4's column 2, value 150, would land above its top edge at 194:
    // no list gives it (at most 123.0006 times 1.081), so it is left out.
    const int x = 378 - 10 + 2 * 40 - 20;
    const int above = int(335 - 170 * double(float(141 / 161.0)));
    EXPECT_LT(above, 194);
    EXPECT_FALSE(IsColour(image, x, above, Blue));
}

TEST_F(WrauGraphPageTest, SnrFiftyTextsStandInTheirCells)
{
    record.Mdb(0).SetSnr50High(-6);
    record.Mdb(0).SetSnr50Low(7);
    record.Mdb(2).SetSnr50Low(-10);
    const QImage image = Render();

    const std::array<QString, 8> texts = page.Graph().Snr50Texts();
    EXPECT_EQ(texts[0], QStringLiteral("< 10"));
    EXPECT_EQ(texts[4], QStringLiteral("7"));
    EXPECT_EQ(texts[6], QStringLiteral("err"));
    EXPECT_EQ(texts[1], QString());

    const auto greenish = [](QColor c) { return c.green() > c.red() + 40 && c.green() > c.blue() + 40; };
    const auto bluish = [](QColor c) { return c.blue() > c.red() + 40 && c.blue() > c.green() + 40; };
    EXPECT_GT(CountPixels(image, TableCell(1, 1), greenish), 0);
    EXPECT_GT(CountPixels(image, TableCell(1, 2), bluish), 0);
    EXPECT_GT(CountPixels(image, TableCell(3, 2), bluish), 0);
    EXPECT_EQ(CountPixels(image, TableCell(2, 1), [](QColor c) { return c != White; }), 0);

    // Centred on the cell: the ink's middle is within a pixel or two of it.
    const QRect cell = TableCell(1, 1);
    int left = cell.right();
    int right = cell.left();
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            if (greenish(image.pixelColor(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_NEAR((left + right) / 2.0, Table.left() + 1.5 * TableColumn, 2.0);
}

TEST_F(WrauGraphPageTest, FirstGraphAxisKeepsTheSurfaceTextColour)
{
    QPalette palette = page.PaintBox1->palette();
    palette.setColor(QPalette::WindowText, QColor(160, 0, 160));
    page.PaintBox1->setPalette(palette);
    const QImage image = Render();

    const auto purplish = [](QColor c) { return c.red() > c.green() + 40 && c.blue() > c.green() + 40; };
    EXPECT_GT(CountPixels(image, QRect(0, 0, 57, 170), purplish), 0);
    EXPECT_EQ(CountPixels(image, QRect(345, 0, 33, 170), purplish), 0);
    EXPECT_EQ(CountPixels(image, QRect(0, 180, 57, 170), purplish), 0);
}

TEST_F(WrauGraphPageTest, DamagedScoresDrawNothing)
{
    SetWrau(1, 8, std::numeric_limits<float>::quiet_NaN());
    SetWrau(1, 9, std::numeric_limits<float>::infinity());
    SetWrau(1, 10, -std::numeric_limits<float>::infinity());
    SetWrau(1, 11, 1e30f);
    SetWrau(1, 12, -1e30f);
    const QImage image = Render();
    EXPECT_EQ(CountPixels(image, Inside(Graph2), [](QColor c) { return c == Green || c == Blue; }), 0);
}

TEST_F(WrauGraphPageTest, ResizingScalesThePictureButNotTheButton)
{
    const QImage image = Render(QSize(800, 500));
    // 0.10 W = 80, 0.38 W = 304, 0.05 H = 25, 0.44 H = 220.
    EXPECT_TRUE(IsColour(image, 80, 25, Black));
    EXPECT_TRUE(IsColour(image, 303, 220, Black));
    EXPECT_TRUE(IsColour(image, 304, 100, White));
    EXPECT_EQ(page.PaintBox1->geometry(), QRect(0, 0, 800, 500));
    EXPECT_EQ(page.ViewScoresButton->geometry(), QRect(273, 291, 85, 35));
}

TEST_F(WrauGraphPageTest, ViewScoresPostsOneMessage)
{
    EXPECT_EQ(page.ViewScoresButton->text(), QStringLiteral("View Scores"));
    page.ViewScoresButton->click();
    EXPECT_TRUE(mainWindow.Received.empty()) << "posted, not sent";
    QCoreApplication::processEvents();
    EXPECT_EQ(mainWindow.Received, std::vector<int>{WM_SHOWSCORES});
}
