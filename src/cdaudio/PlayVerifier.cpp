// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayVerifier.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int Channels = 2;
// Stretch frames correlated to find the stretch in the recording, and how
// far around the first sound it is looked for.
constexpr qint64 AlignFrames = 4096;
constexpr qint64 AlignReach = 2048;
// Shorter runs of silence are sound crossing zero, not a gap.
constexpr qint64 GapMinimum = 32;
// A gap this long is told without waiting for its end.
constexpr double GapLongestSeconds = 1.0;
// The band-limited interpolation of the stretch at a resampled output.
constexpr int HalfTaps = 32;
constexpr double KaiserBeta = 8.0;
// A resampled output is heard as the stretch while what differs stays this
// far below it.
constexpr double ResidualRatio = 1e-3;

double Db(double gain)
{
    return 20 * std::log10(gain);
}

QString DbText(double db)
{
    return QString::number(db, 'f', 2).replace(QLatin1Char('-'), QChar(0x2212)) + QStringLiteral(" dB");
}

} // namespace

struct TPlayVerifier::TStats
{
    double Expected[Channels] = {};
    double Recorded[Channels] = {};
    double Cross[Channels] = {};
    double Difference[Channels] = {};
    double Swapped[Channels] = {};
    double LoudestRecorded[Channels] = {};
};

TPlayVerifier::TPlayVerifier(std::vector<qint16> expected, int recordedRate)
    : m_expected(std::move(expected)),
      m_expectedFrames(qint64(m_expected.size()) / Channels),
      m_rate(recordedRate),
      m_ratio(double(StretchRate) / recordedRate),
      m_cutoff(std::min(1.0, 1 / m_ratio) * 0.95)
{
    while (m_firstSound < m_expectedFrames && !m_expected[2 * m_firstSound] && !m_expected[2 * m_firstSound + 1])
        ++m_firstSound;
    if (!BitExact()) {
        const auto bessel = [](double x) {
            double sum = 1, term = 1;
            for (int k = 1; k < 30; ++k) {
                term *= (x / (2 * k)) * (x / (2 * k));
                sum += term;
            }
            return sum;
        };
        // The window, tabulated finely enough to be read by the nearest step.
        constexpr int Steps = 64;
        m_window.resize(HalfTaps * Steps + 1);
        for (size_t i = 0; i < m_window.size(); ++i) {
            const double x = double(i) / (HalfTaps * Steps);
            m_window[i] = float(bessel(KaiserBeta * std::sqrt(1 - x * x)) / bessel(KaiserBeta));
        }
    }
}

double TPlayVerifier::Reference(double position, int channel) const
{
    const qint64 centre = qint64(std::floor(position));
    double sum = 0;
    const double steps = double(m_window.size() - 1) / HalfTaps;
    for (qint64 k = centre - HalfTaps + 1; k <= centre + HalfTaps; ++k) {
        if (k < 0 || k >= m_expectedFrames)
            continue;
        const double x = position - double(k);
        const double ax = std::abs(x);
        if (ax >= HalfTaps)
            continue;
        const double arg = std::numbers::pi * m_cutoff * x;
        const double sinc = ax < 1e-9 ? 1.0 : std::sin(arg) / arg;
        sum += m_expected[size_t(2 * k + channel)] * m_cutoff * sinc * m_window[size_t(ax * steps + 0.5)];
    }
    return sum;
}

double TPlayVerifier::StretchPosition(qint64 recordedFrame) const
{
    return (double(recordedFrame) - m_origin) * m_ratio;
}

void TPlayVerifier::ReferenceFrame(qint64 m, double out[2]) const
{
    if (BitExact()) {
        const qint64 k = m - qint64(m_origin);
        for (int c = 0; c < Channels; ++c)
            out[c] = k >= 0 && k < m_expectedFrames ? m_expected[size_t(2 * k + c)] : 0;
        return;
    }
    const double position = StretchPosition(m);
    for (int c = 0; c < Channels; ++c)
        out[c] = Reference(position, c);
}

bool TPlayVerifier::Feed(const qint16 *frames, size_t count)
{
    if (Faulted() || m_finished)
        return !Faulted();
    m_pending.insert(m_pending.end(), frames, frames + count * Channels);
    if (!m_aligned)
        TryAlign();
    if (m_aligned)
        CheckBlocks();
    return !Faulted();
}

