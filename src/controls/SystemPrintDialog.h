// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PrintDialog.h"

class QWidget;

// The platform's print dialog: every printer the system knows, and printing
// to a PDF file.
class TSystemPrintDialog : public IPrintDialog
{
public:
    explicit TSystemPrintDialog(QWidget *parent) : m_parent(parent) {}

    bool Execute(QPrinter &printer) override;

private:
    QWidget *m_parent;
};
