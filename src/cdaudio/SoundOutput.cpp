#include "SoundOutput.h"

#include "NullSink.h"
#include "PortAudioSink.h"

std::unique_ptr<IAudioSink> OpenSoundOutput(QString &silentReason)
{
    silentReason.clear();
    if (std::unique_ptr<TPortAudioSink> sink = TPortAudioSink::Open(silentReason))
        return sink;
    return std::make_unique<TNullSink>();
}
