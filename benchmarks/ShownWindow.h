// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;
class QWidget;

// The first line a start-up child prints once its window is shown: the
// prefix, then its peak memory in KiB and the shared libraries it has loaded.
inline constexpr char ShownPrefix[] = "shown ";

// Shows the window, prints the line once the event loop runs, and quits.
int ShowAndReport(QApplication &application, QWidget &window);
