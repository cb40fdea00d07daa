// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListScoring.h"
#include "RunJournal.h"
#include "RunList.h"
#include "Sentence.h"
#include "WordMark.h"
#include "record/ClientRecord.h"
#include "record/Status.h"

class TSentenceMaterial;

// Where the run's changes to the record go: the client file, or the mark that
// the record differs from it.
class IRecordKeeper
{
public:
    virtual ~IRecordKeeper() = default;
    // Writes the whole record to its file (nothing for an untitled record);
    // false when the write failed, which the keeper has reported.
    virtual bool SaveRecord() = 0;
    virtual void MarkModified() = 0;
};

// Where the steps of a run are written as they are taken, so that the run
// outlives whatever ends the program.
class IRunJournal
{
public:
    virtual ~IRunJournal() = default;
    // A run began; the journal adds the client file it belongs to.
    virtual void Started(RunJournal::TRunStart start) = 0;
    virtual void Step(const QByteArray &line) = 0;
    // Finished, aborted or given up: nothing is left to take up.
    virtual void Ended() = 0;
};

// Which of the test page's actions can be taken.
struct TRunButtons
{
    bool Play = false;
    bool MoveUp = false;
    bool MoveDown = false;
    bool Correct = false;
    bool Abort = false;
    bool ViewScores = false;
    bool Done = false;

    friend bool operator==(const TRunButtons &, const TRunButtons &) = default;
};

// One run of the test: the lists of the current MDB's selected conditions,
// the sentence in hand, what has been played and how it was marked, and what
// each step of the clinician does to the record.
class TTestRun
{
public:
    static constexpr int KeyWordCount = PassageLayout::KeyWordCount;

    enum class TMoveDown {
        Refused,   // nothing to pass, or the list's score could not be saved
        Sentence,  // on to the next sentence of the list
        List,      // the list was scored and the next one laid out
        RunEnded,  // the last list was scored
        Stopped,   // the next list could not be loaded: see NoRunReason
    };

    TTestRun(TClientRecord &record, const TSentenceMaterial &material, IRecordKeeper &keeper);

    // Optional; it must outlive the run.
    void SetJournal(IRunJournal *journal) { m_journal = journal; }

    // Starts a run of the current MDB. An error is a failure to report; a run
    // that cannot start leaves the record as it was, and says why.
    TStatus Start();
    // The page was left: the list in hand stays unscored.
    void Leave();

    bool HasRun() const { return m_run.PageCount > 0; }
    QString NoRunReason() const { return m_noRunReason; }
    int PageCount() const { return m_run.PageCount; }
    int CurrentPage() const { return m_currentPage; }
    int CurrentSentence() const { return m_currentSentence; }
    const TRunEntry &CurrentEntry() const { return m_run.Page(m_currentPage); }
    const TPage &Page() const { return m_page; }
    bool IsPractice() const { return m_page.SentenceCount < TPage::MaxSentences; }
    TWordMark Mark(int sentence, int word) const { return m_marks[sentence][word]; }
    bool Playing() const { return m_playing; }
    // The last list is scored and its score matches the marks.
    bool Ended() const { return m_ended; }
    // View Scores or Done gave the other pages back, and the marks still
    // match the scores: nothing the page shows is left unscored.
    bool Finished() const { return m_finished; }

    // The page's buttons; Play needs a player that opened.
    TRunButtons Buttons(bool playerOpen) const;

    bool CurrentPlayed() const { return m_page.Sentences[m_currentSentence].Played; }
    // The current sentence's play has begun: its words are marked wrong.
    void PlayStarted();
    // The play ended with the whole stretch heard.
    void PlayEnded();
    // The play never began, or broke off: the sentence is as before it, and
    // must be played again before it can be passed.
    void PlayFailed();

    TMoveDown MoveDown();
    void MoveUp();
    void MarkAllCorrect();
    // A mouse button released over a key word; only the current sentence's
    // words take it. False when nothing was marked.
    bool MarkWord(int sentence, int word, TMarkButton button);

    // Gives the list in hand up: the scores stored before the run come back
    // into its slot, and the file follows only if the run had written it.
    void Abort();
    // View Scores and Done: the run's conditions are tested.
    void Finish();

private:
    void SetMarks(int sentence, const TSentenceMarks &marks);
    void Reopen();
    bool ScoreList();
    bool LoadCurrentPage();
    void Stop(const QString &reason);
    // A condition of the run is tested exactly while its test list has a score.
    void MarkTestedByScores();
    void Journal(const QByteArray &line);
    void JournalMarks();
    void JournalEnded();

    TClientRecord &m_record;
    const TSentenceMaterial &m_material;
    IRecordKeeper &m_keeper;
    IRunJournal *m_journal = nullptr;
    // From the run's start to its end; steps after it (a move up after the
    // last list) belong to no run that could be taken up.
    bool m_journalOpen = false;
    // The record as the run found it, for what Abort puts back.
    TClientRecord m_atStart;
    TRunList m_run;
    TPage m_page;
    TPageMarks m_marks{};
    TSentenceMarks m_marksBeforePlay{};
    QString m_noRunReason;
    int m_currentPage = 1;
    int m_currentSentence = 0;
    bool m_playing = false;
    bool m_ended = false;
    bool m_finished = false;
    // A list's score reached the file during this run.
    bool m_saved = false;
};
