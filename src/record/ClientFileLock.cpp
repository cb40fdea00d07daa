// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClientFileLock.h"

#include "RegularFile.h"
#include "SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSysInfo>

#include <cerrno>
#include <optional>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

namespace {

// A lock is one short line; anything longer is no lock.
constexpr qint64 MaxLockSize = 1024;

QString UserName()
{
    if (const passwd *entry = ::getpwuid(::getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QByteArray OwnText()
{
    return QStringLiteral("%1,%2,%3,%4\n")
        .arg(UserName(), QSysInfo::machineHostName())
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
        .toUtf8();
}

// The owner a lock names; nullopt when the name holds no readable lock. It
// is opened without following a link and without waiting for a pipe.
std::optional<TLockOwner> ReadOwner(const QString &lockPath)
{
    QFile file(lockPath);
    QString reason;
    if (!RegularFile::Open(file, MaxLockSize, reason, RegularFile::TLinks::Refuse))
        return std::nullopt;
    const QStringList fields = QString::fromUtf8(file.read(MaxLockSize)).trimmed().split(u',');
    if (fields.size() != 4)
        return std::nullopt;
    bool number = false;
    TLockOwner owner{fields[0], fields[1], fields[2].toLongLong(&number),
                     QDateTime::fromString(fields[3], Qt::ISODate)};
    if (!number || owner.Host.isEmpty() || !owner.Since.isValid())
        return std::nullopt;
    owner.Since = owner.Since.toLocalTime();
    return owner;
}

bool SameOwner(const TLockOwner &a, const TLockOwner &b)
{
    return a.User == b.User && a.Host == b.Host && a.Process == b.Process && a.Since == b.Since;
}

// A process of this machine that has ended, or this very process.
bool IsStale(const TLockOwner &owner)
{
    if (owner.Host != QSysInfo::machineHostName() || owner.Process <= 0)
        return false;
    return owner.Process == QCoreApplication::applicationPid()
           || (::kill(pid_t(owner.Process), 0) != 0 && errno == ESRCH);
}

enum TCreated { Created, Exists, Impossible };

TCreated Create(const QString &lockPath)
{
    TSafeFileWriter lock(lockPath, TSafeFileWriter::CreateNew);
    QString reason;
    if (lock.Open(reason) && lock.Write(OwnText(), reason) && lock.Commit(reason))
        return Created;
    return lock.AlreadyExists() ? Exists : Impossible;
}

QString Age(qint64 seconds)
{
    const auto unit = [](qint64 n, const char *one, const char *many) {
        return QStringLiteral("%1 %2 ago").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    if (seconds < 3600)
        return unit(std::max<qint64>(seconds / 60, 0), "minute", "minutes");
    if (seconds < 2 * 86400)
        return unit(seconds / 3600, "hour", "hours");
    return unit(seconds / 86400, "day", "days");
}

} // namespace

QString TLockOwner::Description(const QDateTime &now) const
{
    return QStringLiteral("%1 on %2, since %3 (%4)")
        .arg(User, Host, QLocale().toString(Since, QLocale::ShortFormat), Age(Since.secsTo(now)));
}

QString TClientFileLock::LockPath(const QString &fileName)
{
    const QFileInfo file(fileName);
    return file.absoluteDir().filePath(QStringLiteral(".~lock.") + file.fileName() + u'#');
}

bool TClientFileLock::Take(const QString &lockPath)
{
    if (lockPath != m_lockPath) {
        Release();
        m_lockPath = lockPath;
    }
    return true;
}

bool TClientFileLock::Acquire(const QString &fileName, TLockOwner &owner)
{
    const QString lockPath = LockPath(fileName);
    if (lockPath == m_lockPath)
        return true;
    for (int attempt = 0; attempt < 2; ++attempt) {
        switch (Create(lockPath)) {
        case Created:
            return Take(lockPath);
        case Impossible:
            Release();
            return true;
        case Exists:
            const std::optional<TLockOwner> found = ReadOwner(lockPath);
            if (found && !IsStale(*found)) {
                owner = *found;
                return false;
            }
            QFile::remove(lockPath);
            break;
        }
    }
    return false;
}

bool TClientFileLock::TakeOver(const QString &fileName, const TLockOwner &owner)
{
    const QString lockPath = LockPath(fileName);
    // Only the lock the user was told about; a copy that took it since keeps it.
    if (const std::optional<TLockOwner> found = ReadOwner(lockPath); found && SameOwner(*found, owner))
        QFile::remove(lockPath);
    TLockOwner holder;
    return Acquire(fileName, holder);
}

void TClientFileLock::Release()
{
    if (m_lockPath.isEmpty())
        return;
    // Only a lock that still names this process.
    const std::optional<TLockOwner> owner = ReadOwner(m_lockPath);
    if (owner && owner->Process == QCoreApplication::applicationPid() && owner->Host == QSysInfo::machineHostName())
        QFile::remove(m_lockPath);
    m_lockPath.clear();
}
