// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoSet.h"
#include "ToolRun.h"

#include "cdaudio/DiscLayout.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

using DemoSet::TTracks;

TToolRun CheckDisc(const QString &sheet, const QStringList &options = {})
{
    return RunTool(QStringList{QStringLiteral("check-disc")} + options +
                   QStringList{DemoSet::Set().Material(), sheet});
}

// The number of lines of what check-disc printed that name a sentence.
qsizetype SentencesNamed(const TToolRun &run, const QString &problem)
{
    qsizetype named = 0;
    for (const QString &line : run.Err.split(u'\n'))
        named += line.startsWith(QLatin1String("Passage ")) && line.contains(problem);
    return named;
}

qint16 Clamped(double value)
{
    return qint16(std::clamp(std::lround(value), -32768L, 32767L));
}

// The calibration track and the first two sentence tracks: 90 sentences
// of the high-level talker.
TTracks FirstTracks()
{
    return TTracks(DemoSet::Tracks().begin(), DemoSet::Tracks().begin() + 3);
}

// Steady noise in the layout of the first tracks.
TTracks NoiseLike(const std::function<qint16(std::mt19937 &)> &sample)
{
    std::mt19937 random(7);
    TTracks noise = FirstTracks();
    for (std::vector<qint16> &track : noise)
        std::generate(track.begin(), track.end(), [&] { return sample(random); });
    return noise;
}

// Pink noise at the speech's level: white noise through a -3 dB per octave
// filter (the three-pole approximation), each channel its own.
qint16 Pink(std::mt19937 &random, double state[2][3], int channel)
{
    std::normal_distribution<double> white(0, 1);
    const double w = white(random);
    double *b = state[channel];
    b[0] = 0.99765 * b[0] + w * 0.0990460;
    b[1] = 0.96300 * b[1] + w * 0.2965164;
    b[2] = 0.57000 * b[2] + w * 1.0526913;
    return Clamped((b[0] + b[1] + b[2] + w * 0.1848) * 0.05 * 32768 * 0.3);
}

class DiscProofTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DemoSet::Set().Failure.isEmpty()) << DemoSet::Set().Failure.toStdString();
        ASSERT_FALSE(DemoSet::Tracks().empty());
    }
    QTemporaryDir m_folder;
};

TEST_F(DiscProofTest, DemoDiscAndEveryRipperFormPass)
{
    TToolRun run = CheckDisc(DemoSet::Set().Sheet());
    EXPECT_EQ(run.Code, ExitOk) << run.Err.toStdString();
    for (const TestDisc::TFormat format : {TestDisc::Motorola, TestDisc::Wave, TestDisc::Flac, TestDisc::Aiff}) {
        QTemporaryDir folder;
        run = CheckDisc(DemoSet::WriteImage(folder.path(), format, DemoSet::Tracks()));
        EXPECT_EQ(run.Code, ExitOk) << TestDisc::TypeName(format).toStdString() << run.Err.toStdString();
    }
}

TEST_F(DiscProofTest, SentencesCutOrNormalisedAreNamed)
{
    TTracks zeroed = FirstTracks();
    DemoSet::ForEachSentence(zeroed, [](qint32, int, qint16 *samples, qsizetype frames) {
        std::fill(samples + std::min<qsizetype>(frames, CdAudio::SampleRate) * 2, samples + frames * 2, qint16(0));
    });
    TToolRun run = CheckDisc(DemoSet::WriteImage(m_folder.path(), TestDisc::Binary, zeroed));
    EXPECT_EQ(run.Code, ExitBadInput);
    EXPECT_EQ(SentencesNamed(run, QStringLiteral("digital silence")), 90) << run.Err.left(2000).toStdString();
    zeroed.clear();

    // Each track brought to full scale at its peak, as a ripper's
    // normalising does.
    TTracks normalised = FirstTracks();
    for (std::vector<qint16> &track : normalised) {
        const int peak = std::max(1, std::abs(int(*std::max_element(
                                         track.begin(), track.end(),
                                         [](qint16 a, qint16 b) { return std::abs(int(a)) < std::abs(int(b)); }))));
        const double gain = 32767.0 / peak;
        for (qint16 &sample : track)
            sample = Clamped(sample * gain);
    }
    run = CheckDisc(DemoSet::WriteImage(m_folder.path(), TestDisc::Binary, normalised));
    EXPECT_EQ(run.Code, ExitBadInput);
    EXPECT_TRUE(run.Err.contains(QLatin1String("from the calibration stretch"))) << run.Err.left(3000).toStdString();
}

