// SPDX-License-Identifier: GPL-3.0-or-later
#include "StringGrid.h"

#include "ArrowKeys.h"

#include "AccessibleTable.h"
#include "LightPalette.h"

#include <QKeyEvent>
#include <QPainter>

#include <stdexcept>

namespace {

// The sunken edge around the cells.
constexpr int Border = 2;
constexpr int LineWidth = 1;
const QColor LineColour(192, 192, 192);

QAccessibleInterface *GridAccessible(const QString &, QObject *object)
{
    auto *grid = qobject_cast<TStringGrid *>(object);
    if (!grid)
        return nullptr;
    return new TAccessibleTable(grid, [grid] { return &grid->AccessibleTable; }, true);
}

} // namespace

TStringGrid::TStringGrid(int colCount, int rowCount, int colWidth, int rowHeight, QWidget *parent)
    : QWidget(parent), m_colCount(colCount), m_rowCount(rowCount), m_colWidth(colWidth), m_rowHeight(rowHeight),
      m_cells(std::size_t(colCount) * std::size_t(rowCount))
{
    setFocusPolicy(Qt::TabFocus);
    UseLightPalette(this, Qt::white);
    QAccessible::installFactory(GridAccessible);
    for (int row = 0; row < rowCount; ++row)
        AccessibleTable.RowHeaders << QString::number(row + 1);
    for (int col = 0; col < colCount; ++col)
        AccessibleTable.ColumnHeaders << QString::number(col + 1);
    AccessibleTable.Cell = [this](int row, int col) { return Cells(col, row); };
    AccessibleTable.CellRect = [this](int row, int col) { return CellRect(col, row); };
    AccessibleTable.IsFocused = [this](int row, int col) {
        return hasFocus() && row == m_currentRow && col == m_currentCol;
    };
}

void TStringGrid::keyPressEvent(QKeyEvent *event)
{
    int col = m_currentCol, row = m_currentRow;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        StepByArrow(event->key(), row, col);
        break;
    case Qt::Key_Home:
        col = 0;
        break;
    case Qt::Key_End:
        col = m_colCount - 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (col < 0 || col >= m_colCount || row < 0 || row >= m_rowCount)
        return;
    update(CellRect(m_currentCol, m_currentRow).adjusted(-1, -1, 1, 1));
    m_currentCol = col;
    m_currentRow = row;
    update(CellRect(col, row).adjusted(-1, -1, 1, 1));
    TellCurrentCell();
}

void TStringGrid::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    TellCurrentCell();
}

void TStringGrid::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TStringGrid::TellCurrentCell()
{
    // The cell, not the whole table, is what the reader says next.
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(int(Index(m_currentCol, m_currentRow)));
    QAccessible::updateAccessibility(&event);
}

qsizetype TStringGrid::Index(int col, int row) const
{
    if (col < 0 || col >= m_colCount || row < 0 || row >= m_rowCount)
        throw std::out_of_range("grid cell out of range");
    return qsizetype(row) * m_colCount + col;
}

QString TStringGrid::Cells(int col, int row) const
{
    return m_cells[std::size_t(Index(col, row))];
}

void TStringGrid::SetCells(int col, int row, const QString &text)
{
    QString &cell = m_cells[std::size_t(Index(col, row))];
    if (cell == text)
        return;
    cell = text;
    update(CellRect(col, row));
}

QRect TStringGrid::CellRect(int col, int row) const
{
    return QRect(Border + col * (m_colWidth + LineWidth), Border + row * (m_rowHeight + LineWidth), m_colWidth,
                 m_rowHeight);
}

void TStringGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);

    // The cells first and the lines over them: at a fractional scale a cell
    // rounds outward onto its neighbouring line and would wipe it out.
    if (OnDrawCell) {
        for (int row = 0; row < m_rowCount; ++row) {
            for (int col = 0; col < m_colCount; ++col) {
                painter.save();
                OnDrawCell(*this, painter, col, row, CellRect(col, row));
                painter.restore();
            }
        }
    }

    painter.setPen(LineColour);
    for (int col = 0; col < m_colCount; ++col) {
        const int x = CellRect(col, 0).right() + 1;
        painter.drawLine(x, Border, x, height() - Border - 1);
    }
    for (int row = 0; row < m_rowCount; ++row) {
        const int y = CellRect(0, row).bottom() + 1;
        painter.drawLine(Border, y, width() - Border - 1, y);
    }

    const QRect outer = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Active, QPalette::Dark));
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(palette().color(QPalette::Active, QPalette::Light));
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    painter.setPen(palette().color(QPalette::Active, QPalette::Shadow));
    painter.drawLine(outer.left() + 1, outer.top() + 1, outer.right() - 1, outer.top() + 1);
    painter.drawLine(outer.left() + 1, outer.top() + 1, outer.left() + 1, outer.bottom() - 1);

    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(CellRect(m_currentCol, m_currentRow).adjusted(0, 0, -1, -1));
    }
}
