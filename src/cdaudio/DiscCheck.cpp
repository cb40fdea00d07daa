// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscCheck.h"

#include "CdDevice.h"

#include "administration/ListTables.h"
#include "administration/SentenceMaterial.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

// Problems listed in a message box before the rest are only counted.
constexpr int ProblemsShown = 8;

// A peak below this (about -66 dB full scale) is no recording.
constexpr int SilencePeak = 16;
constexpr int ChunkSectors = 75;

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

} // namespace

TDiscCheck::TDiscCheck(IDiscSource &disc, const TSentenceMaterial &material, std::stop_token stop,
                       const TProgress &progress)
    : m_disc(disc), m_stop(std::move(stop))
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
    if (const QString problem = StretchProblem(CalibrationStart, CalibrationEnd); !problem.isEmpty())
        m_problems.append(QStringLiteral("The calibration stretch (track 1, 0:03 to 0:18) %1").arg(problem));
    int sentence = 0;
    for (const qint32 id : ids) {
        const std::optional<TPassageRecord> passage = material.FindPassage(id);
        if (!passage) {
            m_problems.append(QStringLiteral("Passage %1 is not in the sentence material.").arg(id));
            m_failingPassages.append(id);
            sentence += PassageLayout::SentenceCount;
            continue;
        }
        bool failed = false;
        for (int s = 0; s < PassageLayout::SentenceCount && reading(++sentence); ++s) {
            const QString problem = StretchProblem(Tmsf(passage->Start(s)), Tmsf(passage->End(s)));
            if (m_cancelled)
                break;
            ++m_sentences;
            if (problem.isEmpty())
                continue;
            m_problems.append(QStringLiteral("Passage %1, sentence %2 (%3 to %4) %5")
                                  .arg(id)
                                  .arg(s + 1)
                                  .arg(TimeText(passage->Start(s)), TimeText(passage->End(s)), problem));
            failed = true;
        }
        if (failed)
            m_failingPassages.append(id);
        if (m_cancelled)
            return;
    }
}

QString TDiscCheck::StretchProblem(quint32 from, quint32 to)
{
    TCdError error;
    const std::optional<TSectorStretch> stretch = m_disc.Layout().Resolve(from, to, error);
    if (!stretch)
        return QStringLiteral("cannot be played: %1").arg(error.Text);
    std::vector<qint16> frames(size_t(ChunkSectors) * CdAudio::FramesPerSector * CdAudio::Channels);
    // Sound usually begins at once; only a silent stretch is read to its end.
    for (qint64 sector = stretch->First; sector < stretch->First + stretch->Count; sector += ChunkSectors) {
        // A scratched disc may retry one read for a long time; a stop waits
        // for no more than that.
        if (m_stop.stop_requested()) {
            m_cancelled = true;
            return QString();
        }
        const int count = int(std::min<qint64>(ChunkSectors, stretch->First + stretch->Count - sector));
        if (!m_disc.ReadSectors(sector, count, frames.data(), error))
            return QStringLiteral("cannot be read: %1").arg(error.Text);
        const auto end = frames.begin() + qsizetype(count) * CdAudio::FramesPerSector * CdAudio::Channels;
        if (std::any_of(frames.begin(), end, [](qint16 v) { return std::abs(int(v)) >= SilencePeak; }))
            return QString();
    }
    return QStringLiteral("is silent.");
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
    const QString notes =
        disc->Notes().isEmpty() ? QString() : QStringLiteral("\n\n") + disc->Notes().join(QLatin1Char('\n'));
    const TDiscCheck check(*disc, material, std::move(stop), progress);
    if (check.Passed())
        return {true, false,
                QStringLiteral("The disc serves the test: the calibration stretch and all %1 sentences play and "
                               "are not silent.%2")
                    .arg(check.SentencesChecked())
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
