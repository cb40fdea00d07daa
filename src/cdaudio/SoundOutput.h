// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AudioSink.h"
#include "PortAudioSink.h"

#include <atomic>
#include <memory>
#include <mutex>

// The output device named (TPortAudioSink::DefaultDevice for the system's
// default), or, when no output can be used, a real-time null sink; report
// then gives the reason why nothing will be heard.
std::unique_ptr<IAudioSink> OpenSoundOutput(const QString &device, TPortAudioSink::TOpenReport &report);

// The one output the program's players share. The device behind it can be
// switched while they hold it; a play then goes on through the new device.
// A device that one player's play lost is opened again for the next play
// of either.
class TSoundOutput : public IAudioSink
{
public:
    explicit TSoundOutput(std::shared_ptr<IAudioSink> device);

    void Switch(std::shared_ptr<IAudioSink> device);

    bool Start(IFrameSource &source, QString &reason) override;
    void Stop() override;
    void ReopenAtNextStart() override;

private:
    std::mutex m_mutex;
    std::shared_ptr<IAudioSink> m_device;
    IFrameSource *m_source = nullptr;
    // Set from the sinks' threads, where the mutex cannot be waited for.
    std::atomic<bool> m_reopen{false};
};
