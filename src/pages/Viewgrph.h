// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageContext.h"
#include "PageForm.h"
#include "drawing/WrauGraphDrawing.h"

class QPainter;
class QPushButton;
class TPaintBox;

// The WRAU graph page: the weighted scores of all four MDBs, drawn afresh
// from the record on every paint.
class TfmViewGraph : public TPageForm
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 1120;

    explicit TfmViewGraph(TPageContext &context, QWidget *parent = nullptr);

    // The picture, with this page's plot rectangle and SNR-50 texts.
    const TWrauGraphDrawing &Graph() const { return m_graph; }

    TPaintBox *PaintBox1;
    QPushButton *ViewScoresButton;

protected:
    void FormShow() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void AddAccessibleTables();
    void PaintBox1Paint(QPainter &painter);
    void ViewScoresButtonClick();

    TPageContext &m_context;
    TWrauGraphDrawing m_graph;
};
