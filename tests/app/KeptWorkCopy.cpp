// The program as its main runs it, unattended: with "edit", a last name is
// typed so that there is unsaved work; a question about kept work is
// answered Yes. It says what it restored and then waits to be ended.
#include "ScriptedPrompts.h"
#include "app/AvekProgram.h"
#include "app/Winmain.h"
#include "cdaudio/NullSink.h"
#include "controls/Fonts.h"
#include "pages/Page1.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    TScriptedPrompts prompts;
    prompts.Answers = {TAnswer::Yes};
    TAvekProgram program(prompts, [](QString &) { return std::make_unique<TNullSink>(); });
    program.KeepWorkOnEndSignals();
    program.MainWindow().show();
    QApplication::processEvents();
    QTextStream out(stdout);
    out << "restored " << program.Record().LastName() << " after: " << prompts.Shown.join(u'|') << '\n';
    if (QApplication::arguments().contains(QStringLiteral("edit")))
        QTest::keyClicks(program.Pages().fmClientInfo->EditLastName, QStringLiteral("Smith"));
    out << "ready" << Qt::endl;
    return QApplication::exec();
}
