#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>

#include "analysiswriter.h"
#include "bar.h"
#include "mainwindow.h"
#include "member.h"
#include "node.h"
#include "projectfile.h"
#include "testmodels.h"
#include "windowbytes.h"

// Every edit made through the window is one step that Undo takes back and Redo
// takes again; an OK that changes nothing is no step.

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

// Runs open(); act() runs on the modal dialog it shows, inside its loop, and must close it.
void onModal(const std::function<void()> &open, const std::function<void(QDialog *)> &act)
{
    QTimer::singleShot(0, [act] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            act(d);
    });
    open();
}

void click(QDialog *d, const char *button)
{
    QPushButton *b = d->findChild<QPushButton *>(QLatin1String(button));
    if (!b)
        qFatal("missing button %s", button);
    b->click();
}

void openExample(MainWindow &w)
{
    if (!w.readProjectFile(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp")))
        qFatal("example not opened");
}

// Relabels the first member type through its dialog's Set Properties.
void relabelFirstType(MainWindow &w)
{
    onModal([&] { w.showEditMTypeDialog(); },
            [](QDialog *d) {
                d->findChild<QLineEdit *>(QStringLiteral("labelLineEdit"))->setText(QStringLiteral("Column 1"));
                click(d, "okBtn");
                d->reject();
            });
}

} // namespace

class tst_MainWindowUndo : public QObject
{
    Q_OBJECT

private slots:
    void menuHasUndoAndRedo();
    void stepsThroughTheWindow_data();
    void stepsThroughTheWindow();
    void unchangedOkIsNoStep_data();
    void unchangedOkIsNoStep();
    void undoingTheGridEmptiesTheWindow();
    void editGridOfAModel_data();
    void editGridOfAModel();
};

void tst_MainWindowUndo::editGridOfAModel_data()
{
    // The portal sample: X 0 6 12 18, Y 0 3.5 7 10.5 14, 28 members, storeys coupled to X line 1.
    QTest::addColumn<QStringList>("xRows");   // texts typed in the first rows of the X table
    QTest::addColumn<QStringList>("yRows");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QList<int>>("counts");   // nodes and members after the answer
    const QStringList x{"0", "6", "12", "18"}, y{"0", "3.5", "7", "10.5", "14"};
    QTest::newRow("remove, yes") << QStringList{"0", "6", "", "18"} << y << true
                                 << "Removing X line 3 deletes 12 members and the data of 5 nodes. Continue?"
                                 << QList<int>{15, 16};
    QTest::newRow("remove, no") << QStringList{"0", "6", "", "18"} << y << false
                                << "Removing X line 3 deletes 12 members and the data of 5 nodes. Continue?"
                                << QList<int>{20, 28};
    QTest::newRow("remove coupled column")
        << QStringList{"", "6", "12", "18"} << y << true
        << "Removing X line 1 deletes 8 members and the data of 4 nodes, and sets 15 node references to 0. Continue?"
        << QList<int>{15, 20};
    QTest::newRow("move") << x << QStringList{"0", "3.5", "7", "10.5", "15"} << true << QString()
                          << QList<int>{20, 28};
    QTest::newRow("add") << QStringList{"0", "6", "12", "18", "24"} << y << true << QString() << QList<int>{25, 28};
    // The storey-2 columns split at the new floor's nodes.
    const QStringList storey{"0", "3.5", "7", "10.5", "14", "5.25"};
    QTest::newRow("add a floor") << x << storey << true << "Adding Y line 3 splits 4 members. Continue?"
                                 << QList<int>{24, 32};
    QTest::newRow("add a floor, no") << x << storey << false << "Adding Y line 3 splits 4 members. Continue?"
                                     << QList<int>{20, 28};
    QTest::newRow("remove and add") << QStringList{"0", "6", "", "18"} << storey << true
                                    << "Removing X line 3 deletes 12 members and the data of 5 nodes. "
                                       "Adding Y line 3 splits 3 members. Continue?"
                                    << QList<int>{18, 19};
}

void tst_MainWindowUndo::editGridOfAModel()
{
    QFETCH(QStringList, xRows);
    QFETCH(QStringList, yRows);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(QList<int>, counts);
    MainWindow w;
    openExample(w);
    const QByteArray original = bothFiles(w);
    QVERIFY(action(w, "editGridAction")->isEnabled());
    QString asked;
    onModal([&] { action(w, "editGridAction")->trigger(); },
            [&](QDialog *d) {
                auto *xt = d->findChild<QTableWidget *>(QStringLiteral("setXTableWidget"));
                auto *yt = d->findChild<QTableWidget *>(QStringLiteral("setYTableWidget"));
                // The dialog opens with the current lines.
                QCOMPARE(xt->item(3, 1)->text(), QStringLiteral("18"));
                QCOMPARE(yt->item(4, 1)->text(), QStringLiteral("14"));
                for (int row = 0; row < xRows.size(); ++row)
                    xt->item(row, 1)->setText(xRows.at(row));
                for (int row = 0; row < yRows.size(); ++row)
                    yt->item(row, 1)->setText(yRows.at(row));
                QTimer::singleShot(0, [&] {
                    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                        asked = box->text();
                        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
                    }
                });
                click(d, "okBtn");
                // Runs the timer now when no box came, so it cannot fire after this test.
                QCoreApplication::processEvents();
                if (d->isVisible())
                    d->reject();
            });
    QCOMPARE(asked, question);
    QCOMPARE(QList<int>({int(w.getNodes().size()), int(w.getBars().size())}), counts);
    if (!yes) {
        QCOMPARE(bothFiles(w), original);
        QVERIFY(!action(w, "undoAct")->isEnabled());
        QCOMPARE(w.getGridDialog()->getXLines(), w.projectModel()->grid().XLines);
        return;
    }
    QCOMPARE(action(w, "undoAct")->text(), QStringLiteral("Undo Edit grid"));
    action(w, "undoAct")->trigger();
    QCOMPARE(bothFiles(w), original);
}

