// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscFingerprint.h"
#include "DiscSource.h"
#include "StretchSound.h"
#include "Tmsf.h"

#include <QStringList>

#include <functional>
#include <stop_token>

class TSentenceMaterial;

// Whether a disc (drive or image) holds what the sentence material and the
// calibration expect of it, so that a wrong disc or a bad rip is found
// before a client hears it. Every frame of every stretch is read and must
// sound as a recording of speech in a pause does; with the fingerprint of
// the clinic's original, every stretch must hold the original's samples.
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
    // calibration stretch. A stop request ends the check before its next
    // read. With original, each stretch is held against it too.
    TDiscCheck(IDiscSource &disc, const TSentenceMaterial &material, std::stop_token stop = {},
               const TProgress &progress = {}, const TDiscFingerprint *original = nullptr);

    // A check that was stopped has not shown the disc to be good.
    bool Passed() const { return !m_cancelled && m_problems.isEmpty(); }
    bool Cancelled() const { return m_cancelled; }
    // One sentence each.
    const QStringList &Problems() const { return m_problems; }
    // The stretches a drive had to read again or mend, and how often: not
    // wrong, but a sign of a disc that wants cleaning.
    QStringList Rereads() const;
    // The ids of the passages with a sentence that fails, rising.
    const QList<qint32> &FailingPassages() const { return m_failingPassages; }
    int SentencesChecked() const { return m_sentences; }
    // All the lists' sentences, checked or not.
    int SentenceCount() const { return m_sentenceCount; }

    // One stretch as it was heard: the calibration (Passage -1) or a
    // sentence.
    struct TStretch
    {
        qint32 Passage = -1;
        int Sentence = 0; // 0 to 4
        QString Name;
        TStretchSound Sound;
        int Rereads = 0; // by the drive
    };
    // The stretches read to their end, calibration first.
    const std::vector<TStretch> &Stretches() const { return m_stretches; }

    // The whole check of the disc device names (see OpenDisc), told in
    // words for the clinician. A sheet with NAME.fingerprint beside it is
    // held against that.
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

    // The fingerprint beside device, when it is a sheet that has one;
    // reason tells when one is there but cannot be read.
    static std::optional<TDiscFingerprint> FingerprintOf(const QString &device, QString &reason);

private:
    // Reads the stretch to its end into stretch.Sound; empty when it could
    // be read and holds the original's samples, or when the check was
    // stopped before it was read to the end.
    QString ReadStretch(quint32 from, quint32 to, TStretch &stretch);
    // What is wrong with how the stretch sounds; empty when nothing.
    static QString SoundProblem(const TStretch &stretch);
    void CheckLevels();
    void Fail(qint32 passage, const QString &problem);

    IDiscSource &m_disc;
    std::stop_token m_stop;
    const TDiscFingerprint *m_original;
    QStringList m_problems;
    QList<qint32> m_failingPassages;
    std::vector<TStretch> m_stretches;
    int m_sentences = 0;
    int m_sentenceCount = 0;
    bool m_cancelled = false;
};
