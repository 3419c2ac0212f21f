#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "bar.h"
#include "canvas/canvas.h"
#include "canvas/createmembertool.h"
#include "canvas/scenecontroller.h"
#include "canvas/selecttool.h"
#include "deletememberscommand.h"
#include "dialogcoordinator.h"
#include "docks/analysisfiledock.h"
#include "docks/checkdock.h"
#include "docks/legenddock.h"
#include "editassigndialog.h"
#include "editrecordscommand.h"
#include "exportpicturechoice.h"
#include "finddialog.h"
#include "member.h"
#include "modelsteps.h"
#include "pictureexport.h"
#include "node.h"
#include "projectdata.h"
#include "replicatedialog.h"
#include "settingscommand.h"
#include "startfolder.h"
#include "statusbarpresenter.h"
#include "userguidedialog.h"
#include "windowactions.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      ui(new Ui::MainWindow),
      gridDialog(this),
      loadDialog(this),
      driftDialog(this),
      mtypeDialog(this),
      massDialog(this),
      controlDialog(this),
      quakeDialog(this),
      shapeDialog(this),
      about(this)
{
    Q_INIT_RESOURCE(userguide);   // kept in the static library
    ui->setupUi(this);
    model = new ProjectModel(this);
    stack = new QUndoStack(this);
    document = new ProjectDocument(model, stack, this);
    files = new FileController(this, document);

    // Layouts, so the view and both scroll bars follow the central area.
    auto *central = new QVBoxLayout(ui->centralWidget);
    central->setContentsMargins(6, 6, 6, 6);
    central->addWidget(ui->gridViewGroupBox);
    auto *box = new QVBoxLayout(ui->gridViewGroupBox);
    box->addWidget(ui->gridView);
    ui->gridView->setMinimumSize(100, 80);
    // A first start says what to do, over the empty view.
    emptyHint = new QLabel(tr("Start with Edit \u2192 Grid (Alt+G), or open a project (Ctrl+O)"));
    emptyHint->setObjectName(QStringLiteral("emptyHint"));
    emptyHint->setAlignment(Qt::AlignCenter);
    emptyHint->setWordWrap(true);
    emptyHint->setStyleSheet(QStringLiteral("color: gray; font-size: 14pt;"));
    emptyHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    (new QVBoxLayout(ui->gridView->viewport()))->addWidget(emptyHint);

    // The views of the model, in the order they follow its signals: the scene
    // first, then the dialogs, then what the window itself shows.
    scene = new SceneController(model, ui->gridView, this);
    canvas = new Canvas(ui->gridView, scene, this);
    dialogs = new DialogCoordinator(model, stack,
                                    {&gridDialog, &loadDialog, &driftDialog, &mtypeDialog, &massDialog,
                                     &controlDialog, &quakeDialog, &shapeDialog},
                                    this);
    dialogs->setProjectFile([this] { return currentFile(); });
    status = new StatusBarPresenter(ui->statusBar, model, scene, ui->gridView);
    connect(scene, &SceneController::nodeClicked, this, &MainWindow::barProcedure);
    connect(scene, &SceneController::nodeEditRequested, this, &MainWindow::editNode);
    connect(scene, &SceneController::memberEditRequested, this, &MainWindow::editMember);
    connect(scene, &SceneController::memberDeleteRequested, this, &MainWindow::deleteBar);
    connect(scene, &SceneController::memberActivated, this, &MainWindow::activateDeleteAct);
    connect(scene, &SceneController::memberDeactivated, this, &MainWindow::deactivateDeleteAct);
    connect(scene, &SceneController::typesShown, this, &MainWindow::typesWereShown);
    connect(scene, &SceneController::membersCounted, status, &StatusBarPresenter::showCounts);
    connect(model, &ProjectModel::modelReset, this, &MainWindow::modelWasReset);
    connect(model, &ProjectModel::settingsChanged, this, [this](ProjectModel::Section section) {
        if (section == ProjectModel::Control)
            ui->actionSHAPE->setEnabled(model->shapeEnabled());
        if (section == ProjectModel::Grid)
            emptyHint->setVisible(model->nodes().isEmpty());
    });
    connect(&controlDialog, &controlOptionsDialog::activateShapeAction, this, &MainWindow::activateShapeAction);

    connect(ui->actionOpen_Project, &QAction::triggered, this, &MainWindow::openFile);
    connect(ui->actionSave_Project, &QAction::triggered, this, &MainWindow::saveFile);
    connect(ui->generateFileAction, &QAction::triggered, this, &MainWindow::generateFile);
    connect(ui->quitAction, &QAction::triggered, this, &QWidget::close);
    connect(ui->editControlOptionsAction, &QAction::triggered, this, &MainWindow::showControlOptionsDialog);
    connect(ui->editGridAction, &QAction::triggered, this, &MainWindow::showEditGridDialog);
    connect(ui->editLoadAction, &QAction::triggered, this, &MainWindow::showEditLoadsDialog);
    connect(ui->editDriftAction, &QAction::triggered, this, &MainWindow::showEditDriftDialog);
    connect(ui->editMTypeAction, &QAction::triggered, this, &MainWindow::showEditMTypeDialog);
    connect(ui->editMassAction, &QAction::triggered, this, &MainWindow::showEditMassDialog);
    connect(ui->actionSHAPE, &QAction::triggered, this, &MainWindow::showEditShapeDialog);
    connect(ui->actionEQUAKE, &QAction::triggered, this, &MainWindow::showEditQuakeDialog);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::showAboutDialog);

    actions = WindowActions::make(this);
    createBarAct = actions.value(QStringLiteral("createBarAct"));
    deleteAct = actions.value(QStringLiteral("deleteAct"));
    assignAct = actions.value(QStringLiteral("assignAct"));
    replicateAct = actions.value(QStringLiteral("replicateAct"));
    createTools();
    createDocks();

    // Undo and Redo head the Edit menu and name the step they would take.
    QAction *undoAct = stack->createUndoAction(this, tr("Undo"));
    undoAct->setObjectName(QStringLiteral("undoAct"));
    undoAct->setShortcuts(QKeySequence::Undo);
    QAction *redoAct = stack->createRedoAction(this, tr("Redo"));
    redoAct->setObjectName(QStringLiteral("redoAct"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)))
        redoKeys.append(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redoAct->setShortcuts(redoKeys);
    recentMenu = new QMenu(tr("Open Recent"), this);
    recentMenu->setObjectName(QStringLiteral("menuOpen_Recent"));
    ui->mainToolBar->toggleViewAction()->setObjectName(QStringLiteral("viewMainToolBarAct"));
    ui->editToolBar->toggleViewAction()->setObjectName(QStringLiteral("viewEditToolBarAct"));
    auto *tools = new QMenu(tr("Tools"), this);
    tools->setObjectName(QStringLiteral("menuTools"));
    menuBar()->insertMenu(ui->menuHelp->menuAction(), tools);
    WindowActions::arrange(this);
    files->setRecentMenu(recentMenu);

    if (QClipboard *clipboard = QApplication::clipboard())
        clipboard->setText(QString());

    for (QAction *a : {ui->editLoadAction, ui->editDriftAction, ui->editMTypeAction, ui->editMassAction,
                       ui->editControlOptionsAction, ui->actionEQUAKE, ui->actionSHAPE, createBarAct, deleteAct})
        a->setEnabled(false);
    status->showHint(QString());

    // What the window itself does around the files.
    files->setGridCheck([this](qint64 nodes, qint64 members) { return gridCanBeDrawn(nodes, members); });
    connect(files, &FileController::opened, this, &MainWindow::zoomToFit);
    connect(files, &FileController::aboutToClear, this, [this] {
        createBarAct->setChecked(false);
        createBar();
    });
}

