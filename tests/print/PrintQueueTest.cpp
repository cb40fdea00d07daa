// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintFixture.h"
#include "PrivateCupsServer.h"
#include "ScriptedPrintDialog.h"
#include "controls/SystemPrintDialog.h"
#include "pages/Page4.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>

#include <cups/cups.h>

#include <algorithm>
#include <vector>

namespace {

const QString Queue = QStringLiteral("avek");

struct TJobInfo
{
    int Id;
    QString Title;
    ipp_jstate_t State;
};

// The report printed through the scores page to a queue of a print system
// of the test's own.
class PrintQueueTest : public PrintFixture
{
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        if (const QString reason = server.Start(); !reason.isEmpty())
            GTEST_SKIP() << "No print system to print to: " << reason.toStdString();
        ASSERT_TRUE(server.AddQueue(Queue)) << server.ErrorLog();
        auto scripted = std::make_unique<TScriptedPrintDialog>();
        dialog = scripted.get();
        dialog->PrinterName = Queue;
        page.dgPrintDialog = std::move(scripted);
    }

    // Oldest first.
    std::vector<TJobInfo> Jobs() const
    {
        cups_job_t *jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
        std::vector<TJobInfo> result;
        for (int i = 0; i < count; ++i)
            result.push_back({jobs[i].id, QString::fromUtf8(jobs[i].title), jobs[i].state});
        cupsFreeJobs(count, jobs);
        std::sort(result.begin(), result.end(), [](const TJobInfo &a, const TJobInfo &b) { return a.Id < b.Id; });
        return result;
    }

    bool WaitForCompletedJobs(size_t count) const
    {
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired()) {
            const std::vector<TJobInfo> jobs = Jobs();
            if (jobs.size() >= count &&
                std::all_of(jobs.begin(), jobs.end(), [](const TJobInfo &job) { return job.State == IPP_JSTATE_COMPLETED; }))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    // Where the queue's printer draws on the sheet, in pixels of the print
    // resolution.
    static QRect DrawnArea(QPageLayout::Orientation orientation)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(Queue);
        printer.setPageOrientation(orientation);
        return printer.pageLayout().paintRectPixels(PdfResolution);
    }

    QString JobFile(const TJobInfo &job, const char *suffix) const
    {
        return QDir(server.JobFolder()).filePath(QStringLiteral("job-%1.%2").arg(job.Id).arg(QLatin1String(suffix)));
    }

    TPrivateCupsServer server;
    TfmScoresPrint page{context};
    TScriptedPrintDialog *dialog = nullptr;
};

// The first run of dark pixels in a row of a rendered page, from x on.
int DarkRunFrom(const QImage &image, int x, int y)
{
    const auto dark = [&](int at) { return at < image.width() && image.pixelColor(at, y).lightness() < 128; };
    while (x < image.width() && !dark(x))
        ++x;
    int length = 0;
    while (dark(x + length))
        ++length;
    return length;
}

TEST_F(PrintQueueTest, TheQueueGetsAScoreReportAndAGraphPageAsThePdfShowsThem)
{
    page.PrintButton->click();
    EXPECT_TRUE(prompts.Shown.isEmpty()) << prompts.Shown.join(u'\n');
    ASSERT_TRUE(WaitForCompletedJobs(2)) << server.ErrorLog();

    const std::vector<TJobInfo> jobs = Jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].Title, QStringLiteral("Score Report"));
    EXPECT_EQ(jobs[1].Title, QStringLiteral("WRau Graphs"));
    const TPdfInfo report = ReadPdfInfo(JobFile(jobs[0], "pdf"));
    const TPdfInfo graphs = ReadPdfInfo(JobFile(jobs[1], "pdf"));
    EXPECT_EQ(report.Pages, 1);
    EXPECT_EQ(graphs.Pages, 1);
    EXPECT_FALSE(report.Landscape());
    EXPECT_TRUE(graphs.Landscape());
    EXPECT_EQ(graphs.PageSize, report.PageSize.transposed());

    // Rendered at the resolution the pages were drawn at, a pixel of the
    // drawing is a pixel of the image, offset by the printer's margins.
    const QImage portrait = RenderPdfPage(JobFile(jobs[0], "pdf"), PdfResolution);
    const QRect portraitArea = DrawnArea(QPageLayout::Portrait);
    const int L = portraitArea.left() + int(0.15 * portraitArea.width());
    const int T = portraitArea.top() + int(0.30 * portraitArea.height());
    const double ruleMillimetres = DarkRunFrom(portrait, L - 5, T + 20) * 25.4 / PdfResolution;
    EXPECT_GE(ruleMillimetres, 0.15) << "a table's rule is no hair line";

    // The queue has no colour, so the legend is in shades of grey.
    const QImage landscape = RenderPdfPage(JobFile(jobs[1], "pdf"), PdfResolution);
    const QRect area = DrawnArea(QPageLayout::Landscape);
    const auto inked = [&](int x, int y) { return landscape.pixelColor(x, y).lightness() < 224; };
    const int legendLeft = area.left() + int(0.43 * area.width());
    const int legendTop = area.top() + int(0.20 * area.height());
    const int legendHeight = area.top() + int(0.27 * area.height()) - legendTop;
    // The H-Sens entry's line: the first row inked all along it.
    const auto inkedAlong = [&](int y) {
        for (int x = legendLeft + 12; x <= legendLeft + 138; ++x) {
            if (!inked(x, y))
                return false;
        }
        return true;
    };
    int lineY = legendTop + 3; // below the frame
    while (lineY < legendTop + legendHeight / 2 && !inkedAlong(lineY))
        ++lineY;
    ASSERT_LT(lineY, legendTop + legendHeight / 2) << "the H-Sens legend line";
    // Left of the marker only the line itself is inked.
    for (int x = legendLeft + 12; x <= legendLeft + 30; ++x) {
        int ink = 0;
        for (int y = lineY - 10; y <= lineY + 10; ++y)
            ink += inked(x, y) ? 1 : 0;
        EXPECT_LE(ink, 3) << "column " << x - legendLeft << " of the legend";
    }
}

