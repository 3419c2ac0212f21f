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

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

const qint64 kMaxInfoSize = 64 * 1024;
const qint64 kMaxRecoverySize = 256 * 1024 * 1024;   // as any project file

enum class Found { Read, Missing, Odd, Failed };

// Reads at most `maxSize` bytes of a file in the recovery folder. Only a
// regular file is opened: a FIFO there would block the open for ever, a
// device (a link to /dev/zero) be read for ever; such a file is Odd and left
// alone. Failed gives the system's reason in *error.
Found readRecoveryFile(const QString &path, qint64 maxSize, QByteArray *content, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0) {
        if (errno == ENOENT)
            return Found::Missing;
        *error = OutputFile::systemReason(errno);
        return Found::Failed;
    }
    if (S_ISDIR(st.st_mode)) {
        *error = OutputFile::systemReason(EISDIR);
        return Found::Failed;
    }
    if (!S_ISREG(st.st_mode))
        return Found::Odd;
    // Never blocks, and the opened file is checked again: it may have been swapped since.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *error = OutputFile::systemReason(errno);
        return Found::Failed;
    }
    Found found = Found::Read;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        found = Found::Odd;
    content->clear();
    char buffer[65536];
    // One byte over the limit tells a file that is too large.
    while (found == Found::Read && content->size() <= maxSize) {
        const ssize_t n = ::read(fd, buffer, size_t(qMin<qint64>(sizeof buffer, maxSize + 1 - content->size())));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = OutputFile::systemReason(errno);
            found = Found::Failed;
        } else if (n == 0) {
            break;
        } else {
            content->append(buffer, n);
        }
    }
    ::close(fd);
    if (found == Found::Read && content->size() > maxSize) {
        *error = QCoreApplication::translate("ProjectDocument", "It is larger than %1 bytes.").arg(maxSize);
        found = Found::Failed;
    }
    if (found != Found::Read)
        content->clear();
    return found;
}

// The name and time a recovery file stands for are kept beside it. An .info
// that cannot be read, or is larger than any this program writes, is not ours.
ProjectDocument::Recovery readInfo(const QString &base)
{
    ProjectDocument::Recovery info;
    QByteArray bytes;
    QString error;
    if (readRecoveryFile(base + QStringLiteral(".info"), kMaxInfoSize, &bytes, &error) == Found::Read) {
        const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
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

// Only a regular file or nothing: anything else is not this program's.
bool regularOrMissing(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return errno == ENOENT;
    return S_ISREG(st.st_mode);
}

void removeRecoveryFiles(const QString &base)
{
    const QString file = base + QStringLiteral(".kfp");
    if (!QFile::remove(file))
        QDir().rmdir(file);   // a folder only when empty: nothing in it is ever deleted
    // Odd files are left where they are.
    if (regularOrMissing(base + QStringLiteral(".info")))
        QFile::remove(base + QStringLiteral(".info"));
}

// A recovery file kept unread, as it was when the user kept it: offered again once it changes.
QString keptKey(const QString &file)
{
    const QFileInfo fi(file);
    if (!fi.exists() && !fi.isSymLink())
        return QString();
    return QStringLiteral("%1 %2 %3")
        .arg(fi.size())
        .arg(fi.lastModified().toMSecsSinceEpoch())
        .arg(fi.absoluteFilePath());
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
                              const std::function<bool(const Recovery &, const QString &)> &unreadable)
{
    const QDir folder(recoveryFolder());
    // Folders and odd files are listed too: each is looked at before anything opens it.
    const QStringList found = folder.entryList({QStringLiteral("*.kfp")},
                                               QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot,
                                               QDir::Time);
    const QString ownPrefix = QStringLiteral("window-%1-").arg(QCoreApplication::applicationPid());
    // Only what is still there as it was is remembered.
    const QStringList wasKept = settings().value(QStringLiteral("keptRecoveryFiles")).toStringList();
    QStringList kept;
    for (const QString &key : wasKept)
        if (keptKey(key.section(QLatin1Char(' '), 2)) == key)
            kept << key;
    const auto remember = [&] {
        if (kept != wasKept)
            settings().setValue(QStringLiteral("keptRecoveryFiles"), kept);
    };
    for (const QString &file : found) {
        const QString base = folder.filePath(file.chopped(4));
        // Windows of this program are alive, whatever their locks say to this process.
        if (file.startsWith(ownPrefix))
            continue;
        // QLockFile opens and reads its files: a FIFO there would block it for
        // ever. Without a lock to ask, the file may belong to a running program:
        // left alone.
        const QString lockName = base + QStringLiteral(".lock");
        if (!regularOrMissing(lockName) || !regularOrMissing(lockName + QStringLiteral(".rmlock")))
            continue;
        // A file whose program still runs keeps its lock: it is that program's.
        QLockFile lock(lockName);
        if (!lock.tryLock(0))
            continue;
        const QString path = base + QStringLiteral(".kfp");
        QByteArray content;
        QString error;
        const Found read = readRecoveryFile(path, kMaxRecoverySize, &content, &error);
        if (read == Found::Missing || read == Found::Odd)
            continue;
        ProjectData data;
        const bool readable = read == Found::Read && ProjectFile::read(content, data, &error);
        content.clear();
        const Recovery info = readInfo(base);
        if (!readable) {
            // Offered once: kept, it is not asked about again until it changes.
            const QString key = keptKey(path);
            if (kept.contains(key))
                continue;
            if (unreadable(info, error))
                removeRecoveryFiles(base);
            const QString now = keptKey(path);
            if (!now.isEmpty())
                kept << now;
            continue;
        }
        if (!ask(info)) {
            removeRecoveryFiles(base);
            continue;
        }
        remember();
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
    remember();
    return false;
}
