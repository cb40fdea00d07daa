// SPDX-License-Identifier: GPL-3.0-or-later
// The measures of a stretch do not depend on how its frames were cut into
// reads: runs of silence and clipping are followed across them.
#include "cdaudio/StretchSound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<qint16> Tone(qsizetype frames, double amplitude)
{
    std::vector<qint16> samples(size_t(frames) * 2);
    for (qsizetype f = 0; f < frames; ++f)
        samples[size_t(2 * f)] = samples[size_t(2 * f + 1)] = qint16(std::lround(amplitude * std::sin(f * 0.05)));
    return samples;
}

TEST(StretchSound, RunsAreFollowedAcrossReadsAndBlocks)
{
    // 1 s of tone, 0.6 s of digital silence, 5 clipped frames, 1 s of tone.
    std::vector<qint16> samples = Tone(44100, 10000);
    samples.resize(samples.size() + 2 * 26460, 0);
    for (int f = 0; f < 5; ++f)
        samples.insert(samples.end(), {32767, -32768});
    const std::vector<qint16> tail = Tone(44100, 10000);
    samples.insert(samples.end(), tail.begin(), tail.end());

    for (const qsizetype read : {qsizetype(588 * 75), qsizetype(1000), qsizetype(7)}) {
        TStretchSound sound;
        for (qsizetype f = 0; f < qsizetype(samples.size() / 2); f += read)
            sound.Add(samples.data() + 2 * f, std::min(read, qsizetype(samples.size() / 2) - f));
        EXPECT_NEAR(sound.LongestSilenceSeconds(), 0.6, 1e-9) << read;
        EXPECT_EQ(sound.LongestClippedRun(), 5) << read;
    }

    // A steady tone moves little; the same tone on and off moves a lot.
    TStretchSound steady;
    const std::vector<qint16> tone = Tone(44100, 3000);
    steady.Add(tone.data(), 44100);
    EXPECT_NEAR(steady.LevelDb(), 20 * std::log10(3000.0 / 32768 / std::sqrt(2.0)), 0.1);
    EXPECT_LT(steady.ModulationDb(), 1);
    TStretchSound broken;
    std::vector<qint16> onOff = tone;
    for (size_t i = 0; i < onOff.size(); ++i)
        if (i / 2 / 4410 % 2)
            onOff[i] = qint16(onOff[i] / 10);
    broken.Add(onOff.data(), 44100);
    EXPECT_GT(broken.ModulationDb(), 15);
}

} // namespace
