// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where a file a cue sheet names is on this machine. Sheets written on
// Windows use backslashes, may differ in case from the names on the disk,
// and may name the folder they were ripped into ("C:\rips\disc.bin"): such
// a file is looked for beside the sheet. The plain path in folder when
// nothing matches, so that opening it names the missing file.
QString FindSheetFile(const QString &folder, const QString &name);
