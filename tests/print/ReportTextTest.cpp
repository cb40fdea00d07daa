// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintFixture.h"

#include <QRegularExpression>

namespace {

using ReportTextTest = PrintFixture;

bool Matches(const QString &text, const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text).hasMatch();
}

TEST_F(ReportTextTest, NewFileShowsEveryHeadingAndNoScores)
{
    const QStringList texts = PrintedTexts();
    ASSERT_EQ(texts.size(), 2);
    const QString &report = texts[0];
    EXPECT_TRUE(report.contains(QStringLiteral("Revised VEK Test")));
    EXPECT_TRUE(report.contains(QStringLiteral("Printed: May 17, 2024")));
    EXPECT_TRUE(Matches(report, QStringLiteral("^\\s*NAME:\\s+FILE NAME:\\s+TEST DATE: ") +
                                    QRegularExpression::escape(record.TestDate()) + u'$'))
        << report;

    for (const char *heading : {"Percent", " RAU", "WRAU", "Talker Levels (dB HL)"})
        EXPECT_EQ(report.count(QLatin1String(heading)), 1) << heading;
    EXPECT_EQ(report.count(QStringLiteral("Modified Dual Block")), 4 + 4);
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(report.contains(QStringLiteral("Comments for Modified Dual Block %1").arg(k))) << k;
    EXPECT_EQ(report.count(QStringLiteral("SNR")), 6);
    EXPECT_TRUE(Matches(report, QStringLiteral("H-Sens\\s+70\\s+70\\s+70\\s+70$"))) << report;
    EXPECT_TRUE(Matches(report, QStringLiteral("L-Sens\\s+40\\s+40\\s+40\\s+40$"))) << report;
    EXPECT_FALSE(Matches(report, QStringLiteral("\\d\\.\\d\\d"))) << "no score in any cell";

    const QString &graphs = texts[1];
    EXPECT_TRUE(graphs.contains(QStringLiteral("Revised VEK Test")));
    EXPECT_TRUE(graphs.contains(QStringLiteral("Printed: May 17, 2024")));
    EXPECT_TRUE(graphs.contains(QStringLiteral("TEST DATE: ") + record.TestDate()));
    for (const char *text : {"MDB 1", "MDB 2", "MDB 3", "MDB 4", "SNR-50", "h-sens", "l-sens"})
        EXPECT_TRUE(graphs.contains(QLatin1String(text))) << text;
    EXPECT_FALSE(graphs.contains(QStringLiteral("Comments"))) << "no comments on the graph page";
}

TEST_F(ReportTextTest, NameLineNeedsALastName)
{
    record.SetLastName(QStringLiteral("Smith"));
    record.SetFirstName(QStringLiteral("Anna"));
    record.SetMiddleInitial(QStringLiteral("Q"));
    QStringList texts = PrintedTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].contains(QStringLiteral("NAME: Smith, Anna Q")));
    EXPECT_TRUE(texts[1].contains(QStringLiteral("NAME: Smith, Anna Q")));

    record.SetLastName(QString());
    texts = PrintedTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_FALSE(texts[0].contains(QStringLiteral("Anna")));
    EXPECT_TRUE(Matches(texts[0], QStringLiteral("^\\s*NAME:\\s+FILE NAME:")));
}

TEST_F(ReportTextTest, ALongFileNameKeepsItsEndsAndTheTestDate)
{
    state.ShortFileName = QStringLiteral("Smith_Alexandra_2026-12-08_followup.VEK");
    const QStringList texts = PrintedTexts();
    ASSERT_EQ(texts.size(), 2) << "both pages are printed";
    for (const QString &text : texts) {
        EXPECT_TRUE(Matches(text, QStringLiteral("FILE NAME: Smith_\\S*\u2026\\S*\\.VEK\\s+TEST DATE: ") +
                                      QRegularExpression::escape(record.TestDate()) + u'$'))
            << text;
    }
}

