// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

// avektool make-demo [--force] DIR: writes the demonstration disc image, its
// sentence material and a VEK.INI that names the image; a clinic's folder
// only with --force.
int RunMakeDemo(const QStringList &arguments, QTextStream &out, QTextStream &err);
