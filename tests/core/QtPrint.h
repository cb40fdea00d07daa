// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Lets GoogleTest show Qt strings as text in its failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// And lets a test stream them into its failure messages.
inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << text.toStdString();
}

inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << "bytes(" << bytes.toHex(' ').toStdString() << ')';
}
