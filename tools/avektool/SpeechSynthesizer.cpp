// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpeechSynthesizer.h"

#include <espeak-ng/speak_lib.h>
#include <soxr.h>

namespace {

constexpr double OutputRate = 44100;

int Collect(short *wave, int count, espeak_EVENT *events)
{
    auto *samples = static_cast<std::vector<short> *>(events->user_data);
    if (wave && count > 0)
        samples->insert(samples->end(), wave, wave + count);
    return 0;
}

// Two clearly different talkers: a low male voice and a higher female one.
void SelectVoice(TSpeechSynthesizer::TVoice voice)
{
    espeak_SetVoiceByName(voice == TSpeechSynthesizer::HighTalker ? "en+m3" : "en+f4");
    espeak_SetParameter(espeakRATE, 150, 0);
    espeak_SetParameter(espeakPITCH, voice == TSpeechSynthesizer::HighTalker ? 40 : 60, 0);
}

// espeak-ng hangs when it is started again after espeak_Terminate, so it
// is started once per process and left running.
int StartEspeak()
{
    static const int sampleRate = [] {
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
        if (rate > 0)
            espeak_SetSynthCallback(Collect);
        return rate;
    }();
    return sampleRate;
}

} // namespace

TSpeechSynthesizer::TSpeechSynthesizer() : m_sampleRate(StartEspeak())
{
    if (m_sampleRate <= 0)
        m_error = QStringLiteral("espeak-ng cannot be started (is espeak-ng-data installed?)");
}

std::vector<float> TSpeechSynthesizer::Speak(const QString &text, TVoice voice)
{
    if (!m_error.isEmpty())
        return {};
    SelectVoice(voice);
    // Key words are written in capitals, which espeak-ng would spell out.
    const QByteArray utf8 = text.toLower().toUtf8();
    std::vector<short> samples;
    if (espeak_Synth(utf8.constData(), size_t(utf8.size() + 1), 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                     &samples)
            != EE_OK
        || espeak_Synchronize() != EE_OK || samples.empty()) {
        m_error = QStringLiteral("espeak-ng could not speak \"%1\"").arg(text);
        return {};
    }
    return Resample(samples);
}

std::vector<float> TSpeechSynthesizer::Resample(const std::vector<short> &samples)
{
    std::vector<float> out(size_t(double(samples.size()) * OutputRate / m_sampleRate) + 64);
    size_t done = 0;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    // One thread, so that the result never depends on scheduling.
    const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
    if (const soxr_error_t error = soxr_oneshot(m_sampleRate, OutputRate, 1, samples.data(), samples.size(), nullptr,
                                                out.data(), out.size(), &done, &io, &quality, &runtime)) {
        m_error = QStringLiteral("libsoxr could not resample: %1").arg(QString::fromLatin1(error));
        return {};
    }
    out.resize(done);
    return out;
}
