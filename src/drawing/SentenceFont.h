// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

class QString;

// The font of the test page's sentences and their key words: "MS Sans Serif"
// 14 pt, and smaller, step by step, for a sentence that would not fit the
// page in it.
namespace SentenceFont {

constexpr int PixelSize = 19;
// Smaller than this the clinician could no longer read it at a glance.
constexpr int SmallestPixelSize = 14;
// From the page's text column to a few pixels short of its right edge.
constexpr int Room = 520;

QFont Font(int pixelSize = PixelSize);
bool Fits(const QString &text, const QFont &font);
// The page font, or the largest smaller one in which the text fits; the
// smallest when none does.
QFont Fitting(const QString &text);

} // namespace SentenceFont
