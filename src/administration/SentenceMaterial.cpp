// SPDX-License-Identifier: GPL-3.0-or-later
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
    m_unlisted = 0;
    m_usable = true;
    Diagnose();
    if (m_unlisted > 0)
        m_problems.append(QStringLiteral("%1 further problems are not listed.").arg(m_unlisted));
    m_status = m_usable ? TStatus::Ok() : TStatus::Error(m_problems.first());
    return m_status;
}

template <typename Describe>
void TSentenceMaterial::AddProblem(bool usable, const Describe &describe)
{
    // The first problem that makes the material unusable is the one reported
    // to the clinician, so it goes first.
    if (!usable && m_usable)
        m_problems.prepend(describe());
    else if (m_problems.size() < MaxListedProblems)
        m_problems.append(describe());
    else
        ++m_unlisted;
    m_usable = m_usable && usable;
}

void TSentenceMaterial::Diagnose()
{
    const qsizetype whole = m_passages.size() / PassageLayout::Size;
    if (whole < PassageCount) {
        AddProblem(false, [&] {
            return Prefix() +
                   QStringLiteral("holds %1 whole passages, but %2 are needed.").arg(whole).arg(PassageCount);
        });
    }
    m_passages.truncate(whole * PassageLayout::Size);
    for (int i = 0; i < whole; ++i)
        CheckPassage(i);
    CheckListIds();
}

void TSentenceMaterial::CheckPassage(int index)
{
    const TPassageRecord passage(m_passages.constData() + index * PassageLayout::Size);
    for (int j = 0; j < PassageLayout::SentenceCount; ++j) {
        const auto sentence = [&] {
            return QStringLiteral("The sentence material file %1, passage %2 (id %3), sentence %4: ")
                .arg(m_name)
                .arg(index + 1)
                .arg(passage.Id())
                .arg(j + 1);
        };
        const bool textTerminated = passage.TextTerminated(j);
        const QString text = textTerminated ? passage.Text(j) : QString();
        if (!textTerminated)
            AddProblem(false, [&] { return sentence() + QStringLiteral("the text has no terminating zero byte."); });
        for (int k = 0; k < PassageLayout::KeyWordCount; ++k) {
            if (!passage.KeyWordTerminated(j, k)) {
                AddProblem(false, [&] {
                    return sentence() + QStringLiteral("key word %1 has no terminating zero byte.").arg(k + 1);
                });
            } else if (textTerminated && FindKeyWord(text, passage.KeyWord(j, k)) < 0) {
                AddProblem(true, [&] {
                    return sentence() + QStringLiteral("key word %1 \"%2\" does not occur in the text \"%3\".")
                                            .arg(k + 1)
                                            .arg(passage.KeyWord(j, k), text);
                });
            }
        }
        // Played as one byte each, a time no CD has would wrap into another
        // stretch without any error.
        bool onDisc = true;
        for (const auto &bound : {std::pair{"starts", passage.Start(j)}, std::pair{"ends", passage.End(j)}}) {
            if (!IsCdTime(bound.second)) {
                AddProblem(false, [&] {
                    return sentence() + QStringLiteral("the stretch %1 at %2, which is no time on a CD.")
                                            .arg(QLatin1String(bound.first), CdTimeText(bound.second));
                });
                onDisc = false;
            }
        }
        if (onDisc && passage.End(j) <= passage.Start(j)) {
            AddProblem(true, [&] {
                return sentence() + QStringLiteral("the stretch ends at %1 but starts at %2.")
                                        .arg(CdTimeText(passage.End(j)), CdTimeText(passage.Start(j)));
            });
        }
    }
}

void TSentenceMaterial::CheckListIds()
{
    const auto need = [this](qint32 id, const auto &list) {
        if (!FindPassage(id)) {
            AddProblem(false, [&] {
                return Prefix() + QStringLiteral("lacks passage %1, which the %2 uses.").arg(id).arg(list());
            });
        }
    };
    for (int c = 0; c < ConditionCount; ++c)
        need(PracticeListTable[c].FirstPassageId,
             [c] { return QStringLiteral("practice list of %1").arg(ConditionName(c)); });
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        for (int c = 0; c < ConditionCount; ++c) {
            const auto list = [m, c] {
                return QStringLiteral("test list of %1 in MDB %2").arg(ConditionName(c)).arg(m + 1);
            };
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
