// SPDX-License-Identifier: GPL-3.0-or-later
// The installed program itself, on an X display of its own, driven by key
// strokes as a person would type them.
#include "QtPrint.h"
#include "TestMaterial.h"
#include "administration/SentenceMaterial.h"
#include "record/ClientFileReader.h"
#include "record/ClientFileWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

namespace {

// One workstation of the clinic: an X display of its own, and the user's own
// runtime, state and settings folders, so that the single-instance rule (per
// user) lets a second copy start beside the first.
class TWorkstation
{
public:
    TWorkstation(const QDir &home, const QString &name) : m_home(home.filePath(name))
    {
        QDir(m_home).mkpath(QStringLiteral("run"));
        QFile::setPermissions(m_home + QStringLiteral("/run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home + QStringLiteral("/run"));
        m_environment.insert(QStringLiteral("XDG_STATE_HOME"), m_home + QStringLiteral("/state"));
        // A crash sent to the program must end it as a crash does, also where
        // AddressSanitizer would otherwise catch the signal and exit.
        const QString asan = m_environment.value(QStringLiteral("ASAN_OPTIONS"));
        m_environment.insert(QStringLiteral("ASAN_OPTIONS"),
                             (asan.isEmpty() ? QString() : asan + u':') + QStringLiteral("handle_segv=0"));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home + QStringLiteral("/config"));
    }
    ~TWorkstation()
    {
        m_windowManager.terminate();
        m_windowManager.waitForFinished();
        m_display.terminate();
        m_display.waitForFinished();
    }

    // Empty when the display is up; why not otherwise.
    QString StartDisplay()
    {
        m_display.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                 QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                                 QStringLiteral("-screen"), QStringLiteral("0"),
                                                 QStringLiteral("1024x768x24")});
        if (!m_display.waitForReadyRead(20000))
            return QStringLiteral("Xvfb does not start here: ") + QString::fromLocal8Bit(m_display.readAllStandardError());
        m_environment.insert(QStringLiteral("DISPLAY"), u':' + QString::fromLatin1(m_display.readAll().trimmed()));
        return QString();
    }

    // A window manager on the display, as a desktop has: it decides which
    // window has the focus and which is in front. Empty when it runs.
    QString StartWindowManager()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
            return QStringLiteral("openbox is not installed (scripts/deps installs it)");
        m_windowManager.setProcessEnvironment(m_environment);
        m_windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        QProcess probe;
        for (int i = 0; i < 100; ++i) {
            probe.setProcessEnvironment(m_environment);
            probe.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
            probe.waitForFinished(10000);
            if (probe.readAllStandardOutput().contains("window id"))
                return QString();
            QThread::msleep(100);
        }
        return QStringLiteral("openbox does not start here");
    }

    QString Home(const QString &name) const { return m_home + u'/' + name; }

    // Runs xdotool on the display; its output.
    QString XdoTool(const QStringList &arguments)
    {
        QProcess tool;
        tool.setProcessEnvironment(m_environment);
        tool.start(QStringLiteral("xdotool"), arguments);
        tool.waitForFinished(30000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }
    bool Shows(const QString &title)
    {
        return !XdoTool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), title})
                    .isEmpty();
    }
    // Waits for a window whose title matches, and gives it time to settle.
    // xdotool gives up when a window vanishes while it looks (the splash
    // screen does), so it is asked again until the time is up.
    bool WaitForWindow(const QString &title)
    {
        for (int i = 0; i < 60; ++i) {
            if (Shows(title)) {
                QThread::msleep(1500);
                return true;
            }
            QThread::msleep(500);
        }
        return false;
    }
    // Gives the window the keyboard, as a click on it would; shortcuts work
    // only in the active window. The splash screen is waited out first.
    void Focus(const QString &title)
    {
        for (int i = 0; i < 100 && Shows(QStringLiteral("^Splash Screen")); ++i)
            QThread::msleep(200);
        const QString window =
            XdoTool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), title})
                .section(u'\n', 0, 0);
        XdoTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        QThread::msleep(500);
    }
    void Type(const QString &text)
    {
        XdoTool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"), text});
        QThread::msleep(1000);
    }
    void Key(const QString &key)
    {
        XdoTool({QStringLiteral("key"), key});
        QThread::msleep(1500);
    }

    void Start(QProcess &avek, const QString &folder, const QStringList &arguments = {})
    {
        avek.setProcessEnvironment(m_environment);
        avek.setWorkingDirectory(folder);
        avek.start(QStringLiteral(AVEK_PATH), arguments);
        ASSERT_TRUE(avek.waitForStarted());
    }

private:
    QString m_home;
    QProcess m_display;
    QProcess m_windowManager;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

class RealProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *tool : {"Xvfb", "xdotool"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                GTEST_SKIP() << tool << " is not installed (scripts/deps installs it)";
        }
        // A clinic's folder, with its material: no notice of missing material
        // stands between the window and the keys typed into it.
        QDir(m_dir.path()).mkdir(QStringLiteral("clinic"));
        QFile material(Path(TSentenceMaterial::FileName));
        ASSERT_TRUE(material.open(QIODevice::WriteOnly));
        material.write(TestMaterial());
    }
    // The workstation's display, or a skip when none can start.
    void StartDisplay(TWorkstation &workstation)
    {
        if (const QString why = workstation.StartDisplay(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
    }
    void StartDesktop(TWorkstation &workstation)
    {
        StartDisplay(workstation);
        if (const QString why = workstation.StartWindowManager(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
    }

    QString Path(const QString &name) const { return m_dir.filePath(QStringLiteral("clinic/") + name); }

    static void End(QProcess &avek, int signal)
    {
        ::kill(pid_t(avek.processId()), signal);
        ASSERT_TRUE(avek.waitForFinished(20000));
        EXPECT_EQ(avek.exitStatus(), QProcess::CrashExit) << "ended by the signal, as the signal would end it";
    }
    static QString LastNameIn(const QString &path)
    {
        TClientRecord record;
        return ReadClientFile(path, record) ? record.LastName() : QStringLiteral("<none>");
    }

    // A save of the real program is seen when it is done, however loaded the
    // machine is.
    static bool WaitForLastName(const QString &path, const QString &expected)
    {
        for (int i = 0; i < 100 && LastNameIn(path) != expected; ++i)
            QThread::msleep(200);
        return LastNameIn(path) == expected;
    }

    QTemporaryDir m_dir;
    TWorkstation m_first{QDir(m_dir.path()), QStringLiteral("first")};
};

// Log-out (SIGTERM) and a closed terminal (SIGHUP) keep what was typed, and
// the next start offers it back.
TEST_F(RealProgram, UnsavedWorkOutlivesTheEndOfTheSessionAndOfTheTerminal)
{
    StartDisplay(m_first);
    QProcess avek;
    m_first.Start(avek, Path(QString()));
    ASSERT_TRUE(m_first.WaitForWindow(QStringLiteral("^AVEK beta$")));
    // The last name has the focus.
    m_first.Focus(QStringLiteral("^AVEK beta$"));
    m_first.Type(QStringLiteral("Smith"));
    End(avek, SIGTERM);
    const QString kept = m_first.Home(QStringLiteral("state/AVEK/unsaved.VEK"));
    EXPECT_EQ(LastNameIn(kept), "Smith");

    // Restarted: "Restore it?" Yes; ended before a save, it is kept again.
    m_first.Start(avek, Path(QString()));
    ASSERT_TRUE(m_first.WaitForWindow(QStringLiteral("^Confirm")));
    m_first.Key(QStringLiteral("Return"));
    End(avek, SIGHUP);
    EXPECT_EQ(LastNameIn(kept), "Smith");
}

// Two workstations, each with its own user, on one clinic folder: the second
// is told the client is open, and neither save replaces the other's unasked.
TEST_F(RealProgram, TwoWorkstationsOnOneFolderAskBeforeReplacingEachOther)
{
    TWorkstation second(QDir(m_dir.path()), QStringLiteral("second"));
    StartDisplay(m_first);
    StartDisplay(second);
    const QString jones = Path(QStringLiteral("JONES.VEK"));
    TClientRecord record;
    record.InitNewRecord();
    record.SetLastName(QStringLiteral("Jones"));
    ASSERT_TRUE(WriteClientFile(record, jones));

    QProcess a;
    m_first.Start(a, Path(QString()), {jones});
    ASSERT_TRUE(m_first.WaitForWindow(QStringLiteral("^AVEK beta - JONES.VEK$")));
    QFile lock(Path(QStringLiteral(".~lock.JONES.VEK#")));
    ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
    EXPECT_TRUE(lock.readAll().contains(',' + QByteArray::number(a.processId()) + ',')) << "the lock names copy A";
    lock.close();

    // B is asked first, and takes it over.
    QProcess b;
    second.Start(b, Path(QString()), {jones});
    ASSERT_TRUE(second.WaitForWindow(QStringLiteral("^Confirm$")));
    EXPECT_FALSE(second.Shows(QStringLiteral("JONES.VEK$"))) << "not opened before the answer";
    second.Key(QStringLiteral("Return"));
    ASSERT_TRUE(second.WaitForWindow(QStringLiteral("^AVEK beta - JONES.VEK$")));

    // A saves first: nothing stands in its way.
    m_first.Focus(QStringLiteral("^AVEK beta - "));
    m_first.Key(QStringLiteral("ctrl+a"));
    m_first.Type(QStringLiteral("Adams"));
    m_first.Key(QStringLiteral("ctrl+s"));
    EXPECT_TRUE(WaitForLastName(jones, QStringLiteral("Adams")));
    EXPECT_FALSE(m_first.Shows(QStringLiteral("^Confirm$")));

    // B's save would lose A's work: asked; Cancel writes nothing, Overwrite
    // (never the default button) does.
    second.Focus(QStringLiteral("^AVEK beta - "));
    second.Key(QStringLiteral("ctrl+a"));
    second.Type(QStringLiteral("Baker"));
    second.Key(QStringLiteral("ctrl+s"));
    ASSERT_TRUE(second.WaitForWindow(QStringLiteral("^Confirm$")));
    second.Key(QStringLiteral("Escape"));
    EXPECT_EQ(LastNameIn(jones), "Adams");
    EXPECT_FALSE(second.Shows(QStringLiteral("^Confirm$")));
    second.Focus(QStringLiteral("^AVEK beta - "));
    second.Key(QStringLiteral("ctrl+s"));
    ASSERT_TRUE(second.WaitForWindow(QStringLiteral("^Confirm$")));
    second.Key(QStringLiteral("alt+o"));
    EXPECT_TRUE(WaitForLastName(jones, QStringLiteral("Baker")));

    // The lock goes with the copy that holds it, whatever ends it: B took it
    // over, so A's end leaves it and B's removes it.
    End(a, SIGTERM);
    EXPECT_TRUE(lock.exists());
    End(b, SIGTERM);
    EXPECT_FALSE(lock.exists());
}

// The questions of a start wait for the window and are answered whenever the
// clinician gets to them; keys typed while the program starts do not answer.
class StartUpQuestion : public RealProgram
{
protected:
    void SetUp() override
    {
        RealProgram::SetUp();
        if (!IsSkipped())
            StartDesktop(m_first);
    }
    // Started, with the last name typed at once, as a clinician in a hurry does.
    void StartTyping(QProcess &avek, const QString &name)
    {
        m_started.start();
        m_first.Start(avek, Path(QString()));
        for (int i = 0; i < 300 && !m_first.Shows(QStringLiteral("^AVEK beta$")); ++i)
            QThread::msleep(50);
        m_first.XdoTool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), name});
    }
    // The clinician comes back to the question five seconds after the start.
    void AnswerLate(QProcess &avek, const QString &title, const QString &key)
    {
        ASSERT_TRUE(m_first.WaitForWindow(title));
        QThread::msleep(std::max<qint64>(0, 5000 - m_started.elapsed()));
        m_first.Key(key);
        ASSERT_EQ(avek.state(), QProcess::Running) << "the program ended on the answer";
        EXPECT_FALSE(m_first.Shows(title)) << "the question was answered";
    }
    QString Kept() const { return m_first.Home(QStringLiteral("state/AVEK/unsaved.VEK")); }

    QElapsedTimer m_started;
};

