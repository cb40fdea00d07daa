// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageContext.h"
#include "PageForm.h"
#include "administration/TestRun.h"

#include <array>

class IMediaPlayer;
class QLabel;
class QPushButton;
class QToolButton;
class TKeyWordButton;
class TMarkLegend;
class TSentenceMaterial;
class TTestPageSpeech;

// The test administration page: plays the sentences of each list of a run,
// lets the clinician mark their key words with the mouse or the keyboard, and
// scores and saves each list the moment its last sentence is passed.
class TfmVEKTest : public TPageForm, private IRecordKeeper, private IRunJournal
{
    Q_OBJECT

public:
    static constexpr int MaxSentences = TPage::MaxSentences;
    static constexpr int KeyWordCount = PassageLayout::KeyWordCount;
    static constexpr int TextLeft = 110;
    static constexpr int RowHeight = 30;
    static constexpr int ButtonTopBase = 15;

    // The material is read once at start-up; its status says whether a run
    // can be given from it.
    TfmVEKTest(TPageContext &context, IMediaPlayer &player, const TSentenceMaterial &material,
               QWidget *parent = nullptr);

    int CurrentPage() const { return m_run.CurrentPage(); }
    int PageCount() const { return m_run.PageCount(); }
    int CurrentSentence() const { return m_run.CurrentSentence(); }
    int SentenceCount() const { return m_run.Page().SentenceCount; }
    int RowTop() const { return m_rowTop; }
    TWordMark Mark(int sentence, int word) const { return m_run.Mark(sentence, word); }

    QWidget *PlayPanel;
    QToolButton *MoveUpButton;
    QToolButton *PlayButton;
    QToolButton *CorrectButton;
    QToolButton *DoneButton;
    QLabel *PageNoLabel;
    QLabel *HighLowLabel;
    QLabel *SNRLabel;
    QLabel *MDBLabel;
    QLabel *PracticeLabel;
    QLabel *SilentLabel;
    TMarkLegend *MarkLegend;
    // Why there is nothing to give: no condition selected, or no material.
    QLabel *NoRunLabel;
    QPushButton *AbortButton;
    QPushButton *NextPageButton;
    QPushButton *Done2Button;
    std::array<QLabel *, MaxSentences> SentenceLabels;
    // WordButtons[k][j]: key word k of sentence j.
    std::array<std::array<TKeyWordButton *, MaxSentences>, KeyWordCount> WordButtons;

signals:
    // The run has ended and the clinician may use the other pages again; Done
    // leaves the graph page's button as it was.
    void PageButtonsReleased(bool graphButtonToo);
    // Marks changed after the run had ended: the other pages wait until the
    // list is scored again.
    void PageButtonsHeld();

protected:
    void FormShow() override;
    void FormHide() override;

private:
    void CreateControls();
    void CreateSentenceRows();
    void CreateShortcuts();
    void ShowThePage();
    void LayOutThePage();
    void PlaceKeyWord(int sentence, int word);
    void ShowListLabels();
    void ShowNoRun(const QString &reason);
    void ShowRunState();

    void PlayButtonClick();
    void SentenceMediaPlayerNotify();
    void DoneButtonClick();
    void MoveUpButtonClick();
    void CorrectButtonClick();
    void AbortButtonClick();
    void NextPageButtonClick();
    void Done2ButtonClick();
    void WordButtonRelease(int sentence, int word, TMarkButton button);
    void KeyWordKey(int place, TMarkButton button);
    void PlayBroken();

    bool SaveRecord() override;
    void MarkModified() override;
    void Started(RunJournal::TRunStart start) override;
    void Step(const QByteArray &line) override;
    void Ended() override;
    void JournalFailed(const QString &reason);

    TPageContext &m_context;
    IMediaPlayer &SentenceMediaPlayer;
    TTestRun m_run;
    TTestPageSpeech *m_speech;
    int m_rowTop = 16;
    bool m_playerReady = false;
    // View Scores or Done gave the other pages back.
    bool m_pagesReleased = false;
    bool m_toldJournalFailure = false;
};
