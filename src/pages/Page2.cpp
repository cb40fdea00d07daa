// SPDX-License-Identifier: GPL-3.0-or-later
#include "Page2.h"

#include "PageStyle.h"
#include "TypingWatcher.h"
#include "controls/LimitedMemo.h"
#include "controls/RadioGroupKeys.h"
#include "record/Conditions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>


using namespace PageStyle;

namespace {

const QColor PageColour(223, 255, 240);
const QColor PanelColour(208, 224, 239);
const QColor Red(255, 0, 0);

QGroupBox *AddGroup(QWidget *parent, const QString &title, int x, int y, int width, int height)
{
    auto *group = new QGroupBox(title, parent);
    group->setGeometry(x, y, width, height);
    SetBackground(group, PanelColour);
    return group;
}

} // namespace

TfmPage2::TfmPage2(TPageContext &context, QWidget *parent) : TPageForm(parent), m_context(context)
{
    setWindowTitle(QStringLiteral("Select Test Conditions"));
    SetUpPage(this, PageColour);
    resize(630, 326);

    SetPointSize(AddLabel(this, QStringLiteral("Select Test  Conditions:"), 12, 8), 12);
    AddLabel(this, QStringLiteral("Client:"), 260, 14);
    NameLabel = AddLabel(this, QString(), 300, 14);
    NameLabel->resize(320, 14);

    CheckPracticeBlock = new QCheckBox(QStringLiteral("Play &Practice Block"), this);
    CheckPracticeBlock->setGeometry(12, 40, 140, 18);
    connect(CheckPracticeBlock, &QCheckBox::clicked, this, [this] { m_context.MarkModified(); });

    GroupBox1 = AddGroup(this, QStringLiteral("Select &Modified Dual Block"), 12, 64, 180, 64);
    m_sessions = new QButtonGroup(this);
    for (int m = 0; m < 4; ++m) {
        MdbLabels[m] = AddLabel(GroupBox1, QString::number(m + 1), 22 + 40 * m, 20);
        MdbLabels[m]->setAlignment(Qt::AlignCenter);
        MdbLabels[m]->resize(16, 14);
        ChooseSession[m] = new QRadioButton(GroupBox1);
        ChooseSession[m]->setGeometry(22 + 40 * m, 38, 18, 18);
        ChooseSession[m]->setAccessibleName(QStringLiteral("MDB %1").arg(m + 1));
        MdbLabels[m]->setBuddy(ChooseSession[m]);
        m_sessions->addButton(ChooseSession[m], m);
    }
    connect(m_sessions, &QButtonGroup::idClicked, this, &TfmPage2::ChooseSessionClick);
    new TRadioGroupKeys(m_sessions->buttons(), this);

    GroupBox2 = AddGroup(this, QStringLiteral("H-&Sentences"), 12, 136, 86, 110);
    GroupBox3 = AddGroup(this, QStringLiteral("L-S&entences"), 106, 136, 86, 110);
    for (int c = 0; c < Conditions::Count; ++c) {
        const bool high = Conditions::TalkerOf(c) == Conditions::TTalker::High;
        const QString snr = QStringLiteral("%1 SNR").arg(Conditions::SnrOf(c));
        auto *box = new QCheckBox(snr, high ? GroupBox2 : GroupBox3);
        box->setGeometry(10, 22 + 21 * Conditions::RowOf(c), 70, 18);
        box->setAccessibleName((high ? QStringLiteral("H-Sentences ") : QStringLiteral("L-Sentences ")) + snr);
        connect(box, &QCheckBox::clicked, this, [this] { m_context.MarkModified(); });
        ConditionBoxes[c] = box;
    }
    ToggleHighButton = AddButton(this, QStringLiteral("&Toggle H-Sens"), 12, 252, 86);
    ToggleLowButton = AddButton(this, QStringLiteral("Toggle &L-Sens"), 106, 252, 86);
    connect(ToggleHighButton, &QPushButton::clicked, this, [this] { Toggle(0, m_toggleHigh); });
    connect(ToggleLowButton, &QPushButton::clicked, this, [this] { Toggle(4, m_toggleLow); });

    for (int m = 0; m < 4; ++m) {
        const int x = 206 + 208 * (m % 2);
        const int y = 40 + 124 * (m / 2);
        SessionCommentsMemos[m] = new TLimitedMemo(255, this);
        SessionCommentsMemos[m]->setGeometry(x, y + 16, 200, 96);
        SessionCommentsMemos[m]->setAccessibleName(QStringLiteral("Comments for MDB %1").arg(m + 1));
        AddLabel(this, QStringLiteral("Comments for Modified Dual Block &%1").arg(m + 1), x, y)
            ->setBuddy(SessionCommentsMemos[m]);
    }

    BackButton = AddButton(this, QStringLiteral("&Back"), 458, 294);
    BackButton->setToolTip(QStringLiteral("Return to client information screen"));
    Button2 = AddButton(this, QStringLiteral("&Next"), 540, 294);
    Button2->setToolTip(QStringLiteral("Proceed to calibration screen"));
    connect(BackButton, &QPushButton::clicked, this, &TfmPage2::BackButtonClick);
    connect(Button2, &QPushButton::clicked, this, &TfmPage2::Button2Click);

    // Typing into a comment marks the file modified; the boxes mark it when
    // they are clicked.
    auto *typing = new TTypingWatcher([this] { m_context.MarkModified(); }, this);
    typing->Watch(this);
}

