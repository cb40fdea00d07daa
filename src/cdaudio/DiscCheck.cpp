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

TDiscCheck::TDiscCheck(IDiscSource &disc, const TSentenceMaterial &material) : m_disc(disc)
{
    if (const QString problem = StretchProblem(CalibrationStart, CalibrationEnd); !problem.isEmpty())
        m_problems.append(QStringLiteral("The calibration stretch (track 1, 0:03 to 0:18) %1").arg(problem));
    for (const qint32 id : ListPassageIds()) {
        const std::optional<TPassageRecord> passage = material.FindPassage(id);
        if (!passage) {
            m_problems.append(QStringLiteral("Passage %1 is not in the sentence material.").arg(id));
            m_failingPassages.append(id);
            continue;
        }
        bool failed = false;
        for (int s = 0; s < PassageLayout::SentenceCount; ++s) {
            ++m_sentences;
            const QString problem = StretchProblem(Tmsf(passage->Start(s)), Tmsf(passage->End(s)));
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
        const int count = int(std::min<qint64>(ChunkSectors, stretch->First + stretch->Count - sector));
        if (!m_disc.ReadSectors(sector, count, frames.data(), error))
            return QStringLiteral("cannot be read: %1").arg(error.Text);
        const auto end = frames.begin() + qsizetype(count) * CdAudio::FramesPerSector * CdAudio::Channels;
        if (std::any_of(frames.begin(), end, [](qint16 v) { return std::abs(int(v)) >= SilencePeak; }))
            return QString();
    }
    return QStringLiteral("is silent.");
}

TDiscCheck::TReport TDiscCheck::Run(const QString &device, const TSentenceMaterial &material)
{
    if (!material.Status())
        return {false, material.Status().message()};
    TCdError error;
    const std::unique_ptr<IDiscSource> disc = OpenDisc(device, error);
    if (!disc)
        return {false, error.Text};
    const QString notes =
        disc->Notes().isEmpty() ? QString() : QStringLiteral("\n\n") + disc->Notes().join(QLatin1Char('\n'));
    const TDiscCheck check(*disc, material);
    if (check.Passed())
        return {true, QStringLiteral("The disc serves the test: the calibration stretch and all %1 sentences play and "
                                     "are not silent.%2")
                          .arg(check.SentencesChecked())
                          .arg(notes)};
    QStringList ids;
    for (const qint32 id : check.FailingPassages())
        ids.append(QString::number(id));
    QString text = QStringLiteral("The disc does not serve the test; do not test with it.");
    if (!ids.isEmpty())
        text += QStringLiteral(" Passages that fail: %1.").arg(ids.join(QStringLiteral(", ")));
    text += QStringLiteral("\n\n") + check.Problems().mid(0, ProblemsShown).join(QLatin1Char('\n'));
    if (check.Problems().size() > ProblemsShown)
        text += QStringLiteral("\n(and %1 more)").arg(check.Problems().size() - ProblemsShown);
    return {false, text + notes};
}
