#include "Calibdlg.h"

#include "PageStyle.h"
#include "PlayerMessages.h"
#include "cdaudio/DiscCheck.h"
#include "cdaudio/MediaPlayer.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace PageStyle;

const quint32 TfmCalibDialog::CalibrationStart = TDiscCheck::CalibrationStart;
const quint32 TfmCalibDialog::CalibrationEnd = TDiscCheck::CalibrationEnd;

namespace {

// Lets only digits and backspace be typed.
class TDigitsOnly : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent *>(event)->text();
            const bool digit = text.size() == 1 && text[0] >= u'0' && text[0] <= u'9';
            if (!text.isEmpty() && !digit && text != QStringLiteral("\b"))
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
    AddLabel(levels, QStringLiteral("H-Sens"), 16, 28);
    EditHigh = AddEdit(levels, 32767, 70, 24, 50);
    AddLabel(levels, QStringLiteral("L-Sens"), 16, 60);
    EditLow = AddEdit(levels, 32767, 70, 56, 50);
    EditLow->installEventFilter(new TDigitsOnly(this));
    ChoosedBSPL = new QRadioButton(QStringLiteral("dB SPL"), levels);
    ChoosedBSPL->setGeometry(150, 26, 80, 18);
    ChoosedBHL = new QRadioButton(QStringLiteral("dB HL"), levels);
    ChoosedBHL->setGeometry(150, 58, 80, 18);

    Button1 = AddButton(this, QStringLiteral("&Start Calibration Track"), 300, 120, 170, 30);
    connect(Button1, &QPushButton::clicked, this, &TfmCalibDialog::Button1Click);
    CheckDiscButton = AddButton(this, QStringLiteral("Check &Disc"), 300, 160, 170, 30);
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
    MediaPlayer1.Play(CalibrationStart, CalibrationEnd, true);
}

void TfmCalibDialog::StopCalibration()
{
    MediaPlayer1.Stop();
    m_calibrationPlaying = false;
    Button1->setText(QStringLiteral("Start Calibration Track"));
}

void TfmCalibDialog::Button1Click()
{
    if (m_calibrationPlaying) {
        StopCalibration();
        return;
    }
    PlayCalibration();
    m_calibrationPlaying = true;
    Button1->setText(QStringLiteral("Stop Calibration Track"));
}

void TfmCalibDialog::SetDiscCheck(TDiscCheckRun check)
{
    m_checkDisc = std::move(check);
    CheckDiscButton->setVisible(bool(m_checkDisc));
}

// The check reads the disc itself, which a drive cannot do while it plays.
void TfmCalibDialog::CheckDiscButtonClick()
{
    if (m_calibrationPlaying)
        StopCalibration();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto [passed, text] = m_checkDisc();
    QApplication::restoreOverrideCursor();
    if (passed)
        m_context.Prompts.ShowMessage(text);
    else
        m_context.Prompts.ShowError(text);
}

void TfmCalibDialog::MediaPlayer1Notify()
{
    if (m_calibrationPlaying)
        PlayCalibration();
}
