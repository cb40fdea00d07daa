// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "TestPageFixture.h"
#include "controls/PaintBox.h"
#include "controls/StringGrid.h"
#include "record/ScoreFormat.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QMetaEnum>
#include <QRadioButton>

namespace {

// What an assistive tool finds below a widget, walking Qt's accessibility
// interfaces as it walks the accessibility bus.
class ScreenReader : public TestPageFixture
{
protected:
    void Walk(QAccessibleInterface *node, int depth)
    {
        const QString name = node->text(QAccessible::Name);
        QString line = QString(depth * 2, u' ') + QLatin1String(QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role())) + u' ' + name;
        if (QAccessibleTableInterface *table = node->tableInterface())
            line += QStringLiteral(" [%1 x %2]").arg(table->rowCount()).arg(table->columnCount());
        Dump << line;
        if (node->state().invisible)
            return;
        static const QAccessible::Role Named[] = {QAccessible::Button,      QAccessible::CheckBox,
                                                  QAccessible::RadioButton, QAccessible::EditableText,
                                                  QAccessible::Table,       QAccessible::Chart};
        if (std::find(std::begin(Named), std::end(Named), node->role()) != std::end(Named)) {
            EXPECT_FALSE(name.isEmpty()) << "unnamed control, role " << int(node->role()) << " in "
                                         << node->parent()->text(QAccessible::Name).toStdString();
        }
        for (int i = 0; i < node->childCount(); ++i)
            Walk(node->child(i), depth + 1);
    }

    void WalkPage(TPageIndex page)
    {
        Dump << QStringLiteral("page %1").arg(int(page));
        Walk(QAccessible::queryAccessibleInterface(window->Page(page)), 0);
    }

    static QString Name(QObject *object) { return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name); }

    QStringList Dump;
};

TEST_F(ScreenReader, EveryControlOfEveryPageHasAName)
{
    for (const TPageIndex page : {ClientInfoPage, ConditionsPage, CalibrationPage, ScoresPage, GraphPage}) {
        window->ShowPage(page);
        WalkPage(page);
    }
    StartRun(0, {1}, false);
    WalkPage(TestPage);
    EXPECT_GT(Dump.size(), 150);
    // AVEK_ACCESSIBILITY_DUMP names a file to keep the walk in, to read it.
    if (const QString path = qEnvironmentVariable("AVEK_ACCESSIBILITY_DUMP"); !path.isEmpty()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Dump.join(u'\n').toUtf8());
    }

    EXPECT_EQ(Name(clientInfo->EditLastName), "Last name");
    EXPECT_EQ(Name(calibration->EditHigh), "H-Sens talker level, dB HL");
    EXPECT_EQ(Name(conditions->ChooseSession[1]), "MDB 2");
    EXPECT_EQ(Name(conditions->ConditionBoxes[5]), "L-Sentences 10 SNR");
}

TEST_F(ScreenReader, ScoresAndGraphValuesReadAsTables)
{
    TMdbBlock block = record.Mdb(1);
    block.SetProportion(9, 0.853333f);
    block.SetRau(9, 80.0f);
    block.SetWrau(9, 75.125f);
    block.SetSnr50High(-6);
    window->ShowPage(ScoresPage);

    QAccessibleInterface *percent = QAccessible::queryAccessibleInterface(scores->StringGrid1);
    ASSERT_NE(percent->tableInterface(), nullptr);
    EXPECT_EQ(percent->text(QAccessible::Name), "H-Sentences Percent");
    EXPECT_EQ(percent->tableInterface()->rowCount(), 4);
    EXPECT_EQ(percent->tableInterface()->columnCount(), 4);
    QAccessibleInterface *cell = percent->tableInterface()->cellAt(1, 1);
    EXPECT_EQ(cell->text(QAccessible::Name), "85.33");
    EXPECT_EQ(cell->text(QAccessible::Description), "10 dB SNR, MDB 2");
    EXPECT_EQ(percent->indexOfChild(cell), 5);
    EXPECT_EQ(percent->tableInterface()->cellAt(0, 0)->text(QAccessible::Name), "");

    window->ShowPage(GraphPage);
    QAccessibleInterface *picture = QAccessible::queryAccessibleInterface(graph->PaintBox1);
    ASSERT_EQ(picture->childCount(), 5);
    QAccessibleInterface *mdb2 = picture->child(1);
    EXPECT_EQ(mdb2->text(QAccessible::Name), "MDB 2 WRAU");
    EXPECT_EQ(mdb2->tableInterface()->columnDescription(2), "10 dB SNR");
    EXPECT_EQ(mdb2->tableInterface()->cellAt(0, 2)->text(QAccessible::Name), ScreenScore(75.125f));
    EXPECT_EQ(mdb2->tableInterface()->cellAt(1, 2)->text(QAccessible::Name), "");
    QAccessibleInterface *snr50 = picture->child(4);
    EXPECT_EQ(snr50->text(QAccessible::Name), "SNR-50");
    EXPECT_EQ(snr50->tableInterface()->cellAt(1, 0)->text(QAccessible::Name), "< 10");
    EXPECT_EQ(picture->indexOfChild(snr50), 4);
    EXPECT_EQ(snr50->parent(), picture);
}

