// SPDX-License-Identifier: GPL-3.0-or-later
// The installed program itself, on an X display of its own, driven by key
// strokes as a person would type them.
#include "QtPrint.h"
#include "TestMaterial.h"
#include "administration/SentenceMaterial.h"
#include "record/ClientFileReader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

namespace {

class RealProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *tool : {"Xvfb", "xdotool"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                GTEST_SKIP() << tool << " is not installed (scripts/deps installs it)";
        }
        m_display.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                 QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                                 QStringLiteral("-screen"), QStringLiteral("0"),
                                                 QStringLiteral("1024x768x24")});
        if (!m_display.waitForReadyRead(20000))
            GTEST_SKIP() << "Xvfb does not start here: " << m_display.readAllStandardError().toStdString();
        m_environment.insert(QStringLiteral("DISPLAY"), u':' + QString::fromLatin1(m_display.readAll().trimmed()));
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_environment.insert(QStringLiteral("XDG_STATE_HOME"), Path(QStringLiteral("state")));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Path(QStringLiteral("config")));
        // The single-instance rule is per user: a runtime folder of its own.
        QDir(m_dir.path()).mkdir(QStringLiteral("run"));
        QFile::setPermissions(Path(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), Path(QStringLiteral("run")));
        // A clinic's folder, with its material: no notice of missing material
        // stands between the window and the keys typed into it.
        QFile material(Path(TSentenceMaterial::FileName));
        ASSERT_TRUE(material.open(QIODevice::WriteOnly));
        material.write(TestMaterial());
    }
    void TearDown() override
    {
        m_display.terminate();
        m_display.waitForFinished();
    }

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    // Runs xdotool on the display; its output.
    QString XdoTool(const QStringList &arguments)
    {
        QProcess tool;
        tool.setProcessEnvironment(m_environment);
        tool.start(QStringLiteral("xdotool"), arguments);
        tool.waitForFinished(30000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }
    // Waits for a window whose title starts so, and gives it time to settle.
    // xdotool gives up when a window vanishes while it looks (the splash
    // screen does), so it is asked again until the time is up.
    bool WaitForWindow(const QString &title)
    {
        for (int i = 0; i < 60; ++i) {
            if (!XdoTool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), u'^' + title})
                     .isEmpty()) {
                QThread::msleep(1500);
                return true;
            }
            QThread::msleep(500);
        }
        return false;
    }

    void Start(QProcess &avek)
    {
        avek.setProcessEnvironment(m_environment);
        avek.setWorkingDirectory(m_dir.path());
        avek.start(QStringLiteral(AVEK_PATH));
        ASSERT_TRUE(avek.waitForStarted());
    }
    void End(QProcess &avek, int signal)
    {
        ::kill(pid_t(avek.processId()), signal);
        ASSERT_TRUE(avek.waitForFinished(20000));
        EXPECT_EQ(avek.exitStatus(), QProcess::CrashExit) << "ended by the signal, as the signal would end it";
    }
    QString KeptLastName()
    {
        TClientRecord kept;
        return ReadClientFile(Path(QStringLiteral("state/AVEK/unsaved.VEK")), kept) ? kept.LastName()
                                                                                      : QStringLiteral("<none>");
    }

    QTemporaryDir m_dir;
    QProcess m_display;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

// Log-out (SIGTERM) and a closed terminal (SIGHUP) keep what was typed, and
// the next start offers it back.
TEST_F(RealProgram, UnsavedWorkOutlivesTheEndOfTheSessionAndOfTheTerminal)
{
    QProcess avek;
    Start(avek);
    ASSERT_TRUE(WaitForWindow(QStringLiteral("AVEK beta$")));
    // Keys go to the window under the pointer once the splash screen is gone;
    // the last name has the focus.
    for (int i = 0; i < 100 && !XdoTool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--name"), QStringLiteral("^Splash Screen")})
                                    .isEmpty();
         ++i)
        QThread::msleep(200);
    XdoTool({QStringLiteral("mousemove"), QStringLiteral("512"), QStringLiteral("384")});
    XdoTool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"), QStringLiteral("Smith")});
    QThread::msleep(1000);
    End(avek, SIGTERM);
    EXPECT_EQ(KeptLastName(), "Smith");

    // Restarted: "Restore it?" Yes; ended before a save, it is kept again.
    Start(avek);
    ASSERT_TRUE(WaitForWindow(QStringLiteral("Confirm")));
    XdoTool({QStringLiteral("key"), QStringLiteral("Return")});
    QThread::msleep(1500);
    End(avek, SIGHUP);
    EXPECT_EQ(KeptLastName(), "Smith");
}

} // namespace
