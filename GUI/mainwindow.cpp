#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "analysiswriter.h"
#include "bar.h"
#include "imagefiles.h"
#include "member.h"
#include "node.h"
#include "projectdata.h"
#include "projectfile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QIcon>
#include <QMessageBox>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QToolBar>

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

    init();

    if (QClipboard *clipboard = QApplication::clipboard())
        clipboard->setText(QString());

    ui->editLoadAction->setEnabled(false);
    ui->editDriftAction->setEnabled(false);
    ui->editMTypeAction->setEnabled(false);
    ui->editMassAction->setEnabled(false);
    ui->editControlOptionsAction->setEnabled(false);
    ui->actionEQUAKE->setEnabled(false);
}

MainWindow::~MainWindow()
{
    // The scene owns the nodes, members, lines and labels.
    newNodes.clear();
    newBars.clear();
    delete scene;
    delete ui;
}

void MainWindow::init()
{
    scene = new QGraphicsScene(this);
    ui->gridView->setBackgroundBrush(QBrush(Qt::black, Qt::SolidPattern));
    ui->gridView->setScene(scene);
    setFactors(20.0, -20.0);
    candrawbar = false;
    createBarMode = false;
    createActions();
    drift = QStringLiteral("None");
    newBars.clear();
    newNodes.clear();
    createBarAct->setCheckable(true);
    show11d = false;
    ui->actionSHAPE->setEnabled(false);
    createBarAct->setEnabled(false);
    ui->statusBar->deleteLater();
}

static QAction *iconAction(const QString &file, const QString &text, QObject *parent)
{
    const QIcon icon(ImageFiles::path(file));
    return icon.isNull() ? new QAction(text, parent) : new QAction(icon, text, parent);
}

void MainWindow::createActions()
{
    openAct = iconAction(QStringLiteral("libs/open.dll"), tr("Open project (Ctrl+O)"), this);
    openAct->setStatusTip(tr("Open a new project"));
    connect(openAct, &QAction::triggered, this, &MainWindow::openFile);
    ui->mainToolBar->addAction(openAct);

    saveAct = iconAction(QStringLiteral("libs/save.dll"), tr("Save project (Ctrl+S)"), this);
    saveAct->setStatusTip(tr("Save project"));
    connect(saveAct, &QAction::triggered, this, &MainWindow::saveFile);
    ui->mainToolBar->addAction(saveAct);
    ui->mainToolBar->addSeparator();

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
}

// ---------------------------------------------------------------- window events

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    const QSize s = event->size();
    ui->gridViewGroupBox->setFixedSize(s.width() - 30, s.height() - 70);
    ui->gridView->setFixedSize(s.width() - 105, s.height() - 110);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
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

QString MainWindow::getXMinLimit() const { return limitOf(gridDialog.getXLines(), true); }
QString MainWindow::getXMaxLimit() const { return limitOf(gridDialog.getXLines(), false); }
QString MainWindow::getYMinLimit() const { return limitOf(gridDialog.getYLines(), true); }
QString MainWindow::getYMaxLimit() const { return limitOf(gridDialog.getYLines(), false); }

QList<double> MainWindow::sortLines(const QStringList &lines) const
{
    return ModelCore::sortLines(lines);
}

void MainWindow::drawLine(double x1, double y1, double x2, double y2)
{
    QGraphicsLineItem *line = scene->addLine(XFactor * x1, YFactor * y1, XFactor * x2, YFactor * y2,
                                             QPen(Qt::gray, 1, Qt::SolidLine));
    Q_UNUSED(line);
}

void MainWindow::drawId(double x, double y, const QString &text)
{
    QGraphicsTextItem *item = scene->addText(text);
    item->setDefaultTextColor(Qt::green);
    item->setPos(XFactor * x, YFactor * y);
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
}

void MainWindow::drawXLines()
{
    const double yMin = getYMinLimit().toDouble();
    const double yMax = getYMaxLimit().toDouble();
    for (const QString &x : gridDialog.getXLines()) {
        if (!x.isEmpty())
            drawLine(x.toDouble(), yMin, x.toDouble(), yMax);
    }
}

void MainWindow::drawYLines()
{
    const double xMin = getXMinLimit().toDouble();
    const double xMax = getXMaxLimit().toDouble();
    for (const QString &y : gridDialog.getYLines()) {
        if (!y.isEmpty())
            drawLine(xMin - 1.5, y.toDouble(), xMax + 1.5, y.toDouble());
    }
}

