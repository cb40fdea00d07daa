#pragma once

#include "Status.h"

#include <QList>
#include <QString>

// A Windows-style profile file: [Section] lines and key=value lines. Names
// are matched without regard to case; everything the program does not touch
// (other sections, other keys, comments) is written back as it was read.
// Files are Windows-1252 and written with CR LF line ends.
class TIniFile
{
public:
    // A missing file reads as an empty one; an unreadable one is an error.
    TStatus Load(const QString &path);
    TStatus Save(const QString &path) const;

    void Parse(const QString &text);
    QString Text() const;

    QString Value(const QString &section, const QString &key, const QString &fallback = QString()) const;
    void SetValue(const QString &section, const QString &key, const QString &value);

private:
    struct TLine
    {
        QString Section; // the section the line belongs to
        QString Key;     // empty for section headers, comments and blank lines
        QString Text;
    };

    qsizetype FindKey(const QString &section, const QString &key) const;

    QList<TLine> m_lines;
};
