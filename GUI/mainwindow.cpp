#include "mainwindow.h"
#include "modellayer.h"
#include "ui_mainwindow.h"

#include "bar.h"
#include "createmembercommand.h"
#include "deletememberscommand.h"
#include "editassigndialog.h"
#include "editrecordscommand.h"
#include "finddialog.h"
#include "imagefiles.h"
#include "member.h"
#include "node.h"
#include "membertypecommand.h"
#include "modelcheck.h"
#include "pictureexport.h"
#include "projectdata.h"
#include "resetmodelcommand.h"
#include "settingscommand.h"

#include <QAction>
#include <QActionGroup>
#include <QFontMetricsF>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QListWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QGraphicsSceneHelpEvent>
#include <QGraphicsView>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QIcon>
#include <QMessageBox>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QKeyEvent>
#include <QRubberBand>
#include <QSet>
#include <QToolBar>
#include <QUndoStack>

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
    ui->setupUi(this);
    model = new ProjectModel(this);
    stack = new QUndoStack(this);
    document = new ProjectDocument(model, stack, this);
    files = new FileController(this, document);

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

    connect(&gridDialog, &editGridDialog::updateGrid, this, &MainWindow::drawAllItems);
    connect(&driftDialog, &editDriftDialog::updateDrift, this, &MainWindow::updateDrift);
    connect(&controlDialog, &controlOptionsDialog::updateControlOptions, this, &MainWindow::updateControlOptions);
    connect(&mtypeDialog, &editMTypeDialog::updateMTypes, this, &MainWindow::updateMTypes);
    connect(&mtypeDialog, &editMTypeDialog::deleteMType, this, &MainWindow::deleteMType);
    connect(&controlDialog, &controlOptionsDialog::activateShapeAction, this, &MainWindow::activateShapeAction);
    connect(&controlDialog, &controlOptionsDialog::activateAlpha, this, &MainWindow::activateAlpha);
    connect(&quakeDialog, &editQuakeDialog::updateQuake, this, &MainWindow::updateQuake);
    connect(&massDialog, &editMassDialog::stored, this, &MainWindow::updateWeights);
    connect(&loadDialog, &editLoadsDialog::stored, this, &MainWindow::updateLoads);
    connect(&shapeDialog, &editShapeDialog::stored, this, &MainWindow::updateShape);

    connect(model, &ProjectModel::modelReset, this, &MainWindow::rebuildScene);
    connect(model, &ProjectModel::nodesChanged, this, &MainWindow::nodesChanged);
    connect(model, &ProjectModel::membersInserted, this, &MainWindow::membersInserted);
    connect(model, &ProjectModel::membersRemoved, this, &MainWindow::membersRemoved);
    connect(model, &ProjectModel::membersChanged, this, &MainWindow::membersChanged);
    connect(model, &ProjectModel::typesChanged, this, &MainWindow::typesChanged);
    connect(model, &ProjectModel::settingsChanged, this, &MainWindow::settingsChanged);

    init();

    if (QClipboard *clipboard = QApplication::clipboard())
        clipboard->setText(QString());

    ui->editLoadAction->setEnabled(false);
    ui->editDriftAction->setEnabled(false);
    ui->editMTypeAction->setEnabled(false);
    ui->editMassAction->setEnabled(false);
    ui->editControlOptionsAction->setEnabled(false);
    ui->actionEQUAKE->setEnabled(false);

    // Every dialog starts from the model's values.
    loadControlDialog();
    loadDriftDialog();
    loadQuakeDialog();
    loadTableDialogs();

    // What the window itself does around the files.
    files->setGridCheck([this](qint64 nodes, qint64 members) { return gridCanBeDrawn(nodes, members); });
    connect(files, &FileController::opened, this, &MainWindow::zoomToFit);
    connect(files, &FileController::aboutToClear, this, [this] {
        createBarAct->setChecked(false);
        createBar();
    });
    connect(files, &FileController::generating, this, [this](int analysisType) { ictype = analysisType; });
}

MainWindow::~MainWindow()
{
    // The scene owns the nodes, members, lines and labels; no view may repaint
    // it item by item while it goes.
    disconnect(model, nullptr, this, nullptr);
    disconnect(stack, nullptr, this, nullptr);
    // Before the stack goes: its last signals must not reach the title.
    delete files;
    delete document;
    ui->gridView->setScene(nullptr);
    ui->gridView->setLayer(nullptr);
    delete layer;
    newNodes.clear();
    newBars.clear();
    gridItems.clear();
    delete scene;
    delete ui;
}

void MainWindow::init()
{
    scene = new QGraphicsScene(this);
    ui->gridView->setBackgroundBrush(QBrush(Qt::black, Qt::SolidPattern));
    ui->gridView->setScene(scene);
    scene->installEventFilter(this);
    layer = new ModelLayer(gridItems, newBars, newNodes);
    ui->gridView->setLayer(layer);
    setFactors(20.0, -20.0);
    candrawbar = false;
    createBarMode = false;
    createActions();
    newBars.clear();
    newNodes.clear();
    createBarAct->setCheckable(true);
    ui->actionSHAPE->setEnabled(false);
    createBarAct->setEnabled(false);

    // Layouts, so the view and both scroll bars follow the central area.
    auto *central = new QVBoxLayout(ui->centralWidget);
    central->setContentsMargins(6, 6, 6, 6);
    central->addWidget(ui->gridViewGroupBox);
    auto *box = new QVBoxLayout(ui->gridViewGroupBox);
    box->addWidget(ui->gridView);
    ui->gridView->setMinimumSize(100, 80);
    ui->gridView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui->gridView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui->gridView->viewport()->setMouseTracking(true);
    ui->gridView->viewport()->installEventFilter(this);
    // Every item sets the pen, brush and hints it draws with, so none needs its
    // painter state saved; scattered changes repaint their bounding rectangle
    // once instead of testing every item against a region of a thousand parts.
    ui->gridView->setOptimizationFlag(QGraphicsView::DontSavePainterState);
    ui->gridView->setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    drawing.font = ui->gridView->font();
    const QFontMetricsF metrics(drawing.font);
    drawing.digitWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    drawing.lineHeight = metrics.height();
    createStatusBar();
    createCheckDock();
    createSelectionTools();
    createDrawingActions();
}

void MainWindow::createDrawingActions()
{
    QMenu *colourBy = new QMenu(tr("Colour members by"), this);
    colourBy->setObjectName(QStringLiteral("menuColourBy"));
    auto *group = new QActionGroup(this);
    QAction *byCategory = colourBy->addAction(tr("Category"));
    byCategory->setObjectName(QStringLiteral("colourByCategoryAct"));
    QAction *byType = colourBy->addAction(tr("Member type"));
    byType->setObjectName(QStringLiteral("colourByTypeAct"));
    for (QAction *a : {byCategory, byType}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    byCategory->setChecked(true);
    connect(byType, &QAction::toggled, this, &MainWindow::setColourByType);

    auto *numbers = new QAction(tr("Member numbers"), this);
    numbers->setObjectName(QStringLiteral("memberNumbersAct"));
    numbers->setCheckable(true);
    connect(numbers, &QAction::toggled, this, &MainWindow::setMemberNumbers);

    legendDock = new QDockWidget(tr("Legend"), this);
    legendDock->setObjectName(QStringLiteral("legendDock"));
    legendList = new QListWidget(legendDock);
    legendList->setObjectName(QStringLiteral("legendList"));
    legendDock->setWidget(legendList);
    addDockWidget(Qt::RightDockWidgetArea, legendDock);
    legendDock->hide();
    QAction *legend = legendDock->toggleViewAction();
    legend->setObjectName(QStringLiteral("legendAct"));

    ui->menuView->addSeparator();
    ui->menuView->addMenu(colourBy);
    ui->menuView->addAction(numbers);
    ui->menuView->addAction(legend);
}

void MainWindow::setColourByType(bool byType)
{
    if (drawing.colourByType == byType)
        return;
    drawing.colourByType = byType;
    refreshLegend();
    if (byType)
        legendDock->show();
    scene->update();
}

void MainWindow::setMemberNumbers(bool on)
{
    if (drawing.memberNumbers == on)
        return;
    drawing.memberNumbers = on;
    for (Bar *bar : std::as_const(newBars))
        bar->styleChanged();
    scene->update();
}

void MainWindow::refreshLegend()
{
    // Each type as its members are drawn now.
    legendList->clear();
    for (int i = 0; i < model->types().size(); ++i) {
        const MemberTypeRecord &t = model->types().at(i);
        const QColor colour = drawing.colourByType ? drawing.typeColours.value(i)
                                                   : Bar::categoryColour(t.values ? t.values->getType() : -1);
        auto *item = new QListWidgetItem(QStringLiteral("%1  %2").arg(i + 1).arg(t.values ? t.values->getLabel()
                                                                                           : QString()),
                                         legendList);
        item->setData(Qt::DecorationRole, colour);
        item->setData(Qt::UserRole, i + 1);
    }
    if (model->types().isEmpty())
        new QListWidgetItem(tr("No member types."), legendList);
}

void MainWindow::createStatusBar()
{
    coordinatesLabel = new QLabel(this);
    coordinatesLabel->setObjectName(QStringLiteral("statusCoordinates"));
    coordinatesLabel->setMinimumWidth(150);
    hoverLabel = new QLabel(this);
    hoverLabel->setObjectName(QStringLiteral("statusItem"));
    modeLabel = new QLabel(this);
    modeLabel->setObjectName(QStringLiteral("statusMode"));
    countsLabel = new QLabel(this);
    countsLabel->setObjectName(QStringLiteral("statusCounts"));
    ui->statusBar->addWidget(coordinatesLabel);
    ui->statusBar->addWidget(hoverLabel, 1);
    ui->statusBar->addWidget(modeLabel);
    ui->statusBar->addPermanentWidget(countsLabel);
    updateStatusCounts();
    updateModeHint();
}

void MainWindow::createCheckDock()
{
    auto *checkAct = new QAction(tr("Check Model"), this);
    checkAct->setObjectName(QStringLiteral("checkModelAct"));
    checkAct->setShortcut(QKeySequence(Qt::Key_F7));
    connect(checkAct, &QAction::triggered, this, &MainWindow::showCheckDock);
    QMenu *tools = new QMenu(tr("Tools"), this);
    tools->setObjectName(QStringLiteral("menuTools"));
    tools->addAction(checkAct);
    menuBar()->insertMenu(ui->menuHelp->menuAction(), tools);

    checkDock = new QDockWidget(tr("Check Model"), this);
    checkDock->setObjectName(QStringLiteral("checkDock"));
    checkList = new QListWidget(checkDock);
    checkList->setObjectName(QStringLiteral("checkList"));
    checkDock->setWidget(checkList);
    addDockWidget(Qt::BottomDockWidgetArea, checkDock);
    checkDock->hide();
    connect(checkList, &QListWidget::itemDoubleClicked, this, &MainWindow::showProblem);

    checkTimer = new QTimer(this);
    checkTimer->setSingleShot(true);
    checkTimer->setInterval(0);
    connect(checkTimer, &QTimer::timeout, this, &MainWindow::refreshCheck);
    connect(checkDock, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (shown)
            scheduleCheck();
    });
    // Any change of the model: checked again once the program is idle, once for a burst.
    connect(model, &ProjectModel::modelReset, this, &MainWindow::scheduleCheck);
    connect(model, &ProjectModel::nodesChanged, this, &MainWindow::scheduleCheck);
    connect(model, &ProjectModel::membersInserted, this, &MainWindow::scheduleCheck);
    connect(model, &ProjectModel::membersRemoved, this, &MainWindow::scheduleCheck);
    connect(model, &ProjectModel::membersChanged, this, &MainWindow::scheduleCheck);
    connect(model, &ProjectModel::typesChanged, this, &MainWindow::scheduleCheck);
    connect(model, &ProjectModel::settingsChanged, this, &MainWindow::scheduleCheck);
}