void TPlayVerifier::TryAlign()
{
    const int silence = BitExact() ? 0 : 2;
    const qint64 pendingFrames = qint64(m_pending.size()) / Channels;
    qint64 first = 0;
    while (first < pendingFrames && std::abs(m_pending[size_t(2 * first)]) <= silence &&
           std::abs(m_pending[size_t(2 * first + 1)]) <= silence)
        ++first;
    const qint64 reach = qint64(std::ceil(AlignReach / m_ratio));
    if (first == pendingFrames) {
        // Silence before the stretch: only what a correlation reaches back
        // to is kept.
        const qint64 drop = std::max<qint64>(0, pendingFrames - reach);
        m_pending.erase(m_pending.begin(), m_pending.begin() + drop * Channels);
        m_base += drop;
        return;
    }
    if (m_firstSound == m_expectedFrames) {
        Fail(QStringLiteral("Sound reached the output where the stretch is silent."));
        return;
    }
    const qint64 window = std::min(AlignFrames, m_expectedFrames - m_firstSound);
    const qint64 windowRecorded = qint64(std::ceil(window / m_ratio));
    if (pendingFrames < first + reach + windowRecorded)
        return;

    std::vector<double> reference(size_t(windowRecorded * Channels));
    for (qint64 j = 0; j < windowRecorded; ++j)
        for (int c = 0; c < Channels; ++c)
            reference[size_t(2 * j + c)] =
                BitExact() ? m_expected[size_t(2 * (m_firstSound + j) + c)]
                           : Reference(double(m_firstSound) + double(j) * m_ratio, c);
    // Channels swapped at the output are found where they are, to be told.
    const auto correlation = [&](qint64 lag) {
        double straight = 0, swapped = 0;
        for (qint64 i = 0; i < windowRecorded * Channels; ++i) {
            const double r = m_pending[size_t(lag * Channels + i)];
            straight += r * reference[size_t(i)];
            swapped += r * reference[size_t(i ^ 1)];
        }
        return std::max(straight, swapped);
    };
    qint64 best = std::max<qint64>(0, first - reach);
    double bestValue = correlation(best);
    for (qint64 lag = best + 1; lag <= first + reach; ++lag)
        if (const double value = correlation(lag); value > bestValue) {
            best = lag;
            bestValue = value;
        }
    double fraction = 0;
    if (!BitExact() && best > 0) {
        const double before = correlation(best - 1), after = correlation(best + 1);
        const double curve = before - 2 * bestValue + after;
        if (curve < 0)
            fraction = 0.5 * (before - after) / curve;
    }
    m_aligned = true;
    m_origin = double(m_base + best) + fraction - double(m_firstSound) / m_ratio;
    m_checked = m_firstSound;
    // What lies before the stretch's first sound was silence, as it is in
    // the stretch.
    m_pending.erase(m_pending.begin(), m_pending.begin() + best * Channels);
    m_base += best;
    m_checkedRecorded = m_base;
}

void TPlayVerifier::CheckBlocks()
{
    const qint64 block = m_rate / 100;
    const qint64 end = qint64(std::ceil(m_origin + double(m_expectedFrames) / m_ratio));
    // A gap ends in a fault, once its length is known.
    if (m_inGap) {
        FollowGap();
        return;
    }
    while (!Faulted() && m_checkedRecorded < end) {
        const qint64 available = m_base + qint64(m_pending.size()) / Channels - m_checkedRecorded;
        const qint64 count = std::min(block, end - m_checkedRecorded);
        // A gap that starts near the block's end is told by the frames after.
        if (available < count + GapMinimum && !m_finished)
            return;
        if (available <= 0)
            return;
        CheckBlock(m_checkedRecorded, std::min(count, available));
        if (Faulted() || m_inGap)
            return;
        const qint64 done = std::min(count, available);
        m_checkedRecorded += done;
        m_checked = std::min(m_expectedFrames, qint64(std::llround(StretchPosition(m_checkedRecorded))));
        m_pending.erase(m_pending.begin(), m_pending.begin() + done * Channels);
        m_base += done;
    }
}

