// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageContext.h"

#include "PageForm.h"

class QLineEdit;
class QPushButton;
class TLimitedMemo;

// The client information page: who the client is, when and by whom the test
// is given, and free comments.
class TfmClientInfo : public TPageForm
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 1080;

    explicit TfmClientInfo(TPageContext &context, QWidget *parent = nullptr);

    void LoadFromRecord();
    void StoreToRecord();

    QLineEdit *EditLastName;
    QLineEdit *EditFirstName;
    QLineEdit *EditMI;
    QLineEdit *EditID;
    QLineEdit *EditTestDate;
    QLineEdit *EditDOB;
    QLineEdit *EditClinician;
    TLimitedMemo *Memo1;
    QPushButton *NextButton;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    void NextButtonClick();

    TPageContext &m_context;
};
