// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

#include <memory>

class QCoreApplication;

// avektool report FILE.VEK OUT.pdf: the printed score report and graph page
// of the client file as one PDF, the portrait score report on page 1 and
// the landscape graph page on page 2.
int RunReport(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The report draws text and check-material measures it, so both need a GUI
// application; neither shows a window, so they run without a display unless
// a platform is asked for.
bool DrawsPages(int argc, char *argv[]);
std::unique_ptr<QCoreApplication> CreatePageApplication(int &argc, char *argv[]);
