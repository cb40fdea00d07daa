// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerMessages.h"

#include "cdaudio/MediaPlayer.h"

QString NoDiscText()
{
    return QStringLiteral("There doesn't appear to be a CD in the drive.");
}

QString PlayerErrorText(const IMediaPlayer &player)
{
    return QStringLiteral("Error %1: %2").arg(player.ErrorCode()).arg(player.ErrorText());
}
