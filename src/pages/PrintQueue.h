// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What the print system did with a document the printer layer handed to it.
struct TQueuedDocument
{
    enum TState {
        Queued,  // taken, printing or about to
        Waiting, // taken, but held or in a stopped queue
        Refused, // not taken, or cancelled by the print system
    };
    TState State = Queued;
    // The print system's own words, for Waiting and Refused.
    QString Reason;
};

// The print system's queue of one printer. The printer layer hands a
// finished document over without saying whether the queue took it; this
// asks the print system itself.
class TPrintQueue
{
public:
    // A printer name as the print dialog gives it, "queue" or "queue/instance".
    explicit TPrintQueue(const QString &printerName);

    // Just before a document is begun: its job is then the first one newer
    // than the queue's newest job now.
    void BeforeDocument();
    // Right after the printer layer has ended the document with this title,
    // before anything else talks to the print system on this thread.
    TQueuedDocument AfterDocument(const QString &title) const;

private:
    QByteArray m_queue;
    int m_newestJobBefore = 0;
};
