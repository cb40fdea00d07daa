// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscFingerprint.h"

#include "record/RegularFile.h"
#include "record/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const QByteArray Header = "AVEK disc fingerprint 1";
constexpr qsizetype SamplesPerSector = qsizetype(CdAudio::FramesPerSector) * CdAudio::Channels;
constexpr double FullScalePower = 32768.0 * 32768.0;
// A copy moved by up to this much against the original is told as shifted.
constexpr int MaxShiftSectors = 10 * CdAudio::SectorsPerSecond;
// Sector levels of the same sound agree to within their half-dB steps;
// other sound, even noise of the same colour, differs by decibels.
constexpr double SameShapeDb = 1.0;
// Below this a level difference is rounding, and the samples differ some
// other way.
constexpr double LevelStepDb = 0.05;

quint64 Mix(quint64 hash, quint64 word)
{
    hash ^= word;
    hash *= 0x9E3779B97F4A7C15ULL;
    return hash ^ (hash >> 29);
}

char EnvelopeByte(quint64 energy)
{
    if (energy == 0)
        return char(255);
    const double db = 10 * std::log10(double(energy) / double(SamplesPerSector) / FullScalePower);
    return char(std::clamp(int(std::lround(-2 * db)), 0, 255));
}

double Db(quint64 energy)
{
    return 10 * std::log10(std::max<double>(double(energy), 1));
}

} // namespace

void TDiscFingerprint::TPrint::Add(const qint16 *frames, int sectors)
{
    for (int s = 0; s < sectors; ++s) {
        const qint16 *sector = frames + s * SamplesPerSector;
        quint64 energy = 0;
        quint64 hash = m_block.Hash;
        for (qsizetype i = 0; i < SamplesPerSector; i += 4) {
            quint64 word;
            std::memcpy(&word, sector + i, sizeof word);
            hash = Mix(hash, word);
            for (int k = 0; k < 4; ++k)
                energy += quint64(qint64(sector[i + k]) * sector[i + k]);
        }
        m_block.Hash = hash;
        m_block.Energy += energy;
        m_envelope.append(EnvelopeByte(energy));
        if (++m_blockSectors == BlockSectors)
            Finish();
    }
}

void TDiscFingerprint::TPrint::Finish()
{
    if (m_blockSectors == 0)
        return;
    m_blocks.push_back(m_block);
    m_block = {};
    m_blockSectors = 0;
}

QString TDiscFingerprint::PathFor(const QString &sheetPath)
{
    const QFileInfo sheet(sheetPath);
    return sheet.dir().filePath(sheet.completeBaseName() + QStringLiteral(".fingerprint"));
}

std::optional<TDiscFingerprint> TDiscFingerprint::Record(IDiscSource &disc, std::stop_token stop, TCdError &error)
{
    TDiscFingerprint fingerprint;
    std::vector<qint16> frames(size_t(BlockSectors) * SamplesPerSector);
    for (const TDiscTrack &track : disc.Layout().Tracks()) {
        if (!track.Audio)
            continue;
        TPrint print;
        for (qint64 sector = track.Start; sector < track.End; sector += BlockSectors) {
            if (stop.stop_requested()) {
                error = {};
                return std::nullopt;
            }
            const int count = int(std::min<qint64>(BlockSectors, track.End - sector));
            if (!disc.ReadSectors(sector, count, frames.data(), error))
                return std::nullopt;
            print.Add(frames.data(), count);
        }
        print.Finish();
        fingerprint.AddTrack(track.Number, std::move(print));
    }
    return fingerprint;
}

void TDiscFingerprint::AddTrack(int number, TPrint print)
{
    m_tracks[number] = TTrack{print.Blocks(), print.Envelope()};
}

bool TDiscFingerprint::Save(const QString &path, QString &reason) const
{
    QByteArray text = Header + '\n';
    for (const auto &[number, track] : m_tracks) {
        text += "track " + QByteArray::number(number) + ' ' + QByteArray::number(qsizetype(track.Blocks.size())) + ' ' +
                track.Envelope.toBase64() + '\n';
        for (const TBlock &block : track.Blocks)
            text += QByteArray::number(block.Hash, 16).rightJustified(16, '0') + ' ' +
                    QByteArray::number(block.Energy) + '\n';
    }
    return SafeFile::WriteAll(path, text, reason);
}

