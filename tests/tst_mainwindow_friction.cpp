#include <QtTest>

#include <QLabel>
#include <QUndoStack>

#include "mainwindow.h"
#include "testmodels.h"

// The small things a new user meets first: the empty view's hint.

namespace {

using TestModels::setGrid;

} // namespace

class tst_MainWindowFriction : public QObject
{
    Q_OBJECT

private slots:
    void emptyHint_data();
    void emptyHint();
};

void tst_MainWindowFriction::emptyHint_data()
{
    QTest::addColumn<int>("steps");   // 0 none, 1 grid, 2 grid undone
    QTest::addColumn<bool>("shown");
    QTest::newRow("new window") << 0 << true;
    QTest::newRow("grid drawn") << 1 << false;
    QTest::newRow("grid undone") << 2 << true;
}

void tst_MainWindowFriction::emptyHint()
{
    QFETCH(int, steps);
    QFETCH(bool, shown);
    MainWindow w;
    if (steps >= 1)
        setGrid(w, {"0", "5"}, {"0", "3"});
    if (steps >= 2)
        w.undoStack()->undo();
    auto *hint = w.findChild<QLabel *>(QStringLiteral("emptyHint"));
    QVERIFY(hint);
    QVERIFY(hint->text().contains(QStringLiteral("Edit \u2192 Grid (Alt+G)")));
    QVERIFY(hint->text().contains(QStringLiteral("Ctrl+O")));
    QCOMPARE(!hint->isHidden(), shown);
}

QTEST_MAIN(tst_MainWindowFriction)
#include "tst_mainwindow_friction.moc"
