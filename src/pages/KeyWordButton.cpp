// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyWordButton.h"

#include "MarkStyle.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A key-word button is a button to an assistive tool: named by its word and
// mark, and pressed as a left click marks it.
class TAccessibleKeyWordButton : public QAccessibleWidget
{
public:
    explicit TAccessibleKeyWordButton(TKeyWordButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction() && widget()->isEnabled())
            emit static_cast<TKeyWordButton *>(widget())->Released(TMarkButton::Left);
    }
};

QAccessibleInterface *KeyWordButtonAccessible(const QString &, QObject *object)
{
    auto *button = qobject_cast<TKeyWordButton *>(object);
    return button ? new TAccessibleKeyWordButton(button) : nullptr;
}

} // namespace

TKeyWordButton::TKeyWordButton(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    // Focused when marked, so that a screen reader says the new mark.
    setFocusPolicy(Qt::ClickFocus);
    QAccessible::installFactory(KeyWordButtonAccessible);
}

void TKeyWordButton::SetCaption(const QString &caption)
{
    m_caption = caption;
    NameForScreenReaders();
}

void TKeyWordButton::NameForScreenReaders()
{
    setAccessibleName(m_caption.trimmed() + QStringLiteral(", ") + MarkStyle::Name(m_mark));
}

void TKeyWordButton::SetMark(TWordMark mark)
{
    if (mark == m_mark)
        return;
    m_mark = mark;
    NameForScreenReaders();
    update();
}

void TKeyWordButton::SetSentence(const QString &text, QPoint labelOrigin)
{
    m_sentence = text;
    m_labelOrigin = labelOrigin;
    update();
}

void TKeyWordButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    // Drawing the whole sentence as its label does, shifted and clipped to
    // this button, puts the key word's glyphs exactly over the grey ones,
    // kerning and fractional advances included; the button's few pixels
    // beyond the word hold only blanks.
    painter.setPen(MarkStyle::Colour(m_mark));
    painter.drawText(QRect(m_labelOrigin, QSize(10000, height())), Qt::AlignLeft | Qt::AlignTop, m_sentence);
    // The word itself starts where the page put the button's left edge plus
    // the three pixels of the blank before it.
    const QFontMetrics metrics(font());
    const int left = 3;
    MarkStyle::DrawLine(painter, left, left + metrics.horizontalAdvance(m_caption.trimmed()),
                        m_labelOrigin.y() + metrics.ascent(), m_mark);
}

void TKeyWordButton::mousePressEvent(QMouseEvent *event)
{
    // Accepting the press makes the release come here.
    event->accept();
}

void TKeyWordButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!rect().contains(event->position().toPoint()))
        return;
    switch (event->button()) {
    case Qt::LeftButton:
        emit Released(TMarkButton::Left);
        break;
    case Qt::RightButton:
        emit Released(TMarkButton::Right);
        break;
    default:
        emit Released(TMarkButton::Other);
        break;
    }
}
