// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Sentence.h"
#include "WordMark.h"

#include <array>

class TClientRecord;

using TPageMarks = std::array<TSentenceMarks, TPage::MaxSentences>;

struct TListScore
{
    float Proportion;
    float Rau;
    float Wrau;
};

// The weight of each list by MDB: 16 slots per MDB, MDB 1 first; a practice
// slot and its test slot share one weight.
extern const std::array<float, 64> WrauWeights;
float WrauWeight(int mdb, int slot);

// Scores the first sentenceCount sentences of the marks: the proportion of key
// words repeated correctly, its rationalised arcsine transform and the
// weighted RAU, rounded to single precision where the client file keeps them.
TListScore ComputeListScore(const TPageMarks &marks, int sentenceCount, float weight);
// The RAU of a proportion, rounded to single precision.
float RauOf(float proportion);

// Scores the marks into the slot of the record's current MDB, overwriting
// whatever that slot held; nothing else of the record changes.
TListScore ScoreListIntoRecord(TClientRecord &record, const TPageMarks &marks, int sentenceCount, int slot);
