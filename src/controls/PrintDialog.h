// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPrinter;

// The print dialog behind an interface, so that a test can choose the
// printer, its output file and the copies from a script.
class IPrintDialog
{
public:
    virtual ~IPrintDialog() = default;

    // Sets the printer up as the user chooses; false when the user cancels.
    virtual bool Execute(QPrinter &printer) = 0;
};
