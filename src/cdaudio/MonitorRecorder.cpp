// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonitorRecorder.h"

#include <pulse/pulseaudio.h>

#include <cstring>

namespace {

// A server that does not answer within this is not one to check with.
constexpr int AnswerMs = 3000;

struct TTimeout
{
    pa_threaded_mainloop *Loop;
    bool Passed = false;
};

void TimeoutPassed(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *userdata)
{
    auto *timeout = static_cast<TTimeout *>(userdata);
    timeout->Passed = true;
    pa_threaded_mainloop_signal(timeout->Loop, 0);
}

QString ServerError(pa_context *context)
{
    return QString::fromUtf8(pa_strerror(pa_context_errno(context)));
}

} // namespace

TMonitorRecorder::TMonitorRecorder() = default;

std::unique_ptr<TMonitorRecorder> TMonitorRecorder::Open(const QString &sink, QString &error)
{
    std::unique_ptr<TMonitorRecorder> recorder(new TMonitorRecorder);
    if (!recorder->Connect(sink, error))
        return nullptr;
    return recorder;
}

bool TMonitorRecorder::WaitFor(const std::function<bool()> &done, int timeoutMs)
{
    TTimeout timeout{m_loop};
    pa_mainloop_api *api = pa_threaded_mainloop_get_api(m_loop);
    struct timeval deadline;
    pa_time_event *timer =
        api->time_new(api, pa_timeval_add(pa_gettimeofday(&deadline), pa_usec_t(timeoutMs) * 1000), TimeoutPassed,
                      &timeout);
    while (!done() && !timeout.Passed)
        pa_threaded_mainloop_wait(m_loop);
    api->time_free(timer);
    return done();
}

bool TMonitorRecorder::Answered(pa_operation *operation)
{
    if (!operation)
        return false;
    WaitFor([operation] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; }, AnswerMs);
    const bool done = pa_operation_get_state(operation) == PA_OPERATION_DONE;
    pa_operation_cancel(operation);
    pa_operation_unref(operation);
    return done;
}

