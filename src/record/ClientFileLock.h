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

    // Whose the lock is and how old, for the question about taking it over:
    // "nurse on reception-pc, since 04/03/2026 08:30 (3 days ago)".
    QString Description(const QDateTime &now = QDateTime::currentDateTime()) const;
};

// The mark that a copy of the program has a client file open: a small file
// ".~lock.NAME#" beside it that names the user, the machine, the process and
// the time, with no "others" bits. It appears whole and at once (written
// aside, then linked to its name, which fails when the name is taken), so
// no file locking across machines is relied on and no copy reads half a
// lock. A lock left by a process of this machine that has ended, and one
// that is no lock at all (unreadable, malformed, a pipe or a link planted at
// the name), is taken over unasked.
class TClientFileLock
{
public:
    TClientFileLock() = default;
    TClientFileLock(const TClientFileLock &) = delete;
    TClientFileLock &operator=(const TClientFileLock &) = delete;
    ~TClientFileLock() { Release(); }

    static QString LockPath(const QString &fileName);

    // Takes the lock of fileName and then gives up the one held so far.
    // False, with the owner, when another copy that may still run holds it;
    // the lock held so far is kept then. A folder where no lock can be made
    // (read-only) gives true and no lock.
    bool Acquire(const QString &fileName, TLockOwner &owner);
    // Replaces the lock of fileName that owner holds (a copy on another
    // machine that the user says has ended) with this copy's, as Acquire.
    bool TakeOver(const QString &fileName, const TLockOwner &owner);
    // Removes the lock file, if this copy made it.
    void Release();

private:
    bool Take(const QString &lockPath);

    QString m_lockPath;
};
