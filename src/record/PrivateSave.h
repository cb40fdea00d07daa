// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QSaveFile;

// Saving patients' files so that other users of the machine cannot read
// them: a file that does not exist yet is created without the "others"
// permission bits (the group keeps what the user's umask gives it); an
// existing file keeps its mode. The temporary copy has that mode from the
// moment it is made.
namespace PrivateSave {

bool Open(QSaveFile &file);

// Removes the temporary copies (NAME.XXXXXX beside NAME) that saves killed
// part-way left behind. A copy younger than a minute may be another
// program's save in progress and stays.
void RemoveStaleCopies(const QString &fileName);

} // namespace PrivateSave
