// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A print system of the test's own: cupsd with its configuration, spool,
// state and logs in a folder under the build tree, listening on a unix
// socket only. Its queues are raw and their backend keeps each job's
// document and options in a folder, so that a test can read what a printer
// would have been sent. Nothing of the machine's own print system is used
// or changed.
class TPrivateCupsServer
{
public:
    TPrivateCupsServer();
    ~TPrivateCupsServer();

    // Starts the server and points this thread's print system calls and
    // the commands run below at it. Empty when it runs, otherwise why not.
    QString Start();
    void Stop();

    // A queue that keeps its jobs in JobFolder().
    bool AddQueue(const QString &name);
    // One of the print system's commands (lpadmin, cupsreject, ...).
    bool Run(const QString &program, const QStringList &arguments);

    QString JobFolder() const { return m_folder.filePath(QStringLiteral("jobs")); }
    QString ErrorLog() const;

private:
    QString Path(const QString &name) const { return m_folder.filePath(name); }
    bool WriteConfiguration();

    QTemporaryDir m_folder;
    QProcess m_cupsd;
};
