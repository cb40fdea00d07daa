// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the pictures of the README's user guide; see scripts/screenshots.
#include "GuideScreenshots.h"

#include "drawing/Fonts.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Offscreen always: the pictures must not depend on the desktop the
    // script happens to run on, and no window may flash up.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Work the user's own copy kept at a session's end is not this walk's.
    const QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    // A blinking text cursor would be in one picture and not in the next.
    QApplication::setCursorFlashTime(0);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        err << "usage: avek_screenshots DEMO_FOLDER IMAGE_FOLDER\n"
               "  Makes the demonstration set in DEMO_FOLDER unless it is there, walks AVEK through a\n"
               "  test on it and writes the user guide's pictures into IMAGE_FOLDER.\n";
        return 2;
    }
    TGuideScreenshots shots(arguments.at(1), arguments.at(2), QStringLiteral(AVEKTOOL_PATH));
    if (const TStatus status = shots.Run(); !status) {
        err << "avek_screenshots: " << status.message() << '\n';
        return 1;
    }
    for (const QString &name : TGuideScreenshots::ImageNames()) {
        const QFileInfo image(arguments.at(2) + u'/' + name);
        out << image.filePath() << ' ' << image.size() << " bytes\n";
    }
    return 0;
}
