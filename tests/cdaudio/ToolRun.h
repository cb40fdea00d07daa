// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ToolCommand.h"

// One avektool command line run in this process, with what it printed.
struct TToolRun
{
    int Code = 0;
    QString Out, Err;
};

inline TToolRun RunTool(const QStringList &arguments)
{
    TToolRun run;
    QTextStream out(&run.Out), err(&run.Err);
    run.Code = RunAvekTool(arguments, out, err);
    return run;
}