MainWindow::~MainWindow()
{
    disconnect(model, nullptr, this, nullptr);
    disconnect(stack, nullptr, this, nullptr);
    // Before the stack goes: its last signals must not reach the title.
    delete files;
    delete document;
    // The canvas and the scene go before the view they follow and fill: the
    // canvas would otherwise see the view's last events as it is taken apart.
    delete canvas;
    canvas = nullptr;
    delete scene;
    scene = nullptr;
    delete ui;
}

void MainWindow::createTools()
{
    createBarAct->setCheckable(true);
    mtypeCBox = new QComboBox(ui->editToolBar);
    mtypeCBox->setObjectName(QStringLiteral("mtypeCBox"));
    mtypeCBox->setEnabled(false);
    mtypeCBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    quickDrawCBox = new QComboBox(ui->editToolBar);
    quickDrawCBox->setObjectName(QStringLiteral("quickDrawCBox"));
    quickDrawCBox->addItems({tr("Columns"), tr("Beams"), tr("Columns and beams")});
    quickDrawCBox->setCurrentIndex(2);
    quickDrawCBox->setToolTip(tr("Quick draw: in Create member mode, drag a box from away from any node "
                                 "to draw these members between the nodes inside it"));
    quickDrawCBox->setEnabled(false);
    connect(createBarAct, &QAction::changed, this, [this] { quickDrawCBox->setEnabled(createBarAct->isEnabled()); });

    selectTool = new SelectTool(canvas);
    selectTool->setParent(this);
    createTool = new CreateMemberTool(canvas, model, stack, this);
    createTool->setParent(this);
    createTool->typeNumber = [this] { return mtypeCBox->currentIndex() + 1; };
    createTool->quickDrawChoice = [this] { return quickDrawCBox->currentIndex(); };
    createTool->quickDrawText = [this] { return quickDrawCBox->currentText(); };
    connect(createTool, &CreateMemberTool::leaveRequested, this, [this] {
        createBarAct->setChecked(false);
        createBar();
    });
    connect(canvas, &Canvas::hintChanged, this, [this] { status->showHint(canvas->tool()->hint()); });
    connect(canvas, &Canvas::hovered, status, &StatusBarPresenter::showHover);
    canvas->setTool(selectTool);

    selectionTimer = new QTimer(this);
    selectionTimer->setSingleShot(true);
    selectionTimer->setInterval(0);
    connect(selectionTimer, &QTimer::timeout, this, &MainWindow::updateSelectionActions);
    // Removing thousands of selected items signals once per item: count them once.
    connect(scene->scene(), &QGraphicsScene::selectionChanged, selectionTimer, qOverload<>(&QTimer::start));
    assignAct->setEnabled(false);
    replicateAct->setEnabled(false);
}

