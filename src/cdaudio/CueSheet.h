#pragma once

#include <QList>
#include <QString>

#include <optional>

// A cue sheet as libcue reads it, with what libcue leaves out: the type of
// each FILE. Times are in sectors; -1 where the sheet gives none.
class TCueSheet
{
public:
    enum TFileType { Binary, Motorola, Sound, Unsupported };

    struct TFile
    {
        QString Path; // resolved against the sheet's folder
        QString Name; // as the sheet writes it
        TFileType Type = Unsupported;
        QString TypeName;
    };

    struct TTrack
    {
        int File = 0; // index into Files()
        bool Audio = true;
        qint64 Pregap = -1;  // PREGAP: silence that is not in the file
        qint64 Postgap = -1; // POSTGAP: likewise after the track
        qint64 Index00 = -1; // relative to the start of the file
        qint64 Index01 = -1;
        qint64 Length = -1; // from INDEX 01 to the next track in the same file; -1: to the file's end
    };

    // nullopt with the reason when the sheet cannot be read or parsed.
    static std::optional<TCueSheet> Load(const QString &path, QString &reason);
    static std::optional<TCueSheet> Parse(const QByteArray &text, const QString &folder, QString &reason);

    const QList<TFile> &Files() const { return m_files; }
    // In sheet order; track n is element n - 1.
    const QList<TTrack> &Tracks() const { return m_tracks; }

private:
    int FileIndex(const QString &name, const QString &folder);
    bool ReadWhatLibcueDrops(const QByteArray &text, QString &reason);

    QList<TFile> m_files;
    QList<TTrack> m_tracks;
    QList<qint64> m_pregaps; // per TRACK line of the sheet
};