void tst_MainWindowUndo::menuHasUndoAndRedo()
{
    MainWindow w;
    QMenu *edit = w.findChild<QMenu *>(QStringLiteral("menuEdit"));
    QVERIFY(edit);
    QAction *undo = action(w, "undoAct");
    QAction *redo = action(w, "redoAct");
    QCOMPARE(edit->actions().value(0), undo);
    QCOMPARE(edit->actions().value(1), redo);
    QVERIFY(undo->shortcuts().contains(QKeySequence(QKeySequence::Undo)));
    QVERIFY(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    for (const QKeySequence &k : QKeySequence::keyBindings(QKeySequence::Redo))
        QVERIFY(redo->shortcuts().contains(k));
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());

    openExample(w);
    QVERIFY(!undo->isEnabled());
    action(w, "createBarAct")->setChecked(true);
    w.createBar();
    w.barProcedure(1);
    w.barProcedure(6);
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("Undo Create member 29"));
    undo->trigger();
    QCOMPARE(redo->text(), QStringLiteral("Redo Create member 29"));
    QVERIFY(!undo->isEnabled());
}

void tst_MainWindowUndo::stepsThroughTheWindow_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("edit");
    QTest::addRow("create member") << "Create member 29" << 0;
    QTest::addRow("delete member with the Delete key") << "Delete member 3" << 1;
    QTest::addRow("delete member from its dialog") << "Delete member 5" << 2;
    QTest::addRow("node dialog") << "Edit node 6" << 3;
    QTest::addRow("member dialog") << "Edit member 2" << 4;
    QTest::addRow("control options") << "Control options" << 5;
    QTest::addRow("earthquake") << "Earthquake" << 6;
    QTest::addRow("weights") << "Weights" << 7;
    QTest::addRow("drift") << "Drift" << 8;
    QTest::addRow("member type") << "Member type 1" << 9;
    QTest::addRow("add member type") << "Add member type 3" << 10;
    QTest::addRow("delete member type") << "Delete member type 1" << 11;
}

