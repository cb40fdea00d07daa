// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueSheet.h"

#include "SheetFilePath.h"
#include "record/RegularFile.h"
#include "record/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

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

// A sheet with a byte-order mark says its encoding; one without is UTF-8
// when it is valid UTF-8, and otherwise the Windows code page most rippers
// on Windows write.
QString DecodeSheet(const QByteArray &bytes)
{
    if (const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes))
        return QStringDecoder(*marked).decode(bytes);
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? Windows1252::Decode(bytes) : text;
}

// The words of a line; a quoted word keeps its spaces.
QStringList SplitWords(const QString &line)
{
    static const QRegularExpression word(QStringLiteral("\"([^\"]*)\"?|(\\S+)"));
    QStringList words;
    for (const QRegularExpressionMatch &match : word.globalMatch(line))
        words.append(match.capturedLength(2) > 0 ? match.captured(2) : match.captured(1));
    return words;
}

// mm:ss:ff of a disc: at most 99 minutes, so that no sheet can make the
// sector count overflow.
std::optional<qint64> CdTimeSectors(const QString &text)
{
    static const QRegularExpression time(QStringLiteral("^(\\d{1,2}):(\\d{1,2}):(\\d{1,2})$"));
    const QRegularExpressionMatch match = time.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int minutes = match.captured(1).toInt();
    const int seconds = match.captured(2).toInt();
    const int frames = match.captured(3).toInt();
    if (seconds > 59 || frames > 74)
        return std::nullopt;
    return (qint64(minutes) * 60 + seconds) * 75 + frames;
}

std::optional<int> NumberIn(const QString &text, int low, int high)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < low || number > high)
        return std::nullopt;
    return number;
}

} // namespace

std::optional<TCueSheet> TCueSheet::Load(const QString &path, QString &reason)
{
    QFile file(path);
    if (QString why; !RegularFile::Open(file, MaxSheetSize, why)) {
        reason = QStringLiteral("the sheet cannot be opened (%1)").arg(why);
        return std::nullopt;
    }
    const QByteArray text = file.read(MaxSheetSize);
    if (file.error() != QFileDevice::NoError) {
        reason = QStringLiteral("the sheet cannot be read (%1)").arg(file.errorString());
        return std::nullopt;
    }
    return Parse(text, QFileInfo(path).absolutePath(), reason);
}

std::optional<TCueSheet> TCueSheet::Parse(const QByteArray &bytes, const QString &folder, QString &reason)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    TCueSheet sheet;
    const QStringList lines = DecodeSheet(bytes).split(lineEnd);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList words = SplitWords(lines[i]);
        if (!words.isEmpty() && !sheet.ReadLine(words, folder, reason)) {
            reason = QStringLiteral("line %1: %2").arg(i + 1).arg(reason);
            return std::nullopt;
        }
    }
    if (!sheet.Finish(reason))
        return std::nullopt;
    return sheet;
}

// Lines other than these (REM, CATALOG, FLAGS, ISRC, TITLE, ...) say nothing
// about where the sound is.
bool TCueSheet::ReadLine(const QStringList &words, const QString &folder, QString &reason)
{
    const QString keyword = words.first().toUpper();
    if (keyword == QLatin1String("FILE"))
        return ReadFile(words, folder, reason);
    if (keyword == QLatin1String("TRACK"))
        return ReadTrack(words, reason);
    if (keyword == QLatin1String("INDEX"))
        return ReadIndex(words, reason);
    if (keyword == QLatin1String("PREGAP"))
        return ReadGap(words, &TTrack::Pregap, reason);
    if (keyword == QLatin1String("POSTGAP"))
        return ReadGap(words, &TTrack::Postgap, reason);
    return true;
}

bool TCueSheet::ReadFile(const QStringList &words, const QString &folder, QString &reason)
{
    if (words.size() < 3) {
        reason = QStringLiteral("FILE needs a name and a type");
        return false;
    }
    TFile file;
    // An unquoted name with spaces in it is all the words before the type.
    file.Name = words.mid(1, words.size() - 2).join(QLatin1Char(' '));
    file.TypeName = words.last().toUpper();
    file.Type = FileTypeOf(file.TypeName);
    file.Path = FindSheetFile(folder, file.Name);
    m_files.append(file);
    return true;
}

bool TCueSheet::ReadTrack(const QStringList &words, QString &reason)
{
    const std::optional<int> number = words.size() == 3 ? NumberIn(words[1], 1, 99) : std::nullopt;
    if (!number) {
        reason = QStringLiteral("TRACK needs a number from 1 to 99 and a mode");
        return false;
    }
    if (!m_tracks.isEmpty() && *number <= m_tracks.last().Number) {
        reason = QStringLiteral("track %1 follows track %2").arg(*number).arg(m_tracks.last().Number);
        return false;
    }
    TTrack track;
    track.Number = *number;
    track.Audio = words[2].toUpper() == QLatin1String("AUDIO");
    m_tracks.append(track);
    return true;
}

bool TCueSheet::ReadIndex(const QStringList &words, QString &reason)
{
    if (m_tracks.isEmpty() || m_files.isEmpty()) {
        reason =
            m_tracks.isEmpty() ? QStringLiteral("INDEX before any TRACK") : QStringLiteral("INDEX before any FILE");
        return false;
    }
    TTrack &track = m_tracks.last();
    const std::optional<int> number = words.size() == 3 ? NumberIn(words[1], 0, 99) : std::nullopt;
    const std::optional<qint64> offset = words.size() == 3 ? CdTimeSectors(words[2]) : std::nullopt;
    if (!number || !offset) {
        reason = QStringLiteral("the INDEX of track %1 is not a number and a time on a disc").arg(track.Number);
        return false;
    }
    if (!track.Indexes.isEmpty() && *number <= track.Indexes.last().Number) {
        reason = QStringLiteral("the indexes of track %1 are out of order").arg(track.Number);
        return false;
    }
    const int file = int(m_files.size() - 1);
    track.Indexes.append(TIndex{*number, file, *offset});
    if (*number == 1)
        track.File = file;
    return true;
}

bool TCueSheet::ReadGap(const QStringList &words, qint64 TTrack::*gap, QString &reason)
{
    const QString keyword = words.first().toUpper();
    if (m_tracks.isEmpty()) {
        reason = QStringLiteral("%1 before any TRACK").arg(keyword);
        return false;
    }
    const std::optional<qint64> sectors = words.size() == 2 ? CdTimeSectors(words[1]) : std::nullopt;
    if (!sectors) {
        reason = QStringLiteral("the %1 of track %2 is not a time on a disc").arg(keyword).arg(m_tracks.last().Number);
        return false;
    }
    m_tracks.last().*gap = *sectors;
    return true;
}

bool TCueSheet::Finish(QString &reason) const
{
    if (m_tracks.isEmpty()) {
        reason = QStringLiteral("it is not a cue sheet with tracks");
        return false;
    }
    for (const TTrack &track : m_tracks)
        if (std::none_of(track.Indexes.cbegin(), track.Indexes.cend(), [](const TIndex &i) { return i.Number == 1; })) {
            reason = QStringLiteral("track %1 has no INDEX 01").arg(track.Number);
            return false;
        }
    return true;
}
