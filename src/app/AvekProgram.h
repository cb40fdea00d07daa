// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProgramPages.h"
#include "administration/SentenceMaterial.h"
#include "cdaudio/CdAudioPlayer.h"
#include "controls/MessageBoxPrompts.h"
#include "pages/PageContext.h"
#include "record/AppState.h"
#include "record/ClientRecord.h"

#include <memory>

class IMediaPlayer;
class TEndSignals;
class TSoundOutput;
class TfmWinMain;

// The whole program: the one client record and what is kept beside it, the
// main window and its pages, created once in the order the program has
// always built them, and the CD players of the pages that play.
class TAvekProgram
{
public:
    // As the clinician runs it: message boxes, and the system's sound output.
    TAvekProgram();
    // Unattended: the prompts answer every question, and the players play
    // into the sink makeSink makes. The prompts must outlive the program.
    TAvekProgram(IPrompts &prompts, TCdAudioPlayer::TSinkFactory makeSink);
    ~TAvekProgram();

    TfmWinMain &MainWindow() const { return *fmWinMain; }
    // From now on SIGTERM, SIGHUP and SIGINT keep unsaved work for the next
    // start and then end the program as the signal would.
    void KeepWorkOnEndSignals();
    IPrompts &Prompts() { return m_prompts; }
    const TProgramPages &Pages() const { return m_pages; }
    const TClientRecord &Record() const { return m_record; }
    const TAppState &State() const { return m_state; }
    const TSentenceMaterial &Material() const { return m_material; }
    // What to tell the clinician once the window is up: where the sentence
    // material was looked for and how to get some, when there is none; empty
    // when there is. One notice, instead of one from every page that needs it.
    QString StartUpNotice() const;

    // File > Sound Output: the devices to choose from, and the choice, which
    // is kept in VEK.INI ([CD] Output) and heard from the next frame on.
    QStringList SoundOutputNames();
    void SetSoundOutput(const QString &device);

private:
    TAvekProgram(std::unique_ptr<TMessageBoxPrompts> messageBoxes, IPrompts *prompts,
                 const TCdAudioPlayer::TSinkFactory &makeSink);

    // The players share one output, opened when the first of them opens.
    std::shared_ptr<IAudioSink> SharedOutput(QString &silentReason);
    std::shared_ptr<IAudioSink> OpenChosenOutput(const QString &device, QString &silentReason);
    void ChooseSoundOutput();

    TCdAudioPlayer::TSinkFactory m_makeSink;
    std::shared_ptr<TSoundOutput> m_output;
    QString m_silentReason;
    TClientRecord m_record;
    TAppState m_state;
    std::unique_ptr<TMessageBoxPrompts> m_messageBoxes;
    IPrompts &m_prompts;
    std::unique_ptr<TfmWinMain> fmWinMain;
    std::unique_ptr<TPageContext> m_context;
    std::unique_ptr<IMediaPlayer> m_calibrationPlayer;
    std::unique_ptr<IMediaPlayer> m_sentencePlayer;
    TSentenceMaterial m_material;
    TProgramPages m_pages;
    std::unique_ptr<TEndSignals> m_endSignals;
};
