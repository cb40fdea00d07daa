// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Status.h"

#include <QByteArray>
#include <QString>

// A client file as this copy of the program last read or wrote it, so that
// a save can tell whether another program (another copy on a shared folder)
// has changed it since. Bytes rewritten unchanged count as unchanged.
struct TFileStamp
{
    QString Path;
    qint64 Size = -1; // -1: no file there
    QByteArray Hash;

    static TFileStamp Of(const QString &path, const QByteArray &content);
    // Whether this is the stamp of the file at path.
    bool IsOf(const QString &path) const;
    bool SameContent(const TFileStamp &other) const { return Size == other.Size && Hash == other.Hash; }
};

// The largest file taken for a client file; a record is 2328 bytes, and
// whatever follows it is ignored, but only this much of it.
constexpr qint64 MaxClientFileSize = 64 * 1024;

// The stamp of the file as it is on disk now (Size -1 when there is none).
TStatus ReadFileStamp(const QString &path, TFileStamp &stamp);
