// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestPageSpeech.h"

#include <QLabel>

void TTestPageSpeech::Reset()
{
    m_page = -1;
    m_sentence = -1;
}

void TTestPageSpeech::SentenceCurrent(QLabel *label, int page, int sentence, int count)
{
    if (page == m_page && sentence == m_sentence && label == m_current)
        return;
    m_page = page;
    m_sentence = sentence;
    m_current = label;
    QString name = QStringLiteral("Sentence %1 of %2: %3").arg(sentence + 1).arg(count).arg(label->text());
    if (sentence == 0)
        name = m_listInfo + QStringLiteral(". ") + name;
    label->setAccessibleDescription(m_listInfo);
    Speak(label, name);
}

void TTestPageSpeech::AllCorrect(QLabel *label)
{
    Speak(label, QStringLiteral("All correct: %1").arg(label->text()));
}

void TTestPageSpeech::WordMarked(QWidget *button)
{
    if (button->isVisible() && !button->hasFocus())
        button->setFocus(Qt::OtherFocusReason);
}

void TTestPageSpeech::Speak(QLabel *label, const QString &name)
{
    // A name change of the focused label is spoken as well as a new focus.
    label->setAccessibleName(name);
    if (label->isVisible() && !label->hasFocus())
        label->setFocus(Qt::OtherFocusReason);
}
