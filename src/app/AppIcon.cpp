// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppIcon.h"

#include "LogoImage.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace {

constexpr int SmallestLogoSide = 32;

// The logo is not square; icon themes want square images, so it is centred
// on a transparent square rather than stretched.
QImage LogoOnSquare(int side)
{
    QImage icon(side, side, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    const QImage scaled = LogoImage().scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&icon);
    painter.drawImage((side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
    return icon;
}

// One period of a sine across the square, the logo's yellow wave over its
// white one, with strokes thick enough to stay whole pixels at 16.
QImage WaveMark(int side)
{
    QImage icon(side, side, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    QLinearGradient ground(0, 0, 0, s);
    ground.setColorAt(0, QColor(0x1d, 0x4f, 0x86));
    ground.setColorAt(1, QColor(0x4a, 0x9a, 0xd6));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ground);
    painter.drawRoundedRect(QRectF(0, 0, s, s), s / 6, s / 6);

    const qreal margin = s / 8;
    const auto wave = [&](qreal amplitude, qreal phase) {
        QPainterPath path;
        constexpr int Steps = 48;
        for (int i = 0; i <= Steps; ++i) {
            const qreal t = qreal(i) / Steps;
            const QPointF point(margin + t * (s - 2 * margin),
                                s / 2 - amplitude * std::sin(phase + t * 2 * std::numbers::pi));
            if (i == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        return path;
    };
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, std::max(1.0, s / 16), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(wave(s / 6, std::numbers::pi / 3).translated(0, s / 6));
    painter.setPen(QPen(QColor(0xf2, 0xcf, 0x3a), s / 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(wave(s / 4, 0));
    return icon;
}

} // namespace

QImage AppIconImage(int side)
{
    return side < SmallestLogoSide ? WaveMark(side) : LogoOnSquare(side);
}

QIcon AppIcon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(AppIconImage(side)));
    return icon;
}
