#pragma once

#include "DiscSource.h"

#include <memory>

struct _CdIo;

// A physical CD drive through libcdio's device driver.
class TCdDrive : public TDiscSource
{
public:
    // device: a device node such as /dev/sr0, or empty for the system's
    // default drive. nullptr with the error when there is no drive, no disc
    // or no audio on it.
    static std::unique_ptr<TCdDrive> Open(const QString &device, TCdError &error);
    ~TCdDrive() override;

    const TDiscLayout &Layout() const override { return m_layout; }
    bool ReadSectors(qint64 first, int count, qint16 *frames, TCdError &error) override;

private:
    explicit TCdDrive(_CdIo *cdio) : m_cdio(cdio) {}
    bool ReadTableOfContents(TCdError &error);

    _CdIo *m_cdio;
    TDiscLayout m_layout;
};
