#include "LimitedMemo.h"

namespace {

qsizetype StoredLength(const QString &text)
{
    return text.size() + text.count(u'\n');
}

} // namespace

TLimitedMemo::TLimitedMemo(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_maxLength(maxLength)
{
    connect(this, &QPlainTextEdit::textChanged, this, &TLimitedMemo::Enforce);
}

void TLimitedMemo::Enforce()
{
    if (m_enforcing)
        return;
    QString text = toPlainText();
    if (StoredLength(text) <= m_maxLength)
        return;
    // Cut what does not fit at the cursor, where it was typed or pasted.
    QTextCursor cursor = textCursor();
    qsizetype at = cursor.position();
    while (StoredLength(text) > m_maxLength && at > 0)
        text.remove(--at, 1);
    while (StoredLength(text) > m_maxLength)
        text.chop(1);
    m_enforcing = true;
    setPlainText(text);
    m_enforcing = false;
    cursor = textCursor();
    cursor.setPosition(int(at));
    setTextCursor(cursor);
}
