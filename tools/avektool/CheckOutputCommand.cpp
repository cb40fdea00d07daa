// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckOutputCommand.h"

#include "ToolCommand.h"
#include "cdaudio/CdAudioPlayer.h"
#include "cdaudio/CdDevice.h"
#include "cdaudio/DiscCheck.h"
#include "cdaudio/MonitorRecorder.h"
#include "cdaudio/PulseSink.h"
#include "cdaudio/SoundOutput.h"
#include "cdaudio/StretchFrames.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cmath>

namespace {

// The last frame of a play reaches the monitor within this of its end notice.
constexpr int HeardWithinMs = 2000;

QString DbText(double db)
{
    // A level a hair under zero is not a loss of a tenth of a decibel.
    const double shown = std::abs(db) < 0.005 ? 0.0 : db;
    return QString::number(shown, 'f', 2).replace(QLatin1Char('-'), QChar(0x2212)) + QStringLiteral(" dB");
}

} // namespace

int RunCheckOutput(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString output = TPulseSink::DefaultSink;
    int seconds = TmsfSeconds(TDiscCheck::CalibrationEnd) - TmsfSeconds(TDiscCheck::CalibrationStart);
    const int fullSeconds = seconds;
    QString disc;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        bool number = true;
        if (argument == QLatin1String("--output") && i + 1 < arguments.size())
            output = arguments[++i];
        else if (argument == QLatin1String("--seconds") && i + 1 < arguments.size())
            seconds = arguments[++i].toInt(&number);
        else if (disc.isEmpty() && !argument.startsWith(QLatin1String("--")))
            disc = argument;
        else
            number = false;
        if (!number || seconds < 1 || seconds > fullSeconds) {
            err << "Usage: avektool check-output [--output DEVICE] [--seconds 1-" << fullSeconds << "] DISC\n";
            return ExitBadUsage;
        }
    }
    if (disc.isEmpty()) {
        err << "Usage: avektool check-output [--output DEVICE] [--seconds 1-" << fullSeconds << "] DISC\n";
        return ExitBadUsage;
    }

    TCdError error;
    const std::unique_ptr<IDiscSource> source = OpenDisc(disc, error);
    const quint32 from = TDiscCheck::CalibrationStart;
    const quint32 to = MakeTmsf(1, 0, quint32(TmsfSeconds(from) + seconds));
    std::optional<std::vector<qint16>> expected;
    if (source)
        expected = ReadStretchFrames(*source, from, to, error);
    if (!expected) {
        err << "avektool check-output: the calibration stretch cannot be read from " << disc << ": " << error.Text
            << '\n';
        return ExitBadInput;
    }

    // Only the desktop sound server has a monitor to listen at; a sound
    // card played to directly has none.
    if (output == NoOutput || output.startsWith(AlsaPrefix)) {
        err << "avektool check-output: the output " << output
            << " cannot be checked: only a sink of the desktop sound server can be listened at\n";
        return ExitBadInput;
    }
    QString why;
    const std::unique_ptr<TMonitorRecorder> recorder =
        TMonitorRecorder::Open(output == TPulseSink::DefaultSink ? QString() : output, why);
    if (!recorder) {
        err << "avektool check-output: the output " << output << " cannot be checked: " << why << '\n';
        return ExitBadInput;
    }
    out << "Output: " << recorder->SinkDescription() << " (" << recorder->SinkName() << "), " << recorder->Rate()
        << " Hz" << (recorder->Rate() == TPlayVerifier::StretchRate ? "" : ", resampled from 44100 Hz") << '\n';
    out.flush();

    QString problem;
    TCdAudioPlayer player(disc, [&](QString &reason) {
        TOutputReport report;
        std::shared_ptr<IAudioSink> sink = OpenSoundOutput(output, report);
        reason = problem = report.Problem;
        return sink;
    });
    if (!player.Open() || !problem.isEmpty()) {
        err << "avektool check-output: the output " << output << " cannot be played through: "
            << (problem.isEmpty() ? player.ErrorText() : problem) << '\n';
        return ExitBadInput;
    }
    QEventLoop loop;
    QObject::connect(&player, &IMediaPlayer::Notify, &loop, &QEventLoop::quit);
    recorder->Begin(*expected, [&loop](const QString &) {
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    if (!player.Play(from, to, true)) {
        err << "avektool check-output: " << player.ErrorText() << '\n';
        return ExitBadInput;
    }
    loop.exec();
    player.Stop();
    const TPlayVerdict verdict = recorder->End(HeardWithinMs);
    const QString playError = player.ErrorText();

    out << "Gain: " << DbText(verdict.GainDb) << '\n'
        << "Frames: " << verdict.FramesHeard << " of " << expected->size() / CdAudio::Channels << " heard, "
        << verdict.FramesLost << " lost\n";
    if (verdict.Verified && playError.isEmpty()) {
        out << "Output checked: " << DbText(verdict.GainDb) << ", every frame\n";
        return ExitOk;
    }
    err << "avektool check-output: " << (verdict.Verified ? playError : verdict.Fault) << '\n';
    return ExitBadInput;
}
