// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckMaterialCommand.h"

#include "ToolCommand.h"
#include "administration/SentenceMaterial.h"

#include "drawing/SentenceFont.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace {

// A sentence wider than the test page is drawn smaller there; the material
// should not need it.
void WarnOfWideSentences(const TSentenceMaterial &material, const QString &name, QTextStream &err)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        const QFont font = SentenceFont::Font();
        for (int i = 0; const std::optional<TPassageRecord> passage = material.PassageAt(i); ++i) {
            for (int j = 0; j < PassageLayout::SentenceCount; ++j) {
                if (!SentenceFont::Fits(passage->Text(j), font))
                    err << QStringLiteral("Warning: the sentence material file %1, passage %2 (id %3), sentence %4 "
                                          "does not fit the test page at its normal font: \"%5\"\n")
                               .arg(name)
                               .arg(i + 1)
                               .arg(passage->Id())
                               .arg(j + 1)
                               .arg(passage->Text(j));
            }
        }
        return;
    }
    err << "The widths of " << name << "'s sentences were not checked: there are no fonts to measure them.\n";
}

} // namespace

int RunCheckMaterial(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    TSentenceMaterial material;
    material.LoadPassages(arguments.first());
    if (material.Problems().isEmpty()) {
        WarnOfWideSentences(material, QFileInfo(arguments.first()).fileName(), err);
        out << "OK: " << TSentenceMaterial::PassageCount << " passages\n";
        return ExitOk;
    }
    for (const QString &problem : material.Problems())
        err << problem << '\n';
    return ExitBadInput;
}
