#pragma once

#include "controls/PrintDialog.h"

#include <QPrinter>
#include <QString>

// Answers the print dialog from a script: either cancels, or prints the
// asked number of copies to a PDF file.
class TScriptedPrintDialog : public IPrintDialog
{
public:
    bool Cancel = false;
    int Copies = 1;
    QString OutputFile;
    int TimesShown = 0;

    bool Execute(QPrinter &printer) override
    {
        ++TimesShown;
        if (Cancel)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(OutputFile);
        printer.setCopyCount(Copies);
        return true;
    }
};