void MainWindow::showCheckDock()
{
    checkDock->show();
    checkDock->raise();
    refreshCheck();
}

void MainWindow::scheduleCheck()
{
    if (checkDock->isVisible())
        checkTimer->start();
}

void MainWindow::refreshCheck()
{
    checkTimer->stop();
    const QList<ModelCheck::Problem> problems = ModelCheck::check(model->data());
    checkList->setUpdatesEnabled(false);
    checkList->clear();
    for (const ModelCheck::Problem &p : problems) {
        auto *item = new QListWidgetItem(ModelCheck::format(p), checkList);
        item->setData(Qt::UserRole, int(p.item));
        item->setData(Qt::UserRole + 1, p.number);
        item->setForeground(p.severity == ModelCheck::Problem::Error ? QColor(Qt::darkRed) : QColor(Qt::black));
    }
    if (problems.isEmpty())
        new QListWidgetItem(tr("No problems found."), checkList);
    checkList->setUpdatesEnabled(true);
    checkDock->setWindowTitle(tr("Check Model: %1").arg(ModelCheck::summary(problems)));
}

void MainWindow::showProblem(QListWidgetItem *item)
{
    const int kind = item->data(Qt::UserRole).toInt();
    const int number = item->data(Qt::UserRole + 1).toInt();
    if (kind == ModelCheck::Problem::Node || kind == ModelCheck::Problem::Member)
        findItem(kind == ModelCheck::Problem::Member, number);
}

bool MainWindow::findItem(bool member, int number)
{
    QGraphicsItem *target = nullptr;
    if (!member && number >= 1 && number <= newNodes.size())
        target = newNodes.at(number - 1);
    else if (member && number >= 1 && number <= newBars.size())
        target = newBars.at(number - 1);
    if (!target)
        return false;
    scene->clearSelection();
    target->setSelected(true);
    ui->gridView->centerOn(target);
    return true;
}

void MainWindow::showFindDialog()
{
    if (!finder)
        finder = new findDialog(this);
    finder->setCounts(int(newNodes.size()), int(newBars.size()));
    if (finder->exec() == QDialog::Accepted)
        findItem(finder->isMember(), finder->getNumber());
}

bool MainWindow::exportPicture(const QString &fileName, bool blackBackground)
{
    QString error;
    drawing.paper = !blackBackground;
    const bool written = PictureExport::write(scene, fileName, blackBackground, &error);
    drawing.paper = false;
    if (!written) {
        showFileError(fileName, error);
        return false;
    }
    pictureFile = fileName;
    statusBar()->showMessage(tr("Exported %1").arg(fileName), 15000);
    return true;
}