void MainWindow::createDocks()
{
    checkDock = new CheckDock(model, [this] { return currentFile(); }, this);
    // Saved elsewhere: a relative record name now stands for another file.
    connect(document, &ProjectDocument::fileChanged, checkDock, &CheckDock::refreshIfShown);
    addDockWidget(Qt::BottomDockWidgetArea, checkDock);
    checkDock->hide();
    connect(checkDock, &CheckDock::itemAsked, this, &MainWindow::findItem);

    legendDock = new LegendDock(model, &scene->style(), this);
    addDockWidget(Qt::RightDockWidgetArea, legendDock);
    legendDock->hide();

    analysisDock = new AnalysisFileDock(model, this);
    addDockWidget(Qt::RightDockWidgetArea, analysisDock);
    analysisDock->hide();
    linkAnalysisDock();

    auto *colourBy = new QMenu(tr("Colour members by"), this);
    colourBy->setObjectName(QStringLiteral("menuColourBy"));
    auto *group = new QActionGroup(this);
    for (const char *name : {"colourByCategoryAct", "colourByTypeAct"}) {
        QAction *a = actions.value(QLatin1String(name));
        a->setCheckable(true);
        group->addAction(a);
    }
    actions.value(QStringLiteral("colourByCategoryAct"))->setChecked(true);
    actions.value(QStringLiteral("dimensionsAct"))->setChecked(true);
}

