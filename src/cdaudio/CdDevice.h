// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscSource.h"

#include <memory>

// Which disc the program plays: VEK.INI in the start-up folder, section
// "CD", key "Device": a device node such as /dev/sr0, or a .cue sheet
// (relative to that folder); empty when the file or key is missing, which
// means the system's default drive.
QString ReadCdDevice(const QString &iniDirectory);

// The drive or disc image that device names.
std::unique_ptr<IDiscSource> OpenDisc(const QString &device, TCdError &error);