void MainWindow::showExportPictureDialog()
{
    // First beside the project, named after it.
    QString start = pictureFile;
    if (start.isEmpty() && !currentFile().isEmpty()) {
        const QFileInfo project(currentFile());
        start = project.absoluteDir().filePath(project.completeBaseName() + QStringLiteral(".png"));
    }
    QFileDialog dialog(this, tr("Export Picture"), start,
                       tr("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
    dialog.setObjectName(QStringLiteral("exportPictureFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // The suffix added to a bare name follows the chosen type.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(filter.section(QLatin1String("*."), 1).section(QLatin1Char(')'), 0, 0));
    });
    auto *black = new QCheckBox(tr("Black background, as on the screen"), &dialog);
    black->setObjectName(QStringLiteral("exportBlackCheckBox"));
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(black, grid->rowCount(), 0, 1, grid->columnCount());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    exportPicture(dialog.selectedFiles().first(), black->isChecked());
}

void MainWindow::updateStatusCounts()
{
    // Sizes the model keeps: no walk over its records.
    const auto count = [](qsizetype n, const QString &one, const QString &many) {
        return (n == 1 ? one : many).arg(n);
    };
    countsLabel->setText(count(model->nodes().size(), tr("%1 node"), tr("%1 nodes")) + QStringLiteral(", ")
                         + count(model->members().size(), tr("%1 member"), tr("%1 members")) + QStringLiteral(", ")
                         + count(model->types().size(), tr("%1 member type"), tr("%1 member types")));
}

void MainWindow::updateModeHint()
{
    if (quickDrawing)
        modeLabel->setText(tr("Quick draw: release to create %1 in the box").arg(quickDrawCBox->currentText().toLower()));
    else if (!createBarMode)
        modeLabel->clear();
    else if (!candrawbar)
        modeLabel->setText(tr("Create member: click the first node"));
    else
        modeLabel->setText(tr("Create member: click the second node"));
}

void MainWindow::showHover(const QPoint &viewPos)
{
    QGraphicsView *view = ui->gridView;
    const QPointF p = view->mapToScene(viewPos);
    coordinatesLabel->setText(QStringLiteral("(%1, %2)")
                                  .arg(QString::number(p.x() / XFactor, 'f', 2),
                                       QString::number(p.y() / YFactor, 'f', 2)));
    // The scene's index finds the few items there; a node wins over a member.
    Node *node = nullptr;
    Bar *bar = nullptr;
    for (QGraphicsItem *item : view->items(viewPos)) {
        if (item->type() == Node::Type) {
            node = static_cast<Node *>(item);
            break;
        }
        if (!bar && item->type() == Bar::Type)
            bar = static_cast<Bar *>(item);
    }
    if (node) {
        const NodeRecord &r = node->record();
        hoverLabel->setText(tr("Node %1 at (%2, %3)")
                                .arg(node->getId())
                                .arg(QString::number(r.x, 'g', 15), QString::number(r.y, 'g', 15)));
    } else if (const MemberRecord *r = bar ? model->member(bar->key()) : nullptr) {
        const QString ends = tr("nodes %1 to %2")
                                 .arg(bar->sourceNode() ? bar->sourceNode()->getId() : 0)
                                 .arg(bar->destNode() ? bar->destNode()->getId() : 0);
        const int t = model->typeIndex(r->type);
        if (t >= 0 && model->types().at(t).values)
            hoverLabel->setText(tr("Member %1: type %2 %3, %4")
                                    .arg(bar->getId())
                                    .arg(t + 1)
                                    .arg(model->types().at(t).values->getLabel(), ends));
        else
            hoverLabel->setText(tr("Member %1: no type, %2").arg(bar->getId()).arg(ends));
    } else {
        hoverLabel->clear();
    }
}

void MainWindow::zoomAbout(const QPoint &viewPos, double factor)
{
    QGraphicsView *view = ui->gridView;
    const QPointF anchor = view->mapToScene(viewPos);
    view->scale(factor, factor);
    // Scroll so the same model point is under the cursor again.
    const QPoint moved = view->mapFromScene(anchor) - viewPos;
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + moved.x());
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + moved.y());
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The scene would tell each of its tens of thousands of items that the
    // window gained or lost the focus, at every dialog and every new scene;
    // they draw and select alike either way.
    if (watched == scene && (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate))
        return true;
    if (watched == scene && event->type() == QEvent::GraphicsSceneHelp) {
        // A member's tool tip is made when it is shown; the scene then shows it.
        const auto *help = static_cast<QGraphicsSceneHelpEvent *>(event);
        QGraphicsView *view = ui->gridView;
        for (QGraphicsItem *item : view->items(view->viewport()->mapFromGlobal(help->screenPos()))) {
            if (item->type() == Bar::Type) {
                static_cast<Bar *>(item)->refreshToolTip();
                break;
            }
            if (!item->toolTip().isEmpty())
                break;
        }
        return false;
    }
    if (watched != ui->gridView->viewport())
        return QMainWindow::eventFilter(watched, event);
    if (viewMouseEvent(event))
        return true;
    switch (event->type()) {
    case QEvent::Wheel: {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const int steps = wheel->angleDelta().y();
        if (steps != 0)
            zoomAbout(wheel->position().toPoint(), steps > 0 ? 1.1 : 1.0 / 1.1);
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::MiddleButton) {
            panning = true;
            panFrom = mouse->position().toPoint();
            ui->gridView->viewport()->setCursor(Qt::ClosedHandCursor);
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->position().toPoint();
        if (panning) {
            const QPoint d = at - panFrom;
            panFrom = at;
            QGraphicsView *view = ui->gridView;
            view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() - d.x());
            view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() - d.y());
            return true;
        }
        showHover(at);
        break;
    }
    case QEvent::MouseButtonRelease:
        if (panning && static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton) {
            panning = false;
            ui->gridView->viewport()->unsetCursor();
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

static QAction *iconAction(const QString &file, const QString &text, QObject *parent)
{
    const QIcon icon(ImageFiles::path(file));
    return icon.isNull() ? new QAction(text, parent) : new QAction(icon, text, parent);
}

void MainWindow::createActions()
{
    QMenu *file = ui->menuFile;
    auto *newAct = new QAction(tr("New Project"), this);
    newAct->setObjectName(QStringLiteral("actionNew_Project"));
    newAct->setShortcut(QKeySequence::New);
    connect(newAct, &QAction::triggered, this, &MainWindow::newFile);
    file->insertAction(ui->actionOpen_Project, newAct);
    createImportAction(file);
    recentMenu = new QMenu(tr("Open Recent"), this);
    recentMenu->setObjectName(QStringLiteral("menuOpen_Recent"));
    file->insertMenu(ui->actionSave_Project, recentMenu);
    auto *saveAsAct = new QAction(tr("Save Project As..."), this);
    saveAsAct->setObjectName(QStringLiteral("actionSave_Project_As"));
    saveAsAct->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAsAct, &QAction::triggered, this, &MainWindow::saveFileAs);
    const QList<QAction *> items = file->actions();
    const qsizetype save = items.indexOf(ui->actionSave_Project);
    file->insertAction(items.value(save + 1), saveAsAct);
    files->setRecentMenu(recentMenu);

    openAct = iconAction(QStringLiteral("libs/open.dll"), tr("Open project (Ctrl+O)"), this);
    openAct->setStatusTip(tr("Open a new project"));
    connect(openAct, &QAction::triggered, this, &MainWindow::openFile);
    ui->mainToolBar->addAction(openAct);

    saveAct = iconAction(QStringLiteral("libs/save.dll"), tr("Save project (Ctrl+S)"), this);
    saveAct->setStatusTip(tr("Save project"));
    connect(saveAct, &QAction::triggered, this, &MainWindow::saveFile);
    ui->mainToolBar->addAction(saveAct);
    ui->mainToolBar->addSeparator();

    // Undo and Redo head the Edit menu and name the step they would take.
    undoAct = stack->createUndoAction(this, tr("Undo"));
    undoAct->setShortcuts(QKeySequence::Undo);
    redoAct = stack->createRedoAction(this, tr("Redo"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)))
        redoKeys.append(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redoAct->setShortcuts(redoKeys);
    QAction *first = ui->menuEdit->actions().value(0);
    ui->menuEdit->insertAction(first, undoAct);
    ui->menuEdit->insertAction(first, redoAct);
    ui->menuEdit->insertSeparator(first);

    createBarAct = new QAction(tr("Create member"), this);
    connect(createBarAct, &QAction::triggered, this, &MainWindow::createBar);
    ui->editToolBar->addAction(createBarAct);

    mtypeCBox = new QComboBox(ui->editToolBar);
    mtypeCBox->setEnabled(false);
    mtypeCBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ui->editToolBar->addWidget(mtypeCBox);

    deleteAct = iconAction(QStringLiteral("libs/delete.dll"), tr("Delete a member (Supr)"), this);
    deleteAct->setShortcut(QKeySequence(Qt::Key_Delete));
    connect(deleteAct, &QAction::triggered, this, &MainWindow::deleteBarByButton);
    ui->editToolBar->addAction(deleteAct);
    deleteAct->setEnabled(false);

    viewMainToolBarAct = ui->mainToolBar->toggleViewAction();
    viewEditToolBarAct = ui->editToolBar->toggleViewAction();
    ui->menuView->addAction(viewMainToolBarAct);
    ui->menuView->addAction(viewEditToolBarAct);

    zoomInAct = iconAction(QStringLiteral("libs/zoom-in.dll"), tr("Zoom In (+)"), this);
    zoomInAct->setStatusTip(tr("Zoom In (+)"));
    zoomInAct->setShortcut(QKeySequence(Qt::Key_Plus));
    connect(zoomInAct, &QAction::triggered, this, &MainWindow::zoomIn);
    ui->mainToolBar->addAction(zoomInAct);

    zoomOutAct = iconAction(QStringLiteral("libs/zoom-out.dll"), tr("Zoom Out (-)"), this);
    zoomOutAct->setStatusTip(tr("Zoom Out (-)"));
    zoomOutAct->setShortcut(QKeySequence(Qt::Key_Minus));
    connect(zoomOutAct, &QAction::triggered, this, &MainWindow::zoomOut);
    ui->mainToolBar->addAction(zoomOutAct);

    zoomToFitAct = new QAction(tr("Zoom to Fit"), this);
    zoomToFitAct->setObjectName(QStringLiteral("zoomToFitAct"));
    zoomToFitAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    zoomToFitAct->setStatusTip(tr("Show the whole model (Ctrl+0, or F in the view)"));
    connect(zoomToFitAct, &QAction::triggered, this, &MainWindow::zoomToFit);
    ui->menuView->addSeparator();
    ui->menuView->addAction(zoomInAct);
    ui->menuView->addAction(zoomOutAct);
    ui->menuView->addAction(zoomToFitAct);
    auto *fitKey = new QShortcut(QKeySequence(Qt::Key_F), ui->gridView);
    fitKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(fitKey, &QShortcut::activated, this, &MainWindow::zoomToFit);
    ui->mainToolBar->addSeparator();

    generateAct = iconAction(QStringLiteral("libs/generate.dll"), tr("Generate Taliskor2D File"), this);
    generateAct->setStatusTip(tr("Generate Taliskor2D File"));
    connect(generateAct, &QAction::triggered, this, &MainWindow::generateFile);
    ui->mainToolBar->addAction(generateAct);

    // Object names let scripts and tests find the tool-bar actions.
    openAct->setObjectName(QStringLiteral("openAct"));
    saveAct->setObjectName(QStringLiteral("saveAct"));
    createBarAct->setObjectName(QStringLiteral("createBarAct"));
    mtypeCBox->setObjectName(QStringLiteral("mtypeCBox"));
    deleteAct->setObjectName(QStringLiteral("deleteAct"));
    zoomInAct->setObjectName(QStringLiteral("zoomInAct"));
    zoomOutAct->setObjectName(QStringLiteral("zoomOutAct"));
    generateAct->setObjectName(QStringLiteral("generateAct"));
    undoAct->setObjectName(QStringLiteral("undoAct"));
    redoAct->setObjectName(QStringLiteral("redoAct"));
    createFindAndExportActions();
}

void MainWindow::createFindAndExportActions()
{
    exportPictureAct = new QAction(tr("Export Picture..."), this);
    exportPictureAct->setObjectName(QStringLiteral("exportPictureAct"));
    exportPictureAct->setStatusTip(tr("Write the whole model as drawn to a PNG, SVG or PDF file"));
    connect(exportPictureAct, &QAction::triggered, this, &MainWindow::showExportPictureDialog);
    ui->menuFile->insertAction(ui->generateFileAction, exportPictureAct);

    findAct = new QAction(tr("Find..."), this);
    findAct->setObjectName(QStringLiteral("findAct"));
    findAct->setShortcut(QKeySequence::Find);
    findAct->setStatusTip(tr("Select a node or member by its number and centre the view on it"));
    connect(findAct, &QAction::triggered, this, &MainWindow::showFindDialog);
    ui->menuEdit->addSeparator();
    ui->menuEdit->addAction(findAct);
}

// ---------------------------------------------------------------- window events

void MainWindow::resizeEvent(QResizeEvent *event)
{
    // The layouts size the view; a project opened before the first show fits now.
    QMainWindow::resizeEvent(event);
    if (fitWhenShown && isVisible()) {
        fitWhenShown = false;
        zoomToFit();
    }
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    // A press beside the view lets the selection go, and with it the delete button.
    scene->clearSelection();
    if (deleteAct->isEnabled())
        deleteAct->setEnabled(false);
    QMainWindow::mousePressEvent(event);
}

// ---------------------------------------------------------------- drawing

void MainWindow::setFactors(double x, double y)
{
    XFactor = x;
    YFactor = y;
}

namespace {
// First entry with the extreme numeric value, as stored text.
QString limitOf(const QStringList &lines, bool smallest)
{
    if (lines.isEmpty())
        return QString();
    QString best = lines.first();
    double bestValue = best.toDouble();
    for (const QString &s : lines) {
        const double v = s.toDouble();
        if (smallest ? v < bestValue : v > bestValue) {
            best = s;
            bestValue = v;
        }
    }
    return best;
}
} // namespace


QString MainWindow::getXMinLimit() const { return limitOf(model->grid().XLines, true); }
QString MainWindow::getXMaxLimit() const { return limitOf(model->grid().XLines, false); }
QString MainWindow::getYMinLimit() const { return limitOf(model->grid().YLines, true); }
QString MainWindow::getYMaxLimit() const { return limitOf(model->grid().YLines, false); }

