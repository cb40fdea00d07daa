// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <sys/types.h>

class QFile;

// Opens a file for reading only when it is a regular file of at most
// maxSize bytes, checked on the opened descriptor itself: a FIFO would block
// the program and a device such as /dev/zero never ends. The descriptor is
// opened without waiting for a FIFO's writer.
namespace RegularFile {

// A file of a shared folder that is only ever written by the program (a
// lock) is not read through a link someone else put at its name.
enum class TLinks { Follow, Refuse };

// The open descriptor (the caller closes it), or -1 with the reason.
int OpenDescriptor(const QString &path, qint64 maxSize, QString &reason, TLinks links = TLinks::Follow);
// file.fileName() opened read-only, or false with the reason.
bool Open(QFile &file, qint64 maxSize, QString &reason, TLinks links = TLinks::Follow);
// Why a file of this st_mode is no regular file, in words.
QString KindOf(mode_t mode);

} // namespace RegularFile
