#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QStringList>

#include "aboutdialog.h"
#include "controloptionsdialog.h"
#include "editdriftdialog.h"
#include "editgriddialog.h"
#include "editloadsdialog.h"
#include "editmassdialog.h"
#include "editmtypedialog.h"
#include "editquakedialog.h"
#include "editshapedialog.h"

#include "filecontroller.h"
#include "projectdocument.h"
#include "projectmodel.h"

class Bar;
class Canvas;
class AnalysisFileDock;
class CheckDock;
class CreateMemberTool;
class DialogCoordinator;
class LegendDock;
class Node;
class QAction;
class QComboBox;
class QGraphicsScene;
class QLabel;
class QMenu;
class QTimer;
class QUndoStack;
class ReplicateDialog;
class SceneController;
class SelectTool;
class StatusBarPresenter;
class editAssignDialog;
class findDialog;
struct ProjectData;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // File entry points behind the slots; each reports its own failure and returns false.
    bool writeAnalysisFile(const QString &fileName) { return files->writeAnalysisFile(fileName); }
    bool writeProjectFile(const QString &fileName) { return files->writeProjectFile(fileName); }
    bool readProjectFile(const QString &fileName) { return files->readProjectFile(fileName); }
    // Makes a new, unsaved model of an analysis input file (File > Import Analysis File...).
    bool readAnalysisFile(const QString &fileName) { return files->readAnalysisFile(fileName); }

    // The whole model as the file writers see it, and a freshly read project made the model.
    ProjectData collectProjectData() const { return document->projectData(); }
    void applyProjectData(ProjectData &data) { document->applyProjectData(data); }

    // The model behind the window, and the stack every edit of it goes through.
    ProjectModel *projectModel() const { return model; }
    QUndoStack *undoStack() const { return stack; }
    // The model's file state.
    ProjectDocument *projectDocument() const { return document; }

    // The project file the model was opened from or last saved to; empty for a new model.
    QString currentFile() const { return document->fileName(); }
    // Changes not saved: the history is away from its saved state, or the model was recovered or imported.
    bool isModelModified() const { return document->isModified(); }
    // Ask to save unsaved changes; false when the user cancelled or the save failed.
    bool maybeSave() { return files->maybeSave(); }

    // Unsaved changes are written to this window's recovery file at this interval.
    void setAutosaveInterval(int milliseconds) { document->setAutosaveInterval(milliseconds); }
    QString recoveryFile() const { return document->recoveryFile(); }
    // Offers, one by one, the recovery files that programs which were killed left
    // behind; true when one was recovered into this window.
    bool offerRecovery() { return files->offerRecovery(); }
    // The projects opened or saved last, newest first.
    QStringList recentFiles() const { return document->recentFiles(); }

    // The whole model as drawn, to PNG (pngWidth pixels wide), SVG or PDF (a
    // report page with a title block) by the extension; white paper unless the
    // screen's black is asked for. Reports its own failure.
    bool exportPicture(const QString &fileName, bool blackBackground = false, int pngWidth = 2400);
    // Selects node or member `number` (from 1) alone and centres the view on it.
    bool findItem(bool member, int number);

    void setFactors(double x, double y);
    QString getXMinLimit() const;
    QString getXMaxLimit() const;
    QString getYMinLimit() const;
    QString getYMaxLimit() const;
    QList<double> sortLines(const QStringList &lines) const { return ModelCore::sortLines(lines); }
    void drawLine(double x1, double y1, double x2, double y2);
    void drawId(double x, double y, const QString &text);
    void drawNodeId(double x, double y, const QString &text);
    void drawXLines();
    void drawYLines();
    void drawXIds();
    void drawYIds();
    void drawNodesIds();
    void setNodes();
    Node *drawNode(int id, double x, double y, int nf1, int nf2, int nf3, int kup1, int kup2, int kup3,
                   int iout);

    // Read access for the program's own checks and tests.
    const QList<Node *> &getNodes() const;
    const QList<Bar *> &getBars() const;
    QStringList getDriftIds() const;
    QString getDrift() const { return model->drift().drift; }
    QGraphicsScene *getScene() const;
    QComboBox *getMTypeComboBox() const { return mtypeCBox; }
    bool isShow11d() const;
    bool isCreateBarMode() const;
    // Quick draw: a member on every free grid segment whose nodes lie in the box
    // (scene coordinates), for the tool bar's choice of columns and beams; one step.
    void quickDraw(const QRectF &sceneBox);
    editGridDialog *getGridDialog() { return &gridDialog; }
    editLoadsDialog *getLoadDialog() { return &loadDialog; }
    editDriftDialog *getDriftDialog() { return &driftDialog; }
    // Loaded first when the types changed while it was hidden.
    editMTypeDialog *getMTypeDialog();
    editMassDialog *getMassDialog() { return &massDialog; }
    controlOptionsDialog *getControlDialog() { return &controlDialog; }
    editQuakeDialog *getQuakeDialog() { return &quakeDialog; }
    editShapeDialog *getShapeDialog() { return &shapeDialog; }
    aboutDialog *getAboutDialog() { return &about; }

