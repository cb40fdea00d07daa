// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestDisc.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <vector>

// The demonstration set, spoken once per test binary (it takes seconds),
// and copies of its disc made as rippers and their faults make them.
namespace DemoSet {

// Each set is spoken by its own avektool process: espeak-ng's output
// depends on what its process spoke before. Empty when it was written.
QString Make(const QString &folder, const QStringList &options = {});

// The one set of this binary, removed at its exit; Failure tells why there
// is none. Run by ctest, it is a copy of the set the demo_set fixture made
// (AVEK_DEMO_SET), so that the set is spoken once for the whole suite.
struct TSet
{
    TSet();
    QTemporaryDir Folder;
    QString Failure;
    QString Path(const QString &name) const { return QDir(Folder.path()).filePath(name); }
    QString Sheet() const { return Path(QStringLiteral("VEKDEMO.cue")); }
    QString Material() const { return Path(QStringLiteral("VEKPSGS.DAT")); }
};
const TSet &Set();

// Interleaved stereo samples of each track, tracks 1 on.
using TTracks = std::vector<std::vector<qint16>>;
// The demonstration disc's tracks, read once.
const TTracks &Tracks();

// Writes the tracks as an image in folder, one file for a raw format and
// one per track for a sound file format; returns its sheet.
QString WriteImage(const QString &folder, TestDisc::TFormat format, const TTracks &tracks);

// Calls change with the track's samples of each sentence stretch (from
// its start frame up to its end) of the set's material.
void ForEachSentence(TTracks &tracks, const std::function<void(qint32 passage, int sentence, qint16 *samples,
                                                              qsizetype frames)> &change);

} // namespace DemoSet
