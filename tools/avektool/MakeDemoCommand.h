#pragma once

#include <QStringList>
#include <QTextStream>

// avektool make-demo DIR: writes the demonstration disc image, its sentence
// material and a VEK.INI that names the image.
int RunMakeDemo(const QStringList &arguments, QTextStream &out, QTextStream &err);
