#include "PortAudioSink.h"

#include "DiscLayout.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <portaudio.h>

#include <algorithm>
#include <cstring>

namespace {

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

QString PaText(PaError error)
{
    return QString::fromLocal8Bit(Pa_GetErrorText(error));
}

} // namespace

std::unique_ptr<TPortAudioSink> TPortAudioSink::Open(QString &reason)
{
    QuietAudioLibraries();
    if (const PaError error = Pa_Initialize(); error != paNoError) {
        reason = PaText(error);
        return nullptr;
    }
    std::unique_ptr<TPortAudioSink> sink(new TPortAudioSink);
    if (Pa_GetDefaultOutputDevice() == paNoDevice) {
        reason = QStringLiteral("there is no sound output device");
        return nullptr;
    }
    PaStream *stream = nullptr;
    const PaError error = Pa_OpenDefaultStream(&stream, 0, CdAudio::Channels, paInt16, CdAudio::SampleRate,
                                               paFramesPerBufferUnspecified,
                                               &TPortAudioSink::Callback,
                                               sink.get());
    if (error != paNoError) {
        reason = PaText(error);
        return nullptr;
    }
    sink->m_stream = stream;
    Pa_SetStreamFinishedCallback(stream, &TPortAudioSink::Finished);
    return sink;
}

TPortAudioSink::~TPortAudioSink()
{
    Stop();
    if (m_stream)
        Pa_CloseStream(m_stream);
    Pa_Terminate();
}

bool TPortAudioSink::Start(IFrameSource &source, QString &reason)
{
    Stop();
    m_source = &source;
    m_completed = false;
    m_stopping = false;
    if (const PaError error = Pa_StartStream(m_stream); error != paNoError) {
        reason = PaText(error);
        return false;
    }
    return true;
}

void TPortAudioSink::Stop()
{
    // Set first: PortAudio calls the finished callback after an abort too.
    m_stopping = true;
    if (m_stream && Pa_IsStreamStopped(m_stream) == 0)
        Pa_AbortStream(m_stream);
}

int TPortAudioSink::Callback(const void *, void *output, unsigned long frameCount,
                             const PaStreamCallbackTimeInfo *time, unsigned long, void *self)
{
    auto *sink = static_cast<TPortAudioSink *>(self);
    auto *frames = static_cast<qint16 *>(output);
    const size_t taken = sink->m_source->PullFrames(frames, frameCount);
    std::memset(frames + taken * CdAudio::Channels, 0, (frameCount - taken) * CdAudio::Channels * sizeof(qint16));
    if (!sink->m_source->Exhausted())
        return paContinue;
    sink->m_lastFrameTime = time->outputBufferDacTime + double(taken) / CdAudio::SampleRate;
    sink->m_completed = true;
    return paComplete;
}

void TPortAudioSink::Finished(void *self)
{
    auto *sink = static_cast<TPortAudioSink *>(self);
    if (sink->m_stopping || !sink->m_completed)
        return;
    // Host APIs without DAC times give 0, and the delay comes out as none.
    const double delay = sink->m_lastFrameTime - Pa_GetStreamTime(sink->m_stream);
    sink->m_source->PlayedOut(std::clamp(delay, 0.0, 1.0));
}