bool TMonitorRecorder::Connect(const QString &sink, QString &error)
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop) {
        error = QStringLiteral("the sound server's thread cannot be made");
        return false;
    }
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "AVEK output check");
    pa_context_set_state_callback(m_context, ContextChanged, this);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(m_loop) < 0) {
        error = QStringLiteral("there is no sound server to listen at (%1)").arg(ServerError(m_context));
        return false;
    }
    pa_threaded_mainloop_lock(m_loop);
    const auto unlockWith = [&](const QString &why) {
        error = why;
        pa_threaded_mainloop_unlock(m_loop);
        return false;
    };
    const auto contextSettled = [this] {
        const pa_context_state_t state = pa_context_get_state(m_context);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    };
    if (!WaitFor(contextSettled, AnswerMs) || pa_context_get_state(m_context) != PA_CONTEXT_READY)
        return unlockWith(QStringLiteral("there is no sound server to listen at (%1)").arg(ServerError(m_context)));

    QByteArray sinkName = sink.toUtf8();
    if (sinkName.isEmpty()) {
        const bool answered = Answered(pa_context_get_server_info(
            m_context,
            [](pa_context *, const pa_server_info *info, void *userdata) {
                auto *self = static_cast<TMonitorRecorder *>(userdata);
                if (info && info->default_sink_name)
                    self->m_sinkName = QString::fromUtf8(info->default_sink_name);
                pa_threaded_mainloop_signal(self->m_loop, 0);
            },
            this));
        if (!answered || m_sinkName.isEmpty())
            return unlockWith(QStringLiteral("the sound server names no default output"));
        sinkName = m_sinkName.toUtf8();
    }
    m_sinkName.clear();
    const bool answered = Answered(pa_context_get_sink_info_by_name(
        m_context, sinkName.constData(),
        [](pa_context *, const pa_sink_info *info, int, void *userdata) {
            auto *self = static_cast<TMonitorRecorder *>(userdata);
            if (info) {
                self->m_sinkName = QString::fromUtf8(info->name);
                self->m_sinkDescription = QString::fromUtf8(info->description);
                self->m_monitor = QString::fromUtf8(info->monitor_source_name);
                self->m_rate = int(info->sample_spec.rate);
            }
            pa_threaded_mainloop_signal(self->m_loop, 0);
        },
        this));
    if (!answered || m_monitor.isEmpty())
        return unlockWith(QStringLiteral("the sound server has no output \"%1\" to listen at")
                              .arg(QString::fromUtf8(sinkName)));

    // Recorded at the sink's own rate, so that nothing but the sink itself
    // stands between the stretch and the check.
    const pa_sample_spec format{PA_SAMPLE_S16LE, uint32_t(m_rate), 2};
    pa_channel_map map;
    pa_channel_map_init_stereo(&map);
    m_stream = pa_stream_new(m_context, "AVEK output check", &format, &map);
    if (!m_stream)
        return unlockWith(QStringLiteral("the sound server refused to record (%1)").arg(ServerError(m_context)));
    pa_stream_set_state_callback(m_stream, StreamChanged, this);
    pa_stream_set_read_callback(m_stream, Readable, this);
    pa_stream_set_suspended_callback(m_stream, Suspended, this);
    pa_buffer_attr attributes;
    std::memset(&attributes, 0xFF, sizeof attributes);
    attributes.fragsize = uint32_t(pa_usec_to_bytes(10 * PA_USEC_PER_MSEC, &format));
    // The sink is kept from suspending while it is listened at: its monitor
    // then hears a play from the first frame, not from when it woke.
    const pa_stream_flags_t flags = pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | PA_STREAM_DONT_MOVE);
    const QByteArray monitor = m_monitor.toUtf8();
    const auto streamSettled = [this] {
        const pa_stream_state_t state = pa_stream_get_state(m_stream);
        return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
    };
    if (pa_stream_connect_record(m_stream, monitor.constData(), &attributes, flags) < 0 ||
        !WaitFor(streamSettled, AnswerMs) || pa_stream_get_state(m_stream) != PA_STREAM_READY)
        return unlockWith(QStringLiteral("the sound server refused to record the output \"%1\" (%2)")
                              .arg(m_sinkName, ServerError(m_context)));
    // A monitor starts giving sound a while after it is connected; a play
    // begun before would be heard without its start.
    if (!WaitFor([this] { return m_framesRead >= qint64(m_rate) / 10; }, AnswerMs))
        return unlockWith(QStringLiteral("the output \"%1\" gives nothing to listen to").arg(m_sinkName));
    pa_threaded_mainloop_unlock(m_loop);
    return true;
}

TMonitorRecorder::~TMonitorRecorder()
{
    if (!m_loop)
        return;
    pa_threaded_mainloop_lock(m_loop);
    if (m_stream) {
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_read_callback(m_stream, nullptr, nullptr);
        pa_stream_set_suspended_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
    }
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
    }
    pa_threaded_mainloop_unlock(m_loop);
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

void TMonitorRecorder::Begin(std::vector<qint16> expected, TFaultHandler onFault)
{
    pa_threaded_mainloop_lock(m_loop);
    // What is buffered from before the play is no part of it.
    if (m_stream && pa_stream_get_state(m_stream) == PA_STREAM_READY) {
        const void *data = nullptr;
        size_t bytes = 0;
        while (pa_stream_peek(m_stream, &data, &bytes) == 0 && bytes > 0)
            pa_stream_drop(m_stream);
    }
    m_verifier = std::make_unique<TPlayVerifier>(std::move(expected), m_rate);
    m_onFault = std::move(onFault);
    m_checkFault.clear();
    if (!m_lost.isEmpty())
        Fault(m_lost);
    pa_threaded_mainloop_unlock(m_loop);
}

