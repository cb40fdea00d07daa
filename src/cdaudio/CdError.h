// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Why a CD operation failed: a code of our own and a sentence for the
// clinician, shown together as "Error <code>: <text>".
struct TCdError
{
    enum TCode {
        None = 0,
        NoDrive = 1,
        NoDisc = 2,
        ImageUnreadable = 3,
        NotAudioDisc = 4,
        NoSuchTrack = 5,
        BadPosition = 6,
        NoSoundOutput = 7,
        NotOpen = 8,
        ReadFailed = 9,
        OutputStopped = 10,
        OutputDroppedOut = 11,
        NotAsRecorded = 12,
    };

    TCode Code = None;
    QString Text;

    bool IsError() const { return Code != None; }

    static TCdError NoDriveFound();
    static TCdError DriveUnavailable(const QString &device);
    static TCdError NoDiscInDrive();
    // reason: a sentence fragment such as "track 2 starts after the end of a.bin"
    static TCdError ImageUnreadableBecause(const QString &sheet, const QString &reason);
    static TCdError NoAudioTracks();
    static TCdError NotAnAudioTrack(int track);
    static TCdError NoTrack(int track);
    static TCdError PositionRefused(const QString &reason);
    static TCdError SoundOutputFailed(const QString &reason);
    static TCdError DeviceNotOpen();
    static TCdError ReadFailedAt(qint64 sector, const QString &reason);
    static TCdError OutputStoppedTaking(double seconds);
    static TCdError DroppedOut(int times);
    // how: such as "is 1.0 dB louder than on the original disc"
    static TCdError StretchNotAsRecorded(const QString &how);
};
