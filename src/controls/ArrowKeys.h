// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

// Moves a cell position one step by an arrow key, as every grid of the
// program is walked; false for any other key.
inline bool StepByArrow(int key, int &row, int &column)
{
    switch (key) {
    case Qt::Key_Left:
        --column;
        return true;
    case Qt::Key_Right:
        ++column;
        return true;
    case Qt::Key_Up:
        --row;
        return true;
    case Qt::Key_Down:
        ++row;
        return true;
    default:
        return false;
    }
}
