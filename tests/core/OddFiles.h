// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <thread>

#include <sys/stat.h>

// Names that are not files, given where a reader expects a file: a FIFO
// nobody writes to (opening it for reading waits for a writer), a link to
// /dev/zero (which never ends) and a folder.
inline QStringList MakeOddFiles(const QDir &folder, const QString &name)
{
    const QStringList paths = {folder.filePath(QStringLiteral("fifo-") + name),
                               folder.filePath(QStringLiteral("zero-") + name),
                               folder.filePath(QStringLiteral("folder-") + name)};
    EXPECT_EQ(::mkfifo(QFile::encodeName(paths[0]).constData(), 0600), 0);
    EXPECT_TRUE(QFile::link(QStringLiteral("/dev/zero"), paths[1]));
    EXPECT_TRUE(folder.mkdir(QStringLiteral("folder-") + name));
    return paths;
}

// Runs read, which must come back at once: a reader stuck for ten seconds
// would hang the program, and ends the test program here instead.
inline void ReturnsAtOnce(const std::function<void()> &read)
{
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> returned = done->get_future();
    std::thread([read, done] {
        read();
        done->set_value();
    }).detach();
    if (returned.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "the reader did not come back";
        std::_Exit(1);
    }
}
