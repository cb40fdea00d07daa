// SPDX-License-Identifier: GPL-3.0-or-later
#include "Page3.h"

#include "ClientFileSave.h"
#include "KeyWordButton.h"
#include "MarkLegend.h"
#include "PageStyle.h"
#include "PlayerMessages.h"
#include "administration/RunJournalFile.h"
#include "TestPageSpeech.h"
#include "cdaudio/MediaPlayer.h"
#include "cdaudio/Tmsf.h"
#include "controls/LightPalette.h"
#include "drawing/SentenceFont.h"
#include "record/Conditions.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <utility>

using namespace PageStyle;

namespace {

constexpr int TestRowTop = 16;
constexpr int PracticeRowTop = 40;
constexpr int PanelButtonsTop = 3;

QToolButton *AddPanelButton(QWidget *panel, QStyle::StandardPixmap glyph, int x, const QString &hint)
{
    auto *button = new QToolButton(panel);
    button->setIcon(panel->style()->standardIcon(glyph));
    button->setAutoRaise(true);
    button->setGeometry(x, PanelButtonsTop, 25, 25);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    // The focus stays on Abort, so that the scoring keys never reach a button.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// Wide enough for the longest text each label shows ("Page 16 of 16", "SNR: 15").
QLabel *AddInfoLabel(QWidget *page, const QString &text, int x, int width, const QString &hint = QString())
{
    QLabel *label = AddLabel(page, text, x, 326);
    QFont font = label->font();
    font.setPixelSize(16);
    label->setFont(font);
    label->resize(width, 20);
    label->setToolTip(hint);
    return label;
}


quint32 Position(const TCdTime &time)
{
    return MakeTmsf(time.Track, time.Minutes, time.Seconds);
}

} // namespace

TfmVEKTest::TfmVEKTest(TPageContext &context, IMediaPlayer &player, const TSentenceMaterial &material,
                       QWidget *parent)
    : TPageForm(parent), m_context(context), SentenceMediaPlayer(player), m_run(context.Record, material, *this),
      m_speech(new TTestPageSpeech(this))
{
    setWindowTitle(QStringLiteral("VEK Test"));
    SetUpPage(this, LightButtonFace());
    resize(630, 356);
    m_run.SetJournal(this);
    CreateControls();
    CreateSentenceRows();
    CreateShortcuts();
    connect(&SentenceMediaPlayer, &IMediaPlayer::Notify, this, &TfmVEKTest::SentenceMediaPlayerNotify);
}

void TfmVEKTest::CreateControls()
{
    PlayPanel = new QWidget(this);
    PlayPanel->setGeometry(0, TestRowTop - 4, 110, 35);
    MoveUpButton = AddPanelButton(PlayPanel, QStyle::SP_ArrowUp, 2, QStringLiteral("Move up one sentence (Up or U)"));
    PlayButton = AddPanelButton(PlayPanel, QStyle::SP_MediaPlay, 28, QStringLiteral("Play current sentence (P)"));
    CorrectButton =
        AddPanelButton(PlayPanel, QStyle::SP_DialogApplyButton, 55, QStringLiteral("Mark all words as correct (C)"));
    DoneButton =
        AddPanelButton(PlayPanel, QStyle::SP_ArrowDown, 82, QStringLiteral("Move down one sentence (Down or N)"));
    PlayButton->setEnabled(false);
    connect(MoveUpButton, &QToolButton::clicked, this, &TfmVEKTest::MoveUpButtonClick);
    connect(PlayButton, &QToolButton::clicked, this, &TfmVEKTest::PlayButtonClick);
    connect(CorrectButton, &QToolButton::clicked, this, &TfmVEKTest::CorrectButtonClick);
    connect(DoneButton, &QToolButton::clicked, this, &TfmVEKTest::DoneButtonClick);

    PageNoLabel = AddInfoLabel(this, QStringLiteral("Page 1 of 1"), 12, 112);
    HighLowLabel = AddInfoLabel(this, QStringLiteral("H-Sens"), 130, 64);
    SNRLabel = AddInfoLabel(this, QString(), 200, 74, QStringLiteral("Current signal tp noise ratio"));
    MDBLabel = AddInfoLabel(this, QString(), 280, 74, QStringLiteral("Currently selected Modified Dual Block"));

    PracticeLabel = AddLabel(this, QStringLiteral("Practice"), 275, 7);
    PracticeLabel->setFont(SentenceFont::Font());
    PracticeLabel->adjustSize();
    PracticeLabel->hide();

    // A run without sound is chosen, never fallen into; the clinician sees it.
    SilentLabel = AddLabel(this, QStringLiteral("Silent output"), 380, 7);
    SilentLabel->setFont(SentenceFont::Font());
    SilentLabel->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0)"));
    SilentLabel->adjustSize();
    SilentLabel->hide();
    MarkLegend = new TMarkLegend(this);
    MarkLegend->setFont(PageNoLabel->font());
    MarkLegend->setGeometry(QRect(QPoint(12, 352), MarkLegend->sizeHint()));

