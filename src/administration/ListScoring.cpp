// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListScoring.h"

#include "record/ClientRecord.h"
#include "record/Conditions.h"
#include "record/IndexCheck.h"

#include <cmath>

namespace {

constexpr std::array<float, 8> Weights(float h15, float h10, float h5, float h0, float l15, float l10, float l5,
                                       float l0)
{
    return {h15, h10, h5, h0, l15, l10, l5, l0};
}

constexpr std::array<float, 64> BuildWeights()
{
    constexpr std::array<std::array<float, 8>, 4> byMdb = {
        Weights(1.010f, 1.002f, 1.112f, 0.705f, 0.960f, 0.959f, 0.939f, 0.612f),
        Weights(1.028f, 1.009f, 0.875f, 0.835f, 1.005f, 1.071f, 0.974f, 1.122f),
        Weights(0.940f, 0.960f, 1.085f, 0.950f, 0.993f, 1.033f, 0.989f, 1.013f),
        Weights(1.015f, 1.014f, 0.930f, 1.110f, 1.036f, 0.927f, 1.081f, 0.978f),
    };
    std::array<float, 64> table{};
    for (int m = 0; m < 4; ++m) {
        for (int c = 0; c < Conditions::Count; ++c) {
            table[16 * m + Conditions::PracticeSlot(c)] = byMdb[m][c];
            table[16 * m + Conditions::TestSlot(c)] = byMdb[m][c];
        }
    }
    return table;
}

// The RAU scale's constant, 46.4734337; 146 / pi is close but not it.
constexpr double RauScale = 46.4734337;

} // namespace

const std::array<float, 64> WrauWeights = BuildWeights();

float WrauWeight(int mdb, int slot)
{
    return WrauWeights[16 * CheckedIndex(mdb, TClientRecord::MdbCount, "MDB") +
                       CheckedIndex(slot, MdbBlockLayout::SlotCount, "list slot")];
}

TListScore ComputeListScore(const TPageMarks &marks, int sentenceCount, float weight)
{
    const int count = CheckedIndex(sentenceCount, TPage::MaxSentences + 1, "sentence count");
    // Whole and half credits: the single-precision sum is exact.
    float sum = 0.0f;
    for (int j = 0; j < count; ++j) {
        for (const TWordMark mark : marks[j])
            sum += MarkCredit(mark);
    }
    const float proportion = sum > 0.0f ? static_cast<float>(double(sum) / (5.0 * count)) : 0.0f;
    const float rau = RauOf(proportion);
    const float wrau = rau * weight;
    return {proportion, rau, wrau};
}

float RauOf(float proportion)
{
    return static_cast<float>(2.0 * std::asin(std::sqrt(double(proportion))) * RauScale - 23.0);
}

TListScore ScoreListIntoRecord(TClientRecord &record, const TPageMarks &marks, int sentenceCount, int slot)
{
    const int mdb = record.CurrentMdb();
    const TListScore score = ComputeListScore(marks, sentenceCount, WrauWeight(mdb, slot));
    TMdbBlock block = record.Mdb(mdb);
    block.SetProportion(slot, score.Proportion);
    block.SetRau(slot, score.Rau);
    block.SetWrau(slot, score.Wrau);
    return score;
}
