// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolCommand.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

#include "ReportCommand.h"

int main(int argc, char *argv[])
{
    std::unique_ptr<QCoreApplication> application;
    if (DrawsPages(argc, argv))
        application = CreatePageApplication(argc, argv);
    if (!application)
        application = std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = RunAvekTool(QCoreApplication::arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
