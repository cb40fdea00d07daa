// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

// avek [FILE.VEK]: the program's command line. The help and the version are
// answered before the application object exists, so that they work without a
// display; the file name is taken from what Qt leaves of the arguments once it
// has removed its own options (-platform, -display, ...).
namespace CommandLine {

// The exit code when the arguments (without the program's name) ask for the
// help or the version, which are then written to out.
std::optional<int> AnswerRequest(const QStringList &arguments, QTextStream &out);

struct TFileArgument
{
    QString FileName; // empty: none given
    QString Error;    // empty: usable
};
TFileArgument FileArgument(const QStringList &arguments);

} // namespace CommandLine