void tst_MainWindowUndo::stepsThroughTheWindow()
{
    QFETCH(QString, step);
    QFETCH(int, edit);
    MainWindow w;
    openExample(w);
    const QByteArray before = bothFiles(w);
    const int members = int(w.getBars().size());

    switch (edit) {
    case 0:
        action(w, "createBarAct")->setChecked(true);
        w.createBar();
        w.barProcedure(1);
        w.barProcedure(6);
        QCOMPARE(w.getBars().size(), members + 1);
        break;
    case 1:
        w.activateDeleteAct(3);
        action(w, "deleteAct")->trigger();
        break;
    case 2:
        onModal([&] { w.getBars().at(4)->openDialog(); }, [](QDialog *d) { click(d, "pushButton"); });
        break;
    case 3:
        onModal([&] { w.getNodes().at(5)->openDialog(); },
                [](QDialog *d) {
                    d->findChild<QComboBox *>(QStringLiteral("nf3ComboBox"))->setCurrentIndex(1);
                    click(d, "okBtn");
                });
        QCOMPARE(w.getNodes().at(5)->getNf3(), 1);
        break;
    case 4:
        onModal([&] { w.getBars().at(1)->openDialog(); },
                [](QDialog *d) {
                    auto *iout = d->findChildren<QComboBox *>().last();
                    iout->setCurrentIndex(iout->currentIndex() == 0 ? 1 : 0);
                    click(d, "okBtn");
                });
        break;
    case 5:
        onModal([&] { w.showControlOptionsDialog(); },
                [](QDialog *d) {
                    d->findChild<QLineEdit *>(QStringLiteral("dtLineEdit"))->setText(QStringLiteral("0.005"));
                    click(d, "okBtn");
                });
        break;
    case 6:
        onModal([&] { w.showEditQuakeDialog(); },
                [](QDialog *d) {
                    d->findChild<QLineEdit *>(QStringLiteral("fileLineEdit"))->setText(QStringLiteral("kobe.txt"));
                    click(d, "pushButton");
                });
        break;
    case 7:
        onModal([&] { w.showEditMassDialog(); },
                [](QDialog *d) {
                    auto *table = d->findChild<QTableWidget *>();
                    table->item(6, 1)->setText(QStringLiteral("31.5"));
                    click(d, "okBtn");
                });
        break;
    case 8:
        onModal([&] { w.showEditDriftDialog(); },
                [](QDialog *d) {
                    d->findChild<QComboBox *>()->setCurrentIndex(3);
                    click(d, "okBtn");
                });
        QCOMPARE(w.getDrift(), QStringLiteral("3"));
        break;
    case 9:
        relabelFirstType(w);
        QCOMPARE(w.getMTypeComboBox()->itemText(0), QStringLiteral("1  Column 1"));
        break;
    case 10:
        onModal([&] { w.showEditMTypeDialog(); },
                [](QDialog *d) {
                    click(d, "addBtn");
                    d->reject();
                });
        QCOMPARE(w.getMTypeComboBox()->count(), 3);
        break;
    case 11:
        onModal([&] { w.showEditMTypeDialog(); },
                [](QDialog *d) {
                    TestModels::answeringBox(QStringLiteral("Delete"), [d] { click(d, "deleteBtn"); });
                    d->reject();
                });
        QCOMPARE(w.getBars().at(0)->getMTypeId(), 0);
        break;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(w.undoStack()->count(), 1);
    QCOMPARE(w.undoStack()->undoText(), step);
    QCOMPARE(action(w, "undoAct")->text(), QStringLiteral("Undo ") + step);
    const QByteArray after = bothFiles(w);
    QVERIFY(after != before);

    action(w, "undoAct")->trigger();
    QCOMPARE(bothFiles(w), before);
    QCOMPARE(w.getBars().size(), members);
    QCOMPARE(action(w, "redoAct")->text(), QStringLiteral("Redo ") + step);
    action(w, "redoAct")->trigger();
    QCOMPARE(bothFiles(w), after);

    // What is drawn follows: every item shows its record's number and values.
    for (int i = 0; i < w.getBars().size(); ++i) {
        const Bar *bar = w.getBars().at(i);
        QCOMPARE(bar->getId(), i + 1);
        QCOMPARE(bar->getMTypeId(), w.collectProjectData().bars.at(i).mTypeId);
    }
    for (const Node *node : w.getNodes())
        QCOMPARE(node->getNf3(), w.collectProjectData().nodes.at(node->getId() - 1).nf3);
}

void tst_MainWindowUndo::unchangedOkIsNoStep_data()
{
    QTest::addColumn<int>("dialog");
    QTest::addRow("control options") << 0;
    QTest::addRow("earthquake") << 1;
    QTest::addRow("weights") << 2;
    QTest::addRow("loads") << 3;
    QTest::addRow("drift") << 4;
    QTest::addRow("member type set properties") << 5;
    QTest::addRow("node") << 6;
    QTest::addRow("member") << 7;
    QTest::addRow("weights, escape") << 8;
}

void tst_MainWindowUndo::unchangedOkIsNoStep()
{
    QFETCH(int, dialog);
    MainWindow w;
    openExample(w);
    // Values a short display would round: an unchanged OK must keep them exactly.
    onModal([&] { w.showEditQuakeDialog(); },
            [](QDialog *d) {
                d->findChild<QLineEdit *>(QStringLiteral("endLineEdit"))->setText(QStringLiteral("123456"));
                d->findChild<QLineEdit *>(QStringLiteral("deltaTLineEdit"))->setText(QStringLiteral("0.00390625"));
                click(d, "pushButton");
            });
    onModal([&] { w.showControlOptionsDialog(); },
            [](QDialog *d) {
                d->findChild<QLineEdit *>(QStringLiteral("dtLineEdit"))->setText(QStringLiteral("0.00390625"));
                d->findChild<QLineEdit *>(QStringLiteral("timeLineEdit"))->setText(QStringLiteral("12.3456789"));
                click(d, "okBtn");
            });
    onModal([&] { w.showEditMassDialog(); },
            [](QDialog *d) {
                d->findChild<QTableWidget *>()->item(5, 1)->setText(QStringLiteral("0.30000000000000004"));
                click(d, "okBtn");
            });
    QCOMPARE(w.undoStack()->count(), 3);
    const QByteArray before = bothFiles(w);
    const ProjectData kept = w.collectProjectData();

    switch (dialog) {
    case 0: onModal([&] { w.showControlOptionsDialog(); }, [](QDialog *d) { click(d, "okBtn"); }); break;
    case 1: onModal([&] { w.showEditQuakeDialog(); }, [](QDialog *d) { click(d, "pushButton"); }); break;
    case 2: onModal([&] { w.showEditMassDialog(); }, [](QDialog *d) { click(d, "okBtn"); }); break;
    case 3: onModal([&] { w.showEditLoadsDialog(); }, [](QDialog *d) { click(d, "okBtn"); }); break;
    case 4: onModal([&] { w.showEditDriftDialog(); }, [](QDialog *d) { click(d, "okBtn"); }); break;
    case 5:
        onModal([&] { w.showEditMTypeDialog(); },
                [](QDialog *d) {
                    for (int k = 0; k < 2; ++k) {
                        d->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"))->setCurrentIndex(k);
                        click(d, "okBtn");
                    }
                    d->reject();
                });
        break;
    case 6: onModal([&] { w.getNodes().at(7)->openDialog(); }, [](QDialog *d) { click(d, "okBtn"); }); break;
    case 7: onModal([&] { w.getBars().at(7)->openDialog(); }, [](QDialog *d) { click(d, "okBtn"); }); break;
    case 8: onModal([&] { w.showEditMassDialog(); }, [](QDialog *d) { d->reject(); }); break;
    }
    QCOMPARE(w.undoStack()->count(), 3);
    QCOMPARE(bothFiles(w), before);
    const ProjectData now = w.collectProjectData();
    QCOMPARE(now.quakeB[2], 123456.0);
    QCOMPARE(now.quakeB[0], 0.00390625);
    QCOMPARE(now.c[3], 0.00390625);
    QCOMPARE(now.c[4], 12.3456789);
    QCOMPARE(now.wx, kept.wx);
}

void tst_MainWindowUndo::undoingTheGridEmptiesTheWindow()
{
    MainWindow w;
    TestModels::setGrid(w, {"0", "5"}, {"0", "3"});
    QCOMPARE(w.getNodes().size(), 4);
    QVERIFY(action(w, "editGridAction")->isEnabled());
    QCOMPARE(w.getControlDialog()->getB()[3], 1);

    action(w, "undoAct")->trigger();
    QVERIFY(w.getNodes().isEmpty());
    QVERIFY(w.getScene()->items().isEmpty());
    QVERIFY(action(w, "editGridAction")->isEnabled());
    QVERIFY(action(w, "openAct")->isEnabled());
    QVERIFY(!action(w, "editMTypeAction")->isEnabled());
    QCOMPARE(w.getControlDialog()->getB()[3], 0);

    action(w, "redoAct")->trigger();
    QCOMPARE(w.getNodes().size(), 4);
    QCOMPARE(w.getNodes().at(3)->getId(), 4);
    QVERIFY(action(w, "editMTypeAction")->isEnabled());
}

QTEST_MAIN(tst_MainWindowUndo)
#include "tst_mainwindow_undo.moc"
