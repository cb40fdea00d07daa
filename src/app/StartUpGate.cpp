// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartUpGate.h"

#include <QElapsedTimer>
#include <QTimer>

namespace StartUpGate {

void WhenReady(QWidget &window, const QPointer<QWidget> &splash, std::function<void()> ask)
{
    auto *poll = new QTimer(&window);
    poll->setInterval(50);
    auto focusWait = std::make_shared<QElapsedTimer>();
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, splash, focusWait, ask = std::move(ask)] {
        if ((splash && splash->isVisible()) || !window.isVisible())
            return;
        if (!focusWait->isValid()) {
            focusWait->start();
            window.raise();
            window.activateWindow();
        }
        if (!window.isActiveWindow() && focusWait->elapsed() < WaitForFocusMs)
            return;
        // The questions run event loops of their own: the timer goes only
        // after them, and they run from a copy that does not go with it.
        const std::function<void()> run = ask;
        poll->stop();
        poll->deleteLater();
        run();
    });
    poll->start();
}

} // namespace StartUpGate