QList<double> MainWindow::sortLines(const QStringList &lines) const
{
    return ModelCore::sortLines(lines);
}

void MainWindow::drawLine(double x1, double y1, double x2, double y2)
{
    // A hairline: one pixel at every zoom, the cheapest line to draw.
    gridItems.append(
        scene->addLine(XFactor * x1, YFactor * y1, XFactor * x2, YFactor * y2, QPen(Qt::gray, 0, Qt::SolidLine)));
}

void MainWindow::drawId(double x, double y, const QString &text)
{
    // A plain text item: a text document per grid line id costs more to draw.
    QGraphicsSimpleTextItem *item = scene->addSimpleText(text);
    item->setBrush(Qt::green);
    item->setPos(XFactor * x, YFactor * y);
    // Where a document-based label showed its text (4 units of margin).
    item->setTransform(QTransform::fromTranslate(4, 4));
    gridItems.append(item);
}

void MainWindow::drawNodeId(double x, double y, const QString &text)
{
    // One light item per node: a text document per label costs about 17 kB,
    // which dominated the memory and drawing time of large grids.
    QGraphicsSimpleTextItem *item = scene->addSimpleText(text);
    item->setBrush(Qt::red);
    item->setPos(XFactor * x, YFactor * y);
    // Drawn where a document-based label would show its text (4 units of margin).
    item->setTransform(QTransform::fromTranslate(4, 4));
    gridItems.append(item);
}

void MainWindow::drawXLines()
{
    const double yMin = getYMinLimit().toDouble();
    const double yMax = getYMaxLimit().toDouble();
    for (const QString &x : model->grid().XLines) {
        if (!x.isEmpty())
            drawLine(x.toDouble(), yMin, x.toDouble(), yMax);
    }
}

void MainWindow::drawYLines()
{
    const double xMin = getXMinLimit().toDouble();
    const double xMax = getXMaxLimit().toDouble();
    for (const QString &y : model->grid().YLines) {
        if (!y.isEmpty())
            drawLine(xMin - 1.5, y.toDouble(), xMax + 1.5, y.toDouble());
    }
}

void MainWindow::drawXIds()
{
    const double yMax = getYMaxLimit().toDouble();
    const QStringList &lines = model->grid().XLines;
    const QStringList &ids = model->grid().XIds;
    for (int i = 0; i < lines.size() && i < ids.size(); ++i) {
        if (lines.at(i).isEmpty() || ids.at(i).isEmpty())
            continue;
        drawId(lines.at(i).toDouble() - 0.5, yMax + 2.0, ids.at(i));
    }
}

void MainWindow::drawYIds()
{
    const double xMin = getXMinLimit().toDouble();
    const QStringList &lines = model->grid().YLines;
    const QStringList &ids = model->grid().YIds;
    for (int i = 0; i < lines.size() && i < ids.size(); ++i) {
        if (lines.at(i).isEmpty() || ids.at(i).isEmpty())
            continue;
        drawId(xMin - 4.0, lines.at(i).toDouble() + 1.2, ids.at(i));
    }
}

void MainWindow::drawNodesIds()
{
    // Each node writes its own number, and only when it can be read: ten
    // thousand label items made every zoom and repaint of a large grid slow.
    drawing.nodeNumbers = true;
    scene->update();
}

Node *MainWindow::drawNode(int id, double x, double y, int nf1, int nf2, int nf3, int kup1, int kup2, int kup3,
                           int iout)
{
    ui->gridView->setRenderHint(QPainter::Antialiasing);
    Node *node = new Node();
    node->setPos(XFactor * x, YFactor * y);
    node->setId(id);
    node->setXCoordinate(x);
    node->setYCoordinate(y);
    node->setNf1(nf1);
    node->setNf2(nf2);
    node->setNf3(nf3);
    node->setKup1(kup1);
    node->setKup2(kup2);
    node->setKup3(kup3);
    node->setIout(iout);
    node->setToolTip(QLatin1Char('(') + QString::number(x, 'g', 15) + QLatin1Char(',')
                     + QString::number(y, 'g', 15) + QLatin1Char(')'));
    connect(node, &Node::barProcedure, this, &MainWindow::barProcedure);
    connect(node, &Node::editRequested, this, &MainWindow::editNode);
    node->setStyle(&drawing);
    newNodes.append(node);
    scene->addItem(node);
    return node;
}

void MainWindow::setNodes()
{
    const QList<NodeRecord> &nodes = model->nodes();
    newNodes.reserve(nodes.size());
    nodeItems.reserve(nodes.size());
    for (int i = 0; i < nodes.size(); ++i) {
        const NodeRecord &n = nodes.at(i);
        Node *node = drawNode(i + 1, n.x, n.y, n.nf1, n.nf2, n.nf3, n.kup1, n.kup2, n.kup3, n.iout);
        node->setKey(n.key);
        nodeItems.insert(n.key, node);
    }
}

void MainWindow::drawAllItems(bool option)
{
    // The grid dialog's OK: a new grid with a node at every intersection.
    GridSettings grid;
    grid.XLines = gridDialog.getXLines();
    grid.YLines = gridDialog.getYLines();
    grid.XIds = gridDialog.getXIds();
    grid.YIds = gridDialog.getYIds();
    grid.nodesIOut = gridDialog.getNodesIOut();
    grid.elementsIOut = gridDialog.getElemetsIOut();
    if (model->nodes().isEmpty()) {
        if (!gridCanBeDrawn(qint64(grid.XLines.size()) * grid.YLines.size(), 0))
            return;
        const ModelData next = ProjectModel::withGrid(model->data(), grid, option);
        stack->push(new ResetModelCommand(model, next, tr("Grid")));
        return;
    }

    // An edit of the drawn grid: each new line continues the row it was typed in.
    const QList<int> xFrom = lineOrigins(model->grid().XLines, grid.XLines, gridDialog.getXFrom());
    const QList<int> yFrom = lineOrigins(model->grid().YLines, grid.YLines, gridDialog.getYFrom());
    // A refused edit leaves the dialog's lists describing the drawn grid.
    if (!gridCanBeDrawn(qint64(grid.XLines.size()) * grid.YLines.size(), model->members().size())) {
        loadGridDialog();
        return;
    }
    const ProjectModel::GridRemoval gone = ProjectModel::gridRemoval(model->data(), xFrom, yFrom);
    if (gone.members > 0 || gone.nodes > 0 || gone.references > 0) {
        const auto removed = [](const QString &axis, int count, const QList<int> &from) {
            QStringList numbers;
            for (int k = 0; k < count; ++k)
                if (!from.contains(k))
                    numbers << QString::number(k + 1);
            if (numbers.isEmpty())
                return QString();
            return (numbers.size() == 1 ? tr("%1 line %2") : tr("%1 lines %2")).arg(axis, numbers.join(QLatin1String(", ")));
        };
        QStringList lines;
        for (const QString &part : {removed(QStringLiteral("X"), int(model->grid().XLines.size()), xFrom),
                                    removed(QStringLiteral("Y"), int(model->grid().YLines.size()), yFrom)})
            if (!part.isEmpty())
                lines << part;
        QString text = tr("Removing %1 deletes %2 members and the data of %3 nodes")
                           .arg(lines.join(tr(" and ")))
                           .arg(gone.members)
                           .arg(gone.nodes);
        if (gone.references > 0)
            text += tr(", and sets %1 node references to 0").arg(gone.references);
        text += tr(". Continue?");
        if (QMessageBox::question(this, tr("Edit grid"), text) != QMessageBox::Yes) {
            loadGridDialog();
            return;
        }
    }
    const ModelData next = ProjectModel::withEditedGrid(model->data(), grid, xFrom, yFrom);
    stack->push(new ResetModelCommand(model, next, tr("Edit grid")));
}

QList<int> MainWindow::lineOrigins(const QStringList &oldLines, const QStringList &newLines, const QList<int> &rows)
{
    // Old and new lines in ascending order, as the nodes follow them.
    const QList<double> before = ModelCore::sortLines(oldLines);
    const QList<double> after = ModelCore::sortLines(newLines);
    if (rows.size() == after.size())
        return rows;
    // Lists set without the tables: a line at an old ordinate continues that line.
    QList<int> from;
    from.reserve(after.size());
    for (double v : after)
        from.append(int(before.indexOf(v)));
    return from;
}

void MainWindow::rebuildScene()
{
    newNodes.clear();
    newBars.clear();
    gridItems.clear();
    nodeItems.clear();
    barItems.clear();
    initialNode = finalNode = nullptr;
    candrawbar = false;
    barIdSelected = -1;
    // Detached while it empties, so the view does not repaint item by item.
    ui->gridView->setScene(nullptr);
    scene->clear();

    const bool hasGrid = !model->nodes().isEmpty();
    if (hasGrid) {
        drawXLines();
        drawYLines();
        drawXIds();
        drawYIds();
        setNodes();
        drawNodesIds();
        updateKupsLists();
        shownTypes = typeList();
        newBars.reserve(model->members().size());
        barItems.reserve(model->members().size());
        for (int i = 0; i < model->members().size(); ++i) {
            const MemberRecord &r = model->members().at(i);
            Bar *bar = makeBar(r, i + 1);
            if (bar)
                newBars.append(bar);
        }
    }
    ui->gridView->setScene(scene);
    updateModeHint();

    typesChanged();
    loadControlDialog();
    loadDriftDialog();
    loadQuakeDialog();
    loadTableDialogs();
    loadGridDialog();
    if (model->data().begun) {
        setModelActionsEnabled();
    } else {
        ui->editGridAction->setEnabled(true);
        for (QAction *a : {ui->editLoadAction, ui->editDriftAction, ui->editMTypeAction, ui->editMassAction,
                           ui->editControlOptionsAction, ui->actionEQUAKE})
            a->setEnabled(false);
    }
    ui->actionSHAPE->setEnabled(model->shapeEnabled());
}

