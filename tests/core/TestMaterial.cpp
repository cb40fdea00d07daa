// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMaterial.h"

#include "administration/ListTables.h"

#include <algorithm>

QList<qint32> MaterialIds()
{
    QList<qint32> ids;
    for (int tens = 1; tens <= 9; ++tens) {
        for (int units = 1; units <= 8; ++units)
            ids << 10 * tens + units;
    }
    return ids;
}

TPassageSentences TestSentences(qint32 id)
{
    TPassageSentences sentences;
    for (int j = 0; j < PassageLayout::SentenceCount; ++j) {
        TSentence &s = sentences[j];
        for (int k = 0; k < PassageLayout::KeyWordCount; ++k)
            s.KeyWords[k] = QStringLiteral("K%1W%2S%3").arg(id).arg(k).arg(j);
        s.Text = QStringLiteral("the %1 and %2 saw %3 by %4 in %5")
                     .arg(s.KeyWords[0], s.KeyWords[1], s.KeyWords[2], s.KeyWords[3], s.KeyWords[4]);
        s.Start = {id % 10 + 1, id / 10, 4 * j};
        s.End = {id % 10 + 1, id / 10, 4 * j + 3};
    }
    return sentences;
}

QByteArray TestMaterial()
{
    QByteArray bytes;
    for (const qint32 id : MaterialIds())
        bytes += EncodePassage(id, TestSentences(id));
    return bytes;
}
