// SPDX-License-Identifier: GPL-3.0-or-later
#include "EndSignals.h"

#include <QSocketNotifier>

#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Signals[] = {SIGTERM, SIGHUP, SIGINT};
int writeEnd = -1;

void Handle(int signal)
{
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &number, 1);
}

} // namespace

TEndSignals::TEndSignals(QObject *parent) : QObject(parent)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    writeEnd = ends[1];
    m_notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char number = 0;
        if (::read(int(m_notifier->socket()), &number, 1) == 1)
            emit Received(number);
    });
    struct sigaction action {};
    action.sa_handler = Handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Signals)
        ::sigaction(signal, &action, nullptr);
}

TEndSignals::~TEndSignals()
{
    if (!m_notifier)
        return;
    for (const int signal : Signals)
        std::signal(signal, SIG_DFL);
    ::close(int(m_notifier->socket()));
    ::close(writeEnd);
    writeEnd = -1;
}

void TEndSignals::EndBy(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}
