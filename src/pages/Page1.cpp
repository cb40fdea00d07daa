// SPDX-License-Identifier: GPL-3.0-or-later
#include "Page1.h"

#include "PageStyle.h"
#include "TypingWatcher.h"
#include "controls/InputNote.h"
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

    // The edits hold no more than their record fields have room for. Each
    // label's letter (Alt with it) takes the cursor to its box.
    auto *note = new TInputNote(this);
    note->move(16, 280);
    const auto addField = [panel, note](const char *caption, const char *name, int maxLength, int x, int y,
                                        int width) {
        QLineEdit *edit = AddEdit(panel, maxLength, x, y + 16, width);
        note->Watch(edit);
        edit->setAccessibleName(QLatin1String(name));
        AddLabel(panel, QLatin1String(caption), x, y)->setBuddy(edit);
        return edit;
    };
    EditLastName = addField("&Last Name:", "Last name", 17, 12, 12, 150);
    EditFirstName = addField("Fi&rst Name:", "First name", 17, 176, 12, 150);
    EditMI = addField("&MI:", "Middle initial", 1, 340, 12, 30);
    EditID = addField("I&D#:", "ID number", 10, 384, 12, 100);
    EditTestDate = addField("&Test Date:", "Test date", 10, 12, 60, 100);
    EditDOB = addField("Date of &Birth:", "Date of birth", 16, 126, 60, 130);
    EditClinician = addField("&Clinician:", "Clinician", 24, 270, 60, 200);

    Memo1 = new TLimitedMemo(255, panel);
    Memo1->setGeometry(12, 124, 572, 98);
    Memo1->setAccessibleName(QStringLiteral("Comments"));
    AddLabel(panel, QStringLiteral("C&omments (max 255 chars)"), 12, 108)->setBuddy(Memo1);

    NextButton = AddButton(this, QStringLiteral("&Next"), 539, 286);
    NextButton->setToolTip(QStringLiteral("Proceed to select test conditions"));
    connect(NextButton, &QPushButton::clicked, this, &TfmClientInfo::NextButtonClick);

    auto *typing = new TTypingWatcher([this] { m_context.MarkModified(); }, this);
    typing->Watch(this);
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
