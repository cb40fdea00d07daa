// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportCsvCommand.h"

#include "ToolCommand.h"
#include "administration/ScoreCheck.h"
#include "administration/Snr50.h"
#include "record/ClientFileReader.h"
#include "record/Conditions.h"
#include "record/ScoreFormat.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {

// RFC 4180: a field with a comma, a quote or a line break goes in quotes,
// its quotes doubled.
void AppendField(QString &row, const QString &text)
{
    if (!std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c == u',' || c == u'"' || c == u'\r' || c == u'\n'; })) {
        row += text;
        return;
    }
    row += u'"';
    row += QString(text).replace(u'"', QStringLiteral("\"\""));
    row += u'"';
}

// The file's name, the client's names and the test date are the clinic's own
// text. One that a spreadsheet would take for a formula (a name such as
// =HYPERLINK(...)) gets a leading ' so that it stays text; the columns after
// them are numbers the program formed and keep their sign.
void AppendText(QString &row, const QString &text)
{
    const bool formula = !text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front());
    AppendField(row, formula ? u'\'' + text : text);
}

void WriteHeader(QTextStream &out)
{
    out << "File,LastName,FirstName,TestDate,Mdb,Sentences,Snr,Percent,Rau,Wrau,Snr50\r\n";
}

// All of a file's rows in one text: a client has at most 32.
void WriteRows(QTextStream &out, const QString &fileName, const TClientRecord &record)
{
    QString texts;
    for (const QString &text : {fileName, record.LastName(), record.FirstName(), record.TestDate()}) {
        AppendText(texts, text);
        texts += u',';
    }
    const QLocale c = QLocale::c();
    QString rows;
    rows.reserve(32 * (texts.size() + 48));
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        const TConstMdbBlock block = record.Mdb(m);
        for (const Conditions::TTalker talker : Conditions::Talkers) {
            const bool high = talker == Conditions::TTalker::High;
            const qint32 snr50 = high ? block.Snr50High() : block.Snr50Low();
            for (int r = 0; r < Conditions::PerTalker; ++r) {
                const int slot = Conditions::TestSlot(talker, r);
                if (!ScoreCheck::IsScored(block, slot))
                    continue;
                const auto score = [&](ScoreCheck::TMeasure measure) {
                    return ScoreCheck::Text(block, m, slot, measure, PrintScore, c);
                };
                rows += texts;
                for (const QString &number :
                     {QString::number(m + 1), high ? QStringLiteral("H") : QStringLiteral("L"),
                      QString::number(Conditions::SnrDb[r]), score(ScoreCheck::TMeasure::Proportion),
                      score(ScoreCheck::TMeasure::Rau), score(ScoreCheck::TMeasure::Wrau)}) {
                    rows += number;
                    rows += u',';
                }
                AppendField(rows, Snr50Text(snr50));
                rows += u"\r\n";
            }
        }
    }
    out << rows;
}

// Exports one named file, or every client file in a named folder and the
// folders below it, one folder at a time so that memory stays the same
// however many files there are. Links inside a folder are not followed: a
// link to a folder above would never end.
class TExport
{
public:
    TExport(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) {}

    void Name(const QString &name)
    {
        if (QFileInfo(name).isDir())
            Folder(name);
        else
            File(name);
    }
    int Code() const { return m_code; }

private:
    void File(const QString &fileName)
    {
        TClientRecord record;
        if (const TStatus status = ReadClientFile(fileName, record); !status)
            return Fail(status.message());
        // The stored estimates are only a cache; a loaded file recomputes them.
        RecomputeSnr50(record);
        WriteRows(m_out, fileName, record);
    }

    void Folder(const QString &top)
    {
        std::vector<QString> pending{top};
        while (!pending.empty()) {
            const QString folder = pending.back();
            pending.pop_back();
            const QFileInfo info(folder);
            if (!info.isReadable() || !info.isExecutable()) {
                Fail(QStringLiteral("Cannot read the folder %1: permission denied.").arg(folder));
                continue;
            }
            QDirIterator entries(folder, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::NoSymLinks |
                                             QDir::Hidden | QDir::System);
            while (entries.hasNext()) {
                const QFileInfo entry = entries.nextFileInfo();
                if (entry.isDir())
                    pending.push_back(entry.filePath());
                else if (entry.fileName().endsWith(QLatin1String(".VEK"), Qt::CaseInsensitive))
                    File(entry.filePath());
            }
        }
    }

    void Fail(const QString &message)
    {
        m_err << message << '\n';
        m_code = ExitBadInput;
    }

    QTextStream &m_out;
    QTextStream &m_err;
    int m_code = ExitOk;
};

} // namespace

int RunExportCsv(const QStringList &arguments, QIODevice &names, QTextStream &out, QTextStream &err)
{
    WriteHeader(out);
    TExport exporting(out, err);
    for (const QString &argument : arguments) {
        if (argument != u'-') {
            exporting.Name(argument);
            continue;
        }
        // One name a line, as find prints them.
        while (!names.atEnd()) {
            QByteArray line = names.readLine();
            if (line.endsWith('\n'))
                line.chop(1);
            if (!line.isEmpty())
                exporting.Name(QString::fromLocal8Bit(line));
        }
    }
    return exporting.Code();
}

int RunExportCsv(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QFile standardInput;
    if (arguments.contains(QStringLiteral("-")) && !standardInput.open(stdin, QIODevice::ReadOnly)) {
        err << "Cannot read the names on standard input: " << standardInput.errorString() << '\n';
        return ExitBadInput;
    }
    return RunExportCsv(arguments, standardInput, out, err);
}
