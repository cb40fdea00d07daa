// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/ByteImage.h"

#include <QString>

// A position on the test CD: a track and a time from the track's start in
// whole seconds.
struct TCdTime
{
    qint32 Track = 0;
    qint32 Minutes = 0;
    qint32 Seconds = 0;

    friend auto operator<=>(const TCdTime &, const TCdTime &) = default;
};

// Layout of one 800-byte passage of the sentence material file.
namespace PassageLayout {
constexpr qsizetype Size = 800;
constexpr int SentenceCount = 5;
constexpr int KeyWordCount = 5;
constexpr qsizetype Id = 0;
constexpr qsizetype Texts = 4;
constexpr qsizetype TextSize = 60;
constexpr qsizetype KeyWords = 304;
constexpr qsizetype KeyWordSize = 15;
constexpr qsizetype Positions = 680;
constexpr qsizetype PositionsSize = 24;

constexpr TTextArea Text(int sentence) { return {Texts + TextSize * sentence, TextSize}; }
constexpr TTextArea KeyWord(int sentence, int word)
{
    return {KeyWords + KeyWordCount * KeyWordSize * sentence + KeyWordSize * word, KeyWordSize};
}

static_assert(Texts + SentenceCount * TextSize == KeyWords);
static_assert(KeyWords + SentenceCount * KeyWordCount * KeyWordSize + 1 == Positions);
static_assert(Positions + SentenceCount * PositionsSize == Size);
} // namespace PassageLayout

// A read-only view of one passage: five sentences with five key words each
// and the CD stretch of every sentence.
class TPassageRecord
{
public:
    explicit TPassageRecord(const char *passage) : m_passage(passage) {}

    qint32 Id() const;
    QString Text(int sentence) const;
    QString KeyWord(int sentence, int word) const;
    TCdTime Start(int sentence) const;
    TCdTime End(int sentence) const;

    bool TextTerminated(int sentence) const;
    bool KeyWordTerminated(int sentence, int word) const;

private:
    TCdTime Position(int sentence, int first) const;

    const char *m_passage;
};
