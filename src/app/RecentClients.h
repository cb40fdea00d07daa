// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The client files last loaded or saved, newest first, kept in the user's own
// configuration folder: VEK.INI may sit in a folder the whole clinic shares,
// and which clients one user opened is not the others' business.
class TRecentClients
{
public:
    static constexpr int MaxCount = 8;

    // settingsFile empty: AVEK.conf in the user's configuration folder.
    explicit TRecentClients(const QString &settingsFile = QString());

    QStringList Files() const;
    void Add(const QString &fileName);
    void Remove(const QString &fileName);

private:
    void Write(const QStringList &files);

    QString m_settingsFile;
};
