// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintQueue.h"

#include <cups/cups.h>

#include <memory>

namespace {

struct TIppDelete
{
    void operator()(ipp_t *ipp) const { ippDelete(ipp); }
};
using TIpp = std::unique_ptr<ipp_t, TIppDelete>;

QString LastError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

bool Failed(ipp_status_t status)
{
    return status > IPP_STATUS_OK_EVENTS_COMPLETE;
}

// The queue as its printer-state attributes describe it.
struct TPrinterStatus
{
    bool Stopped = false;
    QString Message;
};

TPrinterStatus ReadPrinterStatus(const QByteArray &queue)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queue.constData());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const wanted[] = {"printer-state", "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, wanted);
    const TIpp response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));

    TPrinterStatus status;
    if (!response || Failed(cupsLastError()))
        return status;
    if (ipp_attribute_t *state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM))
        status.Stopped = ippGetInteger(state, 0) == IPP_PSTATE_STOPPED;
    if (ipp_attribute_t *message = ippFindAttribute(response.get(), "printer-state-message", IPP_TAG_TEXT))
        status.Message = QString::fromUtf8(ippGetString(message, 0, nullptr)).trimmed();
    return status;
}

struct TJob
{
    int Id = 0;
    ipp_jstate_t State = IPP_JSTATE_PENDING;
};

// The newest job of the queue after the one given, with the title given
// unless that is empty; its id is 0 when there is none or the print system
// cannot be asked.
TJob NewestJob(const QByteArray &queue, int after, const QString &title)
{
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 0, CUPS_WHICHJOBS_ALL);
    TJob newest;
    for (int i = 0; i < count; ++i) {
        const cups_job_t &job = jobs[i];
        if (job.id > after && job.id > newest.Id && (title.isEmpty() || QString::fromUtf8(job.title) == title))
            newest = {job.id, job.state};
    }
    cupsFreeJobs(count, jobs);
    return newest;
}

TQueuedDocument Refused(const QString &reason, const QString &printerMessage)
{
    if (printerMessage.isEmpty())
        return {TQueuedDocument::Refused, reason};
    return {TQueuedDocument::Refused, QStringLiteral("%1 The printer says: %2").arg(reason, printerMessage)};
}

} // namespace

TPrintQueue::TPrintQueue(const QString &printerName)
    : m_queue(printerName.section(u'/', 0, 0).toUtf8())
{
}

void TPrintQueue::BeforeDocument()
{
    m_newestJobBefore = qMax(0, NewestJob(m_queue, 0, QString()).Id);
}

TQueuedDocument TPrintQueue::AfterDocument(const QString &title) const
{
    // The printer layer's hand-over is the last request on this thread, and
    // its outcome is kept until the next one.
    const ipp_status_t handedOver = cupsLastError();
    const QString handOverError = LastError();
    if (handedOver == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || handedOver == IPP_STATUS_ERROR_INTERNAL)
        return {TQueuedDocument::Refused, QStringLiteral("The print system cannot be reached (%1).").arg(handOverError)};
    const TPrinterStatus printer = ReadPrinterStatus(m_queue);
    if (Failed(handedOver))
        return Refused(handOverError, printer.Message);

    // The hand-over says the job was taken. Its state says more, if the
    // print system still lists it: one that keeps no history forgets a
    // finished job at once.
    const TJob job = NewestJob(m_queue, m_newestJobBefore, title);
    switch (job.State) {
    case IPP_JSTATE_ABORTED:
    case IPP_JSTATE_CANCELED:
        return Refused(QStringLiteral("The print system cancelled the job."), printer.Message);
    case IPP_JSTATE_HELD:
        return {TQueuedDocument::Waiting, QStringLiteral("the job is held")};
    default:
        break;
    }
    if (printer.Stopped || job.State == IPP_JSTATE_STOPPED) {
        const QString stopped = QStringLiteral("the printer is stopped");
        return {TQueuedDocument::Waiting, printer.Message.isEmpty() ? stopped : stopped + QStringLiteral(": ") + printer.Message};
    }
    return {};
}
