// SPDX-License-Identifier: GPL-3.0-or-later
#include "Canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QTextLayout>

#include <cmath>
#include <limits>

int TruncToPixel(double value)
{
    constexpr double Lowest = std::numeric_limits<int>::min();
    constexpr double Highest = std::numeric_limits<int>::max();
    if (std::isnan(value) || value <= Lowest)
        return std::numeric_limits<int>::min();
    if (value >= Highest)
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

TCanvas::TCanvas(QPainter &painter, QSize surface, const TCanvasFont &font)
    : m_painter(painter), m_size(surface), m_font(font), m_metrics(m_qtFont)
{
    FontChanged();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    ApplyPen();
    SetClearBrush();
}

void TCanvas::SetPen(const QColor &colour, int width)
{
    m_penColour = colour;
    m_penWidth = width;
    ApplyPen();
}

void TCanvas::ApplyPen()
{
    QPen pen(m_penColour, m_penWidth);
    // A one-pixel line stops short of its end point; wider ones are round
    // at the ends and corners.
    if (m_penWidth <= 1) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    m_painter.setPen(pen);
}

void TCanvas::SetSolidBrush(const QColor &colour)
{
    m_painter.setBrush(colour);
}

void TCanvas::SetClearBrush()
{
    m_painter.setBrush(Qt::NoBrush);
}

void TCanvas::SetFont(const QString &face, int points)
{
    // Points become pixels the way the platform rounds them: 8 pt at 96 dpi
    // is 11 pixels.
    const int dpi = m_painter.device()->logicalDpiY();
    m_font.Face = face;
    m_font.PixelHeight = (points * dpi + 36) / 72;
    m_font.Escapement = 0;
    FontChanged();
}

void TCanvas::SetFont(const TCanvasFont &font)
{
    m_font = font;
    FontChanged();
}

void TCanvas::SetFontColour(const QColor &colour)
{
    m_font.Colour = colour;
}

void TCanvas::FontChanged()
{
    m_qtFont = QFont(m_font.Face);
    m_qtFont.setPixelSize(qMax(1, m_font.PixelHeight));
    // Text is laid out glyph by glyph, as the widths are measured.
    m_qtFont.setKerning(false);
    m_metrics = QFontMetrics(m_qtFont, m_painter.device());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    m_painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TCanvas::Polygon(std::initializer_list<QPoint> points)
{
    m_painter.drawPolygon(QPolygon(QList<QPoint>(points)));
}

void TCanvas::Line(QPoint from, QPoint to)
{
    m_painter.drawLine(from, to);
}

void TCanvas::TextOut(int x, int y, const QString &text)
{
    m_painter.setFont(m_qtFont);
    m_painter.setPen(m_font.Colour);
    if (m_font.Escapement == 0) {
        m_painter.drawText(x, y + m_metrics.ascent(), text);
    } else {
        m_painter.save();
        m_painter.translate(x, y);
        m_painter.rotate(-m_font.Escapement / 10.0);
        m_painter.drawText(0, m_metrics.ascent(), text);
        m_painter.restore();
    }
    ApplyPen();
}

void TCanvas::DrawText(int left, int top, int right, int bottom, const QString &text)
{
    const QRect box(QPoint(left, top), QPoint(right - 1, bottom - 1));
    // Memo text breaks its lines with CR LF.
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n').replace(u'\n', QChar::LineSeparator);

    QTextLayout layout(lines, m_qtFont, m_painter.device());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    // Lines wholly below the box are left out, not only hidden, and lines
    // follow each other by the font's height plus its external leading.
    layout.beginLayout();
    for (int y = 0; y < box.height(); y += m_metrics.lineSpacing()) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, y));
    }
    layout.endLayout();

    m_painter.save();
    m_painter.setClipRect(box);
    m_painter.setPen(m_font.Colour);
    layout.draw(&m_painter, box.topLeft());
    m_painter.restore();
}

int TCanvas::TextWidth(const QString &text) const
{
    return m_metrics.horizontalAdvance(text);
}

QString TCanvas::ElidedText(const QString &text, int width) const
{
    return m_metrics.elidedText(text, Qt::ElideMiddle, width);
}

int TCanvas::TextHeight() const
{
    return m_metrics.height();
}
