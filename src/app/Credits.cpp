// SPDX-License-Identifier: GPL-3.0-or-later
#include "Credits.h"
#include "drawing/Fonts.h"

#include "LogoImage.h"

#include <QLabel>
#include <QPixmap>

namespace {

const char *const Title = "AVEK  -  Key Words in Noise";

const char *const Lines[6] = {
    "Sentence test in noise with five key words per sentence",
    "Software by the AVEK developers",
    "Made for audiology clinics and laboratories",
    "Scored in proportion, RAU and weighted RAU",
    "with an SNR-50 from each talker's four lists",
    "Demonstration material is not a clinical test",
};

QLabel *AddText(QWidget *form, const char *text, int pixels, int x, int y)
{
    auto *label = new QLabel(QLatin1String(text), form);
    QFont font(FormFontFace);
    font.setPixelSize(pixels);
    label->setFont(font);
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

void AddCredits(QWidget *form, const TCreditsLayout &layout)
{
    auto *image = new QLabel(form);
    image->setGeometry(layout.ImageX, layout.ImageY, layout.ImageWidth, layout.ImageHeight);
    image->setScaledContents(true);
    image->setAlignment(Qt::AlignCenter);
    if (const QImage logo = LogoImage(); !logo.isNull())
        image->setPixmap(QPixmap::fromImage(logo));
    AddText(form, Title, 24, layout.TitleX, layout.TitleY);
    for (int i = 0; i < 6; ++i) {
        QLabel *line = AddText(form, Lines[i], 13, layout.TitleX, layout.LineY[i]);
        line->resize(form->width() - layout.TitleX - 12, line->height());
        line->setAlignment(Qt::AlignHCenter);
    }
}
