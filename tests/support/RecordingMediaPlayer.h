// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cdaudio/MediaPlayer.h"

#include <QStringList>

// A media player that records every call as a line of text, and reports the
// end of a notified play only when the test says so.
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
        m_failed = OpenFails;
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
        m_notifyArmed = notify && !PlayFails;
        m_failed = PlayFails;
        return !PlayFails;
    }
    void Stop() override
    {
        Calls << QStringLiteral("Stop");
        m_notifyArmed = false;
    }
    int ErrorCode() const override { return m_failed ? 263 : 0; }
    QString ErrorText() const override { return QStringLiteral("The specified device is not open."); }

    bool IsOpen() const { return m_open; }

    // The end of the current play: notifies once if the play asked for it;
    // a broken play leaves its error for the notice.
    void FinishPlay(bool broken = false)
    {
        if (!m_notifyArmed)
            return;
        m_notifyArmed = false;
        m_failed = broken;
        emit Notify();
    }

private:
    bool m_failed = false;
    bool m_open = false;
    bool m_notifyArmed = false;
};
