#include "Application.h"
#include "AvekProgram.h"
#include "SingleInstance.h"
#include "Splash.h"
#include "Winmain.h"
#include "drawing/Fonts.h"
#include "controls/MessageBoxPrompts.h"

#include <exception>

int main(int argc, char *argv[])
{
    TApplication application(argc, argv);

    TSingleInstance instance;
    if (const TSingleInstance::TResult result = instance.Acquire(); result != TSingleInstance::Acquired) {
        TMessageBoxPrompts().ShowError(result == TSingleInstance::HeldByAnotherCopy
                                           ? QStringLiteral("The program is already running.")
                                           : instance.Problem());
        return 1;
    }

    InstallFontSubstitutions();
    auto *fmSplashScreen = new TfmSplashScreen;
    fmSplashScreen->show();
    fmSplashScreen->repaint();
    QApplication::processEvents();

    try {
        TAvekProgram program;
        application.SetPrompts(&program.Prompts());
        program.KeepWorkOnEndSignals();
        program.MainWindow().show();
        fmSplashScreen->raise();
        const int code = QApplication::exec();
        application.SetPrompts(nullptr);
        return code;
    } catch (const std::exception &error) {
        TMessageBoxPrompts().ShowError(QString::fromLocal8Bit(error.what()));
    }
    // Ended by an error: whoever started it must not take that for success.
    return 1;
}
