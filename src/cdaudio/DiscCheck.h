// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscSource.h"
#include "Tmsf.h"

#include <QStringList>

#include <functional>
#include <stop_token>

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

    // Told, on the thread that checks, before the calibration stretch
    // (sentence 0) and each sentence (1 to sentences) is read.
    using TProgress = std::function<void(int sentence, int sentences)>;

    // Checks every sentence of every passage the lists use, and the
    // calibration stretch: each must lie in an audio track and not be
    // silent. A stop request ends the check before its next read.
    TDiscCheck(IDiscSource &disc, const TSentenceMaterial &material, std::stop_token stop = {},
               const TProgress &progress = {});

    // A check that was stopped has not shown the disc to be good.
    bool Passed() const { return !m_cancelled && m_problems.isEmpty(); }
    bool Cancelled() const { return m_cancelled; }
    // One sentence each.
    const QStringList &Problems() const { return m_problems; }
    // The ids of the passages with a sentence that fails, rising.
    const QList<qint32> &FailingPassages() const { return m_failingPassages; }
    int SentencesChecked() const { return m_sentences; }
    // All the lists' sentences, checked or not.
    int SentenceCount() const { return m_sentenceCount; }

    // The whole check of the disc device names (see OpenDisc), told in
    // words for the clinician.
    struct TReport
    {
        bool Passed = false;
        // Stopped before the end with nothing found wrong so far: neither
        // passed nor failed. A stopped check that found a fault has failed.
        bool Cancelled = false;
        QString Text;
    };
    static TReport Run(const QString &device, const TSentenceMaterial &material, std::stop_token stop = {},
                       const TProgress &progress = {});

private:
    // Empty when the stretch can be played and is not silent, or when the
    // check was stopped before it was read to the end.
    QString StretchProblem(quint32 from, quint32 to);

    IDiscSource &m_disc;
    std::stop_token m_stop;
    QStringList m_problems;
    QList<qint32> m_failingPassages;
    int m_sentences = 0;
    int m_sentenceCount = 0;
    bool m_cancelled = false;
};
