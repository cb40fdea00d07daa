// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportCsvCommand.h"
#include "record/ClientFileWriter.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

class ExportCsv : public ::testing::Test
{
protected:
    // A client with one scored list, named lastName.
    QString Save(const QString &relativePath, const QString &lastName = QStringLiteral("Smith"))
    {
        TClientRecord record;
        record.InitNewRecord(QDate(2026, 2, 4), QLocale::c());
        record.SetLastName(lastName);
        record.Mdb(0).SetProportion(12, 0.5f);
        record.Mdb(0).SetRau(12, 50.0f);
        // Negative, to show that a score keeps its sign.
        record.Mdb(0).SetWrau(12, -2.0f);
        const QString path = m_dir.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(WriteClientFile(record, path));
        return path;
    }

    int Run(const QStringList &arguments, const QByteArray &names = {})
    {
        QBuffer input;
        input.setData(names);
        input.open(QIODevice::ReadOnly);
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        return RunExportCsv(arguments, input, out, err);
    }

    QStringList Files() const
    {
        QStringList files;
        for (const QString &row : m_out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).mid(1))
            files << row.section(u',', 0, 0);
        files.sort();
        return files;
    }

    QTemporaryDir m_dir;
    QString m_out;
    QString m_err;
};

TEST_F(ExportCsv, FoldersAndNamesOnStandardInputGiveOneHeader)
{
    const QString top = Save(QStringLiteral("A.VEK"));
    const QString deep = Save(QStringLiteral("clinic/2026/b.vek"));
    const QString named = Save(QStringLiteral("other/C.VEK"));
    // not client files by name, or reached only through a link
    Save(QStringLiteral("clinic/NOTES.TXT"));
    QFile::link(m_dir.filePath(QStringLiteral("other")), m_dir.filePath(QStringLiteral("clinic/loop")));

    EXPECT_EQ(Run({m_dir.filePath(QStringLiteral("clinic")), QStringLiteral("-"), top},
                  QFile::encodeName(named) + "\n\n" + QFile::encodeName(top) + '\n'),
              0)
        << m_err;
    EXPECT_EQ(m_out.count(QStringLiteral("File,LastName")), 1);
    EXPECT_EQ(Files(), QStringList({top, top, deep, named}));
    EXPECT_TRUE(m_err.isEmpty());
}

TEST_F(ExportCsv, EveryFileThatCannotBeReadIsTold)
{
    Save(QStringLiteral("clinic/A.VEK"));
    QFile bad(m_dir.filePath(QStringLiteral("clinic/BAD.VEK")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a client file");
    bad.close();

    EXPECT_EQ(Run({m_dir.filePath(QStringLiteral("clinic")), m_dir.filePath(QStringLiteral("NONE.VEK"))}), 1);
    EXPECT_TRUE(m_err.contains(QStringLiteral("BAD.VEK"))) << m_err;
    EXPECT_TRUE(m_err.contains(QStringLiteral("NONE.VEK"))) << m_err;
    EXPECT_EQ(Files().size(), 1);
}

// A spreadsheet runs a cell that begins like a formula; the clinic's text
// must stay text, and the numbers, negative ones too, numbers.
TEST_F(ExportCsv, NamesThatLookLikeFormulasStayText)
{
    const QStringList names = {QStringLiteral("=HYPERLINK(\"x\")"), QStringLiteral("+1"),
                               QStringLiteral("-2+3"), QStringLiteral("@SUM(A1)"), QStringLiteral("\tTab"),
                               QStringLiteral("\rCR"), QStringLiteral("O'Brien, \"Jo\"")};
    QStringList files;
    for (int i = 0; i < names.size(); ++i)
        files << Save(QStringLiteral("%1.VEK").arg(i), names[i]);
    Save(QStringLiteral("-5.VEK"));
    ASSERT_EQ(Run({m_dir.path()}), 0) << m_err;

    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QStringLiteral("import csv, sys\n"
                                                       "for row in csv.reader(sys.stdin, strict=True):\n"
                                                       "    print(repr(row[0].rsplit('/', 1)[-1]), repr(row[1]),"
                                                       " row[7], row[9])\n")});
    ASSERT_TRUE(python.waitForStarted()) << "python3 is needed to read the CSV back";
    python.write(m_out.toUtf8());
    python.closeWriteChannel();
    ASSERT_TRUE(python.waitForFinished());
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QString read = QString::fromUtf8(python.readAllStandardOutput());

    EXPECT_TRUE(read.contains(QStringLiteral("'File' 'LastName' Percent Wrau\n")));
    EXPECT_TRUE(read.contains(QStringLiteral("'-5.VEK' 'Smith' 50.00 -2.00\n")));
    for (const char *expected : {R"x('0.VEK' '\'=HYPERLINK("x")')x", R"x('1.VEK' "'+1")x",
                                 R"x('2.VEK' "'-2+3")x", R"x('3.VEK' "'@SUM(A1)")x", R"x('4.VEK' "'\tTab")x",
                                 R"x('5.VEK' "'\rCR")x", R"x('6.VEK' 'O\'Brien, "Jo"')x"})
        EXPECT_TRUE(read.contains(QLatin1String(expected))) << expected << "\n" << read;
}

} // namespace
