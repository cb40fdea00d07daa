// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppIcon.h"
#include "Application.h"
#include "AvekProgram.h"
#include "CommandLine.h"
#include "SingleInstance.h"
#include "Splash.h"
#include "StartUpGate.h"
#include "UserSettings.h"
#include "Winmain.h"
#include "drawing/Fonts.h"
#include "controls/MessageBoxPrompts.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextStream>

#include <exception>

namespace {

QStringList Arguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    {
        QTextStream out(stdout);
        if (const auto code = CommandLine::AnswerRequest(Arguments(argc, argv), out))
            return *code;
    }

    TApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(AVEK_VERSION));
    // Docks and Wayland compositors match the window to its menu entry by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.avek.AVEK"));
    UserSettings::KeepQtSettingsWithAvek();

    // Qt has taken its own options out of argv by now.
    const CommandLine::TFileArgument file = CommandLine::FileArgument(Arguments(argc, argv));
    if (!file.Error.isEmpty()) {
        QTextStream(stderr) << "avek: " << file.Error << "; avek --help lists the options.\n";
        return 2;
    }

    TSingleInstance instance;
    if (const TSingleInstance::TResult result = instance.Acquire(); result != TSingleInstance::Acquired) {
        TMessageBoxPrompts().ShowError(result == TSingleInstance::HeldByAnotherCopy
                                           ? QStringLiteral("The program is already running.")
                                           : instance.Problem());
        return 1;
    }

    QApplication::setWindowIcon(AppIcon());
    InstallFontSubstitutions();
    // It deletes itself on its timer, which may fire inside any event loop.
    const QPointer<TfmSplashScreen> fmSplashScreen = new TfmSplashScreen;
    fmSplashScreen->show();
    fmSplashScreen->repaint();
    QApplication::processEvents();

    try {
        TAvekProgram program;
        application.SetPrompts(&program.Prompts());
        program.KeepWorkOnEndSignals();
        program.MainWindow().show();
        if (fmSplashScreen)
            fmSplashScreen->raise();
        // Once the window can be seen, as File > Load would: with its messages.
        StartUpGate::WhenReady(program.MainWindow(), QPointer<QWidget>(fmSplashScreen.data()), [&program, &file] {
            program.MainWindow().AskStartUpQuestions();
            if (const QString notice = program.StartUpNotice(); !notice.isEmpty())
                program.Prompts().ShowMessage(notice);
            if (!file.FileName.isEmpty())
                program.MainWindow().LoadFile(QFileInfo(file.FileName).absoluteFilePath());
        });
        const int code = QApplication::exec();
        application.SetPrompts(nullptr);
        return code;
    } catch (const std::exception &error) {
        TMessageBoxPrompts().ShowError(QString::fromLocal8Bit(error.what()));
    }
    // Ended by an error: whoever started it must not take that for success.
    return 1;
}
