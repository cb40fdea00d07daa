// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellFixture.h"
#include "controls/RotateLabel.h"
#include "controls/StringGrid.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>

namespace {

// What a dark desktop theme gives every widget that has no colours of its
// own: light text on dark boxes and buttons.
QPalette DarkPalette()
{
    QPalette palette(QColor(53, 53, 53));
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, QColor(45, 45, 45));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, QColor(250, 250, 250));
    return palette;
}

int Luma(QColor colour)
{
    return (299 * colour.red() + 587 * colour.green() + 114 * colour.blue()) / 1000;
}

// Pixels that stand out from the area's commonest colour as text does.
int TextPixels(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(background))
            background = it.key();
    }
    int text = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        text += std::abs(Luma(QColor(it.key())) - Luma(QColor(background))) > 100 ? it.value() : 0;
    return text;
}

// The program as a clinician with a dark desktop theme starts it.
class Appearance : public ShellFixture
{
protected:
    void SetUp() override
    {
        m_palette = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        ShellFixture::SetUp();
    }
    void TearDown() override
    {
        ShellFixture::TearDown();
        QApplication::setPalette(m_palette);
    }

    // Every text the page shows: labels, boxes, buttons, group titles, the
    // grids' cells, the rotated captions.
    void ExpectEveryTextReadable(QWidget *page)
    {
        const QImage image = page->grab().toImage();
        const auto expectText = [&](QWidget *widget, QRect area, const QString &what) {
            area.translate(widget->mapTo(page, QPoint()));
            EXPECT_GT(TextPixels(image, area & image.rect()), 3) << page->windowTitle().toStdString() << ": "
                                                                 << what.toStdString();
        };
        for (QWidget *widget : page->findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(page))
                continue;
            const QRect all = widget->rect();
            if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().isEmpty())
                expectText(widget, all, label->text());
            else if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && !edit->text().isEmpty())
                expectText(widget, all, edit->text());
            // A disabled button is greyed out on purpose.
            else if (auto *button = qobject_cast<QAbstractButton *>(widget);
                     button && button->isEnabled() && !button->text().isEmpty())
                expectText(widget, all, button->text());
            else if (auto *group = qobject_cast<QGroupBox *>(widget))
                expectText(widget, QRect(0, 0, all.width(), group->fontMetrics().height()), group->title());
            else if (auto *rotated = qobject_cast<TRotateLabel *>(widget))
                expectText(widget, all, rotated->Caption());
            else if (auto *grid = qobject_cast<TStringGrid *>(widget)) {
                for (int r = 0; r < grid->AccessibleTable.RowHeaders.size(); ++r) {
                    for (int c = 0; c < grid->AccessibleTable.ColumnHeaders.size(); ++c) {
                        if (!grid->Cells(c, r).isEmpty())
                            expectText(widget, grid->CellRect(c, r), grid->Cells(c, r));
                    }
                }
            }
        }
    }

private:
    QPalette m_palette;
};

TEST_F(Appearance, EveryTextReadsUnderADarkTheme)
{
    record.SetLastName(QStringLiteral("Smith"));
    for (int slot = 8; slot < 16; ++slot) {
        record.Mdb(0).SetProportion(slot, 0.5f);
        record.Mdb(0).SetRau(slot, 50.0f);
        record.Mdb(0).SetWrau(slot, 48.25f);
    }
    for (const TPageIndex p : {ClientInfoPage, ConditionsPage, CalibrationPage, ScoresPage, GraphPage, TestPage}) {
        if (p == TestPage) {
            record.SetCurrentMdb(0);
            record.Mdb(0).SetSelected(0, true);
        }
        window->ShowPage(p);
        ExpectEveryTextReadable(window->Page(p));
    }
    EXPECT_TRUE(test->SentenceLabels[0]->isVisible());
    // The first graph's axis numbers and title, left of its frame, are in the
    // drawing's own text colour.
    const QImage picture = graph->grab().toImage();
    const int w = picture.width();
    const int h = picture.height();
    EXPECT_GT(TextPixels(picture, QRect(0, int(0.05 * h), int(0.10 * w) - 1, int(0.39 * h))), 50);
}

} // namespace
