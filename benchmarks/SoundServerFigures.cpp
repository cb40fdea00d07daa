// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundServerFigures.h"

#include "ServerPlayback.h"

#include <QProcess>

#include <cstdio>

std::vector<TBenchmarkFigure> MeasureSoundServer(int runs)
{
    if (const QString why = TServerPlayback::Unavailable(); !why.isEmpty()) {
        std::printf("Sound server figures skipped: %s\n", qPrintable(why));
        return {};
    }
    TServerPlayback playback;
    QString error;
    if (!playback.Open(error))
        throw TBenchmarkError{QStringLiteral("The sound output cannot be played through: %1").arg(error)};

    const auto playWhole = [&playback](int second) {
        const TServerPlayback::TResult result = playback.Play(1 + second % 50, 1);
        if (!result.Fault.isEmpty() || result.ErrorCode != 0)
            throw TBenchmarkError{QStringLiteral("A play through the sound server was not whole: %1 %2")
                                      .arg(result.Fault, result.ErrorText)};
        return result;
    };
    std::vector<double> onsets, notices, reopenedOnsets;
    for (int run = 0; run < runs; ++run) {
        const TServerPlayback::TResult result = playWhole(run);
        onsets.push_back(result.OnsetMs);
        notices.push_back(result.NoticeAfterLastMs);
    }
    for (int run = 0; run < std::max(1, runs / 2); ++run) {
        playback.LoseOutput();
        reopenedOnsets.push_back(playWhole(run).OnsetMs);
    }

    QProcess burners[2];
    for (QProcess &burner : burners)
        burner.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
    int dropouts = 0, seconds = 0;
    for (int run = 0; run < std::max(2, runs / 2); ++run, seconds += 5) {
        const TServerPlayback::TResult result = playback.Play(5 + 5 * (run % 10), 5);
        dropouts += !result.Fault.isEmpty() || result.ErrorCode != 0;
    }
    for (QProcess &burner : burners) {
        burner.kill();
        burner.waitForFinished();
    }
    return {
        {QStringLiteral("Play to the first frame at the server"), Median(onsets), QStringLiteral("ms"),
         QStringLiteral("300 ms")},
        {QStringLiteral("The same, the output opened afresh"), Median(reopenedOnsets), QStringLiteral("ms"),
         QStringLiteral("300 ms")},
        {QStringLiteral("Last frame at the server to Notify"), Median(notices), QStringLiteral("ms"), QString()},
        {QStringLiteral("Dropouts per hour under load"), dropouts * 3600.0 / seconds, QStringLiteral("/h"),
         QStringLiteral("0")},
    };
}
