#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QUndoStack>

#include "bar.h"
#include "createmembercommand.h"
#include "deletememberscommand.h"
#include "mainwindow.h"
#include "node.h"
#include "windowbytes.h"

// Selection, Assign to Selection and quick draw through the real window, with
// the mouse on the view. The portal sample: X 0 6 12 18, Y 0 3.5 7 10.5 14,
// nodes 1 to 20 row by row, members 1 to 16 the columns, 17 to 28 the beams.

namespace {

QByteArray bothFiles(const MainWindow &w)
{
    return projectBytes(w) + "\f" + analysisBytes(w);
}

QAction *action(const MainWindow &w, const char *name)
{
    return w.findChild<QAction *>(QLatin1String(name));
}

QGraphicsView *view(const MainWindow &w)
{
    return w.findChild<QGraphicsView *>(QStringLiteral("gridView"));
}

// The view point of a model point.
QPoint at(const MainWindow &w, double x, double y)
{
    return view(w)->mapFromScene(QPointF(20.0 * x, -20.0 * y));
}

void send(const MainWindow &w, QEvent::Type type, const QPoint &p, Qt::MouseButtons held,
          Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget *viewport = view(w)->viewport();
    QMouseEvent e(type, p, viewport->mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                  modifiers);
    QApplication::sendEvent(viewport, &e);
}

void click(const MainWindow &w, const QPoint &p, Qt::KeyboardModifiers modifiers = {},
           Qt::MouseButton button = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonPress, p, button, modifiers, button);
    send(w, QEvent::MouseButtonRelease, p, Qt::NoButton, modifiers, button);
    QCoreApplication::processEvents();
}

// A box with corners in model coordinates.
void dragBox(const MainWindow &w, const QList<double> &box, Qt::KeyboardModifiers modifiers = {},
             Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint from = at(w, box.at(0), box.at(1)), to = at(w, box.at(2), box.at(3));
    send(w, QEvent::MouseButtonPress, from, button, modifiers, button);
    send(w, QEvent::MouseMove, (from + to) / 2, button, modifiers, button);
    send(w, QEvent::MouseMove, to, button, modifiers, button);
    send(w, QEvent::MouseButtonRelease, to, Qt::NoButton, modifiers, button);
    QCoreApplication::processEvents();
}

// The selected members' and nodes' numbers, ascending: "m 1 2 17 n 1 2 5 6".
QString selected(const MainWindow &w)
{
    QMap<int, QString> bars, nodes;   // sorted by number
    for (QGraphicsItem *item : w.getScene()->selectedItems()) {
        if (item->type() == Bar::Type)
            bars.insert(static_cast<Bar *>(item)->getId(), QString::number(static_cast<Bar *>(item)->getId()));
        else if (item->type() == Node::Type)
            nodes.insert(static_cast<Node *>(item)->getId(), QString::number(static_cast<Node *>(item)->getId()));
    }
    return (QStringList{"m"} + bars.values() + QStringList{"n"} + nodes.values()).join(' ');
}

void open(MainWindow &w)
{
    w.resize(1100, 800);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.readProjectFile(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp")));
    w.zoomToFit();
    QCoreApplication::processEvents();
}

// Runs open(); act() runs on the modal dialog it shows, inside its loop, and must close it.
void onModal(const std::function<void()> &open, const std::function<void(QDialog *)> &act)
{
    QTimer::singleShot(0, [act] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            act(d);
    });
    open();
}

} // namespace

class tst_MainWindowSelect : public QObject
{
    Q_OBJECT

private slots:
    void boxSelects_data();
    void boxSelects();
    void clickCtrlClickEscape();
    void deleteSelection_data();
    void deleteSelection();
    void assign_data();
    void assign();
    void quickDraw_data();
    void quickDraw();
    void replicate_data();
    void replicate();
};

const QList<double> wholeModel{-1, -1, 19, 15}, lowestBay{-1, -1, 7, 4.5}, storey2{-1, 6, 19, 8};

void tst_MainWindowSelect::boxSelects_data()
{
    QTest::addColumn<QList<double>>("box");   // corners in model coordinates
    QTest::addColumn<bool>("ctrl");           // after a first box around node 20
    QTest::addColumn<QString>("picked");
    QTest::addRow("lowest bay") << lowestBay << false << "m 1 2 17 n 1 2 5 6";
    QTest::addRow("dragged the other way") << QList<double>{7, 4.5, -1, -1} << false << "m 1 2 17 n 1 2 5 6";
    QTest::addRow("half inside is out") << QList<double>{-1, -1, 13, 2} << false << "m n 1 2 3";
    QTest::addRow("ctrl adds") << storey2 << true << "m 20 21 22 n 9 10 11 12 20";
}

