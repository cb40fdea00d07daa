#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TSingleInstance::~TSingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString TSingleInstance::DefaultFolder()
{
    // Qt checks that the runtime folder belongs to the user and is private,
    // and makes one of its own when XDG_RUNTIME_DIR is not set.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

bool TSingleInstance::Acquire(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(QStringLiteral("VEKTestMutex")));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}
