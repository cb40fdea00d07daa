// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

// The colours the forms were laid out for: black text on white boxes and
// light buttons, whatever the desktop's theme. A page's pastel background
// with the text colour of a dark theme would be white on white, so a page
// never takes a colour from the theme.
QPalette LightPalette(const QColor &window);

// The face of the light palette's buttons.
QColor LightButtonFace();

// Gives the widget, and so everything inside it, the light palette.
void UseLightPalette(QWidget *widget, const QColor &window);
