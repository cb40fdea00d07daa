// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

// Calls back when a key typed into one of the watched text boxes changed what
// the box holds. Tab, Enter in a one-line box, Escape and a character the box
// refuses change nothing and so do not count; text changed only with the
// mouse (pasting through the context menu) is not typing either.
class TTypingWatcher : public QObject
{
    Q_OBJECT

public:
    TTypingWatcher(std::function<void()> typed, QObject *parent);

    // Watches the widget and every widget inside it.
    void Watch(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The key pressed last has been handled: did it change its box?
    void CheckPendingKey();

    std::function<void()> m_typed;
    QPointer<QObject> m_keyTarget;
    QString m_textBeforeKey;
};
