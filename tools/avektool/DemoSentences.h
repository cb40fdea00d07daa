#pragma once

#include <array>

// The texts of the demonstration material: 72 passages of five sentences,
// each with its five key words in upper case. Passage p of the array is
// the p-th passage of condition p / 9.
namespace DemoSentences {

constexpr int PassageCount = 72;
constexpr int SentencesPerPassage = 5;

extern const std::array<std::array<const char *, SentencesPerPassage>, PassageCount> Texts;

} // namespace DemoSentences
