// SPDX-License-Identifier: GPL-3.0-or-later
// A clinician's copy of AVEK on a clinic folder that another user of the
// same group can write to, and has filled with traps (run-as-clinician.sh
// plants them and runs this suite as the clinician). Every trap fails with a
// message, and every file of the clinician's is as it was.
#include "OddFiles.h"
#include "QtPrint.h"
#include "ScriptedPrompts.h"
#include "ToolCommand.h"
#include "drawing/ScoreReport.h"
#include "drawing/WrauGraphDrawing.h"
#include "pages/ClientFileSave.h"
#include "pages/ReportPrintJob.h"
#include "record/ClientFileLock.h"
#include "record/ClientFileReader.h"
#include "record/ClientFileWriter.h"
#include "record/Settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTextStream>

#include <sys/stat.h>

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

mode_t ModeOf(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode : 0;
}

class ClinicFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (m_home.isEmpty() || m_share.isEmpty() || m_program.isEmpty())
            GTEST_SKIP() << "run by run-as-clinician.sh, which plants the other user's files";
        record.InitNewRecord(QDate(2026, 1, 2), QLocale::c());
        record.SetLastName(QStringLiteral("Brown"));
    }
    void TearDown() override
    {
        // The clinician's own files, whatever the test did.
        EXPECT_EQ(Contents(Home("notes.txt")), "my notes\n");
        EXPECT_EQ(Contents(Home(".bashrc")), "export PATH\n");
        EXPECT_EQ(Contents(Home("thesis.pdf")), "%PDF-1.4 my thesis\n");
    }

    QString Home(const char *name) const { return QDir(m_home).filePath(QLatin1String(name)); }
    QString Share(const QString &name) const { return QDir(m_share).filePath(name); }
    QString Share(const char *name) const { return Share(QLatin1String(name)); }
    int Tool(const QStringList &arguments, QString &errors)
    {
        QString output;
        QTextStream out(&output);
        QTextStream err(&errors);
        return RunAvekTool(arguments, out, err);
    }

    TClientRecord record;
    const QString m_home = qEnvironmentVariable("AVEK_CLINIC_HOME");
    const QString m_share = qEnvironmentVariable("AVEK_CLINIC_SHARE");
    const QString m_program = qEnvironmentVariable("AVEK_CLINIC_PROGRAM");
};

// Save As Brown.VEK, VEK.INI at exit, report-2.pdf and avektool's OUT.pdf:
// each a link to one of the clinician's own files.
TEST_F(ClinicFolder, LinksAtItsFilesAreRefusedNamingWhereTheyPoint)
{
    const TStatus saved = WriteClientFile(record, Share("Brown.VEK"));
    EXPECT_EQ(saved.message(), QStringLiteral("Cannot create file %1: it is a link to %2, and links are not written "
                                              "through")
                                   .arg(Share("Brown.VEK"), Home("notes.txt")));
    QString problem;
    EXPECT_FALSE(Settings::WriteDataPath(m_program, m_share + u'/', &problem));
    EXPECT_TRUE(problem.contains(Home(".bashrc"))) << problem;

    ASSERT_TRUE(WriteClientFile(record, Share("Report.VEK")));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Share("report.pdf"));
    const TScoreReport report(record, QStringLiteral("Report.VEK"), QDate(2026, 1, 2));
    const TWrauGraphDrawing graph(record, PrintedGraphStyle);
    const TStatus printed = PrintReportCopies(printer, report, graph).Status;
    EXPECT_TRUE(printed.message().startsWith(QStringLiteral("Printing \"WRau Graphs\" failed: Cannot create file %1: "
                                                            "it is a link to %2")
                                                 .arg(Share("report-2.pdf"), Home("thesis.pdf"))))
        << printed.message();
    // The first document was written, and is the clinician's and the group's only.
    EXPECT_TRUE(Contents(Share("report.pdf")).startsWith("%PDF-"));
    EXPECT_EQ(ModeOf(Share("report.pdf")) & S_IRWXO, 0u);

    for (const QStringList &options : {QStringList{}, QStringList{QStringLiteral("--force")}}) {
        QString errors;
        EXPECT_EQ(Tool(QStringList{QStringLiteral("report")} + options + QStringList{Share("Report.VEK"), Share("OUT.pdf")},
                       errors),
                  ExitBadInput);
        EXPECT_TRUE(errors.contains(QStringLiteral("it is a link to %1").arg(Home("thesis.pdf")))) << errors;
    }
    QString errors;
    ASSERT_EQ(Tool({QStringLiteral("report"), Share("Report.VEK"), Share("NEW.pdf")}, errors), ExitOk) << errors;
    EXPECT_EQ(ModeOf(Share("NEW.pdf")) & S_IRWXO, 0u);
    EXPECT_TRUE(S_ISLNK(ModeOf(Share("OUT.pdf"))) && S_ISLNK(ModeOf(Share("report-2.pdf"))));
}

