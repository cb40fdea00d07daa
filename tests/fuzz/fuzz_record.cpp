// SPDX-License-Identifier: GPL-3.0-or-later
#include "administration/Snr50.h"
#include "record/ClientFileReader.h"
#include "record/ScoreFormat.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    TClientRecord record;
    if (!ReadClientFile(buffer, QStringLiteral("fuzz.VEK"), record))
        return 0;

    // Everything a page or the tool reads of a loaded file.
    QString texts = record.LastName() + record.FirstName() + record.MiddleInitial() + record.IdNumber() +
                    record.TestDate() + record.DateOfBirth() + record.Clinician() + record.ClientComments();
    RecomputeSnr50(record);
    // An accepted file's MDB must be one the pages can index.
    (void)record.Mdb(record.CurrentMdb()).Completed();
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        const TConstMdbBlock block = record.Mdb(m);
        texts += block.Comments() + Snr50Text(block.Snr50High()) + Snr50Text(block.Snr50Low());
        for (int s = 0; s < MdbBlockLayout::SlotCount; ++s)
            texts += ScreenScore(Percent(block.Proportion(s))) + PrintScore(block.Rau(s)) + ScreenScore(block.Wrau(s));
    }
    record.SetClientComments(texts);
    return 0;
}