void tst_MainWindowSelect::boxSelects()
{
    QFETCH(QList<double>, box);
    QFETCH(bool, ctrl);
    QFETCH(QString, picked);
    MainWindow w;
    open(w);
    dragBox(w, {17, 13, 19, 15});
    QCOMPARE(selected(w), QStringLiteral("m n 20"));
    dragBox(w, box, ctrl ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(selected(w), picked);
    QCOMPARE(action(w, "deleteAct")->isEnabled(), picked.at(2) != 'n');
    QVERIFY(action(w, "assignAct")->isEnabled());
}

void tst_MainWindowSelect::clickCtrlClickEscape()
{
    MainWindow w;
    open(w);
    const QPoint column1 = at(w, 0, 1.75), beam17 = at(w, 3, 3.5), node6 = at(w, 6, 3.5);
    click(w, column1);
    click(w, beam17);
    QCOMPARE(selected(w), QStringLiteral("m 17 n"));
    click(w, node6, Qt::ControlModifier);
    click(w, column1, Qt::ControlModifier);
    click(w, beam17, Qt::ControlModifier);
    QCOMPARE(selected(w), QStringLiteral("m 1 n 6"));
    // A right click opens the member's dialog and keeps the selection.
    bool opened = false;
    onModal([&] { click(w, beam17, {}, Qt::RightButton); }, [&](QDialog *d) { opened = true, d->reject(); });
    QVERIFY(opened);
    QCOMPARE(selected(w), QStringLiteral("m 1 n 6"));
    QTest::keyClick(view(w), Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCOMPARE(selected(w), QStringLiteral("m n"));
    QVERIFY(!action(w, "deleteAct")->isEnabled() && !action(w, "assignAct")->isEnabled());
    dragBox(w, wholeModel, {}, Qt::RightButton);   // the box is the left button's
    QCOMPARE(selected(w), QStringLiteral("m n"));
    click(w, node6);
    click(w, at(w, 3, 1.75));   // empty space
    QCOMPARE(selected(w), QStringLiteral("m n"));
}

void tst_MainWindowSelect::deleteSelection_data()
{
    QTest::addColumn<QList<double>>("box");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("left");
    QTest::addRow("all") << wholeModel << "Delete 28 members" << 0;
    QTest::addRow("lowest bay") << lowestBay << "Delete 3 members" << 25;
    QTest::addRow("one member") << QList<double>{-1, 6, 7, 8} << "Delete member 20" << 27;
}

void tst_MainWindowSelect::deleteSelection()
{
    QFETCH(QList<double>, box);
    QFETCH(QString, step);
    QFETCH(int, left);
    MainWindow w;
    open(w);
    const QByteArray before = bothFiles(w);
    dragBox(w, box);
    action(w, "deleteAct")->trigger();
    QCOMPARE(w.getBars().size(), left);
    QCOMPARE(w.undoStack()->count(), 1);
    QCOMPARE(w.undoStack()->undoText(), step);
    action(w, "undoAct")->trigger();
    QCOMPARE(bothFiles(w), before);
    QCOMPARE(w.getBars().last()->getId(), 28);
}

void tst_MainWindowSelect::assign_data()
{
    QTest::addColumn<QList<double>>("box");
    QTest::addColumn<QStringList>("fields");   // object name=text; a combo takes an index
    QTest::addColumn<QString>("answer");       // the step, or the message of a refused OK
    // Types of members 1, 17, 20; NF1 NF2 NF3 IOUT, WX WY WD, FX FY FM of node 10; WX of node 14.
    QTest::addColumn<QString>("after");
    const QString kept = "1 2 2 | 0 0 0 0 | 25 25 0 | 0 -245 0 | 25";
    QTest::addRow("member type") << wholeModel << QStringList{"mTypeComboBox=2"} << "Assign to 28 members"
                                 << "2 2 2 | 0 0 0 0 | 25 25 0 | 0 -245 0 | 25";
    QTest::addRow("storey masses") << storey2 << QStringList{"wxLineEdit=12.5", "wyLineEdit= 1e1 "}
                                   << "Assign to 4 nodes" << "1 2 2 | 0 0 0 0 | 12.5 10 0 | 0 -245 0 | 25";
    QTest::addRow("both") << storey2
                          << QStringList{"memberIoutComboBox=2", "nf1ComboBox=2", "nf3ComboBox=2",
                                         "nodeIoutComboBox=3", "fmLineEdit=-0.5", "mTypeComboBox=1"}
                          << "Assign to 3 members and 4 nodes" << "1 2 1 | 1 0 1 2 | 25 25 0 | 0 -245 -0.5 | 25";
    QTest::addRow("values they have") << storey2 << QStringList{"nf1ComboBox=1", "wxLineEdit=25"} << QString()
                                      << kept;
    QTest::addRow("nothing") << wholeModel << QStringList() << QString() << kept;
    for (const char *bad : {"1,5", "inf", "12x"})
        QTest::addRow("refused %s", bad) << storey2 << QStringList{QStringLiteral("fyLineEdit=") + bad}
                                         << "FY must be a number" << kept;
}

void tst_MainWindowSelect::assign()
{
    QFETCH(QList<double>, box);
    QFETCH(QStringList, fields);
    QFETCH(QString, answer);
    QFETCH(QString, after);
    MainWindow w;
    open(w);
    const QByteArray before = bothFiles(w);
    dragBox(w, box);
    QString said;
    onModal([&] { action(w, "assignAct")->trigger(); },
            [&](QDialog *d) {
                for (const QString &f : fields) {
                    const QString name = f.section('=', 0, 0), value = f.section('=', 1);
                    if (auto *combo = d->findChild<QComboBox *>(name)) {
                        QCOMPARE(combo->currentText(), QStringLiteral("unchanged"));
                        combo->setCurrentIndex(value.toInt());
                    } else if (auto *edit = d->findChild<QLineEdit *>(name)) {
                        QCOMPARE(edit->placeholderText(), QStringLiteral("unchanged"));
                        edit->setText(value);
                    }
                }
                QTimer::singleShot(0, [&] {
                    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                        said = box->text(), box->accept();
                });
                d->findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
                // Runs the timer now when no box came, so it cannot fire after this test.
                QCoreApplication::processEvents();
                if (d->isVisible())
                    d->reject();
            });
    const ProjectData p = w.collectProjectData();
    const NodeData &n = p.nodes.at(9);
    QCOMPARE(QStringLiteral("%1 %2 %3 | %4 %5 %6 %7 | %8 %9 %10 | %11 %12 %13 | %14")
                 .arg(p.bars.at(0).mTypeId).arg(p.bars.at(16).mTypeId).arg(p.bars.at(19).mTypeId)
                 .arg(n.nf1).arg(n.nf2).arg(n.nf3).arg(n.iout)
                 .arg(p.wx.at(9)).arg(p.wy.at(9)).arg(p.wd.at(9)).arg(p.fx.at(9)).arg(p.fy.at(9)).arg(p.fm.at(9))
                 .arg(p.wx.at(13)),
             after);
    if (!said.isEmpty() || answer.isEmpty()) {
        QCOMPARE(said, answer);
        QCOMPARE(w.undoStack()->count(), 0);
        QCOMPARE(bothFiles(w), before);
        return;
    }
    QCOMPARE(w.undoStack()->count(), 1);
    QCOMPARE(w.undoStack()->undoText(), answer);
    action(w, "undoAct")->trigger();
    QCOMPARE(bothFiles(w), before);
}

void tst_MainWindowSelect::quickDraw_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QList<int>>("existing");   // pairs of node numbers drawn first
    QTest::addColumn<int>("created");
    QTest::addRow("columns") << 0 << QList<int>() << 16;
    QTest::addRow("beams") << 1 << QList<int>() << 15;
    // A column 5-1, and a beam 9-12 over the three bays.
    QTest::addRow("both, skipping existing") << 2 << QList<int>{5, 1, 9, 12} << 27;
}

void tst_MainWindowSelect::quickDraw()
{
    QFETCH(int, choice);
    QFETCH(QList<int>, existing);
    QFETCH(int, created);
    MainWindow w;
    open(w);
    ProjectModel *m = w.projectModel();
    QList<ModelKey> all;
    for (const MemberRecord &r : m->members())
        all << r.key;
    w.undoStack()->push(new DeleteMembersCommand(m, all));
    for (int i = 0; i + 1 < existing.size(); i += 2)
        w.undoStack()->push(new CreateMemberCommand(m, {0, 0, m->nodeKey(existing.at(i)), m->nodeKey(existing.at(i + 1))}));
    const int steps = w.undoStack()->count(), had = int(m->members().size());
    const QByteArray before = bothFiles(w);

    action(w, "createBarAct")->setChecked(true);
    w.createBar();
    w.findChild<QComboBox *>(QStringLiteral("quickDrawCBox"))->setCurrentIndex(choice);
    w.getMTypeComboBox()->setCurrentIndex(1);
    for (int again = 0; again < 2; ++again) {   // the second box doubles nothing: no step
        dragBox(w, wholeModel);
        QCOMPARE(w.undoStack()->count(), steps + 1);
        QCOMPARE(w.undoStack()->undoText(), QStringLiteral("Create %1 members").arg(created));
        QCOMPARE(w.getBars().size(), had + created);
        QCOMPARE(w.getBars().last()->getMTypeId(), 2);
    }
    action(w, "undoAct")->trigger();
    QCOMPARE(bothFiles(w), before);

    // A press on a node still starts the two-click member.
    click(w, at(w, 18, 14));
    click(w, at(w, 12, 14));
    QCOMPARE(w.undoStack()->undoText(), QStringLiteral("Create member %1").arg(had + 1));
    // After a refused pair, the next clicks go to the nodes clicked (no node keeps the mouse).
    QStringList said;
    QTimer closer;   // closes every message box, so a wrong one cannot hang the test
    connect(&closer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            said << box->text(), box->accept();
    });
    closer.start(10);
    click(w, at(w, 12, 14));
    send(w, QEvent::MouseButtonPress, at(w, 18, 14), Qt::LeftButton);   // the message box takes the release
    click(w, at(w, 6, 14));
    click(w, at(w, 12, 14));
    QCOMPARE(said, QStringList{"You can't put two bars between two nodes"});
    QCOMPARE(w.undoStack()->undoText(), QStringLiteral("Create member %1").arg(had + 2));
}