void MainWindow::setModelActionsEnabled()
{
    ui->editLoadAction->setEnabled(true);
    ui->editDriftAction->setEnabled(true);
    ui->editMTypeAction->setEnabled(true);
    ui->editMassAction->setEnabled(true);
    ui->editControlOptionsAction->setEnabled(true);
    ui->actionEQUAKE->setEnabled(true);
    ui->editGridAction->setEnabled(true);
}

void MainWindow::zoomIn()
{
    ui->gridView->scale(1.1, 1.1);
}

void MainWindow::zoomOut()
{
    ui->gridView->scale(0.9090909091, 0.9090909091);
}

void MainWindow::zoomToFit()
{
    QGraphicsView *view = ui->gridView;
    if (!view->isVisible())
        fitWhenShown = true;
    const GridSettings &g = model->grid();
    if (model->nodes().isEmpty() || g.XLines.isEmpty() || g.YLines.isEmpty())
        return;
    // The grid's extent, known from its lines: the lines, the line ids left of
    // and above them, and the marks and numbers below the lowest nodes.
    const double xMin = getXMinLimit().toDouble(), xMax = getXMaxLimit().toDouble();
    const double yMin = getYMinLimit().toDouble(), yMax = getYMaxLimit().toDouble();
    const QRectF all = QRectF(QPointF(XFactor * (xMin - 4.0), YFactor * (yMax + 2.0)),
                              QPointF(XFactor * (xMax + 1.5), YFactor * yMin + 25))
                           .normalized();
    const double margin = 0.03 * qMax(all.width(), all.height());
    view->fitInView(all.adjusted(-margin, -margin, margin, margin), Qt::KeepAspectRatio);
}

// ---------------------------------------------------------------- steps

template <typename C>
void MainWindow::push(C *command)
{
    if (command->isEmpty()) {
        delete command;
        return;
    }
    pushStep(command);
}

void MainWindow::pushStep(QUndoCommand *command)
{
    // The dialog that asked already shows the values it gave.
    const bool was = fromDialog;
    fromDialog = true;
    stack->push(command);
    fromDialog = was;
}

// ---------------------------------------------------------------- dialogs

void MainWindow::loadGridDialog()
{
    const GridSettings &g = model->grid();
    gridDialog.setXLines(g.XLines);
    gridDialog.setYLines(g.YLines);
    gridDialog.setXIds(g.XIds);
    gridDialog.setYIds(g.YIds);
    gridDialog.setNodesIOut(g.nodesIOut);
    gridDialog.setElementsIOut(g.elementsIOut);
}

void MainWindow::loadControlDialog()
{
    const ControlSettings &c = model->control();
    std::copy(std::begin(c.a), std::end(c.a), controlDialog.getA());
    std::copy(std::begin(c.b), std::end(c.b), controlDialog.getB());
    std::copy(std::begin(c.c), std::end(c.c), controlDialog.getC());
    std::copy(std::begin(c.d), std::end(c.d), controlDialog.getD());
    std::copy(std::begin(c.e), std::end(c.e), controlDialog.getE());
    controlDialog.setDumpList(c.dampList);
    controlDialog.setSeted(c.seted);
    updateControlCounts();
}

void MainWindow::loadDriftDialog()
{
    const DriftSettings &d = model->drift();
    driftDialog.setColumns(model->grid().XIds);
    driftDialog.setDrift(d.drift);
    driftDialog.setKup1AutomaticallyTo0(d.kup1AutomaticallyTo0);
    driftDialog.setKup1Automatically(d.kup1Automatically);
    driftDialog.setSeted(d.seted);
}

void MainWindow::loadQuakeDialog()
{
    const QuakeSettings &q = model->quake();
    std::copy(std::begin(q.a), std::end(q.a), quakeDialog.geta());
    std::copy(std::begin(q.b), std::end(q.b), quakeDialog.getb());
    quakeDialog.setFile(q.file);
    quakeDialog.setSeted(q.seted);
}

void MainWindow::loadTableDialogs()
{
    const NodeValues &w = model->weights();
    massDialog.setLists(w.first, w.second, w.third);
    const NodeValues &l = model->loads();
    loadDialog.setLists(l.first, l.second, l.third);
    const ShapeSettings &s = model->shape();
    shapeDialog.setLists(s.fx, s.fy, s.fm);
    shapeDialog.setAlpha(s.alpha);
    shapeDialog.setActivateAlpha(model->alphaActive());
}

QList<Member *> MainWindow::typeList() const
{
    // The items and dialogs only read the records; the model keeps them.
    QList<Member *> list;
    list.reserve(model->types().size());
    for (const MemberTypeRecord &t : model->types())
        list.append(const_cast<Member *>(t.values.get()));
    return list;
}

void MainWindow::loadMTypeDialog()
{
    QList<Member *> copies;
    copies.reserve(model->types().size());
    for (int i = 0; i < model->types().size(); ++i) {
        auto *m = new Member(*model->types().at(i).values);
        m->setID(i + 1);
        copies.append(m);
    }
    mtypeDialog.replaceMTypes(copies);
}

void MainWindow::showEditGridDialog()
{
    loadGridDialog();
    gridDialog.sortLines();
    gridDialog.setTables();
    gridDialog.addInitRows();
    gridDialog.exec();
}

static QList<int> nodeIds(const QList<Node *> &nodes)
{
    QList<int> ids;
    ids.reserve(nodes.size());
    for (const Node *node : nodes)
        ids.append(node->getId());
    return ids;
}

void MainWindow::showEditLoadsDialog()
{
    const NodeValues &l = model->loads();
    loadDialog.setLists(l.first, l.second, l.third);
    loadDialog.setTable(nodeIds(newNodes));
    loadDialog.setByLists();
    loadDialog.exec();
}

void MainWindow::showEditMassDialog()
{
    const NodeValues &w = model->weights();
    massDialog.setLists(w.first, w.second, w.third);
    massDialog.setTable(nodeIds(newNodes));
    massDialog.setByLists();
    massDialog.exec();
}

void MainWindow::showEditDriftDialog()
{
    loadDriftDialog();
    driftDialog.exec();
}

void MainWindow::showEditMTypeDialog()
{
    loadMTypeDialog();
    mtypeDialog.setShow11d(isShow11d());
    mtypeDialog.exec();
}

void MainWindow::showControlOptionsDialog()
{
    loadControlDialog();
    controlDialog.exec();
}

void MainWindow::showEditQuakeDialog()
{
    loadQuakeDialog();
    quakeDialog.showProperties();
    quakeDialog.exec();
}

void MainWindow::showEditShapeDialog()
{
    const ShapeSettings &s = model->shape();
    shapeDialog.setLists(s.fx, s.fy, s.fm);
    shapeDialog.setAlpha(s.alpha);
    shapeDialog.setActivateAlpha(model->alphaActive());
    const int k = -model->control().a[5];
    QList<int> ids;
    if (k > 0) {
        const QList<int> once = nodeIds(newNodes);
        ids.reserve(once.size() * k);
        for (int i = 0; i < k; ++i)
            ids += once;
    }
    shapeDialog.setTable(ids);
    shapeDialog.setByLists();
    shapeDialog.exec();
}

void MainWindow::showAboutDialog()
{
    about.exec();
}

void MainWindow::activateShapeAction(bool on)
{
    ui->actionSHAPE->setEnabled(on);
}

void MainWindow::activateAlpha(bool on)
{
    shapeDialog.setActivateAlpha(on);
}

void MainWindow::setOptions(bool value)
{
    candrawbar = value;
    updateModeHint();
}

void MainWindow::updateQuake()
{
    QuakeSettings q;
    std::copy_n(quakeDialog.geta(), 2, q.a);
    std::copy_n(quakeDialog.getb(), 6, q.b);
    q.file = quakeDialog.getFile();
    q.seted = quakeDialog.isSeted();
    push(new SettingsCommand<QuakeSettings>(model, &ProjectModel::quake, &ProjectModel::setQuake, q,
                                            tr("Earthquake")));
}

void MainWindow::updateWeights()
{
    const NodeValues w{massDialog.getWx(), massDialog.getWy(), massDialog.getWd()};
    push(new SettingsCommand<NodeValues>(model, &ProjectModel::weights, &ProjectModel::setWeights, w,
                                         tr("Weights")));
}

void MainWindow::updateLoads()
{
    const NodeValues l{loadDialog.getFx(), loadDialog.getFy(), loadDialog.getFm()};
    push(new SettingsCommand<NodeValues>(model, &ProjectModel::loads, &ProjectModel::setLoads, l, tr("Loads")));
}

void MainWindow::updateShape()
{
    ShapeSettings s;
    s.fx = shapeDialog.getFx();
    s.fy = shapeDialog.getFy();
    s.fm = shapeDialog.getFm();
    s.alpha = shapeDialog.getAlpha();
    push(new SettingsCommand<ShapeSettings>(model, &ProjectModel::shape, &ProjectModel::setShape, s, tr("Shape")));
}

void MainWindow::editNode(const NodeRecord &record)
{
    push(new EditNodesCommand(model, {record}, tr("Edit node %1").arg(model->nodeNumber(record.key))));
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
    push(new EditMembersCommand(model, {next}, tr("Edit member %1").arg(model->memberNumber(key))));
}

// ---------------------------------------------------------------- members

