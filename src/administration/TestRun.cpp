// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRun.h"

#include "SentenceMaterial.h"
#include "Snr50.h"
#include "record/Conditions.h"

#include <utility>

TTestRun::TTestRun(TClientRecord &record, const TSentenceMaterial &material, IRecordKeeper &keeper)
    : m_record(record), m_material(material), m_keeper(keeper)
{
}

TStatus TTestRun::Start()
{
    m_run = BuildRunList(m_record);
    m_currentPage = 1;
    m_currentSentence = 0;
    m_playing = false;
    m_ended = false;
    m_finished = false;
    m_saved = false;
    m_atStart.SetImage(m_record.Image());
    if (!m_material.Status()) {
        Stop(m_material.Status().message());
        return m_material.Status();
    }
    if (!HasRun()) {
        Stop(QStringLiteral("No condition is selected for MDB %1. Choose the conditions to test on the test "
                            "conditions page.")
                 .arg(m_record.CurrentMdb() + 1));
        return TStatus::Ok();
    }
    // A run is in progress; a run that cannot start leaves the MDB's
    // completed mark as it was.
    m_record.Mdb(m_record.CurrentMdb()).SetCompleted(false);
    if (!LoadCurrentPage())
        return TStatus::Error(m_noRunReason);
    if (m_journal) {
        RunJournal::TRunStart start;
        start.Mdb = m_record.CurrentMdb();
        for (int c = 0; c < Conditions::Count; ++c) {
            if (std::as_const(m_record).Mdb(start.Mdb).Selected(c))
                start.Conditions |= quint8(1u << c);
        }
        start.Practice = m_record.PlayPracticeBlock();
        m_journal->Started(start);
        m_journalOpen = true;
    }
    return TStatus::Ok();
}

void TTestRun::Journal(const QByteArray &line)
{
    if (m_journalOpen && HasRun())
        m_journal->Step(line);
}

void TTestRun::JournalMarks()
{
    Journal(RunJournal::MarkLine(m_currentPage, m_currentSentence, m_marks[m_currentSentence]));
}

void TTestRun::JournalEnded()
{
    if (std::exchange(m_journalOpen, false))
        m_journal->Ended();
}

void TTestRun::Leave()
{
    m_playing = false;
    JournalEnded();
}

bool TTestRun::LoadCurrentPage()
{
    if (const TStatus status = LoadPage(m_material, CurrentEntry(), m_page); !status) {
        Stop(status.message());
        return false;
    }
    m_marks = {};
    return true;
}

void TTestRun::Stop(const QString &reason)
{
    m_run = TRunList();
    m_page.SentenceCount = 0;
    m_marks = {};
    m_noRunReason = reason;
}

TRunButtons TTestRun::Buttons(bool playerOpen) const
{
    TRunButtons buttons;
    const bool panel = HasRun() && !m_playing;
    buttons.Play = panel && playerOpen;
    buttons.MoveUp = panel && m_currentSentence > 0;
    buttons.MoveDown = panel && !m_ended && CurrentPlayed();
    buttons.Correct = HasRun();
    buttons.Abort = !m_playing && !m_ended;
    buttons.ViewScores = m_ended;
    buttons.Done = m_ended;
    return buttons;
}

void TTestRun::PlayStarted()
{
    m_playing = true;
    m_marksBeforePlay = m_marks[m_currentSentence];
    Reopen();
    SetMarks(m_currentSentence, PlayedMarks());
    Journal(RunJournal::PlayLine(m_currentPage, m_currentSentence));
}

void TTestRun::PlayEnded()
{
    m_playing = false;
    m_page.Sentences[m_currentSentence].Played = true;
    Journal(RunJournal::PlayedLine(m_currentPage, m_currentSentence, true));
}

void TTestRun::PlayFailed()
{
    if (std::exchange(m_playing, false))
        Journal(RunJournal::PlayedLine(m_currentPage, m_currentSentence, false));
    m_marks[m_currentSentence] = m_marksBeforePlay;
}

// The last list was scored, but its marks are about to change: the run must
// not end on a score that no longer matches them.
void TTestRun::Reopen()
{
    m_ended = false;
    if (!m_finished)
        return;
    // The other pages would show the old score: they wait for the new one,
    // and the record may not be closed without a question.
    m_finished = false;
    m_keeper.MarkModified();
}

