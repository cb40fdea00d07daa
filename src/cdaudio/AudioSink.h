// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <cstddef>

// What a sink plays: the frames of one stretch, pulled from the sink's own
// thread.
class IFrameSource
{
public:
    virtual ~IFrameSource() = default;

    // Up to count stereo frames; fewer (even none) when the reader is behind
    // or the stretch is over. Never blocks, locks or allocates. A sink calls
    // it for every buffer it plays, so that a play knows its sink is alive.
    virtual size_t PullFrames(qint16 *frames, size_t count) = 0;
    // Every frame of the stretch has been pulled.
    virtual bool Exhausted() const = 0;
    // The last frame has left the speaker, or will in delaySeconds.
    virtual void PlayedOut(double delaySeconds) = 0;
    // The output ran dry for a moment: a gap was heard in the stretch.
    virtual void DroppedOut() = 0;
    // The output was lost or changed under the play (reason: a sentence
    // fragment for the clinician); the stretch was not heard as recorded.
    // Never blocks.
    virtual void Failed(const QString &reason) = 0;
};

// Sound output at 44.1 kHz, 16-bit stereo, frames passed on untouched.
class IAudioSink
{
public:
    virtual ~IAudioSink() = default;

    // Starts pulling from source; false with the reason when it cannot. A
    // sink that finds out only later that it cannot play tells the source
    // through Failed.
    virtual bool Start(IFrameSource &source, QString &reason) = 0;
    // Returns once no frame is pulled any more; PlayedOut is not called for
    // a stopped play.
    virtual void Stop() = 0;
    // A play found the output dead or dropping out: a sink that can opens
    // its device afresh at the next Start, rather than play into a stream
    // that is gone. Never blocks; called from any thread, the sink's own too.
    virtual void ReopenAtNextStart() {}
    // The devices a sink of this kind can be opened on, as they are named
    // in the settings; never waits for them.
    virtual QStringList DeviceNames() const { return {}; }
};
