// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

// avektool export-csv FILE.VEK...: one CSV row per scored test list.
int RunExportCsv(const QStringList &arguments, QTextStream &out, QTextStream &err);
