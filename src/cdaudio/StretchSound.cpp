// SPDX-License-Identifier: GPL-3.0-or-later
#include "StretchSound.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double FullScalePower = 32768.0 * 32768.0;
// Fewer 20 ms levels than this (a fifth of a second) tell nothing of speech.
constexpr size_t FewestBlocks = 10;
constexpr size_t EndBlocks = 10;

bool Clipped(qint16 sample)
{
    return sample >= 32767 || sample <= -32767;
}

double PowerDb(double energy, double samples)
{
    return samples > 0 && energy > 0 ? 10 * std::log10(energy / samples / FullScalePower)
                                     : -std::numeric_limits<double>::infinity();
}

} // namespace

void TStretchSound::Add(const qint16 *frames, qsizetype frameCount)
{
    for (qsizetype f = 0; f < frameCount;) {
        const qsizetype run = std::min<qsizetype>(frameCount - f, BlockFrames - m_blockFrames);
        AddToBlock(frames + 2 * f, run);
        f += run;
        m_blockFrames += int(run);
        if (m_blockFrames == BlockFrames)
            EndBlock();
    }
    m_frames += frameCount;
}

// The check reads a whole disc at about the speed of copying it: one plain
// pass finds the power and whether any frame is silent or any sample
// clipped; only then are those runs followed frame by frame.
void TStretchSound::AddToBlock(const qint16 *frames, qsizetype frameCount)
{
    const qsizetype samples = 2 * frameCount;
    quint64 energy = 0;
    int low = 0, high = 0;
    for (qsizetype i = 0; i < samples; ++i) {
        const int sample = frames[i];
        energy += quint32(sample * sample);
        low = std::min(low, sample);
        high = std::max(high, sample);
    }
    m_blockEnergy += double(energy);
    int silentFrames = 0;
    for (qsizetype f = 0; f < frameCount; ++f) {
        quint32 frame;
        std::memcpy(&frame, frames + 2 * f, sizeof frame);
        silentFrames += frame == 0;
    }
    const auto silent = [frames](qsizetype f) {
        quint32 frame;
        std::memcpy(&frame, frames + 2 * f, sizeof frame);
        return frame == 0;
    };
    if (silentFrames == 0) {
        m_silence = 0;
    } else if (silentFrames > m_longestSilence) {
        for (qsizetype f = 0; f < frameCount; ++f) {
            m_silence = silent(f) ? m_silence + 1 : 0;
            m_longestSilence = std::max(m_longestSilence, m_silence);
        }
    } else {
        // No run inside the block can be longer than the longest so far;
        // only the one it continues and the one it leaves open count.
        qsizetype leading = 0;
        while (leading < frameCount && silent(leading))
            ++leading;
        qsizetype trailing = 0;
        while (trailing < frameCount - leading && silent(frameCount - 1 - trailing))
            ++trailing;
        m_longestSilence = std::max(m_longestSilence, m_silence + leading);
        m_silence = leading == frameCount ? m_silence + leading : trailing;
    }
    if (!Clipped(qint16(low)) && !Clipped(qint16(high))) {
        m_clipped[0] = m_clipped[1] = 0;
        return;
    }
    for (qsizetype f = 0; f < frameCount; ++f) {
        m_clipped[0] = Clipped(frames[2 * f]) ? m_clipped[0] + 1 : 0;
        m_clipped[1] = Clipped(frames[2 * f + 1]) ? m_clipped[1] + 1 : 0;
        m_longestClipped = std::max({m_longestClipped, m_clipped[0], m_clipped[1]});
    }
}

void TStretchSound::EndBlock()
{
    m_energy += m_blockEnergy;
    // A block of digital silence is a gap, not a quiet moment of the sound.
    if (m_blockEnergy > 0)
        m_blockLevels.push_back(float(PowerDb(m_blockEnergy, 2.0 * m_blockFrames)));
    m_blockEnergies.push_back(m_blockEnergy);
    m_blockEnergy = 0;
    m_blockFrames = 0;
}

double TStretchSound::LevelDb() const
{
    return PowerDb(m_energy + m_blockEnergy, 2.0 * double(m_frames));
}

double TStretchSound::Percentile(double fraction) const
{
    std::vector<float> levels = m_blockLevels;
    const auto nth = levels.begin() + qsizetype(fraction * double(levels.size() - 1));
    std::nth_element(levels.begin(), nth, levels.end());
    return double(*nth);
}

double TStretchSound::ModulationDb() const
{
    return m_blockLevels.size() < FewestBlocks ? 0 : Percentile(0.9) - Percentile(0.1);
}

double TStretchSound::EndRiseDb() const
{
    if (m_blockLevels.size() < FewestBlocks || m_blockEnergies.size() < EndBlocks)
        return 0;
    double energy = 0;
    for (size_t b = m_blockEnergies.size() - EndBlocks; b < m_blockEnergies.size(); ++b)
        energy += m_blockEnergies[b];
    return PowerDb(energy, 2.0 * BlockFrames * EndBlocks) - Percentile(0.1);
}
