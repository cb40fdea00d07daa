// SPDX-License-Identifier: GPL-3.0-or-later
#include "administration/SentenceMaterial.h"
#include "administration/Snr50.h"
#include "record/ClientFileReader.h"
#include "record/ClientFileWriter.h"
#include "record/IniFile.h"

#include "OddFiles.h"
#include "QtPrint.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstring>

#include <sys/stat.h>

namespace {

TClientRecord SampleRecord()
{
    TClientRecord record;
    record.InitNewRecord(QDate(2026, 1, 2), QLocale::c());
    record.SetLastName(QStringLiteral("Müller"));
    record.SetClientComments(QStringLiteral("one\ntwo"));
    record.SetCurrentMdb(2);
    record.Mdb(2).SetWrau(9, 61.25f);
    return record;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class ClientFile : public ::testing::Test
{
protected:
    QString Path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
};

TEST_F(ClientFile, WrittenFileReadsBackByteForByte)
{
    const TClientRecord record = SampleRecord();
    ASSERT_TRUE(WriteClientFile(record, Path("CLIENT.VEK")));
    EXPECT_EQ(ReadAll(Path("CLIENT.VEK")), record.Image().toByteArray());

    TClientRecord loaded;
    ASSERT_TRUE(ReadClientFile(Path("CLIENT.VEK"), loaded));
    EXPECT_EQ(loaded.Image(), record.Image());
}

TEST_F(ClientFile, WritingReplacesAnOlderFile)
{
    WriteAll(Path("CLIENT.VEK"), QByteArray(5000, 'x'));
    const TClientRecord record = SampleRecord();
    ASSERT_TRUE(WriteClientFile(record, Path("CLIENT.VEK")));
    EXPECT_EQ(ReadAll(Path("CLIENT.VEK")), record.Image().toByteArray());
}

// Loading and saving a file unchanged gives the same bytes, reserved bytes and
// what follows the texts' zero bytes included; only the recomputed SNR-50
// estimates may differ.
TEST_F(ClientFile, LoadedFileSavesBackUnchangedButTheEstimates)
{
    QByteArray image(2328, '\0');
    for (qsizetype i = 0; i < image.size(); ++i)
        image[i] = char(QRandomGenerator::global()->bounded(256));
    std::memcpy(image.data(), "VEKTEST2", 9);
    qToLittleEndian<qint32>(1, image.data() + 384);
    WriteAll(Path("OLD.VEK"), image);

    TClientRecord record;
    ASSERT_TRUE(ReadClientFile(Path("OLD.VEK"), record));
    RecomputeSnr50(record);
    ASSERT_TRUE(WriteClientFile(record, Path("NEW.VEK")));

    QByteArray saved = ReadAll(Path("NEW.VEK"));
    ASSERT_EQ(saved.size(), 2328);
    for (int m = 0; m < 4; ++m) {
        const int estimates = 388 + 476 * m + 212;
        saved.replace(estimates, 8, image.mid(estimates, 8));
    }
    EXPECT_EQ(saved.toHex(), image.toHex());
}

TEST_F(ClientFile, BytesBeyondTheRecordAreIgnored)
{
    const TClientRecord record = SampleRecord();
    WriteAll(Path("LONG.VEK"), record.Image().toByteArray() + QByteArray(300, 'z'));
    TClientRecord loaded;
    ASSERT_TRUE(ReadClientFile(Path("LONG.VEK"), loaded));
    EXPECT_EQ(loaded.Image(), record.Image());
}

struct TRefusedFile
{
    const char *name;
    std::function<QByteArray(QByteArray)> damage;
    const char *reason;

    friend void PrintTo(const TRefusedFile &p, std::ostream *os) { *os << p.name; }
};

class RefusedFiles : public ClientFile, public ::testing::WithParamInterface<TRefusedFile>
{
};

// A refused file names itself and its fault, and the client in memory stays
// exactly as it was: nothing of the other file is mixed into it.
TEST_P(RefusedFiles, AreReportedAndLeaveTheRecordAlone)
{
    const TRefusedFile refused = GetParam();
    const QByteArray good = SampleRecord().Image().toByteArray();
    WriteAll(Path("BAD.VEK"), refused.damage(good));

    TClientRecord record;
    record.InitNewRecord(QDate(2025, 5, 5), QLocale::c());
    record.SetFirstName(QStringLiteral("Previous"));
    const QByteArray before = record.Image().toByteArray();

    const TStatus status = ReadClientFile(Path("BAD.VEK"), record);
    ASSERT_FALSE(status);
    EXPECT_TRUE(status.message().contains(Path("BAD.VEK"))) << status.message().toStdString();
    EXPECT_TRUE(status.message().contains(QLatin1String(refused.reason))) << status.message().toStdString();
    EXPECT_EQ(record.Image().toByteArray(), before);
}

INSTANTIATE_TEST_SUITE_P(
    ClientFile, RefusedFiles,
    ::testing::Values(
        TRefusedFile{"Empty", [](QByteArray) { return QByteArray(); }, "holds 0 bytes"},
        TRefusedFile{"OneByteShort", [](QByteArray b) { return b.left(2327); }, "holds 2327 bytes"},
        TRefusedFile{"HalfARecord", [](QByteArray b) { return b.left(1000); }, "holds 1000 bytes"},
        TRefusedFile{"ForeignSignature", [](QByteArray b) { return b.replace(0, 8, "VEKTEST1"); }, "not a client file"},
        TRefusedFile{"SignatureWithoutZero", [](QByteArray b) { return b.replace(8, 1, "X"); }, "not a client file"},
        TRefusedFile{"TextFile", [](QByteArray) { return QByteArray(3000, 'a'); }, "not a client file"},
        TRefusedFile{"MdbFive",
                     [](QByteArray b) {
                         qToLittleEndian<qint32>(4, b.data() + 384);
                         return b;
                     },
                     "current MDB is 5"},
        TRefusedFile{"MdbNegative",
                     [](QByteArray b) {
                         qToLittleEndian<qint32>(-1, b.data() + 384);
                         return b;
                     },
                     "current MDB is 0"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ClientFile, MissingFileIsReported)
{
    TClientRecord record;
    const TStatus status = ReadClientFile(Path("NONE.VEK"), record);
    ASSERT_FALSE(status);
    EXPECT_TRUE(status.message().startsWith(QStringLiteral("Cannot open file ") + Path("NONE.VEK")));
}

// A device that delivers a number of bytes and then fails, as a disk or a
// network share can.
class TFailingDevice : public QIODevice
{
public:
    TFailingDevice(QByteArray data, qint64 failAfter) : m_data(std::move(data)), m_failAfter(failAfter) {}

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 left = std::min<qint64>(m_failAfter, m_data.size()) - m_position;
        if (left <= 0) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 count = std::min(left, maxSize);
        std::memcpy(data, m_data.constData() + m_position, count);
        m_position += count;
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    QByteArray m_data;
    qint64 m_failAfter;
    qint64 m_position = 0;
};

TEST_F(ClientFile, ReadErrorPartWayIsReportedAndLeavesTheRecordAlone)
{
    for (const qint64 failAfter : {0, 9, 1500, 2327}) {
        TFailingDevice device(SampleRecord().Image().toByteArray(), failAfter);
        TClientRecord record;
        record.InitNewRecord(QDate(2025, 5, 5), QLocale::c());
        const QByteArray before = record.Image().toByteArray();
        const TStatus status = ReadClientFile(device, QStringLiteral("share/CLIENT.VEK"), record);
        ASSERT_FALSE(status) << failAfter;
        EXPECT_EQ(status.message(), QStringLiteral("Cannot read file share/CLIENT.VEK: Input/output error"));
        EXPECT_EQ(record.Image().toByteArray(), before);
    }
}

TEST_F(ClientFile, RecordArrivingInPiecesIsRead)
{
    const TClientRecord record = SampleRecord();
    QBuffer buffer;
    buffer.setData(record.Image().toByteArray());
    TClientRecord loaded;
    ASSERT_TRUE(ReadClientFile(buffer, QStringLiteral("buffer"), loaded));
    EXPECT_EQ(loaded.Image(), record.Image());
}

TEST_F(ClientFile, FolderThatDoesNotExistIsReported)
{
    const QString path = Path("missing/CLIENT.VEK");
    const TStatus status = WriteClientFile(SampleRecord(), path);
    ASSERT_FALSE(status);
    EXPECT_TRUE(status.message().startsWith(QStringLiteral("Cannot create file ") + path));
}

} // namespace

namespace {

// Every reader of the program's files opens only regular files, checked on
// the opened descriptor, and nothing far larger than its format.
TEST_F(ClientFile, EveryReaderRefusesWhatIsNoFileAtOnce)
{
    const QDir folder(m_dir.path());
    for (const QString &path : MakeOddFiles(folder, QStringLiteral("X"))) {
        ReturnsAtOnce([&] {
            TClientRecord record;
            const TStatus client = ReadClientFile(path, record);
            EXPECT_FALSE(client);
            EXPECT_TRUE(client.message().contains(QLatin1String(", not a file"))) << client.message();
            TIniFile ini;
            EXPECT_FALSE(ini.Load(path));
            TSentenceMaterial material;
            EXPECT_FALSE(material.LoadPassages(path));
        });
    }
    // Regular, but far larger than the format: refused before it is read.
    const QString huge = Path("HUGE");
    WriteAll(huge, SampleRecord().Image().toByteArray());
    ASSERT_TRUE(QFile::resize(huge, qint64(200) << 20));
    TClientRecord record;
    EXPECT_TRUE(ReadClientFile(huge, record).message().contains(QLatin1String("209715200 bytes")));
    TIniFile ini;
    EXPECT_FALSE(ini.Load(huge));
    TSentenceMaterial material;
    EXPECT_FALSE(material.LoadPassages(huge));
}

// Patients' files are not for the other users of the machine.
TEST_F(ClientFile, NewFilesAreKeptFromOtherUsersAndBackupsStay)
{
    const mode_t previous = ::umask(022);
    const QString client = Path("NEW.VEK");
    ASSERT_TRUE(WriteClientFile(SampleRecord(), client));
    // The user's and the group's bits as the umask gives them, no others' bits.
    EXPECT_EQ(QFile::permissions(client) & 0x0FFF, QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
    TIniFile ini;
    ASSERT_TRUE(ini.Save(Path("VEK.INI")));
    EXPECT_EQ(QFile::permissions(Path("VEK.INI")) & QFile::ReadOther, 0);

    // A file the clinic shares keeps the mode it was given.
    const QFileDevice::Permissions shared = QFile::permissions(client) | QFile::WriteGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(client, shared));
    // A clinic's backups, however old and however named, are not the
    // writer's to remove.
    const QStringList backups = {Path("NEW.VEK.backup"), Path("NEW.VEK.202412"), Path("NEW.VEK.aB3dE9")};
    for (const QString &backup : backups) {
        WriteAll(backup, "kept");
        QFile old(backup);
        ASSERT_TRUE(old.open(QIODevice::ReadWrite));
        ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addDays(-30), QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(WriteClientFile(SampleRecord(), client));
    EXPECT_EQ(QFile::permissions(client), shared);
    for (const QString &backup : backups)
        EXPECT_EQ(ReadAll(backup), "kept");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 2 + backups.size());
    ::umask(previous);
}

} // namespace
