// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortAudioSink.h"

#include "DiscLayout.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <pa_linux_alsa.h>
#include <portaudio.h>

#include <QList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

struct TPortAudioSink::TShared
{
    // Set by Start, cleared by Stop; read by the callback.
    std::atomic<IFrameSource *> Source{nullptr};
    // Bumped by Start so that the callback knows a new play began.
    std::atomic<unsigned> Play{0};
    std::atomic<bool> InCallback{false};
    size_t LatencyFrames = 0;

    // The callback's own bookkeeping of the current play.
    unsigned CallbackPlay = 0;
    bool SourceExhausted = false;
    bool PlayedOut = false;
    size_t SilenceAfterLast = 0;

    std::mutex Mutex;
    std::condition_variable Changed;
    bool Opened = false;
    bool Quit = false;
    bool Finished = false;
    TOpenReport Report;
};

namespace {

using TShared = TPortAudioSink::TShared;

void DiscardAlsaMessage(const char *, int, const char *, int, const char *, ...) {}
void DiscardJackMessage(const char *) {}

// Probing ALSA and JACK devices prints pages of complaints on a machine
// without them; the player says what matters itself.
void QuietAudioLibraries()
{
    snd_lib_error_set_handler(DiscardAlsaMessage);
    jack_set_error_function(DiscardJackMessage);
    jack_set_info_function(DiscardJackMessage);
}

// PortAudio's own state is not for two threads at once, and the thread of
// a sink given up on may still be opening or closing when the next sink's
// thread starts. Never destroyed: such a thread may outlive the program's
// statics.
std::mutex &PortAudioMutex()
{
    static auto *mutex = new std::mutex;
    return *mutex;
}

QString PaText(PaError error)
{
    return QString::fromLocal8Bit(Pa_GetErrorText(error));
}

// Output devices of the default host API that can play stereo.
QList<PaDeviceIndex> StereoOutputs()
{
    QList<PaDeviceIndex> devices;
    for (PaDeviceIndex i = 0; i < Pa_GetDeviceCount(); ++i) {
        const PaDeviceInfo *info = Pa_GetDeviceInfo(i);
        if (info && info->hostApi == Pa_GetDefaultHostApi() && info->maxOutputChannels >= CdAudio::Channels)
            devices << i;
    }
    return devices;
}

QString DeviceName(PaDeviceIndex device)
{
    return QString::fromLocal8Bit(Pa_GetDeviceInfo(device)->name);
}

PaDeviceIndex FindDevice(const QString &name, TPortAudioSink::TOpenReport &report)
{
    const QList<PaDeviceIndex> devices = StereoOutputs();
    report.DeviceNames = {TPortAudioSink::DefaultDevice};
    PaDeviceIndex found = paNoDevice;
    for (const PaDeviceIndex device : devices) {
        report.DeviceNames << DeviceName(device);
        if (DeviceName(device) == name)
            found = device;
    }
    if (found != paNoDevice || name == TPortAudioSink::DefaultDevice)
        return found == paNoDevice ? Pa_GetDefaultOutputDevice() : found;
    report.Notice = QStringLiteral("The sound output \"%1\" chosen for the CD is not there; the default output is "
                                   "used instead.")
                        .arg(name);
    return Pa_GetDefaultOutputDevice();
}

int Callback(const void *, void *output, unsigned long frameCount, const PaStreamCallbackTimeInfo *time,
             PaStreamCallbackFlags flags, void *user)
{
    auto &shared = *static_cast<TShared *>(user);
    auto *frames = static_cast<qint16 *>(output);
    // Stop clears Source and then waits while InCallback is set; both
    // sequentially consistent, so a source seen here stays alive until the
    // callback is done with it.
    shared.InCallback = true;
    IFrameSource *source = shared.Source;
    const unsigned play = shared.Play;
    size_t taken = 0;
    if (source) {
        if (play != shared.CallbackPlay) {
            shared.CallbackPlay = play;
            shared.SourceExhausted = shared.PlayedOut = false;
            shared.SilenceAfterLast = 0;
        }
        taken = source->PullFrames(frames, frameCount);
        if (!shared.SourceExhausted) {
            if ((flags & paOutputUnderflow) || (taken < frameCount && !source->Exhausted()))
                source->DroppedOut();
            shared.SourceExhausted = source->Exhausted();
            // Where the stream knows when this buffer will be heard (through
            // a sound server too), the notice waits for exactly that.
            if (shared.SourceExhausted && time->outputBufferDacTime > 0 && time->currentTime > 0) {
                shared.PlayedOut = true;
                const double heard = time->outputBufferDacTime + double(taken) / CdAudio::SampleRate;
                source->PlayedOut(std::clamp(heard - time->currentTime, 0.0, 2.0));
            }
        }
        if (shared.SourceExhausted && !shared.PlayedOut) {
            // Otherwise the notice goes once the stream has taken its
            // latency's worth of silence after the last frame.
            shared.SilenceAfterLast += frameCount - taken;
            if (shared.SilenceAfterLast >= shared.LatencyFrames) {
                shared.PlayedOut = true;
                source->PlayedOut(0);
            }
        }
    }
    std::memset(frames + taken * CdAudio::Channels, 0, (frameCount - taken) * CdAudio::Channels * sizeof(qint16));
    shared.InCallback = false;
    return paContinue;
}

PaStream *OpenStream(TShared &shared, const QString &device, TPortAudioSink::TOpenReport &report)
{
    const PaDeviceIndex index = FindDevice(device, report);
    if (index == paNoDevice) {
        report.Reason = QStringLiteral("there is no sound output device");
        return nullptr;
    }
    const PaDeviceInfo *info = Pa_GetDeviceInfo(index);
    PaStreamParameters parameters{};
    parameters.device = index;
    parameters.channelCount = CdAudio::Channels;
    parameters.sampleFormat = paInt16;
    parameters.suggestedLatency = std::max(TPortAudioSink::SuggestedLatency, info->defaultLowOutputLatency);
    PaStream *stream = nullptr;
    PaError error = Pa_OpenStream(&stream, nullptr, &parameters, CdAudio::SampleRate, paFramesPerBufferUnspecified,
                                  paNoFlag, Callback, &shared);
    if (error != paNoError) {
        report.Reason = PaText(error);
        return nullptr;
    }
    // A real-time callback thread where the system grants it; PortAudio
    // falls back to a normal one where it does not.
    if (Pa_GetHostApiInfo(info->hostApi)->type == paALSA)
        PaAlsa_EnableRealtimeScheduling(stream, 1);
    report.OutputLatency = Pa_GetStreamInfo(stream)->outputLatency;
    shared.LatencyFrames = size_t(report.OutputLatency * CdAudio::SampleRate);
    if (error = Pa_StartStream(stream); error != paNoError) {
        report.Reason = PaText(error);
        Pa_CloseStream(stream);
        return nullptr;
    }
    return stream;
}

// The sink's thread: opens the stream, keeps it running until told to
// quit, and closes it.
void Run(std::shared_ptr<TShared> shared, QString device)
{
    TPortAudioSink::TOpenReport report;
    PaStream *stream = nullptr;
    std::unique_lock portAudio(PortAudioMutex());
    const PaError error = Pa_Initialize();
    if (error != paNoError)
        report.Reason = PaText(error);
    else
        stream = OpenStream(*shared, device, report);
    portAudio.unlock();
    std::unique_lock lock(shared->Mutex);
    shared->Report = report;
    shared->Opened = true;
    shared->Changed.notify_all();
    shared->Changed.wait(lock, [&] { return shared->Quit; });
    lock.unlock();
    portAudio.lock();
    if (stream) {
        Pa_AbortStream(stream);
        Pa_CloseStream(stream);
    }
    if (error == paNoError)
        Pa_Terminate();
    portAudio.unlock();
    lock.lock();
    shared->Finished = true;
    shared->Changed.notify_all();
}

constexpr std::chrono::milliseconds QuitPatience{2000};

// Tells the thread to quit and waits up to patience for it; a thread caught
// in a hanging sound server is left to finish on its own.
void Quit(std::thread &thread, TShared &shared, std::chrono::milliseconds patience = QuitPatience)
{
    std::unique_lock lock(shared.Mutex);
    shared.Quit = true;
    shared.Changed.notify_all();
    if (shared.Changed.wait_for(lock, patience, [&] { return shared.Finished; })) {
        lock.unlock();
        thread.join();
    } else {
        thread.detach();
    }
}

// Starts a thread that opens the device and waits for it; a thread that
// fails, or does not answer in time, is told to quit again.
std::shared_ptr<TShared> Launch(const QString &device, TPortAudioSink::TOpenReport &report, std::thread &thread)
{
    auto shared = std::make_shared<TShared>();
    thread = std::thread(Run, shared, device);
    bool answered = false;
    {
        std::unique_lock lock(shared->Mutex);
        answered = shared->Changed.wait_for(lock, std::chrono::milliseconds(TPortAudioSink::OpenTimeoutMs),
                                            [&] { return shared->Opened; });
        report = answered ? shared->Report : TPortAudioSink::TOpenReport{};
    }
    if (!answered)
        report.Reason = QStringLiteral("the sound system did not answer within %1 s")
                            .arg(TPortAudioSink::OpenTimeoutMs / 1000);
    if (report.Reason.isEmpty())
        return shared;
    // One that did not answer is not waited for any longer.
    Quit(thread, *shared, answered ? QuitPatience : std::chrono::milliseconds(0));
    return nullptr;
}

} // namespace

