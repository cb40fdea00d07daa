// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrackFile.h"

#include <QByteArrayView>

#include <optional>

// Which byte order raw 16-bit stereo audio is in, told from the sound
// itself: read the right way, recorded sound changes little from one
// sample to the next; read the wrong way, its low bytes become the high
// ones and it turns into loud noise. nullopt when the samples do not tell
// (silence, or noise either way).
namespace ByteOrderProbe {

enum TOrder { LittleEndian, BigEndian };

std::optional<TOrder> Guess(QByteArrayView samples);

// Whether the samples a file gives (in the machine's order) sound like
// recorded sound read in the wrong byte order, judged from stretches taken
// across it; nullopt when they do not tell or cannot be read.
std::optional<bool> SoundsSwapped(ITrackFile &file);

} // namespace ByteOrderProbe
