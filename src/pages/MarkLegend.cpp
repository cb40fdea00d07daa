// SPDX-License-Identifier: GPL-3.0-or-later
#include "MarkLegend.h"

#include "MarkStyle.h"

#include <QPainter>

namespace {

constexpr TWordMark Marks[] = {TWordMark::NotPlayed, TWordMark::Wrong, TWordMark::Correct, TWordMark::HalfCorrect};
const QString Heading = QStringLiteral("Marks:");
constexpr int Gap = 12;

} // namespace

TMarkLegend::TMarkLegend(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Marks"));
    setAccessibleDescription(QStringLiteral("not played black; wrong red, struck through; correct green, underlined; "
                                            "half correct dark yellow, broken underline"));
}

QSize TMarkLegend::sizeHint() const
{
    const QFontMetrics metrics(font());
    int width = metrics.horizontalAdvance(Heading);
    for (const TWordMark mark : Marks)
        width += Gap + metrics.horizontalAdvance(MarkStyle::Name(mark));
    return {width + 2, metrics.height() + 5};
}

void TMarkLegend::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int baseline = metrics.ascent();
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(0, baseline, Heading);
    int x = metrics.horizontalAdvance(Heading);
    for (const TWordMark mark : Marks) {
        x += Gap;
        const QString name = MarkStyle::Name(mark);
        const int width = metrics.horizontalAdvance(name);
        painter.setPen(MarkStyle::Colour(mark));
        painter.drawText(x, baseline, name);
        MarkStyle::DrawLine(painter, x, x + width, baseline, mark);
        x += width;
    }
}
