// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscSource.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <stop_token>
#include <vector>

// The sound of a clinic's original disc, recorded once (NAME.fingerprint
// beside NAME.cue) so that every copy can be held against it: for each
// second of each audio track, counted from its INDEX 01, a hash of its
// samples and their power, and the level of each sector. Sentence and
// calibration stretches start and end on whole seconds, so a stretch is a
// run of these seconds. The hash finds accidental change (a bad copy, a
// ripper's processing), not deliberate forgery.
class TDiscFingerprint
{
public:
    static constexpr int BlockSectors = CdAudio::SectorsPerSecond;

    struct TBlock
    {
        quint64 Hash = 0;
        quint64 Energy = 0; // sum of the squares of all its samples
        bool operator==(const TBlock &) const = default;
    };

    // The seconds of one stretch or track as read, from its first sector on.
    class TPrint
    {
    public:
        void Add(const qint16 *frames, int sectors);
        // Ends a last second that is cut short.
        void Finish();
        const std::vector<TBlock> &Blocks() const { return m_blocks; }
        // One byte per sector: its level in half dB below full scale.
        const QByteArray &Envelope() const { return m_envelope; }

    private:
        std::vector<TBlock> m_blocks;
        QByteArray m_envelope;
        TBlock m_block;
        int m_blockSectors = 0;
    };

    // NAME.fingerprint for NAME.cue.
    static QString PathFor(const QString &sheetPath);

    // Reads every audio track of the disc whole; nullopt when a read failed
    // (error) or a stop was asked for (error Code None).
    static std::optional<TDiscFingerprint> Record(IDiscSource &disc, std::stop_token stop, TCdError &error);

    void AddTrack(int number, TPrint print);
    bool Save(const QString &path, QString &reason) const;
    static std::optional<TDiscFingerprint> Load(const QString &path, QString &reason);

    // Empty when the stretch, read as print, holds the original's samples;
    // otherwise how it differs, in words: its level, audio shifted, or other
    // audio altogether.
    QString Difference(const TDiscLayout &layout, TSectorStretch stretch, const TPrint &print) const;

private:
    struct TTrack
    {
        std::vector<TBlock> Blocks;
        QByteArray Envelope;
    };
    std::map<int, TTrack> m_tracks;
};
