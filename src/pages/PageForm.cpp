// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageForm.h"

#include <QShowEvent>

void TPageForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TPageForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}
