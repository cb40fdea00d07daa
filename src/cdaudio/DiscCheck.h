// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscSource.h"
#include "Tmsf.h"

#include <QStringList>

class TSentenceMaterial;

// Whether a disc (drive or image) holds what the sentence material and the
// calibration expect of it, so that a wrong disc or a bad rip is found
// before a client hears it.
class TDiscCheck
{
public:
    // The calibration stretch: track 1 from 0:03 to 0:18.
    static constexpr quint32 CalibrationStart = MakeTmsf(1, 0, 3);
    static constexpr quint32 CalibrationEnd = MakeTmsf(1, 0, 18);

    // Checks every sentence of every passage the lists use, and the
    // calibration stretch: each must lie in an audio track and not be
    // silent.
    TDiscCheck(IDiscSource &disc, const TSentenceMaterial &material);

    bool Passed() const { return m_problems.isEmpty(); }
    // One sentence each.
    const QStringList &Problems() const { return m_problems; }
    // The ids of the passages with a sentence that fails, rising.
    const QList<qint32> &FailingPassages() const { return m_failingPassages; }
    int SentencesChecked() const { return m_sentences; }

    // The whole check of the disc device names (see OpenDisc), told in
    // words for the clinician.
    struct TReport
    {
        bool Passed = false;
        QString Text;
    };
    static TReport Run(const QString &device, const TSentenceMaterial &material);

private:
    // Empty when the stretch can be played and is not silent.
    QString StretchProblem(quint32 from, quint32 to);

    IDiscSource &m_disc;
    QStringList m_problems;
    QList<qint32> m_failingPassages;
    int m_sentences = 0;
};
