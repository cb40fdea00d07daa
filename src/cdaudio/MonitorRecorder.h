// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlayVerifier.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct pa_context;
struct pa_operation;
struct pa_stream;
struct pa_threaded_mainloop;

// What a check of one play at the output found.
struct TPlayVerdict
{
    bool Verified = false;
    // Why the play does not count; empty when it does.
    QString Fault;
    double GainDb = 0;
    qint64 FramesHeard = 0;
    qint64 FramesLost = 0;
    int Rate = 0;
};

// Listens at a sink's monitor through the desktop sound server and checks
// each play against the stretch played: Begin before the play starts, End
// once its last frame should have been heard. The record stream stays open
// between plays, so that a play is heard from its first frame; what it
// records outside a check is dropped at once.
class TMonitorRecorder
{
public:
    // Told on the sound server's thread, once, at a check's first fault:
    // post it on, and call nothing of the recorder from it.
    using TFaultHandler = std::function<void(const QString &fault)>;

    // The monitor of the sink named, or of the server's default sink when
    // sink is empty; nullptr with error when there is none.
    static std::unique_ptr<TMonitorRecorder> Open(const QString &sink, QString &error);
    ~TMonitorRecorder();

    QString SinkName() const { return m_sinkName; }
    QString SinkDescription() const { return m_sinkDescription; }
    int Rate() const { return m_rate; }

    // Starts checking what the monitor hears against expected (stereo
    // frames at 44.1 kHz); what was recorded before is dropped.
    void Begin(std::vector<qint16> expected, TFaultHandler onFault = {});
    // Stretch frames heard so far in the check under way.
    qint64 Heard();
    // Waits up to waitMs for the rest of the stretch to be heard, then ends
    // the check.
    TPlayVerdict End(int waitMs);

private:
    TMonitorRecorder();
    bool Connect(const QString &sink, QString &error);
    // Both with the loop locked.
    bool WaitFor(const std::function<bool()> &done, int timeoutMs);
    // Waits for an operation's end; false when the server did not answer.
    bool Answered(pa_operation *operation);

    static void ContextChanged(pa_context *context, void *self);
    static void StreamChanged(pa_stream *stream, void *self);
    static void Suspended(pa_stream *stream, void *self);
    static void Readable(pa_stream *stream, size_t bytes, void *self);
    void Fault(const QString &fault);

    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    QString m_sinkName;
    QString m_sinkDescription;
    QString m_monitor;
    int m_rate = 0;
    qint64 m_framesRead = 0;
    // Set while the server's thread holds the loop's lock, read under it.
    std::unique_ptr<TPlayVerifier> m_verifier;
    TFaultHandler m_onFault;
    // The first fault of the check under way.
    QString m_checkFault;
    // Why the monitor cannot be listened at any more; empty while it can.
    QString m_lost;
};
