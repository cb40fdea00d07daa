#pragma once

#include "PageContext.h"

#include <QWidget>

// The test administration page. The run itself (playing, marking and scoring
// the lists) is not in this version yet; the page says so.
class TfmVEKTest : public QWidget
{
    Q_OBJECT

public:
    explicit TfmVEKTest(TPageContext &context, QWidget *parent = nullptr);

private:
    TPageContext &m_context;
};
