#include "AvekProgram.h"

#include "EndSignals.h"
#include "ProgramPages.h"
#include "Winmain.h"
#include "cdaudio/CdDevice.h"
#include "cdaudio/DiscCheck.h"
#include "cdaudio/SoundOutput.h"
#include "pages/Calibdlg.h"

TAvekProgram::TAvekProgram() : TAvekProgram(std::make_unique<TMessageBoxPrompts>(), nullptr, OpenSoundOutput)
{
}

TAvekProgram::TAvekProgram(IPrompts &prompts, TCdAudioPlayer::TSinkFactory makeSink)
    : TAvekProgram(nullptr, &prompts, makeSink)
{
}

TAvekProgram::TAvekProgram(std::unique_ptr<TMessageBoxPrompts> messageBoxes, IPrompts *prompts,
                           const TCdAudioPlayer::TSinkFactory &makeSink)
    : m_messageBoxes(std::move(messageBoxes)), m_prompts(prompts ? *prompts : *m_messageBoxes),
      fmWinMain(std::make_unique<TfmWinMain>(m_record, m_state, m_prompts))
{
    if (m_messageBoxes)
        m_messageBoxes->SetParent(fmWinMain.get());
    m_context = std::make_unique<TPageContext>(TPageContext{m_record, m_state, m_prompts, fmWinMain.get()});
    m_context->SaveAs = [this] { return fmWinMain->SaveFile(true); };
    const QString device = ReadCdDevice(m_state.IniDirectory);
    // Playing without sound output would fool the clinician; say so once.
    const auto makePlayer = [this, &device, &makeSink] {
        auto player = std::make_unique<TCdAudioPlayer>(device, makeSink);
        QObject::connect(player.get(), &TCdAudioPlayer::SilentOutput, fmWinMain.get(),
                         [this](const QString &message) { m_prompts.ShowMessage(message); });
        QObject::connect(player.get(), &TCdAudioPlayer::DiscNote, fmWinMain.get(),
                         [this](const QString &message) { m_prompts.ShowMessage(message); });
        return player;
    };
    m_calibrationPlayer = makePlayer();
    m_sentencePlayer = makePlayer();

    // Read once; what is wrong with it is shown when a run is started.
    m_material.LoadPassages(m_state.IniDirectory + TSentenceMaterial::FileName);
    m_pages = CreatePages(*fmWinMain, *m_context, *m_calibrationPlayer, *m_sentencePlayer, m_material);
    m_pages.fmCalibDialog->SetDiscCheck([this, device] {
        const TDiscCheck::TReport report = TDiscCheck::Run(device, m_material);
        return std::pair(report.Passed, report.Text);
    });
}

void TAvekProgram::KeepWorkOnEndSignals()
{
    m_endSignals = std::make_unique<TEndSignals>();
    QObject::connect(m_endSignals.get(), &TEndSignals::Received, fmWinMain.get(), [this](int signal) {
        fmWinMain->KeepUnsavedWork();
        TEndSignals::EndBy(signal);
    });
}

// The window and its pages go first: a page that is still shown stops its
// player as it goes.
TAvekProgram::~TAvekProgram()
{
    fmWinMain.reset();
}
