// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListScoring.h"
#include "WordMark.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// The steps of a run as lines of text, one a step, each with its own
// checksum, so that a run ended by anything (a crash, kill -9, a power cut)
// can be told and taken up at its sentence. Reading trusts nothing: a line
// that is torn, damaged or out of order ends what is believed of the run.
namespace RunJournal {

struct TRunStart
{
    QString ClientFile; // empty for an untitled client
    qint64 StampSize = -1;
    QByteArray StampHash;
    int Mdb = 0;
    quint8 Conditions = 0; // bit c: condition c is selected
    bool Practice = false;

    friend bool operator==(const TRunStart &, const TRunStart &) = default;
};

// Where a run that did not end stood: its page and sentence, the marks of
// the page and which of its sentences were heard whole. A play under way
// when the run stopped counts as not played.
struct TInterrupted
{
    TRunStart Start;
    int Page = 1;
    int Sentence = 0;
    TPageMarks Marks{};
    std::array<bool, TPage::MaxSentences> Played{};
    // The lists scored before the page in hand.
    int ScoredPages = 0;
};

QByteArray StartLine(const TRunStart &start);
QByteArray PlayLine(int page, int sentence);
QByteArray PlayedLine(int page, int sentence, bool whole);
QByteArray MarkLine(int page, int sentence, const TSentenceMarks &marks);
QByteArray MoveLine(int page, int sentence);
QByteArray ScoreLine(int page);
// The run is over: finished, aborted or given up.
QByteArray EndLine();

struct TReading
{
    // nullopt: no run, or the run is over.
    std::optional<TInterrupted> Run;
    // Lines not believed, from the first bad one to the end.
    int RefusedLines = 0;
};

// Pure: any bytes in, no exception, no allocation beyond the input's size.
TReading Read(const QByteArray &bytes);

} // namespace RunJournal