TEST_F(DiscProofTest, NoiseForSpeechIsNamed)
{
    double state[2][3] = {};
    int channel = 0;
    const TTracks pink = NoiseLike([&](std::mt19937 &random) {
        channel ^= 1;
        return Pink(random, state, channel);
    });
    TToolRun run = CheckDisc(DemoSet::WriteImage(m_folder.path(), TestDisc::Binary, pink));
    EXPECT_EQ(run.Code, ExitBadInput);
    EXPECT_EQ(SentencesNamed(run, QStringLiteral("holds no speech")), 90) << run.Err.left(2000).toStdString();

    const TTracks bytes = NoiseLike([](std::mt19937 &random) { return qint16(random()); });
    run = CheckDisc(DemoSet::WriteImage(m_folder.path(), TestDisc::Binary, bytes));
    EXPECT_EQ(run.Code, ExitBadInput);
    EXPECT_EQ(SentencesNamed(run, QStringLiteral("holds no speech")), 90) << run.Err.left(2000).toStdString();
}

// Sound files with their bytes swapped: the first two tracks are enough to
// be refused by name.
TEST_F(DiscProofTest, ByteSwappedSoundFilesAreRefusedByName)
{
    TTracks swapped = FirstTracks();
    for (std::vector<qint16> &track : swapped)
        for (qint16 &sample : track)
            sample = qint16(quint16(sample) >> 8 | quint16(sample) << 8);
    for (const TestDisc::TFormat format : {TestDisc::Wave, TestDisc::Flac}) {
        QTemporaryDir folder;
        const TToolRun run = CheckDisc(DemoSet::WriteImage(folder.path(), format, swapped));
        EXPECT_EQ(run.Code, ExitBadInput);
        EXPECT_TRUE(run.Err.contains(QStringLiteral("track2.%1 holds byte-swapped samples").arg(TestDisc::Extension(format))))
            << run.Err.left(2000).toStdString();
        EXPECT_TRUE(run.Err.contains(QLatin1String("Passage 11, sentence 1"))) << run.Err.left(2000).toStdString();
    }
}

TEST_F(DiscProofTest, FingerprintNamesTheSentenceThatChangedAndHow)
{
    const QString sheet = DemoSet::WriteImage(m_folder.path(), TestDisc::Binary, DemoSet::Tracks());
    TToolRun run = CheckDisc(sheet, {QStringLiteral("--record")});
    ASSERT_EQ(run.Code, ExitOk) << run.Err.toStdString();
    ASSERT_TRUE(QFile::exists(m_folder.filePath(QStringLiteral("disc.fingerprint"))));
    run = CheckDisc(sheet);
    EXPECT_EQ(run.Code, ExitOk) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains(QLatin1String("hold the original disc's samples"))) << run.Out.toStdString();

    TTracks louder = DemoSet::Tracks();
    DemoSet::ForEachSentence(louder, [](qint32 passage, int sentence, qint16 *samples, qsizetype frames) {
        if (passage == 23 && sentence == 1)
            for (qsizetype i = 0; i < frames * 2; ++i)
                samples[i] = Clamped(samples[i] * std::pow(10.0, 1.0 / 20));
    });
    DemoSet::WriteImage(m_folder.path(), TestDisc::Binary, louder);
    run = CheckDisc(sheet);
    EXPECT_EQ(run.Code, ExitBadInput);
    EXPECT_EQ(SentencesNamed(run, QString()), 1) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(QLatin1String("Passage 23, sentence 2 (track 4 at"))) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(QLatin1String("is 1.0 dB louder than on the original disc"))) << run.Err.toStdString();
    louder.clear();

    // The whole image 2 s later: every stretch plays what lies 2 s before.
    std::vector<qint16> all;
    for (const std::vector<qint16> &track : DemoSet::Tracks())
        all.insert(all.end(), track.begin(), track.end());
    const qsizetype shift = 2 * CdAudio::SampleRate * 2;
    std::rotate(all.begin(), all.end() - shift, all.end());
    std::fill(all.begin(), all.begin() + shift, qint16(0));
    TTracks shifted;
    qsizetype at = 0;
    for (const std::vector<qint16> &track : DemoSet::Tracks()) {
        shifted.emplace_back(all.begin() + at, all.begin() + at + qsizetype(track.size()));
        at += qsizetype(track.size());
    }
    all.clear();
    DemoSet::WriteImage(m_folder.path(), TestDisc::Binary, shifted);
    run = CheckDisc(sheet);
    EXPECT_EQ(run.Code, ExitBadInput);
    // A stretch whose new audio came from the track before holds other audio.
    EXPECT_EQ(SentencesNamed(run, QString()), 360) << run.Err.left(3000).toStdString();
    EXPECT_GT(SentencesNamed(run, QStringLiteral("what it plays lies 2.00 s earlier on the original")), 340)
        << run.Err.left(3000).toStdString();
}

} // namespace
