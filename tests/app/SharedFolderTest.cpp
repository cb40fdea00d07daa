// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "ScriptedPrompts.h"
#include "app/AvekProgram.h"
#include "app/ProgramPages.h"
#include "app/Winmain.h"
#include "cdaudio/NullSink.h"
#include "controls/MessageBoxPrompts.h"
#include "pages/Page1.h"
#include "record/ClientFileLock.h"
#include "record/ClientFileReader.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>
#include <QTimer>
#include <QTemporaryDir>

#include <memory>

#include <sys/stat.h>

namespace {

// One copy of the program, as a workstation of the clinic runs it.
struct TCopy
{
    TScriptedPrompts prompts;
    TAvekProgram program{prompts, [](QString &) { return std::make_unique<TNullSink>(); }};

    TfmWinMain &Window() { return program.MainWindow(); }
    void SetFirstName(const QString &name)
    {
        QLineEdit *edit = program.Pages().fmClientInfo->EditFirstName;
        edit->clear();
        QTest::keyClicks(edit, name);
    }
};

// The clinic folder, current while the copies are made and live, as the
// start-up folder is.
struct TClinicFolder
{
    QTemporaryDir Dir;
    QString Previous = QDir::currentPath();
    TClinicFolder() { QDir::setCurrent(Dir.path()); }
    ~TClinicFolder() { QDir::setCurrent(Previous); }
};

// Two copies of the program on one clinic folder.
class SharedFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        a.Window().show();
        b.Window().show();
        QApplication::processEvents();
    }
    void TearDown() override { EXPECT_FALSE(a.prompts.RanOutOfScript || b.prompts.RanOutOfScript); }

    QString Path(const QString &name) const { return m_folder.Dir.filePath(name); }
    static QString FirstNameIn(const QString &path)
    {
        TClientRecord record;
        EXPECT_TRUE(ReadClientFile(path, record));
        return record.FirstName();
    }

    TClinicFolder m_folder;
    TCopy a;
    TCopy b;
};

TEST_F(SharedFolder, SaveOverAnotherCopysResultAsksFirst)
{
    const QString jones = Path(QStringLiteral("JONES.VEK"));
    a.prompts.FileNames = {jones};
    ASSERT_TRUE(a.Window().SaveFile(true));
    b.prompts.FileNames = {jones};
    b.Window().LoadFile();

    a.SetFirstName(QStringLiteral("Tested by A"));
    ASSERT_TRUE(a.Window().SaveFile(false));
    EXPECT_TRUE(a.prompts.Shown.filter(QStringLiteral("changed by another")).isEmpty());

    // B's save would lose A's result: asked, and Cancel writes nothing.
    b.SetFirstName(QStringLiteral("Tested by B"));
    b.prompts.Answers = {TAnswer::Cancel};
    EXPECT_FALSE(b.Window().SaveFile(false));
    EXPECT_EQ(b.prompts.Shown.last(), "JONES.VEK was changed by another program since you opened it.");
    EXPECT_EQ(b.prompts.Choices, QStringList{"&Overwrite/&Save As…"});
    EXPECT_EQ(FirstNameIn(jones), "Tested by A");
    EXPECT_TRUE(b.program.State().ModifiedFlag);

    // Overwrite is the clinician's choice.
    b.prompts.Answers = {TAnswer::Yes};
    ASSERT_TRUE(b.Window().SaveFile(false));
    EXPECT_EQ(FirstNameIn(jones), "Tested by B");

    // Now A is behind; Save As… keeps both.
    a.prompts.Answers = {TAnswer::No};
    a.prompts.FileNames = {Path(QStringLiteral("JONES-A.VEK"))};
    ASSERT_TRUE(a.Window().SaveFile(false));
    EXPECT_EQ(FirstNameIn(jones), "Tested by B");
    EXPECT_EQ(FirstNameIn(Path(QStringLiteral("JONES-A.VEK"))), "Tested by A");
    EXPECT_EQ(a.Window().windowTitle(), "AVEK beta - JONES-A.VEK");
}

