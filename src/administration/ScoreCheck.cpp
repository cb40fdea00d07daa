// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreCheck.h"

#include "ListScoring.h"
#include "record/ClientRecord.h"
#include "record/Conditions.h"
#include "record/ScoreFormat.h"

#include <QStringList>

namespace ScoreCheck {

namespace {

// The bounds as the scoring rounds them: every list's RAU lies between the
// RAU of 0 and of 1, and its WRAU is that RAU times a positive weight.
bool Within(float value, float low, float high)
{
    return value >= low && value <= high; // false for NaN
}

} // namespace

bool IsPossible(TMeasure measure, float value, int mdb, int slot)
{
    const float lowest = RauOf(0.0f);
    const float highest = RauOf(1.0f);
    switch (measure) {
    case TMeasure::Proportion:
        return Within(value, 0.0f, 1.0f);
    case TMeasure::Rau:
        return Within(value, lowest, highest);
    case TMeasure::Wrau:
        break;
    }
    const float weight = WrauWeight(mdb, slot);
    return Within(value, lowest * weight, highest * weight);
}

bool IsScored(const TConstMdbBlock &block, int slot)
{
    return block.Proportion(slot) != NoScore;
}

float ValueOf(const TConstMdbBlock &block, TMeasure measure, int slot)
{
    switch (measure) {
    case TMeasure::Proportion:
        return block.Proportion(slot);
    case TMeasure::Rau:
        return block.Rau(slot);
    case TMeasure::Wrau:
        break;
    }
    return block.Wrau(slot);
}

QString Text(const TConstMdbBlock &block, int mdb, int slot, TMeasure measure,
             QString (*format)(double, const QLocale &), const QLocale &locale)
{
    const float value = ValueOf(block, measure, slot);
    if (!IsPossible(measure, value, mdb, slot))
        return ImpossibleScoreText;
    return format(measure == TMeasure::Proportion ? Percent(value) : double(value), locale);
}

QString ImpossibleScores(const TClientRecord &record)
{
    QStringList found;
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        const TConstMdbBlock block = record.Mdb(m);
        for (int c = 0; c < Conditions::Count; ++c) {
            const int slot = Conditions::TestSlot(c);
            if (!IsScored(block, slot))
                continue;
            for (const TMeasure measure : {TMeasure::Proportion, TMeasure::Rau, TMeasure::Wrau}) {
                if (!IsPossible(measure, ValueOf(block, measure, slot), m, slot)) {
                    found << QStringLiteral("MDB %1 %2 %3 dB SNR")
                                 .arg(m + 1)
                                 .arg(Conditions::TalkerName(Conditions::TalkerOf(c)))
                                 .arg(Conditions::SnrOf(c));
                    break;
                }
            }
        }
    }
    return found.join(QStringLiteral(", "));
}

} // namespace ScoreCheck
