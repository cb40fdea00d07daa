// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageFixture.h"
#include "QtPrint.h"
#include "controls/StringGrid.h"
#include "pages/Page4.h"

#include <QPushButton>

#include <array>
#include <cmath>
#include <limits>

namespace {

class ScoresPageTest : public PageFixture
{
protected:
    // Percent, RAU, WRAU of H-Sentences, then of L-Sentences.
    std::array<TStringGrid *, 6> Grids() const
    {
        return {page.StringGrid1, page.StringGrid3, page.StringGrid5,
                page.StringGrid2, page.StringGrid4, page.StringGrid6};
    }

    // Shown as the main window shows it, then hidden again.
    void ShowPage()
    {
        page.show();
        page.hide();
    }

    void Score(int mdb, int slot, float proportion, float rau, float wrau)
    {
        TMdbBlock block = record.Mdb(mdb);
        block.SetProportion(slot, proportion);
        block.SetRau(slot, rau);
        block.SetWrau(slot, wrau);
    }

    int NonEmptyCells() const
    {
        int count = 0;
        for (const TStringGrid *grid : Grids()) {
            for (int m = 0; m < 4; ++m) {
                for (int r = 0; r < 4; ++r)
                    count += grid->Cells(m, r).isEmpty() ? 0 : 1;
            }
        }
        return count;
    }

    TfmScoresPrint page{context};
};

} // namespace

TEST_F(ScoresPageTest, GridsHaveTheirPlacesAndSizes)
{
    const QPoint places[] = {{71, 82}, {73, 195}, {264, 82}, {264, 196}, {457, 82}, {457, 196}};
    const TStringGrid *grids[] = {page.StringGrid1, page.StringGrid2, page.StringGrid3,
                                  page.StringGrid4, page.StringGrid5, page.StringGrid6};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(grids[i]->geometry(), QRect(places[i], QSize(169, 79))) << i + 1;
        // Display only, but reached by Tab for a screen reader.
        EXPECT_TRUE(grids[i]->isEnabled());
        EXPECT_EQ(grids[i]->focusPolicy(), Qt::TabFocus);
        EXPECT_EQ(grids[i]->CellRect(1, 1).size(), QSize(40, 18));
    }
    EXPECT_EQ(page.size(), QSize(633, 348));
    EXPECT_EQ(page.windowTitle(), QStringLiteral("Scores/Print"));
}

TEST_F(ScoresPageTest, NewFileShowsEmptyCells)
{
    ShowPage();
    EXPECT_EQ(NonEmptyCells(), 0);
}

TEST_F(ScoresPageTest, ScoredListsShowInTheirCellsInTheScreenFormat)
{
    Score(1, 9, 0.853333f, 117.46f, -5.126f); // MDB 2, H-Sens 10 dB
    Score(3, 12, 0.0f, -23.0f, -21.85f);     // MDB 4, L-Sens 15 dB, nothing right
    Score(0, 15, 1.0f, 103.47f, 59.9f);      // MDB 1, L-Sens 0 dB
    ShowPage();

    EXPECT_EQ(page.StringGrid1->Cells(1, 1), QStringLiteral("85.33"));
    EXPECT_EQ(page.StringGrid3->Cells(1, 1), QStringLiteral("117.50"));
    EXPECT_EQ(page.StringGrid5->Cells(1, 1), QStringLiteral("-5.13"));
    EXPECT_EQ(page.StringGrid2->Cells(3, 0), QStringLiteral("0.00"));
    EXPECT_EQ(page.StringGrid4->Cells(3, 0), QStringLiteral("-23.00"));
    EXPECT_EQ(page.StringGrid6->Cells(3, 0), QStringLiteral("-21.85"));
    EXPECT_EQ(page.StringGrid2->Cells(0, 3), QStringLiteral("100.00"));
    EXPECT_EQ(page.StringGrid4->Cells(0, 3), QStringLiteral("103.50"));
    EXPECT_EQ(NonEmptyCells(), 9);
}

TEST_F(ScoresPageTest, OnlyTheProportionSaysWhetherAListWasScored)
{
    Score(2, 10, NoScore, NoScore, NoScore); // aborted
    Score(2, 11, NoScore, 40.0f, 41.0f);     // stale RAU and WRAU stay hidden
    Score(2, 3, 0.5f, 50.0f, 50.0f);         // practice list of H-Sens 0 dB
    Score(2, 13, 0.6f, NoScore, NoScore);    // no score a list gives
    ShowPage();

    EXPECT_EQ(page.StringGrid4->Cells(2, 1), QStringLiteral("err"));
    EXPECT_EQ(page.StringGrid6->Cells(2, 1), QStringLiteral("err"));
    EXPECT_EQ(page.StringGrid2->Cells(2, 1), QStringLiteral("60.00"));
    EXPECT_EQ(NonEmptyCells(), 3);
}

// A damaged file's values are "err", never "NAN", "INF" or 39 digits.
TEST_F(ScoresPageTest, ScoresNoListCanGiveShowAsErr)
{
    Score(1, 8, std::numeric_limits<float>::quiet_NaN(), 1e38f, -std::numeric_limits<float>::infinity());
    Score(1, 12, 5.0f, 123.5f, 50.0f);
    ShowPage();
    for (TStringGrid *grid : {page.StringGrid1, page.StringGrid3, page.StringGrid5})
        EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("err"));
    EXPECT_EQ(page.StringGrid2->Cells(1, 0), QStringLiteral("err"));
    EXPECT_EQ(page.StringGrid4->Cells(1, 0), QStringLiteral("err"));
    EXPECT_EQ(page.StringGrid6->Cells(1, 0), QStringLiteral("50.00"));
}

