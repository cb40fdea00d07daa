// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AudioSink.h"

#include <QStringList>

#include <atomic>
#include <memory>
#include <mutex>

// What opening the chosen output found out.
struct TOutputReport
{
    // Nothing will be heard, as chosen: the output is NoOutput.
    bool Silent = false;
    // Why the chosen output cannot be used; every play fails with it.
    QString Problem;
};

// The values of [CD] Output: a sink of the desktop sound server by name
// (TPulseSink::DefaultSink for its default), AlsaPrefix and a device name
// for a sound card played to directly, or NoOutput for a run on purpose
// without sound.
inline const QString NoOutput = QStringLiteral("none");
inline const QString AlsaPrefix = QStringLiteral("alsa:");

std::unique_ptr<IAudioSink> OpenSoundOutput(const QString &choice, TOutputReport &report);

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
    QStringList DeviceNames() const override;

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<IAudioSink> m_device;
    IFrameSource *m_source = nullptr;
    // Set from the sinks' threads, where the mutex cannot be waited for.
    std::atomic<bool> m_reopen{false};
};
