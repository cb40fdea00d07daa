// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <vector>

// Small disc images written by the tests. Every frame of a file holds its
// own absolute position on the disc, so that a played frame tells where it
// came from; generated gaps are silence, which no position encodes to.
namespace TestDisc {

enum TFormat { Binary, Motorola, Wave, Flac, Aiff };

struct TTrack
{
    int Sectors = 300;     // its own audio, from INDEX 01 on
    int FileGap = 0;       // sectors between INDEX 00 and INDEX 01, in the file
    int GeneratedGap = 0;  // PREGAP sectors
};

struct TImage
{
    QString Sheet;
    // Absolute INDEX 01 sector of each track; track n at n - 1.
    QList<qint64> TrackStarts;
};

// One FILE for all tracks, one per track, or one per track with each
// track's INDEX 00 gap at the end of the file before (as one Windows ripper
// writes them by default).
enum TFiles { OneFile, FilePerTrack, GapAppended };

TImage Write(const QString &folder, TFormat format, const QList<TTrack> &tracks, TFiles files);
inline TImage Write(const QString &folder, TFormat format, const QList<TTrack> &tracks, bool filePerTrack)
{
    return Write(folder, format, tracks, filePerTrack ? FilePerTrack : OneFile);
}

// The disc frame a played frame encodes, or nullopt for silence.
std::optional<qint64> FramePosition(qint16 left, qint16 right);

// The FILE type and file name extension of a format.
QString TypeName(TFormat format);
QString Extension(TFormat format);
// Interleaved stereo samples as a file of that format.
void WriteFile(const QString &path, TFormat format, std::vector<qint16> samples);

// The sheet text for a stand-alone FILE line and track list.
void WriteText(const QString &path, const QByteArray &text);

} // namespace TestDisc
