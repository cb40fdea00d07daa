// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageStyle.h"
#include "drawing/Fonts.h"

#include "controls/CodePageValidator.h"
#include "controls/LightPalette.h"
#include "record/ClientRecord.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace PageStyle {

void SetUpPage(QWidget *page, const QColor &background)
{
    QFont font(FormFontFace);
    font.setPixelSize(11);
    page->setFont(font);
    UseLightPalette(page, background);
    page->setAutoFillBackground(true);
}

void SetBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    // A button would fill itself with its Button colour instead.
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

void SetPointSize(QWidget *widget, int points)
{
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
    widget->adjustSize();
}

QLabel *AddLabel(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLineEdit *AddEdit(QWidget *parent, int maxLength, int x, int y, int width)
{
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    edit->setValidator(new TCodePageValidator(edit));
    edit->setGeometry(x, y, width, 21);
    return edit;
}

QPushButton *AddButton(QWidget *parent, const QString &text, int x, int y, int width, int height)
{
    auto *button = new QPushButton(text, parent);
    button->setGeometry(x, y, width, height);
    // Enter presses the focused button, as Space does, also outside dialogs.
    button->setAutoDefault(true);
    return button;
}

} // namespace PageStyle

QString ClientNameText(const TClientRecord &record)
{
    QString name = record.LastName();
    if (!name.isEmpty())
        name += QStringLiteral(", ");
    return name + record.FirstName();
}
