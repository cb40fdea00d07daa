// SPDX-License-Identifier: GPL-3.0-or-later
#include "SentenceFont.h"
#include "Fonts.h"

#include <QFontMetrics>
#include <QString>

namespace SentenceFont {

QFont Font(int pixelSize)
{
    QFont font(FormFontFace);
    font.setPixelSize(pixelSize);
    return font;
}

bool Fits(const QString &text, const QFont &font)
{
    return QFontMetrics(font).horizontalAdvance(text) <= Room;
}

QFont Fitting(const QString &text)
{
    for (int size = PixelSize; size > SmallestPixelSize; --size) {
        if (QFont font = Font(size); Fits(text, font))
            return font;
    }
    return Font(SmallestPixelSize);
}

} // namespace SentenceFont
