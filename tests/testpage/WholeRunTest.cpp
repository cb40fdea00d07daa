// SPDX-License-Identifier: GPL-3.0-or-later
// A whole run as a clinician gives it: through the set-up pages to the test
// page, every sentence played and marked with mouse and keys, then the client
// file read back from the disk.
#include "TestPageFixture.h"

#include "administration/Snr50.h"
#include "cdaudio/Tmsf.h"
#include "record/ClientFileReader.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <set>

namespace {

using WholeRun = TestPageFixture;

// How key word k of sentence j of page p is marked after its play, and what
// that mark counts: a left click, two left clicks, its digit key, Shift and
// its digit key (a right click on Wrong), two right clicks.
enum TAction { LeftClick, LeftTwice, DigitKey, ShiftDigitKey, RightTwice };
constexpr double Credit[] = {1.0, 0.5, 1.0, 0.5, 0.0};

TAction ActionFor(int page, int sentence, int word)
{
    return TAction((sentence + 2 * word + page) % 5);
}

struct TExpectedScore
{
    float Proportion;
    float Rau;
    float Wrau;
};

TExpectedScore Expected(double credits, int sentences, float weight)
{
    const float p = float(credits / (5.0 * sentences));
    const float rau = float(2.0 * std::asin(std::sqrt(double(p))) * 46.4734337 - 23.0);
    return {p, rau, rau * weight};
}

} // namespace

TEST_F(WholeRun, EveryListIsScoredIntoItsSlotAndSavedWithNothingElseChanged)
{
    const QString file = Path(QStringLiteral("CLIENT.VEK"));

    // Client information, then the conditions: MDB 2, H-Sens 10 and L-Sens 0,
    // practice on.
    QTest::keyClicks(clientInfo->EditLastName, QStringLiteral("Doe"));
    clientInfo->NextButton->click();
    Settle();
    ASSERT_TRUE(conditions->isVisible());
    QTest::mouseClick(conditions->ChooseSession[1], Qt::LeftButton);
    conditions->ConditionBoxes[1]->click();
    conditions->ConditionBoxes[7]->click();
    ASSERT_TRUE(conditions->CheckPracticeBlock->isChecked());
    conditions->Button2->click();
    Settle();
    ASSERT_TRUE(calibration->isVisible());
    prompts.FileNames.push_back(file);
    ASSERT_TRUE(window->SaveFile(true));
    const QByteArray before = FileBytes(file);
    ASSERT_EQ(before.size(), TClientRecord::Size);
    calibration->NextButton->click();
    Settle();
    ASSERT_TRUE(test->isVisible());
    ASSERT_EQ(test->PageCount(), 4);

    const int listSlots[] = {1, 9, 7, 15};
    const float weights[] = {1.009f, 1.009f, 1.122f, 1.122f};
    std::array<double, 4> credits{};
    for (int page = 1; page <= 4; ++page) {
        ASSERT_EQ(test->CurrentPage(), page);
        const int sentences = test->SentenceCount();
        for (int j = 0; j < sentences; ++j) {
            ASSERT_EQ(test->CurrentSentence(), j);
            if (j % 2)
                Key(Qt::Key_P);
            else
                test->PlayButton->click();
            sentencePlayer.FinishPlay();
            if (page == 2 && j == sentences - 1) {
                Key(Qt::Key_C);
                credits[page - 1] += 5;
            } else {
                for (int k = 0; k < 5; ++k) {
                    const TAction action = ActionFor(page, j, k);
                    switch (action) {
                    case LeftTwice:
                        ClickWord(j, k);
                        [[fallthrough]];
                    case LeftClick:
                        ClickWord(j, k);
                        break;
                    case DigitKey:
                        Key(Qt::Key_1 + k);
                        break;
                    case ShiftDigitKey:
                        Key(Qt::Key_1 + k, Qt::ShiftModifier);
                        break;
                    case RightTwice:
                        ClickWord(j, k, Qt::RightButton);
                        ClickWord(j, k, Qt::RightButton);
                        break;
                    }
                    credits[page - 1] += Credit[action];
                }
            }
            Key(j % 3 == 0 ? Qt::Key_Down : Qt::Key_N);
        }
        // Each list is in the file the moment its last sentence is passed.
        TClientRecord saved;
        ASSERT_TRUE(ReadClientFile(file, saved));
        EXPECT_EQ(saved.Mdb(1).Proportion(listSlots[page - 1]), record.Mdb(1).Proportion(listSlots[page - 1]));
        EXPECT_FALSE(state.ModifiedFlag);
    }
    EXPECT_EQ(PlayCount(), 30);
    // Sentence 0 of passage 72, the first practice list, plays its own stretch.
    EXPECT_TRUE(sentencePlayer.Calls.contains(
        QStringLiteral("Play %1 %2 notify").arg(MakeTmsf(3, 7, 0)).arg(MakeTmsf(3, 7, 3))));
    ASSERT_TRUE(test->NextPageButton->isEnabled());
    test->NextPageButton->click();
    Settle();
    EXPECT_TRUE(window->Page(ScoresPage)->isVisible());
    for (int p = 0; p < PageCount; ++p)
        EXPECT_TRUE(window->PageButton(TPageIndex(p))->isEnabled()) << p;
    EXPECT_EQ(window->ModifiedText(), "");

    const QByteArray after = FileBytes(file);
    TClientRecord saved;
    ASSERT_TRUE(ReadClientFile(file, saved));
    const TConstMdbBlock block = saved.Mdb(1);
    for (int i = 0; i < 4; ++i) {
        const TExpectedScore score = Expected(credits[i], i % 2 ? 10 : 5, weights[i]);
        EXPECT_EQ(block.Proportion(listSlots[i]), score.Proportion) << listSlots[i];
        EXPECT_EQ(block.Rau(listSlots[i]), score.Rau) << listSlots[i];
        EXPECT_EQ(block.Wrau(listSlots[i]), score.Wrau) << listSlots[i];
    }
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(block.Tested(c), c == 1 || c == 7) << c;
    EXPECT_TRUE(block.Completed());
    EXPECT_EQ(block.Snr50High(), EstimateSnr50(-99, -99, block.Wrau(9), -99));
    EXPECT_EQ(block.Snr50Low(), EstimateSnr50(block.Wrau(15), -99, -99, -99));
    EXPECT_NE(block.Snr50High(), NoSnr50);

    // Nothing but those fields of MDB 2 differs from the file saved before.
    const qsizetype base = ClientRecordLayout::Mdb + MdbBlockLayout::Size;
    std::set<qsizetype> changed = {base + MdbBlockLayout::Completed, base + MdbBlockLayout::Tested + 1,
                                   base + MdbBlockLayout::Tested + 7};
    for (const qsizetype field : {MdbBlockLayout::Snr50High, MdbBlockLayout::Snr50Low}) {
        for (int b = 0; b < 4; ++b)
            changed.insert(base + field + b);
    }
    for (const qsizetype array : {MdbBlockLayout::Proportion, MdbBlockLayout::Rau, MdbBlockLayout::Wrau}) {
        for (const int slot : listSlots) {
            for (int b = 0; b < 4; ++b)
                changed.insert(base + array + 4 * slot + b);
        }
    }
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (!changed.count(i)) {
            EXPECT_EQ(after[i], before[i]) << "byte " << i;
        }
    }
}
