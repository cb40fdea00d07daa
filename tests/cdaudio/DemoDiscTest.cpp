// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestDisc.h"
#include "ToolRun.h"

#include "administration/ListTables.h"
#include "administration/SentenceMaterial.h"
#include "cdaudio/CdDevice.h"
#include "cdaudio/DiscCheck.h"
#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

quint32 Tmsf(const TCdTime &time)
{
    return MakeTmsf(quint32(time.Track), quint32(time.Minutes), quint32(time.Seconds));
}

QByteArray FileHash(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
}

// Each set is spoken by its own avektool process: espeak-ng's output
// depends on what its process spoke before.
QString MakeDemo(const QString &folder, const QStringList &options = {})
{
    QProcess tool;
    tool.start(QStringLiteral(AVEKTOOL_PATH), QStringList{QStringLiteral("make-demo")} + options + QStringList{folder});
    if (!tool.waitForFinished(120000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return QStringLiteral("make-demo failed: ") + QString::fromLocal8Bit(tool.readAllStandardError());
    return QString();
}

// Asks for a stop during one of its reads, as a clinician may press Cancel
// while a drive retries, and counts them.
struct TStoppingDisc : IDiscSource
{
    TStoppingDisc(IDiscSource &disc, int stopDuringRead) : Disc(disc), StopDuring(stopDuringRead) {}
    const TDiscLayout &Layout() const override { return Disc.Layout(); }
    bool ReadSectors(qint64 first, int count, qint16 *frames, TCdError &error) override
    {
        if (++Reads == StopDuring)
            Stop.request_stop();
        return Disc.ReadSectors(first, count, frames, error);
    }
    IDiscSource &Disc;
    int StopDuring;
    int Reads = 0;
    std::stop_source Stop;
};

// One demonstration set for the whole suite: it takes a few seconds to speak.
class DemoDiscTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        failure = new QString(MakeDemo(folder->path()));
    }
    static void TearDownTestSuite()
    {
        delete failure;
        delete folder;
    }

    static QString Path(const QString &name) { return QDir(folder->path()).filePath(name); }

    static inline QTemporaryDir *folder = nullptr;
    static inline QString *failure = nullptr;
};

TEST_F(DemoDiscTest, MaterialPassesCheckMaterial)
{
    ASSERT_TRUE(failure->isEmpty()) << failure->toStdString();
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    EXPECT_EQ(RunAvekTool({QStringLiteral("check-material"), Path(QStringLiteral("VEKPSGS.DAT"))}, out, err), ExitOk)
        << errText.toStdString();
}

TEST_F(DemoDiscTest, EveryStretchLiesInsideItsTrackOfTheImageTheSettingsName)
{
    ASSERT_TRUE(failure->isEmpty()) << failure->toStdString();
    TCdError error;
    const auto disc = OpenDisc(ReadCdDevice(folder->path()), error);
    ASSERT_NE(disc, nullptr) << error.Text.toStdString();
    ASSERT_EQ(disc->Layout().Tracks().size(), 1 + ConditionCount);
    // The calibration stretch.
    EXPECT_TRUE(disc->Layout().Resolve(MakeTmsf(1, 0, 3), MakeTmsf(1, 0, 18), error)) << error.Text.toStdString();

    TSentenceMaterial material;
    ASSERT_TRUE(material.LoadPassages(Path(TSentenceMaterial::FileName)));
    for (int c = 0; c < ConditionCount; ++c) {
        for (int n = 1; n <= 9; ++n) {
            const qint32 id = n * 10 + c + 1;
            const std::optional<TPassageRecord> passage = material.FindPassage(id);
            ASSERT_TRUE(passage) << id;
            for (int j = 0; j < PassageLayout::SentenceCount; ++j) {
                EXPECT_EQ(passage->Start(j).Track, c + 2) << id;
                EXPECT_TRUE(disc->Layout().Resolve(Tmsf(passage->Start(j)), Tmsf(passage->End(j)), error))
                    << id << '/' << j << ": " << error.Text.toStdString();
                if (j > 0) {
                    EXPECT_GE(passage->Start(j), passage->End(j - 1)) << id << '/' << j;
                }
            }
        }
    }
}

