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

#include "drawingstyle.h"
#include "filecontroller.h"
#include "projectdocument.h"
#include "projectmodel.h"

class QAction;
class QComboBox;
class QLabel;
class QDockWidget;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QRubberBand;
class QTimer;
class editAssignDialog;
class QGraphicsScene;
class QUndoCommand;
class QUndoStack;
class ModelLayer;
class QGraphicsItem;
class Node;
class Bar;
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

    // The whole model as drawn, to PNG, SVG or PDF by the extension; white
    // paper unless the screen's black is asked for. Reports its own failure.
    bool exportPicture(const QString &fileName, bool blackBackground = false);
    // Selects node or member `number` (from 1) alone and centres the view on it.
    bool findItem(bool member, int number);

    void setFactors(double x, double y);
    QString getXMinLimit() const;
    QString getXMaxLimit() const;
    QString getYMinLimit() const;
    QString getYMaxLimit() const;
    QList<double> sortLines(const QStringList &lines) const;
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
    const QList<Node *> &getNodes() const { return newNodes; }
    const QList<Bar *> &getBars() const { return newBars; }
    QStringList getDriftIds() const;
    QString getDrift() const;
    QGraphicsScene *getScene() const { return scene; }
    QComboBox *getMTypeComboBox() const { return mtypeCBox; }
    bool isShow11d() const;
    bool isCreateBarMode() const { return createBarMode; }
    // Quick draw: a member on every free grid segment whose nodes lie in the box
    // (scene coordinates), for the tool bar's choice of columns and beams; one step.
    void quickDraw(const QRectF &sceneBox);
    int getIctype() const { return ictype; }
    editGridDialog *getGridDialog() { return &gridDialog; }
    editLoadsDialog *getLoadDialog() { return &loadDialog; }
    editDriftDialog *getDriftDialog() { return &driftDialog; }
    editMTypeDialog *getMTypeDialog() { return &mtypeDialog; }
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
    void showAboutDialog();
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
    // The model changed: the views follow.
    void rebuildScene();
    void nodesChanged(const QList<ModelKey> &keys);
    void membersInserted(const QList<ModelKey> &keys);
    void membersRemoved(const QList<ModelKey> &keys);
    void membersChanged(const QList<ModelKey> &keys);
    void typesChanged();
    void settingsChanged(ProjectModel::Section section);
    // The actions that act on the selection follow it.
    void updateSelectionActions();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // The view's wheel zoom, middle-button pan and hover read-out.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void init();
    void createActions();
    void updateControlCounts();
    // Status bar: what lies under the cursor, the model's size, the mode's next step.
    void createStatusBar();
    void createFindAndExportActions();
    void createCheckDock();
    // Box selection, Assign to Selection and quick draw.
    void createSelectionTools();
    // Selects the nodes and members wholly inside a scene box; without `add` alone.
    void selectInBox(const QRectF &sceneBox, bool add);
    // The view's mouse before the view: quick draw, and right presses beside any item.
    bool viewMouseEvent(QEvent *event);
    QList<Bar *> selectedBars() const;
    QList<Node *> selectedNodes() const;
    void assignToSelection(const QList<ModelKey> &members, const QList<ModelKey> &nodes);
    void createDrawingActions();
    void refreshLegend();
    void scheduleCheck();
    void refreshCheck();
    void showProblem(QListWidgetItem *item);
    void showHover(const QPoint &viewPos);
    void updateStatusCounts();
    void updateModeHint();
    void zoomAbout(const QPoint &viewPos, double factor);
    void syncControlCounts();
    void showFileError(const QString &fileName, const QString &reason) { files->showFileError(fileName, reason); }
    Bar *addBar(Node *start, Node *end, int id, int mTypeId, int iout);
    void setModelActionsEnabled();
    // Pushes the step, or drops it when it would change nothing.
    template <typename C>
    void push(C *command);
    void pushStep(QUndoCommand *command);
    Bar *makeBar(const MemberRecord &record, int number);
    void showBar(Bar *bar, const MemberRecord &record);
    void renumberBars(int from);
    QList<Member *> typeList() const;
    // Dialogs load the model's values (all of them on a reset).
    void loadControlDialog();
    void loadDriftDialog();
    void loadQuakeDialog();
    void loadTableDialogs();
    void loadMTypeDialog();
    void loadGridDialog();
    // Files: the File menu's Import entry, and the window's question before a large grid is drawn.
    void createImportAction(QMenu *file);
    bool gridCanBeDrawn(qint64 nodes, qint64 members);
    // For each new line in ascending order, the old line it continues, or -1.
    static QList<int> lineOrigins(const QStringList &oldLines, const QStringList &newLines, const QList<int> &rows);

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
    QHash<ModelKey, Node *> nodeItems;
    QHash<ModelKey, Bar *> barItems;
    QList<Member *> shownTypes;   // the model's type records, as the items look them up
    // Set while a dialog's own change goes through: that dialog already shows it.
    bool fromDialog = false;
    ProjectDocument *document = nullptr;   // the file state
    FileController *files = nullptr;       // its questions, dialogs and title
    QMenu *recentMenu = nullptr;
    bool candrawbar = false;
    Node *initialNode = nullptr;
    Node *finalNode = nullptr;
    double XFactor = 20.0;
    double YFactor = -20.0;
    QList<Node *> newNodes;
    QList<Bar *> newBars;
    QList<QGraphicsItem *> gridItems;   // the grid's lines and ids
    ModelLayer *layer = nullptr;        // draws them all when the view is zoomed out
    int barIdSelected = -1;
    bool createBarMode = false;
    int ictype = 0;
    QGraphicsScene *scene = nullptr;
    QAction *zoomOutAct = nullptr;
    QAction *zoomInAct = nullptr;
    QAction *zoomToFitAct = nullptr;
    QAction *findAct = nullptr;
    QAction *exportPictureAct = nullptr;
    findDialog *finder = nullptr;   // made on first use
    QString pictureFile;            // the last picture exported
    QLabel *coordinatesLabel = nullptr;
    QLabel *hoverLabel = nullptr;
    QLabel *modeLabel = nullptr;
    QLabel *countsLabel = nullptr;
    QDockWidget *checkDock = nullptr;
    QDockWidget *legendDock = nullptr;
    QListWidget *legendList = nullptr;
    DrawingStyle drawing;   // what the items draw besides their records
    QListWidget *checkList = nullptr;
    QTimer *checkTimer = nullptr;   // coalesces the refreshes of a burst of edits
    QPoint panFrom;
    bool panning = false;
    bool fitWhenShown = false;   // opened before the window had its size
    QAction *viewEditToolBarAct = nullptr;
    QAction *viewMainToolBarAct = nullptr;
    QAction *generateAct = nullptr;
    QAction *openAct = nullptr;
    QAction *saveAct = nullptr;
    QAction *deleteAct = nullptr;
    QAction *createBarAct = nullptr;
    QAction *undoAct = nullptr;
    QAction *redoAct = nullptr;
    QComboBox *mtypeCBox = nullptr;
    QAction *assignAct = nullptr;
    QComboBox *quickDrawCBox = nullptr;
    editAssignDialog *assignDialog = nullptr;
    QRubberBand *quickDrawBand = nullptr;
    QPoint quickDrawFrom;
    bool quickDrawing = false;
    bool selectingBox = false;   // a select-mode box is being dragged
    Qt::KeyboardModifiers boxModifiers;
    QTimer *selectionTimer = nullptr;   // one update for a burst of selection changes
};

#endif // MAINWINDOW_H
