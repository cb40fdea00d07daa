// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

// avektool check-material FILE.DAT: one line per problem, or "OK: 72 passages".
int RunCheckMaterial(const QStringList &arguments, QTextStream &out, QTextStream &err);
