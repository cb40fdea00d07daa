// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageFixture.h"
#include "PdfTools.h"
#include "QtPrint.h"
#include "pages/ReportPrintJob.h"
#include "drawing/ScoreReport.h"
#include "drawing/WrauGraphDrawing.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

// A client file printed to PDF files in a folder of its own.
class PrintFixture : public PageFixture
{
protected:
    QString OutputFile() const { return dir.filePath(QStringLiteral("report.pdf")); }

    // The files the documents of one job went to, in the order printed.
    QStringList DocumentFiles() const
    {
        QStringList files;
        for (int n = 1; QFileInfo::exists(DocumentFile(n)); ++n)
            files << DocumentFile(n);
        return files;
    }

    // One copy printed on the date given: the score report's text, then the
    // graph page's.
    QStringList PrintedTexts(const QDate &printed = QDate(2024, 5, 17))
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(OutputFile());
        const TScoreReport report(record, state.ShortFileName, printed);
        TWrauGraphDrawing graph(record, PrintedGraphStyle);
        const TStatus status = PrintReportCopies(printer, report, graph).Status;
        EXPECT_TRUE(status.ok()) << status.message().toStdString();
        QStringList texts;
        for (const QString &file : DocumentFiles())
            texts << ReadPdfText(file);
        return texts;
    }

    QTemporaryDir dir;

private:
    QString DocumentFile(int n) const
    {
        return n == 1 ? OutputFile() : dir.filePath(QStringLiteral("report-%1.pdf").arg(n));
    }
};
