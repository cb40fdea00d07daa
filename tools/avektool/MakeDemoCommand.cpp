#include "MakeDemoCommand.h"

#include "DemoDisc.h"
#include "ToolCommand.h"

int RunMakeDemo(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const TStatus status = DemoDisc::Write(arguments.first());
    if (!status) {
        err << "avektool make-demo: " << status.message() << '\n';
        return ExitBadInput;
    }
    out << "Wrote the demonstration set (not a clinical test) to " << arguments.first() << '\n';
    return ExitOk;
}
