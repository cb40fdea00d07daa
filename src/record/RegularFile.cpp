// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

QString KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a pipe, not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a file");
    return QStringLiteral("it is not a regular file");
}

int OpenDescriptor(const QString &path, qint64 maxSize, QString &reason, TLinks links)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == TLinks::Refuse ? O_NOFOLLOW : 0));
    if (fd < 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
    } else if (!S_ISREG(status.st_mode)) {
        reason = KindOf(status.st_mode);
    } else if (status.st_size > maxSize) {
        reason = QStringLiteral("it holds %1 bytes, far more than such a file can").arg(qint64(status.st_size));
    } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
        return fd;
    } else {
        reason = QString::fromLocal8Bit(std::strerror(errno));
    }
    ::close(fd);
    return -1;
}

bool Open(QFile &file, qint64 maxSize, QString &reason, TLinks links)
{
    const int fd = OpenDescriptor(file.fileName(), maxSize, reason, links);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        reason = file.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace RegularFile

