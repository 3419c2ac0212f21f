#include <QtTest>

#include <QFileDialog>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionGraphicsItem>
#include <QTemporaryDir>
#include <QUndoStack>

#include "bar.h"
#include "gridview.h"
#include "mainwindow.h"
#include "node.h"
#include "testmodels.h"

// The small things a new user meets first: the empty view's hint, where the
// file dialogs start, Find bringing the item close.

namespace {

using TestModels::setGrid;

// Lines `apart` from each other, as many as asked, labelled as the dialog does.
QStringList lines(int count, int apart)
{
    QStringList l;
    for (int i = 0; i < count; ++i)
        l << QString::number(i * apart);
    return l;
}

// The folder the next file dialog opened by run() starts in; the dialog is cancelled.
QString startFolderOf(const std::function<void()> &run)
{
    QString folder = QStringLiteral("<no dialog>");
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            timer.stop();
            folder = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    timer.start();
    run();
    timer.stop();
    return folder;
}

// A file dialog opened by run() takes this path.
void choose(const QString &path, const std::function<void()> &run)
{
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            timer.stop();
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        }
    });
    timer.start();
    run();
    timer.stop();
}

using Opener = std::function<void(MainWindow &)>;

} // namespace

Q_DECLARE_METATYPE(Opener)

class tst_MainWindowFriction : public QObject
{
    Q_OBJECT

private slots:
    void emptyHint_data();
    void emptyHint();
    void startFolders_data();
    void startFolders();
    void findZoomsAndCentres_data();
    void findZoomsAndCentres();
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

void tst_MainWindowFriction::startFolders_data()
{
    QTest::addColumn<Opener>("open");
    const Opener quake = [](MainWindow &w) {
        w.getQuakeDialog()->findChild<QPushButton *>(QStringLiteral("browseBtn"))->click();
    };
    QTest::newRow("open") << Opener([](MainWindow &w) { w.openFile(); });
    QTest::newRow("save as") << Opener([](MainWindow &w) { w.saveFileAs(); });
    QTest::newRow("generate") << Opener([](MainWindow &w) { w.generarArchivo(); });
    QTest::newRow("import") << Opener([](MainWindow &w) { w.importAnalysisFile(); });
    QTest::newRow("export picture") << Opener([](MainWindow &w) { w.showExportPictureDialog(); });
    QTest::newRow("earthquake browse") << quake;
}

void tst_MainWindowFriction::startFolders()
{
    QFETCH(Opener, open);
    QTemporaryDir projectDir, usedDir;
    QVERIFY(projectDir.isValid() && usedDir.isValid());
    const QString current = QDir::currentPath();

    // A project: its folder, whatever was used before.
    MainWindow saved;
    setGrid(saved, {"0", "5"}, {"0", "3"});
    choose(usedDir.filePath(QStringLiteral("other.kfp")), [&] { saved.saveFileAs(); });
    QVERIFY(saved.writeProjectFile(projectDir.filePath(QStringLiteral("frame.kfp"))));
    QCOMPARE(startFolderOf([&] { open(saved); }), QDir(projectDir.path()).absolutePath());

    // No project: the folder last used in this session, by any window.
    MainWindow fresh;
    QCOMPARE(startFolderOf([&] { open(fresh); }), QDir(usedDir.path()).absolutePath());
    QCOMPARE(QDir::currentPath(), current);
}

void tst_MainWindowFriction::findZoomsAndCentres_data()
{
    QTest::addColumn<bool>("member");
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("startScale");
    QTest::newRow("corner node, fitted") << false << 1 << 0.0;
    QTest::newRow("far node, fitted") << false << 651 << 0.0;
    QTest::newRow("member, fitted") << true << 1 << 0.0;
    QTest::newRow("node, already close") << false << 300 << 4.0;
}

void tst_MainWindowFriction::findZoomsAndCentres()
{
    QFETCH(bool, member);
    QFETCH(int, number);
    QFETCH(double, startScale);
    MainWindow w;
    setGrid(w, lines(31, 10), lines(21, 10));
    TestModels::addMemberTypes(w, {Member::FRAME});
    w.findChild<QAction *>(QStringLiteral("createBarAct"))->setChecked(true);
    w.createBar();
    w.barProcedure(330);
    w.barProcedure(331);
    w.resize(1024, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *view = w.findChild<GridView *>(QStringLiteral("gridView"));
    w.zoomToFit();
    if (startScale > 0) {
        view->resetTransform();
        view->scale(startScale, startScale);
    }
    const double before = QStyleOptionGraphicsItem::levelOfDetailFromTransform(view->transform());

    QVERIFY(w.findItem(member, number));
    const double lod = QStyleOptionGraphicsItem::levelOfDetailFromTransform(view->transform());
    QVERIFY2(QFontMetricsF(view->font()).height() * lod >= 7, qPrintable(QString::number(lod)));
    if (startScale > 0)
        QCOMPARE(lod, before);   // close enough already: no zoom
    QGraphicsItem *item = member ? static_cast<QGraphicsItem *>(w.getBars().at(number - 1))
                                 : w.getNodes().at(number - 1);
    QVERIFY(item->isSelected());
    const QPoint at = view->mapFromScene(item->sceneBoundingRect().center());
    const QPoint middle = view->viewport()->rect().center();
    QVERIFY2((at - middle).manhattanLength() <= 4,
             qPrintable(QStringLiteral("at %1,%2, middle %3,%4").arg(at.x()).arg(at.y()).arg(middle.x()).arg(middle.y())));
}

QTEST_MAIN(tst_MainWindowFriction)
#include "tst_mainwindow_friction.moc"
