#include "Page3.h"
#include "drawing/Fonts.h"

#include "KeyWordButton.h"
#include "PageStyle.h"
#include "PlayerMessages.h"
#include "administration/SentenceMaterial.h"
#include "administration/Snr50.h"
#include "cdaudio/MediaPlayer.h"
#include "cdaudio/Tmsf.h"
#include "record/ClientFileWriter.h"
#include "record/Conditions.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

using namespace PageStyle;

namespace {

constexpr int TestRowTop = 16;
constexpr int PracticeRowTop = 40;
constexpr int PanelButtonsTop = 3;

// "MS Sans Serif" 14 pt: the sentences, their key words and "Practice".
QFont SentenceFont()
{
    QFont font(FormFontFace);
    font.setPixelSize(19);
    return font;
}

QToolButton *AddPanelButton(QWidget *panel, QStyle::StandardPixmap glyph, int x, const QString &hint)
{
    auto *button = new QToolButton(panel);
    button->setIcon(panel->style()->standardIcon(glyph));
    button->setAutoRaise(true);
    button->setGeometry(x, PanelButtonsTop, 25, 25);
    button->setToolTip(hint);
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
    : TPageForm(parent), m_context(context), SentenceMediaPlayer(player), m_material(material)
{
    setWindowTitle(QStringLiteral("VEK Test"));
    SetUpPage(this, QApplication::palette().color(QPalette::Button));
    resize(630, 356);
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
    PracticeLabel->setFont(SentenceFont());
    PracticeLabel->adjustSize();
    PracticeLabel->hide();

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
    const QFont font = SentenceFont();
    for (int j = 0; j < MaxSentences; ++j) {
        auto *label = new QLabel(this);
        label->setFont(font);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
        label->setPalette(palette);
        label->setGeometry(TextLeft, TestRowTop + RowHeight * j, width() - TextLeft, 25);
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

void TfmVEKTest::KeyWordKey(int word, TMarkButton button)
{
    // A key word its text lacks has no button to click, so no key either.
    if (WordButtons[word][m_currentSentence]->isVisible())
        WordButtonRelease(m_currentSentence, word, button);
}

void TfmVEKTest::FormShow()
{
    const bool discPresent = SentenceMediaPlayer.IsCdPresent();
    if (!discPresent)
        m_context.Prompts.ShowError(NoDiscText());

    TClientRecord &record = m_context.Record;
    m_currentSentence = 0;
    m_playing = false;
    m_run = BuildRunList(record);
    m_currentPage = 1;

    MoveUpButton->setEnabled(false);
    NextPageButton->setEnabled(false);
    Done2Button->setEnabled(false);
    AbortButton->setEnabled(true);
    DoneButton->setEnabled(false);
    const bool opened = SentenceMediaPlayer.Open();
    if (!opened)
        m_context.Prompts.ShowMessage(PlayerErrorText(SentenceMediaPlayer));
    PlayButton->setEnabled(discPresent && opened);

    MDBLabel->setText(QStringLiteral("MDB: %1").arg(record.CurrentMdb() + 1));
    if (!m_material.Status()) {
        m_context.Prompts.ShowError(m_material.Status().message());
        StopRun(m_material.Status().message());
    } else if (!HasRun()) {
        StopRun(QStringLiteral("No condition is selected for MDB %1. Choose the conditions to test on the test "
                               "conditions page.")
                    .arg(record.CurrentMdb() + 1));
    } else {
        // A run is in progress; a page that cannot start one leaves the
        // MDB's completed mark as it was.
        record.Mdb(record.CurrentMdb()).SetCompleted(false);
        NoRunLabel->hide();
        PlayPanel->setEnabled(true);
        ShowThePage();
    }
    AbortButton->setFocus();
}

void TfmVEKTest::FormHide()
{
    m_playing = false;
    SentenceMediaPlayer.Stop();
    SentenceMediaPlayer.Close();
}

void TfmVEKTest::StopRun(const QString &reason)
{
    m_run = TRunList();
    m_page.SentenceCount = 0;
    LayOutThePage();
    PageNoLabel->setText(QStringLiteral("Page 0 of 0"));
    HighLowLabel->clear();
    SNRLabel->clear();
    PlayPanel->setEnabled(false);
    NoRunLabel->setText(reason);
    NoRunLabel->show();
}

void TfmVEKTest::ShowThePage()
{
    PageNoLabel->setText(QStringLiteral("Page %1 of %2").arg(m_currentPage).arg(m_run.PageCount));
    if (const TStatus status = LoadPage(m_material, CurrentEntry(), m_page); !status) {
        m_context.Prompts.ShowError(status.message());
        StopRun(status.message());
        return;
    }
    LayOutThePage();
    ShowListLabels();
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
    m_marks = {};
    const bool practice = m_page.SentenceCount < MaxSentences;
    PracticeLabel->setVisible(practice && HasRun());
    m_rowTop = practice ? PracticeRowTop : TestRowTop;
    MovePlayPanel();
    for (int j = 0; j < m_page.SentenceCount; ++j) {
        QLabel *label = SentenceLabels[j];
        label->setText(m_page.Sentences[j].Text);
        label->move(TextLeft, m_rowTop + RowHeight * j);
        label->show();
        for (int k = 0; k < KeyWordCount; ++k)
            PlaceKeyWord(j, k);
    }
}

void TfmVEKTest::PlaceKeyWord(int sentence, int word)
{
    const TSentence &s = m_page.Sentences[sentence];
    TKeyWordButton *button = WordButtons[word][sentence];
    const QString caption = u' ' + s.KeyWords[word] + u' ';
    const QFontMetrics metrics(button->font());
    button->SetCaption(caption);
    button->SetMark(TWordMark::NotPlayed);
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
    const int slot = CurrentEntry().ListSlot;
    const int condition = Conditions::ConditionOfSlot(slot);
    HighLowLabel->setText(Conditions::TalkerName(Conditions::TalkerOf(condition)));
    SNRLabel->setText(QStringLiteral("SNR: %1").arg(Conditions::SnrOf(condition)));
}

void TfmVEKTest::MovePlayPanel()
{
    PlayPanel->move(0, m_currentSentence * RowHeight + m_rowTop - 4);
}

void TfmVEKTest::SetMarks(int sentence, const TSentenceMarks &marks)
{
    if (marks != m_marks[sentence])
        ReopenLastList();
    m_marks[sentence] = marks;
    for (int k = 0; k < KeyWordCount; ++k)
        WordButtons[k][sentence]->SetMark(marks[k]);
}

void TfmVEKTest::PlayButtonClick()
{
    TSentence &sentence = m_page.Sentences[m_currentSentence];
    if (sentence.Played && !m_context.Prompts.AskYesNo(QStringLiteral("Do you wish to replay this sentence?")))
        return;
    ReopenLastList();
    PlayButton->setEnabled(false);
    MoveUpButton->setEnabled(false);
    DoneButton->setEnabled(false);
    AbortButton->setEnabled(false);
    m_playing = SentenceMediaPlayer.Play(Position(sentence.Start), Position(sentence.End), true);
    if (!m_playing) {
        // No end of play will ever be reported: give the clinician the page
        // back as it was, the sentence's marks included.
        m_context.Prompts.ShowError(PlayerErrorText(SentenceMediaPlayer));
        PlayButton->setEnabled(true);
        MoveUpButton->setEnabled(m_currentSentence != 0);
        DoneButton->setEnabled(sentence.Played);
        AbortButton->setEnabled(true);
        return;
    }
    SetMarks(m_currentSentence, PlayedMarks());
}

void TfmVEKTest::SentenceMediaPlayerNotify()
{
    // The player is shared with the calibration page, and a stopped play may
    // still report its end.
    if (!m_playing)
        return;
    m_playing = false;
    m_page.Sentences[m_currentSentence].Played = true;
    MoveUpButton->setEnabled(m_currentSentence != 0);
    PlayButton->setEnabled(true);
    DoneButton->setEnabled(true);
    AbortButton->setEnabled(true);
}

void TfmVEKTest::DoneButtonClick()
{
    DoneButton->setEnabled(false);
    const bool lastSentence = m_currentSentence + 1 == m_page.SentenceCount;
    if (lastSentence && m_currentPage == m_run.PageCount) {
        TMdbBlock block = m_context.Record.Mdb(m_context.Record.CurrentMdb());
        // Completed and the tested conditions belong in the file together with
        // the last list's score: the program may be closed from here.
        std::array<bool, MdbBlockLayout::ConditionCount> tested;
        for (int c = 0; c < MdbBlockLayout::ConditionCount; ++c)
            tested[c] = block.Tested(c);
        block.SetCompleted(true);
        MarkSelectedTested(block);
        if (!ScoreList()) {
            block.SetCompleted(false);
            for (int c = 0; c < MdbBlockLayout::ConditionCount; ++c)
                block.SetTested(c, tested[c]);
            DoneButton->setEnabled(true);
            return;
        }
        NextPageButton->setEnabled(true);
        Done2Button->setEnabled(true);
        AbortButton->setEnabled(false);
    } else if (!lastSentence) {
        ++m_currentSentence;
        MovePlayPanel();
        // Back at a sentence passed before, it may be passed again at once;
        // marks set without a play (Mark all correct, clicks) do not count.
        DoneButton->setEnabled(m_page.Sentences[m_currentSentence].Played);
        MoveUpButton->setEnabled(true);
    } else {
        if (!ScoreList()) {
            DoneButton->setEnabled(true);
            return;
        }
        ++m_currentPage;
        m_currentSentence = 0;
        ShowThePage();
        MoveUpButton->setEnabled(false);
        DoneButton->setEnabled(false);
    }
}

void TfmVEKTest::MoveUpButtonClick()
{
    if (m_currentSentence <= 0) {
        MoveUpButton->setEnabled(false);
        return;
    }
    --m_currentSentence;
    MovePlayPanel();
    DoneButton->setEnabled(true);
    MoveUpButton->setEnabled(m_currentSentence != 0);
    WithdrawRunEnd();
}

// Until the last sentence is passed again, which scores the last list again.
void TfmVEKTest::WithdrawRunEnd()
{
    NextPageButton->setEnabled(false);
    Done2Button->setEnabled(false);
    AbortButton->setEnabled(true);
}

// The last list was scored, but its marks are about to change: the run must
// not end on a score that no longer matches what the page shows.
void TfmVEKTest::ReopenLastList()
{
    if (!NextPageButton->isEnabled())
        return;
    WithdrawRunEnd();
    DoneButton->setEnabled(true);
}

void TfmVEKTest::CorrectButtonClick()
{
    SetMarks(m_currentSentence, AllCorrectMarks());
}

void TfmVEKTest::WordButtonRelease(int sentence, int word, TMarkButton button)
{
    if (sentence != m_currentSentence)
        return;
    TSentenceMarks marks = m_marks[sentence];
    marks[word] = MarkAfterRelease(marks[word], button);
    SetMarks(sentence, marks);
    m_context.MarkModified();
}

void TfmVEKTest::AbortButtonClick()
{
    if (!m_context.Prompts.AskYesNo(QStringLiteral("Do you wish to abort this session?")))
        return;
    if (HasRun()) {
        TClientRecord &record = m_context.Record;
        TMdbBlock block = record.Mdb(record.CurrentMdb());
        const int slot = CurrentEntry().ListSlot;
        block.SetProportion(slot, NoScore);
        block.SetRau(slot, NoScore);
        block.SetWrau(slot, NoScore);
        // Aborted in the last list after it had ended the run.
        block.SetCompleted(false);
        RecomputeSnr50(block);
        SaveRecord();
    }
    m_context.Post(WM_SHOWCONDITIONS);
}

void TfmVEKTest::EndRun()
{
    TClientRecord &record = m_context.Record;
    TMdbBlock block = record.Mdb(record.CurrentMdb());
    MarkSelectedTested(block);
    RecomputeSnr50(block);
    SaveRecord();
}

void TfmVEKTest::NextPageButtonClick()
{
    emit PageButtonsReleased(true);
    EndRun();
    m_context.Post(WM_SHOWSCORES);
}

void TfmVEKTest::Done2ButtonClick()
{
    emit PageButtonsReleased(false);
    EndRun();
}

void TfmVEKTest::MarkSelectedTested(TMdbBlock block)
{
    for (int c = 0; c < MdbBlockLayout::ConditionCount; ++c) {
        if (block.Selected(c))
            block.SetTested(c, true);
    }
}

bool TfmVEKTest::ScoreList()
{
    ScoreListIntoRecord(m_context.Record, m_marks, m_page.SentenceCount, CurrentEntry().ListSlot);
    return SaveRecord();
}

bool TfmVEKTest::SaveRecord()
{
    TAppState &state = m_context.State;
    // An untitled record keeps its scores in memory until the clinician saves.
    if (state.FileName.isEmpty())
        return true;
    if (const TStatus status = WriteClientFile(m_context.Record, state.FileName); !status) {
        m_context.Prompts.ShowError(status.message());
        // The record now differs from the file: closing must ask.
        m_context.MarkModified();
        return false;
    }
    state.ModifiedFlag = false;
    m_context.Post(WM_FILESAVED);
    return true;
}
