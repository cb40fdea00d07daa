// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecentClients.h"

#include "UserSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString Key = QStringLiteral("RecentClients/Files");

} // namespace

TRecentClients::TRecentClients(const QString &settingsFile) : m_settingsFile(settingsFile)
{
    if (m_settingsFile.isEmpty())
        m_settingsFile = UserSettings::Folder() + QStringLiteral("/AVEK.conf");
}

QStringList TRecentClients::Files() const
{
    const QSettings settings(m_settingsFile, QSettings::IniFormat);
    return settings.value(Key).toStringList().mid(0, MaxCount);
}

void TRecentClients::Add(const QString &fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(path);
    files.prepend(path);
    Write(files.mid(0, MaxCount));
}

void TRecentClients::Remove(const QString &fileName)
{
    QStringList files = Files();
    if (files.removeAll(fileName) > 0)
        Write(files);
}

void TRecentClients::Write(const QStringList &files)
{
    QDir().mkpath(QFileInfo(m_settingsFile).absolutePath());
    {
        QSettings settings(m_settingsFile, QSettings::IniFormat);
        settings.setValue(Key, files);
    }
    // The names of clients are theirs: the list is the user's alone.
    QFile::setPermissions(m_settingsFile, QFile::ReadOwner | QFile::WriteOwner);
}
