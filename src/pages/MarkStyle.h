// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "administration/WordMark.h"

#include <QColor>
#include <QString>

class QPainter;

// How a key word shows its mark: a colour that stands out from the page's
// grey, and a line that tells the mark without colour (struck through
// wrong, underlined correct, a broken underline half correct).
namespace MarkStyle {

QColor Colour(TWordMark mark);
// "wrong", "half correct": the mark as a screen reader and the legend say it.
QString Name(TWordMark mark);
// The mark's line under or through a word whose glyphs span left to right
// on the given baseline, in the painter's font.
void DrawLine(QPainter &painter, int left, int right, int baseline, TWordMark mark);

} // namespace MarkStyle
