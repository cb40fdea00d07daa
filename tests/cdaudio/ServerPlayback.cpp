// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServerPlayback.h"

#include "TestDisc.h"

#include "cdaudio/Tmsf.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 F = CdAudio::FramesPerSector;
constexpr int DiscSeconds = 60;

QString Monitor()
{
    return qEnvironmentVariable("AVEK_MONITOR");
}

} // namespace

QString TServerPlayback::Unavailable()
{
    if (Monitor().isEmpty())
        return QStringLiteral("no private sound server (run the test through scripts/with-sound-server)");
    if (QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty())
        return QStringLiteral("parec is not installed");
    return QString();
}

TServerPlayback::TServerPlayback(const QString &output) : m_outputChoice(output)
{
    TestDisc::Write(m_folder.path(), TestDisc::Binary, {{DiscSeconds * 75, 0, 0}}, false);
    m_clock.start();
}

TServerPlayback::~TServerPlayback()
{
    m_player.reset();
    m_parec.kill();
    m_parec.waitForFinished(2000);
}

bool TServerPlayback::Open(QString &error)
{
    m_player = std::make_unique<TCdAudioPlayer>(QDir(m_folder.path()).filePath(QStringLiteral("disc.cue")),
                                                [this](QString &reason) {
                                                    TOutputReport report;
                                                    auto sink = OpenSoundOutput(m_outputChoice, report);
                                                    reason = m_silentReason = report.Problem;
                                                    m_output = std::make_shared<TSoundOutput>(std::move(sink));
                                                    return m_output;
                                                });
    const bool opened = m_player->Open();
    if (!opened || !m_silentReason.isEmpty()) {
        error = opened ? QStringLiteral("no sound output: %1").arg(m_silentReason) : m_player->ErrorText();
        return false;
    }
    QObject::connect(&m_parec, &QProcess::readyReadStandardOutput, [this] { Take(); });
    return Record(error);
}

bool TServerPlayback::Record(QString &error)
{
    m_parec.kill();
    m_parec.waitForFinished(2000);
    m_partial.clear();
    m_parec.start(QStringLiteral("parec"), {QStringLiteral("-d"), Monitor(), QStringLiteral("--raw"),
                                            QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                                            QStringLiteral("--channels=2"), QStringLiteral("--latency-msec=5")});
    if (!m_parec.waitForStarted(5000)) {
        error = QStringLiteral("parec did not start");
        return false;
    }
    WaitForQuiet();
    return true;
}

void TServerPlayback::LoseOutput()
{
    m_output->ReopenAtNextStart();
}

void TServerPlayback::Take()
{
    m_partial += m_parec.readAllStandardOutput();
    const qsizetype frames = m_partial.size() / 4;
    if (frames == 0)
        return;
    const size_t at = m_samples.size();
    m_samples.resize(at + size_t(frames) * 2);
    std::memcpy(&m_samples[at], m_partial.constData(), size_t(frames) * 4);
    m_partial.remove(0, frames * 4);
    m_chunks.push_back({m_samples.size() / 2, m_clock.nsecsElapsed()});
}

qint64 TServerPlayback::ArrivalOf(size_t frame) const
{
    const auto chunk = std::upper_bound(m_chunks.begin(), m_chunks.end(), frame,
                                        [](size_t f, const TChunk &c) { return f < c.EndFrame; });
    return chunk == m_chunks.end() ? -1 : chunk->ArrivedNs;
}

void TServerPlayback::WaitForQuiet()
{
    const auto silentSince = [this](size_t frames) {
        const size_t total = m_samples.size() / 2;
        if (total < frames)
            return false;
        for (size_t i = total - frames; i < total; ++i)
            if (TestDisc::FramePosition(m_samples[2 * i], m_samples[2 * i + 1]))
                return false;
        return true;
    };
    // A monitor that never falls quiet shows in the frames checked next.
    (void)QTest::qWaitFor([&] { return silentSince(CdAudio::SampleRate / 5); }, 3000);
}

TServerPlayback::TResult TServerPlayback::Play(int firstSecond, int seconds)
{
    TResult result;
    const size_t mark = m_samples.size() / 2;
    QSignalSpy notices(m_player.get(), &IMediaPlayer::Notify);
    const qint64 played = m_clock.nsecsElapsed();
    m_player->Play(MakeTmsf(1, 0, firstSecond), MakeTmsf(1, 0, firstSecond + seconds), true);
    result.PlayCallMs = double(m_clock.nsecsElapsed() - played) / 1e6;
    if (!QTest::qWaitFor([&] { return notices.size() == 1; }, seconds * 1000 + 5000)) {
        result.Fault = QStringLiteral("no end notice");
        return result;
    }
    const qint64 noticed = m_clock.nsecsElapsed();
    result.ErrorCode = m_player->ErrorCode();
    result.ErrorText = m_player->ErrorText();
    WaitForQuiet();

    const qint64 first = firstSecond * 75 * F, count = seconds * 75 * F;
    const size_t total = m_samples.size() / 2;
    size_t start = mark;
    while (start < total && !TestDisc::FramePosition(m_samples[2 * start], m_samples[2 * start + 1]))
        ++start;
    for (qint64 i = 0; i < count && result.Fault.isEmpty(); ++i) {
        const size_t at = start + size_t(i);
        const auto position = at < total ? TestDisc::FramePosition(m_samples[2 * at], m_samples[2 * at + 1])
                                         : std::nullopt;
        if (position != first + i)
            result.Fault = QStringLiteral("frame %1 of %2 is %3").arg(i).arg(count).arg(
                position ? QString::number(*position - first)
                         : at < total ? QStringLiteral("silence") : QStringLiteral("missing"));
    }
    const size_t after = start + size_t(count);
    if (result.Fault.isEmpty() && after < total && TestDisc::FramePosition(m_samples[2 * after], m_samples[2 * after + 1]))
        result.Fault = QStringLiteral("frames follow the last frame");
    if (result.Fault.isEmpty()) {
        result.OnsetMs = double(ArrivalOf(start) - played) / 1e6;
        result.NoticeAfterLastMs = double(noticed - ArrivalOf(after - 1)) / 1e6;
    }
    return result;
}

QString TServerPlayback::PlayLoop(int firstSecond, int frames, int loopMs)
{
    const size_t mark = m_samples.size() / 2;
    m_player->PlayLoop(MakeTmsf(1, 0, firstSecond), MakeTmsf(1, 0, firstSecond, frames));
    QTest::qWait(loopMs);
    m_player->Stop();
    WaitForQuiet();
    const qint64 first = firstSecond * 75 * F, length = frames * F;
    const size_t total = m_samples.size() / 2;
    size_t at = mark;
    while (at < total && !TestDisc::FramePosition(m_samples[2 * at], m_samples[2 * at + 1]))
        ++at;
    qint64 heard = 0;
    for (; at < total; ++at, ++heard) {
        const auto position = TestDisc::FramePosition(m_samples[2 * at], m_samples[2 * at + 1]);
        if (!position)
            break;
        if (*position != first + heard % length)
            return QStringLiteral("frame %1 of the loop is %2").arg(heard).arg(*position - first);
    }
    if (heard < 2 * length)
        return QStringLiteral("the loop broke after %1 frames").arg(heard);
    return QString();
}
