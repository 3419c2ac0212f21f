#ifndef DIALOGCOORDINATOR_H
#define DIALOGCOORDINATOR_H

#include <QList>
#include <QObject>

#include <functional>

#include "projectmodel.h"

class MainWindow;
class QUndoCommand;
class QUndoStack;
class QWidget;
class controlOptionsDialog;
class editDriftDialog;
class editGridDialog;
class editLoadsDialog;
class editMTypeDialog;
class editMassDialog;
class editQuakeDialog;
class editShapeDialog;

// The window's eight model dialogs: each is loaded from the model when shown
// and after every step that touched its data, and its OK becomes one step
// (none when nothing changed). The dialogs keep no copy that can drift. The
// member-type dialog copies every type, so while hidden it is only marked
// stale and loaded when shown or read.
class DialogCoordinator : public QObject
{
    Q_OBJECT
public:
    struct Dialogs {
        editGridDialog *grid;
        editLoadsDialog *loads;
        editDriftDialog *drift;
        editMTypeDialog *mtype;
        editMassDialog *mass;
        controlOptionsDialog *control;
        editQuakeDialog *quake;
        editShapeDialog *shape;
    };
    DialogCoordinator(ProjectModel *model, QUndoStack *stack, const Dialogs &dialogs, QWidget *window);

    // Pushes the step, or drops it when it would change nothing.
    template <typename C>
    void push(C *command);

    void showGrid();
    void showLoads();
    void showMass();
    void showDrift();
    // On the type at `index` (from 0), or on the one it showed last.
    void showMTypes(int index = -1);
    void showControl();
    void showQuake();
    void showShape();

    // The OKs.
    void gridAccepted(bool gridDefaults);
    void quakeAccepted();
    void weightsAccepted();
    void loadsAccepted();
    void shapeAccepted();
    void controlAccepted();
    void driftAccepted(bool setKups);
    void mtypesAccepted();
    void deleteType(ModelKey key);
    // Asks before a type that members use goes; true to delete it.
    bool mayDeleteType(ModelKey key);

    // The model's file, whose folder holds a relative earthquake record name.
    void setProjectFile(std::function<QString()> source) { projectFile = std::move(source); }

    // What the window may draw: false (after saying why) when a grid is too large.
    bool gridCanBeDrawn(qint64 nodes, qint64 members);

    // Every dialog shows the model (after a reset).
    void loadAll();
    void loadControl();
    // The member-type dialog shows the model, before anything reads it while hidden.
    void loadMTypesIfStale();

private:
    void pushStep(QUndoCommand *command);
    void settingsChanged(ProjectModel::Section section);
    void loadGrid();
    void loadDrift();
    void loadQuake();
    void loadTables();
    void loadMTypes(int select = -1);
    void typesChanged();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void syncCounts();
    // For each new line in ascending order, the old line it continues, or -1.
    static QList<int> lineOrigins(const QStringList &oldLines, const QStringList &newLines, const QList<int> &rows);

    ProjectModel *model;
    QUndoStack *stack;
    Dialogs d;
    QWidget *window;
    std::function<QString()> projectFile;
    QList<ModelKey> mtypeKeys;   // the model's type keys the member-type dialog shows, in its order
    bool mtypesStale = false;    // the types changed while that dialog was hidden
    bool mtypeStep = false;      // a step the dialog itself asked for is being pushed
};

template <typename C>
void DialogCoordinator::push(C *command)
{
    if (command->isEmpty()) {
        delete command;
        return;
    }
    pushStep(command);
}

#endif // DIALOGCOORDINATOR_H
