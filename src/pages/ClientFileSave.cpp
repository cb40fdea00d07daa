// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClientFileSave.h"

#include "record/ClientFileWriter.h"

#include <QFileInfo>

namespace {

// Empty when the file is as this copy left it (or gone: a file that is gone
// loses nothing by being written again); otherwise what to tell the user.
// What cannot be read now (too large, a pipe, no read permission) may hold
// another program's work and counts as changed.
QString ChangeByAnotherProgram(const TAppState &state)
{
    if (!state.FileStamp.IsOf(state.FileName))
        return QString();
    const QString changed = QStringLiteral("%1 was changed by another program since you opened it.")
                                .arg(QFileInfo(state.FileName).fileName());
    TFileStamp now;
    if (const TStatus read = ReadFileStamp(state.FileName, now); !read)
        return changed + u' ' + read.message() + u'.';
    if (now.Size < 0 || now.SameContent(state.FileStamp))
        return QString();
    return changed;
}

} // namespace

TSaveOutcome SaveClientFile(const TClientRecord &record, TAppState &state, IPrompts &prompts)
{
    if (const QString question = ChangeByAnotherProgram(state); !question.isEmpty()) {
        switch (prompts.AskChoice(question, QStringLiteral("&Overwrite"), QStringLiteral("&Save As…"))) {
        case TAnswer::Yes:
            break;
        case TAnswer::No:
            return TSaveOutcome::SaveAsChosen;
        case TAnswer::Cancel:
            return TSaveOutcome::Declined;
        }
    }
    if (const TStatus status = WriteClientFile(record, state.FileName); !status) {
        prompts.ShowError(status.message());
        return TSaveOutcome::Failed;
    }
    state.FileStamp = TFileStamp::Of(state.FileName, record.Image().toByteArray());
    return TSaveOutcome::Saved;
}
