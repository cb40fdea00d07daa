// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClientFileReader.h"

#include "RegularFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QIODevice>

#include <cstring>

namespace {

QString Shown(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

TStatus Refuse(const QString &fileName, const QString &reason)
{
    return TStatus::Error(QStringLiteral("The file %1 cannot be loaded: %2.").arg(Shown(fileName), reason));
}

} // namespace

TStatus ReadClientFile(QIODevice &device, const QString &fileName, TClientRecord &record)
{
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        return TStatus::Error(QStringLiteral("Cannot open file %1: %2").arg(Shown(fileName), device.errorString()));

    QByteArray image(TClientRecord::Size, '\0');
    qsizetype filled = 0;
    while (filled < image.size()) {
        const qint64 got = device.read(image.data() + filled, image.size() - filled);
        if (got < 0)
            return TStatus::Error(QStringLiteral("Cannot read file %1: %2").arg(Shown(fileName), device.errorString()));
        // A pipe may deliver the record in pieces; a file at its end delivers nothing more.
        if (got == 0 && (!device.isSequential() || !device.waitForReadyRead(-1)))
            break;
        filled += got;
    }

    if (filled < image.size()) {
        return Refuse(fileName, QStringLiteral("it holds %1 bytes, but a client file holds %2")
                                    .arg(filled)
                                    .arg(TClientRecord::Size));
    }
    if (std::memcmp(image.constData(), ClientFileSignature, sizeof ClientFileSignature) != 0)
        return Refuse(fileName, QStringLiteral("it is not a client file (it does not start with \"VEKTEST2\")"));

    const qint32 mdb = ByteImage::ReadInt32(image.constData(), ClientRecordLayout::CurrentMdb);
    if (mdb < 0 || mdb >= TClientRecord::MdbCount)
        return Refuse(fileName, QStringLiteral("its current MDB is %1, not 1 to 4").arg(qint64(mdb) + 1));

    record.SetImage(image);
    return TStatus::Ok();
}

TStatus ReadClientFile(const QString &fileName, TClientRecord &record, TFileStamp *stamp)
{
    QFile file(fileName);
    QString reason;
    if (!RegularFile::Open(file, MaxClientFileSize, reason))
        return TStatus::Error(QStringLiteral("Cannot open file %1: %2").arg(Shown(fileName), reason));
    QBuffer content;
    content.setData(file.read(MaxClientFileSize + 1));
    if (file.error() != QFileDevice::NoError)
        return TStatus::Error(QStringLiteral("Cannot read file %1: %2").arg(Shown(fileName), file.errorString()));
    if (const TStatus status = ReadClientFile(content, fileName, record); !status)
        return status;
    if (stamp)
        *stamp = TFileStamp::Of(fileName, content.data());
    return TStatus::Ok();
}
