// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxPrompts.h"

#include "BlindKeyGuard.h"
#include "ProgressDialog.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Names are matched case by case: a file a clinician named "smith.vek" is a
// client file too.
const QString Filter = QStringLiteral("VEK files (*.VEK *.vek)");
const QString MessageCaption = QStringLiteral("AVEK beta");

QMessageBox::StandardButton Confirm(QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons,
                                    const QString &yesText = QString(), const QString &noText = QString())
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, buttons, parent);
    if (!yesText.isEmpty())
        box.button(QMessageBox::Yes)->setText(yesText);
    if (!noText.isEmpty()) {
        box.button(QMessageBox::No)->setText(noText);
        box.setDefaultButton(QMessageBox::No);
    }
    TBlindKeyGuard guard(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

TAnswer AnswerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::No:
        return TAnswer::No;
    default:
        return TAnswer::Cancel;
    }
}

void Prepare(QFileDialog &dialog, const QString &title, const QString &folder)
{
    dialog.setWindowTitle(title);
    dialog.setDirectory(folder);
    dialog.setNameFilter(Filter);
    dialog.setDefaultSuffix(QStringLiteral("VEK"));
}

} // namespace

TAnswer TMessageBoxPrompts::AskYesNoCancel(const QString &text)
{
    return AnswerOf(Confirm(m_parent, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
}

TAnswer TMessageBoxPrompts::AskChoice(const QString &text, const QString &yesText, const QString &noText)
{
    return AnswerOf(
        Confirm(m_parent, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, yesText, noText));
}

bool TMessageBoxPrompts::AskYesNo(const QString &text)
{
    return Confirm(m_parent, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TMessageBoxPrompts::ShowError(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, m_parent);
    TBlindKeyGuard guard(box);
    box.exec();
}

void TMessageBoxPrompts::ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, MessageCaption, text, QMessageBox::Ok, m_parent);
    TBlindKeyGuard guard(box);
    box.exec();
}

QString TMessageBoxPrompts::ChooseFileToOpen(const QString &title, const QString &folder)
{
    QFileDialog dialog(m_parent);
    Prepare(dialog, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString TMessageBoxPrompts::ChooseFileToSave(const QString &title, const QString &folder, const QString &fileName)
{
    QFileDialog dialog(m_parent);
    Prepare(dialog, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(fileName);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

std::unique_ptr<IProgress> TMessageBoxPrompts::ShowProgress(const QString &title, std::function<void()> cancel)
{
    auto dialog = std::make_unique<TProgressDialog>(title, std::move(cancel), m_parent);
    dialog->show();
    return dialog;
}
