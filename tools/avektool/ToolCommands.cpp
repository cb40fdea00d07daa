// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolCommand.h"

#include "CheckDiscCommand.h"
#include "CheckMaterialCommand.h"
#include "CheckOutputCommand.h"
#include "DumpCommand.h"
#include "ExportCsvCommand.h"
#include "ImportDiscCommand.h"
#include "MakeDemoCommand.h"
#include "ReportCommand.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr std::array Commands = {
    TToolCommand{"dump", "FILE.VEK", "Print the client file's record as JSON.", 1, 1, RunDump},
    TToolCommand{"export-csv", "FILE.VEK|DIR|-...",
                 "Print every scored test list as CSV: of the files, the folders' files, the names on stdin (-).", 1,
                 std::numeric_limits<int>::max(), RunExportCsv},
    TToolCommand{"check-material", "FILE.DAT", "Check a sentence material file.", 1, 1, RunCheckMaterial},
    TToolCommand{"check-disc", "[--record] FILE.DAT DISC",
                 "Check that every sentence and the calibration stretch play from an image or drive as recorded.",
                 2, 3, RunCheckDisc},
    TToolCommand{"check-output", "[--output DEVICE] [--seconds N] DISC",
                 "Play the calibration stretch and check that the output puts it out whole at unity gain.", 1, 5,
                 RunCheckOutput},
    TToolCommand{"import-disc", "[--check] [DEVICE] DIR",
                 "Read the test CD once, as a careful ripper does, into DIR/VEK.cue and VEK.bin.", 1, 3, RunImportDisc},
    TToolCommand{"make-demo", "[--force] DIR",
                 "Write a demonstration disc image and its material (not a clinical test).", 1, 2, RunMakeDemo},
    TToolCommand{"report", "[--paper A4|Letter] [--force] FILE.VEK OUT.pdf",
                 "Write the printed score report and graph page of a client file as PDF.",
                 2, 5, RunReport},
};

void PrintUsage(QTextStream &stream)
{
    stream << "Usage: avektool COMMAND ARGUMENTS, or avektool --version\n"
              "The command-line companion of AVEK: look into client files, sentence material and test discs.\n\n"
              "Commands:\n";
    qsizetype width = 0;
    for (const TToolCommand &command : Commands)
        width = std::max(width, QStringLiteral("%1 %2").arg(command.Name, command.Arguments).size());
    for (const TToolCommand &command : Commands)
        stream << "  " << QStringLiteral("%1 %2").arg(command.Name, command.Arguments).leftJustified(width) << "  "
               << command.Summary << '\n';
    stream << "\nExit status: 0 on success, 1 on bad input, 2 on bad usage.\n";
}

} // namespace

std::span<const TToolCommand> ToolCommands()
{
    return Commands;
}

int RunAvekTool(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.isEmpty()) {
        PrintUsage(err);
        return ExitBadUsage;
    }
    const QString name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        PrintUsage(out);
        return ExitOk;
    }
    if (name == QLatin1String("--version")) {
        out << "avektool " << AVEK_VERSION << '\n';
        return ExitOk;
    }
    for (const TToolCommand &command : Commands) {
        if (name == QLatin1String(command.Name)) {
            const QStringList rest = arguments.mid(1);
            const bool help = rest.contains(QLatin1String("--help"));
            if (help || rest.size() < command.MinArguments || rest.size() > command.MaxArguments) {
                QTextStream &stream = help ? out : err;
                stream << "Usage: avektool " << command.Name << ' ' << command.Arguments << '\n'
                       << command.Summary << '\n';
                return help ? ExitOk : ExitBadUsage;
            }
            return command.Run(rest, out, err);
        }
    }
    err << "avektool: unknown command \"" << name << "\"; avektool --help lists the commands.\n";
    return ExitBadUsage;
}
