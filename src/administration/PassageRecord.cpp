// SPDX-License-Identifier: GPL-3.0-or-later
#include "PassageRecord.h"

#include "record/IndexCheck.h"

namespace L = PassageLayout;

namespace {

int Sentence(int sentence)
{
    return CheckedIndex(sentence, L::SentenceCount, "sentence");
}

int Word(int word)
{
    return CheckedIndex(word, L::KeyWordCount, "key word");
}

} // namespace

qint32 TPassageRecord::Id() const
{
    return ByteImage::ReadInt32(m_passage, L::Id);
}

QString TPassageRecord::Text(int sentence) const
{
    return ByteImage::ReadText(m_passage, L::Text(Sentence(sentence)));
}

QString TPassageRecord::KeyWord(int sentence, int word) const
{
    return ByteImage::ReadText(m_passage, L::KeyWord(Sentence(sentence), Word(word)));
}

bool TPassageRecord::TextTerminated(int sentence) const
{
    return ByteImage::HasTerminator(m_passage, L::Text(Sentence(sentence)));
}

bool TPassageRecord::KeyWordTerminated(int sentence, int word) const
{
    return ByteImage::HasTerminator(m_passage, L::KeyWord(Sentence(sentence), Word(word)));
}

TCdTime TPassageRecord::Position(int sentence, int first) const
{
    const qsizetype at = L::Positions + L::PositionsSize * Sentence(sentence) + 4 * first;
    return {ByteImage::ReadInt32(m_passage, at), ByteImage::ReadInt32(m_passage, at + 4),
            ByteImage::ReadInt32(m_passage, at + 8)};
}

TCdTime TPassageRecord::Start(int sentence) const
{
    return Position(sentence, 0);
}

TCdTime TPassageRecord::End(int sentence) const
{
    return Position(sentence, 3);
}
