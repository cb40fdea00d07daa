// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypingWatcher.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include <optional>

namespace {

std::optional<QString> TextOf(const QObject *widget)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (const auto *memo = qobject_cast<const QPlainTextEdit *>(widget))
        return memo->toPlainText();
    return std::nullopt;
}

} // namespace

TTypingWatcher::TTypingWatcher(std::function<void()> typed, QObject *parent)
    : QObject(parent), m_typed(std::move(typed))
{
}

void TTypingWatcher::Watch(QWidget *widget)
{
    widget->installEventFilter(this);
    for (QWidget *child : widget->findChildren<QWidget *>())
        child->installEventFilter(this);
}

void TTypingWatcher::CheckPendingKey()
{
    if (!m_keyTarget)
        return;
    const std::optional<QString> text = TextOf(m_keyTarget);
    m_keyTarget = nullptr;
    if (text && *text != m_textBeforeKey)
        m_typed();
}

// The filter sees a key before its box does, so the change shows when the
// key is released, when the key (Tab) took the focus away, or at the next key
// while it repeats.
bool TTypingWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        CheckPendingKey();
        const std::optional<QString> text = TextOf(watched);
        if (text && !static_cast<QKeyEvent *>(event)->text().isEmpty()) {
            m_keyTarget = watched;
            m_textBeforeKey = *text;
        }
    } else if (event->type() == QEvent::KeyRelease || event->type() == QEvent::FocusOut) {
        CheckPendingKey();
    }
    return QObject::eventFilter(watched, event);
}
