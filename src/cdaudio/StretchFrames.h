// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscSource.h"

#include <optional>
#include <vector>

// The stereo frames of the stretch from, to (CD positions) of a disc, as a
// play of it gives them to the output; nullopt with error when it cannot be
// read.
std::optional<std::vector<qint16>> ReadStretchFrames(IDiscSource &disc, quint32 from, quint32 to, TCdError &error);
