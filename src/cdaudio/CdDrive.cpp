// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdDrive.h"

#include <QFile>

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <algorithm>
#include <cstring>

namespace {

// Ten seconds: more than the pause between two sentences of a passage.
constexpr qint64 ReadAheadSectors = 10 * CdAudio::SectorsPerSecond;
constexpr int ReadAheadChunk = 8;
constexpr qsizetype SamplesPerSector = qsizetype(CdAudio::FramesPerSector) * CdAudio::Channels;
// Most drives spin down after half a minute or more without a read.
constexpr std::chrono::seconds KeepSpinning{10};

// libcdio reports to stderr by default; the player reports its own errors.
void DiscardLog(cdio_log_level_t, const char *) {}

// Paranoia tells of sectors through a callback without a context; reads are
// one at a time per thread.
thread_local QList<qint64> *InexactSectors = nullptr;
thread_local int *Mended = nullptr;

bool IsMend(paranoia_cb_mode_t mode)
{
    switch (mode) {
    case PARANOIA_CB_FIXUP_EDGE:
    case PARANOIA_CB_FIXUP_ATOM:
    case PARANOIA_CB_FIXUP_DROPPED:
    case PARANOIA_CB_FIXUP_DUPED:
    case PARANOIA_CB_DRIFT:
    case PARANOIA_CB_READERR:
    case PARANOIA_CB_SKIP:
        return true;
    default:
        return false;
    }
}

void NoteRead(long position, paranoia_cb_mode_t mode)
{
    if (Mended && IsMend(mode))
        ++*Mended;
    if (InexactSectors && (mode == PARANOIA_CB_SKIP || mode == PARANOIA_CB_READERR)) {
        const qint64 sector = position / CD_FRAMEWORDS;
        if (InexactSectors->isEmpty() || InexactSectors->last() != sector)
            InexactSectors->append(sector);
    }
}

} // namespace

std::unique_ptr<TCdDrive> TCdDrive::Open(const QString &device, TCdError &error, TDriver driver)
{
    cdio_log_set_handler(DiscardLog);
    const driver_id_t driverId = driver == CueImage ? DRIVER_BINCUE : DRIVER_DEVICE;
    QByteArray node = QFile::encodeName(device);
    if (node.isEmpty()) {
        driver_id_t foundDriver = driverId;
        char *found = cdio_get_default_device_driver(&foundDriver);
        if (!found) {
            error = TCdError::NoDriveFound();
            return nullptr;
        }
        node = found;
        cdio_free(found);
    }
    CdIo_t *cdio = cdio_open(node.constData(), driverId);
    if (!cdio) {
        error = TCdError::DriveUnavailable(QFile::decodeName(node));
        return nullptr;
    }
    std::unique_ptr<TCdDrive> drive(new TCdDrive(cdio));
    if (!drive->ReadTableOfContents(error) || !drive->StartParanoia(error))
        return nullptr;
    return drive;
}

TCdDrive::~TCdDrive()
{
    {
        const std::lock_guard lock(m_aheadMutex);
        m_aheadStop = true;
    }
    m_aheadWake.notify_all();
    if (m_aheadReader.joinable())
        m_aheadReader.join();
    if (m_paranoia)
        cdio_paranoia_free(m_paranoia);
    if (m_drive)
        cdio_cddap_close_no_free_cdio(m_drive);
    cdio_destroy(m_cdio);
}

bool TCdDrive::ReadTableOfContents(TCdError &error)
{
    const track_t firstTrack = cdio_get_first_track_num(m_cdio);
    const track_t trackCount = cdio_get_num_tracks(m_cdio);
    if (firstTrack == CDIO_INVALID_TRACK || trackCount == CDIO_INVALID_TRACK || trackCount == 0) {
        error = TCdError::NoDiscInDrive();
        return false;
    }
    QList<TDiscTrack> tracks;
    for (track_t t = firstTrack; t < firstTrack + trackCount; ++t) {
        const lsn_t start = cdio_get_track_lsn(m_cdio, t);
        const lsn_t end = cdio_get_track_lsn(m_cdio, t + 1 < firstTrack + trackCount ? t + 1 : CDIO_CDROM_LEADOUT_TRACK);
        if (start == CDIO_INVALID_LSN || end == CDIO_INVALID_LSN || end < start) {
            error = TCdError::NoDiscInDrive();
            return false;
        }
        tracks.append(TDiscTrack{t, start, end, cdio_get_track_format(m_cdio, t) == TRACK_FORMAT_AUDIO});
    }
    m_layout = TDiscLayout(tracks, tracks.last().End);
    if (!m_layout.HasAudio()) {
        error = TCdError::NoAudioTracks();
        return false;
    }
    return true;
}

