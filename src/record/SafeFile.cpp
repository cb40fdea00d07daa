// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeFile.h"

#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Read and write for the user and the group; the umask may take more away.
constexpr mode_t NewFileMode = S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP;

QString ErrnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString Native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The refusal of what lstat found at a name, or empty for a regular file.
QString RefusalOf(const struct stat &status, const QString &path)
{
    if (S_ISLNK(status.st_mode)) {
        const QString target = QFileInfo(path).symLinkTarget();
        return QStringLiteral("it is a link to %1, and links are not written through").arg(Native(target));
    }
    if (!S_ISREG(status.st_mode))
        return RegularFile::KindOf(status.st_mode);
    return QString();
}

bool WriteFully(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Some file systems cannot sync a folder and say so; that is no failure.
bool SyncFolder(int folder)
{
    return ::fsync(folder) == 0 || errno == EINVAL || errno == ENOTSUP;
}

QByteArray RandomSuffix()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix(6, 'x');
    for (char &c : suffix)
        c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return suffix;
}

} // namespace

namespace SafeFile {

QString RefusalOf(const QString &path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return QString();
    return ::RefusalOf(status, path);
}

bool WriteAll(const QString &path, const QByteArray &bytes, QString &reason)
{
    return WriteAll(path, bytes, reason, TAccess::UserAndGroup);
}

bool WriteAll(const QString &path, const QByteArray &bytes, QString &reason, TAccess access)
{
    TSafeFileWriter writer(path, TSafeFileWriter::Replace, access);
    return writer.Open(reason) && writer.Write(bytes, reason) && writer.Commit(reason);
}

bool Append(const QString &path, const QByteArray &bytes, QString &reason)
{
    const auto fail = [&](const QString &why) {
        reason = QStringLiteral("Cannot write file %1: %2").arg(Native(path), why);
        return false;
    };
    const QByteArray name = QFile::encodeName(path);
    constexpr int flags = O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    bool created = false;
    int fd = ::open(name.constData(), flags);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(name.constData(), flags | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
        created = fd >= 0;
        if (fd < 0 && errno == EEXIST)
            fd = ::open(name.constData(), flags);
    }
    if (fd < 0) {
        const int error = errno;
        const QString refusal = RefusalOf(path);
        return fail(refusal.isEmpty() ? ErrnoText(error) : refusal);
    }
    struct stat status {};
    QString why;
    if (::fstat(fd, &status) != 0)
        why = ErrnoText(errno);
    else if (!S_ISREG(status.st_mode))
        why = RegularFile::KindOf(status.st_mode);
    else if (!WriteFully(fd, bytes.constData(), bytes.size()) || ::fdatasync(fd) != 0)
        why = ErrnoText(errno);
    if (::close(fd) != 0 && why.isEmpty())
        why = ErrnoText(errno);
    if (why.isEmpty() && created) {
        const int folder =
            ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0 || !SyncFolder(folder))
            why = ErrnoText(errno);
        if (folder >= 0)
            ::close(folder);
    }
    return why.isEmpty() || fail(why);
}

} // namespace SafeFile

TSafeFileWriter::TSafeFileWriter(const QString &path, TPolicy policy, SafeFile::TAccess access)
    : m_path(path), m_policy(policy), m_access(access)
{
}

QString TSafeFileWriter::Failure(const QString &why) const
{
    return QStringLiteral("Cannot create file %1: %2").arg(Native(m_path), why);
}

QString TSafeFileWriter::SystemFailure() const
{
    return Failure(ErrnoText(errno));
}

bool TSafeFileWriter::Open(QString &reason)
{
    Cancel();
    m_exists = false;
    const QFileInfo info(m_path);
    m_name = QFile::encodeName(info.fileName());
    m_folder = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0) {
        reason = SystemFailure();
        return false;
    }
    struct stat status {};
    std::optional<mode_t> keptMode; // an existing file's, which the new one takes
    if (::fstatat(m_folder, m_name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        m_exists = true;
        QString refusal = ::RefusalOf(status, m_path);
        if (refusal.isEmpty() && m_policy == CreateNew)
            refusal = QStringLiteral("it exists already");
        // Replacing goes through the folder, which would let a file be
        // replaced that its mode keeps from being written.
        if (refusal.isEmpty() && ::faccessat(m_folder, m_name.constData(), W_OK, AT_EACCESS) != 0)
            refusal = ErrnoText(errno);
        if (!refusal.isEmpty()) {
            reason = Failure(refusal);
            Cancel();
            return false;
        }
        keptMode = status.st_mode & 07777;
    } else if (errno != ENOENT) {
        reason = SystemFailure();
        Cancel();
        return false;
    }
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temp = m_name + ".saving-" + RandomSuffix();
        m_fd = ::openat(m_folder, m_temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        m_access == SafeFile::TAccess::UserOnly ? mode_t(S_IRUSR | S_IWUSR) : NewFileMode);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        reason = SystemFailure();
        m_temp.clear();
        Cancel();
        return false;
    }
    if ((keptMode && ::fchmod(m_fd, *keptMode) != 0) || ::fstat(m_fd, &status) != 0) {
        reason = SystemFailure();
        Cancel();
        return false;
    }
    m_device = status.st_dev;
    m_inode = status.st_ino;
    return true;
}

