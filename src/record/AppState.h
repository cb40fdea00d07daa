#pragma once

#include <QString>

// What the program keeps beside the client record and never saves in it.
struct TAppState
{
    // The record has changes that are not yet in the file named FileName.
    bool ModifiedFlag = false;
    // Full path of the current client file; empty while the record is untitled.
    QString FileName;
    // The name part of FileName.
    QString ShortFileName;
    // The folder the Load dialog opens in.
    QString DataPath;
    // The start-up folder, where the settings and the sentence material live.
    QString IniDirectory;
};
