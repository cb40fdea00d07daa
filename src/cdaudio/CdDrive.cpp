#include "CdDrive.h"

#include <QFile>
#include <QtEndian>

#include <cdio/cdio.h>
#include <cdio/logging.h>

namespace {

// libcdio reports to stderr by default; the player reports its own errors.
void DiscardLog(cdio_log_level_t, const char *) {}

} // namespace

std::unique_ptr<TCdDrive> TCdDrive::Open(const QString &device, TCdError &error)
{
    cdio_log_set_handler(DiscardLog);
    QByteArray node = QFile::encodeName(device);
    if (node.isEmpty()) {
        driver_id_t driver = DRIVER_DEVICE;
        char *found = cdio_get_default_device_driver(&driver);
        if (!found) {
            error = TCdError::NoDriveFound();
            return nullptr;
        }
        node = found;
        cdio_free(found);
    }
    CdIo_t *cdio = cdio_open(node.constData(), DRIVER_DEVICE);
    if (!cdio) {
        error = TCdError::DriveUnavailable(QFile::decodeName(node));
        return nullptr;
    }
    std::unique_ptr<TCdDrive> drive(new TCdDrive(cdio));
    if (!drive->ReadTableOfContents(error))
        return nullptr;
    return drive;
}

TCdDrive::~TCdDrive()
{
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

bool TCdDrive::ReadSectors(qint64 first, int count, qint16 *frames, TCdError &error)
{
    if (first < 0 || count < 0 || first + count > m_layout.SectorCount()) {
        error = TCdError::ReadFailedAt(first, QStringLiteral("it lies outside the disc"));
        return false;
    }
    const driver_return_code_t result = cdio_read_audio_sectors(m_cdio, frames, lsn_t(first), uint32_t(count));
    if (result != DRIVER_OP_SUCCESS) {
        error = TCdError::ReadFailedAt(first, QString::fromLatin1(cdio_driver_errmsg(result)));
        return false;
    }
    // Audio sectors come off the disc little-endian.
    qFromLittleEndian<qint16>(frames, qsizetype(count) * CdAudio::FramesPerSector * CdAudio::Channels, frames);
    return true;
}