    NoRunLabel = AddLabel(this, QString(), TextLeft, TestRowTop);
    NoRunLabel->setWordWrap(true);
    NoRunLabel->setGeometry(TextLeft, TestRowTop, 500, 60);
    NoRunLabel->hide();

    AbortButton = AddButton(this, QStringLiteral("&Abort"), 383, 322);
    AbortButton->setToolTip(QStringLiteral("Return to test conditions"));
    NextPageButton = AddButton(this, QStringLiteral("&View Scores"), 463, 322);
    NextPageButton->setToolTip(QStringLiteral("Display scores for all sessions"));
    Done2Button = AddButton(this, QStringLiteral("Done"), 543, 322);
    connect(AbortButton, &QPushButton::clicked, this, &TfmVEKTest::AbortButtonClick);
    connect(NextPageButton, &QPushButton::clicked, this, &TfmVEKTest::NextPageButtonClick);
    connect(Done2Button, &QPushButton::clicked, this, &TfmVEKTest::Done2ButtonClick);
}

void TfmVEKTest::CreateSentenceRows()
{
    const QFont font = SentenceFont::Font();
    for (int j = 0; j < MaxSentences; ++j) {
        auto *label = new QLabel(this);
        label->setFont(font);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
        label->setPalette(palette);
        label->setGeometry(TextLeft, TestRowTop + RowHeight * j, SentenceFont::Room, 25);
        label->setFocusPolicy(Qt::ClickFocus);
        label->hide();
        SentenceLabels[j] = label;
    }
    for (int k = 0; k < KeyWordCount; ++k) {
        for (int j = 0; j < MaxSentences; ++j) {
            auto *button = new TKeyWordButton(this);
            button->setFont(font);
            button->setGeometry(0, ButtonTopBase + RowHeight * j, 0, 25);
            button->hide();
            connect(button, &TKeyWordButton::Released, this,
                    [this, j, k](TMarkButton mouse) { WordButtonRelease(j, k, mouse); });
            WordButtons[k][j] = button;
        }
    }
}

void TfmVEKTest::CreateShortcuts()
{
    // The clinician watches the client, not the mouse. Each key does what its
    // button does, and nothing while the button is disabled.
    const auto addKey = [this](QKeyCombination key, auto action) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, action);
    };
    const auto clickKey = [&](Qt::Key key, QToolButton *button) { addKey(key, [button] { button->click(); }); };
    clickKey(Qt::Key_P, PlayButton);
    clickKey(Qt::Key_Down, DoneButton);
    clickKey(Qt::Key_N, DoneButton);
    clickKey(Qt::Key_Up, MoveUpButton);
    clickKey(Qt::Key_U, MoveUpButton);
    clickKey(Qt::Key_C, CorrectButton);
    for (int k = 0; k < KeyWordCount; ++k) {
        const auto digit = Qt::Key(Qt::Key_1 + k);
        addKey(digit, [this, k] { KeyWordKey(k, TMarkButton::Left); });
        addKey(Qt::SHIFT | digit, [this, k] { KeyWordKey(k, TMarkButton::Right); });
    }
}

