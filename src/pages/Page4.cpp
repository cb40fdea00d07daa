// SPDX-License-Identifier: GPL-3.0-or-later
#include "Page4.h"
#include "drawing/Fonts.h"

#include "PageStyle.h"
#include "ReportPrintJob.h"
#include "administration/ScoreCheck.h"
#include "TableHeaders.h"
#include "drawing/ScoreReport.h"
#include "drawing/WrauGraphDrawing.h"
#include "controls/RotateLabel.h"
#include "controls/StringGrid.h"
#include "controls/SystemPrintDialog.h"
#include "record/Conditions.h"
#include "record/ScoreFormat.h"

#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

using namespace PageStyle;

namespace {

const QColor PageColour(255, 255, 176);


QLabel *AddHeading(QWidget *parent, const QString &text, int x, int y)
{
    QLabel *label = AddLabel(parent, text, x, y);
    QFont font = label->font();
    font.setPixelSize(13);
    font.setBold(true);
    label->setFont(font);
    label->adjustSize();
    return label;
}

TRotateLabel *AddSentencesLabel(QWidget *parent, const QString &caption, int x, int y)
{
    auto *label = new TRotateLabel(parent);
    QFont font(DrawingFontFace);
    font.setPixelSize(16);
    label->setFont(font);
    label->SetTextStyle(TRotateLabel::tsNone);
    label->SetEscapement(90);
    label->SetTransparent(true);
    label->SetCaption(caption);
    label->move(x, y);
    return label;
}

} // namespace

TfmScoresPrint::TfmScoresPrint(TPageContext &context, QWidget *parent)
    : TPageForm(parent), dgPrintDialog(std::make_unique<TSystemPrintDialog>(this)),
      m_context(context)
{
    setWindowTitle(QStringLiteral("Scores/Print"));
    SetUpPage(this, PageColour);
    resize(633, 348);

    // Created first: the first button in the tab order.
    BackButton = AddButton(this, QStringLiteral("&Select Test Conditions"), 16, 300, 150, 25);
    PrintButton = AddButton(this, QStringLiteral("&Print Scores"), 336, 300, 120, 25);
    ViewWRAUButton = AddButton(this, QStringLiteral("&View WRAU Graphs"), 472, 300, 145, 25);
    PrintButton->setDefault(true);
    ViewWRAUButton->setDefault(true);
    connect(BackButton, &QPushButton::clicked, this, &TfmScoresPrint::BackButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TfmScoresPrint::PrintButtonClick);
    connect(ViewWRAUButton, &QPushButton::clicked, this, &TfmScoresPrint::ViewWRAUButtonClick);

    Label1 = AddLabel(this, QStringLiteral("Scores"), 12, 8);
    QFont titleFont = Label1->font();
    titleFont.setPixelSize(16);
    Label1->setFont(titleFont);
    Label1->adjustSize();

    const char *const headings[] = {"Percent", "RAU", "WRAU"};
    const int headingX[] = {71, 264, 457};
    for (int i = 0; i < 3; ++i) {
        QLabel *heading = AddHeading(this, QLatin1String(headings[i]), 0, 30);
        heading->move(headingX[i] + (169 - heading->width()) / 2, 30);
        QLabel *block = AddLabel(this, QStringLiteral("Modified Dual Block"), 0, 46);
        block->move(headingX[i] + (169 - block->width()) / 2, 46);
    }

    RotateLabel1 = AddSentencesLabel(this, QStringLiteral("H-Sentences"), 18, 80);
    RotateLabel2 = AddSentencesLabel(this, QStringLiteral("L-Sentences"), 18, 194);

    StringGrid1 = AddGrid(71, 82, QStringLiteral("H-Sentences Percent"));
    StringGrid3 = AddGrid(264, 82, QStringLiteral("H-Sentences RAU"));
    StringGrid5 = AddGrid(457, 82, QStringLiteral("H-Sentences WRAU"));
    StringGrid2 = AddGrid(73, 195, QStringLiteral("L-Sentences Percent"));
    StringGrid4 = AddGrid(264, 196, QStringLiteral("L-Sentences RAU"));
    StringGrid6 = AddGrid(457, 196, QStringLiteral("L-Sentences WRAU"));
}

