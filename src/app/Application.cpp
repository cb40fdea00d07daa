#include "Application.h"

#include "controls/Prompts.h"

#include <exception>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
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
