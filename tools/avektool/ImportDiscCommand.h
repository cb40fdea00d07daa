// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

// avektool import-disc [--check] [DEVICE] DIR: reads the whole test CD once,
// as a careful ripper does, into DIR/VEK.cue, DIR/VEK.bin and their
// checksums in DIR/VEK.sha256; with --check, reads it again and compares it
// with DIR/VEK.bin. DEVICE may be a .cue sheet, read through libcdio's own
// image reader instead of a drive.
int RunImportDisc(const QStringList &arguments, QTextStream &out, QTextStream &err);
