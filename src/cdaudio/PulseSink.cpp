// SPDX-License-Identifier: GPL-3.0-or-later
#include "PulseSink.h"

#include "DiscLayout.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>

struct TPulseSink::TState
{
    // Empty for the server's default sink.
    QByteArray SinkName;
    pa_threaded_mainloop *Loop = nullptr;
    pa_context *Context = nullptr;
    pa_stream *Stream = nullptr;
    pa_time_event *Timer = nullptr;

    // The rest is the play's, under the loop's lock.
    IFrameSource *Source = nullptr;
    // The play was told its end, or its failure: nothing more to it.
    bool Over = false;
    bool Draining = false;
    // Silence still to go in front of the stretch; see LeadIn.
    size_t LeadBytes = 0;
    bool Timed = false;
    std::chrono::steady_clock::time_point Deadline;

    mutable std::mutex NamesMutex;
    QStringList Names;
    QStringList NamesHeard;
};

namespace {

using TState = TPulseSink::TState;
using Clock = std::chrono::steady_clock;

constexpr pa_usec_t FillPeriodUs = 5000;
constexpr pa_usec_t MaxLeadUs = 30000;
constexpr pa_usec_t LeadMarginUs = 1000;
constexpr size_t FrameBytes = CdAudio::Channels * sizeof(qint16);

QString ServerError(const TState &state)
{
    return QString::fromLocal8Bit(pa_strerror(pa_context_errno(state.Context)));
}

QString OutputName(const TState &state)
{
    return state.SinkName.isEmpty() ? QStringLiteral("the default output")
                                    : QStringLiteral("\"%1\"").arg(QString::fromUtf8(state.SinkName));
}

void Fail(TState &state, const QString &reason)
{
    if (!state.Source || state.Over)
        return;
    state.Over = true;
    state.Source->Failed(reason);
}

void CloseStream(TState &state)
{
    if (!state.Stream)
        return;
    pa_stream_set_state_callback(state.Stream, nullptr, nullptr);
    pa_stream_set_write_callback(state.Stream, nullptr, nullptr);
    pa_stream_set_underflow_callback(state.Stream, nullptr, nullptr);
    pa_stream_set_suspended_callback(state.Stream, nullptr, nullptr);
    pa_stream_set_moved_callback(state.Stream, nullptr, nullptr);
    pa_stream_disconnect(state.Stream);
    pa_stream_unref(state.Stream);
    state.Stream = nullptr;
    state.Draining = false;
    state.Timed = false;
    state.LeadBytes = 0;
}

void Drained(pa_stream *stream, int success, void *user)
{
    auto &state = *static_cast<TState *>(user);
    if (stream != state.Stream || !state.Source || state.Over)
        return;
    if (!success) {
        Fail(state, QStringLiteral("%1 did not play the end of the stretch (%2)").arg(OutputName(state), ServerError(state)));
        return;
    }
    // The server has taken the last frame from the stream; the device
    // still has its own latency's worth to play.
    const pa_timing_info *timing = pa_stream_get_timing_info(stream);
    const double delay = timing ? std::min(double(timing->sink_usec) / 1e6, 2.0) : 0.0;
    state.Over = true;
    state.Source->PlayedOut(delay);
}

// Gives the stream all the frames it has room for and the source has.
void Fill(TState &state)
{
    if (!state.Stream || !state.Source || state.Over || state.Draining ||
        pa_stream_get_state(state.Stream) != PA_STREAM_READY)
        return;
    if (!state.Timed)
        return;
    size_t room = pa_stream_writable_size(state.Stream);
    while (state.LeadBytes > 0 && room >= FrameBytes) {
        void *data = nullptr;
        size_t bytes = std::min(room, state.LeadBytes);
        if (pa_stream_begin_write(state.Stream, &data, &bytes) < 0 || !data)
            return;
        std::memset(data, 0, bytes);
        pa_stream_write(state.Stream, data, bytes, nullptr, 0, PA_SEEK_RELATIVE);
        state.LeadBytes -= bytes;
        room -= bytes;
    }
    while (room >= FrameBytes) {
        void *data = nullptr;
        size_t bytes = room;
        if (pa_stream_begin_write(state.Stream, &data, &bytes) < 0 || !data)
            return;
        const size_t taken = state.Source->PullFrames(static_cast<qint16 *>(data), bytes / FrameBytes);
        if (taken == 0) {
            pa_stream_cancel_write(state.Stream);
            break;
        }
        pa_stream_write(state.Stream, data, taken * FrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
        room -= std::min(room, taken * FrameBytes);
    }
    if (state.Source->Exhausted()) {
        // Draining also starts a stretch shorter than the buffer.
        state.Draining = true;
        pa_operation_unref(pa_stream_drain(state.Stream, Drained, &state));
    }
}

// A stream that starts makes the server mix it into what the device was
// given already, as far back as the device's latency reaches. A monitor
// has sent that on before, so the frames mixed in there never reach it:
// the stretch starts after that much silence, and is whole everywhere.
void SinkTimed(pa_context *, const pa_sink_info *info, int eol, void *user)
{
    auto &state = *static_cast<TState *>(user);
    if (eol || !state.Stream || state.Timed)
        return;
    const pa_usec_t lead = std::min<pa_usec_t>(info->configured_latency, MaxLeadUs) + LeadMarginUs;
    state.LeadBytes = pa_usec_to_bytes(lead, pa_stream_get_sample_spec(state.Stream));
    state.Timed = true;
    Fill(state);
}

void StreamChanged(pa_stream *stream, void *user)
{
    auto &state = *static_cast<TState *>(user);
    const pa_stream_state_t now = pa_stream_get_state(stream);
    if (now == PA_STREAM_READY) {
        if (pa_operation *asking = pa_context_get_sink_info_by_index(state.Context, pa_stream_get_device_index(stream),
                                                                     SinkTimed, &state))
            pa_operation_unref(asking);
    }
    else if (now == PA_STREAM_FAILED || now == PA_STREAM_TERMINATED)
        Fail(state, QStringLiteral("the sound server closed the stream to %1 (%2)").arg(OutputName(state), ServerError(state)));
}

void Requested(pa_stream *, size_t, void *user)
{
    Fill(*static_cast<TState *>(user));
}

void Underflowed(pa_stream *, void *user)
{
    auto &state = *static_cast<TState *>(user);
    if (state.Source && !state.Over && !state.Draining)
        state.Source->DroppedOut();
}

void Suspended(pa_stream *stream, void *user)
{
    auto &state = *static_cast<TState *>(user);
    if (pa_stream_is_suspended(stream) == 1)
        Fail(state, QStringLiteral("%1 was suspended during the play").arg(OutputName(state)));
}

void Moved(pa_stream *, void *user)
{
    auto &state = *static_cast<TState *>(user);
    Fail(state, QStringLiteral("the sound server moved the play from %1 to another device").arg(OutputName(state)));
}

void OpenStream(TState &state)
{
    CloseStream(state);
    const pa_sample_spec format{PA_SAMPLE_S16LE, CdAudio::SampleRate, CdAudio::Channels};
    pa_channel_map map;
    pa_channel_map_init_stereo(&map);
    pa_proplist *properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_NAME, "CD sentence");
    state.Stream = pa_stream_new_with_proplist(state.Context, "CD sentence", &format, &map, properties);
    pa_proplist_free(properties);
    if (!state.Stream) {
        Fail(state, QStringLiteral("the sound server refused a stream (%1)").arg(ServerError(state)));
        return;
    }
    pa_stream_set_state_callback(state.Stream, StreamChanged, &state);
    pa_stream_set_write_callback(state.Stream, Requested, &state);
    pa_stream_set_underflow_callback(state.Stream, Underflowed, &state);
    pa_stream_set_suspended_callback(state.Stream, Suspended, &state);
    pa_stream_set_moved_callback(state.Stream, Moved, &state);
    const auto bufferBytes = uint32_t(TPulseSink::BufferSeconds * CdAudio::SampleRate) * uint32_t(FrameBytes);
    // Playing starts once the whole buffer is filled, or at the drain.
    const pa_buffer_attr attributes{uint32_t(-1), bufferBytes, bufferBytes, uint32_t(-1), uint32_t(-1)};
    pa_cvolume unity;
    pa_cvolume_set(&unity, CdAudio::Channels, PA_VOLUME_NORM);
    // The volume given here keeps any volume the server stored for such a
    // stream from applying.
    const auto flags = pa_stream_flags_t(PA_STREAM_DONT_MOVE | PA_STREAM_NO_REMIX_CHANNELS | PA_STREAM_NO_REMAP_CHANNELS |
                                         PA_STREAM_START_UNMUTED | PA_STREAM_AUTO_TIMING_UPDATE |
                                         PA_STREAM_INTERPOLATE_TIMING);
    if (pa_stream_connect_playback(state.Stream, state.SinkName.isEmpty() ? nullptr : state.SinkName.constData(),
                                   &attributes, flags, &unity, nullptr) < 0)
        Fail(state, QStringLiteral("%1 cannot be played to (%2)").arg(OutputName(state), ServerError(state)));
}

void SinkListed(pa_context *, const pa_sink_info *info, int eol, void *user)
{
    auto &state = *static_cast<TState *>(user);
    if (!eol) {
        state.NamesHeard << QString::fromUtf8(info->name);
        return;
    }
    const std::lock_guard lock(state.NamesMutex);
    state.Names = std::exchange(state.NamesHeard, {});
}

void ListSinks(TState &state)
{
    state.NamesHeard.clear();
    if (pa_operation *listing = pa_context_get_sink_info_list(state.Context, SinkListed, &state))
        pa_operation_unref(listing);
}

void ServerEvent(pa_context *, pa_subscription_event_type_t type, uint32_t, void *user)
{
    auto &state = *static_cast<TState *>(user);
    const auto kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    if ((type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK) == PA_SUBSCRIPTION_EVENT_SINK && kind != PA_SUBSCRIPTION_EVENT_CHANGE)
        ListSinks(state);
}

void ContextChanged(pa_context *context, void *user)
{
    auto &state = *static_cast<TState *>(user);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        pa_context_set_subscribe_callback(context, ServerEvent, &state);
        pa_operation_unref(pa_context_subscribe(context, PA_SUBSCRIPTION_MASK_SINK, nullptr, nullptr));
        ListSinks(state);
        if (state.Source && !state.Over && !state.Stream)
            OpenStream(state);
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        Fail(state, QStringLiteral("the sound server is not there or went away (%1)").arg(ServerError(state)));
        break;
    default:
        break;
    }
}

