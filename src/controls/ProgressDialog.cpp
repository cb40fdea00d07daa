// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TProgressDialog::TProgressDialog(const QString &title, std::function<void()> cancel, QWidget *parent)
    : QDialog(parent), m_cancel(std::move(cancel))
{
    setWindowTitle(title);
    setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(this);
    TextLabel = new QLabel(this);
    // Room for the longest text, so that the window does not jump as it
    // counts.
    TextLabel->setMinimumWidth(320);
    layout->addWidget(TextLabel);
    Bar = new QProgressBar(this);
    layout->addWidget(Bar);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    CancelButton = buttons->button(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::rejected, this, &TProgressDialog::reject);
    layout->addWidget(buttons);
    SetProgress(QString(), 0, 0);
}

void TProgressDialog::SetProgress(const QString &text, int value, int maximum)
{
    TextLabel->setText(text);
    Bar->setRange(0, maximum);
    Bar->setValue(value);
}

void TProgressDialog::reject()
{
    if (!CancelButton->isEnabled())
        return;
    CancelButton->setEnabled(false);
    CancelButton->setText(QStringLiteral("Stopping…"));
    m_cancel();
}
