// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time tool: the menu icons, drawn by the program's own icon routine so
// that the installed icon never drifts from the one on its window.
#include "app/AppIcon.h"

#include <QDir>

#include <cstdio>

// MakeIcons NAME THEMEDIR SIDE... writes THEMEDIR/SIDExSIDE/apps/NAME.png
int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: MakeIcons NAME THEMEDIR SIDE...\n");
        return 2;
    }
    const QString name = QString::fromLocal8Bit(argv[1]);
    const QDir theme(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const int side = QByteArray(argv[i]).toInt();
        if (side <= 0) {
            std::fprintf(stderr, "%s: not an icon size\n", argv[i]);
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(side);
        const QString path = theme.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!theme.mkpath(folder) || !AppIconImage(side).save(path, "PNG")) {
            std::fprintf(stderr, "%s: cannot be written\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
