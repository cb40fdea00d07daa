#pragma once

#include <QStringList>
#include <QTextStream>

int RunCheckDisc(const QStringList &arguments, QTextStream &out, QTextStream &err);
