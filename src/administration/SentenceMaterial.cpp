#include "SentenceMaterial.h"

#include "ListTables.h"
#include "Sentence.h"
#include "record/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

QString TSentenceMaterial::Prefix() const
{
    return QStringLiteral("The sentence material file %1 ").arg(m_name);
}

TStatus TSentenceMaterial::LoadPassages(const QString &path)
{
    QFile file(path);
    m_name = QFileInfo(path).fileName();
    QString reason;
    // The material is read whole; some slack for bytes after the passages.
    if (!RegularFile::Open(file, 16 * FileSize, reason)) {
        m_passages.clear();
        m_problems = {Prefix() + QStringLiteral("cannot be opened: %1.").arg(reason)};
        m_status = TStatus::Error(m_problems.first());
        return m_status;
    }
    return LoadPassages(file, m_name);
}

TStatus TSentenceMaterial::LoadPassages(QIODevice &device, const QString &name)
{
    m_name = name;
    m_passages = device.read(FileSize);
    m_problems.clear();
    m_usable = true;
    Diagnose();
    m_status = m_usable ? TStatus::Ok() : TStatus::Error(m_problems.first());
    return m_status;
}

void TSentenceMaterial::AddProblem(const QString &problem, bool usable)
{
    // The first problem that makes the material unusable is the one reported
    // to the clinician, so it goes first.
    if (!usable && m_usable)
        m_problems.prepend(problem);
    else
        m_problems.append(problem);
    m_usable = m_usable && usable;
}

void TSentenceMaterial::Diagnose()
{
    const qsizetype whole = m_passages.size() / PassageLayout::Size;
    if (whole < PassageCount) {
        AddProblem(Prefix() + QStringLiteral("holds %1 whole passages, but %2 are needed.").arg(whole).arg(PassageCount),
                   false);
    }
    m_passages.truncate(whole * PassageLayout::Size);
    for (int i = 0; i < whole; ++i)
        CheckPassage(i);
    CheckListIds();
}

void TSentenceMaterial::CheckPassage(int index)
{
    const TPassageRecord passage(m_passages.constData() + index * PassageLayout::Size);
    const QString where = QStringLiteral("The sentence material file %1, passage %2 (id %3), sentence %4: ")
                              .arg(m_name)
                              .arg(index + 1)
                              .arg(passage.Id());
    for (int j = 0; j < PassageLayout::SentenceCount; ++j) {
        const QString sentence = where.arg(j + 1);
        const bool textTerminated = passage.TextTerminated(j);
        if (!textTerminated)
            AddProblem(sentence + QStringLiteral("the text has no terminating zero byte."), false);
        for (int k = 0; k < PassageLayout::KeyWordCount; ++k) {
            if (!passage.KeyWordTerminated(j, k)) {
                AddProblem(sentence + QStringLiteral("key word %1 has no terminating zero byte.").arg(k + 1), false);
            } else if (textTerminated && FindKeyWord(passage.Text(j), passage.KeyWord(j, k)) < 0) {
                AddProblem(sentence + QStringLiteral("key word %1 \"%2\" does not occur in the text \"%3\".")
                                          .arg(k + 1)
                                          .arg(passage.KeyWord(j, k), passage.Text(j)),
                           true);
            }
        }
        // Played as one byte each, a time no CD has would wrap into another
        // stretch without any error.
        bool onDisc = true;
        for (const auto &[what, time] : {std::pair{"starts", passage.Start(j)}, std::pair{"ends", passage.End(j)}}) {
            if (!IsCdTime(time)) {
                AddProblem(sentence + QStringLiteral("the stretch %1 at %2, which is no time on a CD.")
                                          .arg(QLatin1String(what), CdTimeText(time)),
                           false);
                onDisc = false;
            }
        }
        if (onDisc && passage.End(j) <= passage.Start(j)) {
            AddProblem(sentence + QStringLiteral("the stretch ends at %1 but starts at %2.")
                                      .arg(CdTimeText(passage.End(j)), CdTimeText(passage.Start(j))),
                       true);
        }
    }
}

void TSentenceMaterial::CheckListIds()
{
    const auto need = [this](qint32 id, const QString &list) {
        if (!FindPassage(id))
            AddProblem(Prefix() + QStringLiteral("lacks passage %1, which the %2 uses.").arg(id).arg(list), false);
    };
    for (int c = 0; c < ConditionCount; ++c)
        need(PracticeListTable[c].FirstPassageId, QStringLiteral("practice list of %1").arg(ConditionName(c)));
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        for (int c = 0; c < ConditionCount; ++c) {
            const QString list = QStringLiteral("test list of %1 in MDB %2").arg(ConditionName(c)).arg(m + 1);
            need(TestListTable[m][c].FirstPassageId, list);
            need(TestListTable[m][c].SecondPassageId, list);
        }
    }
}

std::optional<TPassageRecord> TSentenceMaterial::PassageAt(int index) const
{
    if (index < 0 || (index + 1) * PassageLayout::Size > m_passages.size())
        return std::nullopt;
    return TPassageRecord(m_passages.constData() + index * PassageLayout::Size);
}

std::optional<TPassageRecord> TSentenceMaterial::FindPassage(qint32 id) const
{
    for (qsizetype at = 0; at + PassageLayout::Size <= m_passages.size(); at += PassageLayout::Size) {
        const TPassageRecord passage(m_passages.constData() + at);
        if (passage.Id() == id)
            return passage;
    }
    return std::nullopt;
}
