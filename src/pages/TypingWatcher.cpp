#include "TypingWatcher.h"

#include <QKeyEvent>
#include <QWidget>

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

bool TTypingWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->text().isEmpty())
        m_typed();
    return QObject::eventFilter(watched, event);
}
