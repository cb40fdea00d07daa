// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClientFileLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

namespace {

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

TLockOwner ReadOwner(const QString &lockPath)
{
    QFile file(lockPath);
    TLockOwner owner;
    if (!file.open(QIODevice::ReadOnly))
        return owner;
    const QStringList fields = QString::fromUtf8(file.read(1024)).trimmed().split(u',');
    if (fields.size() == 4) {
        owner = {fields[0], fields[1], fields[2].toLongLong(), QDateTime::fromString(fields[3], Qt::ISODate)};
        owner.Since = owner.Since.toLocalTime();
    }
    return owner;
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
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno == EEXIST ? Exists : Impossible;
    const QByteArray text = OwnText();
    const bool written = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    if (!written)
        QFile::remove(lockPath);
    return written ? Created : Impossible;
}

} // namespace

QString TClientFileLock::LockPath(const QString &fileName)
{
    const QFileInfo file(fileName);
    return file.absoluteDir().filePath(QStringLiteral(".~lock.") + file.fileName() + u'#');
}

bool TClientFileLock::Acquire(const QString &fileName, TLockOwner &owner)
{
    const QString lockPath = LockPath(fileName);
    if (lockPath == m_lockPath)
        return true;
    Release();
    for (int attempt = 0; attempt < 2; ++attempt) {
        switch (Create(lockPath)) {
        case Created:
            m_lockPath = lockPath;
            return true;
        case Impossible:
            return true;
        case Exists:
            owner = ReadOwner(lockPath);
            if (!IsStale(owner))
                return false;
            QFile::remove(lockPath);
            break;
        }
    }
    return false;
}

void TClientFileLock::Release()
{
    if (m_lockPath.isEmpty())
        return;
    // Only a lock that still names this process.
    const TLockOwner owner = ReadOwner(m_lockPath);
    if (owner.Process == QCoreApplication::applicationPid() && owner.Host == QSysInfo::machineHostName())
        QFile::remove(m_lockPath);
    m_lockPath.clear();
}
