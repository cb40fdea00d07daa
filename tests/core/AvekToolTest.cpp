// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMaterial.h"
#include "ToolCommand.h"
#include "record/ClientFileWriter.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtEndian>

#include <limits>

namespace {

struct TRun
{
    int code;
    QString out;
    QString err;
};

TRun RunTool(const QStringList &arguments)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = RunAvekTool(arguments, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

class AvekTool : public ::testing::Test
{
protected:
    QString Save(const char *name, const TClientRecord &record)
    {
        const QString path = m_dir.filePath(QLatin1String(name));
        EXPECT_TRUE(WriteClientFile(record, path));
        return path;
    }
    QString SaveBytes(const char *name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
};

TClientRecord Scored()
{
    TClientRecord record;
    record.InitNewRecord(QDate(2026, 2, 3), QLocale::c());
    record.SetLastName(QStringLiteral("Müller, \"Jo\""));
    record.SetFirstName(QStringLiteral("José"));
    record.SetClientComments(QStringLiteral("line one\nline two"));
    record.SetCurrentMdb(1);
    TMdbBlock block = record.Mdb(1);
    block.SetSelected(2, true);
    // L-Sens 0 dB, then H-Sens 15 dB: rows come out H before L, 15 before 0.
    block.SetProportion(15, 0.84f);
    block.SetRau(15, 84.7513962f);
    block.SetWrau(15, 117.46f);
    block.SetProportion(8, 1.0f);
    block.SetRau(8, 123.000595f);
    block.SetWrau(8, 103.47f);
    // Unscored lists' WRAU still count for the estimates; the stored estimates
    // are stale: export recomputes them, dump does not.
    block.SetWrau(11, 60.0f);
    block.SetWrau(12, 30.0f);
    block.SetSnr50High(3);
    return record;
}

TEST_F(AvekTool, DumpPrintsEveryFieldAsStored)
{
    const TRun run = RunTool({QStringLiteral("dump"), Save("A.VEK", Scored())});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\"Proportion\": [-99, -99, -99, -99, -99, -99, -99, -99, 1, -99, "
                                                "-99, -99, -99, -99, -99, 0.84]")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("\"ClientComments\": \"line one\\r\\nline two\"")));

    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QStringList keys = {"Signature",         "LastName",   "FirstName",      "MiddleInitial",
                              "IdNumber",          "TestDate",   "DateOfBirth",    "Clinician",
                              "ClientComments",    "PlayPracticeBlock", "CurrentMdb", "HighTalkerLevel",
                              "LowTalkerLevel",    "LevelsInSpl", "Mdb"};
    EXPECT_EQ(json.keys().size(), keys.size());
    for (const QString &key : keys)
        EXPECT_TRUE(json.contains(key)) << key.toStdString();
    EXPECT_EQ(json["Signature"].toString(), "VEKTEST2");
    EXPECT_EQ(json["LastName"].toString(), QStringLiteral("Müller, \"Jo\""));
    EXPECT_EQ(json["FirstName"].toString(), QStringLiteral("José"));
    EXPECT_EQ(json["TestDate"].toString(), "3 Feb 2026");
    EXPECT_EQ(json["PlayPracticeBlock"].toBool(), true);
    EXPECT_EQ(json["CurrentMdb"].toInt(), 1);
    EXPECT_EQ(json["HighTalkerLevel"].toArray().at(3).toInt(), 70);
    EXPECT_EQ(json["LevelsInSpl"].toBool(), false);

    const QJsonArray mdb = json["Mdb"].toArray();
    ASSERT_EQ(mdb.size(), 4);
    const QJsonObject block = mdb.at(1).toObject();
    EXPECT_EQ(block.keys().size(), 9);
    EXPECT_EQ(block["Selected"].toArray().at(2).toBool(), true);
    EXPECT_EQ(block["Tested"].toArray().size(), 8);
    EXPECT_EQ(block["Wrau"].toArray().at(15).toDouble(), 117.46);
    EXPECT_EQ(block["Snr50High"].toInt(), 3);
    EXPECT_EQ(block["Snr50Low"].toInt(), -99);
    EXPECT_EQ(block["Comments"].toString(), "");
}

TEST_F(AvekTool, DumpRefusesAForeignFile)
{
    const TRun run = RunTool({QStringLiteral("dump"), SaveBytes("B.VEK", "not a client")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("B.VEK")));
    EXPECT_EQ(run.err.count(u'\n'), 1);
}

