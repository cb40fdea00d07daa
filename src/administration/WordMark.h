// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PassageRecord.h"

#include <array>

// How the clinician has marked one key word of the current page.
enum class TWordMark : quint8 { NotPlayed, Wrong, Correct, HalfCorrect };

enum class TMarkButton { Left, Right, Other };

using TSentenceMarks = std::array<TWordMark, PassageLayout::KeyWordCount>;

// The mark after a mouse button is released over the key word: left means
// correct, right means wrong, and each toggles to half correct on a second click.
TWordMark MarkAfterRelease(TWordMark mark, TMarkButton button);

// Playing a sentence discards its earlier marks.
constexpr TSentenceMarks PlayedMarks()
{
    return {TWordMark::Wrong, TWordMark::Wrong, TWordMark::Wrong, TWordMark::Wrong, TWordMark::Wrong};
}

constexpr TSentenceMarks AllCorrectMarks()
{
    return {TWordMark::Correct, TWordMark::Correct, TWordMark::Correct, TWordMark::Correct, TWordMark::Correct};
}

// What the mark counts in the list's score: 1, 0.5 or 0.
float MarkCredit(TWordMark mark);
