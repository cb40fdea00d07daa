// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sentence.h"

#include "SentenceMaterial.h"

namespace {

TStatus CopyPassage(const TSentenceMaterial &material, qint32 id, TSentence *sentences)
{
    const std::optional<TPassageRecord> passage = material.FindPassage(id);
    if (!passage)
        return TStatus::Error(QStringLiteral("The sentence material has no passage %1.").arg(id));
    for (int j = 0; j < PassageLayout::SentenceCount; ++j) {
        TSentence &sentence = sentences[j];
        sentence.Text = passage->Text(j);
        for (int k = 0; k < PassageLayout::KeyWordCount; ++k)
            sentence.KeyWords[k] = passage->KeyWord(j, k);
        sentence.Start = passage->Start(j);
        sentence.End = passage->End(j);
        sentence.Played = false;
    }
    return TStatus::Ok();
}

} // namespace

TStatus LoadPage(const TSentenceMaterial &material, const TRunEntry &entry, TPage &page)
{
    page.SentenceCount = entry.SentenceCount;
    if (entry.SentenceCount > 0) {
        if (TStatus status = CopyPassage(material, entry.FirstPassageId, page.Sentences.data()); !status)
            return status;
    }
    if (entry.SentenceCount > PassageLayout::SentenceCount)
        return CopyPassage(material, entry.SecondPassageId, page.Sentences.data() + PassageLayout::SentenceCount);
    return TStatus::Ok();
}

qsizetype FindKeyWord(const QString &text, const QString &keyWord)
{
    // Padding both with blanks finds the word at the start and the end of the
    // text too, and its index in the padded text is its index in the text.
    return (u' ' + text + u' ').indexOf(u' ' + keyWord + u' ');
}

bool IsCdTime(const TCdTime &time)
{
    return time.Track >= 1 && time.Track <= 99 && time.Minutes >= 0 && time.Minutes <= 99 && time.Seconds >= 0 &&
           time.Seconds <= 59;
}

QString CdTimeText(const TCdTime &time)
{
    return QStringLiteral("track %1, %2:%3").arg(time.Track).arg(time.Minutes).arg(time.Seconds, 2, 10, QLatin1Char('0'));
}