TEST_F(ScreenReader, KeyWordButtonsAreButtonsNamedByWordAndMark)
{
    StartRun(0, {0}, false);
    TKeyWordButton *button = test->WordButtons[1][0];
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    EXPECT_EQ(accessible->text(QAccessible::Name), button->Caption().trimmed() + ", not played");
    Play();
    EXPECT_EQ(accessible->text(QAccessible::Name), button->Caption().trimmed() + ", wrong");
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(test->Mark(0, 1), TWordMark::Correct);
    EXPECT_EQ(accessible->text(QAccessible::Name), button->Caption().trimmed() + ", correct");
    EXPECT_FALSE(button->Caption().trimmed().isEmpty());
}

// A reader speaks the object that takes the focus, and the focused object
// again when its name changes: what it says is the focused object's name.
TEST_F(ScreenReader, TestPageSaysTheSentenceAndEachMarkAsItChanges)
{
    QStringList spoken;
    const auto say = [&spoken] {
        QAccessibleInterface *focused = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        spoken << (focused ? focused->text(QAccessible::Name) : QString());
    };
    StartRun(0, {0}, false);
    say();
    EXPECT_EQ(spoken.last(), "Page 1 of 1, H-Sens, SNR: 15, MDB: 1. Sentence 1 of 10: " + test->SentenceLabels[0]->text());

    Play();
    spoken.clear();
    const auto focusedWord = [] {
        auto *button = qobject_cast<TKeyWordButton *>(QApplication::focusWidget());
        return button ? button->Caption().trimmed() : QString();
    };
    Key(Qt::Key_1);
    say();
    const QString word1 = focusedWord();
    Key(Qt::Key_1);
    say();
    Key(Qt::Key_2, Qt::ShiftModifier);
    say();
    const QString word2 = focusedWord();
    ASSERT_FALSE(word1.isEmpty());
    EXPECT_NE(word1, word2);
    EXPECT_EQ(spoken, (QStringList{word1 + ", correct", word1 + ", half correct", word2 + ", half correct"}));

    Key(Qt::Key_N);
    say();
    EXPECT_EQ(spoken.last(), "Sentence 2 of 10: " + test->SentenceLabels[1]->text());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(test->SentenceLabels[1])->text(QAccessible::Description),
              "Page 1 of 1, H-Sens, SNR: 15, MDB: 1");
    Play();
    Key(Qt::Key_C);
    say();
    EXPECT_EQ(spoken.last(), "All correct: " + test->SentenceLabels[1]->text());
}

TEST_F(ScreenReader, TabAndTheArrowsReachEveryScoreCell)
{
    record.Mdb(1).SetProportion(9, 0.853333f);
    window->ShowPage(ScoresPage);
    for (int i = 0; i < 12 && QApplication::focusWidget() != scores->StringGrid1; ++i)
        Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), scores->StringGrid1);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Up);
    QAccessibleTableInterface *table = QAccessible::queryAccessibleInterface(scores->StringGrid1)->tableInterface();
    QAccessibleInterface *cell = table->cellAt(1, 1);
    EXPECT_TRUE(cell->state().focused);
    EXPECT_FALSE(table->cellAt(0, 0)->state().focused);
    EXPECT_EQ(cell->text(QAccessible::Name), "85.33");
    EXPECT_EQ(cell->text(QAccessible::Description), "10 dB SNR, MDB 2");
    Key(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), scores->StringGrid1);
    EXPECT_FALSE(cell->state().focused);
}

TEST_F(ScreenReader, TabReachesTheGraphValuesAndTheArrowsReadThem)
{
    record.Mdb(1).SetWrau(9, 75.125f);
    record.Mdb(1).SetSnr50High(-6);
    window->ShowPage(GraphPage);
    graph->ViewScoresButton->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), graph->PaintBox1);
    QAccessibleInterface *picture = QAccessible::queryAccessibleInterface(graph->PaintBox1);
    EXPECT_TRUE(picture->child(0)->tableInterface()->cellAt(0, 0)->state().focused);
    Key(Qt::Key_PageDown);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    QAccessibleInterface *cell = picture->child(1)->tableInterface()->cellAt(0, 2);
    EXPECT_TRUE(cell->state().focused);
    EXPECT_FALSE(picture->child(0)->tableInterface()->cellAt(0, 0)->state().focused);
    EXPECT_EQ(cell->text(QAccessible::Name), ScreenScore(75.125f));
    Key(Qt::Key_PageUp);
    Key(Qt::Key_PageUp);
    Key(Qt::Key_Down);
    QAccessibleInterface *snr50 = picture->child(4)->tableInterface()->cellAt(1, 0);
    EXPECT_TRUE(snr50->state().focused);
    EXPECT_EQ(snr50->text(QAccessible::Name), "< 10");
}

} // namespace
