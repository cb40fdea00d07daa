// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "administration/Sentence.h"

#include <array>

// The texts of the demonstration material: 72 passages of five sentences,
// each with its five key words in upper case. Passage p of the array is
// the p-th passage of condition p / 9.
namespace DemoSentences {

constexpr int PassageCount = 72;
constexpr int SentencesPerPassage = 5;

extern const std::array<std::array<const char *, SentencesPerPassage>, PassageCount> Texts;

// A sentence of the array with its key words, without a place on the disc.
TSentence Sentence(int passage, int sentence);

} // namespace DemoSentences
