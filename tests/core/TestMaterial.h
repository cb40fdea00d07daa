// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "administration/PassageWriter.h"

#include <QByteArray>
#include <QList>

// A complete, valid sentence material: the 72 passages the list tables use,
// in id order. Sentence j of passage id reads "the Kid0j and Kid1j ..." with
// the key words in upper case, and is placed on track id % 10 + 1.
QList<qint32> MaterialIds();
TPassageSentences TestSentences(qint32 id);
QByteArray TestMaterial();
