// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

class IPrompts;

// The program's name, and an error that escapes an event handler reported in
// a box with its text, instead of ending the program.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int &argc, char **argv);

    void SetPrompts(IPrompts *prompts) { m_prompts = prompts; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    IPrompts *m_prompts = nullptr;
};
