// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniFile.h"

#include "RegularFile.h"
#include "SafeFile.h"
#include "Windows1252.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace {

// A profile file of a few settings; one far larger is no settings file.
constexpr qint64 MaxIniSize = 64 * 1024;
const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TStatus TIniFile::Load(const QString &path)
{
    m_lines.clear();
    m_utf8 = m_bom = false;
    QFile file(path);
    if (!file.exists())
        return TStatus::Ok();
    QString reason;
    if (!RegularFile::Open(file, MaxIniSize, reason))
        return TStatus::Error(QStringLiteral("Cannot open file %1: %2").arg(QDir::toNativeSeparators(path), reason));
    QByteArray bytes = file.read(MaxIniSize + 1);
    if (file.error() != QFileDevice::NoError)
        return TStatus::Error(
            QStringLiteral("Cannot read file %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    if (bytes.contains('\0'))
        return TStatus::Error(
            QStringLiteral("The file %1 is not a settings file.").arg(QDir::toNativeSeparators(path)));
    Parse(Decode(bytes));
    return TStatus::Ok();
}

QString TIniFile::Decode(QByteArray bytes)
{
    m_bom = bytes.startsWith(Bom);
    if (m_bom)
        bytes.remove(0, Bom.size());
    // Older files are Windows-1252; a file that is valid UTF-8 with letters
    // beyond ASCII was written as UTF-8 (by an editor, or by this program
    // for a folder name Windows-1252 cannot hold).
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    m_utf8 = m_bom || (!utf8.hasError() && text.size() != bytes.size());
    return m_utf8 ? text : Windows1252::Decode(bytes);
}

void TIniFile::Parse(const QString &text)
{
    m_lines.clear();
    QString section;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        QString key;
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            section = trimmed.mid(1, trimmed.size() - 2).trimmed();
        } else if (!trimmed.startsWith(u';') && trimmed.contains(u'=')) {
            key = trimmed.left(trimmed.indexOf(u'=')).trimmed();
        }
        m_lines.append({section, key, line});
    }
    // A final line break leaves one empty piece that is not a line.
    if (!m_lines.isEmpty() && m_lines.last().Text.isEmpty() && m_lines.last().Key.isEmpty())
        m_lines.removeLast();
}

QString TIniFile::Text() const
{
    QString text;
    for (const TLine &line : m_lines)
        text += line.Text + QStringLiteral("\r\n");
    return text;
}

TStatus TIniFile::Save(const QString &path) const
{
    const QString text = Text();
    const QByteArray bytes = m_utf8 || !Windows1252::CanHold(text) ? (m_bom ? Bom : QByteArray()) + text.toUtf8()
                                                                   : Windows1252::Encode(text);
    QString reason;
    if (SafeFile::WriteAll(path, bytes, reason))
        return TStatus::Ok();
    return TStatus::Error(reason);
}

qsizetype TIniFile::FindKey(const QString &section, const QString &key) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (SameName(m_lines[i].Section, section) && SameName(m_lines[i].Key, key))
            return i;
    }
    return -1;
}

bool TIniFile::CanHold(const QString &text)
{
    return !text.contains(u'\n') && !text.contains(u'\r') && !text.contains(QChar(0));
}

QString TIniFile::Value(const QString &section, const QString &key, const QString &fallback) const
{
    const qsizetype at = FindKey(section, key);
    if (at < 0)
        return fallback;
    const QString &text = m_lines[at].Text;
    const QString value = text.mid(text.indexOf(u'=') + 1).trimmed();
    return CanHold(value) ? value : fallback;
}

bool TIniFile::SetValue(const QString &section, const QString &key, const QString &value)
{
    if (!CanHold(section) || !CanHold(key) || !CanHold(value))
        return false;
    const QString text = key + u'=' + value;
    if (const qsizetype at = FindKey(section, key); at >= 0) {
        m_lines[at].Text = text;
        return true;
    }
    // After the last line of the section that is not blank, or in a new one.
    qsizetype last = -1;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (SameName(m_lines[i].Section, section) && !m_lines[i].Text.trimmed().isEmpty())
            last = i;
    }
    if (last < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().Text.trimmed().isEmpty())
            m_lines.append({m_lines.last().Section, QString(), QString()});
        m_lines.append({section, QString(), u'[' + section + u']'});
        last = m_lines.size() - 1;
    }
    m_lines.insert(last + 1, {m_lines[last].Section, key, text});
    return true;
}