public slots:
    void drawAllItems(bool option);
    void zoomIn();
    void zoomOut();
    // The whole model in view.
    void zoomToFit();
    // View → Colour members by: their type's colour (with the legend) or their category's.
    void setColourByType(bool byType);
    // View → Member numbers.
    void setMemberNumbers(bool on);
    // Tools → Check Model: the dock listing the model's problems.
    void showCheckDock();

    void showEditGridDialog();
    void showEditLoadsDialog();
    void showEditMassDialog();
    void showEditDriftDialog();
    void showEditMTypeDialog();
    void showControlOptionsDialog();
    void showEditQuakeDialog();
    void showEditShapeDialog();
    void showAboutDialog() { about.exec(); }
    // Help → User Guide (F1).
    void showUserGuide();
    void showFindDialog();
    void showExportPictureDialog();

    void activateShapeAction(bool on);
    void activateAlpha(bool on);
    void setOptions(bool value);

    void createBar();
    void barProcedure(int nodeId);
    void deleteBar(int id);
    void activateDeleteAct(int id);
    void deactivateDeleteAct();
    void deleteBarByButton();
    // Edit → Assign to Selection…
    void showEditAssignDialog();
    // Edit → Replicate…: its dialog, then replicateSelection.
    void showReplicateDialog();
    // Copy k (1 to times) of the selected members and nodes lands k × bays column
    // lines and k × storeys floor lines away; one step, and a word in the status bar.
    void replicateSelection(int bays, int storeys, int times);
    // View → Dimensions: bay widths and storey heights.
    void setDimensions(bool on);

    void updateKupsLists();
    void updateMTypes();
    void deleteMType(int id);
    void updateDrift(bool setKups);
    void setDrift(const QString &value);
    void updateControlOptions(int ictype);

    void generateFile() { files->generateFile(); }
    void generarArchivo() { files->generarArchivo(); }
    void saveFile() { files->saveFile(); }
    void openFile() { files->openFile(); }
    void importAnalysisFile() { files->importAnalysisFile(); }
    void newFile() { files->newFile(); }
    void saveFileAs() { files->saveFileAs(); }
    void openRecentFile(const QString &fileName) { files->openRecentFile(fileName); }

    // The window's dialogs' OK: each turns what changed into one step.
    void updateQuake();
    void updateWeights();
    void updateLoads();
    void updateShape();
    void editNode(const NodeRecord &record);
    void editBar(ModelKey key, int mTypeId, int node3, int node4, int iout);

private slots:
    // The actions that act on the selection follow it.
    void updateSelectionActions();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createTools();
    void createDocks();
    void linkAnalysisDock();
    // The model was replaced, its types changed: what the window shows of it follows.
    void modelWasReset();
    void typesWereShown();
    // A member's new record, as its dialog or setters ask: one step, none when it is unchanged or
    // would join a node to itself or two nodes another member joins.
    void editMember(const MemberRecord &next);
    void assignToSelection(const QList<ModelKey> &members, const QList<ModelKey> &nodes);
    void selectedKeys(QList<ModelKey> &members, QList<ModelKey> &nodes) const;
    void showFileError(const QString &fileName, const QString &reason) { files->showFileError(fileName, reason); }
    bool gridCanBeDrawn(qint64 nodes, qint64 members);

    Ui::MainWindow *ui;
    editGridDialog gridDialog;
    editLoadsDialog loadDialog;
    editDriftDialog driftDialog;
    editMTypeDialog mtypeDialog;
    editMassDialog massDialog;
    controlOptionsDialog controlDialog;
    editQuakeDialog quakeDialog;
    editShapeDialog shapeDialog;
    aboutDialog about;
    ProjectModel *model = nullptr;
    QUndoStack *stack = nullptr;
    SceneController *scene = nullptr;
    Canvas *canvas = nullptr;
    SelectTool *selectTool = nullptr;
    CreateMemberTool *createTool = nullptr;
    DialogCoordinator *dialogs = nullptr;
    StatusBarPresenter *status = nullptr;
    CheckDock *checkDock = nullptr;
    LegendDock *legendDock = nullptr;
    AnalysisFileDock *analysisDock = nullptr;
    QHash<QString, QAction *> actions;   // the window's own, by object name
    QAction *createBarAct = nullptr;
    QAction *deleteAct = nullptr;
    QAction *assignAct = nullptr;
    QAction *replicateAct = nullptr;
    QComboBox *mtypeCBox = nullptr;
    QComboBox *quickDrawCBox = nullptr;
    editAssignDialog *assignDialog = nullptr;
    ReplicateDialog *replicateDialog = nullptr;
    findDialog *finder = nullptr;   // made on first use
    QString pictureFile;            // the last picture exported
    int pngWidth = 2400;            // and the width last asked of a PNG
    QTimer *selectionTimer = nullptr;   // one update for a burst of selection changes
    ProjectDocument *document = nullptr;   // the file state
    FileController *files = nullptr;       // its questions, dialogs and title
    QMenu *recentMenu = nullptr;
    QLabel *emptyHint = nullptr;
    QDialog *userGuide = nullptr;   // made on first use   // shown while there is no grid
};

#endif // MAINWINDOW_H
