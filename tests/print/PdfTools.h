// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// A PDF file as poppler-utils read it.
struct TPdfInfo
{
    QString Title;
    int Pages = 0;
    // In points, as the page box says.
    QSize PageSize;

    bool Landscape() const { return PageSize.width() > PageSize.height(); }
};

// The title, the page count, and the size of the page asked for.
TPdfInfo ReadPdfInfo(const QString &fileName, int page = 1);
// The text with its layout kept, so that what stands on one printed line
// comes out on one line.
QString ReadPdfText(const QString &fileName);
// One page rendered at the resolution given, crisp, without smoothing.
QImage RenderPdfPage(const QString &fileName, int dotsPerInch, int page = 1);
