// SPDX-License-Identifier: GPL-3.0-or-later
#include "LightPalette.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace {

const QColor ButtonFace(240, 240, 240);
const QColor Text(0, 0, 0);
const QColor GreyText(120, 120, 120);

} // namespace

QPalette LightPalette(const QColor &window)
{
    // Every role of every group is set, so nothing of the application's
    // palette shows through.
    QPalette palette(ButtonFace);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::WindowText, disabled ? GreyText : Text);
        palette.setColor(group, QPalette::Base, disabled ? ButtonFace : Qt::white);
        palette.setColor(group, QPalette::AlternateBase, QColor(245, 245, 245));
        palette.setColor(group, QPalette::Text, disabled ? GreyText : Text);
        palette.setColor(group, QPalette::PlaceholderText, GreyText);
        palette.setColor(group, QPalette::Button, ButtonFace);
        palette.setColor(group, QPalette::ButtonText, disabled ? GreyText : Text);
        palette.setColor(group, QPalette::BrightText, Qt::white);
        palette.setColor(group, QPalette::Light, Qt::white);
        palette.setColor(group, QPalette::Midlight, QColor(227, 227, 227));
        palette.setColor(group, QPalette::Mid, QColor(160, 160, 160));
        palette.setColor(group, QPalette::Dark, QColor(160, 160, 160));
        palette.setColor(group, QPalette::Shadow, QColor(105, 105, 105));
        palette.setColor(group, QPalette::Highlight, disabled ? QColor(200, 200, 200) : QColor(0, 120, 215));
        palette.setColor(group, QPalette::HighlightedText, disabled ? Text : QColor(Qt::white));
        palette.setColor(group, QPalette::Link, QColor(0, 0, 255));
        palette.setColor(group, QPalette::LinkVisited, QColor(128, 0, 128));
        palette.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 225));
        palette.setColor(group, QPalette::ToolTipText, Text);
    }
    return palette;
}

QColor LightButtonFace()
{
    return ButtonFace;
}

void UseLightPalette(QWidget *widget, const QColor &window)
{
    widget->setPalette(LightPalette(window));
}

void UseLightStyle(QWidget *widget)
{
    static QStyle *const style = [] {
        QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
        fusion->setParent(qApp);
        return fusion;
    }();
    widget->setStyle(style);
    for (QWidget *child : widget->findChildren<QWidget *>())
        child->setStyle(style);
}
