// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

// The program's icon at one size. From 32 pixels up it is the logo; below
// that the logo's word cannot be read, so it is a simpler mark: the logo's
// wave on its blue ground, drawn for the size.
QImage AppIconImage(int side);

// The icon at the sizes a desktop asks for, so that the window carries its
// own icon whether or not the menu entry's icons are installed.
QIcon AppIcon();
