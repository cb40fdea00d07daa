// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowMessages.h"

#include <QCoreApplication>

void PostWindowMessage(QObject *mainWindow, TWindowMessage message)
{
    QCoreApplication::postEvent(mainWindow, new QEvent(static_cast<QEvent::Type>(message)));
}
