// SPDX-License-Identifier: GPL-3.0-or-later
#include "AltLetterGuard.h"

#include <QKeyEvent>

bool TAltLetterGuard::eventFilter(QObject *watched, QEvent *event)
{
    // A key that is a shortcut or a mnemonic never arrives as a key press:
    // what arrives with Alt held is a key nothing on the page took. AltGr,
    // which types letters on many keyboards, is not Alt here.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers held = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (held == Qt::AltModifier && !key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    }
    return QObject::eventFilter(watched, event);
}