void MainWindow::createBar()
{
    if (createBarAct->isChecked()) {
        setCursor(Qt::UpArrowCursor);
        createBarMode = true;
    } else {
        setCursor(Qt::ArrowCursor);
        createBarMode = false;
        candrawbar = false;
    }
    updateModeHint();
}

Bar *MainWindow::addBar(Node *start, Node *end, int id, int mTypeId, int iout)
{
    Bar *bar = new Bar(start, end, id, mTypeId, iout);
    bar->setNodesList(newNodes);
    connect(bar, &Bar::activateDeleteAct, this, &MainWindow::activateDeleteAct);
    end->addNode(start->getId());
    start->addNode(end->getId());
    bar->setMTypeList(shownTypes);
    bar->setStyle(&drawing);
    bar->styleChanged();
    connect(bar, &Bar::deleteBar, this, &MainWindow::deleteBar);
    connect(bar, &Bar::deactivateDeleteAct, this, &MainWindow::deactivateDeleteAct);
    connect(bar, &Bar::editRequested, this, &MainWindow::editBar);
    scene->addItem(bar);
    return bar;
}

Bar *MainWindow::makeBar(const MemberRecord &r, int number)
{
    Node *start = nodeItems.value(r.source);
    Node *end = nodeItems.value(r.dest);
    if (!start || !end)
        return nullptr;
    Bar *bar = addBar(start, end, number, model->typeNumber(r.type), r.iout);
    bar->setKey(r.key);
    bar->setProperties(model->typeNumber(r.type), r.node3, r.node4, r.iout);
    barItems.insert(r.key, bar);
    return bar;
}

void MainWindow::renumberBars(int from)
{
    for (int i = qMax(0, from); i < newBars.size(); ++i)
        newBars.at(i)->setId(i + 1);
}

void MainWindow::barProcedure(int nodeId)
{
    // Every way out leaves the hint for the next click.
    struct Hint {
        MainWindow *w;
        ~Hint() { w->updateModeHint(); }
    } hint{this};
    if (!createBarMode)
        return;
    if (nodeId < 1 || nodeId > newNodes.size())
        return;
    if (!candrawbar) {
        initialNode = newNodes.at(nodeId - 1);
        candrawbar = true;
        return;
    }
    finalNode = newNodes.at(nodeId - 1);
    // A message box takes the mouse's release: no node may keep the mouse after it.
    const auto release = [this] {
        if (QGraphicsItem *grabber = scene->mouseGrabberItem())
            grabber->ungrabMouse();
    };
    if (finalNode == initialNode) {
        release();
        candrawbar = false;
        QMessageBox::critical(this, tr("Error"), tr("You must select differents nodes"));
        createBarAct->setChecked(false);
        createBar();
        return;
    }
    if (finalNode->hasAssociation(initialNode->getId())) {
        release();
        candrawbar = false;
        QMessageBox::critical(this, tr("Error"), tr("You can't put two bars between two nodes"));
        return;
    }
    candrawbar = false;
    MemberRecord r;
    r.type = model->typeKey(mtypeCBox->currentIndex() + 1);
    r.source = initialNode->key();
    r.dest = finalNode->key();
    r.iout = model->grid().elementsIOut;
    stack->push(new CreateMemberCommand(model, r));
}

void MainWindow::deleteBar(int id)
{
    // A member's dialog or the Delete key asks; the model's change removes the item.
    if (id >= 1 && id <= model->members().size()) {
        const ModelKey key = model->members().at(id - 1).key;
        stack->push(new DeleteMembersCommand(model, {key}));
    }
    deleteAct->setEnabled(false);
}

void MainWindow::activateDeleteAct(int id)
{
    // That member becomes the selection, which the delete button deletes.
    if (id >= 1 && id <= newBars.size()) {
        scene->clearSelection();
        newBars.at(id - 1)->setSelected(true);
    }
    deleteAct->setEnabled(true);
    barIdSelected = id;
}

void MainWindow::deactivateDeleteAct()
{
    deleteAct->setEnabled(false);
}

void MainWindow::deleteBarByButton()
{
    // Every selected member in one step; a member named by barIdSelected alone otherwise.
    QList<ModelKey> keys;
    for (const Bar *bar : selectedBars())
        keys.append(bar->key());
    if (keys.isEmpty() && barIdSelected >= 1 && barIdSelected <= newBars.size())
        keys.append(newBars.at(barIdSelected - 1)->key());
    barIdSelected = -1;
    deleteAct->setEnabled(false);
    if (!keys.isEmpty())
        push(new DeleteMembersCommand(model, keys));
}

// ---------------------------------------------------------------- selection

void MainWindow::createSelectionTools()
{
    // A drag on empty space selects what lies wholly inside the box (selectInBox);
    // the view's own rubber band would judge nodes by the room their numbers and
    // support marks take.
    QGraphicsView *view = ui->gridView;
    view->setDragMode(QGraphicsView::NoDrag);
    selectionTimer = new QTimer(this);
    selectionTimer->setSingleShot(true);
    selectionTimer->setInterval(0);
    connect(selectionTimer, &QTimer::timeout, this, &MainWindow::updateSelectionActions);
    // Removing thousands of selected items signals once per item: count them once.
    connect(scene, &QGraphicsScene::selectionChanged, selectionTimer, qOverload<>(&QTimer::start));

    assignAct = new QAction(tr("Assign to Selection…"), this);
    assignAct->setObjectName(QStringLiteral("assignAct"));
    assignAct->setStatusTip(tr("Set values for every selected member and node"));
    assignAct->setEnabled(false);
    connect(assignAct, &QAction::triggered, this, &MainWindow::showEditAssignDialog);
    ui->menuEdit->addSeparator();
    ui->menuEdit->addAction(assignAct);

    quickDrawCBox = new QComboBox(ui->editToolBar);
    quickDrawCBox->setObjectName(QStringLiteral("quickDrawCBox"));
    quickDrawCBox->addItems({tr("Columns"), tr("Beams"), tr("Columns and beams")});
    quickDrawCBox->setCurrentIndex(2);
    quickDrawCBox->setToolTip(tr("Quick draw: in Create member mode, drag a box from away from any node "
                                 "to draw these members between the nodes inside it"));
    quickDrawCBox->setEnabled(createBarAct->isEnabled());
    ui->editToolBar->insertWidget(deleteAct, quickDrawCBox);
    connect(createBarAct, &QAction::changed, this, [this] { quickDrawCBox->setEnabled(createBarAct->isEnabled()); });

    quickDrawBand = new QRubberBand(QRubberBand::Rectangle, view->viewport());
    quickDrawBand->hide();
}

QList<Bar *> MainWindow::selectedBars() const
{
    QList<Bar *> bars;
    for (QGraphicsItem *item : scene->selectedItems())
        if (item->type() == Bar::Type)
            bars.append(static_cast<Bar *>(item));
    return bars;
}

QList<Node *> MainWindow::selectedNodes() const
{
    QList<Node *> nodes;
    for (QGraphicsItem *item : scene->selectedItems())
        if (item->type() == Node::Type)
            nodes.append(static_cast<Node *>(item));
    return nodes;
}

void MainWindow::updateSelectionActions()
{
    int bars = 0, nodes = 0;
    const Bar *single = nullptr;
    for (QGraphicsItem *item : scene->selectedItems()) {
        if (item->type() == Bar::Type) {
            ++bars;
            single = static_cast<const Bar *>(item);
        } else if (item->type() == Node::Type) {
            ++nodes;
        }
    }
    deleteAct->setEnabled(bars > 0);
    barIdSelected = bars == 1 ? single->getId() : -1;
    assignAct->setEnabled(bars + nodes > 0);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (quickDrawing || selectingBox) {
            quickDrawing = false;
            selectingBox = false;
            quickDrawBand->hide();
            updateModeHint();
        }
        scene->clearSelection();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool MainWindow::viewMouseEvent(QEvent *event)
{
    QGraphicsView *view = ui->gridView;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->position().toPoint();
        bool onNode = false, onItem = false;
        for (QGraphicsItem *item : view->items(at)) {
            onNode = onNode || item->type() == Node::Type;
            onItem = onItem || item->type() == Node::Type || item->type() == Bar::Type;
        }
        // The view's box is the left button's: a right press only opens an item's dialog.
        if (mouse->button() == Qt::RightButton)
            return !onItem;
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (!createBarMode) {
            // Select mode: a press on an item is the scene's click selection.
            if (onItem)
                return false;
            selectingBox = true;
            boxModifiers = mouse->modifiers();
            quickDrawFrom = at;
            quickDrawBand->setGeometry(QRect(at, QSize()));
            quickDrawBand->show();
            return true;
        }
        // A press on a node is the two-click member's.
        if (onNode)
            return false;
        quickDrawing = true;
        quickDrawFrom = at;
        quickDrawBand->setGeometry(QRect(at, QSize()));
        quickDrawBand->show();
        updateModeHint();
        return true;
    }
    case QEvent::MouseMove:
        if (!quickDrawing && !selectingBox)
            return false;
        quickDrawBand->setGeometry(QRect(quickDrawFrom, static_cast<QMouseEvent *>(event)->position().toPoint())
                                       .normalized());
        showHover(static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (selectingBox && mouse->button() == Qt::LeftButton) {
            selectingBox = false;
            quickDrawBand->hide();
            const QRect box = QRect(quickDrawFrom, mouse->position().toPoint()).normalized();
            // A click on empty space is a box of nothing: it clears, unless Ctrl is held.
            selectInBox(view->mapToScene(box).boundingRect(), boxModifiers & Qt::ControlModifier);
            return true;
        }
        if (!quickDrawing || mouse->button() != Qt::LeftButton)
            return false;
        quickDrawing = false;
        quickDrawBand->hide();
        updateModeHint();
        const QRect box = QRect(quickDrawFrom, mouse->position().toPoint()).normalized();
        // A click is no box; a box drops a first node picked before it.
        if (box.width() > 2 || box.height() > 2) {
            candrawbar = false;
            updateModeHint();
            quickDraw(view->mapToScene(box).boundingRect());
        }
        return true;
    }
    default:
        return false;
    }
}

