// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClientRecord.h"
#include "FileStamp.h"

#include <QDateTime>
#include <QRandomGenerator>
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
    // The client file as this copy last loaded or saved it: a save first
    // checks that no other program has changed it since.
    TFileStamp FileStamp;

    // The MDB proposed to a new client and on the conditions page, drawn at
    // random so that the blocks spread over clients.
    int ProposeMdb() { return int(m_mdbProposals.bounded(TClientRecord::MdbCount)); }

private:
    QRandomGenerator m_mdbProposals{quint32(QDateTime::currentMSecsSinceEpoch())};
};