qint64 TMonitorRecorder::Heard()
{
    pa_threaded_mainloop_lock(m_loop);
    const qint64 heard = m_verifier ? m_verifier->FramesHeard() : 0;
    pa_threaded_mainloop_unlock(m_loop);
    return heard;
}

TPlayVerdict TMonitorRecorder::End(int waitMs)
{
    TPlayVerdict verdict;
    pa_threaded_mainloop_lock(m_loop);
    if (!m_verifier) {
        pa_threaded_mainloop_unlock(m_loop);
        verdict.Fault = QStringLiteral("The output was not listened at.");
        return verdict;
    }
    WaitFor([this] { return !m_checkFault.isEmpty() || m_verifier->Complete(); }, waitMs);
    m_verifier->Finish();
    verdict.Fault = m_checkFault.isEmpty() ? m_verifier->Fault() : m_checkFault;
    verdict.Verified = verdict.Fault.isEmpty();
    verdict.GainDb = m_verifier->GainDb();
    verdict.FramesHeard = m_verifier->FramesHeard();
    verdict.FramesLost = m_verifier->FramesLost();
    verdict.Rate = m_rate;
    m_verifier.reset();
    m_onFault = {};
    m_checkFault.clear();
    pa_threaded_mainloop_unlock(m_loop);
    return verdict;
}

void TMonitorRecorder::Fault(const QString &fault)
{
    if (!m_verifier || !m_checkFault.isEmpty())
        return;
    m_checkFault = fault;
    if (m_onFault)
        m_onFault(fault);
    pa_threaded_mainloop_signal(m_loop, 0);
}

void TMonitorRecorder::ContextChanged(pa_context *context, void *userdata)
{
    auto *self = static_cast<TMonitorRecorder *>(userdata);
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)) && self->m_lost.isEmpty()) {
        self->m_lost = QStringLiteral("The sound server went away during the play (%1).").arg(ServerError(context));
        self->Fault(self->m_lost);
    }
    pa_threaded_mainloop_signal(self->m_loop, 0);
}

void TMonitorRecorder::StreamChanged(pa_stream *stream, void *userdata)
{
    auto *self = static_cast<TMonitorRecorder *>(userdata);
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)) && self->m_lost.isEmpty()) {
        self->m_lost = QStringLiteral("The output \"%1\" could no longer be listened at (%2).")
                           .arg(self->m_sinkName, ServerError(pa_stream_get_context(stream)));
        self->Fault(self->m_lost);
    }
    pa_threaded_mainloop_signal(self->m_loop, 0);
}

void TMonitorRecorder::Suspended(pa_stream *stream, void *userdata)
{
    auto *self = static_cast<TMonitorRecorder *>(userdata);
    if (pa_stream_is_suspended(stream) == 1)
        self->Fault(QStringLiteral("The output \"%1\" was suspended during the play.").arg(self->m_sinkName));
}

void TMonitorRecorder::Readable(pa_stream *stream, size_t, void *userdata)
{
    auto *self = static_cast<TMonitorRecorder *>(userdata);
    const void *data = nullptr;
    size_t bytes = 0;
    std::vector<qint16> hole;
    while (pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
        self->m_framesRead += qint64(bytes / 4);
        if (self->m_framesRead >= qint64(self->m_rate) / 10)
            pa_threaded_mainloop_signal(self->m_loop, 0);
        if (self->m_verifier && !self->m_verifier->Faulted()) {
            const qint16 *frames = static_cast<const qint16 *>(data);
            // A hole in the recording is heard as the silence it may have been.
            if (!frames) {
                hole.assign(bytes / sizeof(qint16), 0);
                frames = hole.data();
            }
            if (!self->m_verifier->Feed(frames, bytes / 4))
                self->Fault(self->m_verifier->Fault());
            else if (self->m_verifier->Complete())
                pa_threaded_mainloop_signal(self->m_loop, 0);
        }
        pa_stream_drop(stream);
    }
}
