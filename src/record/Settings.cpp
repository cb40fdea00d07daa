// SPDX-License-Identifier: GPL-3.0-or-later
#include "Settings.h"

#include "IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString Section = QStringLiteral("Information");
const QString Key = QStringLiteral("DataPath");

QString UserSettingsPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir(folder).filePath(Settings::FileName);
}

bool CanWrite(const QString &path)
{
    const QFileInfo file(path);
    return file.exists() ? file.isWritable() : QFileInfo(file.absolutePath()).isWritable();
}

} // namespace

namespace Settings {

QString WithTrailingSlash(const QString &folder)
{
    const QString clean = QDir::fromNativeSeparators(folder);
    return clean.endsWith(u'/') ? clean : clean + u'/';
}

QString WritableSettingsPath(const QString &iniDirectory)
{
    const QString local = QDir(iniDirectory).filePath(FileName);
    return CanWrite(local) ? local : UserSettingsPath();
}

QString ReadValue(const QString &iniDirectory, const QString &section, const QString &key, QString *problem)
{
    // The user's file is consulted first only when it is the one written to.
    QStringList candidates = {QDir(iniDirectory).filePath(FileName)};
    if (WritableSettingsPath(iniDirectory) != candidates.first())
        candidates.prepend(UserSettingsPath());
    for (const QString &path : candidates) {
        TIniFile ini;
        if (const TStatus loaded = ini.Load(path); !loaded) {
            if (problem && problem->isEmpty())
                *problem = loaded.message();
            continue;
        }
        const QString value = ini.Value(section, key).trimmed();
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

QString ReadDataPath(const QString &iniDirectory, QString *problem)
{
    const QString value = ReadValue(iniDirectory, Section, Key, problem);
    return WithTrailingSlash(value.isEmpty() ? iniDirectory : value);
}

bool WriteDataPath(const QString &iniDirectory, const QString &dataPath, QString *problem)
{
    return WriteValue(iniDirectory, Section, Key, dataPath, problem);
}

bool WriteValue(const QString &iniDirectory, const QString &section, const QString &key, const QString &value,
                QString *problem)
{
    const QString path = WritableSettingsPath(iniDirectory);
    const auto fail = [&](const QString &why) {
        if (problem)
            *problem = why;
        return false;
    };
    if (!TIniFile::CanHold(value))
        return fail(QStringLiteral("%1 cannot hold \"%2\": it has a line break.").arg(QDir::toNativeSeparators(path), value));
    QDir().mkpath(QFileInfo(path).absolutePath());
    TIniFile ini;
    // An unreadable file is not replaced: it may hold what the user needs.
    if (const TStatus loaded = ini.Load(path); !loaded)
        return fail(loaded.message());
    ini.SetValue(section, key, value);
    if (const TStatus saved = ini.Save(path); !saved)
        return fail(saved.message());
    return true;
}

} // namespace Settings
