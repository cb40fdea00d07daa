// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageContext.h"

#include "PageForm.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TLimitedMemo;

// The test conditions page: which MDB, which conditions, whether practice
// lists come first, and the comments of each MDB.
class TfmPage2 : public TPageForm
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 1090;

    explicit TfmPage2(TPageContext &context, QWidget *parent = nullptr);

    void LoadFromRecord();
    void StoreToRecord();

    QLabel *NameLabel;
    QCheckBox *CheckPracticeBlock;
    QGroupBox *GroupBox1;
    std::array<QLabel *, 4> MdbLabels;          // MDB1Label .. MDB4Label
    std::array<QRadioButton *, 4> ChooseSession; // ChooseSession1 .. ChooseSession4
    QGroupBox *GroupBox2;
    QGroupBox *GroupBox3;
    // CheckHighSNR15, 10, 5, 0, then CheckLowSNR15, 10, 5, 0: condition order.
    std::array<QCheckBox *, 8> ConditionBoxes;
    QPushButton *ToggleHighButton;
    QPushButton *ToggleLowButton;
    std::array<TLimitedMemo *, 4> SessionCommentsMemos;
    QPushButton *BackButton;
    QPushButton *Button2;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    void ShowConditions(int mdb);
    void StoreConditions(int mdb);
    void ChooseSessionClick(int mdb);
    void Toggle(int firstCondition, bool &state);
    void BackButtonClick();
    void Button2Click();

    TPageContext &m_context;
    QButtonGroup *m_sessions;
    bool m_toggleHigh = true;
    bool m_toggleLow = true;
};