void TfmVEKTest::KeyWordKey(int place, TMarkButton button)
{
    // The keys count the key words as the clinician reads them, from the
    // left, whatever order the material lists them in. A key word its text
    // lacks has no button to click, so no key either.
    const int sentence = CurrentSentence();
    std::array<int, KeyWordCount> shown{};
    int count = 0;
    for (int k = 0; k < KeyWordCount; ++k) {
        if (WordButtons[k][sentence]->isVisible())
            shown[count++] = k;
    }
    std::stable_sort(shown.begin(), shown.begin() + count,
                     [&](int a, int b) { return WordButtons[a][sentence]->x() < WordButtons[b][sentence]->x(); });
    if (place < count)
        WordButtonRelease(sentence, shown[place], button);
}

void TfmVEKTest::FormShow()
{
    // The messages below wait for the clinician over this page: it shows the
    // new run already, not what the previous one left.
    m_playerReady = false;
    m_pagesReleased = false;
    MDBLabel->setText(QStringLiteral("MDB: %1").arg(m_context.Record.CurrentMdb() + 1));
    const TStatus started = m_run.Start();
    // The focus goes to the first sentence, which a screen reader then says.
    m_speech->Reset();
    ShowThePage();
    if (!m_run.HasRun())
        AbortButton->setFocus();

    // A run that cannot start (no material, no condition) says why, alone:
    // the disc and the player are not asked about as well.
    const bool discPresent = started && SentenceMediaPlayer.IsCdPresent();
    if (started && !discPresent)
        m_context.Prompts.ShowError(NoDiscText());
    const bool opened = discPresent && SentenceMediaPlayer.Open();
    if (discPresent && !opened)
        m_context.Prompts.ShowMessage(PlayerErrorText(SentenceMediaPlayer));
    if (!started)
        m_context.Prompts.ShowError(started.message());
    m_playerReady = discPresent && opened;
    SilentLabel->setVisible(opened && SentenceMediaPlayer.Silent());
    ShowRunState();
}

void TfmVEKTest::FormHide()
{
    m_run.Leave();
    SentenceMediaPlayer.Stop();
    SentenceMediaPlayer.Close();
}

void TfmVEKTest::ShowNoRun(const QString &reason)
{
    PageNoLabel->setText(QStringLiteral("Page 0 of 0"));
    HighLowLabel->clear();
    SNRLabel->clear();
    NoRunLabel->setText(reason);
    NoRunLabel->show();
}

void TfmVEKTest::ShowThePage()
{
    LayOutThePage();
    if (m_run.HasRun()) {
        NoRunLabel->hide();
        PageNoLabel->setText(QStringLiteral("Page %1 of %2").arg(CurrentPage()).arg(PageCount()));
        ShowListLabels();
    } else {
        ShowNoRun(m_run.NoRunReason());
    }
    ShowRunState();
}

void TfmVEKTest::LayOutThePage()
{
    for (QLabel *label : SentenceLabels) {
        label->clear();
        label->hide();
    }
    for (auto &row : WordButtons) {
        for (TKeyWordButton *button : row) {
            button->SetCaption(QString());
            button->hide();
        }
    }
    const TPage &page = m_run.Page();
    PracticeLabel->setVisible(m_run.HasRun() && m_run.IsPractice());
    m_rowTop = m_run.IsPractice() ? PracticeRowTop : TestRowTop;
    for (int j = 0; j < page.SentenceCount; ++j) {
        // Every key word must be on the page to be seen and clicked.
        const QFont font = SentenceFont::Fitting(page.Sentences[j].Text);
        QLabel *label = SentenceLabels[j];
        label->setFont(font);
        label->setText(page.Sentences[j].Text);
        label->move(TextLeft, m_rowTop + RowHeight * j);
        label->show();
        for (int k = 0; k < KeyWordCount; ++k) {
            WordButtons[k][j]->setFont(font);
            PlaceKeyWord(j, k);
        }
    }
}

