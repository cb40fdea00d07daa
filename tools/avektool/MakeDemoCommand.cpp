// SPDX-License-Identifier: GPL-3.0-or-later
#include "MakeDemoCommand.h"

#include "DemoDisc.h"
#include "ToolCommand.h"

int RunMakeDemo(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList folders = arguments;
    const bool force = folders.removeAll(QStringLiteral("--force")) > 0;
    if (folders.size() != 1) {
        err << "Usage: avektool make-demo [--force] DIR\n";
        return ExitBadUsage;
    }
    const TStatus status = DemoDisc::Write(folders.first(), force);
    if (!status) {
        err << "avektool make-demo: " << status.message() << '\n';
        return ExitBadInput;
    }
    out << "Wrote the demonstration set (not a clinical test) to " << folders.first() << '\n';
    return ExitOk;
}
