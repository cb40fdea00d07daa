// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscSource.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct _CdIo;
struct cdrom_drive_s;
struct cdrom_paranoia_s;

// A CD drive through libcdio, read as a careful ripper reads it: through
// paranoia, which corrects jitter and re-reads a sector that comes back
// wrong.
class TCdDrive : public IDiscSource
{
public:
    // What libcdio reads: a real drive, or its own reader of .cue/.bin
    // images, which gives the same table of contents and audio and stands in
    // for a drive where there is none.
    enum TDriver { Device, CueImage };

    // device: a device node such as /dev/sr0, or empty for the system's
    // default drive. nullptr with the error when there is no drive, no disc
    // or no audio on it.
    static std::unique_ptr<TCdDrive> Open(const QString &device, TCdError &error, TDriver driver = Device);
    ~TCdDrive() override;

    const TDiscLayout &Layout() const override { return m_layout; }
    // Fails, too, when a sector could not be read exactly.
    bool ReadSectors(qint64 first, int count, qint16 *frames, TCdError &error) override;
    // Reads what it can; inexact receives the sectors paranoia gave up on.
    bool ReadSectors(qint64 first, int count, qint16 *frames, QList<qint64> &inexact, TCdError &error);

    int TakeRereads() override;

    // How often a sector that comes back wrong is read again before paranoia
    // gives up on it; few while a sentence waits, many for an import.
    void SetRetries(int retries) { m_retries = retries; }

    // For playing: from now on the drive reads on ahead of the last read
    // into memory, and keeps the disc spinning while idle, so that neither
    // a spin-up nor a re-read sector delays or cuts a sentence.
    void StartReadAhead() { m_readAheadWanted = true; }

private:
    explicit TCdDrive(_CdIo *cdio) : m_cdio(cdio) {}
    bool ReadTableOfContents(TCdError &error);
    bool StartParanoia(TCdError &error);
    bool ReadThroughParanoia(qint64 first, int count, qint16 *frames, QList<qint64> &inexact, TCdError &error);
    bool TakeFromReadAhead(qint64 first, int count, qint16 *frames);
    void HoldReadAhead();
    void FollowRead(qint64 next);
    void ReadAhead();

    _CdIo *m_cdio;
    cdrom_drive_s *m_drive = nullptr;
    cdrom_paranoia_s *m_paranoia = nullptr;
    qint64 m_nextSector = -1; // where paranoia reads next
    int m_retries = 3;
    int m_mended = 0; // under m_paranoiaMutex
    TDiscLayout m_layout;
    std::mutex m_paranoiaMutex; // one reader at a time
    bool m_readAheadWanted = false;

    // What was read ahead: sectors from m_aheadFirst on.
    std::mutex m_aheadMutex;
    std::condition_variable m_aheadWake;
    std::vector<qint16> m_ahead;
    qint64 m_aheadFirst = 0;
    quint64 m_aheadGeneration = 0; // changes when the play moves elsewhere
    bool m_aheadBlocked = false;   // by a sector the play must read itself
    bool m_aheadStop = false;
    std::thread m_aheadReader;
};
