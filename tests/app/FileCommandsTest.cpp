// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "ShellFixture.h"
#include "record/ClientFileReader.h"
#include "record/ClientFileWriter.h"
#include "record/IniFile.h"
#include "record/Settings.h"

#include <QCloseEvent>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QtEndian>

#include <limits>

namespace {

const QString Question =
    QStringLiteral("You have unsaved changes in the current file.  Would you like to save before continuing?");

class FileCommands : public ShellFixture
{
protected:
    // A client file on disk with a name and a scored H-Sens series.
    QString SavedClient(const QString &name, const QString &lastName)
    {
        TClientRecord client;
        client.InitNewRecord();
        client.SetLastName(lastName);
        client.SetCurrentMdb(1);
        client.Mdb(1).SetWrau(11, 20.0f);
        client.Mdb(1).SetWrau(10, 40.0f);
        client.Mdb(1).SetWrau(9, 60.0f);
        client.Mdb(1).SetWrau(8, 80.0f);
        client.Mdb(1).SetSnr50High(3); // stale; loading recomputes it
        const QString path = Path(name);
        EXPECT_TRUE(WriteClientFile(client, path));
        return path;
    }

    void Type(const QString &text)
    {
        QTest::keyClicks(clientInfo->EditLastName, text);
        Settle();
    }

