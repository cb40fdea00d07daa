// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "SaveLoopRecords.h"
#include "record/ClientFileWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <sys/mount.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Killed at any moment while saving, the writer leaves the file as one of
// the two whole records, never empty, short or a mix of both.
TEST(SaveFaults, KilledWriterLeavesAWholeRecord)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("CLIENT.VEK"));
    const QByteArray a = AlternateRecord(0).Image().toByteArray();
    const QByteArray b = AlternateRecord(1).Image().toByteArray();
    ASSERT_TRUE(WriteClientFile(AlternateRecord(0), path));

    int kills = 0;
    int completedRuns = 0;
    for (int round = 0; round < 40; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(SAVE_LOOP_PATH), {path, QStringLiteral("1000")});
        ASSERT_TRUE(writer.waitForReadyRead(10000));
        QThread::usleep(QRandomGenerator::global()->bounded(20000));
        writer.kill();
        writer.waitForFinished();
        if (writer.exitStatus() == QProcess::CrashExit)
            ++kills;
        else
            ++completedRuns;
        const QByteArray found = ReadAll(path);
        ASSERT_TRUE(found == a || found == b) << "round " << round << ": " << found.size() << " bytes";
    }
    EXPECT_GT(kills, 0) << completedRuns << " runs finished before the kill";
    // The temporary files of killed saves are the only leftovers.
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files))
        EXPECT_TRUE(name == QLatin1String("CLIENT.VEK") || name.startsWith(QLatin1String("CLIENT.VEK."))) << name;
}

// A small file system of our own, when the tests run as root.
class SmallDisk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "mounting a small file system needs root";
        ASSERT_TRUE(m_dir.isValid());
        m_mountPoint = QFile::encodeName(m_dir.path());
        if (::mount("tmpfs", m_mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        m_mounted = true;
    }
    void TearDown() override
    {
        if (m_mounted)
            ::umount2(m_mountPoint.constData(), MNT_DETACH);
    }
    QString Path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    bool Remount(unsigned long flags)
    {
        return ::mount("tmpfs", m_mountPoint.constData(), "tmpfs", MS_REMOUNT | flags, "size=64k") == 0;
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_mountPoint;
    bool m_mounted = false;
};

TEST_F(SmallDisk, FullDiskIsReportedAndTheOldFileIsKept)
{
    const QByteArray old = AlternateRecord(0).Image().toByteArray();
    ASSERT_TRUE(WriteClientFile(AlternateRecord(0), Path("CLIENT.VEK")));
    QFile filler(Path("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(1024, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();

    const TStatus status = WriteClientFile(AlternateRecord(1), Path("CLIENT.VEK"));
    ASSERT_FALSE(status);
    EXPECT_TRUE(status.message().startsWith(QStringLiteral("Cannot create file ") + Path("CLIENT.VEK")))
        << status.message();
    EXPECT_EQ(ReadAll(Path("CLIENT.VEK")), old);
}

TEST_F(SmallDisk, ReadOnlyFolderIsReportedAndTheOldFileIsKept)
{
    const QByteArray old = AlternateRecord(0).Image().toByteArray();
    ASSERT_TRUE(WriteClientFile(AlternateRecord(0), Path("CLIENT.VEK")));
    ASSERT_TRUE(Remount(MS_RDONLY));
    const TStatus status = WriteClientFile(AlternateRecord(1), Path("CLIENT.VEK"));
    EXPECT_FALSE(status);
    EXPECT_EQ(ReadAll(Path("CLIENT.VEK")), old);
    ASSERT_TRUE(Remount(0));
}

} // namespace
