// SPDX-License-Identifier: GPL-3.0-or-later
// The marks as a person sees them: each stands out from the page, and each
// can be told from the others without telling red from green.
#include "ColourVision.h"
#include "TestPageFixture.h"

#include "pages/MarkLegend.h"

#include <QLabel>

namespace {

using namespace ColourVision;
using MarkVisibility = TestPageFixture;

constexpr TWordMark Marks[] = {TWordMark::NotPlayed, TWordMark::Wrong, TWordMark::Correct, TWordMark::HalfCorrect};

TEST_F(MarkVisibility, EveryMarkStandsOutFromThePageAtThreeToOne)
{
    StartRun(0, {0}, false);
    Play();
    ClickWord(0, 1);
    ClickWord(0, 2);
    ClickWord(0, 2);
    ASSERT_EQ(test->Mark(0, 0), TWordMark::Wrong);
    ASSERT_EQ(test->Mark(0, 1), TWordMark::Correct);
    ASSERT_EQ(test->Mark(0, 2), TWordMark::HalfCorrect);
    const QImage page = test->grab().toImage();
    const QRgb background = page.pixel(test->PlayPanel->width() + 2, 2);
    const std::pair<int, int> places[] = {{1, 0}, {0, 0}, {0, 1}, {0, 2}};
    for (int i = 0; i < 4; ++i) {
        const QWidget *button = test->WordButtons[places[i].second][places[i].first];
        const QRgb ink = InkColour(page, button->geometry(), background);
        const double contrast = Contrast(ink, background);
        std::printf("%s: ink %s on %s, %.2f:1\n", qPrintable(button->accessibleName()),
                    qPrintable(QColor(ink).name()), qPrintable(QColor(background).name()), contrast);
        EXPECT_GE(contrast, 3.0) << int(Marks[i]) << " " << QColor(ink).name().toStdString();
    }
    EXPECT_TRUE(test->MarkLegend->isVisible());
    EXPECT_TRUE(test->rect().contains(test->MarkLegend->geometry()));
}

TEST_F(MarkVisibility, MarksDifferInShapeForADeuteranope)
{
    // One word under each mark, drawn as the page draws it.
    QWidget host;
    host.setPalette(test->palette());
    std::vector<QImage> seen;
    for (const TWordMark mark : Marks) {
        TKeyWordButton button(&host);
        button.setFont(test->SentenceLabels[0]->font());
        button.SetCaption(QStringLiteral(" KITCHEN "));
        button.SetSentence(QStringLiteral("the KITCHEN"), QPoint(-button.fontMetrics().horizontalAdvance(QStringLiteral("the ")), 1));
        button.resize(button.fontMetrics().horizontalAdvance(QStringLiteral(" KITCHEN ")) - 6, 25);
        button.SetMark(mark);
        seen.push_back(AsDeuteranope(button.grab().toImage()));
    }
    const QRgb background = seen[0].pixel(0, 0);
    for (size_t a = 0; a < seen.size(); ++a) {
        for (size_t b = a + 1; b < seen.size(); ++b) {
            const int differing = ShapeDifference(seen[a], seen[b], background);
            EXPECT_GE(differing, 40) << "marks " << a << " and " << b;
        }
    }
}

} // namespace
