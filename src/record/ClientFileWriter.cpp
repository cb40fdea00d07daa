// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClientFileWriter.h"

#include "PrivateSave.h"

#include <QDir>
#include <QSaveFile>

namespace {

class TSaveFileTarget : public ISaveTarget
{
public:
    explicit TSaveFileTarget(const QString &fileName) : m_file(fileName) {}

    bool open() override { return PrivateSave::Open(m_file); }
    qint64 write(const QByteArray &bytes) override { return m_file.write(bytes); }
    // QSaveFile buffers: without an explicit flush a full disk shows up only in
    // commit(), and Qt 6.4 then reports success with an empty file.
    bool flush() override { return m_file.flush(); }
    bool commit() override { return m_file.commit(); }
    QString errorString() const override { return m_file.errorString(); }

private:
    QSaveFile m_file;
};

} // namespace

TStatus WriteClientFile(const TClientRecord &record, const QString &fileName)
{
    TSaveFileTarget target(fileName);
    TStatus status = WriteClientFile(record, fileName, target);
    if (status)
        PrivateSave::RemoveStaleCopies(fileName);
    return status;
}

TStatus WriteClientFile(const TClientRecord &record, const QString &fileName, ISaveTarget &target)
{
    const QByteArray image = record.Image().toByteArray();
    const bool written = target.open() && target.write(image) == image.size() && target.flush() && target.commit();
    if (written)
        return TStatus::Ok();
    return TStatus::Error(
        QStringLiteral("Cannot create file %1: %2").arg(QDir::toNativeSeparators(fileName), target.errorString()));
}
