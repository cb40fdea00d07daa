#include "Page3.h"

#include "PageStyle.h"

#include <QLabel>
#include <QPushButton>

using namespace PageStyle;

TfmVEKTest::TfmVEKTest(TPageContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    SetUpPage(this, QColor(208, 224, 239));
    resize(630, 326);
    SetPointSize(AddLabel(this, QStringLiteral("VEK Test"), 16, 10), 12);
    auto *note = AddLabel(this, QStringLiteral("Giving the test from this page comes with the next version of AVEK."), 16, 48);
    note->resize(590, 16);
    QPushButton *abort = AddButton(this, QStringLiteral("&Abort"), 539, 286);
    connect(abort, &QPushButton::clicked, this, [this] { m_context.Post(WM_SHOWCONDITIONS); });
}
