// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The settings file VEK.INI of the start-up folder, [Information] DataPath:
// the folder the Load dialog opens in. When the start-up folder cannot be
// written, the settings live in the user's configuration folder instead.
namespace Settings {

inline const QString FileName = QStringLiteral("VEK.INI");

// The folder's path with a trailing "/", the form DataPath and IniDirectory take.
QString WithTrailingSlash(const QString &folder);

// A value of the settings, empty when no settings file holds it; problem,
// when given, receives why a settings file that is there could not be read.
QString ReadValue(const QString &iniDirectory, const QString &section, const QString &key,
                  QString *problem = nullptr);
// Writes a value, keeping everything else in the file; false when neither
// place can be written, with why in problem when given.
bool WriteValue(const QString &iniDirectory, const QString &section, const QString &key, const QString &value,
                QString *problem = nullptr);

// DataPath, or iniDirectory when no settings file holds one; problem as for
// ReadValue.
QString ReadDataPath(const QString &iniDirectory, QString *problem = nullptr);
// Writes DataPath, keeping everything else in the file; false when neither
// place can be written, or the folder's name cannot be one line of the file
// (TIniFile::CanHold), when nothing is written.
bool WriteDataPath(const QString &iniDirectory, const QString &dataPath, QString *problem = nullptr);

// Where the settings are written: the start-up folder's VEK.INI if it can be
// written, else the one in the user's configuration folder.
QString WritableSettingsPath(const QString &iniDirectory);

} // namespace Settings
