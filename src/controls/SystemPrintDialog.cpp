// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemPrintDialog.h"

#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>

namespace {

// Where Qt's print engine keeps the print system's job options of the
// printer, as pairs of name and value.
constexpr auto CupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Each document of the report is one page that fills its sheet: a page
// range or page set would leave it out, and more pages per sheet would
// shrink it.
bool SelectsPages(const QString &option)
{
    static const QStringList options{QStringLiteral("page-ranges"), QStringLiteral("page-set"),
                                     QStringLiteral("number-up"), QStringLiteral("number-up-layout")};
    return options.contains(option);
}

// Qt's print dialog without its page selection, which even with page ranges
// switched off offers the print system's own ranges and odd or even pages.
class TReportPrintDialog : public QPrintDialog
{
public:
    using QPrintDialog::QPrintDialog;

    void setVisible(bool visible) override
    {
        QPrintDialog::setVisible(visible);
        if (!visible)
            return;
        for (const char *name : {"gbPrintRange", "pageSetLabel", "pageSetCombo"}) {
            if (QWidget *widget = findChild<QWidget *>(QLatin1String(name)))
                widget->hide();
        }
    }
};

void DropPageSelection(QPrinter &printer)
{
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    const QStringList options = printer.printEngine()->property(CupsOptions).toStringList();
    QStringList kept;
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (!SelectsPages(options[i]))
            kept << options[i] << options[i + 1];
    }
    if (kept != options)
        printer.printEngine()->setProperty(CupsOptions, kept);
}

} // namespace

bool TSystemPrintDialog::Execute(QPrinter &printer)
{
    TReportPrintDialog dialog(&printer, m_parent);
    // Printer, paper and copies; the job sets each document's orientation.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    DropPageSelection(printer);
    return true;
}
