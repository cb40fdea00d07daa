// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every widget test suite: one QApplication on the offscreen
// platform, with the fonts the forms are laid out for, and a configuration
// folder of its own.
#include "drawing/Fonts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Work kept at a session's end belongs to the user: never the tests'.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    // The program keeps its recent clients in the user's configuration
    // folder; the tests' files must not land in the real one.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