bool TSafeFileWriter::Write(const char *data, qint64 size, QString &reason)
{
    if (m_fd < 0) {
        reason = Failure(QStringLiteral("it is not open for writing"));
        return false;
    }
    if (!WriteFully(m_fd, data, size)) {
        reason = SystemFailure();
        Cancel();
        return false;
    }
    if (m_policy == CreateNew)
        m_contents.append(data, size);
    return true;
}

// For a file system without hard links (some network shares): the file is
// made at its name with an exclusive create, which such shares honour.
bool TSafeFileWriter::CreateInPlace(QString &reason)
{
    const int fd = ::openat(m_folder, m_name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            NewFileMode);
    if (fd < 0) {
        m_exists = errno == EEXIST;
        reason = m_exists ? Failure(QStringLiteral("it exists already")) : SystemFailure();
        return false;
    }
    const bool written = WriteFully(fd, m_contents.constData(), m_contents.size()) && ::fsync(fd) == 0;
    if (!written)
        reason = SystemFailure();
    if (::close(fd) != 0 && written)
        reason = SystemFailure();
    if (!reason.isEmpty())
        ::unlinkat(m_folder, m_name.constData(), 0);
    return reason.isEmpty();
}

// Whether the temporary name still holds the copy this writer made: in a
// folder others can write to, it may have been swapped for a link.
bool TSafeFileWriter::IsOwnCopy() const
{
    struct stat status {};
    return m_folder >= 0 && !m_temp.isEmpty()
           && ::fstatat(m_folder, m_temp.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0
           && S_ISREG(status.st_mode) && status.st_dev == m_device && status.st_ino == m_inode;
}

bool TSafeFileWriter::Commit(QString &reason)
{
    const auto fail = [&](const QString &message) {
        reason = message;
        Cancel();
        return false;
    };
    if (m_fd < 0)
        return fail(Failure(QStringLiteral("it is not open for writing")));
    if (::fsync(m_fd) != 0)
        return fail(SystemFailure());
    const int fd = m_fd;
    m_fd = -1;
    // A network file system may report a failed write only here.
    if (::close(fd) != 0)
        return fail(SystemFailure());
    if (!IsOwnCopy())
        return fail(Failure(QStringLiteral("its temporary copy %1 was changed by another program")
                                .arg(QFile::decodeName(m_temp))));
    if (m_policy == CreateNew) {
        if (::linkat(m_folder, m_temp.constData(), m_folder, m_name.constData(), 0) != 0) {
            m_exists = errno == EEXIST;
            const bool noLinks = errno == EPERM || errno == ENOTSUP || errno == EMLINK || errno == ENOSYS;
            QString why;
            if (!noLinks || !CreateInPlace(why))
                return fail(noLinks ? why : m_exists ? Failure(QStringLiteral("it exists already")) : SystemFailure());
        }
        ::unlinkat(m_folder, m_temp.constData(), 0);
    } else {
        struct stat status {};
        if (::fstatat(m_folder, m_name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
            if (const QString refusal = ::RefusalOf(status, m_path); !refusal.isEmpty())
                return fail(Failure(refusal));
        }
        if (::renameat(m_folder, m_temp.constData(), m_folder, m_name.constData()) != 0)
            return fail(SystemFailure());
    }
    m_temp.clear();
    if (!SyncFolder(m_folder)) {
        reason = Failure(QStringLiteral("it was written, but its folder could not be synced: %1").arg(ErrnoText(errno)));
        Cancel();
        return false;
    }
    Cancel();
    return true;
}

void TSafeFileWriter::Cancel()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (IsOwnCopy())
        ::unlinkat(m_folder, m_temp.constData(), 0);
    m_temp.clear();
    m_contents.clear();
    if (m_folder >= 0)
        ::close(m_folder);
    m_folder = -1;
}