// Return pressed out of habit on the question keeps the other copy's work.
TEST(ChangedElsewhereQuestion, ReturnChoosesWhatDestroysNothing)
{
    TMessageBoxPrompts prompts;
    QTimer::singleShot(0, [] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        // The box takes no key until it has been seen in a quiet moment.
        const QList<QPushButton *> buttons = box->findChildren<QPushButton *>();
        ASSERT_FALSE(buttons.isEmpty());
        EXPECT_TRUE(QTest::qWaitFor([&] { return buttons.first()->isEnabled(); }, 5000));
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(prompts.AskChoice(QStringLiteral("JONES.VEK was changed by another program since you opened it."),
                                QStringLiteral("Overwrite"), QStringLiteral("Save As…")),
              TAnswer::No);
}

TEST_F(SharedFolder, ClientOpenElsewhereIsToldAndOpenedOnlyWhenAsked)
{
    const QString jones = Path(QStringLiteral("JONES.VEK"));
    const QString lock = TClientFileLock::LockPath(jones);
    EXPECT_EQ(lock, Path(QStringLiteral(".~lock.JONES.VEK#")));
    b.prompts.FileNames = {jones};
    ASSERT_TRUE(b.Window().SaveFile(true));
    ASSERT_TRUE(QFile::exists(lock));
    b.Window().NewFile();
    EXPECT_FALSE(QFile::exists(lock));

    // Held by a copy on another machine.
    QFile held(lock);
    ASSERT_TRUE(held.open(QIODevice::WriteOnly));
    held.write("nurse,reception-pc,4242,2026-03-04T08:30:00Z\n");
    held.close();
    // Declining keeps the file open so far, and its lock.
    const QString smith = Path(QStringLiteral("SMITH.VEK"));
    a.prompts.FileNames = {smith};
    ASSERT_TRUE(a.Window().SaveFile(true));
    const QString smithLock = TClientFileLock::LockPath(smith);
    ASSERT_TRUE(QFile::exists(smithLock));
    a.prompts.FileNames = {jones};
    a.prompts.Answers = {TAnswer::No};
    a.Window().LoadFile();
    EXPECT_TRUE(a.prompts.Shown.last().startsWith("JONES.VEK is open in another copy of AVEK by nurse on reception-pc, since "))
        << a.prompts.Shown.last();
    EXPECT_TRUE(a.prompts.Shown.last().contains(" days ago)")) << a.prompts.Shown.last();
    EXPECT_EQ(a.program.State().FileName, smith);
    EXPECT_TRUE(QFile::exists(smithLock)) << "declining another file dropped the lock of the open one";

    // Taken over on the user's word: asked no more, the old file's lock given up.
    a.prompts.FileNames = {jones};
    a.prompts.Answers = {TAnswer::Yes};
    a.Window().LoadFile();
    EXPECT_EQ(a.program.State().FileName, jones);
    EXPECT_FALSE(QFile::exists(smithLock));
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    EXPECT_TRUE(held.readAll().contains(',' + QByteArray::number(QCoreApplication::applicationPid()) + ','));
    held.close();
    EXPECT_EQ(QFile::permissions(lock) & (QFile::ReadOther | QFile::WriteOther), 0);
    a.Window().NewFile();
    EXPECT_FALSE(QFile::exists(lock));

    // No lock at all: what is not a lock is taken over unasked, a pipe at
    // once.
    ASSERT_TRUE(held.open(QIODevice::WriteOnly));
    held.write("garbage\n");
    held.close();
    a.prompts.FileNames = {jones};
    a.Window().LoadFile();
    EXPECT_EQ(a.program.State().FileName, jones);
    a.Window().NewFile();
    ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
    a.prompts.FileNames = {jones};
    a.Window().LoadFile();
    EXPECT_EQ(a.program.State().FileName, jones);
    a.Window().NewFile();

    // Left by a process of this machine that has ended: taken over unasked.
    QProcess ended;
    ended.start(QStringLiteral("sleep"), {QStringLiteral("0.1")});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedId = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    ASSERT_TRUE(held.open(QIODevice::WriteOnly | QIODevice::Truncate));
    held.write(QStringLiteral("nurse,%1,%2,2026-03-04T08:30:00Z\n")
                   .arg(QSysInfo::machineHostName())
                   .arg(endedId)
                   .toUtf8());
    held.close();
    a.prompts.FileNames = {jones};
    a.Window().LoadFile();
    EXPECT_EQ(a.program.State().FileName, jones);
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    EXPECT_TRUE(held.readAll().contains(QByteArray::number(QCoreApplication::applicationPid())));
}

} // namespace
