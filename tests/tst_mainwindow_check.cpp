#include <QtTest>

#include <QAction>
#include <QDockWidget>
#include <QGraphicsView>
#include <QListWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>

#include "bar.h"
#include "mainwindow.h"

// Tools → Check Model lists the model's problems, follows the edits, and
// leads to the item a problem is about.

namespace {

QStringList lines(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class tst_MainWindowCheck : public QObject
{
    Q_OBJECT

private slots:
    void dockFollowsTheModel();
    void generateCountsWarnings();
};

void tst_MainWindowCheck::dockFollowsTheModel()
{
    MainWindow w;
    w.resize(1000, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.readProjectFile(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp")));
    QAction *check = w.findChild<QAction *>(QStringLiteral("checkModelAct"));
    QVERIFY(check);
    QCOMPARE(check->shortcut(), QKeySequence(Qt::Key_F7));
    check->trigger();
    auto *dock = w.findChild<QDockWidget *>(QStringLiteral("checkDock"));
    auto *list = w.findChild<QListWidget *>(QStringLiteral("checkList"));
    QVERIFY(dock->isVisible());
    QCOMPARE(lines(list), QStringList{QStringLiteral("No problems found.")});

    // An edit is listed once the program is idle, and its undo takes it away again.
    Bar *seventh = w.getBars().at(6);
    w.editBar(seventh->key(), 0, 0, 0, 0);
    QCOMPARE(lines(list), QStringList{QStringLiteral("No problems found.")});
    QTRY_COMPARE(lines(list), QStringList{QStringLiteral("warning: member 7: no member type")});

    // A double-click selects the member and brings it into view.
    w.zoomIn();
    w.zoomIn();
    w.zoomIn();
    emit list->itemDoubleClicked(list->item(0));
    QVERIFY(seventh->isSelected());
    auto *view = w.findChild<QGraphicsView *>(QStringLiteral("gridView"));
    QVERIFY(view->viewport()->rect().contains(view->mapFromScene(seventh->sceneBoundingRect().center())));

    w.undoStack()->undo();
    QTRY_COMPARE(lines(list), QStringList{QStringLiteral("No problems found.")});
}

void tst_MainWindowCheck::generateCountsWarnings()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    MainWindow w;
    QVERIFY(w.readProjectFile(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp")));
    QVERIFY(w.writeAnalysisFile(path));
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Generated ") + path);
    w.editBar(w.getBars().at(0)->key(), 0, 0, 0, 0);
    w.editBar(w.getBars().at(1)->key(), 0, 0, 0, 0);
    QVERIFY(w.writeAnalysisFile(path));
    QCOMPARE(w.statusBar()->currentMessage(),
             QStringLiteral("Generated ") + path + QString::fromUtf8("; 2 warnings: Tools \u2192 Check Model"));
}

QTEST_MAIN(tst_MainWindowCheck)
#include "tst_mainwindow_check.moc"
