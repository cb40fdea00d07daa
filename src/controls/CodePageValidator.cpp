// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodePageValidator.h"

#include "record/Windows1252.h"

QValidator::State TCodePageValidator::validate(QString &input, int &) const
{
    return Windows1252::CanHold(input) ? Acceptable : Invalid;
}
