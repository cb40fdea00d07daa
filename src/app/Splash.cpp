// SPDX-License-Identifier: GPL-3.0-or-later
#include "Splash.h"

#include "Credits.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

TfmSplashScreen::TfmSplashScreen(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Splash Screen"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(582, 197);
    auto *bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Box | QFrame::Raised);
    bevel->setGeometry(3, 4, 577, 190);
    AddCredits(this, {15, 32, 136, 119, 162, 21, {54, 74, 93, 119, 140, 160}});
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // Deferred deletion: the timer is not pulled away under its own handler.
    QTimer::singleShot(2500, this, &TfmSplashScreen::Timer1Timer);
}

void TfmSplashScreen::Timer1Timer()
{
    close();
}
