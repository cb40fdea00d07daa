#pragma once

#include <QApplication>

class IPrompts;

// Reports an error that escapes an event handler in a box with its text, and
// goes on, instead of ending the program.
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
