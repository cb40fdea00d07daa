// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileStamp.h"

#include "RegularFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

TFileStamp TFileStamp::Of(const QString &path, const QByteArray &content)
{
    return TFileStamp{path, content.size(), QCryptographicHash::hash(content, QCryptographicHash::Sha256)};
}

bool TFileStamp::IsOf(const QString &path) const
{
    return !Path.isEmpty() && QFileInfo(Path).absoluteFilePath() == QFileInfo(path).absoluteFilePath();
}

TStatus ReadFileStamp(const QString &path, TFileStamp &stamp)
{
    stamp = TFileStamp{path, -1, {}};
    if (!QFile::exists(path))
        return TStatus::Ok();
    QFile file(path);
    QString reason;
    if (!RegularFile::Open(file, MaxClientFileSize, reason))
        return TStatus::Error(QStringLiteral("Cannot open file %1: %2").arg(QDir::toNativeSeparators(path), reason));
    const QByteArray content = file.read(MaxClientFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return TStatus::Error(
            QStringLiteral("Cannot read file %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    stamp = TFileStamp::Of(path, content);
    return TStatus::Ok();
}
