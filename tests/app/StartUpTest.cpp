#include "QtPrint.h"
#include "app/LogoImage.h"
#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir dir;
    auto first = std::make_unique<TSingleInstance>();
    ASSERT_TRUE(first->Acquire(dir.path()));
    TSingleInstance second;
    EXPECT_FALSE(second.Acquire(dir.path()));
    first.reset();
    EXPECT_TRUE(second.Acquire(dir.path()));
}

TEST(SingleInstance, LockHeldByAnotherProcessCounts)
{
    QTemporaryDir dir;
    QProcess holder;
    holder.start(QStringLiteral("flock"), {QStringLiteral("-n"), QStringLiteral("-o"),
                                           dir.filePath(QStringLiteral("VEKTestMutex")), QStringLiteral("-c"),
                                           QStringLiteral("echo locked; sleep 5")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readAll(), "locked\n");
    TSingleInstance probe;
    EXPECT_FALSE(probe.Acquire(dir.path()));
    holder.kill();
    holder.waitForFinished();
    // Killed, its lock is gone.
    EXPECT_TRUE(probe.Acquire(dir.path()));
}

TEST(SingleInstance, NoFolderMeansNoLock)
{
    TSingleInstance instance;
    EXPECT_FALSE(instance.Acquire(QString()));
    EXPECT_FALSE(instance.Acquire(QStringLiteral("/no/such/folder")));
    EXPECT_FALSE(TSingleInstance::DefaultFolder().isEmpty());
}

QByteArray Logo()
{
    QFile file(QStringLiteral(":/logo.jpg"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(Logo, BuiltInLogoDecodes)
{
    const QImage logo = LogoImage();
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), QSize(272, 238));
    EXPECT_EQ(DecodeJpeg(Logo()), logo);
}

TEST(Logo, DamagedImagesGiveNoImageAndNoCrash)
{
    const QByteArray jpeg = Logo();
    for (const qsizetype size : {qsizetype(0), qsizetype(2), qsizetype(100), jpeg.size() / 2, jpeg.size() - 2})
        EXPECT_TRUE(DecodeJpeg(jpeg.left(size)).isNull()) << size;
    QByteArray noise(5000, '\0');
    for (char &byte : noise)
        byte = char(QRandomGenerator::global()->bounded(256));
    EXPECT_TRUE(DecodeJpeg(noise).isNull());
    // A valid header over random data.
    EXPECT_TRUE(DecodeJpeg(jpeg.left(600) + noise).isNull());
}

} // namespace
