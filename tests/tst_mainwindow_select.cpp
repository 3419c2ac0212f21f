#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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
    QAction *a = w.findChild<QAction *>(QLatin1String(name));
    if (!a)
        qFatal("missing action %s", name);
    return a;
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

void drag(const MainWindow &w, const QPoint &from, const QPoint &to, Qt::KeyboardModifiers modifiers = {})
{
    send(w, QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
    send(w, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton, modifiers);
    send(w, QEvent::MouseMove, to, Qt::LeftButton, modifiers);
    send(w, QEvent::MouseButtonRelease, to, Qt::NoButton, modifiers);
    QCoreApplication::processEvents();
}

// The selected members' and nodes' numbers, ascending.
QList<int> selected(const MainWindow &w, int type)
{
    QList<int> numbers;
    for (QGraphicsItem *item : w.getScene()->selectedItems()) {
        if (item->type() == type && type == Bar::Type)
            numbers << static_cast<Bar *>(item)->getId();
        else if (item->type() == type && type == Node::Type)
            numbers << static_cast<Node *>(item)->getId();
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QList<int> range(int from, int to)
{
    QList<int> r;
    for (int k = from; k <= to; ++k)
        r << k;
    return r;
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

// The whole model in a box from away from any node.
void selectAll(const MainWindow &w)
{
    drag(w, at(w, -1, -1), at(w, 19, 15));
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
    void refusesBadNumbers();
    void quickDraw_data();
    void quickDraw();
};

void tst_MainWindowSelect::boxSelects_data()
{
    QTest::addColumn<QList<double>>("box");   // corners in model coordinates
    QTest::addColumn<bool>("ctrlAdds");       // Ctrl-drag after a first box of node 20
    QTest::addColumn<QList<int>>("members");
    QTest::addColumn<QList<int>>("nodes");
    QTest::addRow("whole model") << QList<double>{-1, -1, 19, 15} << false << range(1, 28) << range(1, 20);
    QTest::addRow("lowest bay") << QList<double>{-1, -1, 7, 4.5} << false << QList<int>{1, 2, 17}
                                << QList<int>{1, 2, 5, 6};
    QTest::addRow("dragged the other way") << QList<double>{7, 4.5, -1, -1} << false << QList<int>{1, 2, 17}
                                           << QList<int>{1, 2, 5, 6};
    QTest::addRow("members half inside are out") << QList<double>{-1, -1, 13, 2} << false << QList<int>()
                                                 << QList<int>{1, 2, 3};
    QTest::addRow("a storey") << QList<double>{-1, 6, 19, 8} << false << QList<int>{20, 21, 22}
                              << QList<int>{9, 10, 11, 12};
    QTest::addRow("ctrl adds") << QList<double>{-1, 6, 19, 8} << true << QList<int>{20, 21, 22}
                               << QList<int>{9, 10, 11, 12, 20};
}

void tst_MainWindowSelect::boxSelects()
{
    QFETCH(QList<double>, box);
    QFETCH(bool, ctrlAdds);
    QFETCH(QList<int>, members);
    QFETCH(QList<int>, nodes);
    MainWindow w;
    open(w);
    drag(w, at(w, 17, 13), at(w, 19, 15));
    QCOMPARE(selected(w, Node::Type), QList<int>{20});
    drag(w, at(w, box.at(0), box.at(1)), at(w, box.at(2), box.at(3)),
         ctrlAdds ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(selected(w, Bar::Type), members);
    QCOMPARE(selected(w, Node::Type), nodes);
    QCOMPARE(action(w, "deleteAct")->isEnabled(), !members.isEmpty());
    QVERIFY(action(w, "assignAct")->isEnabled());
}

void tst_MainWindowSelect::clickCtrlClickEscape()
{
    MainWindow w;
    open(w);
    QVERIFY(!action(w, "assignAct")->isEnabled());
    const QPoint column1 = at(w, 0, 1.75), beam17 = at(w, 3, 3.5), node6 = at(w, 6, 3.5);
    click(w, column1);
    QCOMPARE(selected(w, Bar::Type), QList<int>{1});
    QVERIFY(action(w, "deleteAct")->isEnabled());
    click(w, beam17);
    QCOMPARE(selected(w, Bar::Type), QList<int>{17});
    click(w, node6, Qt::ControlModifier);
    click(w, column1, Qt::ControlModifier);
    QCOMPARE(selected(w, Bar::Type), QList<int>({1, 17}));
    QCOMPARE(selected(w, Node::Type), QList<int>{6});
    click(w, beam17, Qt::ControlModifier);
    QCOMPARE(selected(w, Bar::Type), QList<int>{1});
    // A right click opens the member's dialog and keeps the selection.
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            opened = true;
            d->reject();
        }
    });
    click(w, beam17, {}, Qt::RightButton);
    QVERIFY(opened);
    QCOMPARE(selected(w, Bar::Type), QList<int>{1});
    QCOMPARE(selected(w, Node::Type), QList<int>{6});
    // Escape in the view clears; so does a click on empty space.
    QTest::keyClick(view(w), Qt::Key_Escape);
    QCoreApplication::processEvents();
    QVERIFY(w.getScene()->selectedItems().isEmpty());
    QVERIFY(!action(w, "deleteAct")->isEnabled());
    QVERIFY(!action(w, "assignAct")->isEnabled());
    click(w, node6);
    QCOMPARE(selected(w, Node::Type), QList<int>{6});
    click(w, at(w, 3, 1.75));
    QVERIFY(w.getScene()->selectedItems().isEmpty());
}

void tst_MainWindowSelect::deleteSelection_data()
{
    QTest::addColumn<QList<double>>("box");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("left");
    QTest::addRow("all") << QList<double>{-1, -1, 19, 15} << "Delete 28 members" << 0;
    QTest::addRow("lowest bay") << QList<double>{-1, -1, 7, 4.5} << "Delete 3 members" << 25;
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
    drag(w, at(w, box.at(0), box.at(1)), at(w, box.at(2), box.at(3)));
    action(w, "deleteAct")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(w.getBars().size(), left);
    QCOMPARE(w.projectModel()->members().size(), left);
    QCOMPARE(w.undoStack()->count(), 1);
    QCOMPARE(w.undoStack()->undoText(), step);
    QCoreApplication::processEvents();
    QVERIFY(!action(w, "deleteAct")->isEnabled());
    action(w, "undoAct")->trigger();
    QCOMPARE(bothFiles(w), before);
    QCOMPARE(w.getBars().last()->getId(), 28);
}

void tst_MainWindowSelect::assign_data()
{
    QTest::addColumn<QList<double>>("box");
    QTest::addColumn<QStringList>("fields");   // object name = text; a combo takes an index
    QTest::addColumn<QString>("step");         // empty: no step
    QTest::addColumn<QList<int>>("memberType");   // type of members 1, 17, 20 after
    QTest::addColumn<QList<int>>("nodeNf");       // NF1 NF2 NF3 IOUT of node 10 after
    QTest::addColumn<QList<double>>("weights");   // WX WY WD of nodes 10 and 14 after
    QTest::addColumn<QList<double>>("loads");     // FX FY FM of node 10 after
    const QList<double> all{-1, -1, 19, 15}, storey2{-1, 6, 19, 8};
    const QList<double> weights{25, 25, 0, 25, 25, 0}, loads{0, -245, 0};
    QTest::addRow("member type") << all << QStringList{"mTypeComboBox=2"} << "Assign to 28 members"
                                 << QList<int>{2, 2, 2} << QList<int>{0, 0, 0, 0} << weights << loads;
    QTest::addRow("storey masses") << storey2 << QStringList{"wxLineEdit=12.5", "wyLineEdit= 1e1 "}
                                   << "Assign to 4 nodes" << QList<int>{1, 2, 2} << QList<int>{0, 0, 0, 0}
                                   << QList<double>{12.5, 10, 0, 25, 25, 0} << loads;
    QTest::addRow("both") << storey2
                          << QStringList{"memberIoutComboBox=2", "nf1ComboBox=2", "nf3ComboBox=2",
                                         "nodeIoutComboBox=3", "fmLineEdit=-0.5", "mTypeComboBox=1"}
                          << "Assign to 3 members and 4 nodes" << QList<int>{1, 2, 1} << QList<int>{1, 0, 1, 2}
                          << weights << QList<double>{0, -245, -0.5};
    QTest::addRow("values they have") << storey2 << QStringList{"nf1ComboBox=1", "wxLineEdit=25"} << QString()
                                      << QList<int>{1, 2, 2} << QList<int>{0, 0, 0, 0} << weights << loads;
    QTest::addRow("nothing") << all << QStringList() << QString() << QList<int>{1, 2, 2}
                             << QList<int>{0, 0, 0, 0} << weights << loads;
}

void tst_MainWindowSelect::assign()
{
    QFETCH(QList<double>, box);
    QFETCH(QStringList, fields);
    QFETCH(QString, step);
    QFETCH(QList<int>, memberType);
    QFETCH(QList<int>, nodeNf);
    QFETCH(QList<double>, weights);
    QFETCH(QList<double>, loads);
    MainWindow w;
    open(w);
    const QByteArray before = bothFiles(w);
    drag(w, at(w, box.at(0), box.at(1)), at(w, box.at(2), box.at(3)));
    QVERIFY(action(w, "assignAct")->isEnabled());
    onModal([&] { action(w, "assignAct")->trigger(); },
            [&](QDialog *d) {
                for (const QString &f : fields) {
                    const QString name = f.section('=', 0, 0), value = f.section('=', 1);
                    if (auto *combo = d->findChild<QComboBox *>(name)) {
                        QCOMPARE(combo->currentText(), QStringLiteral("unchanged"));
                        combo->setCurrentIndex(value.toInt());
                    } else {
                        auto *edit = d->findChild<QLineEdit *>(name);
                        QCOMPARE(edit->placeholderText(), QStringLiteral("unchanged"));
                        edit->setText(value);
                    }
                }
                d->findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
            });
    const ProjectData p = w.collectProjectData();
    QCOMPARE(QList<int>({p.bars.at(0).mTypeId, p.bars.at(16).mTypeId, p.bars.at(19).mTypeId}), memberType);
    const NodeData &n = p.nodes.at(9);
    QCOMPARE(QList<int>({n.nf1, n.nf2, n.nf3, n.iout}), nodeNf);
    QCOMPARE(QList<double>({p.wx.at(9), p.wy.at(9), p.wd.at(9), p.wx.at(13), p.wy.at(13), p.wd.at(13)}), weights);
    QCOMPARE(QList<double>({p.fx.at(9), p.fy.at(9), p.fm.at(9)}), loads);
    if (step.isEmpty()) {
        QCOMPARE(w.undoStack()->count(), 0);
        QCOMPARE(bothFiles(w), before);
        return;
    }
    QCOMPARE(w.undoStack()->count(), 1);
    QCOMPARE(w.undoStack()->undoText(), step);
    action(w, "undoAct")->trigger();
    QCOMPARE(bothFiles(w), before);
}

void tst_MainWindowSelect::refusesBadNumbers()
{
    MainWindow w;
    open(w);
    drag(w, at(w, -1, 6), at(w, 19, 8));
    QStringList said;
    for (const char *typed : {"1,5", "inf", "12x"}) {
        onModal([&] { action(w, "assignAct")->trigger(); },
                [&](QDialog *d) {
                    d->findChild<QLineEdit *>(QStringLiteral("fyLineEdit"))->setText(QLatin1String(typed));
                    QTimer::singleShot(0, [&] {
                        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                            said << box->text();
                            box->accept();
                        }
                    });
                    d->findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
                    QVERIFY(d->isVisible());
                    d->findChild<QPushButton *>(QStringLiteral("cancelBtn"))->click();
                });
    }
    QCOMPARE(said, QStringList(3, QStringLiteral("FY must be a number")));
    QCOMPARE(w.undoStack()->count(), 0);
}

void tst_MainWindowSelect::quickDraw_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QList<int>>("existing");   // pairs of node numbers drawn first
    QTest::addColumn<int>("created");
    QTest::addRow("columns") << 0 << QList<int>() << 16;
    QTest::addRow("beams") << 1 << QList<int>() << 15;
    QTest::addRow("columns and beams") << 2 << QList<int>() << 31;
    // A column 5-1, and a beam 9-12 over the three bays.
    QTest::addRow("skips existing") << 2 << QList<int>{5, 1, 9, 12} << 27;
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
    auto *kinds = w.findChild<QComboBox *>(QStringLiteral("quickDrawCBox"));
    QVERIFY(kinds && kinds->isEnabled());
    kinds->setCurrentIndex(choice);
    w.getMTypeComboBox()->setCurrentIndex(1);
    drag(w, at(w, -1, -1), at(w, 19, 15));
    QCOMPARE(w.undoStack()->count(), steps + 1);
    QCOMPARE(w.undoStack()->undoText(), QStringLiteral("Create %1 members").arg(created));
    QCOMPARE(w.getBars().size(), had + created);
    QCOMPARE(w.getBars().last()->getMTypeId(), 2);
    QVERIFY(w.getScene()->selectedItems().isEmpty());
    // Again over the same box: nothing is doubled, no step.
    drag(w, at(w, -1, -1), at(w, 19, 15));
    QCOMPARE(w.undoStack()->count(), steps + 1);
    action(w, "undoAct")->trigger();
    QCOMPARE(bothFiles(w), before);

    // A press on a node still starts the two-click member.
    click(w, at(w, 18, 14));
    auto *hint = w.findChild<QLabel *>(QStringLiteral("statusMode"));
    QCOMPARE(hint->text(), QStringLiteral("Create member: click the second node"));
    click(w, at(w, 12, 14));
    QCOMPARE(w.undoStack()->undoText(), QStringLiteral("Create member %1").arg(had + 1));
}

QTEST_MAIN(tst_MainWindowSelect)
#include "tst_mainwindow_select.moc"
