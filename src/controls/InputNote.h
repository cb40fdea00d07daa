// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

class QLineEdit;

// A short note on the page that says why a key typed into a box did not
// arrive: a letter the client file cannot hold, or a box already as full as
// its place in the file. Without it the letter would simply not be there.
// The box's description says it too, for a screen reader.
class TInputNote : public QLabel
{
    Q_OBJECT

public:
    explicit TInputNote(QWidget *parent);

    void Watch(QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Tell(QLineEdit *edit, const QString &note);
    void Clear(QLineEdit *edit);
};
