// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTextBrowser;

// The program's help: HTML pages built into the program, shown in a window
// of their own. Pages have help context numbers; F1 opens the page's topic.
class THelpViewer : public QDialog
{
    Q_OBJECT

public:
    explicit THelpViewer(QWidget *parent = nullptr);

    void ShowContents();
    void ShowUsingHelp();
    // Topics by help context number; an unknown number shows the contents.
    void ShowTopic(int helpContext);

    QUrl CurrentPage() const;

private:
    void Open(const QString &page);

    QTextBrowser *m_browser;
};
