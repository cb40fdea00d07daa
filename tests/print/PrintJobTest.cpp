// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintFixture.h"
#include "ScriptedPrintDialog.h"
#include "pages/Page4.h"

#include <QFile>
#include <QPushButton>

namespace {

class PrintJobTest : public PrintFixture
{
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        auto scripted = std::make_unique<TScriptedPrintDialog>();
        dialog = scripted.get();
        dialog->OutputFile = OutputFile();
        page.dgPrintDialog = std::move(scripted);
    }

    TfmScoresPrint page{context};
    TScriptedPrintDialog *dialog = nullptr;
};

TEST_F(PrintJobTest, CancelPrintsNothing)
{
    dialog->Cancel = true;
    ASSERT_TRUE(page.PrintButton->isEnabled());
    page.PrintButton->click();
    EXPECT_EQ(dialog->TimesShown, 1);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(prompts.Errors.isEmpty());
}

TEST_F(PrintJobTest, EachCopyIsAScoreReportThenAGraphPage)
{
    dialog->Copies = 3;
    page.PrintButton->click();

    const QStringList files = DocumentFiles();
    ASSERT_EQ(files.size(), 6) << "the printer's own copies are not used as well";
    for (int n = 0; n < files.size(); ++n) {
        const TPdfInfo info = ReadPdfInfo(files[n]);
        const bool graphs = n % 2 == 1;
        EXPECT_EQ(info.Title, graphs ? QStringLiteral("WRau Graphs") : QStringLiteral("Score Report")) << n;
        EXPECT_EQ(info.Pages, 1) << n;
        EXPECT_EQ(info.Landscape(), graphs) << n;
    }
    EXPECT_TRUE(prompts.Errors.isEmpty());
    EXPECT_TRUE(mainWindow.Received.empty()) << "printing neither changes nor saves the record";
}

TEST_F(PrintJobTest, PrintsTheCurrentFileNameAndDate)
{
    state.ShortFileName = QStringLiteral("CLIENT.VEK");
    page.PrintButton->click();
    const QStringList files = DocumentFiles();
    ASSERT_EQ(files.size(), 2);
    const QString date = QLocale::c().toString(QDate::currentDate(), QStringLiteral("MMMM d, yyyy"));
    for (const QString &file : files) {
        const QString text = ReadPdfText(file);
        EXPECT_TRUE(text.contains(QStringLiteral("Printed: ") + date)) << text;
        EXPECT_TRUE(text.contains(QStringLiteral("FILE NAME: CLIENT.VEK"))) << text;
    }
}

// The print dialog asks about the file it names; the numbered files beside
// it are asked about once, before anything is printed.
TEST_F(PrintJobTest, NumberedFilesAreReplacedOnlyWhenTheClinicianAgrees)
{
    dialog->Copies = 2;
    const QString second = dir.filePath(QStringLiteral("report-2.pdf"));
    const QString fourth = dir.filePath(QStringLiteral("report-4.pdf"));
    for (const QString &file : {second, fourth}) {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("kept");
    }

    prompts.Answers = {TAnswer::No};
    page.PrintButton->click();
    ASSERT_EQ(prompts.Shown.size(), 1);
    EXPECT_TRUE(prompts.Shown[0].contains(second) && prompts.Shown[0].contains(fourth)) << prompts.Shown[0];
    EXPECT_FALSE(QFileInfo::exists(OutputFile()));
    EXPECT_EQ(QFileInfo(second).size(), 4);

    prompts.Answers = {TAnswer::Yes};
    page.PrintButton->click();
    EXPECT_EQ(DocumentFiles().size(), 4);
    EXPECT_EQ(ReadPdfInfo(fourth).Title, QStringLiteral("WRau Graphs"));
    EXPECT_FALSE(prompts.RanOutOfScript);
}

TEST_F(PrintJobTest, APrinterErrorIsShownAndLeavesNoDocument)
{
    dialog->OutputFile = dir.filePath(QStringLiteral("no such folder/report.pdf"));
    dialog->Copies = 2;
    page.PrintButton->click();

    ASSERT_EQ(prompts.Errors.size(), 1) << "the job ends at the first failure";
    EXPECT_TRUE(prompts.Errors[0].contains(QStringLiteral("Score Report"))) << prompts.Errors[0];
    EXPECT_TRUE(prompts.Errors[0].contains(QStringLiteral("no such folder"))) << prompts.Errors[0];
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace
