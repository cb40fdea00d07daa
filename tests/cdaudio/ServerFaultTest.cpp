// SPDX-License-Identifier: GPL-3.0-or-later
// What the sound server does to a play under way, done to it for real:
// each must end the play with an error in words within 2 s, and the next
// play must be whole again.
#include "ServerPlaybackFixture.h"
#include "TestDisc.h"

#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <QDir>
#include <QFileInfo>

#include <cstring>
#include <functional>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString Pactl(const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), arguments);
    pactl.waitForFinished(5000);
    if (exitCode)
        *exitCode = pactl.exitCode();
    return QString::fromUtf8(pactl.readAllStandardOutput());
}

// The index of the program's stream, once the server has it.
QString SinkInput()
{
    QString index;
    (void)QTest::qWaitFor(
        [&] {
            index = Pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")})
                        .section(QLatin1Char('\t'), 0, 0)
                        .trimmed();
            return !index.isEmpty();
        },
        3000);
    return index;
}

// A command of the server's own command language, as a mixer that kills
// streams sends it (this pactl has no such command).
bool ServerCommand(const QString &command)
{
    const QString socketPath = QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath(QStringLiteral("avek-cli"));
    if (!QFileInfo::exists(socketPath))
        Pactl({QStringLiteral("load-module"), QStringLiteral("module-cli-protocol-unix"), "socket=" + socketPath});
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, qPrintable(socketPath), sizeof address.sun_path - 1);
    bool sent = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    const QByteArray line = command.toUtf8() + "\n";
    sent = sent && ::write(fd, line.constData(), size_t(line.size())) == line.size();
    // The server answers, and closes on the end of the commands.
    ::shutdown(fd, SHUT_WR);
    char reply[256];
    while (sent && ::read(fd, reply, sizeof reply) > 0) {
    }
    ::close(fd);
    return sent;
}

QString OutputSink()
{
    return qEnvironmentVariable("AVEK_MONITOR").section(QLatin1Char('.'), 0, 0);
}

class ServerFaultTest : public TServerPlaybackFixture
{
protected:
    // Starts a 5 s play, does fault to it once its stream is there, and
    // expects the play to end with an error naming what; then the next play
    // must be whole.
    void ExpectFaultTold(const std::function<void(const QString &sinkInput)> &fault, const QString &named,
                         const std::function<void()> &mend = {})
    {
        IMediaPlayer &player = playback.Player();
        QSignalSpy notices(&player, &IMediaPlayer::Notify);
        ASSERT_TRUE(player.Play(MakeTmsf(1, 0, 10), MakeTmsf(1, 0, 15), true));
        const QString sinkInput = SinkInput();
        ASSERT_FALSE(sinkInput.isEmpty());
        QTest::qWait(300);
        QElapsedTimer clock;
        clock.start();
        fault(sinkInput);
        ASSERT_TRUE(QTest::qWaitFor([&] { return notices.size() == 1; }, 3000));
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_EQ(player.ErrorCode(), TCdError::NoSoundOutput) << player.ErrorText().toStdString();
        EXPECT_TRUE(player.ErrorText().contains(named)) << player.ErrorText().toStdString();
        if (mend)
            mend();
        const TServerPlayback::TResult next = playback.Play(2, 1);
        EXPECT_EQ(next.Fault.toStdString(), "");
        EXPECT_EQ(next.ErrorCode, 0) << next.ErrorText.toStdString();
    }

};

TEST_F(ServerFaultTest, AStreamKilledInAMixerEndsThePlay)
{
    ExpectFaultTold([](const QString &sinkInput) { ASSERT_TRUE(ServerCommand("kill-sink-input " + sinkInput)); },
                    QStringLiteral("closed the stream"));
}

TEST_F(ServerFaultTest, ASinkSuspendedUnderThePlayEndsIt)
{
    const QString sink = OutputSink();
    ExpectFaultTold([&](const QString &) { Pactl({QStringLiteral("suspend-sink"), sink, QStringLiteral("1")}); },
                    QStringLiteral("suspended"),
                    [&] { Pactl({QStringLiteral("suspend-sink"), sink, QStringLiteral("0")}); });
}

// The stream stays where it was calibrated: a mixer cannot move it, and a
// new default sink does not take it along.
TEST_F(ServerFaultTest, TheStreamIsNotMovedToAnotherSink)
{
    int loaded = 0;
    const QString module = Pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                  QStringLiteral("sink_name=avek_other"), QStringLiteral("rate=44100")},
                                 &loaded)
                               .trimmed();
    ASSERT_EQ(loaded, 0);
    IMediaPlayer &player = playback.Player();
    QSignalSpy notices(&player, &IMediaPlayer::Notify);
    ASSERT_TRUE(player.Play(MakeTmsf(1, 0, 10), MakeTmsf(1, 0, 12), true));
    const QString sinkInput = SinkInput();
    ASSERT_FALSE(sinkInput.isEmpty());
    int moved = 0;
    Pactl({QStringLiteral("move-sink-input"), sinkInput, QStringLiteral("avek_other")}, &moved);
    EXPECT_NE(moved, 0);
    Pactl({QStringLiteral("set-default-sink"), QStringLiteral("avek_other")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return notices.size() == 1; }, 5000));
    EXPECT_EQ(player.ErrorCode(), 0) << player.ErrorText().toStdString();
    Pactl({QStringLiteral("set-default-sink"), OutputSink()});
    Pactl({QStringLiteral("unload-module"), module});
}

TEST_F(ServerFaultTest, ASinkThatIsNotThereFailsThePlayInsteadOfPlayingElsewhere)
{
    TServerPlayback elsewhere(QStringLiteral("audiometer_input_7"));
    QString error;
    ASSERT_TRUE(elsewhere.Open(error)) << error.toStdString();
    const TServerPlayback::TResult result = elsewhere.Play(2, 1);
    EXPECT_EQ(result.ErrorCode, TCdError::NoSoundOutput);
    EXPECT_TRUE(result.ErrorText.contains(QStringLiteral("audiometer_input_7"))) << result.ErrorText.toStdString();
    EXPECT_LT(result.PlayCallMs, 100);
}

} // namespace
