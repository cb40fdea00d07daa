// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <vector>

// Whether what a sound server put out is exactly the stretch that was
// played into it: every frame once, in order, at unity gain. It is fed the
// frames recorded from the output as they come, finds the stretch in them,
// and stops at the first fault, which it names in words for the clinician.
// At 44.1 kHz the output must be the stretch bit for bit; at another rate,
// where the server resampled it, the stretch must run on without a break,
// its gain within GainToleranceDb and nothing else mixed into it. Nothing
// recorded outlives the verifier.
class TPlayVerifier
{
public:
    static constexpr int StretchRate = 44100;
    static constexpr double GainToleranceDb = 0.1;

    // expected: the stretch's stereo frames, interleaved, at StretchRate;
    // recordedRate: the rate of the frames that will be fed.
    TPlayVerifier(std::vector<qint16> expected, int recordedRate);

    // Takes count stereo frames recorded at the output; false once a fault
    // is found (further frames are then ignored).
    bool Feed(const qint16 *frames, size_t count);
    // The recording is over: a stretch that did not arrive whole is a fault.
    void Finish();

    bool Faulted() const { return !m_fault.isEmpty(); }
    // What went wrong, one sentence; empty while nothing has.
    const QString &Fault() const { return m_fault; }
    // Finished with the whole stretch heard and no fault.
    bool Verified() const { return m_finished && !Faulted(); }
    // Every frame of the stretch has been heard (or found faulty).
    bool Complete() const { return m_checked >= m_expectedFrames; }

    // The gain of what was heard against the stretch, over the frames
    // checked so far; 0 dB when none had sound.
    double GainDb() const;
    // Frames of the stretch checked at the output so far, counted at
    // StretchRate.
    qint64 FramesHeard() const;
    // Stretch frames that did not arrive: a gap's or the missing end's.
    qint64 FramesLost() const { return m_framesLost; }
    bool BitExact() const { return m_rate == StretchRate; }

private:
    struct TStats;

    // The stretch's sample at a fractional position (in stretch frames),
    // band-limited for the recorded rate.
    double Reference(double position, int channel) const;
    // The stretch as it should sound at recorded frame index m (after
    // alignment).
    void ReferenceFrame(qint64 m, double out[2]) const;
    void TryAlign();
    void CheckBlocks();
    void CheckBlock(qint64 first, qint64 count);
    void Classify(qint64 first, qint64 count, const TStats &stats);
    void FollowGap();
    void Fail(const QString &fault);
    QString At(qint64 recordedFrame) const;
    double StretchPosition(qint64 recordedFrame) const;

    std::vector<qint16> m_expected;
    qint64 m_expectedFrames = 0;
    // The first frame of the stretch that is not silent.
    qint64 m_firstSound = 0;
    int m_rate;
    double m_ratio;
    double m_cutoff;
    std::vector<float> m_window;

    // Recorded frames not yet checked; m_base is the recorded index of its
    // first frame.
    std::vector<qint16> m_pending;
    qint64 m_base = 0;
    bool m_aligned = false;
    // Recorded position (fractional when resampled) of stretch frame 0.
    double m_origin = 0;
    qint64 m_checked = 0;
    qint64 m_checkedRecorded = 0;

    // A run of silence inside the stretch being measured.
    bool m_inGap = false;
    qint64 m_gapStart = 0;
    qint64 m_gapFrames = 0;

    double m_crossSum = 0;
    double m_expectedEnergy = 0;
    qint64 m_framesLost = 0;
    bool m_finished = false;
    QString m_fault;
};
