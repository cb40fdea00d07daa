// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

// avektool dump FILE.VEK: the record's fields as JSON, exactly as stored.
int RunDump(const QStringList &arguments, QTextStream &out, QTextStream &err);
