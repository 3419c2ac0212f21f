#include "projectdocument.h"

#include "analysisreader.h"
#include "analysiswriter.h"
#include "outputfile.h"
#include "projectdata.h"
#include "projectfile.h"
#include "projectmodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUndoStack>

namespace {

QSettings settings()
{
    return QSettings(QStringLiteral("Taliskor2D"), QCoreApplication::applicationName());
}
const int kRecentFiles = 8;

QString recoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

// The name and time a recovery file stands for are kept beside it.
ProjectDocument::Recovery readInfo(const QString &base)
{
    ProjectDocument::Recovery info;
    QFile f(base + QStringLiteral(".info"));
    if (f.open(QIODevice::ReadOnly)) {
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        info.name = lines.value(0);
        info.path = lines.value(1);
        info.time = QDateTime::fromString(lines.value(2), Qt::ISODate);
    }
    if (info.name.isEmpty())
        info.name = QStringLiteral("Untitled");
    if (!info.time.isValid())
        info.time = QFileInfo(base + QStringLiteral(".kfp")).lastModified();
    return info;
}

void removeRecoveryFiles(const QString &base)
{
    QFile::remove(base + QStringLiteral(".kfp"));
    QFile::remove(base + QStringLiteral(".info"));
}

} // namespace

ProjectDocument::ProjectDocument(ProjectModel *model, QUndoStack *undoStack, QObject *parent)
    : QObject(parent), projectModel(model), stack(undoStack)
{
    connect(stack, &QUndoStack::cleanChanged, this, &ProjectDocument::stateChanged);
    wasModified = isModified();
    autosaveTimer = new QTimer(this);
    bool set = false;
    const int interval = qEnvironmentVariableIntValue("TALISKOR2D_AUTOSAVE_MS", &set);
    autosaveTimer->setInterval(set && interval > 0 ? interval : 60000);
    connect(autosaveTimer, &QTimer::timeout, this, &ProjectDocument::autosave);
    autosaveTimer->start();
}

ProjectDocument::~ProjectDocument()
{
    removeRecovery();
}

bool ProjectDocument::isModified() const
{
    return recovered || !stack->isClean();
}

QString ProjectDocument::displayName() const
{
    if (!projectFile.isEmpty())
        return QFileInfo(projectFile).fileName();
    if (!recoveredName.isEmpty())
        return recoveredName;
    return QStringLiteral("Untitled");
}

void ProjectDocument::stateChanged()
{
    emit titleChanged();
    const bool modified = isModified();
    if (modified != wasModified) {
        wasModified = modified;
        emit modifiedChanged(modified);
    }
}

// ---------------------------------------------------------------- files

ProjectData ProjectDocument::projectData() const
{
    return projectModel->projectData();
}

void ProjectDocument::applyProjectData(ProjectData &data)
{
    // Opening is not a step: the opened model starts a fresh history.
    projectModel->resetData(ProjectModel::fromProjectData(data));
    stack->clear();
    stack->setClean();
}

bool ProjectDocument::open(const QString &fileName, QString *error, const Accept &accept)
{
    ProjectData data;
    if (!ProjectFile::readFile(fileName, data, error))
        return false;
    if (accept && !accept(data))
        return false;
    applyProjectData(data);
    setCurrentFile(fileName);
    return true;
}

bool ProjectDocument::save(const QString &fileName, QString *error)
{
    if (!ProjectFile::writeFile(fileName, projectData(), error))
        return false;
    // The model is now saved under that name.
    setCurrentFile(fileName);
    return true;
}

bool ProjectDocument::importAnalysis(const QString &fileName, QString *error, const Accept &accept,
                                     QStringList *warnings)
{
    ProjectData data;
    if (!AnalysisReader::readFile(fileName, data, error, warnings))
        return false;
    if (accept && !accept(data))
        return false;
    applyProjectData(data);
    // A new model: the analysis file never becomes its project, so Save asks for a name.
    setCurrentFile(QString());
    recovered = true;
    stateChanged();
    return true;
}

bool ProjectDocument::writeAnalysis(const QString &fileName, QString *error, const Accept &accept)
{
    if (!projectFile.isEmpty() && OutputFile::sameFile(fileName, projectFile)) {
        if (error)
            *error = tr("This is the open project's file itself; it is not overwritten.");
        return false;
    }
    const ProjectData data = projectData();
    if (accept && !accept(data))
        return false;
    return AnalysisWriter::writeFile(fileName, data, error);
}

