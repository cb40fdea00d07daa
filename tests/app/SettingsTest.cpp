// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "record/IniFile.h"
#include "record/Settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// A folder named "x\n[CD]\nDevice=..." must not become lines of their own.
TEST(IniFile, ValuesWithLineBreaksAreNeitherWrittenNorRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VEK.INI"));
    ASSERT_TRUE(Settings::WriteDataPath(dir.path(), QStringLiteral("/clients/")));
    for (const QString &folder : {QStringLiteral("/share/x\n[CD]\nDevice=/share/img/OTHER.cue\nX=/"),
                                  QStringLiteral("/share/x\r[CD]/"), QStringLiteral("/share/x") + QChar(0) + u'/'})
        EXPECT_FALSE(Settings::WriteDataPath(dir.path(), folder));
    EXPECT_EQ(Settings::ReadDataPath(dir.path()), "/clients/");
    EXPECT_EQ(Settings::ReadValue(dir.path(), QStringLiteral("CD"), QStringLiteral("Device")), "");
    TIniFile ini;
    ini.Parse(QStringLiteral("[Information]\r\nDataPath=/share/x\r[CD]\r\n"));
    EXPECT_EQ(ini.Value(QStringLiteral("Information"), QStringLiteral("DataPath"), QStringLiteral("none")), "none");
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

// As editors write it: a byte order mark, UTF-8 folder names. A folder name
// Windows-1252 cannot hold makes the file UTF-8 instead of question marks.
TEST(IniFile, Utf8FilesAndNamesAreReadAndWrittenAsUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VEK.INI"));
    const auto write = [&](const QByteArray &bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    const auto read = [&] {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };
    write("\xEF\xBB\xBF[Information]\r\nDataPath=/home/j\xC3\xB6rg/\r\n");
    EXPECT_EQ(Settings::ReadDataPath(dir.path()), QStringLiteral("/home/jörg/"));
    ASSERT_TRUE(Settings::WriteDataPath(dir.path(), QStringLiteral("/home/jörg/new/")));
    EXPECT_EQ(read(), QByteArray("\xEF\xBB\xBF[Information]\r\nDataPath=/home/j\xC3\xB6rg/new/\r\n"));

    write("[Information]\r\nDataPath=/home/j\xC3\xB6rg/\r\n");
    EXPECT_EQ(Settings::ReadDataPath(dir.path()), QStringLiteral("/home/jörg/"));
    write("[Information]\r\nDataPath=/old/\r\n");
    ASSERT_TRUE(Settings::WriteDataPath(dir.path(), QStringLiteral("/klinik/Łódź/")));
    EXPECT_EQ(Settings::ReadDataPath(dir.path()), QStringLiteral("/klinik/Łódź/"));
}

// A file that is no settings file is reported and never rewritten.
TEST(IniFile, FileThatIsNoSettingsIsReportedAndLeftAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VEK.INI"));
    ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::resize(path, 20 << 20));
    QString problem;
    EXPECT_EQ(Settings::ReadDataPath(dir.path(), &problem), dir.path() + u'/');
    EXPECT_EQ(problem, QStringLiteral("Cannot open file %1: it holds 20971520 bytes, far more than such a file can").arg(path));
    EXPECT_FALSE(Settings::WriteDataPath(dir.path(), QStringLiteral("/b/")));
    EXPECT_EQ(QFileInfo(path).size(), 20 << 20);
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
