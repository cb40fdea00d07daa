// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>

class QObject;

// What a page asks of the main window. Pages never call the main window or
// each other; they post one of these events, and the main window acts when
// the event loop delivers it, after the page's handler has finished.
enum TWindowMessage : int {
    WM_FILEMODIFIED = 1025,
    WM_SHOWCLIENTINFO = 1026,
    WM_SHOWCONDITIONS = 1027,
    WM_SHOWCALIBRATION = 1028,
    WM_RUNTEST = 1029,
    WM_SHOWSCORES = 1030,
    WM_SHOWGRAPH = 1031,
    WM_FILESAVED = 1032,
    WM_SAVEFILE = 1033,
};

static_assert(int(WM_FILEMODIFIED) > int(QEvent::User) && int(WM_SAVEFILE) < int(QEvent::MaxUser));

void PostWindowMessage(QObject *mainWindow, TWindowMessage message);
