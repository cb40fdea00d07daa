// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AudioSink.h"
#include "PortAudioSink.h"

#include <memory>
#include <mutex>

// The output device named (TPortAudioSink::DefaultDevice for the system's
// default), or, when no output can be used, a real-time null sink; report
// then gives the reason why nothing will be heard.
std::unique_ptr<IAudioSink> OpenSoundOutput(const QString &device, TPortAudioSink::TOpenReport &report);

// The one output the program's players share. The device behind it can be
// switched while they hold it; a play then goes on through the new device.
class TSoundOutput : public IAudioSink
{
public:
    explicit TSoundOutput(std::shared_ptr<IAudioSink> device);

    void Switch(std::shared_ptr<IAudioSink> device);

    bool Start(IFrameSource &source, QString &reason) override;
    void Stop() override;

private:
    std::mutex m_mutex;
    std::shared_ptr<IAudioSink> m_device;
    IFrameSource *m_source = nullptr;
};
