// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Status.h"

#include <QList>
#include <QString>

// A Windows-style profile file: [Section] lines and key=value lines. Names
// are matched without regard to case; everything the program does not touch
// (other sections, other keys, comments) is written back as it was read.
// Files are Windows-1252, or UTF-8 when they are valid UTF-8 or start with its
// byte order mark (kept), and are written with CR LF line ends; a text that
// Windows-1252 cannot hold is written as UTF-8. A new file is not readable by
// other users.
class TIniFile
{
public:
    // A missing file reads as an empty one; an unreadable one, one that is no
    // regular file or is far too large to be settings, is an error.
    TStatus Load(const QString &path);
    TStatus Save(const QString &path) const;

    void Parse(const QString &text);
    QString Text() const;

    // A value with a line break or a NUL cannot be one line of the file: it
    // reads as missing and is never written (SetValue gives false).
    static bool CanHold(const QString &text);
    QString Value(const QString &section, const QString &key, const QString &fallback = QString()) const;
    bool SetValue(const QString &section, const QString &key, const QString &value);

private:
    struct TLine
    {
        QString Section; // the section the line belongs to
        QString Key;     // empty for section headers, comments and blank lines
        QString Text;
    };

    qsizetype FindKey(const QString &section, const QString &key) const;
    QString Decode(QByteArray bytes);

    QList<TLine> m_lines;
    bool m_utf8 = false;
    bool m_bom = false;
};
