// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cdaudio/CdError.h"
#include "cdaudio/MediaPlayer.h"

#include <QStringList>

// A media player that records every call as a line of text, and reports the
// end of a notified play only when the test says so. Its failures are the
// real player's: no disc at Open, a refused stretch at Play, a read error
// at a broken play's end, and a play before Open refused as not open.
class TRecordingMediaPlayer : public IMediaPlayer
{
public:
    QStringList Calls;
    bool OpenFails = false;
    bool CdPresent = true;
    bool PlayFails = false;

    bool Open() override
    {
        Calls << QStringLiteral("Open");
        m_open = !OpenFails;
        m_error = OpenFails ? TCdError::NoDiscInDrive() : TCdError();
        return m_open;
    }
    void Close() override
    {
        Calls << QStringLiteral("Close");
        m_open = false;
    }
    bool IsCdPresent() override
    {
        Calls << QStringLiteral("IsCdPresent");
        return CdPresent;
    }
    bool Play(quint32 from, quint32 to, bool notify) override
    {
        Calls << QStringLiteral("Play %1 %2%3").arg(from).arg(to).arg(notify ? QStringLiteral(" notify") : QString());
        m_error = !m_open   ? TCdError::DeviceNotOpen()
                  : PlayFails ? TCdError::PositionRefused(QStringLiteral("the test refuses it"))
                              : TCdError();
        m_notifyArmed = notify && !m_error.IsError();
        return !m_error.IsError();
    }
    void Stop() override
    {
        Calls << QStringLiteral("Stop");
        m_notifyArmed = false;
    }
    int ErrorCode() const override { return m_error.Code; }
    QString ErrorText() const override { return m_error.Text; }

    bool IsOpen() const { return m_open; }

    // The end of the current play: notifies once if the play asked for it;
    // a broken play leaves its error for the notice.
    void FinishPlay(bool broken = false)
    {
        if (!m_notifyArmed)
            return;
        m_notifyArmed = false;
        m_error = broken ? TCdError::ReadFailedAt(100, QStringLiteral("the drive stopped answering")) : TCdError();
        emit Notify();
    }

private:
    TCdError m_error;
    bool m_open = false;
    bool m_notifyArmed = false;
};