bool TCdDrive::StartParanoia(TCdError &error)
{
    char *messages = nullptr;
    m_drive = cdio_cddap_identify_cdio(m_cdio, CDDA_MESSAGE_LOGIT, &messages);
    const QString told = messages ? QString::fromLocal8Bit(messages).trimmed() : QString();
    cdio_cddap_free_messages(messages);
    if (!m_drive || cdio_cddap_open(m_drive) != 0) {
        error = TCdError::ReadFailedAt(0, told.isEmpty() ? QStringLiteral("the drive cannot read audio") : told);
        return false;
    }
    cdio_cddap_verbose_set(m_drive, CDDA_MESSAGE_FORGETIT, CDDA_MESSAGE_FORGETIT);
    m_paranoia = cdio_paranoia_init(m_drive);
    cdio_paranoia_modeset(m_paranoia, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
    return true;
}

bool TCdDrive::ReadSectors(qint64 first, int count, qint16 *frames, TCdError &error)
{
    if (first < 0 || count < 0 || first + count > m_layout.SectorCount()) {
        error = TCdError::ReadFailedAt(first, QStringLiteral("it lies outside the disc"));
        return false;
    }
    if (TakeFromReadAhead(first, count, frames))
        return true;
    HoldReadAhead();
    QList<qint64> inexact;
    if (!ReadThroughParanoia(first, count, frames, inexact, error))
        return false;
    if (!inexact.isEmpty()) {
        error = TCdError::ReadFailedAt(inexact.first(),
                                       QStringLiteral("it could not be read exactly (a scratch or dirt?)"));
        return false;
    }
    if (m_readAheadWanted)
        FollowRead(first + count);
    return true;
}

int TCdDrive::TakeRereads()
{
    const std::lock_guard lock(m_paranoiaMutex);
    return std::exchange(m_mended, 0);
}

bool TCdDrive::ReadSectors(qint64 first, int count, qint16 *frames, QList<qint64> &inexact, TCdError &error)
{
    if (first < 0 || count < 0 || first + count > m_layout.SectorCount()) {
        error = TCdError::ReadFailedAt(first, QStringLiteral("it lies outside the disc"));
        return false;
    }
    return ReadThroughParanoia(first, count, frames, inexact, error);
}

bool TCdDrive::ReadThroughParanoia(qint64 first, int count, qint16 *frames, QList<qint64> &inexact, TCdError &error)
{
    const std::lock_guard lock(m_paranoiaMutex);
    if (first != m_nextSector)
        cdio_paranoia_seek(m_paranoia, int32_t(first), SEEK_SET);
    m_nextSector = -1;
    InexactSectors = &inexact;
    Mended = &m_mended;
    for (int s = 0; s < count; ++s) {
        // Paranoia gives samples in the machine's byte order.
        const int16_t *sector = cdio_paranoia_read_limited(m_paranoia, NoteRead, m_retries);
        if (!sector) {
            InexactSectors = nullptr;
            Mended = nullptr;
            error = TCdError::ReadFailedAt(first + s, QStringLiteral("the drive gave no data"));
            return false;
        }
        std::memcpy(frames + s * SamplesPerSector, sector, CdAudio::BytesPerSector);
    }
    InexactSectors = nullptr;
    Mended = nullptr;
    m_nextSector = first + count;
    return true;
}

// Serves the read from what was read ahead.
bool TCdDrive::TakeFromReadAhead(qint64 first, int count, qint16 *frames)
{
    if (!m_aheadReader.joinable())
        return false;
    std::unique_lock lock(m_aheadMutex);
    const qint64 held = qint64(m_ahead.size()) / SamplesPerSector;
    if (first < m_aheadFirst || first + count > m_aheadFirst + held)
        return false;
    const auto from = m_ahead.begin() + (first - m_aheadFirst) * SamplesPerSector;
    std::copy(from, from + count * SamplesPerSector, frames);
    m_ahead.erase(m_ahead.begin(), from + count * SamplesPerSector);
    m_aheadFirst = first + count;
    lock.unlock();
    m_aheadWake.notify_one();
    return true;
}

// The play reads elsewhere: what was read ahead is of no use, and the
// drive is the play's until it has read.
void TCdDrive::HoldReadAhead()
{
    const std::lock_guard lock(m_aheadMutex);
    m_ahead.clear();
    ++m_aheadGeneration;
    m_aheadBlocked = true;
}

void TCdDrive::FollowRead(qint64 next)
{
    {
        const std::lock_guard lock(m_aheadMutex);
        m_aheadFirst = next;
        m_aheadBlocked = false;
    }
    if (!m_aheadReader.joinable())
        m_aheadReader = std::thread([this] { ReadAhead(); });
    m_aheadWake.notify_one();
}

void TCdDrive::ReadAhead()
{
    std::vector<qint16> chunk(size_t(ReadAheadChunk) * SamplesPerSector);
    std::unique_lock lock(m_aheadMutex);
    while (!m_aheadStop) {
        const qint64 next = m_aheadFirst + qint64(m_ahead.size()) / SamplesPerSector;
        const int count = int(std::min<qint64>(ReadAheadChunk, m_layout.SectorCount() - next));
        if (m_aheadBlocked || next - m_aheadFirst >= ReadAheadSectors || count <= 0) {
            // Nothing to read ahead: a read now and then keeps the disc spinning.
            if (m_aheadWake.wait_for(lock, KeepSpinning) == std::cv_status::timeout && !m_aheadStop) {
                lock.unlock();
                QList<qint64> inexact;
                TCdError error;
                ReadThroughParanoia(std::max<qint64>(0, next - 1), 1, chunk.data(), inexact, error);
                lock.lock();
            }
            continue;
        }
        const quint64 generation = m_aheadGeneration;
        lock.unlock();
        QList<qint64> inexact;
        TCdError error;
        const bool read = ReadThroughParanoia(next, count, chunk.data(), inexact, error) && inexact.isEmpty();
        lock.lock();
        if (generation != m_aheadGeneration)
            continue;
        // The play reads a bad sector itself, and so reports it.
        if (!read)
            m_aheadBlocked = true;
        else
            m_ahead.insert(m_ahead.end(), chunk.begin(), chunk.begin() + count * SamplesPerSector);
    }
}
