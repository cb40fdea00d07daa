// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Client files and the sentence material hold their texts in Windows-1252.
// A character the code page cannot hold is written as '?'.
namespace Windows1252 {

QByteArray Encode(const QString &text);
QString Decode(QByteArrayView bytes);

// Whether the text survives Encode unchanged.
bool CanHold(const QString &text);

} // namespace Windows1252
