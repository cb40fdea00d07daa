// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fonts.h"

#include <QFont>

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(FormFontFace, QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(DrawingFontFace, QStringLiteral("Liberation Sans"));
}
