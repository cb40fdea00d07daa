// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClientFileSave.h"

#include "record/ClientFileWriter.h"

#include <QFileInfo>

namespace {

bool ChangedByAnotherProgram(const TAppState &state)
{
    if (!state.FileStamp.IsOf(state.FileName))
        return false;
    TFileStamp now;
    // A file that is gone loses nothing by being written again; one that
    // cannot be read is reported by the write.
    if (!ReadFileStamp(state.FileName, now) || now.Size < 0)
        return false;
    return !now.SameContent(state.FileStamp);
}

} // namespace

TSaveOutcome SaveClientFile(const TClientRecord &record, TAppState &state, IPrompts &prompts)
{
    if (ChangedByAnotherProgram(state)) {
        const QString question = QStringLiteral("%1 was changed by another program since you opened it.")
                                     .arg(QFileInfo(state.FileName).fileName());
        switch (prompts.AskChoice(question, QStringLiteral("Overwrite"), QStringLiteral("Save As…"))) {
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
