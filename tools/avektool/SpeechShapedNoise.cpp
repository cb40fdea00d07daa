// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpeechShapedNoise.h"

#include <cmath>
#include <numbers>

namespace {

// One-pole smoothing coefficient for a corner frequency at 44.1 kHz.
double Pole(double hertz)
{
    return std::exp(-2 * std::numbers::pi * hertz / 44100.0);
}

} // namespace

TSpeechShapedNoise::TSpeechShapedNoise(quint64 seed) : m_state(seed | 1) {}

float TSpeechShapedNoise::NextWhite()
{
    // xorshift64*: the same numbers on every platform, unlike <random>'s distributions.
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    const quint64 bits = m_state * 0x2545F4914F6CDD1DULL;
    return float(double(bits >> 11) / double(1ULL << 53) * 2.0 - 1.0);
}

std::vector<float> TSpeechShapedNoise::Generate(size_t count)
{
    const double low = Pole(500), high = Pole(80);
    double lowState = 0, highState = 0;
    std::vector<float> samples(count);
    double energy = 0;
    for (float &sample : samples) {
        const double white = NextWhite();
        lowState = (1 - low) * white + low * lowState;      // -6 dB per octave above 500 Hz
        highState = (1 - high) * lowState + high * highState; // rumble below 80 Hz removed
        sample = float(lowState - highState);
        energy += double(sample) * sample;
    }
    const double scale = count > 0 && energy > 0 ? 1 / std::sqrt(energy / double(count)) : 0;
    for (float &sample : samples)
        sample = float(sample * scale);
    return samples;
}
