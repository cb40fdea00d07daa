#pragma once

#include "PageContext.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class TLimitedMemo;

// The client information page: who the client is, when and by whom the test
// is given, and free comments.
class TfmClientInfo : public QWidget
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
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void FormShow();
    void FormHide();
    void NextButtonClick();

    TPageContext &m_context;
};
