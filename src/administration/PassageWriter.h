// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Sentence.h"

#include <QByteArray>

#include <array>

using TPassageSentences = std::array<TSentence, PassageLayout::SentenceCount>;

// The 800 bytes of one passage of a sentence material file. Texts are cut to
// their areas like the client record's; the fill byte is zero.
QByteArray EncodePassage(qint32 id, const TPassageSentences &sentences);
