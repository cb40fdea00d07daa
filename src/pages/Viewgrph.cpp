// SPDX-License-Identifier: GPL-3.0-or-later
#include "Viewgrph.h"

#include "PageStyle.h"
#include "TableHeaders.h"
#include "administration/ScoreCheck.h"
#include "drawing/Canvas.h"
#include "controls/PaintBox.h"
#include "record/Conditions.h"
#include "record/ScoreFormat.h"

#include <QFontInfo>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

using namespace PageStyle;

TfmViewGraph::TfmViewGraph(TPageContext &context, QWidget *parent)
    : TPageForm(parent), m_context(context), m_graph(context.Record, ScreenGraphStyle)
{
    SetUpPage(this, Qt::white);
    resize(573, 361);

    PaintBox1 = new TPaintBox(this);
    PaintBox1->setGeometry(rect());
    PaintBox1->OnPaint = [this](QPainter &painter) { PaintBox1Paint(painter); };
    PaintBox1->setAccessibleName(QStringLiteral("WRAU graphs"));
    AddAccessibleTables();

    // Created after the paint box, so it stays on top of the picture; it
    // keeps its place when the page is resized.
    ViewScoresButton = AddButton(this, QStringLiteral("View Scores"), 273, 291, 85, 35);
    connect(ViewScoresButton, &QPushButton::clicked, this, &TfmViewGraph::ViewScoresButtonClick);
}

// The graphs' values and the SNR-50 table for a screen reader, read from the
// record as the picture is.
void TfmViewGraph::AddAccessibleTables()
{
    const TClientRecord &record = m_context.Record;
    const QStringList series{QStringLiteral("h-sens"), QStringLiteral("l-sens")};
    QStringList snrs = SnrHeaders();
    std::reverse(snrs.begin(), snrs.end()); // the graphs run from 0 dB up
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        const auto wrau = [&record, m](int row, int column) {
            const int slot = Conditions::TestSlot(Conditions::Talkers[row], Conditions::RowOfColumn(column + 1));
            const TConstMdbBlock block = record.Mdb(m);
            if (block.Wrau(slot) == NoScore)
                return QString();
            return ScoreCheck::Text(block, m, slot, ScoreCheck::TMeasure::Wrau, ScreenScore);
        };
        PaintBox1->AccessibleTables.push_back({QStringLiteral("MDB %1 WRAU").arg(m + 1), series, snrs, wrau, {}, {}});
    }
    const auto snr50 = [&record](int row, int column) {
        const TConstMdbBlock block = record.Mdb(row);
        return Snr50Text(column == 0 ? block.Snr50High() : block.Snr50Low());
    };
    PaintBox1->AccessibleTables.push_back({QStringLiteral("SNR-50"), MdbHeaders(), series, snr50, {}, {}});
}

void TfmViewGraph::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    PaintBox1->setGeometry(rect());
}

void TfmViewGraph::FormShow()
{
    ViewScoresButton->setFocus();
}

void TfmViewGraph::PaintBox1Paint(QPainter &painter)
{
    // The surface's own font and text colour, which the first graph's axis
    // labels are written in.
    const QFont font = PaintBox1->font();
    const TCanvasFont surfaceFont{font.family(), QFontInfo(font).pixelSize(), 0,
                                  PaintBox1->palette().color(QPalette::Active, QPalette::WindowText)};
    TCanvas canvas(painter, PaintBox1->size(), surfaceFont);
    m_graph.Paint(canvas);
}

void TfmViewGraph::ViewScoresButtonClick()
{
    m_context.Post(WM_SHOWSCORES);
}
