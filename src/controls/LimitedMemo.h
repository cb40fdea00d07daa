#pragma once

#include <QPlainTextEdit>

// A multi-line edit that holds at most as many characters as its record
// field has room for, a line break counting as two (it is stored as CR LF).
class TLimitedMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TLimitedMemo(int maxLength, QWidget *parent = nullptr);

    int MaxLength() const { return m_maxLength; }

private:
    void Enforce();

    int m_maxLength;
    bool m_enforcing = false;
};
