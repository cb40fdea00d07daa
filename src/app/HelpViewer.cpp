// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpViewer.h"

#include <QTextBrowser>
#include <QVBoxLayout>

THelpViewer::THelpViewer(QWidget *parent) : QDialog(parent), m_browser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("AVEK Help"));
    setModal(false);
    resize(560, 480);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    m_browser->setOpenExternalLinks(false);
}

void THelpViewer::Open(const QString &page)
{
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
    show();
    raise();
    activateWindow();
}

void THelpViewer::ShowContents()
{
    Open(QStringLiteral("index.html"));
}

void THelpViewer::ShowUsingHelp()
{
    Open(QStringLiteral("using-help.html"));
}

void THelpViewer::ShowTopic(int helpContext)
{
    switch (helpContext) {
    case 1080:
        Open(QStringLiteral("client-information.html"));
        break;
    case 1090:
        Open(QStringLiteral("test-conditions.html"));
        break;
    case 1110:
        Open(QStringLiteral("scores.html"));
        break;
    case 1120:
        Open(QStringLiteral("graphs.html"));
        break;
    default:
        ShowContents();
    }
}

QUrl THelpViewer::CurrentPage() const
{
    return m_browser->source();
}