bool ContextUsable(const TState &state)
{
    if (!state.Context)
        return false;
    const pa_context_state_t now = pa_context_get_state(state.Context);
    return now != PA_CONTEXT_FAILED && now != PA_CONTEXT_TERMINATED;
}

void Connect(TState &state)
{
    CloseStream(state);
    if (state.Context) {
        pa_context_set_state_callback(state.Context, nullptr, nullptr);
        pa_context_set_subscribe_callback(state.Context, nullptr, nullptr);
        pa_context_disconnect(state.Context);
        pa_context_unref(state.Context);
    }
    pa_proplist *properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "AVEK");
    state.Context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(state.Loop), "AVEK", properties);
    pa_proplist_free(properties);
    pa_context_set_state_callback(state.Context, ContextChanged, &state);
    if (pa_context_connect(state.Context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        Fail(state, QStringLiteral("the sound server is not there (%1)").arg(ServerError(state)));
}

void Tick(pa_mainloop_api *api, pa_time_event *timer, const struct timeval *, void *user)
{
    auto &state = *static_cast<TState *>(user);
    if (state.Source && !state.Over) {
        const bool started = state.Stream && pa_stream_get_state(state.Stream) == PA_STREAM_READY;
        if (!started && Clock::now() > state.Deadline)
            Fail(state, QStringLiteral("the sound server did not answer within %1 s").arg(TPulseSink::AnswerTimeoutMs / 1000));
        Fill(state);
    }
    timeval next;
    api->time_restart(timer, pa_timeval_add(pa_gettimeofday(&next), FillPeriodUs));
}

// Holds the loop's lock, unless this is the loop's own thread, which holds
// it already.
class TLoopLock
{
public:
    explicit TLoopLock(pa_threaded_mainloop *loop) : m_loop(pa_threaded_mainloop_in_thread(loop) ? nullptr : loop)
    {
        if (m_loop)
            pa_threaded_mainloop_lock(m_loop);
    }
    ~TLoopLock()
    {
        if (m_loop)
            pa_threaded_mainloop_unlock(m_loop);
    }
    TLoopLock(const TLoopLock &) = delete;
    TLoopLock &operator=(const TLoopLock &) = delete;

private:
    pa_threaded_mainloop *m_loop;
};

} // namespace