// A line of the analysis file selects what it stands for or opens its dialog.
void MainWindow::linkAnalysisDock()
{
    AnalysisFileDock *d = analysisDock;
    connect(d, &AnalysisFileDock::nodeAsked, this, [this](int n) { findItem(false, n); });
    connect(d, &AnalysisFileDock::memberAsked, this, [this](int n) { findItem(true, n); });
    connect(d, &AnalysisFileDock::typeMembersAsked, scene, &SceneController::selectMembersOfType);
    connect(d, &AnalysisFileDock::typeAsked, this, [this](int n) { dialogs->showMTypes(n - 1); });
    connect(d, &AnalysisFileDock::settingsAsked, this, [this](ProjectModel::Section s) {
        switch (s) {
        case ProjectModel::Drift: dialogs->showDrift(); break;
        case ProjectModel::Quake: dialogs->showQuake(); break;
        case ProjectModel::Shape: dialogs->showShape(); break;
        default: dialogs->showControl(); break;
        }
    });
    connect(d, &AnalysisFileDock::checkModelAsked, this, &MainWindow::showCheckDock);
    connect(d, &AnalysisFileDock::saveAsAsked, files, &FileController::generateFile);
    // Shown, wide enough for a line of the file with its comment in sight.
    connect(d, &QDockWidget::visibilityChanged, this, [this, d](bool shown) {
        if (shown && d->width() < 560 && !d->isFloating())
            resizeDocks({d}, {560}, Qt::Horizontal);
    });
}

// ---------------------------------------------------------------- the model changed

void MainWindow::modelWasReset()
{
    const bool begun = model->data().begun;
    emptyHint->setVisible(model->nodes().isEmpty());
    for (QAction *a : {ui->editLoadAction, ui->editDriftAction, ui->editMTypeAction, ui->editMassAction,
                       ui->editControlOptionsAction, ui->actionEQUAKE})
        a->setEnabled(begun);
    ui->editGridAction->setEnabled(true);
    ui->actionSHAPE->setEnabled(model->shapeEnabled());
}

void MainWindow::typesWereShown()
{
    const QList<Member *> &list = scene->types();
    createBarAct->setEnabled(!list.isEmpty());
    mtypeCBox->setEnabled(!list.isEmpty());
    const int selected = mtypeCBox->currentIndex();
    mtypeCBox->clear();
    for (int k = 0; k < list.size(); ++k)
        mtypeCBox->addItem(QString::number(k + 1) + QLatin1String("  ") + list.at(k)->getLabel());
    if (selected > 0 && selected < mtypeCBox->count())
        mtypeCBox->setCurrentIndex(selected);
    legendDock->refresh();
    status->showCounts();
}

// ---------------------------------------------------------------- the view

void MainWindow::setFactors(double x, double y) { scene->setFactors(x, y); }
QString MainWindow::getXMinLimit() const { return scene->xMinLimit(); }
QString MainWindow::getXMaxLimit() const { return scene->xMaxLimit(); }
QString MainWindow::getYMinLimit() const { return scene->yMinLimit(); }
QString MainWindow::getYMaxLimit() const { return scene->yMaxLimit(); }
void MainWindow::drawLine(double x1, double y1, double x2, double y2) { scene->drawLine(x1, y1, x2, y2); }
void MainWindow::drawId(double x, double y, const QString &text) { scene->drawId(x, y, text); }
void MainWindow::drawNodeId(double x, double y, const QString &text) { scene->drawNodeId(x, y, text); }
void MainWindow::drawXLines() { scene->drawXLines(); }
void MainWindow::drawYLines() { scene->drawYLines(); }
void MainWindow::drawXIds() { scene->drawXIds(); }
void MainWindow::drawYIds() { scene->drawYIds(); }
void MainWindow::drawNodesIds() { scene->drawNodesIds(); }
void MainWindow::setNodes() { scene->setNodes(); }
void MainWindow::updateKupsLists() { scene->updateKupsLists(); }
const QList<Node *> &MainWindow::getNodes() const { return scene->nodes(); }
const QList<Bar *> &MainWindow::getBars() const { return scene->bars(); }
QGraphicsScene *MainWindow::getScene() const { return scene->scene(); }
bool MainWindow::findItem(bool member, int number)
{
    canvas->leaveFit();
    return scene->findItem(member, number);
}
void MainWindow::zoomIn() { canvas->zoomIn(); }
void MainWindow::zoomOut() { canvas->zoomOut(); }
void MainWindow::zoomToFit() { canvas->zoomToFit(); }
bool MainWindow::isCreateBarMode() const { return canvas->tool() == createTool; }
void MainWindow::quickDraw(const QRectF &sceneBox) { createTool->quickDraw(sceneBox); }
void MainWindow::setOptions(bool value) { createTool->setFirstPicked(value); }
void MainWindow::showCheckDock() { checkDock->showNow(); }

