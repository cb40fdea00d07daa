// SPDX-License-Identifier: GPL-3.0-or-later
#include "LimitedMemo.h"

#include "record/Windows1252.h"

#include <algorithm>

namespace {

qsizetype StoredLength(const QString &text)
{
    return text.size() + text.count(u'\n');
}

} // namespace

TLimitedMemo::TLimitedMemo(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_maxLength(maxLength)
{
    // Tab moves on, as in every other box; a tab character kept in a client
    // comment helps nobody.
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &TLimitedMemo::Enforce);
}

void TLimitedMemo::Enforce()
{
    if (m_enforcing)
        return;
    QString text = toPlainText();
    qsizetype at = textCursor().position();
    if (!Windows1252::CanHold(text)) {
        const qsizetype inserted = std::max<qsizetype>(0, text.size() - m_accepted.size());
        Replace(m_accepted, std::clamp<qsizetype>(at - inserted, 0, m_accepted.size()));
        return;
    }
    if (StoredLength(text) <= m_maxLength) {
        m_accepted = text;
        return;
    }
    // Cut what does not fit at the cursor, where it was typed or pasted.
    while (StoredLength(text) > m_maxLength && at > 0)
        text.remove(--at, 1);
    while (StoredLength(text) > m_maxLength)
        text.chop(1);
    Replace(text, at);
}

void TLimitedMemo::Replace(const QString &text, qsizetype cursorPosition)
{
    m_enforcing = true;
    setPlainText(text);
    m_enforcing = false;
    m_accepted = text;
    QTextCursor cursor = textCursor();
    cursor.setPosition(int(cursorPosition));
    setTextCursor(cursor);
}
