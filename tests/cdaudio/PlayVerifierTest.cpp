// SPDX-License-Identifier: GPL-3.0-or-later
#include "cdaudio/PlayVerifier.h"

#include <gtest/gtest.h>

#include <soxr.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr int Rate = TPlayVerifier::StretchRate;

// A second of band-limited sound, different in the two channels.
std::vector<qint16> Stretch(qint64 frames = Rate)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> frequency(150, 7000), phase(0, 2 * std::numbers::pi);
    struct TTone { double Frequency, Phase; int Channel; };
    std::vector<TTone> tones;
    for (int i = 0; i < 24; ++i)
        tones.push_back({frequency(random), phase(random), i % 2});
    std::vector<qint16> samples(size_t(frames) * 2);
    for (qint64 n = 0; n < frames; ++n)
        for (const TTone &tone : tones)
            samples[size_t(2 * n + tone.Channel)] += qint16(
                std::lround(700 * std::sin(2 * std::numbers::pi * tone.Frequency * double(n) / Rate + tone.Phase)));
    return samples;
}

// The stretch between silences, as a monitor records a play.
std::vector<qint16> Recording(const std::vector<qint16> &stretch, int before = 4410, int after = 4410)
{
    std::vector<qint16> recording(size_t(before) * 2);
    recording.insert(recording.end(), stretch.begin(), stretch.end());
    recording.resize(recording.size() + size_t(after) * 2);
    return recording;
}

std::vector<qint16> Resampled(const std::vector<qint16> &samples, int rate)
{
    std::vector<qint16> out(samples.size() * size_t(rate) / Rate + 64);
    size_t done = 0;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    const soxr_error_t error = soxr_oneshot(Rate, rate, 2, samples.data(), samples.size() / 2, nullptr, out.data(),
                                            out.size() / 2, &done, &io, &quality, nullptr);
    EXPECT_EQ(error, nullptr);
    out.resize(done * 2);
    return out;
}

// Fed as a monitor delivers it, in blocks of 10 ms.
TPlayVerifier Verify(const std::vector<qint16> &stretch, const std::vector<qint16> &recording, int rate = Rate)
{
    TPlayVerifier verifier(stretch, rate);
    for (size_t at = 0; at < recording.size(); at += 882)
        if (!verifier.Feed(&recording[at], std::min<size_t>(441, (recording.size() - at) / 2)))
            break;
    verifier.Finish();
    return verifier;
}

void ExpectFault(const TPlayVerifier &verifier, const char *words)
{
    EXPECT_FALSE(verifier.Verified());
    EXPECT_NE(verifier.Fault().indexOf(QString::fromUtf8(words)), -1) << verifier.Fault().toStdString() << " for " << words;
}

TEST(PlayVerifierTest, AStretchHeardExactlyIsVerifiedWhereverItStarts)
{
    const std::vector<qint16> stretch = Stretch();
    for (const int before : {0, 1, 3000, 50000}) {
        const TPlayVerifier verifier = Verify(stretch, Recording(stretch, before));
        EXPECT_TRUE(verifier.Verified()) << before << ": " << verifier.Fault().toStdString();
        EXPECT_EQ(verifier.FramesHeard(), Rate);
        EXPECT_EQ(verifier.GainDb(), 0);
    }
    // Silence at the stretch's start is silence at the output too.
    std::vector<qint16> quietStart = stretch;
    std::fill(quietStart.begin(), quietStart.begin() + 2000, 0);
    EXPECT_TRUE(Verify(quietStart, Recording(quietStart)).Verified());
}

