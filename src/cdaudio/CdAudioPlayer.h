// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AudioSink.h"
#include "CdError.h"
#include "DiscSource.h"
#include "MediaPlayer.h"

#include <functional>
#include <memory>

class TPlayback;

// The media player over a CD drive or a disc image (see ReadCdDevice for
// how the device is named), playing into the sink its factory makes.
class TCdAudioPlayer : public IMediaPlayer
{
    Q_OBJECT

public:
    // Gives the sink at Open, which may be one that other players share;
    // sets silentReason when nothing will be heard, as was chosen.
    using TSinkFactory = std::function<std::shared_ptr<IAudioSink>(QString &silentReason)>;

    TCdAudioPlayer(const QString &device, TSinkFactory makeSink, QObject *parent = nullptr);
    ~TCdAudioPlayer() override;

    bool Open() override;
    void Close() override;
    bool IsCdPresent() override;
    bool Play(quint32 from, quint32 to, bool notify) override;
    bool PlayLoop(quint32 from, quint32 to) override;
    void Stop() override;
    bool Silent() const override { return m_silent; }

    // A play that broke off or was not heard whole still ends with its
    // notice; its error is here afterwards, until the next operation.
    int ErrorCode() const override { return m_error.Code; }
    QString ErrorText() const override { return m_error.Text; }

protected:
    bool event(QEvent *event) override;

signals:
    // Once per program, at the first Open of a silent output.
    void SilentOutput(const QString &message);
    // Once per program and note, at the Open that finds it (see IDiscSource::Notes).
    void DiscNote(const QString &message);

private:
    bool Fail(const TCdError &error);
    bool StartPlay(quint32 from, quint32 to, bool notify, bool loop);
    void PlaybackEnded(quint64 playId, double delaySeconds, const TCdError &error);
    void Finish(quint64 playId);

    QString m_device;
    TSinkFactory m_makeSink;
    std::unique_ptr<IDiscSource> m_disc;
    std::shared_ptr<IAudioSink> m_sink;
    std::unique_ptr<TPlayback> m_playback;
    TCdError m_error;
    bool m_silent = false;
    quint64 m_playId = 0;
    // The play whose end is to be notified; 0 when none.
    quint64 m_notifyId = 0;
};
