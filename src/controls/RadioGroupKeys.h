// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;

// One choice of several radio buttons, as the keyboard should give it: Tab
// or a mnemonic lands on the button that is checked, and an arrow key
// checks the next or previous one, as a click on it would, so the focus
// ring never stands on a choice that is not the one made.
class TRadioGroupKeys : public QObject
{
    Q_OBJECT

public:
    TRadioGroupKeys(const QList<QAbstractButton *> &buttons, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractButton *Checked() const;

    QList<QAbstractButton *> m_buttons;
    bool m_moving = false;
};
