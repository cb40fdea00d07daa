// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportDiscCommand.h"

#include "ToolCommand.h"
#include "cdaudio/CdDrive.h"
#include "record/SafeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

const QString ImageName = QStringLiteral("VEK");
constexpr int ChunkSectors = 75;
// A scratched sector is worth many tries when the disc is read only once.
constexpr int ImportRetries = 20;

QString SectorCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 sector") : QStringLiteral("%1 sectors").arg(count);
}

QString Where(const TDiscLayout &layout, qint64 sector)
{
    for (const TDiscTrack &track : layout.Tracks())
        if (sector >= track.Start && sector < track.End) {
            const qint64 offset = sector - track.Start;
            return QStringLiteral("track %1 at %2:%3")
                .arg(track.Number)
                .arg(offset / CdAudio::SectorsPerSecond / 60)
                .arg(offset / CdAudio::SectorsPerSecond % 60, 2, 10, QLatin1Char('0'));
        }
    return QStringLiteral("before the first track");
}

// "sectors 1200 to 1210 (track 3 at 0:16), ..." from rising sector numbers.
QString SectorRanges(const TDiscLayout &layout, const QList<qint64> &sectors)
{
    QStringList ranges;
    for (qsizetype i = 0; i < sectors.size();) {
        qsizetype j = i;
        while (j + 1 < sectors.size() && sectors[j + 1] == sectors[j] + 1)
            ++j;
        ranges.append(QStringLiteral("%1 (%2)")
                          .arg(i == j ? QString::number(sectors[i])
                                      : QStringLiteral("%1 to %2").arg(sectors[i]).arg(sectors[j]),
                               Where(layout, sectors[i])));
        i = j + 1;
    }
    return ranges.join(QStringLiteral(", "));
}

class TProgressBar
{
public:
    TProgressBar(QTextStream &stream, const QString &what, qint64 total)
        : m_stream(stream)
        , m_what(what)
        , m_total(total)
    {
    }
    ~TProgressBar() { m_stream << '\n'; }

    void Show(qint64 done)
    {
        const int percent = m_total > 0 ? int(done * 100 / m_total) : 100;
        if (percent == m_shown)
            return;
        m_shown = percent;
        m_stream << '\r' << m_what << " [" << QString(percent / 5, QLatin1Char('#')).leftJustified(20, QLatin1Char('.'))
                 << "] " << QString::number(percent).rightJustified(3) << "%  " << CdAudio::CueTime(done).left(5)
                 << " of " << CdAudio::CueTime(m_total).left(5);
        m_stream.flush();
    }

private:
    QTextStream &m_stream;
    QString m_what;
    qint64 m_total;
    int m_shown = -1;
};

// Reads the whole disc chunk by chunk, as little-endian bytes; data tracks
// read as zeros. handle returns false to stop.
bool ReadDisc(TCdDrive &drive, const QString &what, QTextStream &err, QList<qint64> &inexact,
              const std::function<bool(qint64 first, const QByteArray &bytes)> &handle)
{
    const TDiscLayout &layout = drive.Layout();
    std::vector<qint16> frames(size_t(ChunkSectors) * CdAudio::FramesPerSector * CdAudio::Channels);
    TProgressBar bar(err, what, layout.SectorCount());
    for (qint64 sector = 0; sector < layout.SectorCount();) {
        const TDiscTrack *track = nullptr;
        for (const TDiscTrack &t : layout.Tracks())
            if (sector >= t.Start && sector < t.End)
                track = &t;
        const qint64 runEnd = track ? track->End : layout.Tracks().first().Start;
        const int count = int(std::min<qint64>(ChunkSectors, runEnd - sector));
        const qsizetype samples = qsizetype(count) * CdAudio::FramesPerSector * CdAudio::Channels;
        if (track && !track->Audio) {
            std::fill(frames.begin(), frames.begin() + samples, qint16(0));
        } else {
            TCdError error;
            if (!drive.ReadSectors(sector, count, frames.data(), inexact, error)) {
                err << "\navektool import-disc: " << error.Text << '\n';
                return false;
            }
        }
        qToLittleEndian<qint16>(frames.data(), samples, frames.data());
        if (!handle(sector, QByteArray(reinterpret_cast<const char *>(frames.data()), samples * 2)))
            return false;
        sector += count;
        bar.Show(sector);
    }
    return true;
}

QString SheetText(const TDiscLayout &layout)
{
    QString sheet = QStringLiteral("REM imported by avektool import-disc\r\nFILE \"%1.bin\" BINARY\r\n").arg(ImageName);
    for (const TDiscTrack &track : layout.Tracks())
        sheet += QStringLiteral("  TRACK %1 %2\r\n    INDEX 01 %3\r\n")
                     .arg(track.Number, 2, 10, QLatin1Char('0'))
                     .arg(track.Audio ? QStringLiteral("AUDIO") : QStringLiteral("MODE1/2352"))
                     .arg(CdAudio::CueTime(track.Start));
    return sheet;
}

int Failed(const QString &reason, QTextStream &err)
{
    err << "avektool import-disc: " << reason << '\n';
    return ExitBadInput;
}