Node *MainWindow::drawNode(int id, double x, double y, int nf1, int nf2, int nf3, int kup1, int kup2, int kup3,
                           int iout)
{
    NodeRecord r;
    r.x = x;
    r.y = y;
    r.nf1 = nf1;
    r.nf2 = nf2;
    r.nf3 = nf3;
    r.kup1 = kup1;
    r.kup2 = kup2;
    r.kup3 = kup3;
    r.iout = iout;
    return scene->drawNode(r, id);
}

void MainWindow::setColourByType(bool byType)
{
    if (scene->style().colourByType == byType)
        return;
    scene->setColourByType(byType);
    legendDock->refresh();
    if (byType)
        legendDock->show();
}

void MainWindow::setDimensions(bool on)
{
    scene->setDimensions(on);
}

void MainWindow::setMemberNumbers(bool on)
{
    if (scene->style().memberNumbers != on)
        scene->setMemberNumbers(on);
}

void MainWindow::showUserGuide()
{
    if (!userGuide)
        userGuide = new UserGuideDialog(this);
    userGuide->show();
    userGuide->raise();
    userGuide->activateWindow();
}

void MainWindow::showFindDialog()
{
    if (analysisDock->hasFocusWithin()) {
        analysisDock->openFind();
        return;
    }
    if (!finder)
        finder = new findDialog(this);
    finder->setCounts(int(getNodes().size()), int(getBars().size()));
    if (finder->exec() == QDialog::Accepted)
        findItem(finder->isMember(), finder->getNumber());
}

bool MainWindow::exportPicture(const QString &fileName, bool blackBackground, int pngWidth)
{
    PictureExport::Options options;
    options.blackBackground = blackBackground;
    options.pngWidth = pngWidth;
    options.title = document->displayName();
    options.date = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QString error;
    if (!scene->writePicture(fileName, options, &error)) {
        showFileError(fileName, error);
        return false;
    }
    pictureFile = fileName;
    statusBar()->showMessage(tr("Exported %1").arg(fileName), 5000);
    return true;
}

void MainWindow::showExportPictureDialog()
{
    // In the project's folder, named after it or the last picture; else where the last file went.
    QString start = pictureFile.isEmpty() ? StartFolder::of(QString()) : pictureFile;
    if (!currentFile().isEmpty()) {
        const QFileInfo project(currentFile());
        start = project.absoluteDir().filePath(pictureFile.isEmpty() ? project.completeBaseName() + QStringLiteral(".png")
                                                                     : QFileInfo(pictureFile).fileName());
    }
    const ExportPictureChoice choice = ExportPictureChoice::ask(this, start, pngWidth);
    if (choice.fileName.isEmpty())
        return;
    StartFolder::used(choice.fileName);
    pngWidth = choice.pngWidth;
    exportPicture(choice.fileName, choice.blackBackground, pngWidth);
}

// ---------------------------------------------------------------- window events

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    // A press beside the view lets the selection go, and with it the delete button.
    scene->scene()->clearSelection();
    if (deleteAct->isEnabled())
        deleteAct->setEnabled(false);
    QMainWindow::mousePressEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        canvas->escape();
        scene->scene()->clearSelection();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// ---------------------------------------------------------------- dialogs

