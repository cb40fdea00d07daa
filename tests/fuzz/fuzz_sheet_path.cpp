// SPDX-License-Identifier: GPL-3.0-or-later
// The name on a cue sheet's FILE line, looked for in a folder tree with
// names that differ in case, a link back up the tree and a FIFO.
#include "cdaudio/SheetFilePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <sys/stat.h>

namespace {

QString SheetFolder()
{
    static QTemporaryDir top;
    static const QString folder = [] {
        const QDir root(top.path());
        for (const char *name : {"rips/Disc One/Tracks", "rips/other"})
            root.mkpath(QLatin1String(name));
        for (const char *name : {"rips/Disc One/DISC.BIN", "rips/Disc One/Tracks/01.wav", "rips/other/disc.bin"}) {
            QFile file(root.filePath(QLatin1String(name)));
            if (!file.open(QIODevice::WriteOnly))
                std::abort();
        }
        QFile::link(root.filePath(QStringLiteral("rips")), root.filePath(QStringLiteral("rips/Disc One/up")));
        mkfifo(QFile::encodeName(root.filePath(QStringLiteral("rips/Disc One/fifo.bin"))).constData(), 0600);
        return root.filePath(QStringLiteral("rips/Disc One"));
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString found = FindSheetFile(SheetFolder(), name);
    // Always a path to open, so that a missing file is named.
    if (found.isEmpty())
        std::abort();
    return 0;
}
