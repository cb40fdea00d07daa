// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportCsvCommand.h"

#include "ToolCommand.h"
#include "administration/ScoreCheck.h"
#include "administration/Snr50.h"
#include "record/ClientFileReader.h"
#include "record/Conditions.h"
#include "record/ScoreFormat.h"

namespace {

// RFC 4180: a field with a comma, a quote or a line break goes in quotes,
// its quotes doubled.
QString CsvField(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return special.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

void WriteRow(QTextStream &out, const QStringList &fields)
{
    QStringList escaped;
    for (const QString &field : fields)
        escaped << CsvField(field);
    out << escaped.join(u',') << "\r\n";
}

void WriteRows(QTextStream &out, const QString &fileName, const TClientRecord &record)
{
    const QLocale c = QLocale::c();
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
                WriteRow(out, {fileName, record.LastName(), record.FirstName(), record.TestDate(),
                               QString::number(m + 1), high ? QStringLiteral("H") : QStringLiteral("L"),
                               QString::number(Conditions::SnrDb[r]), score(ScoreCheck::TMeasure::Proportion),
                               score(ScoreCheck::TMeasure::Rau), score(ScoreCheck::TMeasure::Wrau), Snr50Text(snr50)});
            }
        }
    }
}

} // namespace

int RunExportCsv(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    WriteRow(out, {QStringLiteral("File"), QStringLiteral("LastName"), QStringLiteral("FirstName"),
                   QStringLiteral("TestDate"), QStringLiteral("Mdb"), QStringLiteral("Sentences"), QStringLiteral("Snr"),
                   QStringLiteral("Percent"), QStringLiteral("Rau"), QStringLiteral("Wrau"), QStringLiteral("Snr50")});
    int code = ExitOk;
    for (const QString &fileName : arguments) {
        TClientRecord record;
        if (const TStatus status = ReadClientFile(fileName, record); !status) {
            err << status.message() << '\n';
            code = ExitBadInput;
            continue;
        }
        // The stored estimates are only a cache; a loaded file recomputes them.
        RecomputeSnr50(record);
        WriteRows(out, fileName, record);
    }
    return code;
}
