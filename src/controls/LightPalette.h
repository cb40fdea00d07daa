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

// Draws the widget and everything now inside it with a style that paints
// by the palette: some desktop styles paint buttons and boxes in their own
// dark colours, which under the light palette's black text leaves a button
// near-black on dark grey and an enabled one looking like a disabled one.
void UseLightStyle(QWidget *widget);
