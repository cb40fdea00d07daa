// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// The logo, title and credit lines the splash screen and the About box share.
struct TCreditsLayout
{
    int ImageX, ImageY, ImageWidth, ImageHeight;
    int TitleX, TitleY;
    // The credit lines are centred under the title.
    int LineY[6];
};

void AddCredits(QWidget *form, const TCreditsLayout &layout);
