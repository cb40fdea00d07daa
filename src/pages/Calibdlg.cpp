// SPDX-License-Identifier: GPL-3.0-or-later
#include "Calibdlg.h"

#include "PageStyle.h"
#include "PlayerMessages.h"
#include "TypingWatcher.h"
#include "cdaudio/MediaPlayer.h"
#include "controls/RadioGroupKeys.h"

#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace PageStyle;

const quint32 TfmCalibDialog::CalibrationStart = TDiscCheck::CalibrationStart;
const quint32 TfmCalibDialog::CalibrationEnd = TDiscCheck::CalibrationEnd;

namespace {

// Lets no typed character but a digit in. Keys that type nothing (Tab,
// Delete, backspace, Ctrl+C and the like) keep their work.
class TDigitsOnly : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
            const QString text = key->text();
            const bool typed = !command && !text.isEmpty() && text.front().isPrint();
            if (typed && !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TfmCalibDialog::TfmCalibDialog(TPageContext &context, IMediaPlayer &player, QWidget *parent)
    : TPageForm(parent), m_context(context), MediaPlayer1(player)
{
    setWindowTitle(QStringLiteral("VEK Calibration"));
    SetUpPage(this, QColor(239, 208, 191));
    resize(630, 326);

    SetPointSize(AddLabel(this, QStringLiteral("Calibration"), 16, 10), 12);
    AddLabel(this, QStringLiteral("Client:"), 16, 48);
    NameLabel = AddLabel(this, QString(), 60, 48);
    NameLabel->resize(400, 14);
    SessionLabel = AddLabel(this, QString(), 16, 68);
    SessionLabel->resize(200, 14);

    auto *levels = new QGroupBox(QStringLiteral("Levels"), this);
    levels->setGeometry(16, 96, 250, 120);
    EditHigh = AddEdit(levels, 32767, 70, 24, 50);
    AddLabel(levels, QStringLiteral("H-S&ens"), 16, 28)->setBuddy(EditHigh);
    EditLow = AddEdit(levels, 32767, 70, 56, 50);
    AddLabel(levels, QStringLiteral("&L-Sens"), 16, 60)->setBuddy(EditLow);
    EditLow->installEventFilter(new TDigitsOnly(this));
    ChoosedBSPL = new QRadioButton(QStringLiteral("dB S&PL"), levels);
    ChoosedBSPL->setGeometry(150, 26, 80, 18);
    ChoosedBHL = new QRadioButton(QStringLiteral("&dB HL"), levels);
    ChoosedBHL->setGeometry(150, 58, 80, 18);
    connect(ChoosedBSPL, &QRadioButton::toggled, this, &TfmCalibDialog::NameLevels);
    new TRadioGroupKeys({ChoosedBSPL, ChoosedBHL}, this);
    NameLevels();

    // The levels and their unit are the client's data: changing them must
    // not be lost without a question.
    auto *typing = new TTypingWatcher([this] { m_context.MarkModified(); }, this);
    typing->Watch(levels);
    for (QRadioButton *unit : {ChoosedBSPL, ChoosedBHL}) {
        connect(unit, &QRadioButton::clicked, this, [this] {
            if (ChoosedBSPL->isChecked() != m_context.Record.LevelsInSpl())
                m_context.MarkModified();
        });
    }

    Button1 = AddButton(this, QStringLiteral("&Start Calibration Track"), 300, 120, 170, 30);
    connect(Button1, &QPushButton::clicked, this, &TfmCalibDialog::Button1Click);
    CheckDiscButton = AddButton(this, QStringLiteral("&Check Disc"), 300, 160, 170, 30);
    CheckDiscButton->setToolTip(
        QStringLiteral("Check that every sentence and the calibration stretch play from the disc"));
    CheckDiscButton->hide();
    connect(CheckDiscButton, &QPushButton::clicked, this, &TfmCalibDialog::CheckDiscButtonClick);

    BackButton = AddButton(this, QStringLiteral("&Back"), 458, 286);
    BackButton->setToolTip(QStringLiteral("Return to select test conditions"));
    NextButton = AddButton(this, QStringLiteral("&Next"), 539, 286);
    NextButton->setToolTip(QStringLiteral("Proceed to VEK test"));
    connect(BackButton, &QPushButton::clicked, this, [this] { m_context.Post(WM_SHOWCONDITIONS); });
    connect(NextButton, &QPushButton::clicked, this, [this] { m_context.Post(WM_RUNTEST); });

    connect(&MediaPlayer1, &IMediaPlayer::Notify, this, &TfmCalibDialog::MediaPlayer1Notify);
}

// A screen reader says what a level is and in which unit.
void TfmCalibDialog::NameLevels()
{
    const QString unit = ChoosedBSPL->isChecked() ? QStringLiteral("dB SPL") : QStringLiteral("dB HL");
    EditHigh->setAccessibleName(QStringLiteral("H-Sens talker level, ") + unit);
    EditLow->setAccessibleName(QStringLiteral("L-Sens talker level, ") + unit);
}

void TfmCalibDialog::FormShow()
{
    m_calibrationPlaying = false;
    if (!MediaPlayer1.Open())
        m_context.Prompts.ShowMessage(PlayerErrorText(MediaPlayer1));
    LoadFromRecord();
    Button1->setFocus();
}

void TfmCalibDialog::FormHide()
{
    StoreToRecord();
    if (m_calibrationPlaying) {
        StopCalibration();
        MediaPlayer1.Stop();
    }
    MediaPlayer1.Close();
}

void TfmCalibDialog::LoadFromRecord()
{
    const TClientRecord &record = m_context.Record;
    const int mdb = record.CurrentMdb();
    NameLabel->setText(ClientNameText(record));
    SessionLabel->setText(QStringLiteral("Modified Dual Block %1").arg(mdb + 1));
    EditHigh->setText(QString::number(record.HighTalkerLevel(mdb)));
    EditLow->setText(QString::number(record.LowTalkerLevel(mdb)));
    ChoosedBHL->setChecked(true);
    if (record.LevelsInSpl())
        ChoosedBSPL->setChecked(true);
}

void TfmCalibDialog::StoreToRecord()
{
    TClientRecord &record = m_context.Record;
    const int mdb = record.CurrentMdb();
    const auto store = [this](const QLineEdit *edit, auto set) {
        bool ok = false;
        const int level = edit->text().trimmed().toInt(&ok);
        if (ok)
            set(level);
        else
            m_context.Prompts.ShowError(QStringLiteral("'%1' is not a valid integer value").arg(edit->text()));
    };
    store(EditHigh, [&](int level) { record.SetHighTalkerLevel(mdb, level); });
    store(EditLow, [&](int level) { record.SetLowTalkerLevel(mdb, level); });
    record.SetLevelsInSpl(ChoosedBSPL->isChecked());
}

void TfmCalibDialog::PlayCalibration()
{
    MediaPlayer1.PlayLoop(CalibrationStart, CalibrationEnd);
}

void TfmCalibDialog::StopCalibration()
{
    MediaPlayer1.Stop();
    m_calibrationPlaying = false;
    Button1->setText(QStringLiteral("&Start Calibration Track"));
}

void TfmCalibDialog::Button1Click()
{
    if (m_calibrationPlaying) {
        StopCalibration();
        return;
    }
    PlayCalibration();
    m_calibrationPlaying = true;
    Button1->setText(QStringLiteral("&Stop Calibration Track"));
}

void TfmCalibDialog::SetDiscCheck(TDiscCheckRun check)
{
    m_checkDisc = std::move(check);
    CheckDiscButton->setVisible(bool(m_checkDisc));
}

// The check reads the disc itself, which a drive cannot do while it plays.
// On a scratched disc a drive may retry for minutes: the check reads on a
// thread of its own, so that the window keeps answering and the clinician
// can cancel it.
void TfmCalibDialog::CheckDiscButtonClick()
{
    if (m_calibrationPlaying)
        StopCalibration();
    // Not even a key press of the page may start the loop or a second check
    // while this one runs.
    Button1->setEnabled(false);
    CheckDiscButton->setEnabled(false);
    std::stop_source stop;
    std::unique_ptr<IProgress> progress =
        m_context.Prompts.ShowProgress(QStringLiteral("Check Disc"), [&stop] { stop.request_stop(); });
    progress->SetProgress(QStringLiteral("Opening the disc…"), 0, 0);
    // Only these cross between the threads; -1 is a disc still opening.
    std::atomic<int> sentence = -1;
    std::atomic<int> sentences = 0;
    std::atomic<bool> done = false;
    TDiscCheck::TReport report;
    std::thread worker([&] {
        report = m_checkDisc(stop.get_token(), [&](int reached, int count) {
            sentences = count;
            sentence = reached;
        });
        done = true;
    });

    QEventLoop loop;
    QTimer poll;
    int shown = -1;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done) {
            loop.quit();
            return;
        }
        const int reached = sentence;
        if (reached == shown)
            return;
        shown = reached;
        if (reached == 0)
            progress->SetProgress(QStringLiteral("Checking the calibration stretch…"), 0, sentences + 1);
        else
            progress->SetProgress(QStringLiteral("Checking sentence %1 of %2…").arg(reached).arg(sentences), reached,
                                  sentences + 1);
    });
    poll.start(50);
    loop.exec();
    // A program that quits ends every event loop, this one too: the check
    // then stops after the read under way.
    if (!done)
        stop.request_stop();
    worker.join();
    progress.reset();
    Button1->setEnabled(true);
    CheckDiscButton->setEnabled(true);
    CheckDiscButton->setFocus();

    if (report.Passed || report.Cancelled)
        m_context.Prompts.ShowMessage(report.Text);
    else
        m_context.Prompts.ShowError(report.Text);
}

void TfmCalibDialog::MediaPlayer1Notify()
{
    if (!m_calibrationPlaying)
        return;
    // A loop that broke (the output lost, the disc unreadable) would only
    // break again.
    if (MediaPlayer1.ErrorCode() != 0) {
        StopCalibration();
        m_context.Prompts.ShowMessage(PlayerErrorText(MediaPlayer1));
        return;
    }
    PlayCalibration();
}
