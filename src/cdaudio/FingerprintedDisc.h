// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscFingerprint.h"
#include "DiscSource.h"

#include <memory>

// A disc image played with the fingerprint of the original beside it:
// each stretch is read whole and held against the fingerprint before it is
// played, so that a copy damaged since it was checked is not heard.
class TFingerprintedDisc : public IDiscSource
{
public:
    TFingerprintedDisc(std::unique_ptr<IDiscSource> disc, TDiscFingerprint original)
        : m_disc(std::move(disc)), m_original(std::move(original))
    {
    }

    const TDiscLayout &Layout() const override { return m_disc->Layout(); }
    QStringList Notes() const override { return m_disc->Notes(); }
    bool ReadSectors(qint64 first, int count, qint16 *frames, TCdError &error) override
    {
        return m_disc->ReadSectors(first, count, frames, error);
    }
    int TakeRereads() override { return m_disc->TakeRereads(); }
    bool VerifyStretch(TSectorStretch stretch, TCdError &error) override;

private:
    std::unique_ptr<IDiscSource> m_disc;
    TDiscFingerprint m_original;
};
