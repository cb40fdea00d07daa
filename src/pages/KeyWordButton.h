// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "administration/WordMark.h"

#include <QWidget>

// A flat button over one key word of a sentence label. It covers the grey
// word and draws it again in the colour and with the line of its mark, so
// the sentence reads as grey text with marked key words. A mouse button released over it is
// reported; what the release means is the page's business.
class TKeyWordButton : public QWidget
{
    Q_OBJECT

public:
    explicit TKeyWordButton(QWidget *parent = nullptr);

    // The key word with a blank on either side.
    const QString &Caption() const { return m_caption; }
    void SetCaption(const QString &caption);

    TWordMark Mark() const { return m_mark; }
    void SetMark(TWordMark mark);

    // The sentence this button sits in, and where its label starts relative to
    // the button's own top left corner.
    void SetSentence(const QString &text, QPoint labelOrigin);

signals:
    void Released(TMarkButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // "KITCHEN, correct": the word and its mark.
    void NameForScreenReaders();

    QString m_caption;
    QString m_sentence;
    QPoint m_labelOrigin;
    TWordMark m_mark = TWordMark::NotPlayed;
};
