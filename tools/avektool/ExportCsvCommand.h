// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QStringList>
#include <QTextStream>

// avektool export-csv FILE.VEK|DIR|-...: one CSV row per scored test list of
// the files named, of the client files in the folders named and below, and,
// for "-", of the names read from names, one a line; one header row.
int RunExportCsv(const QStringList &arguments, QIODevice &names, QTextStream &out, QTextStream &err);
// The same, with the names of "-" read from standard input.
int RunExportCsv(const QStringList &arguments, QTextStream &out, QTextStream &err);
