#include "PaintBox.h"

#include <QPainter>

TPaintBox::TPaintBox(QWidget *parent) : QWidget(parent)
{
}

void TPaintBox::paintEvent(QPaintEvent *)
{
    if (!OnPaint)
        return;
    QPainter painter(this);
    OnPaint(painter);
}