TEST_F(ScoresPageTest, ShowingAgainReplacesEveryCell)
{
    for (int m = 0; m < 4; ++m) {
        for (int slot = 8; slot < 16; ++slot)
            Score(m, slot, 0.5f, 50.0f, 48.0f);
    }
    ShowPage();
    EXPECT_EQ(NonEmptyCells(), 96);

    record.InitNewRecord(QDate(2024, 5, 18), QLocale::c());
    Score(0, 8, 0.25f, 20.0f, 19.0f);
    ShowPage();
    EXPECT_EQ(NonEmptyCells(), 3);
    EXPECT_EQ(page.StringGrid5->Cells(0, 0), QStringLiteral("19.00"));
}

TEST_F(ScoresPageTest, CellsAreWhiteWithTheTextAtTheTopLeft)
{
    Score(0, 8, 0.853333f, 117.46f, -5.126f);
    ShowPage();
    page.resize(633, 348);
    const QImage image = page.grab().toImage().convertToFormat(QImage::Format_RGB32);

    const QRect cell = page.StringGrid3->CellRect(0, 0).translated(page.StringGrid3->pos());
    const auto dark = [](QColor c) { return c.lightness() < 100; };
    const auto ink = [](QColor c) { return c != Qt::white; };
    EXPECT_GT(CountPixels(image, cell, dark), 10) << "drawn in the window-text colour, disabled or not";
    EXPECT_GT(CountPixels(image, QRect(cell.left(), cell.top(), 4, 13), ink), 0) << "starts at the left edge";
    EXPECT_EQ(CountPixels(image, cell.adjusted(0, 14, 0, 0), ink), 0) << "stands at the top";
    const QRect empty = page.StringGrid3->CellRect(1, 0).translated(page.StringGrid3->pos());
    EXPECT_EQ(CountPixels(image, empty, [](QColor c) { return c != Qt::white; }), 0);
}

// At a fractional scale every cell rounds outward onto its neighbours; the
// rules between the cells must survive it, and the 2x picture stays as it was.
TEST_F(ScoresPageTest, RulesSurviveAnyScale)
{
    TStringGrid &grid = *page.StringGrid1;
    for (int m = 0; m < 4; ++m) {
        for (int r = 0; r < 4; ++r)
            grid.SetCells(m, r, QStringLiteral("88.88"));
    }
    const QColor rule(192, 192, 192);
    for (const qreal scale : {1.25, 1.5, 2.0}) {
        QImage image((QSizeF(grid.size()) * scale).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        grid.render(&image);
        // A one-pixel rule at logical x (or y) covers x - 0.5 to x + 0.5.
        const auto devicePixels = [scale](int at) {
            return std::pair{int(std::floor((at - 0.5) * scale)), int(std::ceil((at + 0.5) * scale)) - 1};
        };
        const auto hasRule = [&](bool vertical, int at, int across) {
            const auto [from, to] = devicePixels(at);
            const int a = int(across * scale);
            for (int d = from; d <= to; ++d) {
                if (image.pixelColor(vertical ? d : a, vertical ? a : d) == rule)
                    return true;
            }
            return false;
        };
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 4; ++j) {
                EXPECT_TRUE(hasRule(true, grid.CellRect(i, 0).right() + 1, grid.CellRect(0, j).center().y()))
                    << "scale " << scale << ", rule after column " << i << ", row " << j;
                EXPECT_TRUE(hasRule(false, grid.CellRect(0, i).bottom() + 1, grid.CellRect(j, 0).center().x()))
                    << "scale " << scale << ", rule after row " << i << ", column " << j;
            }
        }
        if (scale == 2.0) {
            const int x = grid.CellRect(0, 0).right() + 1;
            const int y = 2 * grid.CellRect(0, 1).center().y();
            EXPECT_EQ(image.pixelColor(2 * x - 2, y), Qt::white);
            EXPECT_EQ(image.pixelColor(2 * x - 1, y), rule);
            EXPECT_EQ(image.pixelColor(2 * x, y), rule);
            EXPECT_EQ(image.pixelColor(2 * x + 1, y), Qt::white);
        }
    }
}

TEST_F(ScoresPageTest, ButtonsPostTheirMessages)
{
    EXPECT_EQ(page.BackButton->text(), QStringLiteral("&Select Test Conditions"));
    EXPECT_EQ(page.ViewWRAUButton->text(), QStringLiteral("&View WRAU Graphs"));
    EXPECT_EQ(page.PrintButton->text(), QStringLiteral("&Print Scores"));
    EXPECT_TRUE(page.PrintButton->isDefault());
    EXPECT_TRUE(page.PrintButton->isEnabled());

    page.BackButton->click();
    page.ViewWRAUButton->click();
    EXPECT_TRUE(mainWindow.Received.empty()) << "posted, not sent";
    QCoreApplication::processEvents();
    EXPECT_EQ(mainWindow.Received, (std::vector<int>{WM_SHOWCONDITIONS, WM_SHOWGRAPH}));
}
