// SPDX-License-Identifier: GPL-3.0-or-later
#include "About.h"
#include "drawing/Fonts.h"

#include "Credits.h"

#include <QLabel>
#include <QPushButton>

namespace {

QLabel *AddWrapped(QWidget *form, const QString &text, int pixels, const QRect &geometry)
{
    auto *label = new QLabel(text, form);
    QFont font(FormFontFace);
    font.setPixelSize(pixels);
    label->setFont(font);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

TfmAboutScreen::TfmAboutScreen(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(576, 311);
    AddCredits(this, {10, 25, 132, 127, 153, 13, {46, 66, 85, 111, 132, 152}});
    AddWrapped(this,
               QStringLiteral("With thanks to the clinicians and listeners whose comments shaped AVEK."), 13,
               QRect(123, 185, 330, 37));
    AddWrapped(this, QStringLiteral("AVEK beta, version " AVEK_VERSION "\nThe demonstration disc is not a clinical test."), 11,
               QRect(153, 234, 270, 26));
    auto *ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setGeometry(250, 272, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