void TfmVEKTest::PlaceKeyWord(int sentence, int word)
{
    const TSentence &s = m_run.Page().Sentences[sentence];
    TKeyWordButton *button = WordButtons[word][sentence];
    const QString caption = u' ' + s.KeyWords[word] + u' ';
    const QFontMetrics metrics(button->font());
    button->SetCaption(caption);
    // Where " word " first stands in " text ": the characters before it are
    // the blank and the text up to the word's own blank.
    const qsizetype before = FindKeyWord(s.Text, s.KeyWords[word]);
    if (before < 0)
        return;
    const QString line = u' ' + s.Text + u' ';
    const int left = metrics.horizontalAdvance(line.left(before)) + TextLeft - 3;
    const int top = m_rowTop + RowHeight * sentence - 1;
    button->setGeometry(left, top, metrics.horizontalAdvance(caption) - 6, 25);
    button->SetSentence(s.Text, QPoint(TextLeft - left, m_rowTop + RowHeight * sentence - top));
    button->show();
    button->raise();
}

void TfmVEKTest::ShowListLabels()
{
    const int condition = Conditions::ConditionOfSlot(m_run.CurrentEntry().ListSlot);
    HighLowLabel->setText(Conditions::TalkerName(Conditions::TalkerOf(condition)));
    SNRLabel->setText(QStringLiteral("SNR: %1").arg(Conditions::SnrOf(condition)));
}

// Everything the page shows of the run but its sentences: where the panel
// stands, the marks, and which buttons can be used.
void TfmVEKTest::ShowRunState()
{
    if (m_pagesReleased && !m_run.Finished()) {
        m_pagesReleased = false;
        emit PageButtonsHeld();
    }
    PlayPanel->move(0, CurrentSentence() * RowHeight + m_rowTop - 4);
    PlayPanel->setEnabled(m_run.HasRun());
    for (int j = 0; j < SentenceCount(); ++j) {
        for (int k = 0; k < KeyWordCount; ++k)
            WordButtons[k][j]->SetMark(Mark(j, k));
    }
    const TRunButtons buttons = m_run.Buttons(m_playerReady);
    PlayButton->setEnabled(buttons.Play);
    MoveUpButton->setEnabled(buttons.MoveUp);
    DoneButton->setEnabled(buttons.MoveDown);
    CorrectButton->setEnabled(buttons.Correct);
    AbortButton->setEnabled(buttons.Abort);
    NextPageButton->setEnabled(buttons.ViewScores);
    Done2Button->setEnabled(buttons.Done);
    if (m_run.HasRun()) {
        m_speech->SetListInfo(QStringList{PageNoLabel->text(), HighLowLabel->text(), SNRLabel->text(), MDBLabel->text()}
                                  .join(QStringLiteral(", ")));
        m_speech->SentenceCurrent(SentenceLabels[CurrentSentence()], CurrentPage(), CurrentSentence(), SentenceCount());
    }
}

void TfmVEKTest::PlayButtonClick()
{
    const TSentence &sentence = m_run.Page().Sentences[CurrentSentence()];
    if (m_run.CurrentPlayed() && !m_context.Prompts.AskYesNo(QStringLiteral("Do you wish to replay this sentence?")))
        return;
    m_run.PlayStarted();
    ShowRunState();
    if (!SentenceMediaPlayer.Play(Position(sentence.Start), Position(sentence.End), true)) {
        // No end of play will ever be reported: give the clinician the page
        // back as it was, the sentence's marks included.
        PlayBroken();
    }
}

void TfmVEKTest::PlayBroken()
{
    m_run.PlayFailed();
    ShowRunState();
    m_context.Prompts.ShowError(PlayerErrorText(SentenceMediaPlayer));
}

void TfmVEKTest::SentenceMediaPlayerNotify()
{
    // The player is shared with the calibration page, and a stopped play may
    // still report its end.
    if (!m_run.Playing())
        return;
    // The disc image cut short, the sound output gone: the client did not
    // hear the whole sentence, so it cannot count as played.
    if (SentenceMediaPlayer.ErrorCode() != 0) {
        PlayBroken();
        return;
    }
    m_run.PlayEnded();
    ShowRunState();
}

