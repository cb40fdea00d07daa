// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextTable.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;

// A display-only table of texts: fixed cell sizes, one-pixel lines between
// the cells, no scroll bars. It draws no cell itself; OnDrawCell draws each
// one, told which grid it is drawing on. Tab reaches it and the arrow keys
// move from cell to cell, each cell told to a screen reader as it is reached.
class TStringGrid : public QWidget
{
    Q_OBJECT

public:
    TStringGrid(int colCount, int rowCount, int colWidth, int rowHeight, QWidget *parent = nullptr);

    // Empty for a cell never set.
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString &text);
    QRect CellRect(int col, int row) const;

    std::function<void(TStringGrid &sender, QPainter &painter, int col, int row, const QRect &rect)> OnDrawCell;

    // The grid as a screen reader reads it; its owner names it and its rows
    // and columns, the cells are the grid's texts.
    TTextTable AccessibleTable;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    qsizetype Index(int col, int row) const;
    void TellCurrentCell();

    int m_colCount;
    int m_rowCount;
    int m_colWidth;
    int m_rowHeight;
    std::vector<QString> m_cells;
    int m_currentCol = 0;
    int m_currentRow = 0;
};
