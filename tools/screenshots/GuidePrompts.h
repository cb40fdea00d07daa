// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Prompts.h"

#include <QStringList>

// The prompts of an unattended walk through the program: the one Save As
// dialog gets the client file's name, and anything else the program asks or
// tells is kept, so that the walk can stop and say what came up instead of
// taking a picture of a page that went wrong.
class TGuidePrompts : public IPrompts
{
public:
    QString SaveAsFileName;
    QStringList Unexpected;

    TAnswer AskYesNoCancel(const QString &text) override
    {
        Unexpected << text;
        return TAnswer::Cancel;
    }
    bool AskYesNo(const QString &text) override
    {
        Unexpected << text;
        return false;
    }
    TAnswer AskChoice(const QString &text, const QString &, const QString &) override
    {
        Unexpected << text;
        return TAnswer::Cancel;
    }
    void ShowError(const QString &text) override { Unexpected << text; }
    void ShowMessage(const QString &text) override { Unexpected << text; }
    QString ChooseFileToOpen(const QString &title, const QString &) override
    {
        Unexpected << title;
        return QString();
    }
    QString ChooseFileToSave(const QString &, const QString &, const QString &) override
    {
        // Once only: a second Save As would be a walk that lost its way.
        QString name = SaveAsFileName;
        if (name.isEmpty())
            Unexpected << QStringLiteral("a second Save As dialog");
        SaveAsFileName.clear();
        return name;
    }
    std::unique_ptr<IProgress> ShowProgress(const QString &title, std::function<void()>) override
    {
        Unexpected << title;
        return std::make_unique<TNoProgress>();
    }

private:
    struct TNoProgress : IProgress
    {
        void SetProgress(const QString &, int, int) override {}
    };
};
