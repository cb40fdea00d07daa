// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The one way AVEK and avektool put a file on disk, safe in a folder that
// other users may write to (a clinic's shared folder):
// - the new contents go to a temporary copy beside the file, under a name
//   this writer chose and keeps; it removes that name and no other;
// - nothing is opened through a link, and no FIFO or device is opened: a
//   file at the name that is a link, or no regular file, is refused with a
//   reason that names it (and where a link points);
// - the copy is synced, takes the file's place, and then the folder is
//   synced, so a power cut after success keeps the new contents;
// - a file that did not exist is created without the "others" bits (the
//   group keeps what the umask gives); an existing file keeps its mode.
// Reasons are sentences that name the file: "Cannot create file PATH: why".
namespace SafeFile {

// Who may read a file the writer creates (an existing file keeps its mode).
enum class TAccess {
    UserAndGroup, // as the umask allows, without the others' bits
    UserOnly,     // kept work in the user's own folder
};

// Replaces path with bytes. False with the reason on any failure; nothing
// has been replaced then.
bool WriteAll(const QString &path, const QByteArray &bytes, QString &reason);
bool WriteAll(const QString &path, const QByteArray &bytes, QString &reason, TAccess access);
// Appends bytes durably. A file that does not exist is created 0600 (and the
// folder synced); one that is a link or no regular file is refused.
bool Append(const QString &path, const QByteArray &bytes, QString &reason);

// Why path may not be written to: it is a link (saying where it points) or
// exists as something other than a regular file. Empty when it may.
QString RefusalOf(const QString &path);

} // namespace SafeFile

// The writer for outputs written piece by piece (a disc image of hundreds of
// megabytes); SafeFile::WriteAll is this in one call. Destroyed without a
// successful Commit, it removes its temporary copy and leaves the file as it
// was.
class TSafeFileWriter
{
public:
    enum TPolicy {
        Replace,   // put the new file in place of whatever regular file is there
        CreateNew, // only when nothing is at the name; taken atomically (a lock)
    };

    explicit TSafeFileWriter(const QString &path, TPolicy policy = Replace,
                             SafeFile::TAccess access = SafeFile::TAccess::UserAndGroup);
    TSafeFileWriter(const TSafeFileWriter &) = delete;
    TSafeFileWriter &operator=(const TSafeFileWriter &) = delete;
    ~TSafeFileWriter() { Cancel(); }

    const QString &Path() const { return m_path; }
    bool Open(QString &reason);
    bool Write(const char *data, qint64 size, QString &reason);
    bool Write(const QByteArray &bytes, QString &reason) { return Write(bytes.constData(), bytes.size(), reason); }
    // Syncs the copy, puts it in place and syncs the folder. With CreateNew,
    // a file that appeared at the name meanwhile makes it fail with
    // AlreadyExists() true.
    bool Commit(QString &reason);
    // Removes the temporary copy; the file stays as it was.
    void Cancel();
    bool AlreadyExists() const { return m_exists; }

private:
    QString Failure(const QString &why) const;
    QString SystemFailure() const;
    bool IsOwnCopy() const;
    bool CreateInPlace(QString &reason);

    QString m_path;
    TPolicy m_policy;
    SafeFile::TAccess m_access;
    int m_folder = -1;
    int m_fd = -1;
    QByteArray m_name; // the file's name in its folder
    QByteArray m_temp; // the temporary copy's name there
    QByteArray m_contents; // CreateNew only: what was written (a lock is small)
    quint64 m_device = 0; // the copy's identity, so that only it is removed
    quint64 m_inode = 0;
    bool m_exists = false;
};
