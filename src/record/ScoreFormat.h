// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

// Scores as the clinician reads them: fixed point with two decimals after
// rounding to a number of significant digits (and at most two decimals),
// halves away from zero, decided on the exact binary value.
QString FormatScore(double value, int significantDigits, const QLocale &locale);

// Four significant digits on screen: 103.47 shows as 103.50.
QString ScreenScore(double value, const QLocale &locale = QLocale());
// Five on paper: 103.47 prints as 103.47.
QString PrintScore(double value, const QLocale &locale = QLocale());

// A percentage from a stored proportion, formed without rounding.
inline double Percent(float proportion)
{
    return double(proportion) * 100.0;
}

// The text of a stored SNR-50 result or code: "> 15" .. "< 0", "est", "err",
// empty for nothing tested, the number otherwise.
QString Snr50Text(qint32 code);
