// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include "controls/Prompts.h"

#include <exception>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // No display name: the desktop would add it to every caption, and the
    // captions are the program's own ("AVEK beta - SMITH.VEK", "Confirm").
    setApplicationName(QStringLiteral("AVEK"));
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        if (m_prompts)
            m_prompts->ShowError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}
