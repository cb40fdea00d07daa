// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QWidget;

// What a screen reader says on the test page. The reader speaks the object
// that has the keyboard focus, and speaks it again when its name changes;
// so the focus goes to the sentence that has just become current, and to a
// key word the moment its mark changes ("KITCHEN, correct"). The scoring
// keys are the page's shortcuts and work wherever the focus stands.
class TTestPageSpeech : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Where the run stands: "Page 2 of 4, H-Sens, SNR: 10, MDB: 2", said
    // before the first sentence of each page.
    void SetListInfo(const QString &info) { m_listInfo = info; }
    // The sentence in this label is the current one, number `sentence` of
    // `count`; said once each time it becomes current.
    void SentenceCurrent(QLabel *label, int page, int sentence, int count);
    // A key word's mark has changed; its button names the word and the mark.
    void WordMarked(QWidget *button);
    // Every key word of the current sentence is correct now.
    void AllCorrect(QLabel *label);
    // A new run: every sentence is said afresh.
    void Reset();

private:
    void Speak(QLabel *label, const QString &name);

    QString m_listInfo;
    QPointer<QLabel> m_current;
    int m_page = -1;
    int m_sentence = -1;
};
