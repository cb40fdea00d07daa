// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AudioSink.h"

#include <QStringList>

#include <atomic>
#include <memory>

// Sound through the desktop sound server's own protocol. Every play gets a
// stream of its own, connected at Start with unity volume and no remixing,
// that the server may not move to another device; its buffer is filled
// from the stretch before it starts, so the first frame is heard at once.
// Whatever goes wrong with the server, the device or the stream during a
// play ends that play through IFrameSource::Failed. No call waits on the
// server: all talk with it runs on the sink's own thread, and a server
// that is gone is asked again at the next Start.
class TPulseSink : public IAudioSink
{
public:
    // The server's default sink, resolved at each Start.
    static inline const QString DefaultSink = QStringLiteral("default");
    // Long enough that a loaded machine does not starve the stream; it is
    // filled before the stream starts, so it costs no onset.
    static constexpr double BufferSeconds = 0.25;
    // A server that does not answer within this is told as gone.
    static constexpr int AnswerTimeoutMs = 2000;

    explicit TPulseSink(const QString &sink = DefaultSink);
    ~TPulseSink() override;

    bool Start(IFrameSource &source, QString &reason) override;
    void Stop() override;
    void ReopenAtNextStart() override;

    // DefaultSink and the server's sinks by name, as last heard from it.
    QStringList DeviceNames() const override;

    struct TState;

private:
    std::unique_ptr<TState> m_state;
    std::atomic<bool> m_reconnect{false};
};
