// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TSingleInstance::~TSingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString TSingleInstance::DefaultFolder()
{
    // Qt checks that the runtime folder belongs to the user and is private,
    // and makes one of its own when XDG_RUNTIME_DIR is not set.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

TSingleInstance::TResult TSingleInstance::Acquire(const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("VEKTestMutex"));
    if (folder.isEmpty()) {
        m_problem = QStringLiteral("Cannot create file VEKTestMutex: there is no runtime folder for this user.");
        return CannotCreate;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_problem = QStringLiteral("Cannot create file %1: %2.").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return CannotCreate;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return HeldByAnotherCopy;
    }
    m_fd = fd;
    return Acquired;
}