TStringGrid *TfmScoresPrint::AddGrid(int x, int y, const QString &name)
{
    auto *grid = new TStringGrid(4, 4, 40, 18, this);
    grid->setGeometry(x, y, 169, 79);
    grid->AccessibleTable.Name = name;
    grid->AccessibleTable.RowHeaders = SnrHeaders();
    grid->AccessibleTable.ColumnHeaders = MdbHeaders();
    // Display only, yet reached by Tab, so that a screen reader can read it.
    grid->OnDrawCell = [this](TStringGrid &sender, QPainter &painter, int col, int row, const QRect &rect) {
        StringGrid1DrawCell(sender, painter, col, row, rect);
    };
    AddTableLabels(grid);
    return grid;
}

// The MDB numbers above a table, and "SNR" with the four SNRs to its left.
void TfmScoresPrint::AddTableLabels(TStringGrid *grid)
{
    const QPoint topLeft = grid->pos();
    AddLabel(this, QStringLiteral("1             2           3            4"), topLeft.x() + 17, topLeft.y() - 16);
    AddLabel(this, QStringLiteral("SNR"), topLeft.x() - 27, topLeft.y() - 16);
    for (int r = 0; r < Conditions::PerTalker; ++r) {
        const QRect cell = grid->CellRect(0, r);
        QLabel *label = AddLabel(this, QString::number(Conditions::SnrDb[r]), topLeft.x() - 24, topLeft.y() + cell.top());
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->resize(20, cell.height());
    }
}

void TfmScoresPrint::FormShow()
{
    FillGrids(Conditions::TTalker::High, StringGrid1, StringGrid3, StringGrid5);
    FillGrids(Conditions::TTalker::Low, StringGrid2, StringGrid4, StringGrid6);
    PrintButton->setFocus();
}

// Every cell is written, so nothing of an earlier client file survives. Only
// the proportion says whether a list was scored.
void TfmScoresPrint::FillGrids(Conditions::TTalker talker, TStringGrid *percent, TStringGrid *rau, TStringGrid *wrau)
{
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        const TConstMdbBlock block = m_context.Record.Mdb(m);
        for (int r = 0; r < Conditions::PerTalker; ++r) {
            const int slot = Conditions::TestSlot(talker, r);
            const bool scored = ScoreCheck::IsScored(block, slot);
            const auto text = [&](ScoreCheck::TMeasure measure) {
                return scored ? ScoreCheck::Text(block, m, slot, measure, ScreenScore) : QString();
            };
            percent->SetCells(m, r, text(ScoreCheck::TMeasure::Proportion));
            rau->SetCells(m, r, text(ScoreCheck::TMeasure::Rau));
            wrau->SetCells(m, r, text(ScoreCheck::TMeasure::Wrau));
        }
    }
}

// Shared by all six grids, which only differ in the texts they hold.
void TfmScoresPrint::StringGrid1DrawCell(TStringGrid &sender, QPainter &painter, int col, int row, const QRect &rect)
{
    painter.fillRect(rect, Qt::white);
    painter.setFont(sender.font());
    painter.setPen(sender.palette().color(QPalette::Active, QPalette::WindowText));
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop, sender.Cells(col, row));
}

void TfmScoresPrint::BackButtonClick()
{
    m_context.Post(WM_SHOWCONDITIONS);
}

void TfmScoresPrint::PrintButtonClick()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!dgPrintDialog->Execute(printer))
        return;
    if (!AgreeToReplace(NumberedFilesToReplace(printer)))
        return;
    const TScoreReport report(m_context.Record, m_context.State.ShortFileName, QDate::currentDate());
    const TWrauGraphDrawing graph(m_context.Record, PrintedGraphStyle);
    const TPrintResult result = PrintReportCopies(printer, report, graph);
    if (!result.Status)
        m_context.Prompts.ShowError(result.Status.message());
    else if (!result.Waiting.isEmpty())
        m_context.Prompts.ShowMessage(result.Waiting);
}

// The print dialog asks before replacing the file it names; the documents
// after the first go to numbered files beside it, which deserve the same.
bool TfmScoresPrint::AgreeToReplace(const QStringList &files)
{
    if (files.isEmpty())
        return true;
    if (files.size() == 1)
        return m_context.Prompts.AskYesNo(QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(files[0]));
    return m_context.Prompts.AskYesNo(
        QStringLiteral("These files already exist:\n%1\nDo you want to replace them?").arg(files.join(u'\n')));
}

void TfmScoresPrint::ViewWRAUButtonClick()
{
    m_context.Post(WM_SHOWGRAPH);
}
