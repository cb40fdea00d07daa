// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckDiscCommand.h"

#include "ToolCommand.h"
#include "administration/SentenceMaterial.h"
#include "cdaudio/CdDevice.h"
#include "cdaudio/DiscCheck.h"

#include <QStringList>

int RunCheckDisc(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList rest = arguments;
    const bool record = rest.removeAll(QStringLiteral("--record")) > 0;
    if (rest.size() != 2) {
        err << "Usage: avektool check-disc [--record] FILE.DAT DISC\n";
        return ExitBadUsage;
    }
    const QString &sheet = rest[1];
    if (record && !sheet.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive)) {
        err << "avektool check-disc: --record writes the fingerprint beside a cue sheet; import the disc from the "
               "drive with avektool import-disc, which records it\n";
        return ExitBadUsage;
    }
    TSentenceMaterial material;
    if (const TStatus status = material.LoadPassages(rest[0]); !status) {
        err << "avektool check-disc: " << status.message() << '\n';
        return ExitBadInput;
    }
    TCdError error;
    const std::unique_ptr<IDiscSource> disc = OpenDisc(sheet, error);
    if (!disc) {
        err << "avektool check-disc: " << error.Text << '\n';
        return ExitBadInput;
    }
    // What is recorded is taken to be the original: it is not held against
    // an earlier fingerprint.
    QString reason;
    const std::optional<TDiscFingerprint> original =
        record ? std::nullopt : TDiscCheck::FingerprintOf(sheet, reason);
    if (!reason.isEmpty()) {
        err << "avektool check-disc: " << reason << '\n';
        return ExitBadInput;
    }
    for (const QString &note : disc->Notes())
        out << "Note: " << note << '\n';
    // A drive may take minutes over a scratched disc; the count shows it is
    // still at work. Once a percent is enough for a log it goes to.
    int shownPercent = 0;
    const auto progress = [&](int sentence, int sentences) {
        if (sentence == 0)
            return;
        const int percent = sentence * 100 / sentences;
        if (sentence != 1 && percent == shownPercent)
            return;
        shownPercent = percent;
        err << "\rChecking sentence " << sentence << " of " << sentences;
        err.flush();
    };
    const TDiscCheck check(*disc, material, {}, progress, original ? &*original : nullptr);
    err << '\n';
    for (const QString &reread : check.Rereads())
        out << "Note: " << reread << '\n';
    if (!check.Passed()) {
        for (const QString &problem : check.Problems())
            err << problem << '\n';
        QStringList ids;
        for (const qint32 id : check.FailingPassages())
            ids.append(QString::number(id));
        err << "avektool check-disc: " << sheet << " does not serve "
            << (ids.isEmpty()       ? QStringLiteral("the test")
                : ids.size() == 1 ? QStringLiteral("passage ") + ids.first()
                                  : QStringLiteral("passages ") + ids.join(QStringLiteral(", ")))
            << '\n';
        return ExitBadInput;
    }
    out << "OK: the calibration stretch and " << check.SentencesChecked() << " sentences were read whole from " << sheet
        << (original ? " and hold the original disc's samples\n" : " and sound as they should\n");
    if (!record)
        return ExitOk;
    const std::optional<TDiscFingerprint> fingerprint = TDiscFingerprint::Record(*disc, {}, error);
    const QString path = TDiscFingerprint::PathFor(sheet);
    if (!fingerprint || !fingerprint->Save(path, reason)) {
        err << "avektool check-disc: " << (fingerprint ? reason : error.Text) << '\n';
        return ExitBadInput;
    }
    out << "Wrote " << path << ": later checks and plays hold this disc's copies against it\n";
    return ExitOk;
}
