// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <vector>

// Noise with roughly the long-term spectrum of speech (flat up to about
// 500 Hz, falling above it), from a fixed seed, so that it repeats exactly.
class TSpeechShapedNoise
{
public:
    explicit TSpeechShapedNoise(quint64 seed);

    // count samples at 44.1 kHz with an RMS of 1.0.
    std::vector<float> Generate(size_t count);

private:
    float NextWhite();

    quint64 m_state;
};
