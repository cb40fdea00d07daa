// SPDX-License-Identifier: GPL-3.0-or-later
#include "Snr50.h"

#include "record/ClientRecord.h"
#include "record/Conditions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr float Untested = -99.0f;
constexpr float Usable = -20.0f;
constexpr qint32 NoEstimate = -9;

// Direction of one step between tested values: up, or down (equal counts as down).
int Direction(float from, float to)
{
    return to > from ? 1 : -1;
}

qint32 ExactFifty(const std::array<float, 4> &w)
{
    for (int i = 0; i < 4; ++i) {
        if (w[i] == 50.0f)
            return 5 * i;
    }
    return NoEstimate;
}

} // namespace

qint32 EstimateSnr50(float w0, float w1, float w2, float w3)
{
    const std::array<float, 4> w = {w0, w1, w2, w3};
    // A damaged score (from a damaged file) takes part in no estimate.
    if (!std::all_of(w.begin(), w.end(), [](float v) { return std::isfinite(v); }))
        return -10;
    std::vector<float> tested;
    for (const float v : w) {
        if (v != Untested)
            tested.push_back(v);
    }
    if (tested.empty())
        return -99;
    if (tested.size() < 2)
        return ExactFifty(w);

    int lo = -1;
    int hi = -1;
    for (int i = 0; i < 4; ++i) {
        if (w[i] >= Usable) {
            if (lo < 0)
                lo = i;
            hi = i;
        }
    }
    if (lo < 0)
        return -10;

    if (std::all_of(tested.begin(), tested.end(), [](float v) { return v >= 50.0f; }))
        return -8 + lo;
    if (std::all_of(tested.begin(), tested.end(), [](float v) { return v <= 50.0f; }))
        return -4 + hi;

    const int first = Direction(tested[0], tested[1]);
    for (std::size_t j = 2; j < tested.size(); ++j) {
        if (Direction(tested[j - 1], tested[j]) != first)
            return NoEstimate;
    }

    if (const qint32 exact = ExactFifty(w); exact != NoEstimate)
        return exact;

    // One usable point only (the others tested below -20): no line to follow.
    const double rise = double(w[hi]) - double(w[lo]);
    if (rise == 0.0)
        return NoEstimate;
    const float slope = static_cast<float>((5.0 * hi - 5.0 * lo) / rise);
    const double estimate = 5.0 * lo + (50.0 - double(w[lo])) * double(slope);
    // Scores from a damaged file must not make the conversion undefined.
    if (!(std::abs(estimate) < 1e9))
        return NoEstimate;
    // The line can cross 50 below 0 dB when the points under 50 lie below -20
    // and so take no part in it; a negative whole number would read as one of
    // the codes ("> 10" for a client who scored above 50 at 5 dB).
    const auto snr = static_cast<qint32>(estimate);
    return snr < 0 ? NoEstimate : snr;
}

namespace {

// The talker's WRAU at 0, 5, 10 and 15 dB SNR.
qint32 TalkerSnr50(const TConstMdbBlock &block, Conditions::TTalker talker)
{
    const auto wrau = [&](int column) { return block.Wrau(Conditions::TestSlot(talker, Conditions::RowOfColumn(column))); };
    return EstimateSnr50(wrau(1), wrau(2), wrau(3), wrau(4));
}

} // namespace

void RecomputeSnr50(TMdbBlock block)
{
    block.SetSnr50High(TalkerSnr50(block, Conditions::TTalker::High));
    block.SetSnr50Low(TalkerSnr50(block, Conditions::TTalker::Low));
}

void RecomputeSnr50(TClientRecord &record)
{
    for (int m = 0; m < TClientRecord::MdbCount; ++m)
        RecomputeSnr50(record.Mdb(m));
}