// FIFOs at the lock, at the client file and at OUT.pdf: nothing waits.
TEST_F(ClinicFolder, PipesAreNeverWaitedFor)
{
    ASSERT_TRUE(WriteClientFile(record, Share("Jones.VEK")));
    ReturnsAtOnce([&] {
        TClientFileLock lock;
        TLockOwner owner;
        EXPECT_TRUE(lock.Acquire(Share("Jones.VEK"), owner)) << "a pipe is no lock and is taken over";
        const QString lockPath = TClientFileLock::LockPath(Share("Jones.VEK"));
        EXPECT_TRUE(S_ISREG(ModeOf(lockPath)));
        EXPECT_EQ(ModeOf(lockPath) & S_IRWXO, 0u);

        TClientRecord loaded;
        EXPECT_TRUE(ReadClientFile(Share("Fifo.VEK"), loaded).message().contains(QLatin1String("a pipe")));
        EXPECT_TRUE(WriteClientFile(record, Share("Fifo.VEK")).message().contains(QLatin1String("a pipe")));
        QString errors;
        EXPECT_EQ(Tool({QStringLiteral("report"), Share("Jones.VEK"), Share("FIFO.pdf")}, errors), ExitBadInput);
        EXPECT_TRUE(errors.contains(QLatin1String("a pipe"))) << errors;
    });
    EXPECT_TRUE(S_ISFIFO(ModeOf(Share("Fifo.VEK"))) && S_ISFIFO(ModeOf(Share("FIFO.pdf"))));
}

// Smith.VEK.backup and its like are the clinic's, not temporary copies; a
// file its mode keeps from being written is not replaced through the folder.
TEST_F(ClinicFolder, OtherUsersFilesStay)
{
    const TStatus refused = WriteClientFile(record, Share("ReadOnly.VEK"));
    EXPECT_TRUE(refused.message().endsWith(QLatin1String("Permission denied"))) << refused.message();
    EXPECT_EQ(Contents(Share("ReadOnly.VEK")), "kept\n");
    for (int save = 0; save < 3; ++save)
        ASSERT_TRUE(WriteClientFile(record, Share("Smith.VEK")));
    for (const char *backup : {"Smith.VEK.backup", "Smith.VEK.202412", "Smith.VEK.orig01", "Smith.VEK.aB3dE9"})
        EXPECT_EQ(Contents(Share(backup)), "backup\n") << backup;
    EXPECT_TRUE(QDir(m_share).entryList({QStringLiteral("Smith.VEK.saving-*")}, QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(ModeOf(Share("Smith.VEK")) & S_IRWXO, 0u);
}

// Loaded as a client file, then replaced by another program with a file of
// 70,000 bytes or one the clinician may write but not read: asked first.
TEST_F(ClinicFolder, AFileThatCannotBeReadNowIsAskedAbout)
{
    for (const char *name : {"Big.VEK", "Hidden.VEK"}) {
        const QString path = Share(name);
        const qint64 size = QFileInfo(path).size();
        TAppState state;
        state.FileName = path;
        state.FileStamp = TFileStamp::Of(path, record.Image().toByteArray());
        TScriptedPrompts prompts;
        prompts.Answers = {TAnswer::Cancel};
        EXPECT_EQ(SaveClientFile(record, state, prompts), TSaveOutcome::Declined) << name;
        ASSERT_EQ(prompts.Shown.size(), 1) << name;
        EXPECT_TRUE(prompts.Shown[0].startsWith(QStringLiteral("%1 was changed by another program").arg(QLatin1String(name))))
            << prompts.Shown[0];
        EXPECT_EQ(QFileInfo(path).size(), size) << name;
    }
}

// A folder named "x⏎[CD]⏎Device=/share/img/OTHER.cue⏎X=" is not written
// into VEK.INI, so the next start plays no other disc.
TEST_F(ClinicFolder, AFolderNameWithLineBreaksDoesNotRewriteTheSettings)
{
    const QString odd = QStringLiteral("x\n[CD]\nDevice=/share/img/OTHER.cue\nX=");
    ASSERT_TRUE(QFileInfo(Share(odd)).isDir());
    ASSERT_TRUE(WriteClientFile(record, QDir(Share(odd)).filePath(QStringLiteral("Odd.VEK"))));
    const QString settings = QDir(m_home).filePath(QStringLiteral("start"));
    ASSERT_TRUE(QDir().mkpath(settings));
    ASSERT_TRUE(Settings::WriteDataPath(settings, m_share + u'/'));
    QString problem;
    EXPECT_FALSE(Settings::WriteDataPath(settings, Settings::WithTrailingSlash(Share(odd)), &problem));
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_EQ(Settings::ReadDataPath(settings), m_share + u'/');
    EXPECT_EQ(Settings::ReadValue(settings, QStringLiteral("CD"), QStringLiteral("Device")), "");
}

} // namespace