TEST_F(DemoDiscTest, WritesTheSameBytesEveryTime)
{
    ASSERT_TRUE(failure->isEmpty()) << failure->toStdString();
    QTemporaryDir again;
    ASSERT_EQ(MakeDemo(again.path()), QString());
    for (const QString &name : {QStringLiteral("VEKDEMO.bin"), QStringLiteral("VEKDEMO.cue"),
                                QStringLiteral("VEKPSGS.DAT"), QStringLiteral("VEK.INI")}) {
        EXPECT_EQ(FileHash(Path(name)), FileHash(QDir(again.path()).filePath(name))) << name.toStdString();
    }
}

TEST_F(DemoDiscTest, CheckDiscPassesTheImageAndNamesThePassagesADamagedOrWrongOneLoses)
{
    ASSERT_TRUE(failure->isEmpty()) << failure->toStdString();
    const QString material = Path(TSentenceMaterial::FileName);
    TToolRun run = RunTool({QStringLiteral("check-disc"), material, Path(QStringLiteral("VEKDEMO.cue"))});
    EXPECT_EQ(run.Code, ExitOk) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.startsWith(QLatin1String("OK"))) << run.Out.toStdString();
    EXPECT_TRUE(run.Err.contains(QLatin1String("Checking sentence 1 of "))) << run.Err.toStdString();

    // A rip that lost passage 23's second sentence to silence.
    QTemporaryDir damaged;
    for (const char *name : {"VEKDEMO.bin", "VEKDEMO.cue"})
        ASSERT_TRUE(QFile::copy(Path(QLatin1String(name)), QDir(damaged.path()).filePath(QLatin1String(name))));
    const QString sheet = QDir(damaged.path()).filePath(QStringLiteral("VEKDEMO.cue"));
    TSentenceMaterial passages;
    ASSERT_TRUE(passages.LoadPassages(material));
    TCdError error;
    const auto stretch = OpenDisc(sheet, error)->Layout().Resolve(Tmsf(passages.FindPassage(23)->Start(1)),
                                                                   Tmsf(passages.FindPassage(23)->End(1)), error);
    ASSERT_TRUE(stretch);
    QFile bin(QDir(damaged.path()).filePath(QStringLiteral("VEKDEMO.bin")));
    ASSERT_TRUE(bin.open(QIODevice::ReadWrite) && bin.seek(stretch->First * CdAudio::BytesPerSector));
    bin.write(QByteArray(stretch->Count * CdAudio::BytesPerSector, '\0'));
    bin.close();
    run = RunTool({QStringLiteral("check-disc"), material, sheet});
    EXPECT_EQ(run.Code, ExitBadInput);
    EXPECT_TRUE(run.Err.contains(QLatin1String("Passage 23, sentence 2")) && run.Err.contains(QLatin1String("silent")))
        << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(QLatin1String("passage 23\n"))) << run.Err.toStdString();

    // Another disc altogether: one short track.
    QTemporaryDir wrong;
    const TestDisc::TImage other = TestDisc::Write(wrong.path(), TestDisc::Binary, {{75 * 20, 0, 0}}, false);
    run = RunTool({QStringLiteral("check-disc"), material, other.Sheet});
    EXPECT_EQ(run.Code, ExitBadInput);
    EXPECT_TRUE(run.Err.contains(QLatin1String("passages 11, 12, 13"))) << run.Err.toStdString();
}

