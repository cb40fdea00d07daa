// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageContext.h"
#include "PageForm.h"
#include "controls/PrintDialog.h"
#include "record/Conditions.h"

#include <QStringList>

#include <memory>

class QLabel;
class QPainter;
class QPushButton;
class QRect;
class TRotateLabel;
class TStringGrid;

// The scores page: Percent, RAU and WRAU of every test list of the client
// file, one table per measure and sentence set, one column per MDB and one
// row per SNR. It only reads the record, also when it prints the score
// report and the graph page.
class TfmScoresPrint : public TPageForm
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 1110;

    explicit TfmScoresPrint(TPageContext &context, QWidget *parent = nullptr);

    QLabel *Label1;
    TRotateLabel *RotateLabel1;
    TRotateLabel *RotateLabel2;
    // StringGrid1 .. StringGrid6: Percent, RAU, WRAU of H-Sentences are 1, 3
    // and 5, those of L-Sentences 2, 4 and 6.
    TStringGrid *StringGrid1;
    TStringGrid *StringGrid2;
    TStringGrid *StringGrid3;
    TStringGrid *StringGrid4;
    TStringGrid *StringGrid5;
    TStringGrid *StringGrid6;
    QPushButton *BackButton;
    QPushButton *PrintButton;
    QPushButton *ViewWRAUButton;
    std::unique_ptr<IPrintDialog> dgPrintDialog;

protected:
    void FormShow() override;

private:
    TStringGrid *AddGrid(int x, int y, const QString &name);
    void AddTableLabels(TStringGrid *grid);
    void FillGrids(Conditions::TTalker talker, TStringGrid *percent, TStringGrid *rau, TStringGrid *wrau);
    void StringGrid1DrawCell(TStringGrid &sender, QPainter &painter, int col, int row, const QRect &rect);
    void BackButtonClick();
    void PrintButtonClick();
    bool AgreeToReplace(const QStringList &files);
    void ViewWRAUButtonClick();

    TPageContext &m_context;
};
