// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfTools.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QRegularExpression>

namespace {

QString Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString Field(const QString &info, const QString &name)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(name), QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

} // namespace

TPdfInfo ReadPdfInfo(const QString &fileName, int page)
{
    const QString number = QString::number(page);
    const QString info = Run(QStringLiteral(PDFINFO), {QStringLiteral("-f"), number, QStringLiteral("-l"), number, fileName});
    TPdfInfo result;
    result.Title = Field(info, QStringLiteral("Title"));
    result.Pages = Field(info, QStringLiteral("Pages")).toInt();
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("^Page\\s+%1 size:\\s*([\\d.]+) x ([\\d.]+) pts").arg(page),
                           QRegularExpression::MultilineOption)
            .match(info);
    result.PageSize = QSize(qRound(size.captured(1).toDouble()), qRound(size.captured(2).toDouble()));
    return result;
}

QString ReadPdfText(const QString &fileName)
{
    return Run(QStringLiteral(PDFTOTEXT), {QStringLiteral("-layout"), fileName, QStringLiteral("-")});
}

QImage RenderPdfPage(const QString &fileName, int dotsPerInch, int page)
{
    QTemporaryDir folder;
    const QString number = QString::number(page);
    const QString prefix = folder.filePath(QStringLiteral("page"));
    Run(QStringLiteral(PDFTOPPM), {QStringLiteral("-r"), QString::number(dotsPerInch), QStringLiteral("-f"), number,
                                   QStringLiteral("-l"), number, QStringLiteral("-singlefile"), QStringLiteral("-png"),
                                   QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
                                   QStringLiteral("no"), fileName, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}
