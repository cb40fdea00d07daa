// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// Every index into a fixed image is checked, in release builds too: a wrong
// index must fail loudly rather than touch the neighbouring field.
inline int CheckedIndex(int index, int count, const char *what)
{
    if (index < 0 || index >= count)
        throw std::out_of_range(std::string(what) + " index " + std::to_string(index) + " is out of range");
    return index;
}
