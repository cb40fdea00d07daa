#include "CheckMaterialCommand.h"

#include "ToolCommand.h"
#include "administration/SentenceMaterial.h"

int RunCheckMaterial(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    TSentenceMaterial material;
    material.LoadPassages(arguments.first());
    if (material.Problems().isEmpty()) {
        out << "OK: " << TSentenceMaterial::PassageCount << " passages\n";
        return ExitOk;
    }
    for (const QString &problem : material.Problems())
        err << problem << '\n';
    return ExitBadInput;
}