TEST(PlayVerifierTest, EachFaultIsNamedWithWhereItHappened)
{
    const std::vector<qint16> stretch = Stretch();
    std::vector<qint16> gap = Recording(stretch);
    std::fill(gap.begin() + 2 * (4410 + 22050), gap.begin() + 2 * (4410 + 22050 + 1014), 0);
    ExpectFault(Verify(stretch, gap), "a gap of 23.0 ms, 0.500 s into the stretch");
    // One that starts just before the end of what a block checks.
    std::vector<qint16> lateGap = Recording(stretch);
    std::fill(lateGap.begin() + 2 * (4410 + 4400), lateGap.begin() + 2 * (4410 + 4400 + 441), 0);
    ExpectFault(Verify(stretch, lateGap), "a gap of 10.0 ms, 0.100 s into the stretch");

    std::vector<qint16> swapped = Recording(stretch);
    for (size_t i = 0; i < swapped.size(); i += 2)
        std::swap(swapped[i], swapped[i + 1]);
    ExpectFault(Verify(stretch, swapped), "channels are swapped");

    std::vector<qint16> rightLost = Recording(stretch);
    for (size_t i = 2 * (4410 + 13230) + 1; i < rightLost.size(); i += 2)
        rightLost[i] = 0;
    ExpectFault(Verify(stretch, rightLost), "The right channel is silent at the output, 0.30");

    std::vector<qint16> softer = Recording(stretch);
    for (qint16 &sample : softer)
        sample = qint16(std::lround(sample * std::pow(10, -0.5 / 20)));
    const TPlayVerifier soft = Verify(stretch, softer);
    ExpectFault(soft, "The level at the output is \u22120.50 dB");
    EXPECT_NEAR(soft.GainDb(), -0.5, 0.01);

    std::vector<qint16> beep = Recording(stretch);
    for (int n = 0; n < 4410; ++n)
        beep[size_t(2 * (4410 + 17640 + n))] += qint16(std::lround(1000 * std::sin(2 * std::numbers::pi * 880 * n / Rate)));
    ExpectFault(Verify(stretch, beep), "Other sound is mixed into the stretch at the output, 0.40");

    std::vector<qint16> cut = Recording(stretch, 4410, 0);
    cut.resize(cut.size() - 2 * 2000);
    const TPlayVerifier short_ = Verify(stretch, cut);
    ExpectFault(short_, "The last 2000 frames (45.4 ms) of the stretch did not arrive");
    EXPECT_EQ(short_.FramesLost(), 2000);

    ExpectFault(Verify(stretch, std::vector<qint16>(88200)), "Nothing of the stretch reached the output");
}

TEST(PlayVerifierTest, AFaultEndsTheCheckAtOnceAndLaterFramesChangeNothing)
{
    const std::vector<qint16> stretch = Stretch();
    std::vector<qint16> recording = Recording(stretch);
    recording[2 * (4410 + 8820)] ^= 1;
    TPlayVerifier verifier(stretch, Rate);
    size_t fed = 0;
    while (fed < recording.size() && verifier.Feed(&recording[fed], 441))
        fed += 882;
    EXPECT_LT(fed, size_t(2 * (4410 + 8820 + 4410 + 4410))) << "the fault was found late";
    const QString fault = verifier.Fault();
    EXPECT_FALSE(fault.isEmpty());
    verifier.Finish();
    EXPECT_EQ(verifier.Fault(), fault);
}

TEST(PlayVerifierTest, AResampledOutputIsHeardWholeWithinATenthOfADecibelAndItsFaultsAreFound)
{
    const std::vector<qint16> stretch = Stretch();
    const std::vector<qint16> played = Recording(stretch, 4410 + 17);
    const TPlayVerifier whole = Verify(stretch, Resampled(played, 48000), 48000);
    EXPECT_TRUE(whole.Verified()) << whole.Fault().toStdString();
    EXPECT_NEAR(whole.GainDb(), 0, TPlayVerifier::GainToleranceDb);
    EXPECT_NEAR(double(whole.FramesHeard()), Rate, 2);

    std::vector<qint16> softer = Resampled(played, 48000);
    for (qint16 &sample : softer)
        sample = qint16(std::lround(sample * std::pow(10, -0.5 / 20)));
    ExpectFault(Verify(stretch, softer, 48000), "The level at the output is \u22120.50 dB");

    std::vector<qint16> gap = Resampled(played, 48000);
    std::fill(gap.begin() + 2 * 30000, gap.begin() + 2 * 31000, 0);
    ExpectFault(Verify(stretch, gap, 48000), "a gap of 20.8 ms");

    std::vector<qint16> beep = Resampled(played, 48000);
    for (int n = 0; n < 4800; ++n)
        beep[size_t(2 * (20000 + n) + 1)] += qint16(std::lround(300 * std::sin(2 * std::numbers::pi * 880 * n / 48000)));
    ExpectFault(Verify(stretch, beep, 48000), "Other sound is mixed into the stretch");
}

} // namespace
