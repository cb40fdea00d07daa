#include "Viewgrph.h"

#include "PageStyle.h"
#include "drawing/Canvas.h"
#include "controls/PaintBox.h"

#include <QFontInfo>
#include <QPainter>
#include <QPushButton>

using namespace PageStyle;

TfmViewGraph::TfmViewGraph(TPageContext &context, QWidget *parent)
    : TPageForm(parent), m_context(context), m_graph(context.Record, ScreenGraphStyle)
{
    SetUpPage(this, Qt::white);
    resize(573, 361);

    PaintBox1 = new TPaintBox(this);
    PaintBox1->setGeometry(rect());
    PaintBox1->OnPaint = [this](QPainter &painter) { PaintBox1Paint(painter); };

    // Created after the paint box, so it stays on top of the picture; it
    // keeps its place when the page is resized.
    ViewScoresButton = AddButton(this, QStringLiteral("View Scores"), 273, 291, 85, 35);
    connect(ViewScoresButton, &QPushButton::clicked, this, &TfmViewGraph::ViewScoresButtonClick);
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
