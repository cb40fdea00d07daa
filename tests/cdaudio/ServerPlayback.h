// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cdaudio/CdAudioPlayer.h"
#include "cdaudio/SoundOutput.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// Plays stretches of a test disc through the real sound output (PortAudio,
// ALSA's default device, shared as the program shares it) and records what the sound server put out from its
// sink's monitor, named by AVEK_MONITOR, with parec. scripts/with-sound-server
// sets up such a server.
class TServerPlayback
{
public:
    struct TResult
    {
        // What was wrong with the frames recorded; empty when they were the
        // stretch exactly, each frame once and in order.
        QString Fault;
        int ErrorCode = 0;
        QString ErrorText;
        // Play to the first frame at the monitor.
        double OnsetMs = 0;
        // The last frame at the monitor to the end notice.
        double NoticeAfterLastMs = 0;
        // How long Play kept the GUI thread.
        double PlayCallMs = 0;
    };

    // Why there is nothing to record from; empty when there is.
    static QString Unavailable();

    // output: a value of [CD] Output.
    explicit TServerPlayback(const QString &output = QStringLiteral("default"));
    ~TServerPlayback();

    IMediaPlayer &Player() { return *m_player; }

    // Opens the player and starts recording; false with error when it cannot.
    bool Open(QString &error);
    // Starts recording afresh, as from a server started again.
    bool Record(QString &error);
    // As a play that lost the output does: the next play opens it afresh.
    void LoseOutput();
    // Plays sectors [first, first + count) of the disc's only track.
    TResult Play(int firstSecond, int seconds);
    // Loops a stretch for loopMs and checks the repeats were joined exactly.
    QString PlayLoop(int firstSecond, int frames, int loopMs);

private:
    struct TChunk
    {
        size_t EndFrame;
        qint64 ArrivedNs;
    };

    void Take();
    qint64 ArrivalOf(size_t frame) const;
    // Waits until the monitor has been silent for a while after what played.
    void WaitForQuiet();

    QString m_outputChoice;
    QTemporaryDir m_folder;
    QString m_silentReason;
    std::shared_ptr<TSoundOutput> m_output;
    std::unique_ptr<TCdAudioPlayer> m_player;
    QProcess m_parec;
    QElapsedTimer m_clock;
    std::vector<qint16> m_samples;
    std::vector<TChunk> m_chunks;
    QByteArray m_partial;
};