int Import(TCdDrive &drive, const QString &folder, QTextStream &out, QTextStream &err)
{
    const QDir dir(folder);
    TSafeFileWriter bin(dir.filePath(ImageName + QStringLiteral(".bin")));
    const QString cueName = dir.filePath(ImageName + QStringLiteral(".cue"));
    const QString sumsName = dir.filePath(ImageName + QStringLiteral(".sha256"));
    QString reason;
    if (!QDir().mkpath(folder)) {
        err << "avektool import-disc: the folder " << folder << " cannot be made\n";
        return ExitBadInput;
    }
    if (!bin.Open(reason))
        return Failed(reason, err);
    QCryptographicHash binHash(QCryptographicHash::Sha256);
    QList<qint64> inexact;
    bool written = true;
    const bool read = ReadDisc(drive, QStringLiteral("Reading"), err, inexact, [&](qint64, const QByteArray &bytes) {
        binHash.addData(bytes);
        written = bin.Write(bytes, reason);
        return written;
    });
    if (!written)
        return Failed(reason, err);
    if (!read)
        return ExitBadInput;
    const QByteArray sheet = SheetText(drive.Layout()).toUtf8();
    const QByteArray sheetSum = QCryptographicHash::hash(sheet, QCryptographicHash::Sha256).toHex();
    const QByteArray checksums = binHash.result().toHex() + "  " + ImageName.toUtf8() + ".bin\n" + sheetSum + "  " +
                                 ImageName.toUtf8() + ".cue\n";
    // The sound first, so that a sheet never names a file that is not there.
    if (!bin.Commit(reason) || !SafeFile::WriteAll(cueName, sheet, reason)
        || !SafeFile::WriteAll(sumsName, checksums, reason))
        return Failed(reason, err);
    out << "Wrote " << cueName << ", " << bin.Path() << " and " << sumsName << " ("
        << drive.Layout().Tracks().size() << " tracks, " << CdAudio::CueTime(drive.Layout().SectorCount()) << ")\n";
    if (!inexact.isEmpty()) {
        err << "avektool import-disc: " << SectorCount(inexact.size())
            << " could not be read exactly: " << SectorRanges(drive.Layout(), inexact)
            << ". Clean the disc and import it again, or run avektool check-disc on the image.\n";
        return ExitBadInput;
    }
    out << "Every sector was read exactly.\n";
    return ExitOk;
}

int Check(TCdDrive &drive, const QString &folder, QTextStream &out, QTextStream &err)
{
    QFile bin(QDir(folder).filePath(ImageName + QStringLiteral(".bin")));
    if (!bin.open(QIODevice::ReadOnly)) {
        err << "avektool import-disc: " << bin.fileName() << " cannot be opened: " << bin.errorString() << '\n';
        return ExitBadInput;
    }
    const qint64 expected = drive.Layout().SectorCount() * CdAudio::BytesPerSector;
    if (bin.size() != expected) {
        err << "avektool import-disc: " << bin.fileName() << " holds " << bin.size() << " bytes, the disc " << expected
            << '\n';
        return ExitBadInput;
    }
    QList<qint64> inexact, differing;
    const bool read =
        ReadDisc(drive, QStringLiteral("Comparing"), err, inexact, [&](qint64 first, const QByteArray &bytes) {
            const QByteArray stored = bin.read(bytes.size());
            for (qsizetype at = 0; at < bytes.size(); at += CdAudio::BytesPerSector)
                if (stored.mid(at, CdAudio::BytesPerSector) != bytes.mid(at, CdAudio::BytesPerSector))
                    differing.append(first + at / CdAudio::BytesPerSector);
            return true;
        });
    if (!read)
        return ExitBadInput;
    if (!inexact.isEmpty())
        err << "avektool import-disc: " << SectorCount(inexact.size())
            << " could not be read exactly this time: " << SectorRanges(drive.Layout(), inexact) << '\n';
    if (!differing.isEmpty()) {
        err << "avektool import-disc: " << SectorCount(differing.size()) << " of " << bin.fileName()
            << " differ from the disc: " << SectorRanges(drive.Layout(), differing) << '\n';
        return ExitBadInput;
    }
    out << "The disc and " << bin.fileName() << " agree in all " << drive.Layout().SectorCount() << " sectors.\n";
    return inexact.isEmpty() ? ExitOk : ExitBadInput;
}

} // namespace

int RunImportDisc(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList rest = arguments;
    const bool check = rest.removeAll(QStringLiteral("--check")) > 0;
    if (rest.isEmpty() || rest.size() > 2) {
        err << "Usage: avektool import-disc [--check] [DEVICE] DIR\n";
        return ExitBadUsage;
    }
    const QString device = rest.size() == 2 ? rest.first() : QString();
    const bool image = device.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive);
    TCdError error;
    const std::unique_ptr<TCdDrive> drive =
        TCdDrive::Open(device, error, image ? TCdDrive::CueImage : TCdDrive::Device);
    if (!drive) {
        err << "avektool import-disc: " << error.Text << '\n';
        return ExitBadInput;
    }
    drive->SetRetries(ImportRetries);
    return check ? Check(*drive, rest.last(), out, err) : Import(*drive, rest.last(), out, err);
}
