// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdDevice.h"

#include "CdDrive.h"
#include "DiscImage.h"
#include "record/IniFile.h"
#include "record/Settings.h"

#include <QDir>

namespace {

bool IsCueSheet(const QString &device)
{
    return device.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive);
}

} // namespace

QString ReadCdDevice(const QString &iniDirectory)
{
    TIniFile ini;
    // An unreadable settings file leaves the default drive, as a missing one does.
    ini.Load(QDir(iniDirectory).filePath(Settings::FileName));
    const QString device = ini.Value(QStringLiteral("CD"), QStringLiteral("Device")).trimmed();
    return IsCueSheet(device) ? QDir(iniDirectory).filePath(device) : device;
}

std::unique_ptr<IDiscSource> OpenDisc(const QString &device, TCdError &error)
{
    if (IsCueSheet(device))
        return TDiscImage::Open(device, error);
    std::unique_ptr<TCdDrive> drive = TCdDrive::Open(device, error);
    if (drive)
        drive->StartReadAhead();
    return drive;
}
