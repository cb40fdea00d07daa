// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// Shown while the program starts; it removes itself 2.5 s after it appeared,
// or as soon as the event loop runs if starting took longer.
class TfmSplashScreen : public QWidget
{
    Q_OBJECT

public:
    explicit TfmSplashScreen(QWidget *parent = nullptr);

private:
    void Timer1Timer();
};