void MainWindow::drawAllItems(bool option) { dialogs->gridAccepted(option); }
void MainWindow::showEditGridDialog() { dialogs->showGrid(); }
void MainWindow::showEditLoadsDialog() { dialogs->showLoads(); }
void MainWindow::showEditMassDialog() { dialogs->showMass(); }
void MainWindow::showEditDriftDialog() { dialogs->showDrift(); }
void MainWindow::showEditMTypeDialog() { dialogs->showMTypes(); }
editMTypeDialog *MainWindow::getMTypeDialog()
{
    dialogs->loadMTypesIfStale();
    return &mtypeDialog;
}
void MainWindow::showControlOptionsDialog() { dialogs->showControl(); }
void MainWindow::showEditQuakeDialog() { dialogs->showQuake(); }
void MainWindow::showEditShapeDialog() { dialogs->showShape(); }
void MainWindow::activateShapeAction(bool on) { ui->actionSHAPE->setEnabled(on); }
void MainWindow::activateAlpha(bool on) { shapeDialog.setActivateAlpha(on); }
void MainWindow::updateQuake() { dialogs->quakeAccepted(); }
void MainWindow::updateWeights() { dialogs->weightsAccepted(); }
void MainWindow::updateLoads() { dialogs->loadsAccepted(); }
void MainWindow::updateShape() { dialogs->shapeAccepted(); }
void MainWindow::updateMTypes() { dialogs->mtypesAccepted(); }
void MainWindow::deleteMType(int id) { dialogs->deleteType(model->typeKey(id)); }
void MainWindow::updateDrift(bool setKups) { dialogs->driftAccepted(setKups); }
void MainWindow::updateControlOptions(int) { dialogs->controlAccepted(); }
bool MainWindow::gridCanBeDrawn(qint64 nodes, qint64 members) { return dialogs->gridCanBeDrawn(nodes, members); }

QStringList MainWindow::getDriftIds() const
{
    return ModelCore::driftIds(model->drift().drift, int(model->grid().XLines.size()),
                               int(model->grid().YLines.size()));
}

bool MainWindow::isShow11d() const
{
    const int code = model->control().a[4];
    return code == 5 || code == 7;
}

void MainWindow::setDrift(const QString &value)
{
    DriftSettings d = model->drift();
    d.drift = value;
    dialogs->push(new SettingsCommand<DriftSettings>(model, &ProjectModel::drift, &ProjectModel::setDrift, d,
                                                     tr("Drift")));
}

// ---------------------------------------------------------------- what the items ask for

void MainWindow::editNode(const NodeRecord &record)
{
    dialogs->push(new EditNodesCommand(model, {record}, tr("Edit node %1").arg(model->nodeNumber(record.key))));
}

void MainWindow::editBar(ModelKey key, int mTypeId, int node3, int node4, int iout)
{
    const MemberRecord *old = model->member(key);
    if (!old)
        return;
    MemberRecord next = *old;
    next.type = model->typeKey(mTypeId);
    next.node3 = node3;
    next.node4 = node4;
    next.iout = iout;
    editMember(next);
}

void MainWindow::editMember(const MemberRecord &next)
{
    // A member joins two nodes no other member joins.
    if (!model->member(next.key) || next.source == next.dest || !model->node(next.source) || !model->node(next.dest))
        return;
    const ModelKey other = model->memberBetween(next.source, next.dest);
    if (other && other != next.key)
        return;
    dialogs->push(new EditMembersCommand(model, {next}, tr("Edit member %1").arg(model->memberNumber(next.key))));
}

// ---------------------------------------------------------------- members and selection

void MainWindow::createBar()
{
    const bool on = createBarAct->isChecked();
    setCursor(on ? Qt::UpArrowCursor : Qt::ArrowCursor);
    canvas->setTool(on ? static_cast<CanvasTool *>(createTool) : selectTool);
}

void MainWindow::barProcedure(int nodeId)
{
    if (isCreateBarMode())
        createTool->nodeClicked(nodeId);
}

void MainWindow::deleteBar(int id)
{
    // A member's dialog or the Delete key asks; the model's change removes the item.
    if (id >= 1 && id <= model->members().size())
        stack->push(new DeleteMembersCommand(model, {model->members().at(id - 1).key}));
    deleteAct->setEnabled(false);
}

void MainWindow::activateDeleteAct(int id)
{
    // That member becomes the selection, which the delete button deletes.
    if (id >= 1 && id <= getBars().size()) {
        scene->scene()->clearSelection();
        getBars().at(id - 1)->setSelected(true);
    }
    deleteAct->setEnabled(true);
    scene->setNamedMember(id);
}

