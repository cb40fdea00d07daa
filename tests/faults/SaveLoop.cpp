// SPDX-License-Identifier: GPL-3.0-or-later
// Saves two different client records in turn to one file, as fast as it can,
// until it is killed or has saved the number of times it was given. The fault
// test kills it at random moments.
#include "SaveLoopRecords.h"
#include "record/ClientFileWriter.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    const QString path = arguments[1];
    const int saves = arguments[2].toInt();
    const TClientRecord records[2] = {AlternateRecord(0), AlternateRecord(1)};
    std::printf("ready\n");
    std::fflush(stdout);
    for (int i = 0; i < saves; ++i) {
        if (!WriteClientFile(records[i % 2], path))
            return 1;
    }
    return 0;
}
