#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QWheelEvent>

#include "bar.h"
#include "createmembercommand.h"
#include "mainwindow.h"
#include "member.h"
#include "node.h"
#include "testmodels.h"

namespace {

using TestModels::addMemberTypes;
using TestModels::setGrid;

QAction *action(MainWindow &w, const char *name)
{
    return w.findChild<QAction *>(QLatin1String(name));
}

// Runs f and returns the text of the message box it showed (closed at once), or "".
// The timer dies with the call, so a box that never came cannot fire into a later test.
template <typename F>
QString messageOf(F f)
{
    QString text;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&text] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->text();
            box->close();
        }
    });
    timer.start(0);
    f();
    return text;
}

QList<QLineF> sceneLines(QGraphicsScene *scene)
{
    QList<QLineF> lines;
    for (QGraphicsItem *item : scene->items())
        if (auto *line = qgraphicsitem_cast<QGraphicsLineItem *>(item))
            lines << line->line();
    return lines;
}

QPointF textPos(QGraphicsScene *scene, const QString &text, const QColor &colour)
{
    for (QGraphicsItem *item : scene->items()) {
        if (auto *t = qgraphicsitem_cast<QGraphicsTextItem *>(item))
            if (t->toPlainText() == text && t->defaultTextColor() == colour)
                return t->pos();
        if (auto *t = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(item))
            if (t->text() == text && t->brush().color() == colour)
                return t->pos();
    }
    return QPointF(-9999, -9999);
}

void drawMember(MainWindow &w, int from, int to)
{
    w.barProcedure(from);
    w.barProcedure(to);
}

// Every node's centre lies inside the view's viewport.
bool allNodesInView(MainWindow &w)
{
    auto *view = w.findChild<QGraphicsView *>("gridView");
    const QRect inside = view->viewport()->rect();
    for (Node *n : w.getNodes())
        if (!inside.contains(view->mapFromScene(n->pos())))
            return false;
    return !w.getNodes().isEmpty();
}

QStringList lines(int count, double spacing)
{
    QStringList l;
    for (int i = 0; i < count; ++i)
        l << QString::number(i * spacing);
    return l;
}

QString statusText(MainWindow &w, const char *label)
{
    return w.findChild<QLabel *>(QLatin1String(label))->text();
}

void hover(MainWindow &w, QPointF scenePos)
{
    auto *view = w.findChild<QGraphicsView *>("gridView");
    const QPointF at = view->mapFromScene(scenePos);
    QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &move);
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startStateAndFirstGrid();
    void gridLinesAndLabels();
    void nodesNumberedFromSortedGrid();
    void resizeAndZoom();
    void viewFitsCentralArea_data();
    void viewFitsCentralArea();
    void zoomToFitShowsEveryNode();
    void openingZoomsToFit();
    void wheelZoomsAboutCursor();
    void middleDragPans();
    void statusBarTexts();
    void kupListsAndDrift();
    void drawingMembers();
    void deletingMembersRenumbers();
    void deletingMemberTypeShiftsMembers();
    void imagesFoundFromAnyFolder();
};

void tst_MainWindow::startStateAndFirstGrid()
{
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Untitled[*] - GUI for Taliskor2D"));
    const char *locked[] = {"editLoadAction", "editDriftAction", "editMTypeAction", "editMassAction",
                            "editControlOptionsAction", "actionEQUAKE", "actionSHAPE", "createBarAct", "deleteAct"};
    const char *open[] = {"editGridAction", "actionOpen_Project", "actionSave_Project", "generateFileAction",
                          "quitAction", "actionAbout", "openAct", "saveAct", "zoomInAct", "zoomOutAct", "generateAct"};
    for (const char *name : locked) {
        QVERIFY2(action(w, name), name);
        QVERIFY2(!action(w, name)->isEnabled(), name);
    }
    for (const char *name : open)
        QVERIFY2(action(w, name)->isEnabled(), name);
    QVERIFY(!w.getMTypeComboBox()->isEnabled());
    QCOMPARE(action(w, "generateFileAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+G")));
    QCOMPARE(action(w, "deleteAct")->shortcut(), QKeySequence(Qt::Key_Delete));

    setGrid(w, {"0", "5"}, {"0", "3"});
    for (const char *name : {"editLoadAction", "editDriftAction", "editMTypeAction", "editMassAction",
                             "editControlOptionsAction", "actionEQUAKE"})
        QVERIFY2(action(w, name)->isEnabled(), name);
    QVERIFY(action(w, "editGridAction")->isEnabled());   // the grid can be edited later
    for (const char *name : {"openAct", "actionOpen_Project"})
        QVERIFY2(action(w, name)->isEnabled(), name);
    QVERIFY(!action(w, "createBarAct")->isEnabled());
    QVERIFY(!action(w, "actionSHAPE")->isEnabled());

    addMemberTypes(w, {Member::FRAME});
    QVERIFY(action(w, "createBarAct")->isEnabled());
    QVERIFY(w.getMTypeComboBox()->isEnabled());
    QCOMPARE(w.getMTypeComboBox()->itemText(0), QStringLiteral("1  MTYPE1"));
}

