#include "QtPrint.h"
#include "record/IniFile.h"
#include "record/Settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(IniFile, NamesAreMatchedWithoutCase)
{
    TIniFile ini;
    ini.Parse(QStringLiteral("[information]\r\ndatapath = /clients/ \r\n"));
    EXPECT_EQ(ini.Value(QStringLiteral("Information"), QStringLiteral("DataPath")), "/clients/");
    EXPECT_EQ(ini.Value(QStringLiteral("CD"), QStringLiteral("Device"), QStringLiteral("none")), "none");
}

TEST(IniFile, SettingAValueKeepsEverythingElse)
{
    TIniFile ini;
    ini.Parse(QStringLiteral("; clinic settings\n[CD]\nDevice=/dev/sr1\n\n[Information]\nDataPath=/old/\nOther=1\n"));
    ini.SetValue(QStringLiteral("INFORMATION"), QStringLiteral("datapath"), QStringLiteral("/new/"));
    ini.SetValue(QStringLiteral("CD"), QStringLiteral("Speed"), QStringLiteral("4"));
    EXPECT_EQ(ini.Text(), QStringLiteral("; clinic settings\r\n[CD]\r\nDevice=/dev/sr1\r\nSpeed=4\r\n\r\n"
                                         "[Information]\r\ndatapath=/new/\r\nOther=1\r\n"));
}

TEST(IniFile, MissingSectionIsAdded)
{
    TIniFile ini;
    ini.SetValue(QStringLiteral("Information"), QStringLiteral("DataPath"), QStringLiteral("/a/"));
    EXPECT_EQ(ini.Text(), QStringLiteral("[Information]\r\nDataPath=/a/\r\n"));
    ini.Parse(QStringLiteral("[CD]\r\nDevice=x.cue"));
    ini.SetValue(QStringLiteral("Information"), QStringLiteral("DataPath"), QStringLiteral("/a/"));
    EXPECT_EQ(ini.Text(), QStringLiteral("[CD]\r\nDevice=x.cue\r\n\r\n[Information]\r\nDataPath=/a/\r\n"));
}

TEST(IniFile, FilesAreWindows1252)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VEK.INI"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Information]\r\nDataPath=/home/j\xf6rg/\r\n");
    file.close();
    TIniFile ini;
    ASSERT_TRUE(ini.Load(path));
    EXPECT_EQ(ini.Value(QStringLiteral("Information"), QStringLiteral("DataPath")), QStringLiteral("/home/jörg/"));
    ASSERT_TRUE(ini.Save(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Information]\r\nDataPath=/home/j\xf6rg/\r\n"));
}

TEST(Settings, DataPathDefaultsToTheStartUpFolderAndIsWrittenBack)
{
    QTemporaryDir dir;
    const QString start = dir.path() + u'/';
    EXPECT_EQ(Settings::ReadDataPath(start), start);
    ASSERT_TRUE(Settings::WriteDataPath(start, QStringLiteral("/clients/")));
    EXPECT_EQ(Settings::ReadDataPath(start), "/clients/");
    EXPECT_EQ(Settings::WithTrailingSlash(QStringLiteral("/x")), "/x/");
}

} // namespace