    QByteArray FileBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(FileCommands, SaveOfAnUntitledClientAsksForAName)
{
    Type(QStringLiteral("Smith"));
    prompts.FileNames = {QString()};
    EXPECT_FALSE(window->SaveFile(false));
    EXPECT_EQ(prompts.Shown.last(), "Save this file as...");
    EXPECT_TRUE(state.ModifiedFlag);
    EXPECT_EQ(window->ModifiedText(), " Modified");
    EXPECT_EQ(window->windowTitle(), "AVEK beta");

    prompts.FileNames = {Path(QStringLiteral("smith.vek"))};
    ASSERT_TRUE(window->SaveFile(false));
    EXPECT_EQ(window->windowTitle(), "AVEK beta - SMITH.VEK");
    EXPECT_EQ(window->ModifiedText(), "");
    EXPECT_EQ(state.ShortFileName, "smith.vek");
    EXPECT_EQ(state.DataPath, Folder());
    TClientRecord saved;
    ASSERT_TRUE(ReadClientFile(Path(QStringLiteral("smith.vek")), saved));
    EXPECT_EQ(saved.LastName(), "Smith");

    // The next Save As proposes the file itself, as it is spelt on disk: where
    // case counts, "SMITH.VEK" would be a second file beside a stale one.
    prompts.FileNames = {QString()};
    window->SaveFile(true);
    EXPECT_EQ(prompts.LastProposedName, "smith.vek");
}

TEST_F(FileCommands, LoadReplacesTheClientAndRecomputesTheEstimates)
{
    const QString path = SavedClient(QStringLiteral("jones.vek"), QStringLiteral("Jones"));
    prompts.FileNames = {path};
    window->LoadFile();
    EXPECT_EQ(prompts.Shown.last(), "Load a file");
    EXPECT_EQ(record.LastName(), "Jones");
    EXPECT_EQ(clientInfo->EditLastName->text(), "Jones");
    EXPECT_EQ(record.Mdb(1).Snr50High(), 7);
    EXPECT_EQ(window->windowTitle(), "AVEK beta - JONES.VEK");
    EXPECT_TRUE(clientInfo->isVisible());

    // Loaded and saved unchanged: the same bytes but the recomputed estimate.
    QByteArray expected = FileBytes(path);
    ASSERT_TRUE(window->SaveFile(false));
    qToLittleEndian<qint32>(7, expected.data() + 388 + 476 + 212);
    EXPECT_EQ(FileBytes(path), expected);
}

TEST_F(FileCommands, FailedLoadChangesNothing)
{
    const QString good = SavedClient(QStringLiteral("good.vek"), QStringLiteral("Good"));
    prompts.FileNames = {good};
    window->LoadFile();
    clientInfo->EditFirstName->setText(QStringLiteral("Unsaved"));
    const QByteArray before = record.Image().toByteArray();

    QFile bad(Path(QStringLiteral("bad.vek")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("VEKTEST2\0 but far too short", 28);
    bad.close();
    for (const QString &name : {Path(QStringLiteral("bad.vek")), Path(QStringLiteral("missing.vek"))}) {
        prompts.FileNames = {name};
        window->LoadFile();
        ASSERT_EQ(prompts.Errors.size(), name.endsWith(QLatin1String("bad.vek")) ? 1 : 2);
        EXPECT_TRUE(prompts.Errors.last().contains(name)) << prompts.Errors.last();
        EXPECT_EQ(state.FileName, good);
        EXPECT_EQ(window->windowTitle(), "AVEK beta - GOOD.VEK");
        EXPECT_EQ(record.Image().toByteArray(), before);
        EXPECT_EQ(clientInfo->EditFirstName->text(), "Unsaved");
    }

    // So the next Save still goes to the good file.
    ASSERT_TRUE(window->SaveFile(false));
    TClientRecord saved;
    ASSERT_TRUE(ReadClientFile(good, saved));
    EXPECT_EQ(saved.FirstName(), "Unsaved");
}

TEST_F(FileCommands, FailedSaveAsKeepsThePreviousFile)
{
    const QString good = SavedClient(QStringLiteral("good.vek"), QStringLiteral("Good"));
    prompts.FileNames = {good};
    window->LoadFile();
    Type(QStringLiteral("X"));

    prompts.FileNames = {Path(QStringLiteral("no/such/folder/new.vek"))};
    EXPECT_FALSE(window->SaveFile(true));
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(prompts.Errors.first().startsWith(QStringLiteral("Cannot create file ")));
    EXPECT_EQ(state.FileName, good);
    EXPECT_EQ(state.ShortFileName, "good.vek");
    EXPECT_EQ(state.DataPath, Folder());
    EXPECT_EQ(window->windowTitle(), "AVEK beta - GOOD.VEK");
    EXPECT_TRUE(state.ModifiedFlag);
}

TEST_F(FileCommands, NewAfterAnsweringNoResetsAndLeavesTheFileAlone)
{
    const QString path = SavedClient(QStringLiteral("kept.vek"), QStringLiteral("Kept"));
    prompts.FileNames = {path};
    window->LoadFile();
    const QByteArray onDisk = FileBytes(path);
    Type(QStringLiteral("Changed"));

    prompts.Answers = {TAnswer::No};
    window->NewFile();
    EXPECT_EQ(prompts.Shown.last(), Question);
    EXPECT_EQ(record.LastName(), "");
    EXPECT_EQ(clientInfo->EditLastName->text(), "");
    EXPECT_EQ(window->windowTitle(), "AVEK beta");
    EXPECT_TRUE(state.FileName.isEmpty());
    EXPECT_FALSE(state.ModifiedFlag);
    EXPECT_EQ(FileBytes(path), onDisk);
}

TEST_F(FileCommands, CancelInTheQuestionStopsTheCommand)
{
    Type(QStringLiteral("Keep"));
    prompts.Answers = {TAnswer::Cancel};
    window->NewFile();
    EXPECT_EQ(clientInfo->EditLastName->text(), "Keep");
    EXPECT_TRUE(state.ModifiedFlag);
}

// Asked to save, the clinician cancels the dialog: the data must not be lost.
TEST_F(FileCommands, YesWithoutASaveKeepsTheUnsavedClient)
{
    Type(QStringLiteral("Precious"));
    prompts.Answers = {TAnswer::Yes};
    prompts.FileNames = {QString()};
    window->NewFile();
    EXPECT_EQ(clientInfo->EditLastName->text(), "Precious");
    EXPECT_TRUE(state.ModifiedFlag);

    prompts.Answers = {TAnswer::Yes};
    prompts.FileNames = {Path(QStringLiteral("precious.vek"))};
    window->NewFile();
    EXPECT_EQ(clientInfo->EditLastName->text(), "");
    TClientRecord saved;
    ASSERT_TRUE(ReadClientFile(Path(QStringLiteral("precious.vek")), saved));
    EXPECT_EQ(saved.LastName(), "Precious");
}

TEST_F(FileCommands, ClosingAsksAboutUnsavedChanges)
{
    Type(QStringLiteral("Open"));
    prompts.Answers = {TAnswer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    prompts.Answers = {TAnswer::Yes};
    prompts.FileNames = {QString()};
    EXPECT_FALSE(window->close());

    prompts.Answers = {TAnswer::No};
    EXPECT_TRUE(window->close());
}

TEST_F(FileCommands, ClosingRemembersTheFolderOfTheLastFile)
{
    const QString path = SavedClient(QStringLiteral("sub.vek"), QStringLiteral("Sub"));
    prompts.FileNames = {path};
    window->LoadFile();
    EXPECT_TRUE(window->close());
    TIniFile ini;
    ASSERT_TRUE(ini.Load(Path(QStringLiteral("VEK.INI"))));
    EXPECT_EQ(ini.Value(QStringLiteral("Information"), QStringLiteral("DataPath")), Folder());
}

// A folder named "x\n[CD]\nDevice=..." would write lines of its own into
// VEK.INI: it is told once and not remembered; a damaged file's impossible
// scores are named once at load.
TEST_F(FileCommands, WhatTheSettingsOrTheScreenCannotHoldIsToldOnce)
{
    const QString odd = QStringLiteral("x\n[CD]\nDevice=");
    ASSERT_TRUE(QDir(Folder()).mkpath(odd));
    TClientRecord client;
    client.InitNewRecord();
    client.Mdb(2).SetProportion(13, 0.5f);
    client.Mdb(2).SetRau(13, std::numeric_limits<float>::infinity());
    const QString path = Path(odd + QStringLiteral("/ODD.VEK"));
    ASSERT_TRUE(WriteClientFile(client, path));
    const QByteArray bytes = FileBytes(path);
    for (int load = 0; load < 2; ++load) {
        prompts.FileNames = {path};
        window->LoadFile();
    }
    ASSERT_EQ(prompts.Errors.filter(QStringLiteral("cannot be remembered")).size(), 1) << prompts.Errors.join(u'\n');
    const QStringList scores = prompts.Errors.filter(QStringLiteral("holds scores no list can give"));
    ASSERT_EQ(scores.size(), 2) << "once for each load";
    EXPECT_TRUE(scores[0].contains(QStringLiteral("in MDB 3 L-Sens 10 dB SNR."))) << scores[0];
    EXPECT_TRUE(window->close());
    EXPECT_EQ(FileBytes(path), bytes);
    EXPECT_EQ(Settings::ReadValue(Folder(), QStringLiteral("CD"), QStringLiteral("Device")), "");
    EXPECT_EQ(prompts.Errors.size(), 3) << prompts.Errors.join(u'\n');
}

TEST_F(FileCommands, NewWhileTheTestPageShowsKeepsItsButtonsLocked)
{
    PostWindowMessage(window.get(), WM_RUNTEST);
    Settle();
    window->NewFile();
    EXPECT_TRUE(clientInfo->isVisible());
    EXPECT_FALSE(test->isVisible());
    EXPECT_FALSE(window->PageButton(ConditionsPage)->isEnabled());
}

} // namespace
