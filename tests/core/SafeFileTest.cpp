// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/SafeFile.h"

#include "OddFiles.h"
#include "QtPrint.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class SafeFileWrite : public ::testing::Test
{
protected:
    QString Path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    QStringList Names() const { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System); }

    QTemporaryDir m_dir;
};

// A link someone planted at the name is neither written through nor
// replaced; the refusal says where it points.
TEST_F(SafeFileWrite, LinkAtTheNameIsRefusedSayingWhereItPoints)
{
    const QString notes = Path("notes.txt");
    const QString client = Path("Brown.VEK");
    ASSERT_TRUE(QFile(notes).open(QIODevice::WriteOnly) && QFile::link(notes, client));
    QString reason;
    EXPECT_FALSE(SafeFile::WriteAll(client, "record", reason));
    EXPECT_EQ(reason, QStringLiteral("Cannot create file %1: it is a link to %2, and links are not written through")
                          .arg(client, notes));
    EXPECT_FALSE(SafeFile::Append(client, "line\n", reason));
    EXPECT_TRUE(reason.contains(notes)) << reason;
    EXPECT_EQ(ReadAll(notes), "");
    EXPECT_EQ(QFileInfo(client).symLinkTarget(), notes);
    EXPECT_EQ(Names(), (QStringList{QStringLiteral("Brown.VEK"), QStringLiteral("notes.txt")}));
}

// Pipes, devices and folders at the name are refused at once, never opened.
TEST_F(SafeFileWrite, WhatIsNoFileIsRefusedAtOnce)
{
    const QString fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    const struct
    {
        QString path;
        const char *why;
    } cases[] = {{fifo, "it is a pipe, not a file"},
                 {QStringLiteral("/dev/null"), "it is a device, not a file"},
                 {Path("folder"), "it is a folder, not a file"}};
    for (const auto &c : cases) {
        ReturnsAtOnce([&] {
            QString reason;
            EXPECT_FALSE(SafeFile::WriteAll(c.path, "x", reason));
            EXPECT_TRUE(reason.endsWith(QLatin1String(c.why))) << reason;
            EXPECT_FALSE(SafeFile::Append(c.path, "x", reason));
            EXPECT_TRUE(reason.endsWith(QLatin1String(c.why))) << reason;
        });
    }
    struct stat status {};
    ASSERT_EQ(::lstat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

// The temporary copy swapped for a link while it is written: nothing is put
// in place, the file and the link's target are untouched, and the writer
// removes nothing it did not make.
TEST_F(SafeFileWrite, TemporaryCopySwappedForALinkIsNotPutInPlace)
{
    const QString client = Path("Jones.VEK");
    const QString thesis = Path("thesis.pdf");
    QString reason;
    ASSERT_TRUE(SafeFile::WriteAll(client, "old", reason)) << reason;
    ASSERT_TRUE(SafeFile::WriteAll(thesis, "thesis", reason)) << reason;
    TSafeFileWriter writer(client);
    ASSERT_TRUE(writer.Open(reason)) << reason;
    const QStringList copies = QDir(m_dir.path()).entryList({QStringLiteral("Jones.VEK.saving-*")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    const QString copy = Path(copies.first().toUtf8().constData());
    ASSERT_TRUE(QFile::remove(copy) && QFile::link(thesis, copy));
    ASSERT_TRUE(writer.Write("new", 3, reason)) << reason;
    EXPECT_FALSE(writer.Commit(reason));
    EXPECT_TRUE(reason.contains(QLatin1String("was changed by another program"))) << reason;
    EXPECT_EQ(ReadAll(client), "old");
    EXPECT_EQ(ReadAll(thesis), "thesis");
    EXPECT_EQ(QFileInfo(copy).symLinkTarget(), thesis);
}

TEST_F(SafeFileWrite, CreateNewTakesANameOnceAndCancelLeavesNothing)
{
    QString reason;
    TSafeFileWriter first(Path("lock"), TSafeFileWriter::CreateNew);
    TSafeFileWriter second(Path("lock"), TSafeFileWriter::CreateNew);
    ASSERT_TRUE(first.Open(reason) && second.Open(reason)) << reason;
    ASSERT_TRUE(first.Write("first", 5, reason) && second.Write("second", 6, reason));
    EXPECT_TRUE(first.Commit(reason)) << reason;
    EXPECT_FALSE(second.Commit(reason));
    EXPECT_TRUE(second.AlreadyExists());
    EXPECT_EQ(ReadAll(Path("lock")), "first");
    TSafeFileWriter third(Path("other"));
    ASSERT_TRUE(third.Open(reason) && third.Write("x", 1, reason));
    third.Cancel();
    EXPECT_EQ(Names(), QStringList{QStringLiteral("lock")});
}

TEST_F(SafeFileWrite, AppendCreatesAPrivateFileAndAdds)
{
    const QString journal = Path("journal");
    QString reason;
    ASSERT_TRUE(SafeFile::Append(journal, "one\n", reason)) << reason;
    ASSERT_TRUE(SafeFile::Append(journal, "two\n", reason)) << reason;
    EXPECT_EQ(ReadAll(journal), "one\ntwo\n");
    EXPECT_EQ(QFile::permissions(journal) & 0x0FFF, QFile::ReadUser | QFile::WriteUser);
}

} // namespace
