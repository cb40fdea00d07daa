// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Prompts.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress of a long task, with Cancel. Unlike a progress dialog that
// hides on Cancel, it stays up, saying it is stopping, until the task is
// done: the window behind must not take clicks while the task still runs.
class TProgressDialog : public QDialog, public IProgress
{
    Q_OBJECT

public:
    TProgressDialog(const QString &title, std::function<void()> cancel, QWidget *parent = nullptr);

    void SetProgress(const QString &text, int value, int maximum) override;

    QLabel *TextLabel;
    QProgressBar *Bar;
    QPushButton *CancelButton;

public slots:
    // Escape and the window's close button cancel too.
    void reject() override;

private:
    std::function<void()> m_cancel;
};
