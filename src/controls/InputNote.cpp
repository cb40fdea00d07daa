// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputNote.h"

#include "record/Windows1252.h"

#include <QKeyEvent>
#include <QLineEdit>

TInputNote::TInputNote(QWidget *parent) : QLabel(parent)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(160, 0, 0));
    setPalette(palette);
    hide();
}

void TInputNote::Watch(QLineEdit *edit)
{
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { Clear(edit); });
}

bool TInputNote::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        Clear(static_cast<QLineEdit *>(watched));
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *edit = static_cast<QLineEdit *>(watched);
    const auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (!Windows1252::CanHold(text)) {
        Tell(edit, QStringLiteral("\u201c%1\u201d cannot be kept in the client file: type the nearest letter it has.")
                       .arg(text));
    } else if (edit->text().size() - edit->selectedText().size() + text.size() > edit->maxLength()) {
        const int room = edit->maxLength();
        Tell(edit, QStringLiteral("%1 is full: the client file keeps %2 %3 of it.")
                       .arg(edit->accessibleName())
                       .arg(room)
                       .arg(room == 1 ? QStringLiteral("character") : QStringLiteral("characters")));
    }
    return false;
}

void TInputNote::Tell(QLineEdit *edit, const QString &note)
{
    setText(note);
    adjustSize();
    show();
    edit->setAccessibleDescription(note);
}

void TInputNote::Clear(QLineEdit *edit)
{
    hide();
    edit->setAccessibleDescription(QString());
}
