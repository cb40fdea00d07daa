// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AudioSink.h"

#include <QStringList>

#include <atomic>
#include <memory>
#include <thread>

// A sound output device through PortAudio. The stream is opened once and
// runs from Open to destruction, playing silence between plays, so that a
// play starts without opening anything and its last frame is heard before
// its end is reported. Every call into PortAudio happens on the sink's own
// thread or in the stream's callback: a sound server that hangs can cost a
// play (it ends with an error) but never stalls the caller. A stream that
// was lost is replaced by a fresh one at the next Start.
class TPortAudioSink : public IAudioSink
{
public:
    // What opening found out, also when it failed.
    struct TOpenReport
    {
        // Why there is no sink; empty when there is one.
        QString Reason;
        // Set when the chosen device is not there and the default is used.
        QString Notice;
        // The output devices by name, DefaultDevice first.
        QStringList DeviceNames;
        // The time from a frame entering the stream to its being heard.
        double OutputLatency = 0;
    };

    static inline const QString DefaultDevice = QStringLiteral("default");
    // Long enough that a loaded machine does not starve the output, short
    // enough that Play still sounds at once.
    static constexpr double SuggestedLatency = 0.2;
    static constexpr int OpenTimeoutMs = 5000;

    // The device of that name (DefaultDevice for the system's default), or
    // nullptr with report.Reason when there is no output or it cannot be
    // opened for CD audio within OpenTimeoutMs.
    static std::unique_ptr<TPortAudioSink> Open(const QString &device, TOpenReport &report);
    ~TPortAudioSink() override;

    // Opens the device again first when its stream was lost, which takes up
    // to OpenTimeoutMs and 2 s more to give up on the lost stream.
    bool Start(IFrameSource &source, QString &reason) override;
    void Stop() override;
    void ReopenAtNextStart() override;

    // Shared by the sink, its thread and the stream's callback; the thread
    // may outlive a sink whose sound server hangs.
    struct TShared;

private:
    TPortAudioSink(const QString &device, std::shared_ptr<TShared> shared);

    bool Reopen(QString &reason);

    // The device the stream was opened on, the default when the one chosen
    // was not there.
    QString m_device;
    // Null once a stream is lost and could not be opened again.
    std::shared_ptr<TShared> m_shared;
    std::thread m_thread;
    std::atomic<bool> m_reopen{false};
};
