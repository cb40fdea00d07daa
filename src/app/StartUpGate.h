// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

// The start-up questions wait until the clinician can see them: the main
// window is up and has the focus, and the splash screen no longer covers it.
// A window the desktop does not give the focus to is asked over anyway once
// WaitForFocusMs have passed; the questions are modal and come to the front.
namespace StartUpGate {

constexpr int WaitForFocusMs = 3000;

void WhenReady(QWidget &window, const QPointer<QWidget> &splash, std::function<void()> ask);

} // namespace StartUpGate
