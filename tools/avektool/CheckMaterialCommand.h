#pragma once

#include <QStringList>
#include <QTextStream>

// avektool check-material FILE.DAT: one line per problem, or "OK: 72 passages".
int RunCheckMaterial(const QStringList &arguments, QTextStream &out, QTextStream &err);