void tst_MainWindow::gridLinesAndLabels()
{
    MainWindow w;
    setGrid(w, {"0", "5", "10"}, {"0", "3"});
    const QList<QLineF> lines = sceneLines(w.getScene());
    QCOMPARE(lines.size(), 5);
    for (double x : {0.0, 100.0, 200.0})
        QVERIFY(lines.contains(QLineF(x, 0, x, -60)));
    QVERIFY(lines.contains(QLineF(-30, 0, 230, 0)));
    QVERIFY(lines.contains(QLineF(-30, -60, 230, -60)));
    QCOMPARE(textPos(w.getScene(), "1", Qt::green), QPointF(-10, -100));
    QCOMPARE(textPos(w.getScene(), "BASE", Qt::green), QPointF(-80, -24));
    QCOMPARE(textPos(w.getScene(), "STORY-1", Qt::green), QPointF(-80, -84));
    // Each node writes its number itself, where the label items used to put it.
    QCOMPARE(w.getNodes().first()->mapToScene(w.getNodes().first()->labelRect().topLeft()), QPointF(6, 6));

    MainWindow single;
    setGrid(single, {"4"}, {"0", "2"});
    QVERIFY(sceneLines(single.getScene()).contains(QLineF(50, 0, 110, 0)));
}

void tst_MainWindow::nodesNumberedFromSortedGrid()
{
    MainWindow w;
    setGrid(w, {"8", "0", "4"}, {"0", "3", "6"});
    const QList<Node *> &nodes = w.getNodes();
    QCOMPARE(nodes.size(), 9);
    for (int k = 0; k < 9; ++k) {
        QCOMPARE(nodes.at(k)->getId(), k + 1);
        QCOMPARE(nodes.at(k)->getXCoordinate(), 4.0 * (k % 3));
        QCOMPARE(nodes.at(k)->getYCoordinate(), 3.0 * (k / 3));
        const int fixed = k < 3 ? 1 : 0;
        QCOMPARE(nodes.at(k)->getNf1(), fixed);
        QCOMPARE(nodes.at(k)->getNf2(), fixed);
        QCOMPARE(nodes.at(k)->getNf3(), fixed);
        QCOMPARE(nodes.at(k)->getKup1(), 0);
        QCOMPARE(nodes.at(k)->zValue(), 1.0);
        QCOMPARE(nodes.at(k)->type(), 65537);
    }
    QCOMPARE(nodes.at(4)->toolTip(), QStringLiteral("(4,3)"));
    QCOMPARE(nodes.at(4)->pos(), QPointF(80, -60));
    QVERIFY(nodes.at(4)->boundingRect().contains(QRectF(-12, -12, 25, 25)));
    QVERIFY(nodes.at(4)->boundingRect().contains(nodes.at(4)->labelRect()));
    QVERIFY(nodes.at(4)->shape().contains(QPointF(9, 0)));
    QVERIFY(!nodes.at(4)->shape().contains(QPointF(9, 9)));

    nodes.at(4)->addNode(2);
    nodes.at(4)->addNode(2);
    nodes.at(4)->deleteNode(7);
    QCOMPARE(nodes.at(4)->getNodes(), QList<int>({2, 2}));
    nodes.at(4)->deleteNode(2);
    QCOMPARE(nodes.at(4)->getNodes(), QList<int>({2}));
}