std::optional<TDiscFingerprint> TDiscFingerprint::Load(const QString &path, QString &reason)
{
    QFile file(path);
    // A whole disc's fingerprint is a few hundred kilobytes.
    constexpr qint64 MaxSize = 16 << 20;
    if (QString why; !RegularFile::Open(file, MaxSize, why)) {
        reason = QStringLiteral("%1 cannot be read: %2").arg(QFileInfo(path).fileName(), why);
        return std::nullopt;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    const auto broken = [&](qsizetype line) {
        reason = QStringLiteral("%1 is not a disc fingerprint (line %2)").arg(QFileInfo(path).fileName()).arg(line + 1);
        return std::nullopt;
    };
    if (lines.isEmpty() || lines.first() != Header)
        return broken(0);
    TDiscFingerprint fingerprint;
    for (qsizetype l = 1; l < lines.size();) {
        if (lines[l].isEmpty() && l == lines.size() - 1)
            break;
        const QList<QByteArray> fields = lines[l].split(' ');
        bool numberOk = false, countOk = false;
        const int number = fields.size() == 4 && fields[0] == "track" ? fields[1].toInt(&numberOk) : 0;
        const qsizetype count = numberOk ? fields[2].toLongLong(&countOk) : 0;
        if (!countOk || count < 0 || count > lines.size() - l - 1 || fingerprint.m_tracks.count(number))
            return broken(l);
        TTrack track;
        track.Envelope = QByteArray::fromBase64(fields[3]);
        if (track.Envelope.size() > count * BlockSectors || track.Envelope.size() <= (count - 1) * BlockSectors)
            return broken(l);
        for (qsizetype b = 0; b < count; ++b) {
            const QList<QByteArray> block = lines[l + 1 + b].split(' ');
            bool hashOk = false, energyOk = false;
            const quint64 hash = block.size() == 2 ? block[0].toULongLong(&hashOk, 16) : 0;
            const quint64 energy = hashOk ? block[1].toULongLong(&energyOk) : 0;
            if (!energyOk)
                return broken(l + 1 + b);
            track.Blocks.push_back({hash, energy});
        }
        fingerprint.m_tracks[number] = std::move(track);
        l += 1 + count;
    }
    return fingerprint;
}

QString TDiscFingerprint::Difference(const TDiscLayout &layout, TSectorStretch stretch, const TPrint &print) const
{
    const auto track = std::find_if(layout.Tracks().begin(), layout.Tracks().end(), [&](const TDiscTrack &t) {
        return stretch.First >= t.Start && stretch.First < t.End;
    });
    const auto original = track == layout.Tracks().end() ? m_tracks.end() : m_tracks.find(track->Number);
    if (original == m_tracks.end())
        return QStringLiteral("lies in a track the original disc does not have");
    const qint64 offset = stretch.First - track->Start;
    const qint64 firstBlock = offset / BlockSectors;
    const std::vector<TBlock> &was = original->second.Blocks;
    const std::vector<TBlock> &is = print.Blocks();
    const bool inside = offset % BlockSectors == 0 && firstBlock + qint64(is.size()) <= qint64(was.size());
    if (inside && std::equal(is.begin(), is.end(), was.begin() + firstBlock))
        return QString();

    // The same sound, perhaps louder or elsewhere: the sector levels agree
    // in shape at some shift.
    const QByteArray &envelope = original->second.Envelope;
    const QByteArray &heard = print.Envelope();
    double bestResidual = SameShapeDb;
    std::optional<qint64> bestShift;
    for (qint64 shift = -MaxShiftSectors; shift <= MaxShiftSectors; ++shift) {
        const qint64 from = offset + shift;
        if (from < 0 || from + heard.size() > envelope.size() || heard.isEmpty())
            continue;
        double sum = 0;
        for (qsizetype i = 0; i < heard.size(); ++i)
            sum += double(quint8(heard[i])) - double(quint8(envelope[from + i]));
        const double mean = sum / double(heard.size());
        double residual = 0;
        for (qsizetype i = 0; i < heard.size(); ++i)
            residual += std::abs(double(quint8(heard[i])) - double(quint8(envelope[from + i])) - mean);
        residual /= 2 * double(heard.size()); // in dB
        if (residual < bestResidual) {
            bestResidual = residual;
            bestShift = shift;
        }
    }
    if (!bestShift)
        return QStringLiteral("holds other audio than the original disc");
    if (*bestShift != 0)
        return QStringLiteral("holds the original disc's audio shifted: what it plays lies %1 s %2 on the original")
            .arg(double(std::abs(*bestShift)) / CdAudio::SectorsPerSecond, 0, 'f', 2)
            .arg(*bestShift > 0 ? QStringLiteral("later") : QStringLiteral("earlier"));
    quint64 wasEnergy = 0, isEnergy = 0;
    for (size_t b = 0; inside && b < is.size(); ++b) {
        wasEnergy += was[size_t(firstBlock) + b].Energy;
        isEnergy += is[b].Energy;
    }
    const double change = Db(isEnergy) - Db(wasEnergy);
    if (inside && std::abs(change) >= LevelStepDb)
        return QStringLiteral("is %1 dB %2 than on the original disc")
            .arg(std::abs(change), 0, 'f', 1)
            .arg(change > 0 ? QStringLiteral("louder") : QStringLiteral("quieter"));
    return QStringLiteral("differs from the original disc in its samples, though it sounds alike");
}