TEST_F(AvekTool, ExportWritesOneRowPerScoredTestList)
{
    TClientRecord other;
    other.InitNewRecord(QDate(2026, 2, 4), QLocale::c());
    other.SetLastName(QStringLiteral("Smith"));
    other.Mdb(3).SetProportion(12, 0.5f);
    other.Mdb(3).SetRau(12, 50.0002975f);
    other.Mdb(3).SetWrau(12, -5.126f);
    other.Mdb(3).SetWrau(15, -99.0f);
    // a scored practice list is not exported
    other.Mdb(3).SetProportion(4, 0.5f);

    const QString a = Save("A.VEK", Scored());
    const QString bad = SaveBytes("BAD.VEK", QByteArray(10, 'x'));
    const QString b = Save("B.VEK", other);
    const TRun run = RunTool({QStringLiteral("export-csv"), a, bad, b});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("BAD.VEK")));

    const QString expected =
        QStringLiteral("File,LastName,FirstName,TestDate,Mdb,Sentences,Snr,Percent,Rau,Wrau,Snr50\r\n"
                       "%1,\"Müller, \"\"Jo\"\"\",José,3 Feb 2026,2,H,15,100.00,123.00,103.47,< 0\r\n"
                       "%1,\"Müller, \"\"Jo\"\"\",José,3 Feb 2026,2,L,0,84.00,84.75,117.46,11\r\n"
                       "%2,Smith,,4 Feb 2026,4,L,15,50.00,50.00,-5.13,est\r\n")
            .arg(a, b);
    EXPECT_EQ(run.out, expected);
}

// A damaged file's scores go out as "err", never as NAN, INF or 39 digits.
TEST_F(AvekTool, ExportShowsImpossibleScoresAsErr)
{
    TClientRecord damaged = Scored();
    damaged.Mdb(1).SetRau(8, std::numeric_limits<float>::quiet_NaN());
    damaged.Mdb(1).SetWrau(8, 1e38f);
    damaged.Mdb(1).SetProportion(15, 5.0f);
    const TRun run = RunTool({QStringLiteral("export-csv"), Save("A.VEK", damaged)});
    EXPECT_TRUE(run.out.contains(QStringLiteral(",2,H,15,100.00,err,err,"))) << run.out;
    EXPECT_TRUE(run.out.contains(QStringLiteral(",2,L,0,err,84.75,117.46,"))) << run.out;
}

TEST_F(AvekTool, ExportOfGoodFilesSucceeds)
{
    const TRun run = RunTool({QStringLiteral("export-csv"), Save("A.VEK", Scored())});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out.count(QStringLiteral("\r\n")), 3);
}

TEST_F(AvekTool, CheckMaterialSaysOkOrListsEveryProblem)
{
    const TRun good = RunTool({QStringLiteral("check-material"), SaveBytes("VEKPSGS.DAT", TestMaterial())});
    EXPECT_EQ(good.code, 0);
    EXPECT_EQ(good.out, "OK: 72 passages\n");

    QByteArray bytes = TestMaterial();
    qToLittleEndian<qint32>(0, bytes.data() + 800 * 71);
    const TRun bad = RunTool({QStringLiteral("check-material"), SaveBytes("OTHER.DAT", bytes.left(800 * 72))});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, QStringLiteral("The sentence material file OTHER.DAT lacks passage 98, which the test list of "
                                      "L-Sens 0 dB in MDB 1 uses.\n"));

    const TRun missing = RunTool({QStringLiteral("check-material"), m_dir.filePath(QStringLiteral("NONE.DAT"))});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.startsWith(QStringLiteral("The sentence material file NONE.DAT cannot be opened")));
}

TEST_F(AvekTool, BadUsageExitsWithTwo)
{
    EXPECT_EQ(RunTool({}).code, 2);
    EXPECT_EQ(RunTool({QStringLiteral("frobnicate")}).code, 2);
    EXPECT_EQ(RunTool({QStringLiteral("dump")}).code, 2);
    EXPECT_EQ(RunTool({QStringLiteral("dump"), QStringLiteral("a"), QStringLiteral("b")}).code, 2);
    EXPECT_EQ(RunTool({QStringLiteral("check-material")}).code, 2);
    const TRun help = RunTool({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("export-csv")));
    EXPECT_EQ(RunTool({QStringLiteral("dump"), QStringLiteral("--help")}).code, 0);
    const TRun version = RunTool({QStringLiteral("--version")});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("avektool "))) << qPrintable(version.out);
}

} // namespace
