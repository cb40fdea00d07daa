// SPDX-License-Identifier: GPL-3.0-or-later
#include "AvekProgram.h"

#include "EndSignals.h"
#include "ProgramPages.h"
#include "Winmain.h"
#include "cdaudio/CdDevice.h"
#include "cdaudio/DiscCheck.h"
#include "cdaudio/NullSink.h"
#include "cdaudio/PulseSink.h"
#include "cdaudio/SoundOutput.h"
#include "pages/Calibdlg.h"
#include "record/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QInputDialog>

#include <algorithm>

namespace {

const QString OutputSection = QStringLiteral("CD");
const QString OutputKey = QStringLiteral("Output");

} // namespace

TAvekProgram::TAvekProgram() : TAvekProgram(std::make_unique<TMessageBoxPrompts>(), nullptr, nullptr)
{
}

TAvekProgram::TAvekProgram(IPrompts &prompts, TCdAudioPlayer::TSinkFactory makeSink)
    : TAvekProgram(nullptr, &prompts, makeSink)
{
}

TAvekProgram::TAvekProgram(std::unique_ptr<TMessageBoxPrompts> messageBoxes, IPrompts *prompts,
                           const TCdAudioPlayer::TSinkFactory &makeSink)
    : m_makeSink(makeSink), m_messageBoxes(std::move(messageBoxes)), m_prompts(prompts ? *prompts : *m_messageBoxes),
      fmWinMain(std::make_unique<TfmWinMain>(m_record, m_state, m_prompts))
{
    if (m_messageBoxes)
        m_messageBoxes->SetParent(fmWinMain.get());
    m_context = std::make_unique<TPageContext>(TPageContext{m_record, m_state, m_prompts, fmWinMain.get()});
    m_context->SaveAs = [this] { return fmWinMain->SaveFile(true); };
    if (!m_makeSink)
        m_makeSink = [this](QString &silentReason) {
            const QString device = Settings::ReadValue(m_state.IniDirectory, OutputSection, OutputKey);
            return OpenChosenOutput(device.isEmpty() ? TPulseSink::DefaultSink : device, silentReason);
        };
    QObject::connect(fmWinMain.get(), &TfmWinMain::SoundOutputRequested, fmWinMain.get(),
                     [this] { ChooseSoundOutput(); });
    const QString device = ReadCdDevice(m_state.IniDirectory);
    // Playing without sound output would fool the clinician; say so once.
    const auto makePlayer = [this, &device] {
        auto player = std::make_unique<TCdAudioPlayer>(
            device, [this](QString &silentReason) { return SharedOutput(silentReason); });
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
    m_pages.fmCalibDialog->SetDiscCheck([this, device](std::stop_token stop, const TDiscCheck::TProgress &progress) {
        return TDiscCheck::Run(device, m_material, std::move(stop), progress);
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

QString TAvekProgram::StartUpNotice() const
{
    const QString path = m_state.IniDirectory + TSentenceMaterial::FileName;
    if (QFileInfo::exists(path))
        return QString();
    return QStringLiteral("No sentence material was found. AVEK looked for %1 in the folder it was started in:\n"
                          "    %2\n"
                          "Tests cannot be given without it; client files can still be loaded and printed.\n\n"
                          "To try AVEK, make the demonstration set (not a clinical test) and start AVEK in its "
                          "folder:\n    avektool make-demo ~/avek-demo\n    cd ~/avek-demo && avek\n\n"
                          "For the clinic's own test CD, see \"The sentence material and the test CD\" in "
                          "AVEK's README (/usr/share/doc/avek/README.md).")
        .arg(TSentenceMaterial::FileName, QDir::toNativeSeparators(QDir::cleanPath(m_state.IniDirectory)));
}

// The window and its pages go first: a page that is still shown stops its
// player as it goes.
TAvekProgram::~TAvekProgram()
{
    fmWinMain.reset();
}

std::shared_ptr<IAudioSink> TAvekProgram::SharedOutput(QString &silentReason)
{
    if (!m_output)
        m_output = std::make_shared<TSoundOutput>(m_makeSink(m_silentReason));
    silentReason = m_silentReason;
    return m_output;
}

std::shared_ptr<IAudioSink> TAvekProgram::OpenChosenOutput(const QString &device, QString &silentReason)
{
    TOutputReport report;
    std::shared_ptr<IAudioSink> sink = OpenSoundOutput(device, report);
    silentReason = report.Silent ? QStringLiteral("[CD] Output=%1 in VEK.INI").arg(NoOutput) : QString();
    // Every play would fail with it; said once here as well, before a run.
    if (!report.Problem.isEmpty())
        m_prompts.ShowError(QStringLiteral("The sound output cannot be used: %1. Sentences cannot be played until "
                                           "it can (File > Sound Output).")
                                .arg(report.Problem));
    return sink;
}

QStringList TAvekProgram::SoundOutputNames()
{
    QString silentReason;
    SharedOutput(silentReason);
    QStringList names = m_output->DeviceNames();
    if (names.isEmpty())
        names << TPulseSink::DefaultSink;
    return names << NoOutput;
}

void TAvekProgram::SetSoundOutput(const QString &device)
{
    if (!Settings::WriteValue(m_state.IniDirectory, OutputSection, OutputKey, device))
        m_prompts.ShowError(QStringLiteral("The choice of sound output cannot be kept: the settings file %1 cannot "
                                           "be written.")
                                .arg(Settings::WritableSettingsPath(m_state.IniDirectory)));
    QString silentReason;
    SharedOutput(silentReason);
    // The old device goes first, so that the sound system is asked afresh
    // which devices there are.
    m_output->Switch(std::make_shared<TNullSink>());
    m_output->Switch(OpenChosenOutput(device, m_silentReason));
}

void TAvekProgram::ChooseSoundOutput()
{
    const QStringList names = SoundOutputNames();
    const QString current = Settings::ReadValue(m_state.IniDirectory, OutputSection, OutputKey);
    bool chosen = false;
    const QString device = QInputDialog::getItem(fmWinMain.get(), QStringLiteral("Sound Output"),
                                                 QStringLiteral("Play the CD through:"), names,
                                                 std::max(0, int(names.indexOf(current))), false, &chosen);
    // The device in use chosen again is opened afresh: the clinician's
    // way back to an output whose sound server was restarted.
    if (chosen)
        SetSoundOutput(device);
}
