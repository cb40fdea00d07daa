// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

// A multi-line edit that holds at most as many characters as its record
// field has room for, a line break counting as two (it is stored as CR LF),
// and only characters the client file can hold: a change bringing in any
// other is undone, as an edit's validator would refuse it.
class TLimitedMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TLimitedMemo(int maxLength, QWidget *parent = nullptr);

private:
    void Enforce();

    void Replace(const QString &text, qsizetype cursorPosition);

    int m_maxLength;
    bool m_enforcing = false;
    QString m_accepted;
};
