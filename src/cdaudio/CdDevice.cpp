// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdDevice.h"

#include "CdDrive.h"
#include "DiscImage.h"
#include "FingerprintedDisc.h"
#include "record/IniFile.h"
#include "record/Settings.h"

#include <QDir>
#include <QFileInfo>

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
    if (IsCueSheet(device)) {
        std::unique_ptr<TDiscImage> image = TDiscImage::Open(device, error);
        const QString path = TDiscFingerprint::PathFor(device);
        if (!image || !QFileInfo::exists(path))
            return image;
        QString reason;
        std::optional<TDiscFingerprint> original = TDiscFingerprint::Load(path, reason);
        if (!original) {
            error = TCdError::ImageUnreadableBecause(device, reason);
            return nullptr;
        }
        return std::make_unique<TFingerprintedDisc>(std::move(image), std::move(*original));
    }
    std::unique_ptr<TCdDrive> drive = TCdDrive::Open(device, error);
    if (drive)
        drive->StartReadAhead();
    return drive;
}
