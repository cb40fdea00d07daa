// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundOutput.h"

#include "NullSink.h"

std::unique_ptr<IAudioSink> OpenSoundOutput(const QString &device, TPortAudioSink::TOpenReport &report)
{
    if (std::unique_ptr<TPortAudioSink> sink = TPortAudioSink::Open(device, report))
        return sink;
    return std::make_unique<TNullSink>();
}

TSoundOutput::TSoundOutput(std::shared_ptr<IAudioSink> device) : m_device(std::move(device)) {}

void TSoundOutput::Switch(std::shared_ptr<IAudioSink> device)
{
    const std::lock_guard lock(m_mutex);
    m_device->Stop();
    m_device = std::move(device);
    m_reopen = false;
    QString reason;
    if (m_source && !m_device->Start(*m_source, reason))
        m_source = nullptr;
}

bool TSoundOutput::Start(IFrameSource &source, QString &reason)
{
    const std::lock_guard lock(m_mutex);
    if (m_reopen.exchange(false))
        m_device->ReopenAtNextStart();
    m_source = m_device->Start(source, reason) ? &source : nullptr;
    return m_source != nullptr;
}

void TSoundOutput::Stop()
{
    const std::lock_guard lock(m_mutex);
    m_source = nullptr;
    m_device->Stop();
}

void TSoundOutput::ReopenAtNextStart()
{
    m_reopen = true;
}
