// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The look the forms share: their fonts, colours and absolute layout.
namespace PageStyle {

// "MS Sans Serif" 8 pt, the forms' own font, and the light palette with the
// page's background colour.
void SetUpPage(QWidget *page, const QColor &background);
void SetBackground(QWidget *widget, const QColor &colour);
void SetPointSize(QWidget *widget, int points);

QLabel *AddLabel(QWidget *parent, const QString &text, int x, int y);
QLineEdit *AddEdit(QWidget *parent, int maxLength, int x, int y, int width);
QPushButton *AddButton(QWidget *parent, const QString &text, int x, int y, int width = 75, int height = 25);

} // namespace PageStyle

// "Last, First" as the set-up pages show the client: the comma only after a
// last name.
class TClientRecord;
QString ClientNameText(const TClientRecord &record);
