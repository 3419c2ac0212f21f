#include "batchgenerate.h"

#include "analysisreader.h"
#include "analysiswriter.h"
#include "earthquakerecord.h"
#include "modelcheck.h"
#include "outputfile.h"
#include "projectdata.h"
#include "projectfile.h"
#include "projectmodel.h"
#include "responsespectrum.h"

#include <QFileDevice>
#include <QTextStream>

#include <cerrno>

namespace BatchGenerate {

int run(const QString &projectFile, const QString &outputFile, QTextStream &err)
{
    // "-" is standard output, which may have been sent to the project itself.
    const QString target = outputFile == QLatin1String("-") ? QStringLiteral("/dev/stdout") : outputFile;
    if (OutputFile::sameFile(projectFile, target)) {
        err << outputFile << ": this is the project file itself; it is not overwritten." << Qt::endl;
        return Failed;
    }
    ProjectData read;
    QString error;
    if (!ProjectFile::readFile(projectFile, read, &error)) {
        err << projectFile << ": " << error << Qt::endl;
        return Failed;
    }
    // Through the model, as opening the project in the window does.
    ProjectModel model;
    model.resetData(ProjectModel::fromProjectData(read));
    const ProjectData data = model.projectData();
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

int check(const QString &projectFile, QTextStream &out, QTextStream &err)
{
    ProjectData read;
    QString error;
    if (!ProjectFile::readFile(projectFile, read, &error)) {
        err << projectFile << ": " << error << Qt::endl;
        return Failed;
    }
    const QList<ModelCheck::Problem> problems = ModelCheck::check(ProjectModel::fromProjectData(read), projectFile);
    for (const ModelCheck::Problem &p : problems)
        out << ModelCheck::format(p) << '\n';
    out << ModelCheck::summary(problems) << '\n';
    return finishOutput(out, err, problems.isEmpty() ? Success : Incomplete);
}

int importAnalysis(const QString &analysisFile, const QString &projectFile, QTextStream &err)
{
    const QString target = projectFile == QLatin1String("-") ? QStringLiteral("/dev/stdout") : projectFile;
    if (OutputFile::sameFile(analysisFile, target)) {
        err << projectFile << ": this is the analysis file itself; it is not overwritten." << Qt::endl;
        return Failed;
    }
    ProjectData read;
    QString error;
    QStringList warnings;
    if (!AnalysisReader::readFile(analysisFile, read, &error, &warnings)) {
        err << analysisFile << ": " << error << Qt::endl;
        return Failed;
    }
    for (const QString &w : std::as_const(warnings))
        err << "warning: " << w << '\n';
    err.flush();
    // Saved as the window saves the imported model.
    ProjectModel model;
    model.resetData(ProjectModel::fromProjectData(read));
    if (!ProjectFile::writeFile(projectFile, model.projectData(), &error)) {
        err << projectFile << ": " << error << Qt::endl;
        return Failed;
    }
    return Success;
}

namespace {

bool readRecord(const QString &projectFile, EarthquakeRecord::Record &record, double &grav, QTextStream &err)
{
    ProjectData read;
    QString error;
    if (!ProjectFile::readFile(projectFile, read, &error)) {
        err << projectFile << ": " << error << Qt::endl;
        return false;
    }
    const ModelData model = ProjectModel::fromProjectData(read);
    if (model.quake.file.trimmed().isEmpty()) {
        err << projectFile << ": FILE of the earthquake options is empty" << Qt::endl;
        return false;
    }
    const QString path = EarthquakeRecord::resolve(model.quake.file, projectFile);
    if (!EarthquakeRecord::readFile(path, EarthquakeRecord::Options(model.quake, model.control), record, &error)) {
        err << path << ": " << error << Qt::endl;
        return false;
    }
    grav = model.control.c[0];
    return true;
}

} // namespace

int printRecord(const QString &projectFile, QTextStream &out, QTextStream &err)
{
    EarthquakeRecord::Record record;
    double grav = 0.0;
    if (!readRecord(projectFile, record, grav, err))
        return Failed;
    out << EarthquakeRecord::csv(record);
    return finishOutput(out, err, Success);
}

int printSpectrum(const QString &projectFile, double dampingPercent, QTextStream &out, QTextStream &err)
{
    EarthquakeRecord::Record record;
    double grav = 0.0;
    if (!readRecord(projectFile, record, grav, err))
        return Failed;
    out << ResponseSpectrum::csv(ResponseSpectrum::compute(record.g, record.interval, dampingPercent / 100.0, grav));
    return finishOutput(out, err, Success);
}

int finishOutput(QTextStream &out, QTextStream &err, int status)
{
    errno = 0;
    out.flush();
    const int errorNumber = errno;
    if (out.status() == QTextStream::Ok)
        return status;
    const auto *file = qobject_cast<const QFileDevice *>(out.device());
    QString reason = file ? file->errorString() : QString();
    if (errorNumber != 0 && (reason.isEmpty() || reason == QLatin1String("Unknown error")))
        reason = OutputFile::systemReason(errorNumber);
    err << "standard output: " << reason << Qt::endl;
    return Failed;
}

} // namespace BatchGenerate
