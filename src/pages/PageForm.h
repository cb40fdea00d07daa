// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A page of the main window. FormShow runs when the main window shows the
// page and FormHide when it hides it; minimising and restoring the main
// window is not leaving the page, so those events do not count.
class TPageForm : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

protected:
    virtual void FormShow() {}
    virtual void FormHide() {}

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};
