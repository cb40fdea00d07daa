// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of the start-up figures: a bare Qt Widgets program, linked
// with Qt Widgets alone, with one main window of AVEK's size showing a line
// of text, so that it loads the font database as any window with words does.
#include "ShownWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Bare Qt")));
    window.resize(640, 452);
    return ShowAndReport(application, window);
}
