// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaintBox.h"

#include "ArrowKeys.h"

#include "AccessibleTable.h"
#include "LightPalette.h"

#include <QKeyEvent>
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
    setFocusPolicy(Qt::TabFocus);
    QAccessible::installFactory(DrawingAccessible);
}

void TPaintBox::paintEvent(QPaintEvent *)
{
    if (!OnPaint)
        return;
    QPainter painter(this);
    OnPaint(painter);
    if (hasFocus()) {
        // On the screen only: the picture itself is the owner's.
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TPaintBox::keyPressEvent(QKeyEvent *event)
{
    if (AccessibleTables.empty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    std::size_t table = m_table;
    int row = m_row, column = m_column;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        StepByArrow(event->key(), row, column);
        break;
    case Qt::Key_PageDown:
        table = (table + 1) % AccessibleTables.size();
        row = column = 0;
        break;
    case Qt::Key_PageUp:
        table = (table + AccessibleTables.size() - 1) % AccessibleTables.size();
        row = column = 0;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const TTextTable &target = AccessibleTables[table];
    if (row < 0 || row >= target.RowHeaders.size() || column < 0 || column >= target.ColumnHeaders.size())
        return;
    m_table = table;
    m_row = row;
    m_column = column;
    TellCurrentCell();
}

void TPaintBox::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    for (std::size_t t = 0; t < AccessibleTables.size(); ++t) {
        AccessibleTables[t].IsFocused = [this, t](int row, int column) {
            return hasFocus() && t == m_table && row == m_row && column == m_column;
        };
    }
    m_table = std::min(m_table, AccessibleTables.empty() ? 0 : AccessibleTables.size() - 1);
    update();
    if (!AccessibleTables.empty())
        TellCurrentCell();
}

void TPaintBox::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TPaintBox::TellCurrentCell()
{
    QAccessibleInterface *drawing = QAccessible::queryAccessibleInterface(this);
    QAccessibleInterface *table = drawing ? drawing->child(int(m_table)) : nullptr;
    QAccessibleInterface *cell =
        table && table->tableInterface() ? table->tableInterface()->cellAt(m_row, m_column) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent event(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}
