// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// Who has a client file open, as its lock says.
struct TLockOwner
{
    QString User;
    QString Host;
    qint64 Process = 0;
    QDateTime Since;
};

// The mark that a copy of the program has a client file open: a small file
// ".~lock.NAME#" beside it that names the user, the machine, the process and
// the time. It is made with an exclusive create, which network shares honour
// as local folders do, so no file locking across machines is relied on.
// A lock left by a process of this machine that has ended is taken over.
class TClientFileLock
{
public:
    TClientFileLock() = default;
    TClientFileLock(const TClientFileLock &) = delete;
    TClientFileLock &operator=(const TClientFileLock &) = delete;
    ~TClientFileLock() { Release(); }

    static QString LockPath(const QString &fileName);

    // Gives up the lock held so far and takes the one of fileName. False,
    // with the owner, when another copy that may still run holds it. A
    // folder where no lock can be made (read-only) gives true and no lock.
    bool Acquire(const QString &fileName, TLockOwner &owner);
    // Removes the lock file, if this copy made it.
    void Release();

private:
    QString m_lockPath;
};