TPulseSink::TPulseSink(const QString &sink) : m_state(std::make_unique<TState>())
{
    if (sink != DefaultSink)
        m_state->SinkName = sink.toUtf8();
    m_state->Loop = pa_threaded_mainloop_new();
    pa_threaded_mainloop_set_name(m_state->Loop, "avek-sound");
    const TLoopLock lock(m_state->Loop);
    pa_mainloop_api *api = pa_threaded_mainloop_get_api(m_state->Loop);
    timeval first;
    m_state->Timer = api->time_new(api, pa_timeval_add(pa_gettimeofday(&first), FillPeriodUs), Tick, m_state.get());
    // Asked now, so that the list of sinks is there when it is wanted.
    Connect(*m_state);
    pa_threaded_mainloop_start(m_state->Loop);
}

TPulseSink::~TPulseSink()
{
    Stop();
    pa_threaded_mainloop_stop(m_state->Loop);
    if (m_state->Context) {
        pa_context_disconnect(m_state->Context);
        pa_context_unref(m_state->Context);
    }
    pa_mainloop_api *api = pa_threaded_mainloop_get_api(m_state->Loop);
    api->time_free(m_state->Timer);
    pa_threaded_mainloop_free(m_state->Loop);
}

bool TPulseSink::Start(IFrameSource &source, QString &)
{
    const TLoopLock lock(m_state->Loop);
    TState &state = *m_state;
    CloseStream(state);
    state.Source = &source;
    state.Over = false;
    state.Deadline = Clock::now() + std::chrono::milliseconds(AnswerTimeoutMs);
    if (m_reconnect.exchange(false) || !ContextUsable(state))
        Connect(state);
    else if (pa_context_get_state(state.Context) == PA_CONTEXT_READY)
        OpenStream(state);
    return true;
}

void TPulseSink::Stop()
{
    const TLoopLock lock(m_state->Loop);
    m_state->Source = nullptr;
    CloseStream(*m_state);
}

void TPulseSink::ReopenAtNextStart()
{
    m_reconnect = true;
}

QStringList TPulseSink::DeviceNames() const
{
    const std::lock_guard lock(m_state->NamesMutex);
    return QStringList{DefaultSink} + m_state->Names;
}
