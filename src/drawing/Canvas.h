// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QSize>
#include <QString>

#include <initializer_list>

class QPainter;

// Pixel positions are whole device pixels; every fractional product is cut
// toward zero. Values far outside any surface (a corrupted score of 1e30,
// say) saturate instead of overflowing, and NaN maps to the lowest value.
int TruncToPixel(double value);

// The font of a canvas as the drawing code thinks of it: a face, a height in
// device pixels, a direction in tenths of a degree counter-clockwise, and the
// colour text is written in.
struct TCanvasFont
{
    QString Face;
    int PixelHeight = 0;
    int Escapement = 0;
    QColor Colour;
};

// A drawing surface with the state and conventions of a classic window
// canvas: a current pen, brush and font that carry over from one call to the
// next, outlines and lines that leave out their last pixel, and text placed
// by the top-left corner of its cell.
class TCanvas
{
public:
    // Starts with a black pen of width 1, a clear brush and the surface's
    // own font.
    TCanvas(QPainter &painter, QSize surface, const TCanvasFont &font);

    QSize Size() const { return m_size; }

    void SetPen(const QColor &colour, int width);
    void SetSolidBrush(const QColor &colour);
    void SetClearBrush();

    // Face and size in points at the surface's resolution; keeps the colour.
    void SetFont(const QString &face, int points);
    void SetFont(const TCanvasFont &font);
    void SetFontColour(const QColor &colour);
    const TCanvasFont &Font() const { return m_font; }

    // The outline covers columns left..right-1 and rows top..bottom-1.
    void Rectangle(int left, int top, int right, int bottom);
    // Filled with the brush, outlined with the pen.
    void Polygon(std::initializer_list<QPoint> points);
    // From one point up to, not including, the other.
    void Line(QPoint from, QPoint to);
    // Text with its cell's top-left corner at (x, y), turned by the font's
    // escapement about that corner; the background shows through.
    void TextOut(int x, int y, const QString &text);
    // Text written from the rectangle's top-left corner, wrapped at blanks
    // and at its own line breaks, "&" as it is, and cut off at the
    // rectangle's edges (right and bottom exclusive).
    void DrawText(int left, int top, int right, int bottom, const QString &text);

    // Measured along the text's own baseline, whatever its direction.
    int TextWidth(const QString &text) const;
    // The text as it is if it is no wider than the width given, otherwise
    // with its middle left out for an ellipsis, so that both ends show.
    QString ElidedText(const QString &text, int width) const;
    // The height of a line of text in the font, the same for every text.
    int TextHeight() const;

private:
    void ApplyPen();
    void FontChanged();

    QPainter &m_painter;
    QSize m_size;
    QColor m_penColour = Qt::black;
    int m_penWidth = 1;
    TCanvasFont m_font;
    QFont m_qtFont;
    QFontMetrics m_metrics;
};
