// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class IMediaPlayer;

// What the pages say when the CD player lets them down.
QString NoDiscText();
// "Error <code>: <text>" of the player's last failure.
QString PlayerErrorText(const IMediaPlayer &player);
