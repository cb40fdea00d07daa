// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/ScoreFormat.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

namespace {

const QLocale C = QLocale::c();

TEST(ScoreFormat, ScreenShowsFourSignificantDigits)
{
    EXPECT_EQ(ScreenScore(85.3333f, C), "85.33");
    EXPECT_EQ(ScreenScore(103.47f, C), "103.50");
    EXPECT_EQ(ScreenScore(117.46f, C), "117.50");
    EXPECT_EQ(ScreenScore(-5.126f, C), "-5.13");
    EXPECT_EQ(ScreenScore(0.0f, C), "0.00");
    EXPECT_EQ(ScreenScore(100.0f, C), "100.00");
    EXPECT_EQ(ScreenScore(123.000595f, C), "123.00");
    EXPECT_EQ(ScreenScore(-23.0f, C), "-23.00");
    EXPECT_EQ(ScreenScore(7.0f, C), "7.00");
    EXPECT_EQ(ScreenScore(0.004f, C), "0.00");
}

TEST(ScoreFormat, PaperShowsFiveSignificantDigits)
{
    EXPECT_EQ(PrintScore(103.47f, C), "103.47");
    EXPECT_EQ(PrintScore(117.46f, C), "117.46");
    EXPECT_EQ(PrintScore(100.0f, C), "100.00");
    EXPECT_EQ(PrintScore(136.776657f, C), "136.78");
    EXPECT_EQ(PrintScore(-25.5760002f, C), "-25.58");
    EXPECT_EQ(PrintScore(1234.56f, C), "1234.60");
}

// The decision is taken on the exact binary value: 0.125 and 2.675 look alike
// in decimal, but only the first is a true half.
TEST(ScoreFormat, HalvesRoundAwayFromZeroOnTheExactValue)
{
    EXPECT_EQ(ScreenScore(0.125, C), "0.13");
    EXPECT_EQ(ScreenScore(-0.125, C), "-0.13");
    EXPECT_EQ(ScreenScore(2.675, C), "2.67"); // 2.67499999999999982236431605997495353221893310546875
    EXPECT_EQ(ScreenScore(1.005f, C), "1.00"); // the float is 1.00499999523...
    EXPECT_EQ(ScreenScore(99.995f, C), "100.00");
    EXPECT_EQ(ScreenScore(999.95, C), "1000.00");
    EXPECT_EQ(ScreenScore(-0.001, C), "0.00");
}

TEST(ScoreFormat, PercentIsFormedWithoutRounding)
{
    EXPECT_EQ(ScreenScore(Percent(0.84f), C), "84.00");
    EXPECT_EQ(ScreenScore(Percent(0.7f), C), "70.00");
    EXPECT_EQ(PrintScore(Percent(1.0f), C), "100.00");
}

TEST(ScoreFormat, DecimalSeparatorFollowsTheLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(ScreenScore(85.3333f, german), "85,33");
    EXPECT_EQ(PrintScore(-5.126f, german), "-5,13");
}

TEST(ScoreFormat, Snr50TextOfEveryCode)
{
    const std::pair<qint32, const char *> texts[] = {
        {-1, "> 15"}, {-2, "> 10"}, {-3, "> 5"}, {-4, "> 0"}, {-5, "< 15"}, {-6, "< 10"}, {-7, "< 5"},
        {-8, "< 0"},  {-9, "est"},  {-10, "err"}, {-99, ""},  {0, "0"},     {7, "7"},     {15, "15"},
        {-11, "-11"}, {42, "42"},
    };
    for (const auto &[code, text] : texts)
        EXPECT_EQ(Snr50Text(code), QLatin1String(text)) << code;
}

} // namespace
