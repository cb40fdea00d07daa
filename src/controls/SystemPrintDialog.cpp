#include "SystemPrintDialog.h"

#include <QPrintDialog>

bool TSystemPrintDialog::Execute(QPrinter &printer)
{
    QPrintDialog dialog(&printer, m_parent);
    return dialog.exec() == QDialog::Accepted;
}