TEST_F(StartUpQuestion, KeptWorkIsRestoredWhenAnsweredLateAndNotDeclinedByTyping)
{
    QProcess avek;
    m_first.Start(avek, Path(QString()));
    ASSERT_TRUE(m_first.WaitForWindow(QStringLiteral("^AVEK beta$")));
    m_first.Focus(QStringLiteral("^AVEK beta$"));
    m_first.Type(QStringLiteral("Smith"));
    End(avek, SIGTERM);
    ASSERT_EQ(LastNameIn(Kept()), "Smith");

    // "Nolan" begins with the key of No.
    StartTyping(avek, QStringLiteral("Nolan"));
    AnswerLate(avek, QStringLiteral("^Confirm$"), QStringLiteral("Return"));
    End(avek, SIGTERM);
    EXPECT_EQ(LastNameIn(Kept()), "Smith") << "restored, and kept again";
}

TEST_F(StartUpQuestion, SettingsWithANulByteAreToldAndTheProgramIsUsable)
{
    QFile ini(Path(QStringLiteral("VEK.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QByteArray("[Information]\r\nDataPath=/tm\0p/\r\n", 32));
    ini.close();
    QProcess avek;
    m_started.start();
    m_first.Start(avek, Path(QString()));
    AnswerLate(avek, QStringLiteral("^Error$"), QStringLiteral("Return"));
    m_first.Focus(QStringLiteral("^AVEK beta$"));
    m_first.Type(QStringLiteral("Jones"));
    End(avek, SIGTERM);
    EXPECT_EQ(LastNameIn(Kept()), "Jones");
}

// A crash is no signal the program can answer: what was typed is kept already.
TEST_F(StartUpQuestion, NameTypedBeforeACrashIsOfferedBack)
{
    QProcess avek;
    m_first.Start(avek, Path(QString()));
    ASSERT_TRUE(m_first.WaitForWindow(QStringLiteral("^AVEK beta$")));
    m_first.Focus(QStringLiteral("^AVEK beta$"));
    m_first.XdoTool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"), QStringLiteral("Smith")});
    QThread::msleep(3000);
    End(avek, SIGSEGV);

    m_started.start();
    m_first.Start(avek, Path(QString()));
    AnswerLate(avek, QStringLiteral("^Confirm$"), QStringLiteral("Return"));
    End(avek, SIGTERM);
    EXPECT_EQ(LastNameIn(Kept()), "Smith");
}

} // namespace
