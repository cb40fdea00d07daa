// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <QTextStream>

namespace CommandLine {

namespace {

const QString EndOfOptions = QStringLiteral("--");

bool IsOption(const QString &argument)
{
    return argument.size() > 1 && argument.startsWith(u'-');
}

// Options count only before "--", after which "-x.vek" is a file name.
QStringList Options(const QStringList &arguments)
{
    QStringList options;
    for (const QString &argument : arguments) {
        if (argument == EndOfOptions)
            break;
        if (IsOption(argument))
            options << argument;
    }
    return options;
}

} // namespace

std::optional<int> AnswerRequest(const QStringList &arguments, QTextStream &out)
{
    const QStringList options = Options(arguments);
    if (options.contains(QLatin1String("--help")) || options.contains(QLatin1String("-h"))) {
        out << "Usage: avek [OPTION]... [FILE.VEK]\n"
               "Give and score a recorded sentence-recognition-in-noise test.\n\n"
               "AVEK reads the sentence material VEKPSGS.DAT and its settings VEK.INI from\n"
               "the folder it is started in. A client file given on the command line is\n"
               "loaded once the window is up, as File > Load would.\n\n"
               "  -h, --help      print this help and exit\n"
               "  -v, --version   print the version and exit\n\n"
               "Qt's own options, such as -platform or -display, are taken too.\n"
               "Only one copy runs at a time: a second one says so and exits with status 1.\n";
        return 0;
    }
    if (options.contains(QLatin1String("--version")) || options.contains(QLatin1String("-v"))) {
        out << "avek " << AVEK_VERSION << '\n';
        return 0;
    }
    return std::nullopt;
}

TFileArgument FileArgument(const QStringList &arguments)
{
    QStringList files;
    bool optionsEnded = false;
    for (const QString &argument : arguments) {
        if (!optionsEnded && argument == EndOfOptions)
            optionsEnded = true;
        else if (!optionsEnded && IsOption(argument))
            return {QString(), QStringLiteral("unknown option %1").arg(argument)};
        else
            files << argument;
    }
    if (files.size() > 1)
        return {QString(), QStringLiteral("one client file at a time, not %1").arg(files.size())};
    return {files.value(0), QString()};
}

} // namespace CommandLine