std::unique_ptr<TPortAudioSink> TPortAudioSink::Open(const QString &device, TOpenReport &report)
{
    QuietAudioLibraries();
    std::thread thread;
    std::shared_ptr<TShared> shared = Launch(device, report, thread);
    if (!shared)
        return nullptr;
    // The thread owns itself from here; the sink only tells it to quit.
    std::unique_ptr<TPortAudioSink> sink(new TPortAudioSink(report.Notice.isEmpty() ? device : DefaultDevice, shared));
    sink->m_thread = std::move(thread);
    return sink;
}

TPortAudioSink::TPortAudioSink(const QString &device, std::shared_ptr<TShared> shared)
    : m_device(device), m_shared(std::move(shared))
{
}

TPortAudioSink::~TPortAudioSink()
{
    Stop();
    if (m_shared)
        Quit(m_thread, *m_shared);
}

bool TPortAudioSink::Reopen(QString &reason)
{
    // The lost stream goes first, so that the sound system is asked afresh
    // which devices there are.
    if (m_shared)
        Quit(m_thread, *m_shared);
    TOpenReport report;
    m_shared = Launch(m_device, report, m_thread);
    // Another card in place of the one the test is routed to would be
    // heard at another level, or by no one.
    if (m_shared && !report.Notice.isEmpty()) {
        Quit(m_thread, *m_shared);
        m_shared.reset();
        report.Reason = QStringLiteral("\"%1\" is not there any more").arg(m_device);
    }
    if (m_shared)
        return true;
    reason = QStringLiteral("it stopped taking sound, and opening it again failed (%1)").arg(report.Reason);
    return false;
}

bool TPortAudioSink::Start(IFrameSource &source, QString &reason)
{
    Stop();
    // A sink that could not be opened again tries at every play, so that
    // an output that is back is used as soon as it is.
    if ((m_reopen.exchange(false) || !m_shared) && !Reopen(reason))
        return false;
    ++m_shared->Play;
    m_shared->Source = &source;
    return true;
}

void TPortAudioSink::Stop()
{
    if (!m_shared)
        return;
    m_shared->Source = nullptr;
    while (m_shared->InCallback)
        std::this_thread::yield();
}

void TPortAudioSink::ReopenAtNextStart()
{
    m_reopen = true;
}
