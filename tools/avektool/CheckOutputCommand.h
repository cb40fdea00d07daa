// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

int RunCheckOutput(const QStringList &arguments, QTextStream &out, QTextStream &err);