TEST_F(PrintQueueTest, ARefusingQueueIsReportedAndNothingMoreIsSent)
{
    ASSERT_TRUE(server.Run(QStringLiteral("cupsreject"), {QStringLiteral("-r"), QStringLiteral("Paper jam"), Queue}));
    dialog->Copies = 2;
    page.PrintButton->click();

    ASSERT_EQ(prompts.Errors.size(), 1) << prompts.Errors.join(u'\n');
    const QString error = prompts.Errors[0];
    EXPECT_TRUE(error.startsWith(QStringLiteral("Printing \"Score Report\" failed: "))) << error;
    EXPECT_TRUE(error.contains(QStringLiteral("not accepting jobs"))) << error;
    EXPECT_TRUE(error.contains(QStringLiteral("Paper jam"))) << error;
    EXPECT_TRUE(Jobs().empty());
}

TEST_F(PrintQueueTest, AStoppedQueueKeepsTheJobsAndTheClinicianIsTold)
{
    ASSERT_TRUE(server.Run(QStringLiteral("cupsdisable"), {QStringLiteral("-r"), QStringLiteral("Out of toner"), Queue}));
    page.PrintButton->click();

    ASSERT_EQ(prompts.Shown.size(), 1) << prompts.Shown.join(u'\n');
    EXPECT_TRUE(prompts.Shown[0].contains(QStringLiteral("waiting"))) << prompts.Shown[0];
    EXPECT_TRUE(prompts.Shown[0].contains(QStringLiteral("Out of toner"))) << prompts.Shown[0];
    EXPECT_FALSE(prompts.Shown[0].contains(QStringLiteral("failed"))) << prompts.Shown[0];
    const std::vector<TJobInfo> jobs = Jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].State, IPP_JSTATE_PENDING);
}

TEST_F(PrintQueueTest, HeldJobsAreToldAsWaiting)
{
    ASSERT_TRUE(server.Run(QStringLiteral("lpadmin"),
                           {QStringLiteral("-p"), Queue, QStringLiteral("-o"), QStringLiteral("job-hold-until-default=indefinite")}));
    page.PrintButton->click();
    ASSERT_EQ(prompts.Shown.size(), 1) << prompts.Shown.join(u'\n');
    EXPECT_TRUE(prompts.Shown[0].contains(QStringLiteral("held"))) << prompts.Shown[0];
    EXPECT_EQ(Jobs().size(), 2u);
}

TEST_F(PrintQueueTest, APrintSystemGoneAfterTheDialogIsReported)
{
    dialog->OnAccept = [&] { server.Stop(); };
    page.PrintButton->click();

    ASSERT_EQ(prompts.Errors.size(), 1) << prompts.Errors.join(u'\n');
    EXPECT_TRUE(prompts.Errors[0].startsWith(QStringLiteral("Printing \"Score Report\" failed: "))) << prompts.Errors[0];
}

// Each document is one page that fills its sheet: a page range or an odd or
// even page set would leave it out.
TEST_F(PrintQueueTest, TheDialogOffersNoPageSelection)
{
    page.dgPrintDialog = std::make_unique<TSystemPrintDialog>(&page);
    QStringList offered;
    QTimer::singleShot(0, [&] {
        QWidget *shown = QApplication::activeModalWidget();
        ASSERT_NE(shown, nullptr);
        for (QPushButton *button : shown->findChildren<QPushButton *>()) {
            if (button->text().startsWith(QStringLiteral("&Options")))
                button->click();
        }
        for (QComboBox *combo : shown->findChildren<QComboBox *>()) {
            for (int i = 0; i < combo->count(); ++i) {
                if (combo->isVisible() && combo->itemText(i).contains(QStringLiteral("Pages")))
                    offered << combo->itemText(i);
            }
        }
        for (QRadioButton *radio : shown->findChildren<QRadioButton *>()) {
            if (radio->isVisible() && radio->text().contains(QStringLiteral("Pages"), Qt::CaseInsensitive))
                offered << radio->text();
        }
        // Chosen behind the dialog's back all the same, the page set goes
        // no further.
        if (auto *pageSet = shown->findChild<QComboBox *>(QStringLiteral("pageSetCombo")))
            pageSet->setCurrentIndex(pageSet->count() - 1);
        for (QPushButton *button : shown->findChildren<QPushButton *>()) {
            if (button->text() == QStringLiteral("&Print"))
                button->click();
        }
    });
    page.PrintButton->click();
    EXPECT_TRUE(offered.isEmpty()) << offered.join(u'\n');

    ASSERT_TRUE(WaitForCompletedJobs(2)) << server.ErrorLog();
    for (const TJobInfo &job : Jobs()) {
        QFile options(JobFile(job, "options"));
        ASSERT_TRUE(options.open(QIODevice::ReadOnly));
        const QByteArray text = options.readAll();
        EXPECT_FALSE(text.contains("page-set")) << text.toStdString();
        EXPECT_FALSE(text.contains("page-ranges")) << text.toStdString();
    }
}

} // namespace
