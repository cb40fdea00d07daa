#include "AvekProgram.h"

#include "Winmain.h"
#include "cdaudio/CdAudioPlayer.h"
#include "cdaudio/CdDevice.h"
#include "pages/Calibdlg.h"
#include "pages/Page1.h"
#include "pages/Page2.h"
#include "pages/Page3.h"
#include "pages/Page4.h"
#include "pages/Viewgrph.h"

TAvekProgram::TAvekProgram() : fmWinMain(std::make_unique<TfmWinMain>(m_record, m_state, m_prompts))
{
    m_prompts.SetParent(fmWinMain.get());
    m_context = std::make_unique<TPageContext>(TPageContext{m_record, m_state, m_prompts, fmWinMain.get()});
    const QString device = ReadCdDevice(m_state.IniDirectory);
    // Playing without sound output would fool the clinician; say so once.
    const auto makePlayer = [this, &device] {
        auto player = std::make_unique<TCdAudioPlayer>(device);
        QObject::connect(player.get(), &TCdAudioPlayer::SilentOutput, fmWinMain.get(),
                         [this](const QString &message) { m_prompts.ShowMessage(message); });
        return player;
    };
    m_calibrationPlayer = makePlayer();
    m_sentencePlayer = makePlayer();

    QWidget *area = fmWinMain->WindowPanel;
    fmPage2 = new TfmPage2(*m_context, area);
    fmClientInfo = new TfmClientInfo(*m_context, area);
    fmCalibDialog = new TfmCalibDialog(*m_context, *m_calibrationPlayer, area);
    // Read once; what is wrong with it is shown when a run is started.
    m_material.LoadPassages(m_state.IniDirectory + TSentenceMaterial::FileName);
    fmVEKTest = new TfmVEKTest(*m_context, *m_sentencePlayer, m_material, area);
    fmScoresPrint = new TfmScoresPrint(*m_context, area);
    fmViewGraph = new TfmViewGraph(*m_context, area);
    fmWinMain->AttachPages({fmClientInfo, fmPage2, fmCalibDialog, fmVEKTest, fmScoresPrint, fmViewGraph});
}

// The window and its pages go first: a page that is still shown stops its
// player as it goes.
TAvekProgram::~TAvekProgram()
{
    fmWinMain.reset();
}
