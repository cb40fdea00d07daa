// SPDX-License-Identifier: GPL-3.0-or-later
// The user guide's pictures as avek_screenshots makes them: every picture
// there, a PNG of its page's size, small, and showing something.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QStringList WindowPictures = {"client.png", "conditions.png", "calibrate.png",
                                    "test.png",   "scores.png",     "graphs.png"};
const QStringList PrintedPictures = {"printed-report.png", "printed-graphs.png"};
constexpr qint64 MostBytes = 80 * 1024;

struct TToolRun
{
    int ExitCode = -1;
    QString Output;
    QString Errors;
};

TToolRun RunTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(AVEK_SCREENSHOTS_PATH), arguments);
    TToolRun run;
    if (!tool.waitForFinished(150000) || tool.exitStatus() != QProcess::NormalExit) {
        tool.kill();
        tool.waitForFinished();
        run.Errors = QStringLiteral("avek_screenshots did not finish");
        return run;
    }
    run.ExitCode = tool.exitCode();
    run.Output = QString::fromLocal8Bit(tool.readAllStandardOutput());
    run.Errors = QString::fromLocal8Bit(tool.readAllStandardError());
    return run;
}

// The share of the picture its commonest colour covers, and how many
// colours it has.
struct TColourCount
{
    double CommonestShare = 1.0;
    int Colours = 0;
    QHash<QRgb, int> Counts;
};

TColourCount CountColours(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    TColourCount count;
    int commonest = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            commonest = std::max(commonest, ++count.Counts[line[x] & 0xffffff]);
    }
    count.Colours = int(count.Counts.size());
    count.CommonestShare = double(commonest) / (double(image.width()) * image.height());
    return count;
}

// One walk through the program for all the cases: it takes seconds.
class GuideScreenshots : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        scratch = new QTemporaryDir;
        run = new TToolRun(RunTool({Folder(QStringLiteral("demo")), Folder(QStringLiteral("images"))}));
    }
    static void TearDownTestSuite()
    {
        delete run;
        delete scratch;
    }

    static QString Folder(const QString &name) { return QDir(scratch->path()).filePath(name); }
    static QString Picture(const QString &name) { return QDir(Folder(QStringLiteral("images"))).filePath(name); }

    static inline QTemporaryDir *scratch = nullptr;
    static inline TToolRun *run = nullptr;
};

TEST_F(GuideScreenshots, ToolSucceedsAndNamesEveryPicture)
{
    ASSERT_EQ(run->ExitCode, 0) << run->Errors.toStdString();
    for (const QString &name : WindowPictures + PrintedPictures)
        EXPECT_TRUE(run->Output.contains(Picture(name))) << name.toStdString();
    // The scored client it printed is left beside the set.
    EXPECT_EQ(QFileInfo(QDir(Folder(QStringLiteral("demo"))).filePath(QStringLiteral("SAMPLE.VEK"))).size(), 2328);
}

TEST_F(GuideScreenshots, EveryPictureIsASmallPngOfItsPagesShape)
{
    ASSERT_EQ(run->ExitCode, 0) << run->Errors.toStdString();
    for (const QString &name : WindowPictures + PrintedPictures) {
        SCOPED_TRACE(name.toStdString());
        QImageReader reader(Picture(name));
        EXPECT_EQ(reader.format(), "png");
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        const QSize size = image.size();
        if (WindowPictures.contains(name)) {
            // The main window, whole: menu, tool bar, page and status bar.
            EXPECT_GE(size.width(), 600);
            EXPECT_LE(size.width(), 800);
            EXPECT_GE(size.height(), 400);
            EXPECT_LE(size.height(), 600);
        } else {
            // A4 or Letter at 60 dpi: the report upright, the graphs across.
            const QSize upright = name == PrintedPictures[0] ? size : size.transposed();
            EXPECT_GE(upright.width(), 480);
            EXPECT_LE(upright.width(), 530);
            EXPECT_GE(upright.height(), 640);
            EXPECT_LE(upright.height(), 720);
        }
        EXPECT_LE(QFileInfo(Picture(name)).size(), MostBytes);
    }
}

TEST_F(GuideScreenshots, NoPictureIsBlank)
{
    ASSERT_EQ(run->ExitCode, 0) << run->Errors.toStdString();
    for (const QString &name : WindowPictures + PrintedPictures) {
        SCOPED_TRACE(name.toStdString());
        const TColourCount count = CountColours(QImage(Picture(name)));
        // Text and lines on a background, not one colour or a few.
        EXPECT_LT(count.CommonestShare, 0.97);
        EXPECT_GE(count.Colours, 32);
    }
}

TEST_F(GuideScreenshots, TestPageShowsEveryMarkColour)
{
    ASSERT_EQ(run->ExitCode, 0) << run->Errors.toStdString();
    const TColourCount count = CountColours(QImage(Picture(QStringLiteral("test.png"))));
    // Correct, half correct, wrong, and not yet played, in the glyphs' cores.
    for (const QRgb mark : {qRgb(0, 128, 0), qRgb(128, 128, 0), qRgb(255, 0, 0), qRgb(0, 0, 0)})
        EXPECT_GE(count.Counts.value(mark & 0xffffff), 50) << std::hex << mark;
}

// A folder whose material is missing must end in an error, not in pictures
// of a page that says so.
TEST(GuideScreenshotsFailure, FolderWithoutMaterialFailsAndWritesNoPicture)
{
    QTemporaryDir scratch;
    const QString demo = QDir(scratch.path()).filePath(QStringLiteral("demo"));
    const QString images = QDir(scratch.path()).filePath(QStringLiteral("images"));
    ASSERT_TRUE(QDir().mkpath(demo));
    QFile ini(QDir(demo).filePath(QStringLiteral("VEK.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[CD]\nDevice=VEKDEMO.cue\n");
    ini.close();

    const TToolRun run = RunTool({demo, images});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Errors.contains(QStringLiteral("VEKPSGS.DAT"))) << run.Errors.toStdString();
    EXPECT_TRUE(QDir(images).entryList({QStringLiteral("*.png")}).isEmpty());
}

} // namespace
