// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpCommand.h"

#include "JsonText.h"
#include "ToolCommand.h"
#include "record/ClientFileReader.h"

#include <QStringList>

namespace {

template <typename Value>
QString Array(int count, Value value)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << value(i);
    return u'[' + items.join(QStringLiteral(", ")) + u']';
}

// One "key": value line, indented, with a comma unless it is the last.
class TObjectText
{
public:
    explicit TObjectText(int indent) : m_indent(indent, u' ') {}

    void Add(const char *key, const QString &value) { m_members << m_indent + JsonText::String(QLatin1String(key)) + QStringLiteral(": ") + value; }
    QString Text(const QString &closingIndent) const
    {
        return QStringLiteral("{\n") + m_members.join(QStringLiteral(",\n")) + u'\n' + closingIndent + u'}';
    }

private:
    QString m_indent;
    QStringList m_members;
};

QString MdbText(const TConstMdbBlock &block)
{
    constexpr int Conditions = MdbBlockLayout::ConditionCount;
    constexpr int Slots = MdbBlockLayout::SlotCount;
    TObjectText object(6);
    object.Add("Completed", JsonText::Bool(block.Completed()));
    object.Add("Selected", Array(Conditions, [&](int c) { return JsonText::Bool(block.Selected(c)); }));
    object.Add("Tested", Array(Conditions, [&](int c) { return JsonText::Bool(block.Tested(c)); }));
    object.Add("Proportion", Array(Slots, [&](int s) { return JsonText::Float(block.Proportion(s)); }));
    object.Add("Rau", Array(Slots, [&](int s) { return JsonText::Float(block.Rau(s)); }));
    object.Add("Wrau", Array(Slots, [&](int s) { return JsonText::Float(block.Wrau(s)); }));
    object.Add("Snr50High", QString::number(block.Snr50High()));
    object.Add("Snr50Low", QString::number(block.Snr50Low()));
    object.Add("Comments", JsonText::String(block.Comments()));
    return object.Text(QStringLiteral("    "));
}

QString RecordText(const TClientRecord &record)
{
    constexpr int Mdbs = TClientRecord::MdbCount;
    TObjectText object(2);
    object.Add("Signature", JsonText::String(record.Signature()));
    object.Add("LastName", JsonText::String(record.LastName()));
    object.Add("FirstName", JsonText::String(record.FirstName()));
    object.Add("MiddleInitial", JsonText::String(record.MiddleInitial()));
    object.Add("IdNumber", JsonText::String(record.IdNumber()));
    object.Add("TestDate", JsonText::String(record.TestDate()));
    object.Add("DateOfBirth", JsonText::String(record.DateOfBirth()));
    object.Add("Clinician", JsonText::String(record.Clinician()));
    object.Add("ClientComments", JsonText::String(record.ClientComments()));
    object.Add("PlayPracticeBlock", JsonText::Bool(record.PlayPracticeBlock()));
    object.Add("CurrentMdb", QString::number(record.CurrentMdb()));
    object.Add("HighTalkerLevel", Array(Mdbs, [&](int m) { return QString::number(record.HighTalkerLevel(m)); }));
    object.Add("LowTalkerLevel", Array(Mdbs, [&](int m) { return QString::number(record.LowTalkerLevel(m)); }));
    object.Add("LevelsInSpl", JsonText::Bool(record.LevelsInSpl()));
    QStringList blocks;
    for (int m = 0; m < Mdbs; ++m)
        blocks << QStringLiteral("    ") + MdbText(record.Mdb(m));
    object.Add("Mdb", QStringLiteral("[\n") + blocks.join(QStringLiteral(",\n")) + QStringLiteral("\n  ]"));
    return object.Text(QString());
}

} // namespace

int RunDump(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    TClientRecord record;
    if (const TStatus status = ReadClientFile(arguments.first(), record); !status) {
        err << status.message() << '\n';
        return ExitBadInput;
    }
    out << RecordText(record) << '\n';
    return ExitOk;
}
