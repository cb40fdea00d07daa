// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

} // namespace ByteOrderProbe
