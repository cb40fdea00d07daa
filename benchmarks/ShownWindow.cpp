// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShownWindow.h"

#include <QApplication>
#include <QFile>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// The high-water mark of this process's own memory. getrusage's ru_maxrss
// would not do: it keeps the peak of the process that forked this one
// across exec.
long PeakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // A file under /proc has no size: read it whole.
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

long LoadedLibraries()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    QSet<QByteArray> libraries;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const QByteArray path = line.trimmed().split(' ').last();
        if (path.contains(".so"))
            libraries.insert(path);
    }
    return libraries.size();
}

} // namespace

int ShowAndReport(QApplication &application, QWidget &window)
{
    window.show();
    QTimer::singleShot(0, &application, [] {
        std::printf("%s%ld %ld\n", ShownPrefix, PeakKilobytes(), LoadedLibraries());
        std::fflush(stdout);
        QApplication::quit();
    });
    return application.exec();
}
