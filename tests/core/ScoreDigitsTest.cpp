// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/ScoreFormat.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

// The formatting as it was first written: glibc's full 1080-place expansion,
// then the same rounding. Every score printed so far came from it, so the
// quick digits must give the very same text for every value.
QString ReferenceScore(double value, int significantDigits)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    std::string digits(1400, '\0');
    digits.resize(std::size_t(std::snprintf(digits.data(), digits.size(), "%.1080f", std::fabs(value))));
    const std::size_t point = digits.find('.');
    digits.erase(point, 1);
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return QStringLiteral("0.00");
    const long exponent = long(point) - long(first) - 1;
    const long kept = std::min<long>(2, significantDigits - 1 - exponent);
    std::string rounded = digits.substr(0, point + kept);
    if (digits[point + kept] >= '5') {
        auto it = rounded.rbegin();
        for (; it != rounded.rend() && *it == '9'; ++it)
            *it = '0';
        if (it == rounded.rend())
            rounded.insert(rounded.begin(), '1');
        else
            ++*it;
    }
    rounded.append(std::size_t(2 - kept), '0');
    std::string whole = rounded.substr(0, rounded.size() - 2);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    const bool zero = rounded.find_first_not_of('0') == std::string::npos;
    return QString::fromLatin1((value < 0 && !zero ? "-" : "") + whole + '.' + rounded.substr(rounded.size() - 2));
}

std::vector<double> Values()
{
    std::vector<double> values = {0.0, -0.0, 5e-324, -5e-324, 0.0005, 0.0045, 0.005, 0.0049999, 0.125, 2.675,
                                  9.995, 99.995, 999.95, 9999.5, 99999.5, 0.995, -0.005, -0.0049, 1e15,
                                  9007199254740991.0, 9007199254740992.0, 9007199254740993.0, 1e22, 1e38, 3.4e38,
                                  std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
                                  std::numeric_limits<double>::min(), std::nan(""), HUGE_VAL, -HUGE_VAL};
    std::mt19937_64 random(20261209);
    // Stored scores are floats: proportions as percentages, RAU and WRAU.
    std::uniform_int_distribution<std::uint32_t> bits;
    for (int i = 0; i < 5000; ++i) {
        const auto raw = bits(random);
        float f;
        std::memcpy(&f, &raw, sizeof f);
        values.push_back(double(f));
        values.push_back(Percent(float(i % 1001) / 1000.0f));
    }
    // Every magnitude a double has, and values a hair either side of the
    // places that are rounded at.
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-80, 80);
    for (int i = 0; i < 2500; ++i) {
        values.push_back(std::ldexp(mantissa(random), exponent(random)));
        const double half = (double(i) + 0.5) / 1000.0;
        values.push_back(half);
        values.push_back(std::nextafter(half, 0.0));
        values.push_back(-std::nextafter(half, 1e9));
    }
    return values;
}

TEST(ScoreDigits, EveryValuePrintsAsTheFullExpansionPrintedIt)
{
    const QLocale c = QLocale::c();
    int differing = 0;
    for (const double value : Values()) {
        for (const int significant : {4, 5}) {
            const QString expected = ReferenceScore(value, significant);
            const QString got = FormatScore(value, significant, c);
            if (got != expected && ++differing <= 10)
                ADD_FAILURE() << value << " to " << significant << " digits: " << got << ", was " << expected;
        }
    }
    EXPECT_EQ(differing, 0);
}

} // namespace