void MainWindow::selectInBox(const QRectF &sceneBox, bool add)
{
    const QRectF box = sceneBox.normalized();
    if (!add)
        scene->clearSelection();
    for (QGraphicsItem *item : scene->items(box, Qt::IntersectsItemBoundingRect)) {
        bool inside = false;
        if (item->type() == Node::Type) {
            inside = box.contains(item->mapToScene(item->shape().boundingRect()).boundingRect());
        } else if (item->type() == Bar::Type) {
            // The member's line and half its pen, not the room its number takes.
            const Bar *bar = static_cast<const Bar *>(item);
            if (bar->sourceNode() && bar->destNode()) {
                const QRectF line = QRectF(bar->sourceNode()->scenePos(), bar->destNode()->scenePos()).normalized();
                inside = box.contains(line.adjusted(-3.5, -3.5, 3.5, 3.5));
            }
        }
        if (inside)
            item->setSelected(true);
    }
}

void MainWindow::quickDraw(const QRectF &sceneBox)
{
    const QRectF box = sceneBox.normalized();
    const double x1 = box.left() / XFactor, x2 = box.right() / XFactor;
    const double y1 = box.top() / YFactor, y2 = box.bottom() / YFactor;
    static const int kinds[] = {ProjectModel::Columns, ProjectModel::Beams, ProjectModel::ColumnsAndBeams};
    const int choice = std::clamp(quickDrawCBox->currentIndex(), 0, 2);
    const auto segments = model->freeSegments(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
                                              std::max(y1, y2), kinds[choice]);
    // As the two-click member: the tool bar's type and the grid's Elements IOUT.
    MemberRecord r;
    r.type = model->typeKey(mtypeCBox->currentIndex() + 1);
    r.iout = model->grid().elementsIOut;
    QList<MemberRecord> records;
    records.reserve(segments.size());
    for (const auto &segment : segments) {
        r.source = segment.first;
        r.dest = segment.second;
        records.append(r);
    }
    if (!records.isEmpty())
        push(new CreateMemberCommand(model, records));
}

void MainWindow::showEditAssignDialog()
{
    QList<ModelKey> members, nodes;
    for (const Bar *bar : selectedBars())
        members.append(bar->key());
    for (const Node *node : selectedNodes())
        nodes.append(node->key());
    if (members.isEmpty() && nodes.isEmpty())
        return;
    if (!assignDialog)
        assignDialog = new editAssignDialog(this);
    assignDialog->setMTypeList(typeList());
    assignDialog->setCounts(int(members.size()), int(nodes.size()));
    assignDialog->clearFields();
    if (assignDialog->exec() == QDialog::Accepted)
        assignToSelection(members, nodes);
}

void MainWindow::assignToSelection(const QList<ModelKey> &memberKeys, const QList<ModelKey> &nodeKeys)
{
    const editAssignDialog *d = assignDialog;
    auto *step = new QUndoCommand();
    bool membersChange = false, nodesChange = false;

    const int mtype = d->getMType(), memberIout = d->getMemberIout();
    if (mtype > 0 || memberIout >= 0) {
        QList<MemberRecord> changed;
        for (ModelKey key : memberKeys) {
            if (const MemberRecord *old = model->member(key)) {
                MemberRecord r = *old;
                if (mtype > 0)
                    r.type = model->typeKey(mtype);
                if (memberIout >= 0)
                    r.iout = memberIout;
                changed.append(r);
            }
        }
        membersChange = !(new EditMembersCommand(model, changed, QString(), step))->isEmpty();
    }

    const int nf[3] = {d->getNf1(), d->getNf2(), d->getNf3()};
    const int nodeIout = d->getNodeIout();
    if (nf[0] >= 0 || nf[1] >= 0 || nf[2] >= 0 || nodeIout >= 0) {
        QList<NodeRecord> changed;
        for (ModelKey key : nodeKeys) {
            if (const NodeRecord *old = model->node(key)) {
                NodeRecord r = *old;
                if (nf[0] >= 0)
                    r.nf1 = nf[0];
                if (nf[1] >= 0)
                    r.nf2 = nf[1];
                if (nf[2] >= 0)
                    r.nf3 = nf[2];
                if (nodeIout >= 0)
                    r.iout = nodeIout;
                changed.append(r);
            }
        }
        nodesChange = !(new EditNodesCommand(model, changed, QString(), step))->isEmpty();
    }

    // Weights and loads are lists by node place: unset or short lists get a 0 for
    // every node first, as the tables' OK would give them.
    const int count = int(model->nodes().size());
    const auto assigned = [&](const NodeValues &old, const std::optional<double> (&v)[3]) {
        NodeValues next = old;
        QList<double> *lists[3] = {&next.first, &next.second, &next.third};
        for (QList<double> *list : lists)
            while (list->size() < count)
                list->append(0.0);
        for (ModelKey key : nodeKeys) {
            const int i = model->nodeIndex(key);
            for (int c = 0; c < 3 && i >= 0; ++c)
                if (v[c])
                    (*lists[c])[i] = *v[c];
        }
        return next;
    };
    const std::optional<double> weights[3] = {d->getWx(), d->getWy(), d->getWd()};
    const std::optional<double> loads[3] = {d->getFx(), d->getFy(), d->getFm()};
    if (!nodeKeys.isEmpty() && (weights[0] || weights[1] || weights[2])) {
        const NodeValues next = assigned(model->weights(), weights);
        if (next != model->weights()) {
            new SettingsCommand<NodeValues>(model, &ProjectModel::weights, &ProjectModel::setWeights, next, QString(),
                                            step);
            nodesChange = true;
        }
    }
    if (!nodeKeys.isEmpty() && (loads[0] || loads[1] || loads[2])) {
        const NodeValues next = assigned(model->loads(), loads);
        if (next != model->loads()) {
            new SettingsCommand<NodeValues>(model, &ProjectModel::loads, &ProjectModel::setLoads, next, QString(),
                                            step);
            nodesChange = true;
        }
    }

    if (!membersChange && !nodesChange) {
        delete step;
        return;
    }
    const QString members = memberKeys.size() == 1 ? tr("1 member") : tr("%1 members").arg(memberKeys.size());
    const QString nodes = nodeKeys.size() == 1 ? tr("1 node") : tr("%1 nodes").arg(nodeKeys.size());
    if (membersChange && nodesChange)
        step->setText(tr("Assign to %1 and %2").arg(members, nodes));
    else
        step->setText(tr("Assign to %1").arg(membersChange ? members : nodes));
    stack->push(step);
}

// ---------------------------------------------------------------- the model changed

void MainWindow::nodesChanged(const QList<ModelKey> &keys)
{
    for (ModelKey key : keys) {
        Node *node = nodeItems.value(key);
        const NodeRecord *r = model->node(key);
        if (node && r) {
            node->setRecord(*r);
            node->update();
        }
    }
}

void MainWindow::membersInserted(const QList<ModelKey> &keys)
{
    int first = int(newBars.size());
    for (ModelKey key : keys) {
        const MemberRecord *r = model->member(key);
        const int i = model->memberIndex(key);
        if (!r || i < 0)
            continue;
        if (Bar *bar = makeBar(*r, i + 1)) {
            if (keys.size() == 1)
                newBars.insert(qMin(i, int(newBars.size())), bar);
            first = qMin(first, i);
        }
    }
    if (keys.size() > 1) {
        // Many at once: the list again in the model's order, in one pass.
        QList<Bar *> ordered;
        ordered.reserve(model->members().size());
        for (const MemberRecord &r : model->members())
            if (Bar *bar = barItems.value(r.key))
                ordered.append(bar);
        newBars = ordered;
    }
    renumberBars(first);
    syncControlCounts();
}

void MainWindow::membersRemoved(const QList<ModelKey> &keys)
{
    QSet<Bar *> gone;
    QList<QGraphicsItem *> leaving;
    for (ModelKey key : keys) {
        Bar *bar = barItems.take(key);
        if (!bar)
            continue;
        gone.insert(bar);
        if (Node *s = bar->sourceNode())
            if (Node *e = bar->destNode()) {
                s->deleteNode(e->getId());
                e->deleteNode(s->getId());
            }
        if (barIdSelected == bar->getId())
            barIdSelected = -1;
        // It may be the item whose dialog or event asked for this: that one
        // leaves the scene when it is deleted, once its event is over.
        if (scene->mouseGrabberItem() != bar)
            leaving.append(bar);
        bar->deleteLater();
    }
    ui->gridView->removeFromScene(leaving);
    int first = -1;
    QList<Bar *> kept;
    kept.reserve(newBars.size());
    for (int i = 0; i < newBars.size(); ++i) {
        if (gone.contains(newBars.at(i))) {
            if (first < 0)
                first = i;
        } else {
            kept.append(newBars.at(i));
        }
    }
    newBars = kept;
    if (first >= 0)
        renumberBars(first);
    syncControlCounts();
}

void MainWindow::membersChanged(const QList<ModelKey> &keys)
{
    for (ModelKey key : keys) {
        Bar *bar = barItems.value(key);
        const MemberRecord *r = model->member(key);
        if (bar && r)
            bar->setProperties(model->typeNumber(r->type), r->node3, r->node4, r->iout);
    }
}

