// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The outcome of an operation that can fail for a reason the user must read:
// either success, or a message that names what failed and why.
class TStatus
{
public:
    static TStatus Ok() { return TStatus(); }
    static TStatus Error(const QString &message) { return TStatus(message); }

    bool ok() const { return m_message.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString &message() const { return m_message; }

private:
    TStatus() = default;
    explicit TStatus(const QString &message)
        : m_message(message.isEmpty() ? QStringLiteral("Unknown error") : message)
    {
    }

    QString m_message;
};
