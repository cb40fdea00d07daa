// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Prompts.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <memory>

// Answers the program's questions and dialogs from a script, and records
// every text it was shown. A question the script has no answer for fails
// the test instead of waiting for a person.
class TScriptedPrompts : public IPrompts
{
public:
    std::deque<TAnswer> Answers;
    std::deque<QString> FileNames; // an empty name is a cancelled dialog
    QStringList Shown;              // every text and dialog title, in order
    QStringList Errors;
    // Called as each error or message appears, to look at what lies behind it.
    std::function<void()> WhileShowing = [] {};
    QStringList Choices; // the two named buttons of each AskChoice

    TAnswer AskYesNoCancel(const QString &text) override
    {
        Shown << text;
        return Next();
    }
    bool AskYesNo(const QString &text) override
    {
        Shown << text;
        return Next() == TAnswer::Yes;
    }
    TAnswer AskChoice(const QString &text, const QString &yesText, const QString &noText) override
    {
        Shown << text;
        Choices << yesText + u'/' + noText;
        return Next();
    }
    void ShowError(const QString &text) override
    {
        Shown << text;
        Errors << text;
        WhileShowing();
    }
    void ShowMessage(const QString &text) override { ShowError(text); }
    QString ChooseFileToOpen(const QString &title, const QString &folder) override
    {
        Shown << title;
        LastFolder = folder;
        return NextFile();
    }
    QString ChooseFileToSave(const QString &title, const QString &folder, const QString &fileName) override
    {
        Shown << title;
        LastFolder = folder;
        LastProposedName = fileName;
        return NextFile();
    }

    QStringList Progress; // every progress text, in order
    // Called as each progress text appears, on the GUI thread.
    std::function<void(const QString &)> WhileProgressing = [](const QString &) {};
    // The Cancel button of the progress last shown.
    std::function<void()> CancelProgress;

    std::unique_ptr<IProgress> ShowProgress(const QString &title, std::function<void()> cancel) override
    {
        Shown << title;
        CancelProgress = std::move(cancel);
        return std::make_unique<TScriptedProgress>(*this);
    }

    QString LastFolder;
    QString LastProposedName;
    bool RanOutOfScript = false;

private:
    class TScriptedProgress : public IProgress
    {
    public:
        explicit TScriptedProgress(TScriptedPrompts &prompts) : m_prompts(prompts) {}
        // The task it cancelled has ended.
        ~TScriptedProgress() override { m_prompts.CancelProgress = nullptr; }
        void SetProgress(const QString &text, int, int) override
        {
            m_prompts.Progress << text;
            m_prompts.WhileProgressing(text);
        }

    private:
        TScriptedPrompts &m_prompts;
    };

    TAnswer Next()
    {
        if (Answers.empty()) {
            RanOutOfScript = true;
            return TAnswer::Cancel;
        }
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    QString NextFile()
    {
        if (FileNames.empty()) {
            RanOutOfScript = true;
            return QString();
        }
        QString name = FileNames.front();
        FileNames.pop_front();
        return name;
    }
};
