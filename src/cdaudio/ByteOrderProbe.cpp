// SPDX-License-Identifier: GPL-3.0-or-later
#include "ByteOrderProbe.h"

#include "DiscLayout.h"

#include <QtEndian>

#include <vector>

namespace ByteOrderProbe {

namespace {

// How many times rougher the wrong reading must be before the sound is
// taken to tell; real recordings differ by orders of magnitude.
constexpr double Decisive = 16;
// Enough sound to tell the byte order of a whole disc in a few milliseconds.
constexpr int ProbeCount = 32;
constexpr int ProbeSectors = 4;

qint16 Sample(const unsigned char *bytes, TOrder order)
{
    return order == LittleEndian ? qint16(bytes[0] | bytes[1] << 8) : qint16(bytes[1] | bytes[0] << 8);
}

// The energy of the change from one frame to the next, both channels.
double Roughness(QByteArrayView samples, TOrder order)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(samples.data());
    const qsizetype frames = samples.size() / 4;
    double sum = 0;
    for (qsizetype f = 1; f < frames; ++f)
        for (int channel = 0; channel < 2; ++channel) {
            const double change = double(Sample(bytes + 4 * f + 2 * channel, order)) -
                                  double(Sample(bytes + 4 * (f - 1) + 2 * channel, order));
            sum += change * change;
        }
    return sum;
}

} // namespace

std::optional<TOrder> Guess(QByteArrayView samples)
{
    const double little = Roughness(samples, LittleEndian);
    const double big = Roughness(samples, BigEndian);
    if (big > little * Decisive)
        return LittleEndian;
    if (little > big * Decisive)
        return BigEndian;
    return std::nullopt;
}

std::optional<bool> SoundsSwapped(ITrackFile &file)
{
    const qint64 sectors = file.SectorCount();
    const qint64 step = std::max<qint64>(ProbeSectors, sectors / ProbeCount);
    std::vector<qint16> probe(size_t(ProbeSectors) * CdAudio::FramesPerSector * CdAudio::Channels);
    QByteArray samples;
    for (qint64 at = 0; at < sectors; at += step) {
        const int count = int(std::min<qint64>(ProbeSectors, sectors - at));
        QString reason;
        if (!file.ReadSectors(at, count, probe.data(), reason))
            return std::nullopt;
        const qsizetype values = qsizetype(count) * CdAudio::FramesPerSector * CdAudio::Channels;
        qToLittleEndian<qint16>(probe.data(), values, probe.data());
        samples.append(reinterpret_cast<const char *>(probe.data()), values * 2);
    }
    const std::optional<TOrder> order = Guess(samples);
    if (!order)
        return std::nullopt;
    return *order == BigEndian;
}

} // namespace ByteOrderProbe
