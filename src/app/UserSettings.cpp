// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserSettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace UserSettings {

QString Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

void KeepQtSettingsWithAvek()
{
    const QString folder = Folder();
    if (!QDir(folder).exists() && QDir().mkpath(folder))
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Qt rewrites the file keeping its mode, so a private file stays private.
    QFile dialogSettings(folder + QStringLiteral("/QtProject.conf"));
    if (!dialogSettings.exists() && dialogSettings.open(QIODevice::WriteOnly))
        dialogSettings.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

} // namespace UserSettings
