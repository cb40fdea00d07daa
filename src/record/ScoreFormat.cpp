// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr int Decimals = 2;

constexpr int ExactPlaces = Decimals + 1;
constexpr int MantissaBits = 53;

// |value| in thousandths, truncated: the exact decimal expansion to one place
// past the last a score is rounded at, which is as far as rounding looks.
// Integer arithmetic on the binary value, below 2^53; nothing above.
std::optional<std::uint64_t> ExactThousandths(double value)
{
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(value), &binaryExponent);
    if (binaryExponent > MantissaBits)
        return std::nullopt;
    // |value| = mantissa / 2^shift, and mantissa * 1000 < 2^63.
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, MantissaBits));
    const int shift = MantissaBits - binaryExponent;
    return shift < 64 ? (mantissa * 1000) >> shift : 0;
}

std::uint64_t PowerOfTen(long exponent)
{
    std::uint64_t power = 1;
    while (exponent-- > 0)
        power *= 10;
    return power;
}

QString Fixed(bool negative, std::uint64_t hundredths, const QLocale &locale)
{
    const QString sign = negative && hundredths != 0 ? QStringLiteral("-") : QString();
    const auto fraction = int(hundredths % 100);
    return sign + QString::number(hundredths / 100) + locale.decimalPoint() + QChar(u'0' + fraction / 10) +
           QChar(u'0' + fraction % 10);
}

// A value whose whole decimal expansion is kept: one of 2^53 or more, an
// integer, which glibc prints exactly.
std::string ExactDigits(double value, std::size_t &point)
{
    std::string text(400, '\0');
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

    // Keep the digits up to the last place that both limits allow, rounding
    // on the next digit.
    if (const std::optional<std::uint64_t> thousandths = ExactThousandths(value)) {
        if (*thousandths == 0)
            return Fixed(false, 0, locale);
        const long exponent = long(QByteArray::number(quint64(*thousandths)).size()) - 1 - ExactPlaces;
        const long kept = std::min<long>(Decimals, significantDigits - 1 - exponent);
        const std::uint64_t unit = PowerOfTen(ExactPlaces - kept);
        const std::uint64_t rounded = *thousandths / unit + (*thousandths / (unit / 10) % 10 >= 5 ? 1 : 0);
        return Fixed(value < 0, rounded * PowerOfTen(Decimals - kept), locale);
    }

    std::size_t point = 0;
    const std::string digits = ExactDigits(value, point);
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos)
        return QStringLiteral("0") + locale.decimalPoint() + QStringLiteral("00");

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
