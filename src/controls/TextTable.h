// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

// A table of texts as a screen reader reads it: its name, the headers of its
// rows and columns, and each cell's text, asked for when it is read.
struct TTextTable
{
    QString Name;
    QStringList RowHeaders;
    QStringList ColumnHeaders;
    std::function<QString(int row, int column)> Cell;
    // Where a cell is drawn, in the widget's coordinates; none where the
    // table has no cells of its own on the screen.
    std::function<QRect(int row, int column)> CellRect;
    // The cell the keyboard stands on, for a table that takes the focus.
    std::function<bool(int row, int column)> IsFocused;
};
