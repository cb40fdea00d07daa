// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscCheck.h"

#include "CdDevice.h"

#include "administration/ListTables.h"
#include "administration/SentenceMaterial.h"
#include "record/Conditions.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace {

// Problems listed in a message box before the rest are only counted.
constexpr int ProblemsShown = 8;
constexpr int ChunkSectors = TDiscFingerprint::BlockSectors;

// What a stretch must sound like. The figures come from the demonstration
// set (speech in steady speech-shaped noise at 15 to 0 dB SNR, 0.4 to 1.4 s
// of pause after each sentence) and from what its wrong rips measure; the
// README gives them.
//
// Below this (about -66 dB full scale) a stretch holds no recording.
constexpr double SilentDb = -66;
// Digital silence (both channels exactly 0) inside a stretch: a sentence's
// own pause is shorter than this.
constexpr double MaxSilenceSeconds = 1.5;
// Full-scale samples in a row: one may be a loud peak, more is clipping.
constexpr int MaxClippedRun = 3;
// Speech moves by more than this between its loudest and quietest 20 ms
// even in noise at 0 dB SNR; steady noise by less.
constexpr double MinModulationDb = 4;
// Each stretch's level lies this close to its talker's median.
constexpr double TalkerSpreadDb = 4;
// The high-level talker's median lies this close to the calibration
// stretch, which is recorded at its level.
constexpr double CalibrationSpreadDb = 3;

std::set<qint32> ListPassageIds()
{
    std::set<qint32> ids;
    for (const auto &mdb : TestListTable)
        for (const TListTableRow &row : mdb)
            ids.insert({row.FirstPassageId, row.SecondPassageId});
    for (const TListTableRow &row : PracticeListTable)
        ids.insert(row.FirstPassageId);
    ids.erase(-1);
    return ids;
}

QString TimeText(const TCdTime &time)
{
    return QStringLiteral("track %1 at %2:%3")
        .arg(time.Track)
        .arg(time.Minutes)
        .arg(time.Seconds, 2, 10, QLatin1Char('0'));
}

quint32 Tmsf(const TCdTime &time)
{
    return MakeTmsf(quint32(time.Track), quint32(time.Minutes), quint32(time.Seconds));
}

// The condition a passage's id belongs to: its units digit less one.
Conditions::TTalker TalkerOf(qint32 passage)
{
    return Conditions::TalkerOf(passage % 10 - 1);
}

