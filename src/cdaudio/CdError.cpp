// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdError.h"

#include <QFileInfo>

namespace {

TCdError Make(TCdError::TCode code, const QString &text)
{
    return TCdError{code, text};
}

} // namespace

TCdError TCdError::NoDriveFound()
{
    return Make(NoDrive, QStringLiteral("No CD drive was found."));
}

TCdError TCdError::DriveUnavailable(const QString &device)
{
    return Make(NoDrive, QStringLiteral("The CD drive %1 cannot be opened.").arg(device));
}

TCdError TCdError::NoDiscInDrive()
{
    return Make(NoDisc, QStringLiteral("There is no disc in the CD drive."));
}

TCdError TCdError::ImageUnreadableBecause(const QString &sheet, const QString &reason)
{
    return Make(ImageUnreadable,
                QStringLiteral("The disc image %1 cannot be read: %2.").arg(QFileInfo(sheet).fileName(), reason));
}

TCdError TCdError::NoAudioTracks()
{
    return Make(NotAudioDisc, QStringLiteral("The disc is not an audio CD."));
}

TCdError TCdError::NotAnAudioTrack(int track)
{
    return Make(NotAudioDisc, QStringLiteral("Track %1 of the disc is not an audio track.").arg(track));
}

TCdError TCdError::NoTrack(int track)
{
    return Make(NoSuchTrack, QStringLiteral("The disc has no track %1.").arg(track));
}

TCdError TCdError::PositionRefused(const QString &reason)
{
    return Make(BadPosition, QStringLiteral("The stretch cannot be played: %1.").arg(reason));
}

TCdError TCdError::SoundOutputFailed(const QString &reason)
{
    return Make(NoSoundOutput, QStringLiteral("The sound output cannot be used: %1.").arg(reason));
}

TCdError TCdError::DeviceNotOpen()
{
    return Make(NotOpen, QStringLiteral("The CD device is not open."));
}

TCdError TCdError::ReadFailedAt(qint64 sector, const QString &reason)
{
    return Make(ReadFailed, QStringLiteral("The disc could not be read at sector %1: %2.").arg(sector).arg(reason));
}

TCdError TCdError::OutputStoppedTaking(double seconds)
{
    return Make(OutputStopped, QStringLiteral("The sound output took no sound for %1 s (is it unplugged, or the sound "
                                              "server gone?); the stretch was not played to its end.")
                                   .arg(seconds, 0, 'f', 1));
}

TCdError TCdError::DroppedOut(int times)
{
    return Make(OutputDroppedOut,
                QStringLiteral("The sound output dropped out %1 during the play; the stretch was not heard whole.")
                    .arg(times == 1 ? QStringLiteral("once") : QStringLiteral("%1 times").arg(times)));
}

TCdError TCdError::StretchNotAsRecorded(const QString &how)
{
    return Make(NotAsRecorded, QStringLiteral("This stretch of the disc image %1, so it is not played. The image was "
                                              "changed since its fingerprint was recorded: run Check Disc and copy "
                                              "the image again from the original.")
                                   .arg(how));
}
