// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>

enum class TAnswer { Yes, No, Cancel };

// How far a long task is, shown while the task runs.
class IProgress
{
public:
    virtual ~IProgress() = default;
    // A maximum of 0 is a task that cannot yet say how long it takes.
    virtual void SetProgress(const QString &text, int value, int maximum) = 0;
};

// Every question, notice and file dialog the program shows goes through this
// interface, so that a test can answer from a script instead of a person.
class IPrompts
{
public:
    virtual ~IPrompts() = default;

    // Confirmation boxes: question icon, caption "Confirm".
    virtual TAnswer AskYesNoCancel(const QString &text) = 0;
    virtual bool AskYesNo(const QString &text) = 0;
    // A confirmation box whose Yes and No buttons say what they do (for
    // example "Overwrite" and "Save As…"), and Cancel. Yes is the choice that
    // replaces something, so No is the default button: a reflexive Return
    // destroys nothing.
    virtual TAnswer AskChoice(const QString &text, const QString &yesText, const QString &noText) = 0;
    // Error box: error icon, caption "Error", OK.
    virtual void ShowError(const QString &text) = 0;
    // A plain notice under the program's own caption, OK.
    virtual void ShowMessage(const QString &text) = 0;

    // Client-file dialogs ("VEK files (*.VEK *.vek)", default suffix "VEK"); an empty
    // result means the user cancelled. Saving asks before replacing a file.
    virtual QString ChooseFileToOpen(const QString &title, const QString &folder) = 0;
    virtual QString ChooseFileToSave(const QString &title, const QString &folder, const QString &fileName) = 0;

    // A modal window with the progress of a task that runs on another thread
    // and a Cancel button that calls cancel. It stays until the progress is
    // destroyed, as a task may take its time to stop; the caller keeps the
    // events flowing meanwhile.
    virtual std::unique_ptr<IProgress> ShowProgress(const QString &title, std::function<void()> cancel) = 0;
};
