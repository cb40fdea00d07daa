// SPDX-License-Identifier: GPL-3.0-or-later
#include "PassageWriter.h"

namespace L = PassageLayout;

QByteArray EncodePassage(qint32 id, const TPassageSentences &sentences)
{
    QByteArray bytes(L::Size, '\0');
    char *image = bytes.data();
    ByteImage::WriteInt32(image, L::Id, id);
    for (int j = 0; j < L::SentenceCount; ++j) {
        const TSentence &sentence = sentences[j];
        ByteImage::WriteText(image, L::Text(j), sentence.Text);
        for (int k = 0; k < L::KeyWordCount; ++k)
            ByteImage::WriteText(image, L::KeyWord(j, k), sentence.KeyWords[k]);
        const qsizetype at = L::Positions + L::PositionsSize * j;
        const qint32 values[] = {sentence.Start.Track, sentence.Start.Minutes, sentence.Start.Seconds,
                                 sentence.End.Track,   sentence.End.Minutes,   sentence.End.Seconds};
        for (int v = 0; v < 6; ++v)
            ByteImage::WriteInt32(image, at + 4 * v, values[v]);
    }
    return bytes;
}
