// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundOutput.h"

#include "NullSink.h"
#include "PortAudioSink.h"
#include "PulseSink.h"

namespace {

// An output that cannot be used: every play fails, saying why, so that no
// sentence counts as heard.
class TUnusableSink : public IAudioSink
{
public:
    explicit TUnusableSink(QString problem) : m_problem(std::move(problem)) {}

    bool Start(IFrameSource &, QString &reason) override
    {
        reason = m_problem;
        return false;
    }
    void Stop() override {}

private:
    QString m_problem;
};

// A sound card played to directly; its device names carry AlsaPrefix.
class TAlsaOutput : public IAudioSink
{
public:
    TAlsaOutput(std::unique_ptr<TPortAudioSink> card, QStringList names)
        : m_card(std::move(card)), m_names(std::move(names))
    {
    }

    bool Start(IFrameSource &source, QString &reason) override { return m_card->Start(source, reason); }
    void Stop() override { m_card->Stop(); }
    void ReopenAtNextStart() override { m_card->ReopenAtNextStart(); }
    QStringList DeviceNames() const override { return m_names; }

private:
    std::unique_ptr<TPortAudioSink> m_card;
    QStringList m_names;
};

} // namespace

std::unique_ptr<IAudioSink> OpenSoundOutput(const QString &choice, TOutputReport &report)
{
    report = {};
    if (choice == NoOutput) {
        report.Silent = true;
        return std::make_unique<TNullSink>();
    }
    if (!choice.startsWith(AlsaPrefix))
        return std::make_unique<TPulseSink>(choice.isEmpty() ? TPulseSink::DefaultSink : choice);
    TPortAudioSink::TOpenReport opened;
    std::unique_ptr<TPortAudioSink> card = TPortAudioSink::Open(choice.mid(AlsaPrefix.size()), opened);
    // Another card than the one routed to the audiometer is no stand-in.
    if (card && !opened.Notice.isEmpty()) {
        card.reset();
        opened.Reason = QStringLiteral("it is not there");
    }
    if (!card) {
        report.Problem = QStringLiteral("\"%1\" cannot be opened (%2)").arg(choice, opened.Reason);
        return std::make_unique<TUnusableSink>(report.Problem);
    }
    QStringList names;
    for (const QString &name : opened.DeviceNames)
        names << AlsaPrefix + name;
    return std::make_unique<TAlsaOutput>(std::move(card), names);
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

QStringList TSoundOutput::DeviceNames() const
{
    const std::lock_guard lock(m_mutex);
    return m_device->DeviceNames();
}
