// SPDX-License-Identifier: GPL-3.0-or-later
#include "RadioGroupKeys.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QKeyEvent>

TRadioGroupKeys::TRadioGroupKeys(const QList<QAbstractButton *> &buttons, QObject *parent)
    : QObject(parent), m_buttons(buttons)
{
    for (QAbstractButton *button : m_buttons) {
        button->setFocusPolicy(Qt::StrongFocus);
        button->installEventFilter(this);
        // A choice made by the program (a page loaded, another block
        // proposed) takes the focus ring along from a button of the group.
        connect(button, &QAbstractButton::toggled, this, [this, button](bool on) {
            if (!on || m_moving)
                return;
            for (QAbstractButton *other : m_buttons) {
                if (other != button && other->hasFocus())
                    button->setFocus(Qt::OtherFocusReason);
            }
        });
    }
}

QAbstractButton *TRadioGroupKeys::Checked() const
{
    for (QAbstractButton *button : m_buttons) {
        if (button->isChecked())
            return button;
    }
    return nullptr;
}

bool TRadioGroupKeys::eventFilter(QObject *watched, QEvent *event)
{
    // Events still reach a button while it is being destroyed, when it is
    // no QAbstractButton any more.
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (!button)
        return false;
    if (event->type() == QEvent::FocusIn) {
        // A mouse press, or the button's own mnemonic, focuses the button
        // it is about to check.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const bool choosing = reason == Qt::MouseFocusReason ||
                              (reason == Qt::ShortcutFocusReason && button->text().contains(u'&'));
        QAbstractButton *checked = Checked();
        if (!choosing && !m_moving && checked && checked != button && checked->isEnabled())
            checked->setFocus(reason);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    int step = 0;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = 1;
        break;
    default:
        return false;
    }
    const qsizetype count = m_buttons.size();
    qsizetype at = m_buttons.indexOf(button);
    // Round the group, over buttons that cannot be chosen now.
    for (qsizetype i = 1; i < count; ++i) {
        QAbstractButton *next = m_buttons[((at + step * i) % count + count) % count];
        if (next->isEnabled() && next->isVisible()) {
            m_moving = true;
            next->setFocus(Qt::OtherFocusReason);
            next->click();
            m_moving = false;
            break;
        }
    }
    return true;
}