void tst_MainWindowSelect::replicate_data()
{
    // The portal with the beams of floors 2 to 4 deleted; the box holds floor 1's beams and nodes 5 to 8.
    QTest::addColumn<QList<int>>("move");   // bays, storeys, times
    QTest::addColumn<QString>("step");      // none: no step
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("members");
    QTest::addRow("up") << QList<int>{0, 1, 3} << "Replicate 9 members and 12 nodes"
                        << "Replicated 9 members and 12 nodes" << 28;
    // The base nodes take the free nodes' freedoms.
    QTest::addRow("down") << QList<int>{0, -1, 1} << "Replicate 3 members and 4 nodes"
                          << "Replicated 3 members and 4 nodes" << 22;
    QTest::addRow("right") << QList<int>{1, 0, 1} << QString() << "Replicated 3 nodes; skipped 4" << 19;
}

void tst_MainWindowSelect::replicate()
{
    QFETCH(QList<int>, move);
    QFETCH(QString, step);
    QFETCH(QString, status);
    QFETCH(int, members);
    MainWindow w;
    open(w);
    QList<ModelKey> upper;
    for (int k = 19; k < 28; ++k)
        upper << w.projectModel()->members().at(k).key;
    w.undoStack()->push(new DeleteMembersCommand(w.projectModel(), upper));
    const QByteArray before = bothFiles(w);
    QVERIFY(!action(w, "replicateAct")->isEnabled());
    dragBox(w, {-1, 2.5, 19, 4.5});
    QVERIFY(action(w, "replicateAct")->isEnabled());
    QCOMPARE(action(w, "replicateAct")->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    onModal([&] { action(w, "replicateAct")->trigger(); },
            [&](QDialog *d) {
                QCOMPARE(d->objectName(), QStringLiteral("replicateDialog"));
                const char *names[] = {"baysSpinBox", "storeysSpinBox", "timesSpinBox"};
                for (int k = 0; k < 3; ++k)
                    d->findChild<QSpinBox *>(QLatin1String(names[k]))->setValue(move.at(k));
                d->accept();
            });
    QCOMPARE(w.statusBar()->currentMessage(), status);
    QCOMPARE(int(w.getBars().size()), members);
    QCOMPARE(w.undoStack()->count(), step.isEmpty() ? 1 : 2);
    if (step.isEmpty())
        return;
    QCOMPARE(w.undoStack()->undoText(), step);
    action(w, "undoAct")->trigger();
    QCOMPARE(bothFiles(w), before);
}

QTEST_MAIN(tst_MainWindowSelect)
#include "tst_mainwindow_select.moc"
