// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// A rectangle as fractions of the surface's width and height.
struct TFractionRect
{
    double Left;
    double Right;
    double Top;
    double Bottom;
};

// A length that is either a fixed number of pixels or a multiple of the text
// height, so that a printer page keeps the screen's proportions at any
// resolution.
struct TTextScaled
{
    int Pixels;
    double TextHeights;

    int Of(int textHeight) const { return Pixels + static_cast<int>(TextHeights * textHeight); }
};

// Everything in which the graph page on screen and the printed graph page
// differ; the drawing itself is the same.
struct TWrauGraphStyle
{
    std::array<TFractionRect, 4> Graphs; // MDB 1 .. 4
    TFractionRect Legend;
    TFractionRect Snr50Table;
    int FontPoints;
    // Between the graph title's top and the frame's top.
    TTextScaled TitleGap;
    // Half the width of a diamond or square marker.
    TTextScaled MarkerHalfSize;

    // The legend's entries, from its left edge: the marker's centre, the
    // line's two ends and the text.
    int LegendMarkerX;
    int LegendLineLeft;
    int LegendLineRight;
    int LegendTextX;
    // From its top edge: each entry's line and its text.
    std::array<TTextScaled, 2> LegendLineY;
    std::array<TTextScaled, 2> LegendTextY;
};

inline constexpr TWrauGraphStyle ScreenGraphStyle{
    .Graphs = {{
        {0.10, 0.38, 0.05, 0.44},
        {0.66, 0.94, 0.05, 0.44},
        {0.10, 0.38, 0.54, 0.93},
        {0.66, 0.94, 0.54, 0.93},
    }},
    .Legend = {0.43, 0.57, 0.05, 0.15},
    .Snr50Table = {0.41, 0.60, 0.30, 0.56},
    .FontPoints = 8,
    .TitleGap = {15, 0.0},
    .MarkerHalfSize = {3, 0.0},
    .LegendMarkerX = 20,
    .LegendLineLeft = 5,
    .LegendLineRight = 35,
    .LegendTextX = 40,
    .LegendLineY = {{{10, 0.0}, {25, 0.0}}},
    .LegendTextY = {{{3, 0.0}, {18, 0.0}}},
};

// The landscape printer page: the top fifth is left to the page header, and
// the sizes that are fixed pixels on screen follow the printer's text height
// except the legend's offsets, which are printer pixels.
inline constexpr TWrauGraphStyle PrintedGraphStyle{
    .Graphs = {{
        {0.10, 0.33, 0.20, 0.49},
        {0.66, 0.89, 0.20, 0.49},
        {0.10, 0.33, 0.64, 0.93},
        {0.66, 0.89, 0.64, 0.93},
    }},
    .Legend = {0.43, 0.57, 0.20, 0.27},
    .Snr50Table = {0.39, 0.58, 0.46, 0.66},
    .FontPoints = 12,
    .TitleGap = {0, 1.1},
    .MarkerHalfSize = {0, 0.3},
    .LegendMarkerX = 75,
    .LegendLineLeft = 10,
    .LegendLineRight = 140,
    .LegendTextX = 160,
    .LegendLineY = {{{0, 0.7}, {0, 2.0}}},
    .LegendTextY = {{{0, 0.2}, {0, 1.5}}},
};
