#include "Page1.h"

#include "PageStyle.h"
#include "TypingWatcher.h"
#include "controls/LimitedMemo.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace PageStyle;

TfmClientInfo::TfmClientInfo(TPageContext &context, QWidget *parent) : TPageForm(parent), m_context(context)
{
    setWindowTitle(QStringLiteral("Client Information "));
    SetUpPage(this, QColor(208, 224, 239));
    resize(630, 326);

    SetPointSize(AddLabel(this, QStringLiteral("Client Information"), 16, 10), 12);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(16, 36, 598, 236);
    SetBackground(panel, QColor(239, 208, 191));

    // The edits hold no more than their record fields have room for.
    AddLabel(panel, QStringLiteral("Last Name:"), 12, 12);
    EditLastName = AddEdit(panel, 17, 12, 28, 150);
    AddLabel(panel, QStringLiteral("First Name:"), 176, 12);
    EditFirstName = AddEdit(panel, 17, 176, 28, 150);
    AddLabel(panel, QStringLiteral("MI:"), 340, 12);
    EditMI = AddEdit(panel, 1, 340, 28, 30);
    AddLabel(panel, QStringLiteral("ID#:"), 384, 12);
    EditID = AddEdit(panel, 10, 384, 28, 100);

    AddLabel(panel, QStringLiteral("Test Date:"), 12, 60);
    EditTestDate = AddEdit(panel, 10, 12, 76, 100);
    AddLabel(panel, QStringLiteral("Date of Birth:"), 126, 60);
    EditDOB = AddEdit(panel, 16, 126, 76, 130);
    AddLabel(panel, QStringLiteral("Clinician:"), 270, 60);
    EditClinician = AddEdit(panel, 24, 270, 76, 200);

    AddLabel(panel, QStringLiteral("Comments (max 255 chars)"), 12, 108);
    Memo1 = new TLimitedMemo(255, panel);
    Memo1->setGeometry(12, 124, 572, 98);

    NextButton = AddButton(this, QStringLiteral("&Next"), 539, 286);
    NextButton->setToolTip(QStringLiteral("Proceed to select test conditions"));
    connect(NextButton, &QPushButton::clicked, this, &TfmClientInfo::NextButtonClick);

    auto *typing = new TTypingWatcher([this] { m_context.MarkModified(); }, this);
    typing->Watch(this);
    NextButton->removeEventFilter(typing);
}

void TfmClientInfo::LoadFromRecord()
{
    const TClientRecord &record = m_context.Record;
    EditLastName->setText(record.LastName());
    EditFirstName->setText(record.FirstName());
    EditMI->setText(record.MiddleInitial());
    EditID->setText(record.IdNumber());
    EditTestDate->setText(record.TestDate());
    EditDOB->setText(record.DateOfBirth());
    EditClinician->setText(record.Clinician());
    Memo1->setPlainText(QString(record.ClientComments()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TfmClientInfo::StoreToRecord()
{
    TClientRecord &record = m_context.Record;
    record.SetLastName(EditLastName->text());
    record.SetFirstName(EditFirstName->text());
    record.SetMiddleInitial(EditMI->text());
    record.SetIdNumber(EditID->text());
    record.SetTestDate(EditTestDate->text());
    record.SetDateOfBirth(EditDOB->text());
    record.SetClinician(EditClinician->text());
    record.SetClientComments(Memo1->toPlainText());
}

void TfmClientInfo::FormShow()
{
    LoadFromRecord();
    EditLastName->setFocus();
}

void TfmClientInfo::FormHide()
{
    StoreToRecord();
}

void TfmClientInfo::NextButtonClick()
{
    m_context.Post(WM_SHOWCONDITIONS);
}
