// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "app/LogoImage.h"
#include "app/SingleInstance.h"
#include "controls/BlindKeyGuard.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir dir;
    auto first = std::make_unique<TSingleInstance>();
    ASSERT_EQ(first->Acquire(dir.path()), TSingleInstance::Acquired);
    TSingleInstance second;
    EXPECT_EQ(second.Acquire(dir.path()), TSingleInstance::HeldByAnotherCopy);
    first.reset();
    EXPECT_EQ(second.Acquire(dir.path()), TSingleInstance::Acquired);
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
    EXPECT_EQ(probe.Acquire(dir.path()), TSingleInstance::HeldByAnotherCopy);
    holder.kill();
    holder.waitForFinished();
    // Killed, its lock is gone.
    EXPECT_EQ(probe.Acquire(dir.path()), TSingleInstance::Acquired);
}

// A lock that cannot be made is no sign of another copy, and is told as what it is.
TEST(SingleInstance, NoFolderMeansNoLockAndSaysWhy)
{
    TSingleInstance instance;
    EXPECT_EQ(instance.Acquire(QString()), TSingleInstance::CannotCreate);
    EXPECT_EQ(instance.Acquire(QStringLiteral("/no/such/folder")), TSingleInstance::CannotCreate);
    EXPECT_EQ(instance.Problem(), "Cannot create file /no/such/folder/VEKTestMutex: No such file or directory.");
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

// A few hundred bytes of progressive image claiming 60000 x 60000 pixels are
// refused from their header; started, they held the decoder for seconds.
TEST(Logo, HugePicturesAreRefusedFromTheirHeader)
{
    QFile file(QStringLiteral(AVEK_LOGO_CORPUS "/huge-progressive.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(DecodeJpeg(file.readAll()).isNull());
}

// A box that comes up under the clinician's fingers takes no key until the
// keyboard has been quiet; then Enter gives the default answer.
TEST(BlindKeyGuard, KeysTypedAsTheBoxComesUpDoNotAnswerIt)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("Restore it?"),
                    QMessageBox::Yes | QMessageBox::No);
    TBlindKeyGuard guard(box);
    QElapsedTimer shown;
    int releasedAfter = -1;
    QTimer::singleShot(0, &box, [&] {
        shown.start();
        // Still typing a name that begins with N, then Enter, then Escape.
        for (const Qt::Key key : {Qt::Key_N, Qt::Key_O, Qt::Key_Return, Qt::Key_Escape}) {
            QTest::keyClick(&box, key);
            QTest::qWait(100);
        }
        EXPECT_TRUE(box.isVisible()) << "answered by a key typed before the box was seen";
        EXPECT_TRUE(QTest::qWaitFor([&] { return guard.Released(); }, 5000));
        releasedAfter = int(shown.elapsed());
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &box, Qt::Key_Return);
    });
    EXPECT_EQ(box.exec(), QMessageBox::Yes);
    // The wait began again with the last key.
    EXPECT_GE(releasedAfter, 250 + TBlindKeyGuard::QuietMs);
}

} // namespace