double Median(std::vector<double> values)
{
    const auto middle = values.begin() + qsizetype(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

QString Db(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

TDiscCheck::TDiscCheck(IDiscSource &disc, const TSentenceMaterial &material, std::stop_token stop,
                       const TProgress &progress, const TDiscFingerprint *original)
    : m_disc(disc), m_stop(std::move(stop)), m_original(original)
{
    const std::set<qint32> ids = ListPassageIds();
    m_sentenceCount = int(ids.size()) * PassageLayout::SentenceCount;
    const auto reading = [&](int sentence) {
        m_cancelled = m_stop.stop_requested();
        if (progress && !m_cancelled)
            progress(sentence, m_sentenceCount);
        return !m_cancelled;
    };
    if (!reading(0))
        return;
    TStretch calibration{-1, 0, QStringLiteral("The calibration stretch (track 1, 0:03 to 0:18)"), {}};
    if (QString problem = ReadStretch(CalibrationStart, CalibrationEnd, calibration); !problem.isEmpty())
        Fail(-1, calibration.Name + u' ' + problem);
    if (m_cancelled)
        return;
    int sentence = 0;
    for (const qint32 id : ids) {
        const std::optional<TPassageRecord> passage = material.FindPassage(id);
        if (!passage) {
            Fail(id, QStringLiteral("Passage %1 is not in the sentence material.").arg(id));
            sentence += PassageLayout::SentenceCount;
            continue;
        }
        for (int s = 0; s < PassageLayout::SentenceCount && reading(++sentence); ++s) {
            TStretch stretch{id, s,
                             QStringLiteral("Passage %1, sentence %2 (%3 to %4)")
                                 .arg(id)
                                 .arg(s + 1)
                                 .arg(TimeText(passage->Start(s)), TimeText(passage->End(s))),
                             {}};
            const QString problem = ReadStretch(Tmsf(passage->Start(s)), Tmsf(passage->End(s)), stretch);
            if (m_cancelled)
                return;
            ++m_sentences;
            if (!problem.isEmpty())
                Fail(id, stretch.Name + u' ' + problem);
        }
        if (m_cancelled)
            return;
    }
    CheckLevels();
}

void TDiscCheck::Fail(qint32 passage, const QString &problem)
{
    m_problems.append(problem);
    if (passage < 0)
        return;
    const auto at = std::lower_bound(m_failingPassages.begin(), m_failingPassages.end(), passage);
    if (at == m_failingPassages.end() || *at != passage)
        m_failingPassages.insert(at, passage);
}

QString TDiscCheck::ReadStretch(quint32 from, quint32 to, TStretch &stretch)
{
    TCdError error;
    const std::optional<TSectorStretch> sectors = m_disc.Layout().Resolve(from, to, error);
    if (!sectors)
        return QStringLiteral("cannot be played: %1").arg(error.Text);
    std::vector<qint16> frames(size_t(ChunkSectors) * CdAudio::FramesPerSector * CdAudio::Channels);
    TDiscFingerprint::TPrint print;
    // Every frame: a sentence may lose its end as well as its start.
    for (qint64 sector = sectors->First; sector < sectors->First + sectors->Count; sector += ChunkSectors) {
        // A scratched disc may retry one read for a long time; a stop waits
        // for no more than that.
        if (m_stop.stop_requested()) {
            m_cancelled = true;
            return QString();
        }
        const int count = int(std::min<qint64>(ChunkSectors, sectors->First + sectors->Count - sector));
        if (!m_disc.ReadSectors(sector, count, frames.data(), error))
            return QStringLiteral("cannot be read: %1").arg(error.Text);
        stretch.Sound.Add(frames.data(), qsizetype(count) * CdAudio::FramesPerSector);
        if (m_original)
            print.Add(frames.data(), count);
    }
    stretch.Rereads = m_disc.TakeRereads();
    m_stretches.push_back(stretch);
    if (QString problem = SoundProblem(stretch); !problem.isEmpty())
        return problem;
    print.Finish();
    if (m_original)
        if (const QString difference = m_original->Difference(m_disc.Layout(), *sectors, print); !difference.isEmpty())
            return difference + u'.';
    return QString();
}

QString TDiscCheck::SoundProblem(const TStretch &stretch)
{
    const TStretchSound &sound = stretch.Sound;
    if (sound.LevelDb() < SilentDb)
        return QStringLiteral("is silent.");
    if (sound.LongestSilenceSeconds() > MaxSilenceSeconds)
        return QStringLiteral("turns to digital silence for %1 s (a sentence's pause is shorter than %2 s).")
            .arg(sound.LongestSilenceSeconds(), 0, 'f', 1)
            .arg(MaxSilenceSeconds, 0, 'f', 1);
    if (sound.LongestClippedRun() > MaxClippedRun)
        return QStringLiteral("is clipped: %1 samples in a row at full scale.").arg(sound.LongestClippedRun());
    if (stretch.Passage >= 0 && sound.ModulationDb() < MinModulationDb)
        return QStringLiteral("holds no speech: its level moves by only %1 dB, as steady noise does (speech moves "
                              "by %2 dB or more).")
            .arg(Db(sound.ModulationDb()), Db(MinModulationDb));
    return QString();
}

// A ripper that brings each track to one peak or loudness moves the
// sentences against the calibration stretch, and the talker levels set
// with it no longer hold.
void TDiscCheck::CheckLevels()
{
    if (m_stretches.empty() || m_stretches.front().Passage >= 0)
        return;
    const double calibration = m_stretches.front().Sound.LevelDb();
    for (const Conditions::TTalker talker : Conditions::Talkers) {
        std::vector<double> levels;
        for (const TStretch &stretch : m_stretches)
            if (stretch.Passage >= 0 && TalkerOf(stretch.Passage) == talker)
                levels.push_back(stretch.Sound.LevelDb());
        if (levels.empty())
            continue;
        const double median = Median(levels);
        const QString name = Conditions::TalkerName(talker);
        if (talker == Conditions::TTalker::High && std::abs(median - calibration) > CalibrationSpreadDb)
            Fail(-1, QStringLiteral("The %1 sentences lie %2 dB from the calibration stretch (%3 dB against %4 dB "
                                    "full scale; at most %5 dB): the disc's levels were changed, and the talker "
                                    "levels set with the calibration would not hold.")
                         .arg(name, Db(std::abs(median - calibration)), Db(median), Db(calibration),
                              Db(CalibrationSpreadDb)));
        for (const TStretch &stretch : m_stretches)
            if (stretch.Passage >= 0 && TalkerOf(stretch.Passage) == talker &&
                std::abs(stretch.Sound.LevelDb() - median) > TalkerSpreadDb)
                Fail(stretch.Passage, QStringLiteral("%1 lies %2 dB from the other %3 sentences (at most %4 dB): its "
                                                     "level was changed.")
                                          .arg(stretch.Name, Db(stretch.Sound.LevelDb() - median), name,
                                               Db(TalkerSpreadDb)));
    }
}

QStringList TDiscCheck::Rereads() const
{
    QStringList told;
    for (const TStretch &stretch : m_stretches)
        if (stretch.Rereads > 0)
            told.append(QStringLiteral("%1: the drive read again or mended %2 times.").arg(stretch.Name).arg(stretch.Rereads));
    return told;
}

std::optional<TDiscFingerprint> TDiscCheck::FingerprintOf(const QString &device, QString &reason)
{
    if (!device.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive))
        return std::nullopt;
    const QString path = TDiscFingerprint::PathFor(device);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return TDiscFingerprint::Load(path, reason);
}

TDiscCheck::TReport TDiscCheck::Run(const QString &device, const TSentenceMaterial &material, std::stop_token stop,
                                    const TProgress &progress)
{
    if (!material.Status())
        return {false, false, material.Status().message()};
    TCdError error;
    const std::unique_ptr<IDiscSource> disc = OpenDisc(device, error);
    if (!disc)
        return {false, false, error.Text};
    QString reason;
    const std::optional<TDiscFingerprint> original = FingerprintOf(device, reason);
    if (!reason.isEmpty())
        return {false, false, reason};
    const TDiscCheck check(*disc, material, std::move(stop), progress, original ? &*original : nullptr);
    const QStringList told = disc->Notes() + check.Rereads();
    const QString notes = told.isEmpty() ? QString() : QStringLiteral("\n\n") + told.join(QLatin1Char('\n'));
    if (check.Passed())
        return {true, false,
                QStringLiteral("The disc serves the test: the calibration stretch and all %1 sentences were read "
                               "whole and sound as they should%2.%3")
                    .arg(check.SentencesChecked())
                    .arg(original ? QStringLiteral(", and hold the original disc's samples") : QString())
                    .arg(notes)};
    QStringList ids;
    for (const qint32 id : check.FailingPassages())
        ids.append(QString::number(id));
    const bool failed = !check.Problems().isEmpty();
    const QString cancelled =
        QStringLiteral("The check was cancelled after %1 of %2 sentences")
            .arg(check.SentencesChecked())
            .arg(check.SentenceCount()) +
        (failed ? QStringLiteral(".") : QStringLiteral(", so it does not show that the disc serves the test."));
    if (!failed)
        return {false, true, cancelled + notes};
    QString text = QStringLiteral("The disc does not serve the test; do not test with it.");
    if (!ids.isEmpty())
        text += QStringLiteral(" Passages that fail: %1.").arg(ids.join(QStringLiteral(", ")));
    if (check.Cancelled())
        text += u' ' + cancelled;
    text += QStringLiteral("\n\n") + check.Problems().mid(0, ProblemsShown).join(QLatin1Char('\n'));
    if (check.Problems().size() > ProblemsShown)
        text += QStringLiteral("\n(and %1 more)").arg(check.Problems().size() - ProblemsShown);
    return {false, false, text + notes};
}
