// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Prompts.h"

class QWidget;

// The prompts as real modal message boxes and file dialogs.
class TMessageBoxPrompts : public IPrompts
{
public:
    explicit TMessageBoxPrompts(QWidget *parent = nullptr) : m_parent(parent) {}

    void SetParent(QWidget *parent) { m_parent = parent; }

    TAnswer AskYesNoCancel(const QString &text) override;
    bool AskYesNo(const QString &text) override;
    TAnswer AskChoice(const QString &text, const QString &yesText, const QString &noText) override;
    void ShowError(const QString &text) override;
    void ShowMessage(const QString &text) override;
    QString ChooseFileToOpen(const QString &title, const QString &folder) override;
    QString ChooseFileToSave(const QString &title, const QString &folder, const QString &fileName) override;
    std::unique_ptr<IProgress> ShowProgress(const QString &title, std::function<void()> cancel) override;

private:
    QWidget *m_parent;
};
