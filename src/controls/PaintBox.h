// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextTable.h"

#include <QWidget>

#include <functional>
#include <vector>

class QPainter;

// A plain drawing surface: everything on it is drawn by its owner's paint
// handler, on the parent's background. Tab reaches it when it shows tables:
// the arrow keys move from cell to cell, Page Down and Page Up to the next
// and the previous table, each cell told to a screen reader as it is reached.
class TPaintBox : public QWidget
{
    Q_OBJECT

public:
    explicit TPaintBox(QWidget *parent = nullptr);

    std::function<void(QPainter &painter)> OnPaint;

    // What the picture shows, as tables a screen reader can read.
    std::vector<TTextTable> AccessibleTables;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void TellCurrentCell();

    std::size_t m_table = 0;
    int m_row = 0;
    int m_column = 0;
};
