// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <vector>

// What a stretch of CD audio sounds like, measured as its frames are read:
// its level, the longest run of digital silence, the longest run of clipped
// samples, and how much its level moves from one moment to the next.
class TStretchSound
{
public:
    // 20 ms: short enough to follow syllables, long enough that steady noise
    // measures steady.
    static constexpr int BlockFrames = 882;

    // Interleaved stereo frames, in order.
    void Add(const qint16 *frames, qsizetype frameCount);

    // The mean power of both channels in dB re full scale; -inf for none.
    double LevelDb() const;
    double LongestSilenceSeconds() const { return double(m_longestSilence) / 44100; }
    // Consecutive samples of one channel at full scale.
    int LongestClippedRun() const { return m_longestClipped; }
    // The 90th less the 10th percentile of the 20 ms levels (digital silence
    // left out): speech rises and falls by many dB between syllables and
    // pauses, steady noise hardly at all. 0 when too little was heard.
    double ModulationDb() const;
    // The level of the last 200 ms above the 10th percentile of the 20 ms
    // levels: a stretch that ends in a pause ends near its quietest.
    double EndRiseDb() const;

private:
    void AddToBlock(const qint16 *frames, qsizetype frameCount);
    void EndBlock();
    double Percentile(double fraction) const;

    double m_energy = 0;
    qint64 m_frames = 0;
    qint64 m_silence = 0;
    qint64 m_longestSilence = 0;
    int m_clipped[2] = {0, 0};
    int m_longestClipped = 0;
    double m_blockEnergy = 0;
    int m_blockFrames = 0;
    std::vector<float> m_blockLevels;
    std::vector<double> m_blockEnergies;
};
