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
    if (!instance.Acquire()) {
        TMessageBoxPrompts().ShowError(QStringLiteral("The program is already running."));
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
        program.MainWindow().show();
        fmSplashScreen->raise();
        const int code = QApplication::exec();
        application.SetPrompts(nullptr);
        return code;
    } catch (const std::exception &error) {
        TMessageBoxPrompts().ShowError(QString::fromLocal8Bit(error.what()));
    }
    return 0;
}
