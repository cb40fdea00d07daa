// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

// A cue sheet as rippers and burners write them: keywords in any case, CRLF
// or LF, UTF-8 (with or without BOM) or Windows-1252, Windows paths, and a
// track's INDEX 00 in the file before its INDEX 01 ("gap appended"). Times
// are in sectors.
class TCueSheet
{
public:
    enum TFileType { Binary, Motorola, Sound, Unsupported };

    struct TFile
    {
        QString Path; // found in the sheet's folder, ignoring case
        QString Name; // as the sheet writes it
        TFileType Type = Unsupported;
        QString TypeName;
    };

    // A point of a track in one of the files.
    struct TIndex
    {
        int Number = 0;
        int File = 0; // index into Files()
        qint64 Offset = 0; // from the start of the file
    };

    struct TTrack
    {
        int Number = 0; // as the sheet numbers it
        bool Audio = true;
        qint64 Pregap = 0;  // PREGAP: silence that is not in the file
        qint64 Postgap = 0; // POSTGAP: likewise after the track
        QList<TIndex> Indexes; // in sheet order, INDEX 01 among them
        int File = 0; // the file of INDEX 01
    };

    // nullopt with the reason when the sheet cannot be read or parsed.
    static std::optional<TCueSheet> Load(const QString &path, QString &reason);
    static std::optional<TCueSheet> Parse(const QByteArray &bytes, const QString &folder, QString &reason);

    const QList<TFile> &Files() const { return m_files; }
    // In sheet order, numbers rising.
    const QList<TTrack> &Tracks() const { return m_tracks; }

private:
    bool ReadLine(const QStringList &words, const QString &folder, QString &reason);
    bool ReadFile(const QStringList &words, const QString &folder, QString &reason);
    bool ReadTrack(const QStringList &words, QString &reason);
    bool ReadIndex(const QStringList &words, QString &reason);
    bool ReadGap(const QStringList &words, qint64 TTrack::*gap, QString &reason);
    bool Finish(QString &reason) const;

    QList<TFile> m_files;
    QList<TTrack> m_tracks;
};