// Each sentence is told before it is read; a stop ends the check before its
// next read, and a stopped check never passes.
TEST_F(DemoDiscTest, DiscCheckTellsItsProgressAndStopsBetweenReads)
{
    ASSERT_TRUE(failure->isEmpty()) << failure->toStdString();
    TSentenceMaterial material;
    ASSERT_TRUE(material.LoadPassages(Path(TSentenceMaterial::FileName)));
    const QString sheet = Path(QStringLiteral("VEKDEMO.cue"));
    TCdError error;
    const auto disc = OpenDisc(sheet, error);
    ASSERT_NE(disc, nullptr) << error.Text.toStdString();

    QList<int> told;
    int sentences = 0;
    const TDiscCheck whole(*disc, material, {}, [&](int sentence, int count) {
        told << sentence;
        sentences = count;
    });
    EXPECT_TRUE(whole.Passed());
    EXPECT_EQ(told.size(), sentences + 1);
    EXPECT_EQ(told.back(), sentences);
    EXPECT_EQ(whole.SentencesChecked(), sentences);

    TStoppingDisc stopping(*disc, 40);
    const TDiscCheck stopped(stopping, material, stopping.Stop.get_token());
    EXPECT_TRUE(stopped.Cancelled());
    EXPECT_FALSE(stopped.Passed());
    EXPECT_EQ(stopping.Reads, 40);
    EXPECT_LT(stopped.SentencesChecked(), 40);

    std::stop_source before;
    before.request_stop();
    const TDiscCheck::TReport report = TDiscCheck::Run(sheet, material, before.get_token());
    EXPECT_TRUE(report.Cancelled && !report.Passed) << report.Text.toStdString();

    // What a stopped check found wrong still fails the disc.
    QTemporaryDir wrong;
    const TestDisc::TImage other = TestDisc::Write(wrong.path(), TestDisc::Binary, {{75 * 20, 0, 0}}, false);
    std::stop_source midway;
    const TDiscCheck::TReport failed =
        TDiscCheck::Run(other.Sheet, material, midway.get_token(), [&](int sentence, int) {
            if (sentence == 3)
                midway.request_stop();
        });
    EXPECT_FALSE(failed.Passed || failed.Cancelled);
    EXPECT_TRUE(failed.Text.contains(QLatin1String("Passages that fail: 11. The check was cancelled after 3 of ")))
        << failed.Text.toStdString();
}

// A clinic's folder is no place for the demonstration set: its material and
// its drive setting stay, unless the user insists.
TEST_F(DemoDiscTest, ClinicFolderIsRefusedAndLeftAsItWas)
{
    QTemporaryDir clinic;
    const QDir dir(clinic.path());
    const QByteArray settings = "[CD]\r\nDevice=/dev/sr0\r\n[Information]\r\nDataPath=/clients/\r\n";
    for (const auto &[name, bytes] : {std::pair{QStringLiteral("VEKPSGS.DAT"), QByteArray(57600, 'm')},
                                      std::pair{QStringLiteral("VEK.INI"), settings}}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const QString refused = MakeDemo(clinic.path());
    EXPECT_TRUE(refused.contains(QLatin1String("nothing was written. Give --force"))) << refused.toStdString();
    EXPECT_EQ(FileHash(dir.filePath(QStringLiteral("VEKPSGS.DAT"))),
              QCryptographicHash::hash(QByteArray(57600, 'm'), QCryptographicHash::Sha256));
    EXPECT_EQ(FileHash(dir.filePath(QStringLiteral("VEK.INI"))),
              QCryptographicHash::hash(settings, QCryptographicHash::Sha256));
    EXPECT_EQ(dir.entryList(QDir::Files).size(), 2);

    // Nor does a VEK.INI that names the demonstration image make the clinic's
    // material the demonstration's.
    QFile ini(dir.filePath(QStringLiteral("VEK.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[CD]\r\nDevice=VEKDEMO.cue\r\n");
    ini.close();
    EXPECT_TRUE(MakeDemo(clinic.path()).contains(QLatin1String("nothing was written"))) << "a named demo image";
    EXPECT_EQ(FileHash(dir.filePath(QStringLiteral("VEKPSGS.DAT"))),
              QCryptographicHash::hash(QByteArray(57600, 'm'), QCryptographicHash::Sha256));

    // Its own set, by contrast, it replaces; and with --force the clinic's.
    ASSERT_TRUE(failure->isEmpty()) << failure->toStdString();
    EXPECT_EQ(MakeDemo(folder->path()), QString());
    EXPECT_EQ(MakeDemo(clinic.path(), {QStringLiteral("--force")}), QString());
    EXPECT_EQ(FileHash(dir.filePath(QStringLiteral("VEKPSGS.DAT"))), FileHash(Path(QStringLiteral("VEKPSGS.DAT"))));
}

} // namespace