void MainWindow::drawXIds()
{
    const double yMax = getYMaxLimit().toDouble();
    const QStringList lines = gridDialog.getXLines();
    const QStringList ids = gridDialog.getXIds();
    for (int i = 0; i < lines.size() && i < ids.size(); ++i) {
        if (lines.at(i).isEmpty() || ids.at(i).isEmpty())
            continue;
        drawId(lines.at(i).toDouble() - 0.5, yMax + 2.0, ids.at(i));
    }
}

void MainWindow::drawYIds()
{
    const double xMin = getXMinLimit().toDouble();
    const QStringList lines = gridDialog.getYLines();
    const QStringList ids = gridDialog.getYIds();
    for (int i = 0; i < lines.size() && i < ids.size(); ++i) {
        if (lines.at(i).isEmpty() || ids.at(i).isEmpty())
            continue;
        drawId(xMin - 4.0, lines.at(i).toDouble() + 1.2, ids.at(i));
    }
}

void MainWindow::drawNodesIds()
{
    for (Node *node : std::as_const(newNodes))
        drawNodeId(node->getXCoordinate() + 0.1, node->getYCoordinate() - 0.1, QString::number(node->getId()));
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
    newNodes.append(node);
    scene->addItem(node);
    return node;
}

void MainWindow::setNodes()
{
    const QList<NodeData> nodes =
        ModelCore::buildNodes(gridDialog.getXLines(), gridDialog.getYLines(), gridDialog.getNodesIOut());
    newNodes.reserve(nodes.size());
    for (const NodeData &n : nodes)
        drawNode(n.id, n.x, n.y, n.nf1, n.nf2, n.nf3, n.kup1, n.kup2, n.kup3, n.iout);
}

void MainWindow::drawAllItems(bool option)
{
    newNodes.clear();
    newBars.clear();
    initialNode = finalNode = nullptr;
    candrawbar = false;
    barIdSelected = -1;
    scene->clear();

    drawXLines();
    drawYLines();
    drawXIds();
    drawYIds();
    setNodes();
    drawNodesIds();

    updateKupsLists();
    updateMTypes();

    ui->editGridAction->setEnabled(false);
    updateControlCounts();
    setModelActionsEnabled();

    if (option)
        controlDialog.setGridDefaults(int(gridDialog.getYLines().size()));
}

void MainWindow::setModelActionsEnabled()
{
    ui->editLoadAction->setEnabled(true);
    ui->editDriftAction->setEnabled(true);
    ui->editMTypeAction->setEnabled(true);
    ui->editMassAction->setEnabled(true);
    ui->editControlOptionsAction->setEnabled(true);
    ui->actionEQUAKE->setEnabled(true);
    ui->editGridAction->setEnabled(false);
    openAct->setEnabled(false);
    ui->actionOpen_Project->setEnabled(false);
}

void MainWindow::zoomIn()
{
    ui->gridView->scale(1.1, 1.1);
}

void MainWindow::zoomOut()
{
    ui->gridView->scale(0.9090909091, 0.9090909091);
}

// ---------------------------------------------------------------- dialogs

void MainWindow::showEditGridDialog()
{
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
    loadDialog.setTable(nodeIds(newNodes));
    loadDialog.setByLists();
    loadDialog.exec();
}

void MainWindow::showEditMassDialog()
{
    massDialog.setTable(nodeIds(newNodes));
    massDialog.setByLists();
    massDialog.exec();
}

void MainWindow::showEditDriftDialog()
{
    driftDialog.setColumns(gridDialog.getXIds());
    driftDialog.exec();
}

void MainWindow::showEditMTypeDialog()
{
    mtypeDialog.setShow11d(show11d);
    mtypeDialog.exec();
}

void MainWindow::showControlOptionsDialog()
{
    controlDialog.showProperties();
    controlDialog.exec();
}

void MainWindow::showEditQuakeDialog()
{
    quakeDialog.showProperties();
    quakeDialog.exec();
}

void MainWindow::showEditShapeDialog()
{
    const int k = -controlDialog.getA()[5];
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
}

Bar *MainWindow::addBar(Node *start, Node *end, int id, int mTypeId, int iout)
{
    Bar *bar = new Bar(start, end, id, mTypeId, iout);
    bar->setNodesList(newNodes);
    connect(bar, &Bar::activateDeleteAct, this, &MainWindow::activateDeleteAct);
    end->addNode(start->getId());
    start->addNode(end->getId());
    bar->setMTypeList(mtypeDialog.getMembersTypes());
    connect(bar, &Bar::deleteBar, this, &MainWindow::deleteBar);
    connect(bar, &Bar::deactivateDeleteAct, this, &MainWindow::deactivateDeleteAct);
    newBars.append(bar);
    scene->addItem(bar);
    return bar;
}

