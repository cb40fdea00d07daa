// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolCommand.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

#ifdef AVEKTOOL_REPORT
#include "ReportCommand.h"
#endif

int main(int argc, char *argv[])
{
    std::unique_ptr<QCoreApplication> application;
#ifdef AVEKTOOL_REPORT
    if (DrawsPages(argc, argv))
        application = CreatePageApplication(argc, argv);
#endif
    if (!application)
        application = std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = RunAvekTool(QCoreApplication::arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
