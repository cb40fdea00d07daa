// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageContext.h"

#include "PageForm.h"
#include "cdaudio/DiscCheck.h"

#include <functional>

class IMediaPlayer;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The calibration page: plays the calibration stretch of the CD in a loop,
// and keeps the talker levels of the current MDB and their unit.
class TfmCalibDialog : public TPageForm
{
    Q_OBJECT

public:
    // The calibration stretch: track 1 from 0:03 to 0:18.
    static const quint32 CalibrationStart;
    static const quint32 CalibrationEnd;

    TfmCalibDialog(TPageContext &context, IMediaPlayer &player, QWidget *parent = nullptr);

    void LoadFromRecord();
    // A level that is not a whole number is reported and the stored level is
    // kept; the other values are stored all the same.
    void StoreToRecord();

    bool CalibrationPlaying() const { return m_calibrationPlaying; }

    // Whether the disc serves the test, and the words that say so; without
    // one the page offers no check. It runs on a thread of its own, telling
    // progress and heeding stop as TDiscCheck does.
    using TDiscCheckRun =
        std::function<TDiscCheck::TReport(std::stop_token stop, const TDiscCheck::TProgress &progress)>;
    void SetDiscCheck(TDiscCheckRun check);

    QLabel *NameLabel;
    QLabel *SessionLabel;
    QLineEdit *EditHigh;
    QLineEdit *EditLow;
    QRadioButton *ChoosedBSPL;
    QRadioButton *ChoosedBHL;
    QPushButton *Button1;
    QPushButton *CheckDiscButton;
    QPushButton *BackButton;
    QPushButton *NextButton;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    void NameLevels();
    void Button1Click();
    void CheckDiscButtonClick();
    void MediaPlayer1Notify();
    void PlayCalibration();
    void StopCalibration();

    TPageContext &m_context;
    IMediaPlayer &MediaPlayer1;
    bool m_calibrationPlaying = false;
    TDiscCheckRun m_checkDisc;
};
