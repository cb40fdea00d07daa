// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr int Decimals = 2;

constexpr int ExactPlaces = Decimals + 1;

// The exact decimal expansion of |value| to the thousandths, one place past
// the last a score is rounded at: every digit is the one the full expansion
// has there, and rounding looks no further. Below 2^53 it is integer
// arithmetic on the binary value; above, glibc, which prints every digit of a
// double exactly.
std::string ExactDigits(double value, std::size_t &point)
{
    constexpr int MantissaBits = 53;
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(value), &binaryExponent);
    std::string text;
    if (binaryExponent <= MantissaBits) {
        // |value| = mantissa / 2^shift, and mantissa * 1000 < 2^63.
        const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, MantissaBits));
        const int shift = MantissaBits - binaryExponent;
        const std::uint64_t thousandths = shift < 64 ? (mantissa * 1000) >> shift : 0;
        text = std::to_string(thousandths / 1000);
        point = text.size();
        const std::string places = std::to_string(thousandths % 1000);
        text.append(std::size_t(ExactPlaces) - places.size(), '0').append(places);
        return text;
    }
    text.resize(400);
    const int length = std::snprintf(text.data(), text.size(), "%.*f", ExactPlaces, std::fabs(value));
    text.resize(static_cast<std::size_t>(length));
    point = text.find('.');
    text.erase(point, 1);
    return text;
}

// Adds one unit in the last place of a string of decimal digits.
void Increment(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

QString FormatScore(double value, int significantDigits, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    std::size_t point = 0;
    const std::string digits = ExactDigits(value, point);
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos)
        return QStringLiteral("0") + locale.decimalPoint() + QStringLiteral("00");

    // Keep the digits up to the last place that both limits allow.
    const long exponent = long(point) - long(firstSignificant) - 1;
    const long kept = std::min<long>(Decimals, significantDigits - 1 - exponent);
    const std::size_t end = point + kept;
    std::string rounded = digits.substr(0, end);
    if (digits[end] >= '5')
        Increment(rounded);
    // Now in hundredths; the integer part has at least one digit.
    rounded.append(std::size_t(Decimals - kept), '0');
    std::string whole = rounded.substr(0, rounded.size() - Decimals);
    const std::string fraction = rounded.substr(rounded.size() - Decimals);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));

    const bool zero = rounded.find_first_not_of('0') == std::string::npos;
    const QString sign = value < 0 && !zero ? QStringLiteral("-") : QString();
    return sign + QString::fromLatin1(whole) + locale.decimalPoint() + QString::fromLatin1(fraction);
}

QString ScreenScore(double value, const QLocale &locale)
{
    return FormatScore(value, 4, locale);
}

QString PrintScore(double value, const QLocale &locale)
{
    return FormatScore(value, 5, locale);
}

QString Snr50Text(qint32 code)
{
    switch (code) {
    case -1: return QStringLiteral("> 15");
    case -2: return QStringLiteral("> 10");
    case -3: return QStringLiteral("> 5");
    case -4: return QStringLiteral("> 0");
    case -5: return QStringLiteral("< 15");
    case -6: return QStringLiteral("< 10");
    case -7: return QStringLiteral("< 5");
    case -8: return QStringLiteral("< 0");
    case -9: return QStringLiteral("est");
    case -10: return QStringLiteral("err");
    case -99: return QString();
    default: return QString::number(code);
    }
}
