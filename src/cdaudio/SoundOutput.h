#pragma once

#include "AudioSink.h"

#include <memory>

// The sink a player plays through: the system's sound output, or, when
// there is none, a real-time null sink. silentReason then says why nothing
// will be heard; it is empty otherwise.
std::unique_ptr<IAudioSink> OpenSoundOutput(QString &silentReason);
