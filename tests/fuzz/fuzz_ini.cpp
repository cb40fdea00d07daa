// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Through the file, as the program reads VEK.INI: size limit, decoding.
    static QTemporaryDir folder;
    static const QString path = QDir(folder.path()).filePath(QStringLiteral("VEK.INI"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();

    TIniFile ini;
    if (!ini.Load(path))
        return 0;
    (void)ini.Value(QStringLiteral("Information"), QStringLiteral("DataPath"));
    (void)ini.Value(QStringLiteral("CD"), QStringLiteral("Device"));
    // A setting written is the one read back, whatever the file held.
    const QString device = QStringLiteral("/dev/sr1");
    ini.SetValue(QStringLiteral("CD"), QStringLiteral("Device"), device);
    if (ini.Value(QStringLiteral("cd"), QStringLiteral("DEVICE")) != device)
        std::abort();
    TIniFile again;
    again.Parse(ini.Text());
    if (again.Value(QStringLiteral("CD"), QStringLiteral("Device")) != device)
        std::abort();
    return 0;
}
