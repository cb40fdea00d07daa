// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintFixture.h"
#include "ToolCommand.h"
#include "administration/Snr50.h"
#include "record/ClientFileWriter.h"
#include "record/ScoreFormat.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace {

class ReportCommandTest : public PrintFixture
{
protected:
    int Report(const QString &clientFile, const QString &pdf, const QStringList &options = {})
    {
        QTextStream out(&output);
        QTextStream err(&errors);
        return RunAvekTool(QStringList{QStringLiteral("report")} + options + QStringList{clientFile, pdf}, out, err);
    }

    static QByteArray Contents(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString &fileName, const QByteArray &contents)
    {
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QString ClientFile() const { return dir.filePath(QStringLiteral("CLIENT.VEK")); }

    QString output;
    QString errors;
};

TEST_F(ReportCommandTest, ScoreReportThenGraphPageInOnePdf)
{
    record.SetLastName(QStringLiteral("Smith"));
    const float wrau[] = {80.0f, 60.0f, 40.0f, 20.0f}; // slots 8..11: 15 .. 0 dB
    TMdbBlock block = record.Mdb(0);
    for (int r = 0; r < 4; ++r) {
        block.SetProportion(8 + r, 0.5f);
        block.SetWrau(8 + r, wrau[r]);
    }
    block.SetSnr50High(-99); // stale: the report recomputes it
    ASSERT_TRUE(WriteClientFile(record, ClientFile()).ok());

    ASSERT_EQ(Report(ClientFile(), OutputFile()), ExitOk) << errors.toStdString();
    const TPdfInfo first = ReadPdfInfo(OutputFile(), 1);
    EXPECT_EQ(first.Pages, 2);
    EXPECT_FALSE(first.Landscape());
    EXPECT_TRUE(ReadPdfInfo(OutputFile(), 2).Landscape());

    const QStringList pages = ReadPdfText(OutputFile()).split(u'\f');
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("FILE NAME: CLIENT.VEK")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("NAME: Smith,")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Comments for Modified Dual Block 4")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("SNR-50")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("Comments")));

    const QString estimate = Snr50Text(EstimateSnr50(20.0f, 40.0f, 60.0f, 80.0f));
    ASSERT_FALSE(estimate.isEmpty());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("MDB 1\\s+%1$").arg(QRegularExpression::escape(estimate)),
                                   QRegularExpression::MultilineOption)
                    .match(pages[1])
                    .hasMatch())
        << pages[1];
}

TEST_F(ReportCommandTest, RefusedFilesWriteNoPdf)
{
    QFile shortFile(ClientFile());
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write("not a client file");
    shortFile.close();
    EXPECT_EQ(Report(ClientFile(), OutputFile()), ExitBadInput);
    EXPECT_FALSE(errors.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(OutputFile()));

    ASSERT_TRUE(WriteClientFile(record, ClientFile()).ok());
    errors.clear();
    EXPECT_EQ(Report(ClientFile(), dir.filePath(QStringLiteral("missing/out.pdf"))), ExitBadInput);
    EXPECT_TRUE(errors.contains(QStringLiteral("missing"))) << errors.toStdString();
}

TEST_F(ReportCommandTest, TheClientFileAndOtherFilesAreNotWrittenOver)
{
    ASSERT_TRUE(WriteClientFile(record, ClientFile()).ok());
    const QByteArray client = Contents(ClientFile());
    const QString linked = dir.filePath(QStringLiteral("linked.pdf"));
    ASSERT_TRUE(QFile::link(ClientFile(), linked));
    for (const QString &output : {ClientFile(), linked}) {
        EXPECT_EQ(Report(ClientFile(), output, {QStringLiteral("--force")}), ExitBadInput) << output;
        EXPECT_EQ(Contents(ClientFile()), client);
    }

    const QString notes = dir.filePath(QStringLiteral("notes.pdf"));
    Write(notes, "not a PDF");
    errors.clear();
    EXPECT_EQ(Report(ClientFile(), notes), ExitBadInput);
    EXPECT_TRUE(errors.contains(QStringLiteral("--force"))) << errors;
    EXPECT_EQ(Contents(notes), "not a PDF");
    EXPECT_EQ(Report(ClientFile(), notes, {QStringLiteral("--force")}), ExitOk) << errors;
    EXPECT_TRUE(Contents(notes).startsWith("%PDF-"));
    EXPECT_EQ(Report(ClientFile(), notes), ExitOk) << "a PDF is replaced";
}

// A write that fails part way, as on a full disk (here the file size limit),
// leaves the old PDF as it was and no temporary file beside it.
TEST_F(ReportCommandTest, AFailedWriteKeepsTheOldPdf)
{
    ASSERT_TRUE(WriteClientFile(record, ClientFile()).ok());
    Write(OutputFile(), "%PDF-old");
    QProcess tool;
    tool.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; ulimit -f 4; exec \"$0\" \"$@\""),
                                          QStringLiteral(AVEKTOOL_PATH), QStringLiteral("report"), ClientFile(), OutputFile()});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), ExitBadInput);
    const QString message = QString::fromLocal8Bit(tool.readAllStandardError());
    EXPECT_TRUE(message.contains(QStringLiteral("Cannot create file %1: ").arg(OutputFile()))) << message;
    EXPECT_EQ(Contents(OutputFile()), "%PDF-old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << QDir(dir.path()).entryList(QDir::Files).join(u' ');
}

TEST_F(ReportCommandTest, PaperFollowsTheLocaleUnlessAsked)
{
    ASSERT_TRUE(WriteClientFile(record, ClientFile()).ok());
    const QSize a4(595, 842), letter(612, 792);
    ASSERT_EQ(Report(ClientFile(), OutputFile()), ExitOk) << errors;
    EXPECT_EQ(ReadPdfInfo(OutputFile()).PageSize, a4);
    EXPECT_EQ(ReadPdfInfo(OutputFile(), 2).PageSize, a4.transposed());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_EQ(Report(ClientFile(), OutputFile()), ExitOk) << errors;
    EXPECT_EQ(ReadPdfInfo(OutputFile()).PageSize, letter);
    ASSERT_EQ(Report(ClientFile(), OutputFile(), {QStringLiteral("--paper"), QStringLiteral("A4")}), ExitOk) << errors;
    EXPECT_EQ(ReadPdfInfo(OutputFile()).PageSize, a4);
    EXPECT_EQ(Report(ClientFile(), OutputFile(), {QStringLiteral("--paper"), QStringLiteral("B5")}), ExitBadUsage);
}

} // namespace
