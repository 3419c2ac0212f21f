#include "batchgenerate.h"

#include "analysiswriter.h"
#include "projectdata.h"
#include "projectfile.h"

#include <QTextStream>

namespace BatchGenerate {

int run(const QString &projectFile, const QString &outputFile, QTextStream &err)
{
    ProjectData data;
    QString error;
    if (!ProjectFile::readFile(projectFile, data, &error)) {
        err << projectFile << ": " << error << Qt::endl;
        return Failed;
    }
    const QString missing = ModelCore::completenessMessage(data);
    if (!missing.isEmpty()) {
        err << missing << Qt::endl;
        return Incomplete;
    }
    if (!AnalysisWriter::writeFile(outputFile, data, &error)) {
        err << outputFile << ": " << error << Qt::endl;
        return Failed;
    }
    return Success;
}

} // namespace BatchGenerate
