#pragma once

#include "AudioSink.h"

#include <atomic>
#include <memory>

struct PaStreamCallbackTimeInfo;

// The system's default sound output through PortAudio, one stream kept
// open from player Open to Close and started for each play.
class TPortAudioSink : public IAudioSink
{
public:
    // nullptr with the reason when there is no output device or it cannot
    // be opened for CD audio.
    static std::unique_ptr<TPortAudioSink> Open(QString &reason);
    ~TPortAudioSink() override;

    bool Start(IFrameSource &source, QString &reason) override;
    void Stop() override;

private:
    TPortAudioSink() = default;
    static int Callback(const void *, void *output, unsigned long frameCount, const PaStreamCallbackTimeInfo *time,
                        unsigned long, void *self);
    static void Finished(void *self);

    void *m_stream = nullptr;
    IFrameSource *m_source = nullptr;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_completed{false};
    // When the last frame of the play reaches the DAC, in the stream's time.
    std::atomic<double> m_lastFrameTime{0};
};
