// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

#include <span>

// Exit codes of every subcommand.
enum TExitCode { ExitOk = 0, ExitBadInput = 1, ExitBadUsage = 2 };

// One subcommand of avektool: it reads its arguments (without the
// subcommand's name, and as many as it takes) and writes its results to out
// and its messages to err.
struct TToolCommand
{
    const char *Name;
    const char *Arguments;
    const char *Summary;
    int MinArguments;
    int MaxArguments;
    int (*Run)(const QStringList &arguments, QTextStream &out, QTextStream &err);
};

std::span<const TToolCommand> ToolCommands();

// Runs a whole command line (without the program's name).
int RunAvekTool(const QStringList &arguments, QTextStream &out, QTextStream &err);
