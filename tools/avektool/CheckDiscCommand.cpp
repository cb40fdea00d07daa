// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckDiscCommand.h"

#include "ToolCommand.h"
#include "administration/SentenceMaterial.h"
#include "cdaudio/CdDevice.h"
#include "cdaudio/DiscCheck.h"

#include <QStringList>

int RunCheckDisc(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    TSentenceMaterial material;
    if (const TStatus status = material.LoadPassages(arguments[0]); !status) {
        err << "avektool check-disc: " << status.message() << '\n';
        return ExitBadInput;
    }
    TCdError error;
    const std::unique_ptr<IDiscSource> disc = OpenDisc(arguments[1], error);
    if (!disc) {
        err << "avektool check-disc: " << error.Text << '\n';
        return ExitBadInput;
    }
    for (const QString &note : disc->Notes())
        out << "Note: " << note << '\n';
    const TDiscCheck check(*disc, material);
    if (check.Passed()) {
        out << "OK: the calibration stretch and " << check.SentencesChecked() << " sentences play from "
            << arguments[1] << '\n';
        return ExitOk;
    }
    for (const QString &problem : check.Problems())
        err << problem << '\n';
    QStringList ids;
    for (const qint32 id : check.FailingPassages())
        ids.append(QString::number(id));
    err << "avektool check-disc: " << arguments[1] << " does not serve "
        << (ids.isEmpty()       ? QStringLiteral("the calibration")
            : ids.size() == 1 ? QStringLiteral("passage ") + ids.first()
                              : QStringLiteral("passages ") + ids.join(QStringLiteral(", ")))
        << '\n';
    return ExitBadInput;
}
