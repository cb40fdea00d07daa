// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Keeps a second copy of the program from running: an exclusive lock on the
// file "VEKTestMutex" in the user's runtime folder, so one copy per user.
// The kernel releases the lock when the process ends, however it ends.
class TSingleInstance
{
public:
    enum TResult { Acquired, HeldByAnotherCopy, CannotCreate };

    TSingleInstance() = default;
    TSingleInstance(const TSingleInstance &) = delete;
    TSingleInstance &operator=(const TSingleInstance &) = delete;
    ~TSingleInstance();

    TResult Acquire(const QString &folder = DefaultFolder());
    // Why the lock file could not be made, after CannotCreate.
    const QString &Problem() const { return m_problem; }

    // XDG_RUNTIME_DIR, or a folder of the user's own that nobody else can write.
    static QString DefaultFolder();

private:
    int m_fd = -1;
    QString m_problem;
};
