#pragma once

#include <QString>

// Keeps a second copy of the program from running: an exclusive lock on the
// file "VEKTestMutex" in the user's runtime folder. The kernel releases the
// lock when the process ends, however it ends.
class TSingleInstance
{
public:
    TSingleInstance() = default;
    TSingleInstance(const TSingleInstance &) = delete;
    TSingleInstance &operator=(const TSingleInstance &) = delete;
    ~TSingleInstance();

    // False when another copy holds the lock, or the lock cannot be taken.
    bool Acquire(const QString &folder = DefaultFolder());

    // XDG_RUNTIME_DIR, or a folder of the user's own that nobody else can write.
    static QString DefaultFolder();

private:
    int m_fd = -1;
};
