#pragma once

class QWidget;

// The logo, title and credit lines the splash screen and the About box share.
struct TCreditsLayout
{
    int ImageX, ImageY, ImageWidth, ImageHeight;
    int TitleX, TitleY;
    int LineX[6], LineY[6];
};

void AddCredits(QWidget *form, const TCreditsLayout &layout);