void TPlayVerifier::CheckBlock(qint64 first, qint64 count)
{
    TStats stats;
    bool differs = false;
    for (qint64 i = 0; i < count; ++i) {
        double expected[Channels];
        ReferenceFrame(first + i, expected);
        const qint16 *recorded = &m_pending[size_t(2 * (first + i - m_base))];
        for (int c = 0; c < Channels; ++c) {
            const double r = recorded[c], e = expected[c], s = expected[1 - c];
            stats.Expected[c] += e * e;
            stats.Recorded[c] += r * r;
            stats.Cross[c] += r * e;
            stats.Difference[c] += (r - e) * (r - e);
            stats.Swapped[c] += (r - s) * (r - s);
            stats.LoudestRecorded[c] = std::max(stats.LoudestRecorded[c], std::abs(r));
            if (BitExact() && r != e)
                differs = true;
        }
    }
    bool whole = !differs;
    if (!BitExact()) {
        for (int c = 0; c < Channels; ++c) {
            const double floor = double(count) * 16;
            if (stats.Difference[c] > std::max(stats.Expected[c] * ResidualRatio, floor))
                whole = false;
            // The gain is weighed only where there is sound enough to tell.
            if (stats.Expected[c] > double(count) * 300 * 300 &&
                std::abs(Db(std::max(1e-9, stats.Cross[c] / stats.Expected[c]))) > GainToleranceDb)
                whole = false;
        }
    }
    for (int c = 0; c < Channels; ++c) {
        m_crossSum += stats.Cross[c];
        m_expectedEnergy += stats.Expected[c];
    }
    if (!whole)
        Classify(first, count, stats);
}

void TPlayVerifier::Classify(qint64 first, qint64 count, const TStats &stats)
{
    static const QString ChannelName[Channels] = {QStringLiteral("left"), QStringLiteral("right")};
    const int silence = BitExact() ? 0 : 2;
    const auto silentAt = [&](qint64 m) {
        const qint16 *r = &m_pending[size_t(2 * (m - m_base))];
        return std::abs(r[0]) <= silence && std::abs(r[1]) <= silence;
    };
    // A gap: a run of silence at the output where the stretch has sound.
    const qint64 available = m_base + qint64(m_pending.size()) / Channels;
    for (qint64 m = first; m < first + count; ++m) {
        if (!silentAt(m))
            continue;
        qint64 run = m;
        double energy = 0;
        while (run < available && silentAt(run) && run - m < GapMinimum) {
            double e[Channels];
            ReferenceFrame(run, e);
            energy += e[0] * e[0] + e[1] * e[1];
            ++run;
        }
        if (run - m == GapMinimum && energy > double(GapMinimum) * 16 * 16) {
            m_inGap = true;
            m_gapStart = m;
            m_gapFrames = 0;
            // The frames before the gap were heard as they should be.
            m_pending.erase(m_pending.begin(), m_pending.begin() + (m - m_base) * Channels);
            m_base = m;
            m_checkedRecorded = m;
            FollowGap();
            return;
        }
        m = run;
    }

    const QString at = At(first);
    for (int c = 0; c < Channels; ++c) {
        const bool expectedSound = stats.Expected[c] > double(count) * 16 * 16;
        if (expectedSound && stats.LoudestRecorded[c] <= silence) {
            Fail(QStringLiteral("The %1 channel is silent at the output, %2.").arg(ChannelName[c], at));
            return;
        }
    }
    const double tolerance = double(count) * 4;
    if (stats.Swapped[0] + stats.Swapped[1] <=
        std::max(tolerance, (stats.Expected[0] + stats.Expected[1]) * ResidualRatio) &&
        stats.Swapped[0] + stats.Swapped[1] < stats.Difference[0] + stats.Difference[1]) {
        Fail(QStringLiteral("The left and right channels are swapped at the output, %1.").arg(at));
        return;
    }
    // The stretch at another level: what differs is the stretch itself.
    double gains[Channels] = {1, 1};
    bool scaled = true;
    for (int c = 0; c < Channels; ++c) {
        if (stats.Expected[c] <= double(count) * 16 * 16)
            continue;
        gains[c] = stats.Cross[c] / stats.Expected[c];
        const double rest = stats.Recorded[c] - stats.Cross[c] * gains[c];
        if (gains[c] <= 0 || rest > std::max(tolerance, stats.Recorded[c] * ResidualRatio))
            scaled = false;
    }
    if (scaled && (gains[0] != 1 || gains[1] != 1)) {
        if (std::abs(Db(gains[0]) - Db(gains[1])) < GainToleranceDb)
            Fail(QStringLiteral("The level at the output is %1, %2.")
                     .arg(DbText(Db((gains[0] + gains[1]) / 2)), at));
        else
            Fail(QStringLiteral("The level at the output is %1 on the left and %2 on the right, %3.")
                     .arg(DbText(Db(gains[0])), DbText(Db(gains[1])), at));
        return;
    }
    const double residual = (stats.Difference[0] + stats.Difference[1]) / double(count * Channels);
    Fail(QStringLiteral("Other sound is mixed into the stretch at the output, %1, at %2 dB full scale.")
             .arg(at)
             .arg(QString::number(10 * std::log10(residual / (32768.0 * 32768.0)), 'f', 1)
                      .replace(QLatin1Char('-'), QChar(0x2212))));
}

