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
    // A drive may take minutes over a scratched disc; the count shows it is
    // still at work. Once a percent is enough for a log it goes to.
    int shownPercent = 0;
    const TDiscCheck check(*disc, material, {}, [&](int sentence, int sentences) {
        if (sentence == 0)
            return;
        const int percent = sentence * 100 / sentences;
        if (sentence != 1 && percent == shownPercent)
            return;
        shownPercent = percent;
        err << "\rChecking sentence " << sentence << " of " << sentences;
        err.flush();
    });
    err << '\n';
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