void MainWindow::barProcedure(int nodeId)
{
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
    if (finalNode == initialNode) {
        candrawbar = false;
        QMessageBox::critical(this, tr("Error"), tr("You must select differents nodes"));
        createBarAct->setChecked(false);
        createBar();
        return;
    }
    if (finalNode->hasAssociation(initialNode->getId())) {
        candrawbar = false;
        QMessageBox::critical(this, tr("Error"), tr("You can't put two bars between two nodes"));
        return;
    }
    Bar *bar = addBar(initialNode, finalNode, int(newBars.size()) + 1, mtypeCBox->currentIndex() + 1,
                      gridDialog.getElemetsIOut());
    updateControlCounts();
    candrawbar = false;
    bar->setProperties(bar->getMTypeId(), 0, 0, bar->getIout());
}

void MainWindow::deleteBar(int id)
{
    QList<Bar *> kept;
    kept.reserve(newBars.size());
    for (Bar *bar : std::as_const(newBars)) {
        if (bar->getId() != id)
            kept.append(bar);
    }
    newBars = kept;
    for (int i = 0; i < newBars.size(); ++i) {
        if (newBars.at(i)->getId() != i + 1)
            newBars.at(i)->setId(i + 1);
    }
    updateControlCounts();
    deleteAct->setEnabled(false);
}

void MainWindow::activateDeleteAct(int id)
{
    deleteAct->setEnabled(true);
    barIdSelected = id;
}

void MainWindow::deactivateDeleteAct()
{
    deleteAct->setEnabled(false);
}

void MainWindow::deleteBarByButton()
{
    if (barIdSelected >= 1 && barIdSelected <= newBars.size())
        newBars.at(barIdSelected - 1)->deleteMe();
    barIdSelected = -1;
    deleteAct->setEnabled(false);
}

// ---------------------------------------------------------------- bookkeeping

void MainWindow::updateControlCounts()
{
    controlDialog.setProperties(int(newNodes.size()), int(newBars.size()), int(gridDialog.getYLines().size()),
                                int(mtypeDialog.getMembersTypes().size()));
}

void MainWindow::updateKupsLists()
{
    const int nX = int(gridDialog.getXLines().size());
    const int nY = int(gridDialog.getYLines().size());
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
    refreshMemberTypes(0);
}

void MainWindow::deleteMType(int id)
{
    refreshMemberTypes(id);
}

void MainWindow::refreshMemberTypes(int deletedId)
{
    const QList<Member *> list = mtypeDialog.getMembersTypes();
    for (Bar *bar : std::as_const(newBars)) {
        bar->setMTypeList(list);
        int m = bar->getMTypeId();
        if (deletedId > 0 && m == deletedId)
            m = 0;
        else if (deletedId > 0 && m > deletedId)
            --m; // the higher types moved down one place; their members follow them
        bar->setProperties(m, bar->getNode3(), bar->getNode4(), bar->getIout());
    }
    updateControlCounts();
    createBarAct->setEnabled(!list.isEmpty());
    mtypeCBox->setEnabled(!list.isEmpty());
    mtypeCBox->clear();
    for (int k = 0; k < list.size(); ++k)
        mtypeCBox->addItem(QString::number(k + 1) + QLatin1String("  ") + list.at(k)->getLabel());
}

void MainWindow::setDrift(const QString &value)
{
    drift = value;
}

void MainWindow::updateDrift(bool setKups)
{
    drift = driftDialog.getDrift();
    const int nX = int(gridDialog.getXLines().size());
    const int nY = int(gridDialog.getYLines().size());
    driftIds = ModelCore::driftIds(drift, nX, nY);
    if (!setKups)
        return;
    if (driftIds.isEmpty()) {
        if (drift == QLatin1String("None")) {
            for (Node *node : std::as_const(newNodes))
                node->setKup1(0);
        }
        return;
    }
    const int column = drift.toInt();
    const double xd = newNodes.at(column - 1)->getXCoordinate();
    for (int k = 0; k < newNodes.size(); ++k) {
        Node *node = newNodes.at(k);
        const int level = nX > 0 ? k / nX : 0;
        if (node->getXCoordinate() == xd)
            node->setKup1(0);
        else if (level < driftIds.size())
            node->setKup1(driftIds.at(level).toInt());
    }
}

void MainWindow::updateControlOptions(int value)
{
    show11d = (value == 5 || value == 7);
}

// ---------------------------------------------------------------- files