void tst_MainWindow::resizeAndZoom()
{
    MainWindow w;
    w.show();
    w.resize(400, 300);
    QCoreApplication::processEvents();
    // The layouts size the view from the central area, not from the window.
    auto *box = w.findChild<QGroupBox *>("gridViewGroupBox");
    QVERIFY(w.centralWidget()->rect().contains(box->geometry()));
    QVERIFY(box->width() > w.centralWidget()->width() - 20);

    QGraphicsView *view = w.findChild<QGraphicsView *>("gridView");
    for (int i = 0; i < 5; ++i)
        w.zoomIn();
    QVERIFY(qAbs(view->transform().m11() - std::pow(1.1, 5)) < 1e-12);
    for (int i = 0; i < 5; ++i)
        w.zoomOut();
    QCOMPARE(view->transform().m11(), std::pow(1.1 * 0.9090909091, 5));
    QVERIFY(view->transform().m11() != 1.0);
}

void tst_MainWindow::viewFitsCentralArea_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("toolBarWidth");
    QTest::newRow("small") << QSize(500, 380) << 0;
    QTest::newRow("large") << QSize(1300, 900) << 0;
    QTest::newRow("wide left tool bar") << QSize(900, 600) << 300;
}

void tst_MainWindow::viewFitsCentralArea()
{
    QFETCH(QSize, size);
    QFETCH(int, toolBarWidth);
    MainWindow w;
    if (toolBarWidth > 0)
        w.findChild<QToolBar *>("editToolBar")->setMinimumWidth(toolBarWidth);
    w.resize(size);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *view = w.findChild<QGraphicsView *>("gridView");
    QWidget *central = w.centralWidget();
    const QRect viewInCentral(view->mapTo(central, QPoint(0, 0)), view->size());
    QVERIFY2(central->rect().contains(viewInCentral), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                      .arg(viewInCentral.x())
                                                                      .arg(viewInCentral.y())
                                                                      .arg(viewInCentral.width())
                                                                      .arg(viewInCentral.height())));
    QVERIFY(central->geometry().left() >= toolBarWidth);
    // It uses the area, not a fixed part of it.
    QVERIFY(view->width() > central->width() - 60);
    QVERIFY(view->height() > central->height() - 80);
    QVERIFY(view->horizontalScrollBar()->isVisible());
    QVERIFY(view->verticalScrollBar()->isVisible());
    const QRect vBar(view->verticalScrollBar()->mapTo(central, QPoint(0, 0)), view->verticalScrollBar()->size());
    QVERIFY(central->rect().contains(vBar));
}

void tst_MainWindow::zoomToFitShowsEveryNode()
{
    MainWindow w;
    w.resize(800, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    setGrid(w, lines(21, 10), lines(15, 10));
    QVERIFY(!allNodesInView(w));
    QAction *fit = action(w, "zoomToFitAct");
    QCOMPARE(fit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
    const QList<QAction *> viewMenu = w.findChild<QMenu *>("menuView")->actions();
    for (const char *name : {"zoomInAct", "zoomOutAct", "zoomToFitAct"})
        QVERIFY2(viewMenu.contains(action(w, name)), name);
    QCOMPARE(action(w, "zoomInAct")->shortcut(), QKeySequence(Qt::Key_Plus));
    QCOMPARE(action(w, "zoomOutAct")->shortcut(), QKeySequence(Qt::Key_Minus));
    fit->trigger();
    QVERIFY(allNodesInView(w));
    // Fitted, not just shrunk: one more zoom-in loses a node.
    for (int i = 0; i < 3; ++i)
        w.zoomIn();
    QVERIFY(!allNodesInView(w));
    // F in the view fits again.
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *view = w.findChild<QGraphicsView *>("gridView");
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F);
    QVERIFY(allNodesInView(w));
}

void tst_MainWindow::openingZoomsToFit()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("big.kfp"));
    {
        MainWindow source;
        setGrid(source, lines(31, 10), lines(21, 10));
        QVERIFY(source.writeProjectFile(file));
    }
    MainWindow w;
    w.resize(800, 600);
    QVERIFY(w.readProjectFile(file));   // before the window has its size
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(allNodesInView(w));
}