void TPlayVerifier::FollowGap()
{
    const int silence = BitExact() ? 0 : 2;
    const qint64 available = m_base + qint64(m_pending.size()) / Channels;
    qint64 m = m_gapStart + m_gapFrames;
    while (m < available) {
        const qint16 *r = &m_pending[size_t(2 * (m - m_base))];
        if (std::abs(r[0]) > silence || std::abs(r[1]) > silence)
            break;
        ++m;
    }
    m_gapFrames = m - m_gapStart;
    const bool ended = m < available;
    const bool longest = double(m_gapFrames) >= GapLongestSeconds * m_rate;
    if (!ended && !longest && !m_finished)
        return;
    m_inGap = false;
    m_framesLost = qint64(std::llround(double(m_gapFrames) * m_ratio));
    const QString length = QString::number(double(m_gapFrames) * 1000 / m_rate, 'f', 1);
    if (m_finished && !ended)
        Fail(QStringLiteral("The output fell silent %1, and the rest of the stretch did not arrive.")
                 .arg(At(m_gapStart)));
    else
        Fail(QStringLiteral("The output had a gap of %1%2 ms, %3.")
                 .arg(ended ? QString() : QStringLiteral("at least "), length, At(m_gapStart)));
}

void TPlayVerifier::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (Faulted())
        return;
    if (!m_aligned) {
        const bool heard = std::any_of(m_pending.begin(), m_pending.end(), [](qint16 s) { return s != 0; });
        if (m_firstSound == m_expectedFrames && !heard)
            m_checked = m_expectedFrames;
        else if (!heard)
            Fail(QStringLiteral("Nothing of the stretch reached the output."));
        else
            TryAlign();
        if (!m_aligned && !Faulted() && m_checked < m_expectedFrames)
            Fail(QStringLiteral("What reached the output was too short to be the stretch."));
        if (!m_aligned)
            return;
    }
    CheckBlocks();
    if (!Faulted() && m_checked < m_expectedFrames) {
        m_framesLost = m_expectedFrames - m_checked;
        Fail(QStringLiteral("The last %1 frames (%2 ms) of the stretch did not arrive.")
                 .arg(m_framesLost)
                 .arg(QString::number(double(m_framesLost) * 1000 / StretchRate, 'f', 1)));
    }
}

void TPlayVerifier::Fail(const QString &fault)
{
    if (m_fault.isEmpty())
        m_fault = fault;
}

QString TPlayVerifier::At(qint64 recordedFrame) const
{
    const double seconds = std::max(0.0, StretchPosition(recordedFrame)) / StretchRate;
    return QStringLiteral("%1 s into the stretch").arg(QString::number(seconds, 'f', 3));
}

double TPlayVerifier::GainDb() const
{
    if (m_expectedEnergy <= 0 || m_crossSum <= 0)
        return 0;
    return Db(m_crossSum / m_expectedEnergy);
}

qint64 TPlayVerifier::FramesHeard() const
{
    return m_checked;
}