void TfmVEKTest::DoneButtonClick()
{
    DoneButton->setEnabled(false);
    const TTestRun::TMoveDown move = m_run.MoveDown();
    if (move == TTestRun::TMoveDown::List || move == TTestRun::TMoveDown::Stopped) {
        if (move == TTestRun::TMoveDown::Stopped)
            m_context.Prompts.ShowError(m_run.NoRunReason());
        ShowThePage();
    } else {
        ShowRunState();
    }
}

void TfmVEKTest::MoveUpButtonClick()
{
    m_run.MoveUp();
    ShowRunState();
}

void TfmVEKTest::CorrectButtonClick()
{
    m_run.MarkAllCorrect();
    // Marks given with it are as much the clinician's work as clicked ones.
    if (m_run.HasRun())
        m_context.MarkModified();
    ShowRunState();
    m_speech->AllCorrect(SentenceLabels[CurrentSentence()]);
}

void TfmVEKTest::WordButtonRelease(int sentence, int word, TMarkButton button)
{
    if (m_run.MarkWord(sentence, word, button)) {
        ShowRunState();
        m_speech->WordMarked(WordButtons[word][sentence]);
    }
}

void TfmVEKTest::AbortButtonClick()
{
    if (!m_context.Prompts.AskYesNo(QStringLiteral("Do you wish to abort this session?")))
        return;
    m_run.Abort();
    m_context.Post(WM_SHOWCONDITIONS);
}

void TfmVEKTest::NextPageButtonClick()
{
    emit PageButtonsReleased(true);
    m_run.Finish();
    m_pagesReleased = true;
    m_context.Post(WM_SHOWSCORES);
}

void TfmVEKTest::Done2ButtonClick()
{
    emit PageButtonsReleased(false);
    m_run.Finish();
    m_pagesReleased = true;
}

void TfmVEKTest::MarkModified()
{
    m_context.MarkModified();
}

bool TfmVEKTest::SaveRecord()
{
    TAppState &state = m_context.State;
    // An untitled record keeps its scores in memory until the clinician saves.
    if (state.FileName.isEmpty())
        return true;
    switch (SaveClientFile(m_context.Record, state, m_context.Prompts)) {
    case TSaveOutcome::Saved:
        state.ModifiedFlag = false;
        m_context.Post(WM_FILESAVED);
        return true;
    case TSaveOutcome::SaveAsChosen:
        if (m_context.SaveAs && m_context.SaveAs())
            return true;
        break;
    case TSaveOutcome::Declined:
        m_context.Prompts.ShowMessage(
            QStringLiteral("The scores are kept in this program only, not in %1. Save the client to keep them.")
                .arg(QFileInfo(state.FileName).fileName()));
        break;
    case TSaveOutcome::Failed:
        break;
    }
    // The record now differs from the file: closing must ask.
    m_context.MarkModified();
    return false;
}

void TfmVEKTest::Started(RunJournal::TRunStart start)
{
    const TAppState &state = m_context.State;
    start.ClientFile = state.FileName;
    if (state.FileStamp.IsOf(state.FileName)) {
        start.StampSize = state.FileStamp.Size;
        start.StampHash = state.FileStamp.Hash;
    }
    QString reason;
    if (!RunJournalFile::Begin(RunJournal::StartLine(start), reason))
        JournalFailed(reason);
}

void TfmVEKTest::Step(const QByteArray &line)
{
    QString reason;
    if (!RunJournalFile::Append(line, reason))
        JournalFailed(reason);
}

void TfmVEKTest::Ended()
{
    RunJournalFile::Remove();
}

void TfmVEKTest::JournalFailed(const QString &reason)
{
    // Once a program run: the test goes on, as it did before there was a journal.
    if (!std::exchange(m_toldJournalFailure, true))
        m_context.Prompts.ShowError(reason + QStringLiteral(". The steps of this test are not kept: if the program "
                                                            "ends before the run does, it cannot be taken up again."));
}
