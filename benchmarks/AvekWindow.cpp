// SPDX-License-Identifier: GPL-3.0-or-later
// AVEK's start as the program makes it, up to the main window shown, linked
// with the program's own libraries only.
#include "ShownWindow.h"

#include "app/Application.h"
#include "app/AvekProgram.h"
#include "app/Winmain.h"
#include "drawing/Fonts.h"

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    InstallFontSubstitutions();
    TAvekProgram program;
    return ShowAndReport(application, program.MainWindow());
}
