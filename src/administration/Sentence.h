// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PassageRecord.h"
#include "RunList.h"
#include "record/Status.h"

#include <QString>

#include <array>

class TSentenceMaterial;

// One sentence of the page being presented.
struct TSentence
{
    QString Text;
    std::array<QString, PassageLayout::KeyWordCount> KeyWords;
    TCdTime Start;
    TCdTime End;
    // A playback of this sentence has ended since the page was loaded.
    bool Played = false;
};

// The sentences of one list: five for a practice list, ten for a test list.
struct TPage
{
    static constexpr int MaxSentences = 2 * PassageLayout::SentenceCount;

    int SentenceCount = 0;
    std::array<TSentence, MaxSentences> Sentences;
};

// Fills the page with the sentences of the run-list entry. Sentences beyond
// the entry's count keep what they held. Fails only when the material lacks a
// passage of the entry, which loaded material never does.
TStatus LoadPage(const TSentenceMaterial &material, const TRunEntry &entry, TPage &page);

// Where a key word stands in its sentence: the first place where it occurs as
// a whole word, case-sensitively; -1 when it does not.
qsizetype FindKeyWord(const QString &text, const QString &keyWord);

// A track of a CD (1 to 99) and a time in it of at most 99:59.
bool IsCdTime(const TCdTime &time);

// "track 3, 1:07".
QString CdTimeText(const TCdTime &time);
