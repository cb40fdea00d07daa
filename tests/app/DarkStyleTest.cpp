// SPDX-License-Identifier: GPL-3.0-or-later
// The pages under a desktop style that paints its controls dark: their
// buttons must still read, and an enabled one must not look disabled.
#include "ColourVision.h"
#include "ShellFixture.h"

#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace ColourVision;

// The contrast of the caption's glyph cores (the strongest few per cent of
// its pixels) against the button's face (its commonest colour), over the
// caption's own area only: a frame or focus ring does not count, and a face
// drawn as a gradient does not pass for ink.
double CaptionContrast(QPushButton *button)
{
    const QImage image = button->grab().toImage();
    const QString caption = QString(button->text()).remove(u'&');
    const QSize size = button->fontMetrics().size(Qt::TextSingleLine, caption);
    const QRect area = QRect(QPoint(), size).translated(button->rect().center() - QRect(QPoint(), size).center()) &
                       image.rect();
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb face = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(face))
            face = it.key();
    }
    std::vector<double> contrasts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            contrasts.push_back(Contrast(image.pixel(x, y), face));
    }
    std::sort(contrasts.begin(), contrasts.end(), std::greater<>());
    return contrasts.empty() ? 1.0 : contrasts[contrasts.size() * 3 / 100];
}

class DarkStyle : public ShellFixture
{
protected:
    void SetUp() override
    {
        QStyle *dark = QStyleFactory::create(QStringLiteral("Adwaita-Dark"));
        if (!dark)
            GTEST_SKIP() << "the Adwaita-Dark style (package adwaita-qt6) is not installed";
        m_previous = QApplication::style()->name();
        m_palette = QApplication::palette();
        QApplication::setStyle(dark);
        ShellFixture::SetUp();
    }
    void TearDown() override
    {
        if (m_previous.isEmpty())
            return;
        ShellFixture::TearDown();
        QApplication::setStyle(m_previous);
        QApplication::setPalette(m_palette);
    }

private:
    QString m_previous;
    QPalette m_palette;
};

TEST_F(DarkStyle, PageButtonsReadAndAnEnabledOneLooksEnabled)
{
    for (const TPageIndex p : {ClientInfoPage, ConditionsPage, CalibrationPage, ScoresPage, GraphPage, TestPage}) {
        if (p == TestPage)
            record.Mdb(record.CurrentMdb()).SetSelected(0, true);
        window->ShowPage(p);
        for (QPushButton *button : window->Page(p)->findChildren<QPushButton *>()) {
            if (!button->isVisible() || !button->isEnabled())
                continue;
            const double contrast = CaptionContrast(button);
            std::printf("%s: %.2f:1\n", qPrintable(button->text()), contrast);
            // What text needs, above the 3:1 of a mark or a line.
            EXPECT_GE(contrast, 4.5) << button->text().toStdString();
        }
    }
    ASSERT_TRUE(test->AbortButton->isEnabled());
    ASSERT_FALSE(test->NextPageButton->isEnabled());
    const double enabled = CaptionContrast(test->AbortButton), disabled = CaptionContrast(test->NextPageButton);
    std::printf("enabled Abort %.2f:1, disabled View Scores %.2f:1\n", enabled, disabled);
    EXPECT_GE(enabled, 1.5 * disabled);
}

} // namespace
