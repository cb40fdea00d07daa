// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetFilePath.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

namespace {

// The entry of folder whose name is name, exactly or else ignoring case.
std::optional<QString> FindEntry(const QDir &folder, const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return folder.filePath(name);
    if (folder.exists(name))
        return folder.filePath(name);
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return std::nullopt;
}

std::optional<QString> FindPath(const QString &start, const QString &path)
{
    QString found = start;
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const std::optional<QString> entry = FindEntry(QDir(found), part);
        if (!entry)
            return std::nullopt;
        found = *entry;
    }
    if (!QFileInfo(found).isFile())
        return std::nullopt;
    return found;
}

} // namespace

QString FindSheetFile(const QString &folder, const QString &name)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:/"));
    const QString path = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool foreign = drive.match(path).hasMatch() || path.startsWith(QLatin1String("//"));
    if (!foreign) {
        const bool absolute = QDir::isAbsolutePath(path);
        if (const std::optional<QString> found = FindPath(absolute ? QStringLiteral("/") : folder, path))
            return *found;
    }
    if (const std::optional<QString> found = FindPath(folder, QFileInfo(path).fileName()))
        return *found;
    return QDir(folder).filePath(path);
}
