// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The faces the forms and the drawings are laid out for. Both resolve to
// Liberation Sans, whose metrics match Arial's, so that texts fit as designed.
inline const QString FormFontFace = QStringLiteral("MS Sans Serif");
inline const QString DrawingFontFace = QStringLiteral("Arial");

void InstallFontSubstitutions();
