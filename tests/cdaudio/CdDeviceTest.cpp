#include "cdaudio/CdDevice.h"

#include "TestDisc.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

TEST(CdDeviceTest, ReadsTheDeviceFromTheSettingsFile)
{
    QTemporaryDir folder;
    const QString ini = QDir(folder.path()).filePath(QStringLiteral("VEK.INI"));
    EXPECT_EQ(ReadCdDevice(folder.path()), QString());

    TestDisc::WriteText(ini, "[Information]\r\nDataPath=C:\\\r\n[CD]\r\nDevice=\r\n");
    EXPECT_EQ(ReadCdDevice(folder.path()), QString());

    TestDisc::WriteText(ini, "[cd]\r\ndevice=/dev/sr1\r\n");
    EXPECT_EQ(ReadCdDevice(folder.path()), QStringLiteral("/dev/sr1"));

    // A sheet named relative to the start-up folder.
    TestDisc::WriteText(ini, "[CD]\r\nDevice=demo/VEKDEMO.CUE\r\n");
    EXPECT_EQ(ReadCdDevice(folder.path()), QDir(folder.path()).filePath(QStringLiteral("demo/VEKDEMO.CUE")));
    TestDisc::WriteText(ini, "[CD]\r\nDevice=/discs/a.cue\r\n");
    EXPECT_EQ(ReadCdDevice(folder.path()), QStringLiteral("/discs/a.cue"));
}

TEST(CdDeviceTest, ADriveThatIsNotThereIsAnError)
{
    TCdError error;
    EXPECT_EQ(OpenDisc(QStringLiteral("/nonexistent/sr9"), error), nullptr);
    EXPECT_EQ(error.Code, TCdError::NoDrive);
    EXPECT_TRUE(error.Text.contains(QLatin1String("/nonexistent/sr9")));
}

} // namespace
