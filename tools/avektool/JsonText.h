// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Pieces of JSON text for values of the client record.
namespace JsonText {

QString String(const QString &text);
// The shortest decimal that reads back as the same float; null when it is
// not a number JSON can hold.
QString Float(float value);
QString Bool(bool value);

} // namespace JsonText
