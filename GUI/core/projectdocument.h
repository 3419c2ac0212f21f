#ifndef PROJECTDOCUMENT_H
#define PROJECTDOCUMENT_H

// The project as a file: which file the model belongs to, whether it has
// changed since, the recent projects, and the recovery files that keep
// unsaved changes safe from a killed program. Asks nothing itself: failures
// come back as reasons, questions go to the caller's callbacks.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class ProjectModel;
class QLockFile;
class QTimer;
class QUndoStack;
struct ProjectData;

class ProjectDocument : public QObject
{
    Q_OBJECT

public:
    // Told the data a file just gave or is about to take; false stops there
    // (e.g. a grid too large to draw).
    using Accept = std::function<bool(const ProjectData &data)>;

    // What a recovery file left by a killed program stands for.
    struct Recovery {
        QString name;   // the name the program showed
        QString path;   // its project file, if it had one
        QDateTime time;
    };

    ProjectDocument(ProjectModel *model, QUndoStack *undoStack, QObject *parent = nullptr);
    ~ProjectDocument() override;

    ProjectModel *model() const { return projectModel; }

    // The project file the model was opened from or last saved to; empty for a new model.
    QString fileName() const { return projectFile; }
    // Changes not saved: the history is away from its saved state, or the model was recovered or imported.
    bool isModified() const;
    // The project's name as shown: its file's, a recovered model's, or "Untitled".
    QString displayName() const;

    // The whole model as the file writers see it, and a read project made the model with a fresh history.
    ProjectData projectData() const;
    void applyProjectData(ProjectData &data);

    // Each returns false with the reason in *error; a refused or failed file changes nothing.
    // A file `accept` refuses also returns false, with no reason.
    bool open(const QString &fileName, QString *error, const Accept &accept = Accept());
    bool save(const QString &fileName, QString *error);
    // A new, unsaved and untitled model of an analysis input file; *warnings as AnalysisReader::read gives them.
    bool importAnalysis(const QString &fileName, QString *error, const Accept &accept = Accept(),
                        QStringList *warnings = nullptr);
    // The analysis input file; never over the project's own file.
    bool writeAnalysis(const QString &fileName, QString *error, const Accept &accept = Accept());
    // An empty model, untitled and saved.
    void newProject();

    // The projects opened or saved last, newest first; shared by every window.
    QStringList recentFiles() const;
    void removeRecentFile(const QString &fileName);

    // Unsaved changes are written to this document's recovery file at this interval.
    void setAutosaveInterval(int milliseconds);
    QString recoveryFile() const;
    // Writes the recovery file now when there are unsaved changes, else removes it.
    void autosave();
    void removeRecovery();
    // Goes through the recovery files other programs left behind, newest first:
    // `ask` says whether to recover one (else it is deleted). One that cannot
    // be read goes to `unreadable` with the reason, which says whether to
    // delete it; kept, it is not offered again until it changes. Files that
    // are not regular ones (a FIFO, a device) are never opened. True when one
    // became the model.
    bool recover(const std::function<bool(const Recovery &)> &ask,
                 const std::function<bool(const Recovery &, const QString &error)> &unreadable);

signals:
    void fileChanged(const QString &fileName);
    void modifiedChanged(bool modified);
    // The display name or the modified state may have changed.
    void titleChanged();
    void recentFilesChanged();

private:
    // The model and that file agree now: opened, saved or new.
    void setCurrentFile(const QString &fileName);
    void addRecentFile(const QString &fileName);
    void setRecentFiles(const QStringList &files);
    void stateChanged();

    ProjectModel *projectModel;
    QUndoStack *stack;
    QString projectFile;
    QString recoveredName;      // the name a recovered model had, until it is saved
    bool recovered = false;     // a recovered or imported model counts as modified until saved
    bool wasModified = false;   // as last announced
    QTimer *autosaveTimer = nullptr;
    QString recoveryBase;       // this document's recovery files, without suffix
    QLockFile *recoveryLock = nullptr;
};

#endif // PROJECTDOCUMENT_H