ProjectData MainWindow::collectProjectData() const
{
    ProjectData data;
    auto &control = const_cast<controlOptionsDialog &>(controlDialog);
    std::copy_n(control.getA(), 11, data.a);
    std::copy_n(control.getB(), 14, data.b);
    std::copy_n(control.getC(), 10, data.c);
    std::copy_n(control.getD(), 3, data.d);
    std::copy_n(control.getE(), 8, data.e);
    data.dampList = control.getDumpList();
    data.controlSeted = control.isSeted();

    data.XLines = gridDialog.getXLines();
    data.YLines = gridDialog.getYLines();
    data.nodesIOut = gridDialog.getNodesIOut();
    data.elementsIOut = gridDialog.getElemetsIOut();

    data.drift = driftDialog.getDrift();
    data.kup1AutomaticallyTo0 = driftDialog.getKup1AutomaticallyTo0();
    data.kup1Automatically = driftDialog.getKup1Automatically();
    data.driftSeted = driftDialog.isSeted();
    data.driftIds = driftIds;

    data.nodes.reserve(newNodes.size());
    for (const Node *node : newNodes) {
        NodeData n;
        n.id = node->getId();
        n.x = node->getXCoordinate();
        n.y = node->getYCoordinate();
        n.nf1 = node->getNf1();
        n.nf2 = node->getNf2();
        n.nf3 = node->getNf3();
        n.kup1 = node->getKup1();
        n.kup2 = node->getKup2();
        n.kup3 = node->getKup3();
        n.iout = node->getIout();
        data.nodes.append(n);
    }
    data.bars.reserve(newBars.size());
    for (const Bar *bar : newBars) {
        BarData b;
        b.id = bar->getId();
        b.mTypeId = bar->getMTypeId();
        b.source = bar->sourceNode()->getId();
        b.dest = bar->destNode()->getId();
        b.node3 = bar->getNode3();
        b.node4 = bar->getNode4();
        b.iout = bar->getIout();
        data.bars.append(b);
    }
    data.memberTypes = mtypeDialog.getMembersTypes();

    data.fx = loadDialog.getFx();
    data.fy = loadDialog.getFy();
    data.fm = loadDialog.getFm();
    data.wx = massDialog.getWx();
    data.wy = massDialog.getWy();
    data.wd = massDialog.getWd();
    data.shapeEnabled = ui->actionSHAPE->isEnabled();
    data.shapeFx = shapeDialog.getFx();
    data.shapeFy = shapeDialog.getFy();
    data.shapeFm = shapeDialog.getFm();
    data.alpha = shapeDialog.getAlpha();
    data.showAlpha = shapeDialog.showAlpha();

    auto &quake = const_cast<editQuakeDialog &>(quakeDialog);
    std::copy_n(quake.geta(), 2, data.quakeA);
    std::copy_n(quake.getb(), 6, data.quakeB);
    data.quakeFile = quake.getFile();
    data.quakeSeted = quake.isSeted();
    return data;
}

