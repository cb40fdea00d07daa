// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Alt with a letter is a command, never text: a letter that is no mnemonic
// on the page is dropped instead of being typed into the focused box (Alt+D
// then a stray Alt+I would otherwise replace a whole ID by "i").
class TAltLetterGuard : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
