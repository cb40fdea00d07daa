// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// The CD audio player the pages use: open the device, ask whether a disc is
// in it, play a stretch given as two TMSF positions (the end exclusive), stop,
// close. A notified play that reaches its end emits Notify once, on the GUI
// thread; Stop and Close never do. Every failing operation leaves its code and
// text for ErrorCode and ErrorText.
class IMediaPlayer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Opens the device, asks whether a disc is in it, and closes it again.
    virtual bool IsCdPresent() = 0;
    virtual bool Play(quint32 from, quint32 to, bool notify) = 0;
    // Plays the stretch over and over until Stop. A player that can join the
    // repeats without a seam notifies only when the loop breaks, with its
    // error; one that cannot notifies at every end, like a notified Play.
    virtual bool PlayLoop(quint32 from, quint32 to) { return Play(from, to, true); }
    virtual void Stop() = 0;
    // Since the last Open: nothing is heard, as was chosen.
    virtual bool Silent() const { return false; }

    virtual int ErrorCode() const = 0;
    virtual QString ErrorText() const = 0;

signals:
    void Notify();
};