void MainWindow::typesChanged()
{
    shownTypes = typeList();
    drawing.typeColours.clear();
    for (const MemberTypeRecord &t : model->types())
        drawing.typeColours.append(DrawingStyle::typeColour(t.key));
    refreshLegend();
    const QList<Member *> &list = shownTypes;
    QHash<ModelKey, int> numbers;
    for (int i = 0; i < model->types().size(); ++i)
        numbers.insert(model->types().at(i).key, i + 1);
    for (Bar *bar : std::as_const(newBars)) {
        const MemberRecord *r = model->member(bar->key());
        if (!r)
            continue;
        bar->setMTypeList(list);
        bar->setProperties(numbers.value(r->type, 0), r->node3, r->node4, r->iout);
    }
    createBarAct->setEnabled(!list.isEmpty());
    mtypeCBox->setEnabled(!list.isEmpty());
    const int selected = mtypeCBox->currentIndex();
    mtypeCBox->clear();
    for (int k = 0; k < list.size(); ++k)
        mtypeCBox->addItem(QString::number(k + 1) + QLatin1String("  ") + list.at(k)->getLabel());
    if (selected > 0 && selected < mtypeCBox->count())
        mtypeCBox->setCurrentIndex(selected);
    if (!fromDialog)
        loadMTypeDialog();
    syncControlCounts();
}

void MainWindow::settingsChanged(ProjectModel::Section section)
{
    switch (section) {
    case ProjectModel::Control:
        ui->actionSHAPE->setEnabled(model->shapeEnabled());
        shapeDialog.setActivateAlpha(model->alphaActive());
        if (!fromDialog)
            loadControlDialog();
        break;
    case ProjectModel::Drift:
        if (!fromDialog)
            loadDriftDialog();
        break;
    case ProjectModel::Quake:
        if (!fromDialog)
            loadQuakeDialog();
        break;
    case ProjectModel::Weights:
    case ProjectModel::Loads:
    case ProjectModel::Shape:
        if (!fromDialog)
            loadTableDialogs();
        break;
    case ProjectModel::Grid:
        if (!fromDialog)
            loadGridDialog();
        break;
    }
}

// ---------------------------------------------------------------- bookkeeping

void MainWindow::syncControlCounts()
{
    updateStatusCounts();
    // The counts only, in place: redrawing the whole form costs more than an edit may.
    int *b = controlDialog.getB();
    b[0] = int(model->nodes().size());
    b[1] = int(model->members().size());
    b[2] = int(model->types().size());
    b[10] = int(model->grid().YLines.size());
}

void MainWindow::updateControlCounts()
{
    controlDialog.setProperties(int(model->nodes().size()), int(model->members().size()),
                                int(model->grid().YLines.size()), int(model->types().size()));
}

void MainWindow::updateKupsLists()
{
    const int nX = int(model->grid().XLines.size());
    const int nY = int(model->grid().YLines.size());
    if (nX == 0 || nY == 0 || newNodes.size() < qsizetype(nX) * nY)
        return;
    // One list per row and per column, shared by the nodes on it.
    QList<QStringList> rows(nY), columns(nX);
    for (int i = 0; i < nY; ++i) {
        for (int j = 0; j < nX; ++j) {
            const QString id = QString::number(newNodes.at(i * nX + j)->getId());
            rows[i].append(id);
            columns[j].append(id);
        }
    }
    for (int i = 0; i < nY; ++i) {
        for (int j = 0; j < nX; ++j) {
            Node *node = newNodes.at(i * nX + j);
            node->setKup1List(rows.at(i));
            node->setKup2List(columns.at(j));
        }
    }
}

void MainWindow::updateMTypes()
{
    // The member-type dialog added, copied or stored a type: its list is the
    // model's with that change.
    const QList<Member *> list = mtypeDialog.getMembersTypes();
    const QList<MemberTypeRecord> &types = model->types();
    struct Change {
        MemberTypeCommand::Kind kind;
        ModelKey key;
        const Member *values;
    };
    QList<Change> changes;
    for (int i = 0; i < list.size() && i < types.size(); ++i)
        if (!list.at(i)->sameValues(*types.at(i).values))
            changes.append({MemberTypeCommand::Edit, types.at(i).key, list.at(i)});
    for (int i = int(types.size()); i < list.size(); ++i)
        changes.append({MemberTypeCommand::Add, 0, list.at(i)});
    if (changes.isEmpty())
        return;
    if (changes.size() == 1) {
        pushStep(new MemberTypeCommand(model, changes.first().kind, changes.first().key, changes.first().values));
        return;
    }
    // Several types at once (a script) are still one step.
    auto *step = new QUndoCommand(tr("Member types"));
    for (const Change &c : changes)
        new MemberTypeCommand(model, c.kind, c.key, c.values, step);
    pushStep(step);
}

void MainWindow::deleteMType(int id)
{
    const ModelKey key = model->typeKey(id);
    if (key)
        pushStep(new MemberTypeCommand(model, MemberTypeCommand::Delete, key, nullptr));
}

QStringList MainWindow::getDriftIds() const
{
    return ModelCore::driftIds(model->drift().drift, int(model->grid().XLines.size()),
                               int(model->grid().YLines.size()));
}

QString MainWindow::getDrift() const
{
    return model->drift().drift;
}

bool MainWindow::isShow11d() const
{
    const int ictype = model->control().a[4];
    return ictype == 5 || ictype == 7;
}

void MainWindow::setDrift(const QString &value)
{
    DriftSettings d = model->drift();
    d.drift = value;
    push(new SettingsCommand<DriftSettings>(model, &ProjectModel::drift, &ProjectModel::setDrift, d, tr("Drift")));
}

void MainWindow::updateDrift(bool setKups)
{
    // The drift dialog's OK: its choice, and the KUP1 couplings that follow it, in one step.
    DriftSettings next;
    next.drift = driftDialog.getDrift();
    next.kup1AutomaticallyTo0 = driftDialog.getKup1AutomaticallyTo0();
    next.kup1Automatically = driftDialog.getKup1Automatically();
    next.seted = driftDialog.isSeted();

    QList<NodeRecord> nodes;
    if (setKups) {
        const int nX = int(model->grid().XLines.size());
        const int nY = int(model->grid().YLines.size());
        const QStringList ids = ModelCore::driftIds(next.drift, nX, nY);
        const QList<NodeRecord> &all = model->nodes();
        if (ids.isEmpty()) {
            if (next.drift == QLatin1String("None")) {
                for (NodeRecord r : all) {
                    r.kup1 = 0;
                    nodes.append(r);
                }
            }
        } else {
            const int column = next.drift.toInt();
            const double xd = all.at(column - 1).x;
            for (int k = 0; k < all.size(); ++k) {
                NodeRecord r = all.at(k);
                const int level = nX > 0 ? k / nX : 0;
                if (r.x == xd)
                    r.kup1 = 0;
                else if (level < ids.size())
                    r.kup1 = ids.at(level).toInt();
                nodes.append(r);
            }
        }
    }
    auto *step = new QUndoCommand(tr("Drift"));
    auto *drift = new SettingsCommand<DriftSettings>(model, &ProjectModel::drift, &ProjectModel::setDrift, next,
                                                     QString(), step);
    auto *couplings = new EditNodesCommand(model, nodes, QString(), step);
    if (drift->isEmpty() && couplings->isEmpty()) {
        delete step;
        return;
    }
    pushStep(step);
}

void MainWindow::updateControlOptions(int)
{
    // The control options' OK. The counts are the model's own, whatever the form shows.
    ControlSettings next = model->control();
    std::copy_n(controlDialog.getA(), 11, next.a);
    const int counts[] = {0, 1, 2, 10};
    int kept[4];
    for (int k = 0; k < 4; ++k)
        kept[k] = next.b[counts[k]];
    std::copy_n(controlDialog.getB(), 14, next.b);
    for (int k = 0; k < 4; ++k)
        next.b[counts[k]] = kept[k];
    std::copy_n(controlDialog.getC(), 10, next.c);
    std::copy_n(controlDialog.getD(), 3, next.d);
    std::copy_n(controlDialog.getE(), 8, next.e);
    next.dampList = controlDialog.getDumpList();
    next.seted = controlDialog.isSeted();
    push(new SettingsCommand<ControlSettings>(model, &ProjectModel::control, &ProjectModel::setControl, next,
                                              tr("Control options")));
}

// ---------------------------------------------------------------- files

bool MainWindow::gridCanBeDrawn(qint64 nodes, qint64 members)
{
    // What an item costs in the window, with its label and share of the scene's index.
    const qint64 bytes = nodes * 3000 + members * 1500;
    if (bytes > (qint64(1) << 30)) {
        QMessageBox::critical(this, tr("Error"),
                              tr("The grid has %1 nodes and %2 members: drawing it would take more than "
                                 "1 GB of memory, so it is not drawn.")
                                  .arg(nodes)
                                  .arg(members));
        return false;
    }
    if (nodes > 250000) {
        const auto answer = QMessageBox::question(
            this, tr("Large grid"),
            tr("The grid has %1 nodes. Drawing it takes a long time and much memory. Draw it?").arg(nodes));
        return answer == QMessageBox::Yes;
    }
    return true;
}

// ---------------------------------------------------------------- import

void MainWindow::createImportAction(QMenu *file)
{
    auto *importAct = new QAction(tr("Import Analysis File..."), this);
    importAct->setObjectName(QStringLiteral("actionImport_Analysis_File"));
    importAct->setStatusTip(tr("Make a new model of an analysis input file"));
    connect(importAct, &QAction::triggered, this, &MainWindow::importAnalysisFile);
    const QList<QAction *> items = file->actions();
    file->insertAction(items.value(items.indexOf(ui->actionOpen_Project) + 1), importAct);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->setAccepted(files->mayClose());
}
