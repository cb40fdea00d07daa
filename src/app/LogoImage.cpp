// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogoImage.h"

#include <QFile>

QImage LogoImage()
{
    QFile file(QStringLiteral(":/logo.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    return DecodeJpeg(file.readAll());
}
