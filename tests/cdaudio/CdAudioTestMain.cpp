// SPDX-License-Identifier: GPL-3.0-or-later
// The cdaudio tests need an event loop for the player's notices, not a
// display.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
