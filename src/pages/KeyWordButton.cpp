#include "KeyWordButton.h"

#include <QMouseEvent>
#include <QPainter>

TKeyWordButton::TKeyWordButton(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TKeyWordButton::SetMark(TWordMark mark)
{
    if (mark == m_mark)
        return;
    m_mark = mark;
    update();
}

void TKeyWordButton::SetSentence(const QString &text, QPoint labelOrigin)
{
    m_sentence = text;
    m_labelOrigin = labelOrigin;
    update();
}

QColor TKeyWordButton::MarkColour(TWordMark mark)
{
    switch (mark) {
    case TWordMark::Wrong:
        return QColor(255, 0, 0);
    case TWordMark::Correct:
        return QColor(0, 128, 0);
    case TWordMark::HalfCorrect:
        return QColor(255, 255, 0);
    case TWordMark::NotPlayed:
        break;
    }
    return QColor(0, 0, 0);
}

void TKeyWordButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    // Drawing the whole sentence as its label does, shifted and clipped to
    // this button, puts the key word's glyphs exactly over the grey ones,
    // kerning and fractional advances included; the button's few pixels
    // beyond the word hold only blanks.
    painter.setPen(MarkColour(m_mark));
    painter.drawText(QRect(m_labelOrigin, QSize(10000, height())), Qt::AlignLeft | Qt::AlignTop, m_sentence);
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
