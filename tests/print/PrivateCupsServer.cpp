// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateCupsServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <cups/cups.h>

#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

namespace {

const QStringList SystemFolders{QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin")};

QString FindProgram(const QString &name)
{
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? QStandardPaths::findExecutable(name, SystemFolders) : onPath;
}

// Keeps job N as job-N.pdf and its options as job-N.options; the document
// appears whole or not at all.
const char Backend[] = R"(#!/bin/sh
if [ $# -eq 0 ]; then
  echo 'direct avekjob "Unknown" "Test job folder"'
  exit 0
fi
folder=${DEVICE_URI#avekjob:}
printf '%s\n' "$5" > "$folder/job-$1.options"
if [ $# -ge 6 ]; then cat "$6"; else cat; fi > "$folder/job-$1.part" || exit 1
mv "$folder/job-$1.part" "$folder/job-$1.pdf"
)";

bool WriteFile(const QString &path, const QByteArray &text, QFileDevice::Permissions permissions = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    file.close();
    return permissions == QFileDevice::Permissions() || file.setPermissions(permissions);
}

QString GroupName(gid_t gid)
{
    const group *entry = getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString();
}

} // namespace

TPrivateCupsServer::TPrivateCupsServer() : m_folder(QStringLiteral(CUPS_TEST_ROOT "/cups-XXXXXX"))
{
}

TPrivateCupsServer::~TPrivateCupsServer()
{
    Stop();
    qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

QString TPrivateCupsServer::ErrorLog() const
{
    QFile log(Path(QStringLiteral("log/error_log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll().right(2000)) : QString();
}

bool TPrivateCupsServer::WriteConfiguration()
{
    for (const char *folder : {"root", "spool/tmp", "state", "cache", "log", "bin/backend", "bin/filter", "jobs"}) {
        if (!QDir().mkpath(Path(QLatin1String(folder))))
            return false;
    }
    // The scheduler starts its helpers from here; only the backend is ours.
    for (const char *folder : {"daemon", "notifier"})
        QFile::link(QStringLiteral("/usr/lib/cups/") + QLatin1String(folder), Path(QStringLiteral("bin/") + QLatin1String(folder)));
    if (!WriteFile(Path(QStringLiteral("bin/backend/avekjob")), Backend,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return false;

    // Run as root, the scheduler wants an unprivileged account for its jobs;
    // run as anyone else, it uses that one.
    QString account = QStringLiteral("SystemGroup %1\n").arg(GroupName(getgid()));
    if (geteuid() == 0) {
        if (!getpwnam("lp"))
            return false;
        account = QStringLiteral("User lp\nGroup lp\nSystemGroup root\n");
    }
    const QString files = QStringLiteral("ServerRoot %1/root\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                         "StateDir %1/state\nCacheDir %1/cache\nServerBin %1/bin\n"
                                         "DataDir /usr/share/cups\nDocumentRoot /usr/share/cups/doc-root\n"
                                         "AccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                         "PageLog %1/log/page_log\nFileDevice No\n")
                              .arg(m_folder.path()) +
                          account;
    const QString server = QStringLiteral("Listen %1/cups.sock\nBrowsing No\nWebInterface No\nLogLevel info\n"
                                          "DefaultAuthType None\n"
                                          "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                          "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                               .arg(m_folder.path());
    return WriteFile(Path(QStringLiteral("cups-files.conf")), files.toLocal8Bit()) &&
           WriteFile(Path(QStringLiteral("cupsd.conf")), server.toLocal8Bit());
}

QString TPrivateCupsServer::Start()
{
    const QString cupsd = FindProgram(QStringLiteral("cupsd"));
    if (cupsd.isEmpty())
        return QStringLiteral("cupsd is not installed (scripts/deps installs it)");
    if (!m_folder.isValid() || !WriteConfiguration())
        return QStringLiteral("its folder under the build tree cannot be set up");

    const QByteArray socket = Path(QStringLiteral("cups.sock")).toLocal8Bit();
    qputenv("CUPS_SERVER", socket);
    cupsSetServer(socket.constData());
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    // A test that crashes leaves no scheduler behind.
    m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), Path(QStringLiteral("cupsd.conf")),
                          QStringLiteral("-s"), Path(QStringLiteral("cups-files.conf"))});
    if (!m_cupsd.waitForStarted(10000))
        return QStringLiteral("cupsd does not start: %1").arg(m_cupsd.errorString());

    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (m_cupsd.state() != QProcess::Running)
            return QStringLiteral("cupsd ended at once: %1 %2").arg(QString::fromLocal8Bit(m_cupsd.readAll()), ErrorLog());
        if (QFile::exists(QString::fromLocal8Bit(socket)) && Run(QStringLiteral("lpstat"), {QStringLiteral("-r")}))
            return QString();
        QThread::msleep(100);
    }
    return QStringLiteral("cupsd does not answer: %1").arg(ErrorLog());
}

void TPrivateCupsServer::Stop()
{
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000))
            m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }
}

bool TPrivateCupsServer::AddQueue(const QString &name)
{
    return Run(QStringLiteral("lpadmin"),
               {QStringLiteral("-p"), name, QStringLiteral("-v"), QStringLiteral("avekjob:") + JobFolder(), QStringLiteral("-E")});
}

bool TPrivateCupsServer::Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(FindProgram(program), arguments);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
