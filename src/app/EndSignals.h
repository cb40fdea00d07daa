// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM (log-out, shutdown), SIGHUP (the terminal closed) and SIGINT
// would end the program at once. Here they arrive as Received on the main
// thread instead, through a pipe the handler writes to, so that the work
// can be kept before the program ends.
class TEndSignals : public QObject
{
    Q_OBJECT

public:
    explicit TEndSignals(QObject *parent = nullptr);
    ~TEndSignals() override;

    // Ends the process as the signal itself would have.
    [[noreturn]] static void EndBy(int signal);

signals:
    void Received(int signal);

private:
    QSocketNotifier *m_notifier = nullptr;
};