void MainWindow::applyProjectData(ProjectData &data)
{
    // Same order as opening a project in the window always had.
    openAct->setEnabled(false);
    ui->actionOpen_Project->setEnabled(false);
    ui->editGridAction->setEnabled(false);
    ui->editLoadAction->setEnabled(true);
    ui->editDriftAction->setEnabled(true);
    ui->editMTypeAction->setEnabled(true);
    ui->editMassAction->setEnabled(true);
    ui->editControlOptionsAction->setEnabled(true);
    ui->actionEQUAKE->setEnabled(true);

    std::copy_n(data.a, 11, controlDialog.getA());
    std::copy_n(data.b, 14, controlDialog.getB());
    std::copy_n(data.c, 10, controlDialog.getC());
    std::copy_n(data.d, 3, controlDialog.getD());
    std::copy_n(data.e, 8, controlDialog.getE());
    updateControlOptions(data.a[4]);
    if (data.a[4] == 4)
        controlDialog.setDumpList(data.dampList);

    QStringList xIds, yIds;
    for (int i = 0; i < data.XLines.size(); ++i)
        xIds.append(QString::number(i + 1));
    for (int i = 0; i < data.YLines.size(); ++i)
        yIds.append(i == 0 ? QStringLiteral("BASE") : QStringLiteral("STORY-") + QString::number(i));
    gridDialog.setXLines(data.XLines);
    gridDialog.setYLines(data.YLines);
    gridDialog.setXIds(xIds);
    gridDialog.setYIds(yIds);
    drawAllItems(false);

    driftDialog.setDrift(data.drift);
    if (data.drift == QLatin1String("None"))
        driftDialog.setKup1AutomaticallyTo0(data.kup1AutomaticallyTo0);
    else
        driftDialog.setKup1Automatically(data.kup1Automatically);
    updateDrift(false);

    gridDialog.setNodesIOut(data.nodesIOut);
    gridDialog.setElementsIOut(data.elementsIOut);

    for (int i = 0; i < data.nodes.size() && i < newNodes.size(); ++i) {
        const NodeData &n = data.nodes.at(i);
        Node *node = newNodes.at(i);
        node->setNf1(n.nf1);
        node->setNf2(n.nf2);
        node->setNf3(n.nf3);
        node->setKup1(n.kup1);
        node->setKup2(n.kup2);
        node->setKup3(n.kup3);
        node->setIout(n.iout);
    }

    // The dialog takes ownership of the records the reader made.
    QList<Member *> records;
    records.reserve(int(data.ownedMembers.size()));
    for (auto &owned : data.ownedMembers)
        records.append(owned.release());
    data.ownedMembers.clear();
    data.memberTypes.clear();
    mtypeDialog.setMTypes(records);
    mtypeDialog.addItems(int(records.size()));
    updateMTypes();

    const QList<Member *> list = mtypeDialog.getMembersTypes();
    newBars.reserve(data.bars.size());
    for (const BarData &b : std::as_const(data.bars)) {
        initialNode = newNodes.at(b.source - 1);
        finalNode = newNodes.at(b.dest - 1);
        Bar *bar = addBar(initialNode, finalNode, b.id, b.mTypeId, b.iout);
        setOptions(false);
        bar->setProperties(b.mTypeId, b.node3, b.node4, b.iout);
    }
    // One count refresh for all members: each refresh redraws the whole control form.
    updateControlCounts();

    loadDialog.setLists(data.fx, data.fy, data.fm);
    massDialog.setLists(data.wx, data.wy, data.wd);
    if (ui->actionSHAPE->isEnabled()) {
        shapeDialog.setAlpha(data.alpha);
        shapeDialog.setLists(data.shapeFx, data.shapeFy, data.shapeFm);
    }

    std::copy_n(data.quakeA, 2, quakeDialog.geta());
    std::copy_n(data.quakeB, 6, quakeDialog.getb());
    quakeDialog.setFile(data.quakeFile);

    controlDialog.setSeted(data.controlSeted);
    driftDialog.setSeted(data.driftSeted);
    quakeDialog.setSeted(data.quakeSeted);
}

void MainWindow::showFileError(const QString &fileName, const QString &reason)
{
    QMessageBox::critical(this, tr("Error"),
                          tr("The file \"%1\" could not be written:\n%2").arg(fileName, reason));
}

bool MainWindow::writeAnalysisFile(const QString &fileName)
{
    const ProjectData data = collectProjectData();
    ictype = data.a[4];
    QString error;
    if (!AnalysisWriter::writeFile(fileName, data, &error)) {
        showFileError(fileName, error);
        return false;
    }
    return true;
}

bool MainWindow::writeProjectFile(const QString &fileName)
{
    QString error;
    if (!ProjectFile::writeFile(fileName, collectProjectData(), &error)) {
        showFileError(fileName, error);
        return false;
    }
    return true;
}

bool MainWindow::readProjectFile(const QString &fileName)
{
    ProjectData data;
    QString error;
    if (!ProjectFile::readFile(fileName, data, &error)) {
        QMessageBox::critical(this, tr("Error"),
                              tr("The project \"%1\" could not be opened:\n%2").arg(fileName, error));
        return false;
    }
    applyProjectData(data);
    return true;
}

void MainWindow::generateFile()
{
    const QString missing = ModelCore::completenessMessage(collectProjectData());
    if (!missing.isEmpty()) {
        QMessageBox::critical(nullptr, tr("Error"), missing);
        return;
    }
    generarArchivo();
}

void MainWindow::generarArchivo()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Generate file"), QString(),
                                                          tr("Text File (*.txt);;Data File(*.dat)"));
    if (fileName.isEmpty())
        return;
    writeAnalysisFile(fileName);
}

void MainWindow::saveFile()
{
    const QString fileName =
        QFileDialog::getSaveFileName(this, tr("Save project"), QString(), tr("GUI File (*.kfp)"));
    if (fileName.isEmpty())
        return;
    writeProjectFile(fileName);
}

void MainWindow::openFile()
{
    const QString fileName =
        QFileDialog::getOpenFileName(this, tr("Open project"), QString(), tr("GUI File (*.kfp)"));
    if (fileName.isEmpty())
        return;
    readProjectFile(fileName);
}
