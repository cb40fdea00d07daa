// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// Sentences spoken by espeak-ng and resampled to 44.1 kHz with libsoxr.
// espeak-ng's output depends on what the process spoke before, so the same
// bytes come only from a fresh process speaking in one fixed order.
class TSpeechSynthesizer
{
public:
    enum TVoice { HighTalker, LowTalker };

    TSpeechSynthesizer();
    TSpeechSynthesizer(const TSpeechSynthesizer &) = delete;
    TSpeechSynthesizer &operator=(const TSpeechSynthesizer &) = delete;

    // Empty when espeak-ng is ready.
    const QString &Error() const { return m_error; }

    // Mono samples at 44.1 kHz, full scale 1.0; empty on failure.
    std::vector<float> Speak(const QString &text, TVoice voice);

private:
    std::vector<float> Resample(const std::vector<short> &samples);

    int m_sampleRate = 0;
    QString m_error;
};
