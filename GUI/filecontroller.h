#ifndef FILECONTROLLER_H
#define FILECONTROLLER_H

// The window's side of the project's files: the questions, file dialogs and
// error boxes around the document, the Open Recent menu and the window title.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class ProjectDocument;
struct ProjectData;
class QMainWindow;
class QMenu;

class FileController : public QObject
{
    Q_OBJECT

public:
    FileController(QMainWindow *window, ProjectDocument *document);

    ProjectDocument *document() const { return doc; }
    // Asked before a file read in becomes the model: whether a grid that large may be drawn.
    void setGridCheck(const std::function<bool(qint64 nodes, qint64 members)> &check) { gridCheck = check; }
    // The menu that lists the recent projects, filled now and whenever the list changes.
    void setRecentMenu(QMenu *menu);

    // Each reports its own failure and returns false.
    bool writeAnalysisFile(const QString &fileName);
    bool writeProjectFile(const QString &fileName);
    bool readProjectFile(const QString &fileName);
    bool readAnalysisFile(const QString &fileName);
    // Ask to save unsaved changes; false when the user cancelled or the save failed.
    bool maybeSave();
    // The window may close: nothing unsaved is lost, and its recovery file goes.
    bool mayClose();
    // Offers, one by one, the recovery files that killed programs left behind.
    bool offerRecovery();
    void showFileError(const QString &fileName, const QString &reason);

public slots:
    void generateFile();
    void generarArchivo();
    void saveFile();
    void saveFileAs();
    void openFile();
    void importAnalysisFile();
    void newFile();
    void openRecentFile(const QString &fileName);

signals:
    // A project or analysis file became the model.
    void opened();
    // New Project, once the changes are saved or let go, just before the model empties.
    void aboutToClear();

private:
    using Accept = std::function<bool(const ProjectData &)>;
    using Read = std::function<bool(QString *error, const Accept &accept)>;
    // Reads a file into the model through the document, or says why not.
    bool readFile(const QString &fileName, const Read &read, const QString &failure);
    // What an import took as written but Generate will write otherwise, in one box.
    void showImportWarnings(const QString &fileName, const QStringList &warnings);
    bool saveProject();
    QString askProjectName(const QString &caption);
    bool gridAccepted(qint64 nodes, qint64 members) const;
    void updateTitle();
    void updateRecentMenu();

    QMainWindow *window;
    ProjectDocument *doc;
    std::function<bool(qint64, qint64)> gridCheck;
    QMenu *recentMenu = nullptr;
};

#endif // FILECONTROLLER_H
