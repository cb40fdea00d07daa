// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoSet.h"

#include "administration/SentenceMaterial.h"
#include "cdaudio/CdDevice.h"

#include <QFile>
#include <QProcess>

namespace DemoSet {

QString Make(const QString &folder, const QStringList &options)
{
    QProcess tool;
    tool.start(QStringLiteral(AVEKTOOL_PATH), QStringList{QStringLiteral("make-demo")} + options + QStringList{folder});
    if (!tool.waitForFinished(120000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return QStringLiteral("make-demo failed: ") + QString::fromLocal8Bit(tool.readAllStandardError());
    return QString();
}

TSet::TSet()
{
    const QString made = qEnvironmentVariable("AVEK_DEMO_SET");
    if (made.isEmpty()) {
        Failure = Make(Folder.path());
        return;
    }
    for (const QString &name : QDir(made).entryList(QDir::Files)) {
        if (!QFile::copy(QDir(made).filePath(name), Path(name))) {
            Failure = QStringLiteral("Cannot copy the demonstration set's %1 from %2").arg(name, made);
            return;
        }
    }
}

const TSet &Set()
{
    static const TSet set;
    return set;
}

const TTracks &Tracks()
{
    static const TTracks tracks = [] {
        TTracks read;
        TCdError error;
        const auto disc = OpenDisc(Set().Sheet(), error);
        if (!disc)
            return read;
        for (const TDiscTrack &track : disc->Layout().Tracks()) {
            std::vector<qint16> samples(size_t(track.End - track.Start) * CdAudio::FramesPerSector * 2);
            if (!disc->ReadSectors(track.Start, int(track.End - track.Start), samples.data(), error))
                return TTracks{};
            read.push_back(std::move(samples));
        }
        return read;
    }();
    return tracks;
}

QString WriteImage(const QString &folder, TestDisc::TFormat format, const TTracks &tracks)
{
    const bool oneFile = format == TestDisc::Binary || format == TestDisc::Motorola;
    QByteArray sheet;
    std::vector<qint16> all;
    qint64 sector = 0;
    for (size_t t = 0; t < tracks.size(); ++t) {
        const QString name = QStringLiteral("track%1.%2").arg(t + 1).arg(TestDisc::Extension(format));
        if (!oneFile || t == 0)
            sheet += QStringLiteral("FILE \"%1\" %2\n")
                         .arg(oneFile ? QStringLiteral("disc.bin") : name, TestDisc::TypeName(format))
                         .toUtf8();
        const qint64 at = oneFile ? sector : 0;
        sheet += QStringLiteral("  TRACK %1 AUDIO\n    INDEX 01 %2:%3:%4\n")
                     .arg(t + 1, 2, 10, QLatin1Char('0'))
                     .arg(at / 75 / 60, 2, 10, QLatin1Char('0'))
                     .arg(at / 75 % 60, 2, 10, QLatin1Char('0'))
                     .arg(at % 75, 2, 10, QLatin1Char('0'))
                     .toUtf8();
        sector += qint64(tracks[t].size()) / (2 * CdAudio::FramesPerSector);
        if (oneFile)
            all.insert(all.end(), tracks[t].begin(), tracks[t].end());
        else
            TestDisc::WriteFile(QDir(folder).filePath(name), format, tracks[t]);
    }
    if (oneFile)
        TestDisc::WriteFile(QDir(folder).filePath(QStringLiteral("disc.bin")), format, std::move(all));
    const QString path = QDir(folder).filePath(QStringLiteral("disc.cue"));
    TestDisc::WriteText(path, sheet);
    return path;
}

void ForEachSentence(TTracks &tracks, const std::function<void(qint32, int, qint16 *, qsizetype)> &change)
{
    TSentenceMaterial material;
    if (!material.LoadPassages(Set().Material()))
        return;
    const auto frame = [](const TCdTime &time) {
        return qsizetype(time.Minutes * 60 + time.Seconds) * CdAudio::SampleRate;
    };
    for (qint32 id = 11; id <= 98; ++id) {
        const std::optional<TPassageRecord> passage = material.FindPassage(id);
        if (!passage)
            continue;
        for (int s = 0; s < PassageLayout::SentenceCount; ++s) {
            if (size_t(passage->Start(s).Track) > tracks.size())
                continue;
            std::vector<qint16> &track = tracks[size_t(passage->Start(s).Track - 1)];
            const qsizetype from = frame(passage->Start(s));
            const qsizetype to = std::min(frame(passage->End(s)), qsizetype(track.size() / 2));
            change(id, s, track.data() + 2 * from, to - from);
        }
    }
}

} // namespace DemoSet