void TTestRun::SetMarks(int sentence, const TSentenceMarks &marks)
{
    if (marks != m_marks[sentence])
        Reopen();
    m_marks[sentence] = marks;
}

void TTestRun::MarkAllCorrect()
{
    if (HasRun()) {
        SetMarks(m_currentSentence, AllCorrectMarks());
        JournalMarks();
    }
}

bool TTestRun::MarkWord(int sentence, int word, TMarkButton button)
{
    if (!HasRun() || sentence != m_currentSentence)
        return false;
    TSentenceMarks marks = m_marks[sentence];
    marks[word] = MarkAfterRelease(marks[word], button);
    SetMarks(sentence, marks);
    JournalMarks();
    m_keeper.MarkModified();
    return true;
}

TTestRun::TMoveDown TTestRun::MoveDown()
{
    if (!Buttons(true).MoveDown)
        return TMoveDown::Refused;
    const bool lastSentence = m_currentSentence + 1 == m_page.SentenceCount;
    if (!lastSentence) {
        ++m_currentSentence;
        Journal(RunJournal::MoveLine(m_currentPage, m_currentSentence));
        return TMoveDown::Sentence;
    }
    if (m_currentPage == m_run.PageCount) {
        TMdbBlock block = m_record.Mdb(m_record.CurrentMdb());
        // Completed belongs in the file together with the last list's score:
        // the program may be closed from here.
        block.SetCompleted(true);
        if (!ScoreList()) {
            block.SetCompleted(false);
            return TMoveDown::Refused;
        }
        m_ended = true;
        // Every list is scored and in the record's file.
        JournalEnded();
        return TMoveDown::RunEnded;
    }
    if (!ScoreList())
        return TMoveDown::Refused;
    Journal(RunJournal::ScoreLine(m_currentPage));
    ++m_currentPage;
    m_currentSentence = 0;
    Journal(RunJournal::MoveLine(m_currentPage, m_currentSentence));
    return LoadCurrentPage() ? TMoveDown::List : TMoveDown::Stopped;
}

void TTestRun::MoveUp()
{
    if (m_playing || m_currentSentence <= 0)
        return;
    --m_currentSentence;
    // Until the last sentence is passed again, which scores the list again.
    m_ended = false;
    Journal(RunJournal::MoveLine(m_currentPage, m_currentSentence));
}

void TTestRun::Abort()
{
    if (!HasRun())
        return;
    TMdbBlock block = m_record.Mdb(m_record.CurrentMdb());
    const TConstMdbBlock before = std::as_const(m_atStart).Mdb(m_record.CurrentMdb());
    const int slot = CurrentEntry().ListSlot;
    block.SetProportion(slot, before.Proportion(slot));
    block.SetRau(slot, before.Rau(slot));
    block.SetWrau(slot, before.Wrau(slot));
    // Also after the last list had ended the run.
    block.SetCompleted(false);
    MarkTestedByScores();
    RecomputeSnr50(block);
    m_ended = false;
    JournalEnded();
    if (m_saved)
        m_keeper.SaveRecord();
    else if (m_record.Image().toByteArray() != m_atStart.Image().toByteArray())
        m_keeper.MarkModified();
}

void TTestRun::Finish()
{
    MarkTestedByScores();
    RecomputeSnr50(m_record.Mdb(m_record.CurrentMdb()));
    m_keeper.SaveRecord();
    m_finished = true;
    JournalEnded();
}

void TTestRun::MarkTestedByScores()
{
    TMdbBlock block = m_record.Mdb(m_record.CurrentMdb());
    for (int c = 0; c < Conditions::Count; ++c) {
        if (block.Selected(c))
            block.SetTested(c, block.Proportion(Conditions::TestSlot(c)) != NoScore);
    }
}

bool TTestRun::ScoreList()
{
    ScoreListIntoRecord(m_record, m_marks, m_page.SentenceCount, CurrentEntry().ListSlot);
    MarkTestedByScores();
    if (!m_keeper.SaveRecord())
        return false;
    m_saved = true;
    return true;
}
