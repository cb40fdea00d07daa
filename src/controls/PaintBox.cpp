// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaintBox.h"

#include "AccessibleTable.h"
#include "LightPalette.h"

#include <QPainter>

namespace {

QAccessibleInterface *DrawingAccessible(const QString &, QObject *object)
{
    auto *box = qobject_cast<TPaintBox *>(object);
    if (!box)
        return nullptr;
    return new TAccessibleDrawing(box, [box] { return &box->AccessibleTables; });
}

} // namespace

TPaintBox::TPaintBox(QWidget *parent) : QWidget(parent)
{
    // What the owner draws in the surface's text colour must stay readable
    // on the white it is drawn on.
    UseLightPalette(this, Qt::white);
    QAccessible::installFactory(DrawingAccessible);
}

void TPaintBox::paintEvent(QPaintEvent *)
{
    if (!OnPaint)
        return;
    QPainter painter(this);
    OnPaint(painter);
}
