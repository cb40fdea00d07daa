// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdAudioPlayer.h"

#include "CdDevice.h"
#include "Playback.h"
#include "ThreadHandoff.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <QMutex>
#include <QSet>

#include <atomic>

namespace {

std::atomic<bool> SilenceTold{false};

bool TellOnce(const QString &note)
{
    static QMutex mutex;
    static QSet<QString> told;
    const QMutexLocker lock(&mutex);
    if (told.contains(note))
        return false;
    told.insert(note);
    return true;
}

// The end of a play, posted by the thread that played it.
class TPlaybackEndEvent : public QEvent
{
public:
    TPlaybackEndEvent(quint64 playId, double delaySeconds, const TCdError &error)
        : QEvent(EventType()), PlayId(playId), DelaySeconds(delaySeconds), Error(error)
    {
    }

    static QEvent::Type EventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    const quint64 PlayId;
    const double DelaySeconds;
    const TCdError Error;
};

} // namespace

TCdAudioPlayer::TCdAudioPlayer(const QString &device, TSinkFactory makeSink, QObject *parent)
    : IMediaPlayer(parent), m_device(device), m_makeSink(std::move(makeSink))
{
}

TCdAudioPlayer::~TCdAudioPlayer()
{
    Close();
}

bool TCdAudioPlayer::Fail(const TCdError &error)
{
    m_error = error;
    return false;
}

bool TCdAudioPlayer::Open()
{
    Close();
    m_error = {};
    m_disc = OpenDisc(m_device, m_error);
    if (!m_disc)
        return false;
    for (const QString &note : m_disc->Notes())
        if (TellOnce(note))
            emit DiscNote(note);
    QString silentReason;
    m_sink = m_makeSink(silentReason);
    m_silent = !silentReason.isEmpty();
    if (m_silent && !SilenceTold.exchange(true))
        emit SilentOutput(QStringLiteral("Silent output (%1): the test runs, but nothing will be heard.")
                              .arg(silentReason));
    return true;
}

void TCdAudioPlayer::Close()
{
    Stop();
    m_sink.reset();
    m_disc.reset();
}

bool TCdAudioPlayer::IsCdPresent()
{
    m_error = {};
    return OpenDisc(m_device, m_error) != nullptr;
}

bool TCdAudioPlayer::Play(quint32 from, quint32 to, bool notify)
{
    return StartPlay(from, to, notify, false);
}

bool TCdAudioPlayer::PlayLoop(quint32 from, quint32 to)
{
    return StartPlay(from, to, true, true);
}

bool TCdAudioPlayer::StartPlay(quint32 from, quint32 to, bool notify, bool loop)
{
    m_error = {};
    if (!m_disc || !m_sink)
        return Fail(TCdError::DeviceNotOpen());
    const std::optional<TSectorStretch> stretch = m_disc->Layout().Resolve(from, to, m_error);
    if (!stretch)
        return false;
    // The disc is read by one thread at a time: the play before ends first.
    Stop();
    if (TCdError changed; !m_disc->VerifyStretch(*stretch, changed))
        return Fail(changed);
    const quint64 id = ++m_playId;
    m_notifyId = notify ? id : 0;
    m_playback = std::make_unique<TPlayback>(*m_disc, *m_sink, *stretch, loop, [this, id](double delay, const TCdError &e) {
        auto *ended = new TPlaybackEndEvent(id, delay, e);
        HandOff(ended);
        QCoreApplication::postEvent(this, ended);
    });
    m_playback->Start();
    return true;
}

void TCdAudioPlayer::Stop()
{
    m_notifyId = 0;
    m_playback.reset();
}

bool TCdAudioPlayer::event(QEvent *event)
{
    if (event->type() != TPlaybackEndEvent::EventType())
        return IMediaPlayer::event(event);
    TakeOver(event);
    const auto *ended = static_cast<const TPlaybackEndEvent *>(event);
    PlaybackEnded(ended->PlayId, ended->DelaySeconds, ended->Error);
    return true;
}

void TCdAudioPlayer::PlaybackEnded(quint64 playId, double delaySeconds, const TCdError &error)
{
    if (playId != m_playId)
        return;
    if (error.IsError())
        m_error = error;
    if (playId != m_notifyId)
        return;
    if (delaySeconds > 0)
        QTimer::singleShot(int(delaySeconds * 1000), Qt::PreciseTimer, this, [this, playId] { Finish(playId); });
    else
        Finish(playId);
}

void TCdAudioPlayer::Finish(quint64 playId)
{
    // Stop, Close or a newer play since the notice was sent.
    if (playId != m_notifyId)
        return;
    m_notifyId = 0;
    emit Notify();
}
