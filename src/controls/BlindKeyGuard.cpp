// SPDX-License-Identifier: GPL-3.0-or-later
#include "BlindKeyGuard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>

TBlindKeyGuard::TBlindKeyGuard(QDialog &box) : m_box(box)
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(QuietMs);
    m_quiet.setTimerType(Qt::PreciseTimer);
    connect(&m_quiet, &QTimer::timeout, this, &TBlindKeyGuard::Release);
    // A disabled button is clicked neither by its letter, nor by Enter as the
    // default, nor by Escape.
    SetButtonsEnabled(false);
    qApp->installEventFilter(this);
}

TBlindKeyGuard::~TBlindKeyGuard()
{
    qApp->removeEventFilter(this);
}

bool TBlindKeyGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (m_released)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (m_quiet.isActive())
            m_quiet.start();
        break;
    case QEvent::Show:
        if (watched == &m_box)
            m_quiet.start();
        break;
    default:
        break;
    }
    return false;
}

void TBlindKeyGuard::SetButtonsEnabled(bool enabled)
{
    for (QAbstractButton *button : m_box.findChildren<QAbstractButton *>())
        button->setEnabled(enabled);
}

void TBlindKeyGuard::Release()
{
    m_released = true;
    qApp->removeEventFilter(this);
    SetButtonsEnabled(true);
    // The default button takes Enter again: the one that had it, else the
    // first that accepts.
    QPushButton *target = nullptr;
    for (QPushButton *button : m_box.findChildren<QPushButton *>()) {
        if (button->isDefault())
            target = button;
    }
    if (auto *messageBox = qobject_cast<QMessageBox *>(&m_box); !target && messageBox) {
        for (QAbstractButton *button : messageBox->buttons()) {
            const QMessageBox::ButtonRole role = messageBox->buttonRole(button);
            if (!target && (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole))
                target = qobject_cast<QPushButton *>(button);
        }
    }
    if (target)
        target->setFocus();
}
