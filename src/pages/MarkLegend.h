// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The test page's key to the marks: each mark's name drawn as a key word
// with that mark is drawn.
class TMarkLegend : public QWidget
{
    Q_OBJECT

public:
    explicit TMarkLegend(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