void TfmPage2::FormShow()
{
    for (int m = 0; m < 4; ++m) {
        const bool completed = m_context.Record.Mdb(m).Completed();
        if (completed)
            SetBackground(MdbLabels[m], Red);
        else
            MdbLabels[m]->setAutoFillBackground(false);
        // Said as well as shown: red is no help to a screen reader.
        ChooseSession[m]->setAccessibleDescription(completed ? QStringLiteral("completed") : QString());
    }
    m_toggleHigh = true;
    m_toggleLow = true;
    // Proposing a different MDB each time spreads the blocks over clients.
    m_context.Record.SetCurrentMdb(m_context.State.ProposeMdb());
    LoadFromRecord();
    Button2->setFocus();
}

void TfmPage2::FormHide()
{
    StoreToRecord();
}

void TfmPage2::LoadFromRecord()
{
    const TClientRecord &record = m_context.Record;
    NameLabel->setText(ClientNameText(record));
    CheckPracticeBlock->setChecked(record.PlayPracticeBlock());
    const int mdb = record.CurrentMdb();
    ShowConditions(mdb);
    ChooseSession[qBound(0, mdb, 3)]->setChecked(true);
    for (int m = 0; m < 4; ++m)
        SessionCommentsMemos[m]->setPlainText(record.Mdb(m).Comments().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TfmPage2::ShowConditions(int mdb)
{
    const TConstMdbBlock block = m_context.Record.Mdb(mdb);
    for (int c = 0; c < 8; ++c) {
        QCheckBox *box = ConditionBoxes[c];
        box->setChecked(false);
        SetBackground(box, block.Tested(c) ? Red : PanelColour);
        box->setAccessibleDescription(block.Tested(c) ? QStringLiteral("tested") : QString());
    }
}

void TfmPage2::StoreConditions(int mdb)
{
    TMdbBlock block = m_context.Record.Mdb(mdb);
    for (int c = 0; c < 8; ++c)
        block.SetSelected(c, ConditionBoxes[c]->isChecked());
}

void TfmPage2::StoreToRecord()
{
    TClientRecord &record = m_context.Record;
    record.SetPlayPracticeBlock(CheckPracticeBlock->isChecked());
    if (m_sessions->checkedId() >= 0)
        record.SetCurrentMdb(m_sessions->checkedId());
    StoreConditions(record.CurrentMdb());
    for (int m = 0; m < 4; ++m)
        record.Mdb(m).SetComments(SessionCommentsMemos[m]->toPlainText());
}

void TfmPage2::ChooseSessionClick(int mdb)
{
    StoreConditions(m_context.Record.CurrentMdb());
    m_context.Record.SetCurrentMdb(mdb);
    ShowConditions(mdb);
}

void TfmPage2::Toggle(int firstCondition, bool &state)
{
    for (int c = firstCondition; c < firstCondition + 4; ++c)
        ConditionBoxes[c]->setChecked(!state);
    state = !state;
}

void TfmPage2::BackButtonClick()
{
    m_context.Post(WM_SHOWCLIENTINFO);
}

void TfmPage2::Button2Click()
{
    StoreToRecord();
    const TConstMdbBlock block = m_context.Record.Mdb(m_context.Record.CurrentMdb());
    bool anySelected = false;
    bool retest = false;
    for (int c = 0; c < 8; ++c) {
        anySelected = anySelected || block.Selected(c);
        retest = retest || (block.Selected(c) && block.Tested(c));
    }
    if (!anySelected) {
        m_context.Prompts.ShowError(QStringLiteral("You need to select at least one SNR to continue."));
        return;
    }
    if (retest &&
        !m_context.Prompts.AskYesNo(
            QStringLiteral("One of the selected conditions has already been tested.  Do you wish to test anyway?")))
        return;
    m_context.Post(WM_SHOWCALIBRATION);
}
