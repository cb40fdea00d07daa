// SPDX-License-Identifier: GPL-3.0-or-later
#include "RotateLabel.h"
#include "drawing/Fonts.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <cmath>
#include <numbers>

namespace {

double Cos(double degrees)
{
    return std::cos(degrees * std::numbers::pi / 180.0);
}

double Sin(double degrees)
{
    return std::sin(degrees * std::numbers::pi / 180.0);
}

int Trunc(double value)
{
    return static_cast<int>(value);
}

// Any angle to 0..360: below zero by whole turns up to 0..359, above 360
// down to 1..360, so that 720 stays a full turn rather than becoming 0.
int NormalisedAngle(int degrees)
{
    if (degrees < 0) {
        const int rest = degrees % 360;
        return rest == 0 ? 0 : rest + 360;
    }
    if (degrees > 360) {
        const int rest = degrees % 360;
        return rest == 0 ? 360 : rest;
    }
    return degrees;
}

} // namespace

TRotateLabel::TRotatedBox TRotateLabel::RotatedBox(int a, QSize extent)
{
    const int cx = extent.width();
    const int cy = extent.height();
    QPoint origin;
    if (a <= 90)
        origin = {0, Trunc(Sin(a) * cx)};
    else if (a <= 180)
        origin = {Trunc(-Cos(a) * cx), Trunc(Sin(a) * cx + Cos(180 - a) * cy)};
    else if (a <= 270)
        origin = {Trunc(-Cos(a) * cx + Sin(a - 180) * cy), Trunc(Sin(270 - a) * cy)};
    else
        origin = {Trunc(Sin(360 - a) * cy), 0};
    const QSize size(std::abs(Trunc(Cos(a) * cx)) + std::abs(Trunc(Sin(a) * cy)),
                     std::abs(Trunc(Sin(a) * cx)) + std::abs(Trunc(Cos(a) * cy)));
    return {origin, size};
}

TRotateLabel::TRotateLabel(QWidget *parent) : QWidget(parent)
{
    QFont arial;
    arial.setFamilies({DrawingFontFace});
    setFont(arial);
    AdjustBounds();
}

void TRotateLabel::SetEscapement(int value)
{
    if (value == m_escapement)
        return;
    m_escapement = NormalisedAngle(value);
    AdjustBounds();
    update();
}

void TRotateLabel::SetTextStyle(TTextStyle value)
{
    if (value == m_textStyle)
        return;
    m_textStyle = value;
    update();
}

void TRotateLabel::SetAlignment(Qt::Alignment value)
{
    m_alignment = value & Qt::AlignHorizontal_Mask;
    update();
}

void TRotateLabel::SetAutoSize(bool value)
{
    m_autoSize = value;
    AdjustBounds();
}

void TRotateLabel::SetCaption(const QString &value)
{
    m_caption = value;
    AdjustBounds();
    update();
}

QColor TRotateLabel::Color() const
{
    return palette().color(QPalette::Window);
}

void TRotateLabel::SetColor(const QColor &value)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, value);
    setPalette(colours);
    update();
}

void TRotateLabel::SetShowAccelChar(bool value)
{
    m_showAccelChar = value;
    AdjustBounds();
    update();
}

void TRotateLabel::SetTransparent(bool value)
{
    m_transparent = value;
    update();
}

void TRotateLabel::SetWordWrap(bool value)
{
    m_wordWrap = value;
    AdjustBounds();
    update();
}

void TRotateLabel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
}

int TRotateLabel::Flags() const
{
    int flags = Qt::TextExpandTabs | Qt::AlignTop | int(m_alignment);
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

// A turned label takes the size of its turned caption at once, rather than
// first the unturned size and the turned one only when it is painted.
void TRotateLabel::AdjustBounds()
{
    if (!m_autoSize)
        return;
    const QFontMetrics metrics(font());
    if (m_escapement != 0) {
        resize(RotatedBox(m_escapement, {metrics.horizontalAdvance(m_caption), metrics.height()}).Size);
        return;
    }
    const int widthLimit = m_wordWrap ? width() : QWIDGETSIZE_MAX;
    resize(metrics.boundingRect(QRect(0, 0, widthLimit, QWIDGETSIZE_MAX), Flags(), m_caption).size());
}

void TRotateLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), Color());
    DrawCaption(painter, rect(), Flags());
}

void TRotateLabel::DrawCaption(QPainter &painter, const QRect &rect, int flags)
{
    painter.setFont(font());
    QColor lowerRight = palette().color(QPalette::Active, QPalette::Dark);
    QColor upperLeft = palette().color(QPalette::Active, QPalette::Light);
    if (m_textStyle == tsRecessed)
        std::swap(lowerRight, upperLeft);
    if (m_textStyle != tsNone) {
        DrawText(painter, rect.translated(1, 1), flags, lowerRight);
        DrawText(painter, rect.translated(-1, -1), flags, upperLeft);
    }
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    DrawText(painter, rect, flags, palette().color(group, QPalette::WindowText));
}

void TRotateLabel::DrawText(QPainter &painter, const QRect &rect, int flags, const QColor &colour)
{
    painter.setPen(colour);
    if (m_escapement != 0)
        DrawRotatedText(painter, rect, m_caption, m_escapement);
    else
        painter.drawText(rect, flags, m_caption);
}

void TRotateLabel::DrawRotatedText(QPainter &painter, QRect rect, const QString &text, int angle)
{
    ComputeRotatedOrigin(rect, angle, text);
    painter.save();
    painter.translate(rect.topLeft());
    painter.rotate(-angle);
    painter.drawText(0, painter.fontMetrics().ascent(), text);
    painter.restore();
}

void TRotateLabel::ComputeRotatedOrigin(QRect &rect, int angle, const QString &text)
{
    const QFontMetrics metrics(font());
    const TRotatedBox box = RotatedBox(angle, {metrics.horizontalAdvance(text), metrics.height()});
    rect.translate(box.Origin);
    if (m_autoSize)
        return;
    if (m_alignment & Qt::AlignHCenter)
        rect.translate((width() - box.Size.width()) / 2, 0);
    else if (m_alignment & Qt::AlignRight)
        rect.translate(width() - box.Size.width(), 0);
}
