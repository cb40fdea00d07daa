// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PassageRecord.h"
#include "record/Status.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

class QIODevice;

// The 72 passages of the sentence material file, read once. Material that
// cannot serve a test run (missing or short file, a text without its zero
// byte, a sentence position that is no time on a CD, a passage a list needs
// but the file lacks) leaves the material unusable with a message that says
// why; nothing outside the loaded bytes is ever read.
class TSentenceMaterial
{
public:
    static constexpr int PassageCount = 72;
    static constexpr qsizetype FileSize = PassageCount * PassageLayout::Size;
    static inline const QString FileName = QStringLiteral("VEKPSGS.DAT");

    // Messages name the file by its name part.
    TStatus LoadPassages(const QString &path);
    TStatus LoadPassages(QIODevice &device, const QString &name = FileName);

    // Ok once material has loaded that every list can be built from.
    const TStatus &Status() const { return m_status; }

    // The problems found, one sentence each: those that make the material
    // unusable, and those that would only spoil a sentence (a key word its
    // text does not contain, a stretch that does not end after it starts).
    // The first MaxListedProblems are listed, then one sentence counts the
    // rest; the first that makes the material unusable is always listed first.
    const QStringList &Problems() const { return m_problems; }
    static constexpr int MaxListedProblems = 50;

    // The first passage in file order with this id.
    std::optional<TPassageRecord> FindPassage(qint32 id) const;
    // The passage at this place in the file, 0 first; none past what loaded.
    std::optional<TPassageRecord> PassageAt(int index) const;

private:
    void Diagnose();
    void CheckPassage(int index);
    void CheckListIds();
    // Describe builds the sentence only if it is listed: a damaged file
    // can hold thousands of problems.
    template <typename Describe>
    void AddProblem(bool usable, const Describe &describe);
    QString Prefix() const;

    QString m_name = FileName;
    QByteArray m_passages;
    TStatus m_status = TStatus::Error(QStringLiteral("The sentence material file VEKPSGS.DAT has not been read."));
    QStringList m_problems;
    bool m_usable = false;
    int m_unlisted = 0;
};
