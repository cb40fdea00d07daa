// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/PrintDialog.h"

#include <QPrinter>
#include <QString>

#include <functional>

// Answers the print dialog from a script: either cancels, or prints the
// asked number of copies to a printer of the print system or, without one,
// to a PDF file.
class TScriptedPrintDialog : public IPrintDialog
{
public:
    bool Cancel = false;
    int Copies = 1;
    QString PrinterName;
    QString OutputFile;
    // Runs as the dialog closes, e.g. to change the world behind its back.
    std::function<void()> OnAccept;
    int TimesShown = 0;

    bool Execute(QPrinter &printer) override
    {
        ++TimesShown;
        if (Cancel)
            return false;
        if (PrinterName.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(OutputFile);
        } else {
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(PrinterName);
        }
        printer.setCopyCount(Copies);
        if (OnAccept)
            OnAccept();
        return true;
    }
};
