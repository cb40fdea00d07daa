// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableHeaders.h"

#include "record/Conditions.h"

QStringList MdbHeaders()
{
    return {QStringLiteral("MDB 1"), QStringLiteral("MDB 2"), QStringLiteral("MDB 3"), QStringLiteral("MDB 4")};
}

QStringList SnrHeaders()
{
    QStringList headers;
    for (const int snr : Conditions::SnrDb)
        headers << QStringLiteral("%1 dB SNR").arg(snr);
    return headers;
}
