// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellFixture.h"
#include "app/AvekProgram.h"
#include "app/CommandLine.h"
#include "app/RecentClients.h"
#include "app/UserSettings.h"
#include "record/ClientFileWriter.h"

#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTextStream>
#include <QUrl>

namespace {

class Desktop : public ShellFixture
{
protected:
    void SetUp() override
    {
        QFile::remove(RecentClientsFile());
        ShellFixture::SetUp();
    }

    static QString RecentClientsFile()
    {
        return UserSettings::Folder() + QStringLiteral("/AVEK.conf");
    }

    QString Client(const QString &name, const QString &lastName)
    {
        TClientRecord client;
        client.InitNewRecord();
        client.SetLastName(lastName);
        EXPECT_TRUE(WriteClientFile(client, Path(name)));
        return Path(name);
    }

    // Sends a file manager's drag of these files onto a widget; true when
    // the drop was taken.
    static bool Drop(QWidget *target, const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        data.setText(urls.value(0).toString());
        const QPoint centre = target->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        Settle();
        return drop.isAccepted();
    }

    QMenu *RecentClientsMenu() const
    {
        for (QMenu *menu : window->findChildren<QMenu *>())
            if (menu->title() == QLatin1String("&Recent clients"))
                return menu;
        return nullptr;
    }
};

TEST_F(Desktop, AClientFileDroppedOnATextBoxIsLoadedAfterTheQuestionNotPasted)
{
    const QString jones = Client(QStringLiteral("jones.vek"), QStringLiteral("Jones"));
    QTest::keyClicks(clientInfo->EditLastName, QStringLiteral("Smith"));
    Settle();

    prompts.Answers = {TAnswer::Cancel};
    ASSERT_TRUE(Drop(clientInfo->EditLastName, {QUrl::fromLocalFile(jones)}));
    EXPECT_EQ(prompts.Shown.last(), QStringLiteral("You have unsaved changes in the current file.  Would you "
                                                   "like to save before continuing?"));
    EXPECT_EQ(clientInfo->EditLastName->text(), "Smith");

    prompts.Answers = {TAnswer::No};
    ASSERT_TRUE(Drop(clientInfo->EditLastName, {QUrl::fromLocalFile(jones)}));
    EXPECT_EQ(record.LastName(), "Jones");
    EXPECT_EQ(clientInfo->EditLastName->text(), "Jones");
    EXPECT_EQ(window->windowTitle(), "AVEK beta - JONES.VEK");

    // Two files, or a web address, are no client file to load.
    EXPECT_FALSE(Drop(clientInfo, {QUrl::fromLocalFile(jones), QUrl::fromLocalFile(jones)}));
    EXPECT_FALSE(Drop(clientInfo, {QUrl(QStringLiteral("https://example.org/a.vek"))}));
}

TEST_F(Desktop, RecentClientsAreTheLastFilesLoadedOrSavedAndKeptPrivate)
{
    ASSERT_FALSE(RecentClientsMenu()->isEnabled());
    const QString jones = Client(QStringLiteral("jones.vek"), QStringLiteral("Jones"));
    const QString brown = Client(QStringLiteral("brown & co.vek"), QStringLiteral("Brown"));
    window->LoadFile(jones);
    window->LoadFile(brown);
    prompts.FileNames = {Path(QStringLiteral("green.vek"))};
    ASSERT_TRUE(window->SaveFile(true));
    window->LoadFile(jones);
    EXPECT_EQ(TRecentClients().Files(), QStringList({jones, Path(QStringLiteral("green.vek")), brown}));
    // Usable in the session that made the list, not only from the next one.
    EXPECT_TRUE(RecentClientsMenu()->isEnabled());
    EXPECT_EQ(QFile::permissions(RecentClientsFile()) & (QFile::ReadOther | QFile::ReadGroup), 0);

    QMenu *menu = RecentClientsMenu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_TRUE(menu->actions()[2]->text().startsWith(QStringLiteral("&3 brown && co.vek  (")));

    menu->actions()[2]->trigger();
    EXPECT_EQ(record.LastName(), "Brown");

    // A client file that has gone is said so and leaves the list.
    QFile::remove(brown);
    emit menu->aboutToShow();
    menu->actions()[0]->trigger();
    EXPECT_EQ(prompts.Errors.size(), 1);
    EXPECT_EQ(record.LastName(), "Brown");
    EXPECT_EQ(TRecentClients().Files(), QStringList({jones, Path(QStringLiteral("green.vek"))}));

    for (int i = 0; i < TRecentClients::MaxCount + 2; ++i)
        TRecentClients().Add(Path(QStringLiteral("c%1.vek").arg(i)));
    EXPECT_EQ(TRecentClients().Files().size(), TRecentClients::MaxCount);
}

TEST_F(Desktop, StartingWithoutMaterialSaysWhereItLookedOnce)
{
    TScriptedPrompts programPrompts;
    const auto silent = [](QString &) -> std::unique_ptr<IAudioSink> { return nullptr; };
    const QString notice = TAvekProgram(programPrompts, silent).StartUpNotice();
    EXPECT_TRUE(notice.contains(QStringLiteral("VEKPSGS.DAT"))) << qPrintable(notice);
    EXPECT_TRUE(notice.contains(QDir::cleanPath(Folder()))) << qPrintable(notice);
    EXPECT_TRUE(notice.contains(QStringLiteral("avektool make-demo"))) << qPrintable(notice);

    QFile material(Path(QStringLiteral("VEKPSGS.DAT")));
    ASSERT_TRUE(material.open(QIODevice::WriteOnly));
    material.write(TestMaterial());
    material.close();
    EXPECT_EQ(TAvekProgram(programPrompts, silent).StartUpNotice(), QString());
    EXPECT_TRUE(programPrompts.Shown.isEmpty());
}

TEST(UserSettings, TheFileDialogsHistoryOfClientFoldersIsKeptInAvekFolderForTheUserAlone)
{
    UserSettings::KeepQtSettingsWithAvek();
    QTemporaryDir clients;
    {
        QFileDialog dialog;
        dialog.setDirectory(clients.path());
    }
    QFile settings(UserSettings::Folder() + QStringLiteral("/QtProject.conf"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(settings.readAll().contains(clients.path().toUtf8()));
    EXPECT_EQ(settings.permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
    EXPECT_FALSE(QFile::exists(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/QtProject.conf")));
}

TEST(CommandLine, HelpAndVersionAreAnsweredAndOnlyOneClientFileIsTaken)
{
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(CommandLine::AnswerRequest({QStringLiteral("--version")}, out), 0);
    EXPECT_EQ(CommandLine::AnswerRequest({QStringLiteral("a.vek"), QStringLiteral("--help")}, out), 0);
    out.flush();
    EXPECT_TRUE(text.startsWith(QStringLiteral("avek " AVEK_VERSION "\nUsage: avek"))) << qPrintable(text);
    // After "--" a name that starts with a dash is a file.
    EXPECT_EQ(CommandLine::AnswerRequest({QStringLiteral("--"), QStringLiteral("--help")}, out), std::nullopt);
    EXPECT_EQ(CommandLine::FileArgument({QStringLiteral("--"), QStringLiteral("--help")}).FileName, "--help");

    EXPECT_EQ(CommandLine::FileArgument({}).FileName, QString());
    EXPECT_EQ(CommandLine::FileArgument({QStringLiteral("smith.vek")}).FileName, "smith.vek");
    EXPECT_EQ(CommandLine::FileArgument({QStringLiteral("--open")}).Error, "unknown option --open");
    EXPECT_FALSE(CommandLine::FileArgument({QStringLiteral("a.vek"), QStringLiteral("b.vek")}).Error.isEmpty());
}

} // namespace