void ProjectDocument::newProject()
{
    projectModel->resetData(ModelData());
    stack->clear();
    stack->setClean();
    setCurrentFile(QString());
}

void ProjectDocument::setCurrentFile(const QString &fileName)
{
    const bool renamed = fileName != projectFile;
    projectFile = fileName;
    recovered = false;
    recoveredName.clear();
    stack->setClean();
    removeRecovery();
    if (!fileName.isEmpty())
        addRecentFile(fileName);
    if (renamed)
        emit fileChanged(fileName);
    stateChanged();
}

// ---------------------------------------------------------------- recent projects

QStringList ProjectDocument::recentFiles() const
{
    return settings().value(QStringLiteral("recentFiles")).toStringList();
}

void ProjectDocument::setRecentFiles(const QStringList &files)
{
    settings().setValue(QStringLiteral("recentFiles"), files.mid(0, kRecentFiles));
    emit recentFilesChanged();
}

void ProjectDocument::addRecentFile(const QString &fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    setRecentFiles(files);
}

void ProjectDocument::removeRecentFile(const QString &fileName)
{
    QStringList files = recentFiles();
    files.removeAll(fileName);
    setRecentFiles(files);
}

// ---------------------------------------------------------------- recovery

void ProjectDocument::setAutosaveInterval(int milliseconds)
{
    autosaveTimer->setInterval(milliseconds);
}

QString ProjectDocument::recoveryFile() const
{
    return recoveryBase.isEmpty() ? QString() : recoveryBase + QStringLiteral(".kfp");
}

void ProjectDocument::autosave()
{
    if (!isModified()) {
        removeRecovery();
        return;
    }
    if (!recoveryLock) {
        // One set of files per document, locked while it lives, so that two
        // running windows never take each other's.
        QDir().mkpath(recoveryFolder());
        const QString base = recoveryFolder() + QStringLiteral("/window-%1-%2")
                                                     .arg(QCoreApplication::applicationPid())
                                                     .arg(QDateTime::currentMSecsSinceEpoch());
        auto *lock = new QLockFile(base + QStringLiteral(".lock"));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) {
            delete lock;
            return;
        }
        recoveryLock = lock;
        recoveryBase = base;
    }
    QString error;
    if (!ProjectFile::writeFile(recoveryBase + QStringLiteral(".kfp"), projectData(), &error))
        return;   // tried again at the next interval
    QSaveFile info(recoveryBase + QStringLiteral(".info"));
    if (info.open(QIODevice::WriteOnly)) {
        info.write((displayName() + QLatin1Char('\n') + projectFile + QLatin1Char('\n')
                    + QDateTime::currentDateTime().toString(Qt::ISODate) + QLatin1Char('\n'))
                       .toUtf8());
        info.commit();
    }
}

void ProjectDocument::removeRecovery()
{
    if (!recoveryLock)
        return;
    removeRecoveryFiles(recoveryBase);
    recoveryLock->unlock();
    delete recoveryLock;
    recoveryLock = nullptr;
    recoveryBase.clear();
}

bool ProjectDocument::recover(const std::function<bool(const Recovery &)> &ask,
                              const std::function<void(const QString &)> &failed)
{
    const QDir folder(recoveryFolder());
    const QStringList found = folder.entryList({QStringLiteral("*.kfp")}, QDir::Files, QDir::Time);
    const QString ownPrefix = QStringLiteral("window-%1-").arg(QCoreApplication::applicationPid());
    for (const QString &file : found) {
        const QString base = folder.filePath(QFileInfo(file).completeBaseName());
        // Windows of this program are alive, whatever their locks say to this process.
        if (file.startsWith(ownPrefix))
            continue;
        // A file whose program still runs keeps its lock: it is that program's.
        QLockFile lock(base + QStringLiteral(".lock"));
        if (!lock.tryLock(0))
            continue;
        const Recovery info = readInfo(base);
        if (!ask(info)) {
            removeRecoveryFiles(base);
            continue;
        }
        ProjectData data;
        QString error;
        if (!ProjectFile::readFile(base + QStringLiteral(".kfp"), data, &error)) {
            failed(error);
            continue;
        }
        applyProjectData(data);
        setCurrentFile(QString());
        projectFile = info.path;
        recoveredName = info.name;
        recovered = true;
        if (!projectFile.isEmpty())
            emit fileChanged(projectFile);
        stateChanged();
        // Safe in this document's own recovery file before the old one goes.
        autosave();
        if (recoveryLock)
            removeRecoveryFiles(base);
        return true;
    }
    return false;
}