void MainWindow::deactivateDeleteAct()
{
    deleteAct->setEnabled(false);
}

void MainWindow::deleteBarByButton()
{
    // Every selected member in one step; the member named alone otherwise.
    QList<ModelKey> keys;
    for (const Bar *bar : scene->selectedBars())
        keys.append(bar->key());
    const int named = scene->namedMember();
    if (keys.isEmpty() && named >= 1 && named <= getBars().size())
        keys.append(getBars().at(named - 1)->key());
    scene->setNamedMember(-1);
    deleteAct->setEnabled(false);
    if (!keys.isEmpty())
        dialogs->push(new DeleteMembersCommand(model, keys));
}

void MainWindow::updateSelectionActions()
{
    int bars = 0, nodes = 0;
    const Bar *single = nullptr;
    const Node *node = nullptr;
    for (QGraphicsItem *item : scene->scene()->selectedItems()) {
        if (item->type() == Bar::Type) {
            ++bars;
            single = static_cast<const Bar *>(item);
        } else if (item->type() == Node::Type) {
            ++nodes;
            node = static_cast<const Node *>(item);
        }
    }
    deleteAct->setEnabled(bars > 0);
    status->showSelection(bars, nodes);
    scene->setNamedMember(bars == 1 ? single->getId() : -1);
    assignAct->setEnabled(bars + nodes > 0);
    const bool one = bars + nodes == 1;
    analysisDock->showItem(bars == 1, !one ? 0 : bars == 1 ? single->getId() : node->getId());
    replicateAct->setEnabled(bars + nodes > 0);
}

void MainWindow::selectedKeys(QList<ModelKey> &members, QList<ModelKey> &nodes) const
{
    for (const Bar *bar : scene->selectedBars())
        members.append(bar->key());
    for (const Node *node : scene->selectedNodes())
        nodes.append(node->key());
}

void MainWindow::showReplicateDialog()
{
    if (!replicateDialog)
        replicateDialog = new ReplicateDialog(this);
    if (replicateDialog->exec() == QDialog::Accepted)
        replicateSelection(replicateDialog->bays(), replicateDialog->storeys(), replicateDialog->times());
}

void MainWindow::replicateSelection(int bays, int storeys, int times)
{
    QList<ModelKey> members, nodes;
    selectedKeys(members, nodes);
    ModelSteps::Replicated made;
    if (QUndoCommand *step = ModelSteps::replicate(model, members, nodes, bays, storeys, times, &made))
        stack->push(step);
    statusBar()->showMessage(made.statusText(), 10000);
}

void MainWindow::showEditAssignDialog()
{
    QList<ModelKey> members, nodes;
    selectedKeys(members, nodes);
    if (members.isEmpty() && nodes.isEmpty())
        return;
    if (!assignDialog)
        assignDialog = new editAssignDialog(this);
    assignDialog->setMTypeList(scene->typeList());
    assignDialog->setCounts(int(members.size()), int(nodes.size()));
    assignDialog->clearFields();
    if (assignDialog->exec() == QDialog::Accepted)
        assignToSelection(members, nodes);
}

void MainWindow::assignToSelection(const QList<ModelKey> &members, const QList<ModelKey> &nodes)
{
    const editAssignDialog *d = assignDialog;
    ModelSteps::Assignment a;
    a.memberType = d->getMType();
    a.memberIout = d->getMemberIout();
    a.nf[0] = d->getNf1();
    a.nf[1] = d->getNf2();
    a.nf[2] = d->getNf3();
    a.nodeIout = d->getNodeIout();
    a.weights[0] = d->getWx();
    a.weights[1] = d->getWy();
    a.weights[2] = d->getWd();
    a.loads[0] = d->getFx();
    a.loads[1] = d->getFy();
    a.loads[2] = d->getFm();
    if (QUndoCommand *step = ModelSteps::assign(model, members, nodes, a))
        stack->push(step);
}


// ---------------------------------------------------------------- files

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->setAccepted(files->mayClose());
}
