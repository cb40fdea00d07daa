#include "PrintFixture.h"
#include "ToolCommand.h"
#include "administration/Snr50.h"
#include "record/ClientFileWriter.h"
#include "record/ScoreFormat.h"

#include <QFile>
#include <QRegularExpression>

namespace {

class ReportCommandTest : public PrintFixture
{
protected:
    int Report(const QString &clientFile, const QString &pdf)
    {
        QTextStream out(&output);
        QTextStream err(&errors);
        return RunAvekTool({QStringLiteral("report"), clientFile, pdf}, out, err);
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

} // namespace