void tst_MainWindow::wheelZoomsAboutCursor()
{
    MainWindow w;
    w.resize(800, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    setGrid(w, lines(21, 10), lines(15, 10));
    auto *view = w.findChild<QGraphicsView *>("gridView");
    const QPoint at(view->viewport()->width() / 3, view->viewport()->height() / 4);
    for (int delta : {120, 120, -120}) {
        const QPointF before = view->mapToScene(at);
        const double scale = view->transform().m11();
        QWheelEvent wheel(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view->viewport(), &wheel);
        QCOMPARE(view->transform().m11(), delta > 0 ? scale * 1.1 : scale / 1.1);
        const QPointF after = view->mapToScene(at);
        QVERIFY2(QLineF(before, after).length() * view->transform().m11() < 1.5,
                 qPrintable(QStringLiteral("moved %1").arg(QLineF(before, after).length())));
    }
}

void tst_MainWindow::middleDragPans()
{
    MainWindow w;
    w.resize(800, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    setGrid(w, lines(21, 10), lines(15, 10));
    auto *view = w.findChild<QGraphicsView *>("gridView");
    QWidget *port = view->viewport();
    QCoreApplication::processEvents();   // the scroll ranges follow the new scene
    const int h = view->horizontalScrollBar()->value();
    const int v = view->verticalScrollBar()->value();
    const QPointF from(300, 300), to(260, 350);   // the view starts at the bottom
    QMouseEvent press(QEvent::MouseButtonPress, from, port->mapToGlobal(from), Qt::MiddleButton, Qt::MiddleButton,
                      Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, to, port->mapToGlobal(to), Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, to, port->mapToGlobal(to), Qt::MiddleButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(port, &press);
    QCoreApplication::sendEvent(port, &move);
    QCoreApplication::sendEvent(port, &release);
    QCOMPARE(view->horizontalScrollBar()->value(), h + 40);
    QCOMPARE(view->verticalScrollBar()->value(), v - 50);
}

void tst_MainWindow::statusBarTexts()
{
    MainWindow w;
    w.resize(800, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.statusBar()->isVisible());
    setGrid(w, {"0", "12", "24"}, {"0", "7"});
    QCOMPARE(statusText(w, "statusCounts"), QStringLiteral("6 nodes, 0 members, 0 member types"));
    QList<Member *> records{new Member(1, Member::FRAME)};
    records.first()->setLabel(QStringLiteral("Beam-300x600"));
    w.getMTypeDialog()->setMTypes(records);
    w.getMTypeDialog()->addItems(1);
    w.updateMTypes();
    QCOMPARE(statusText(w, "statusCounts"), QStringLiteral("6 nodes, 0 members, 1 member type"));

    QVERIFY(statusText(w, "statusMode").isEmpty());
    action(w, "createBarAct")->setChecked(true);
    w.createBar();
    QCOMPARE(statusText(w, "statusMode"), QStringLiteral("Create member: click the first node"));
    w.barProcedure(5);
    QCOMPARE(statusText(w, "statusMode"), QStringLiteral("Create member: click the second node"));
    w.barProcedure(6);
    QCOMPARE(statusText(w, "statusMode"), QStringLiteral("Create member: click the first node"));
    QCOMPARE(statusText(w, "statusCounts"), QStringLiteral("6 nodes, 1 member, 1 member type"));

    // Nodes by rows: 1 (0,0), 2 (12,0), 3 (24,0), 4 (0,7), 5 (12,7), 6 (24,7); a member with no type too.
    MemberRecord untyped;
    untyped.source = w.projectModel()->nodes().at(0).key;
    untyped.dest = w.projectModel()->nodes().at(3).key;
    w.undoStack()->push(new CreateMemberCommand(w.projectModel(), untyped));
    QCOMPARE(statusText(w, "statusCounts"), QStringLiteral("6 nodes, 2 members, 1 member type"));

    Node *node = w.getNodes().at(5);
    hover(w, node->pos());
    QCOMPARE(statusText(w, "statusItem"), QStringLiteral("Node 6 at (24, 7)"));
    QCOMPARE(statusText(w, "statusCoordinates"), QStringLiteral("(24.00, 7.00)"));
    hover(w, (w.getNodes().at(4)->pos() + node->pos()) / 2);
    QCOMPARE(statusText(w, "statusItem"), QStringLiteral("Member 1: type 1 Beam-300x600, nodes 5 to 6"));
    hover(w, (w.getNodes().at(0)->pos() + w.getNodes().at(3)->pos()) / 2);
    QCOMPARE(statusText(w, "statusItem"), QStringLiteral("Member 2: no type, nodes 1 to 4"));
    hover(w, QPointF(6 * 20, 3.5 * -20));   // between the lines
    QVERIFY(statusText(w, "statusItem").isEmpty());

    w.undoStack()->undo();
    w.undoStack()->undo();
    QCOMPARE(statusText(w, "statusCounts"), QStringLiteral("6 nodes, 0 members, 1 member type"));
}

void tst_MainWindow::kupListsAndDrift()
{
    MainWindow w;
    setGrid(w, {"0", "5", "10"}, {"0", "3", "6"});
    const QList<Node *> &nodes = w.getNodes();
    QCOMPARE(nodes.at(4)->getKup1List(), QStringList({"4", "5", "6"}));
    QCOMPARE(nodes.at(4)->getKup2List(), QStringList({"2", "5", "8"}));

    w.getDriftDialog()->setDrift(QStringLiteral("2"));
    w.updateDrift(true);
    QCOMPARE(w.getDriftIds(), QStringList({"2", "5", "8"}));
    const int expected[9] = {2, 0, 2, 5, 0, 5, 8, 0, 8};
    for (int k = 0; k < 9; ++k)
        QCOMPARE(nodes.at(k)->getKup1(), expected[k]);

    w.getDriftDialog()->setDrift(QStringLiteral("None"));
    w.updateDrift(false);
    QVERIFY(w.getDriftIds().isEmpty());
    QCOMPARE(nodes.at(0)->getKup1(), 2);
    w.updateDrift(true);
    for (Node *n : nodes)
        QCOMPARE(n->getKup1(), 0);
}

void tst_MainWindow::drawingMembers()
{
    MainWindow w;
    setGrid(w, {"0", "5"}, {"0", "3"});
    addMemberTypes(w, {Member::FRAME, Member::SPRING});
    QAction *create = action(w, "createBarAct");

    // Off: clicks do nothing.
    drawMember(w, 1, 3);
    QCOMPARE(w.getBars().size(), 0);

    create->setChecked(true);
    w.createBar();
    QVERIFY(w.isCreateBarMode());
    QCOMPARE(w.cursor().shape(), Qt::UpArrowCursor);
    drawMember(w, 1, 3);
    QCOMPARE(w.getBars().size(), 1);
    Bar *first = w.getBars().at(0);
    QCOMPARE(first->getId(), 1);
    QCOMPARE(first->getMTypeId(), 1);
    QCOMPARE(first->getType(), int(Member::FRAME));
    QCOMPARE(first->sourceNode()->getId(), 1);
    QCOMPARE(first->destNode()->getId(), 3);
    QCOMPARE(first->toolTip(), QStringLiteral("ID : 1\nMTYPE : 1"));
    QCOMPARE(first->zValue(), 0.0);
    // Line stops 10 scene units short of each node centre: nodes at (0,0) and (0,-60).
    QCOMPARE(first->boundingRect(), QRectF(-5.5, -55.5, 11, 51));

    w.getMTypeComboBox()->setCurrentIndex(1);
    drawMember(w, 3, 4);
    QCOMPARE(w.getBars().at(1)->getMTypeId(), 2);
    QCOMPARE(w.getBars().at(1)->getType(), int(Member::SPRING));

    QCOMPARE(messageOf([&] { drawMember(w, 3, 1); }), QStringLiteral("You can't put two bars between two nodes"));
    QCOMPARE(w.getBars().size(), 2);
    QVERIFY(w.isCreateBarMode());

    QCOMPARE(messageOf([&] { drawMember(w, 4, 4); }), QStringLiteral("You must select differents nodes"));
    QVERIFY(!create->isChecked());
    QVERIFY(!w.isCreateBarMode());
    QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
}

void tst_MainWindow::deletingMembersRenumbers()
{
    MainWindow w;
    setGrid(w, {"0", "5"}, {"0", "3"});
    addMemberTypes(w, {Member::FRAME});
    action(w, "createBarAct")->setChecked(true);
    w.createBar();
    drawMember(w, 1, 3);
    drawMember(w, 3, 4);
    drawMember(w, 4, 2);
    QCOMPARE(w.getControlDialog()->getB()[1], 3);

    w.activateDeleteAct(2);
    QVERIFY(action(w, "deleteAct")->isEnabled());
    w.deleteBarByButton();
    QCOMPARE(w.getBars().size(), 2);
    QCOMPARE(w.getBars().at(0)->getId(), 1);
    QCOMPARE(w.getBars().at(1)->getId(), 2);
    QCOMPARE(w.getBars().at(1)->sourceNode()->getId(), 4);
    QVERIFY(!action(w, "deleteAct")->isEnabled());
    QCOMPARE(w.getControlDialog()->getB()[1], 2);

    // The pair 3-4 can be joined again.
    QCOMPARE(messageOf([&] { drawMember(w, 4, 3); }), QString());
    QCOMPARE(w.getBars().size(), 3);
    QCOMPARE(w.getBars().at(2)->getId(), 3);
}

void tst_MainWindow::deletingMemberTypeShiftsMembers()
{
    MainWindow w;
    setGrid(w, {"0", "5", "10"}, {"0", "3"});
    addMemberTypes(w, {Member::FRAME, Member::WALL, Member::DAMPER});
    action(w, "createBarAct")->setChecked(true);
    w.createBar();
    for (int m = 0; m < 3; ++m) {
        w.getMTypeComboBox()->setCurrentIndex(m);
        drawMember(w, m + 1, m + 4);
    }
    QCOMPARE(w.getBars().at(2)->getType(), int(Member::DAMPER));

    // Delete type 2 in the member-type dialog.
    w.getMTypeDialog()->findChild<QComboBox *>("mTypeComboBox")->setCurrentIndex(1);
    const QString asked = TestModels::answeringBox(QStringLiteral("Delete"), [&] {
        w.getMTypeDialog()->findChild<QPushButton *>("deleteBtn")->click();
    });
    QVERIFY2(asked.startsWith(QLatin1String("Member type 2 (")) && asked.contains(QLatin1String(" is used by 1 member.")),
             qPrintable(asked));
    QCOMPARE(w.getBars().at(0)->getMTypeId(), 1);
    QCOMPARE(w.getBars().at(1)->getMTypeId(), 0);
    QCOMPARE(w.getBars().at(1)->getType(), -1);
    QCOMPARE(w.getBars().at(1)->toolTip(), QStringLiteral("ID : 2\nMTYPE : None"));
    QCOMPARE(w.getBars().at(2)->getMTypeId(), 2);
    QCOMPARE(w.getBars().at(2)->getType(), int(Member::DAMPER));
    QCOMPARE(w.getMTypeComboBox()->count(), 2);
}

void tst_MainWindow::imagesFoundFromAnyFolder()
{
    // Started elsewhere, the program still finds libs/ beside itself.
    QTemporaryDir elsewhere;
    const QString old = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    {
        MainWindow w;
        for (const char *name : {"openAct", "saveAct", "deleteAct", "zoomInAct", "zoomOutAct", "generateAct"})
            QVERIFY2(!action(w, name)->icon().pixmap(16, 16).isNull(), name);
        QVERIFY(action(w, "createBarAct")->icon().isNull());
        aboutDialog *about = w.getAboutDialog();
        QCOMPARE(about->windowTitle(), QStringLiteral("About"));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        QLabel *logo = about->findChild<QLabel *>("qtLogo");
        QVERIFY(!logo->pixmap().isNull());
        QCOMPARE(about->findChild<QLabel *>("label_2")->text(),
                 QStringLiteral("Developed with Qt ") + QLatin1String(QT_VERSION_STR));
    }
    QVERIFY(QDir::setCurrent(old));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
