// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextTable.h"

#include <QWidget>

#include <functional>
#include <vector>

class QPainter;

// A plain drawing surface: everything on it is drawn by its owner's paint
// handler, on the parent's background.
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
};
