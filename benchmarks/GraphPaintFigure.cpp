// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphPaintFigure.h"

#include "ScoredRecord.h"

#include "drawing/Canvas.h"
#include "drawing/WrauGraphDrawing.h"
#include "record/ClientRecord.h"

#include <QImage>
#include <QPainter>

TBenchmarkFigure MeasureGraphPaint(int runs)
{
    const TClientRecord record = ScoredRecord();
    TWrauGraphDrawing graph(record, ScreenGraphStyle);
    QImage image(573, 361, QImage::Format_RGB32);
    const TCanvasFont surfaceFont{QStringLiteral("MS Sans Serif"), 11, 0, Qt::black};
    const auto paint = [&] {
        image.fill(Qt::white);
        QPainter painter(&image);
        TCanvas canvas(painter, image.size(), surfaceFont);
        graph.Paint(canvas);
    };
    // The first paint loads fonts and glyphs, which a page shown once has done.
    paint();
    return Held(Figure(QStringLiteral("One paint of the WRAU graph page"), TimeRuns(runs, paint), QStringLiteral("ms")),
                1);
}
