// SPDX-License-Identifier: GPL-3.0-or-later
#include "MarkStyle.h"

#include <QFontMetrics>
#include <QPainter>

namespace MarkStyle {

QColor Colour(TWordMark mark)
{
    switch (mark) {
    case TWordMark::Wrong:
        return QColor(255, 0, 0);
    case TWordMark::Correct:
        return QColor(0, 128, 0);
    case TWordMark::HalfCorrect:
        // A dark yellow: the bright one all but vanishes on the light grey.
        return QColor(128, 128, 0);
    case TWordMark::NotPlayed:
        break;
    }
    return QColor(0, 0, 0);
}

QString Name(TWordMark mark)
{
    switch (mark) {
    case TWordMark::Wrong:
        return QStringLiteral("wrong");
    case TWordMark::Correct:
        return QStringLiteral("correct");
    case TWordMark::HalfCorrect:
        return QStringLiteral("half correct");
    case TWordMark::NotPlayed:
        break;
    }
    return QStringLiteral("not played");
}

void DrawLine(QPainter &painter, int left, int right, int baseline, TWordMark mark)
{
    if (mark == TWordMark::NotPlayed)
        return;
    const QFontMetrics metrics(painter.font());
    const int thickness = std::max(2, metrics.lineWidth());
    QPen pen(Colour(mark), thickness, Qt::SolidLine, Qt::FlatCap);
    int y = baseline + thickness + 1;
    if (mark == TWordMark::Wrong) {
        // Through the middle of the capitals the key words are written in.
        y = baseline - metrics.capHeight() / 2;
    } else if (mark == TWordMark::HalfCorrect) {
        // Dashes as long as the gaps: half a line for half a word.
        pen.setDashPattern({2.0, 2.0});
    }
    painter.save();
    painter.setPen(pen);
    painter.drawLine(left, y, right, y);
    painter.restore();
}

} // namespace MarkStyle