TEST_F(ReportTextTest, ScoresPrintWithFiveSignificantDigits)
{
    TMdbBlock block = record.Mdb(0);
    block.SetProportion(8, 1.0f);
    block.SetRau(8, 117.46f);
    block.SetWrau(8, 103.47f);
    block.SetProportion(11, 0.0f);
    block.SetRau(11, -23.0f);
    block.SetWrau(11, -15.5f);
    block.SetProportion(13, 0.5f);
    block.SetRau(13, 50.0f);
    block.SetWrau(13, 44.44f);
    // Not scored: its stored RAU and WRAU are not printed.
    TMdbBlock other = record.Mdb(1);
    other.SetRau(12, 55.55f);
    other.SetWrau(12, 66.66f);

    const QString report = PrintedTexts().value(0);
    EXPECT_TRUE(Matches(report, QStringLiteral("^\\s*15\\s+100\\.00\\s+15\\s+117\\.46\\s+15\\s+103\\.47$"))) << report;
    EXPECT_TRUE(Matches(report, QStringLiteral("^\\s*0\\s+0\\.00\\s+0\\s+-23\\.00\\s+0\\s+-15\\.50$"))) << report;
    // L-Sens 10 dB, in the second block's second row.
    EXPECT_TRUE(Matches(report, QStringLiteral("^\\s*10\\s+50\\.00\\s+10\\s+50\\.00\\s+10\\s+44\\.44$"))) << report;
    EXPECT_FALSE(report.contains(QStringLiteral("55.55")));
    EXPECT_FALSE(report.contains(QStringLiteral("66.66")));
}

TEST_F(ReportTextTest, TalkerLevelsInTheirUnit)
{
    record.SetLevelsInSpl(true);
    record.SetHighTalkerLevel(2, -5);
    const QString report = PrintedTexts().value(0);
    EXPECT_TRUE(report.contains(QStringLiteral("Talker Levels (dB SPL)")));
    EXPECT_FALSE(report.contains(QStringLiteral("(dB HL)")));
    EXPECT_TRUE(Matches(report, QStringLiteral("H-Sens\\s+70\\s+70\\s+-5\\s+70$"))) << report;
}

TEST_F(ReportTextTest, CommentsWrapLiterallyAndStopAtTheirBox)
{
    record.SetClientComments(QStringLiteral("Hearing aids & FM\r\nsecond line"));
    QStringList words;
    for (int i = 1; i <= 250; ++i)
        words << QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0'));
    record.Mdb(2).SetComments(words.join(u' '));

    const QString report = PrintedTexts().value(0);
    EXPECT_TRUE(Matches(report, QStringLiteral("^\\s*Hearing aids & FM$"))) << report;
    EXPECT_TRUE(Matches(report, QStringLiteral("^\\s*second line$"))) << report;
    EXPECT_TRUE(report.contains(QStringLiteral("w001 w002")));
    EXPECT_FALSE(report.contains(QStringLiteral("w250"))) << "cut off at the box's bottom";
    // The next heading is not overwritten by the overflowing comment.
    EXPECT_TRUE(Matches(report, QStringLiteral("^\\s*Comments for Modified Dual Block 4$"))) << report;
}

TEST_F(ReportTextTest, GraphPageShowsTheStoredSnr50Results)
{
    record.Mdb(0).SetSnr50High(-6);
    record.Mdb(2).SetSnr50Low(7);
    record.Mdb(3).SetSnr50High(-10);
    const QString graphs = PrintedTexts().value(1);
    EXPECT_TRUE(Matches(graphs, QStringLiteral("MDB 1\\s+< 10$"))) << graphs;
    EXPECT_TRUE(Matches(graphs, QStringLiteral("MDB 3\\s+7$"))) << graphs;
    EXPECT_TRUE(Matches(graphs, QStringLiteral("MDB 4\\s+err\\b"))) << graphs;
}

} // namespace
