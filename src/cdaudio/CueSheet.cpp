#include "CueSheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <libcue.h>

#include <memory>

namespace {

// Sheets are a few kilobytes; anything much larger is not a sheet.
constexpr qint64 MaxSheetSize = 1 << 20;

TCueSheet::TFileType FileTypeOf(const QString &name)
{
    if (name == QLatin1String("BINARY"))
        return TCueSheet::Binary;
    if (name == QLatin1String("MOTOROLA"))
        return TCueSheet::Motorola;
    if (name == QLatin1String("WAVE") || name == QLatin1String("AIFF") || name == QLatin1String("FLAC"))
        return TCueSheet::Sound;
    return TCueSheet::Unsupported;
}

// mm:ss:ff of a disc: at most 99 minutes, so that no sheet can make the
// sector count overflow.
std::optional<qint64> CdTimeSectors(const QRegularExpressionMatch &time)
{
    bool minutesOk = false, secondsOk = false, framesOk = false;
    const int minutes = time.captured(1).toInt(&minutesOk);
    const int seconds = time.captured(2).toInt(&secondsOk);
    const int frames = time.captured(3).toInt(&framesOk);
    if (!minutesOk || !secondsOk || !framesOk || minutes > 99 || seconds > 59 || frames > 74)
        return std::nullopt;
    return (qint64(minutes) * 60 + seconds) * 75 + frames;
}

} // namespace

std::optional<TCueSheet> TCueSheet::Load(const QString &path, QString &reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("the sheet cannot be opened (%1)").arg(file.errorString());
        return std::nullopt;
    }
    if (file.size() > MaxSheetSize) {
        reason = QStringLiteral("the sheet is far too large to be a cue sheet");
        return std::nullopt;
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = QStringLiteral("the sheet cannot be read (%1)").arg(file.errorString());
        return std::nullopt;
    }
    return Parse(text, QFileInfo(path).absolutePath(), reason);
}

std::optional<TCueSheet> TCueSheet::Parse(const QByteArray &text, const QString &folder, QString &reason)
{
    // libcue wants the last line ended too.
    const std::unique_ptr<Cd, decltype(&cd_delete)> cd(cue_parse_string((text + '\n').constData()), cd_delete);
    if (!cd || cd_get_ntrack(cd.get()) == 0) {
        reason = QStringLiteral("it is not a cue sheet with tracks");
        return std::nullopt;
    }
    TCueSheet sheet;
    if (!sheet.ReadWhatLibcueDrops(text, reason))
        return std::nullopt;
    for (int i = 1; i <= cd_get_ntrack(cd.get()); ++i) {
        const Track *track = cd_get_track(cd.get(), i);
        const char *fileName = track_get_filename(track);
        if (!fileName) {
            reason = QStringLiteral("track %1 has no FILE").arg(i);
            return std::nullopt;
        }
        TTrack entry;
        entry.File = sheet.FileIndex(QString::fromLocal8Bit(fileName), folder);
        entry.Audio = track_get_mode(track) == MODE_AUDIO;
        entry.Index00 = track_get_index(track, 0);
        entry.Index01 = track_get_index(track, 1);
        entry.Length = track_get_length(track);
        entry.Postgap = track_get_zero_post(track);
        entry.Pregap = i <= sheet.m_pregaps.size() ? sheet.m_pregaps[i - 1] : -1;
        if (entry.Index01 < 0) {
            reason = QStringLiteral("track %1 has no INDEX 01").arg(i);
            return std::nullopt;
        }
        sheet.m_tracks.append(entry);
    }
    return sheet;
}

// libcue parses a FILE line's type but keeps only its name, and keeps a
// PREGAP only when the track has no INDEX 00.
bool TCueSheet::ReadWhatLibcueDrops(const QByteArray &text, QString &reason)
{
    static const QRegularExpression fileLine(QStringLiteral("^FILE\\s+(?:\"([^\"]*)\"|(\\S+))\\s+(\\S+)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression pregapLine(QStringLiteral("^PREGAP\\s+(\\d+):(\\d+):(\\d+)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (const QByteArray &line : text.split('\n')) {
        const QString trimmed = QString::fromLocal8Bit(line).trimmed();
        if (trimmed.startsWith(QLatin1String("TRACK"), Qt::CaseInsensitive)) {
            m_pregaps.append(-1);
        } else if (const QRegularExpressionMatch match = pregapLine.match(trimmed);
                   match.hasMatch() && !m_pregaps.isEmpty()) {
            const std::optional<qint64> sectors = CdTimeSectors(match);
            if (!sectors) {
                reason = QStringLiteral("the PREGAP of track %1 is not a time on a disc").arg(m_pregaps.size());
                return false;
            }
            m_pregaps.last() = *sectors;
        } else if (const QRegularExpressionMatch match = fileLine.match(trimmed); match.hasMatch()) {
            TFile file;
            file.Name = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
            file.TypeName = match.captured(3).toUpper();
            file.Type = FileTypeOf(file.TypeName);
            m_files.append(file);
        }
    }
    return true;
}

int TCueSheet::FileIndex(const QString &name, const QString &folder)
{
    for (int i = 0; i < m_files.size(); ++i)
        if (m_files[i].Name == name) {
            m_files[i].Path = QDir(folder).filePath(name);
            return i;
        }
    // A FILE line the pattern above did not take apart.
    m_files.append(TFile{QDir(folder).filePath(name), name, Unsupported, QStringLiteral("unknown")});
    return int(m_files.size() - 1);
}
