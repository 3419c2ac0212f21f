#include <QtTest>

#include <QElapsedTimer>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolTip>
#include <QStyleOptionGraphicsItem>
#include <QTemporaryDir>
#include <QUndoStack>

#include "bar.h"
#include "canvas/canvas.h"
#include "canvas/createmembertool.h"
#include "gridview.h"
#include "mainwindow.h"
#include "node.h"
#include "nodetabledialog.h"
#include "testmodels.h"

// The small things a new user meets first: the empty view's hint, where the
// file dialogs start, Find bringing the item close, the status bar.

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

// A 3 by 2 grid with one frame type and members 1-2, 2-3 and 4-5, shown.
void threeMembers(MainWindow &w)
{
    setGrid(w, {"0", "5", "10"}, {"0", "4"});
    TestModels::addMemberTypes(w, {Member::FRAME});
    w.findChild<QAction *>(QStringLiteral("createBarAct"))->setChecked(true);
    w.createBar();
    for (const auto &[a, b] : {std::pair{1, 2}, {2, 3}, {4, 5}}) {
        w.barProcedure(a);
        w.barProcedure(b);
    }
    w.resize(900, 600);
    w.show();
    w.zoomToFit();
}

QString statusText(MainWindow &w, const char *name)
{
    return w.statusBar()->findChild<QLabel *>(QLatin1String(name))->text();
}

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
    void hoverGoesWithItsItem_data();
    void hoverGoesWithItsItem();
    void selectionCounted_data();
    void selectionCounted();
    void fileMessages_data();
    void fileMessages();
    void drawingFeedback_data();
    void drawingFeedback();
    void readableCodes_data();
    void readableCodes();
    void userGuide_data();
    void userGuide();
    void reportPictures_data();
    void reportPictures();
    void fitShowsEverything_data();
    void fitShowsEverything();
    void tableKeys_data();
    void tableKeys();
    void deletingAUsedTypeAsks_data();
    void deletingAUsedTypeAsks();
    void aboutNamesTheVersion();
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

void tst_MainWindowFriction::hoverGoesWithItsItem_data()
{
    QTest::addColumn<bool>("overNode");   // else over member 1
    QTest::addColumn<Opener>("change");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("member deleted") << false << Opener([](MainWindow &w) { w.deleteBar(1); }) << true;
    QTest::newRow("another member deleted") << false << Opener([](MainWindow &w) { w.deleteBar(3); }) << false;
    QTest::newRow("member undone") << false << Opener([](MainWindow &w) { w.undoStack()->setIndex(2); }) << true;
    QTest::newRow("node, new project") << true << Opener([](MainWindow &w) {
        QVERIFY(!TestModels::answeringBox(QStringLiteral("Discard"), [&] { w.newFile(); }).isEmpty());
    }) << true;
    QTest::newRow("node, grid undone") << true << Opener([](MainWindow &w) { w.undoStack()->setIndex(0); }) << true;
}

void tst_MainWindowFriction::hoverGoesWithItsItem()
{
    QFETCH(bool, overNode);
    QFETCH(Opener, change);
    QFETCH(bool, cleared);
    MainWindow w;
    threeMembers(w);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *view = w.findChild<GridView *>(QStringLiteral("gridView"));
    QGraphicsItem *item = overNode ? static_cast<QGraphicsItem *>(w.getNodes().at(0)) : w.getBars().at(0);
    emit w.findChild<Canvas *>()->hovered(view->mapFromScene(item->sceneBoundingRect().center()));
    const QString before = statusText(w, "statusItem");
    QVERIFY2(before.startsWith(overNode ? QStringLiteral("Node 1") : QStringLiteral("Member 1")), qPrintable(before));
    change(w);
    QCOMPARE(statusText(w, "statusItem"), cleared ? QString() : before);
}

void tst_MainWindowFriction::selectionCounted_data()
{
    QTest::addColumn<int>("members");
    QTest::addColumn<int>("nodes");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0 << 0 << QString();
    QTest::newRow("one member") << 1 << 0 << QStringLiteral("1 member selected");
    QTest::newRow("one node") << 0 << 1 << QStringLiteral("1 node selected");
    QTest::newRow("both") << 3 << 2 << QStringLiteral("3 members and 2 nodes selected");
}

void tst_MainWindowFriction::selectionCounted()
{
    QFETCH(int, members);
    QFETCH(int, nodes);
    QFETCH(QString, text);
    MainWindow w;
    threeMembers(w);
    w.getNodes().at(5)->setSelected(true);   // then let go: the label follows
    QTRY_COMPARE(statusText(w, "statusSelection"), QStringLiteral("1 node selected"));
    w.getScene()->clearSelection();
    for (int k = 0; k < members; ++k)
        w.getBars().at(k)->setSelected(true);
    for (int k = 0; k < nodes; ++k)
        w.getNodes().at(k)->setSelected(true);
    QTRY_COMPARE(statusText(w, "statusSelection"), text);
}

void tst_MainWindowFriction::fileMessages_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("name");
    QTest::newRow("save") << QStringLiteral("Saved") << QStringLiteral("frame.kfp");
    QTest::newRow("generate") << QStringLiteral("Generated") << QStringLiteral("frame.txt");
    QTest::newRow("export") << QStringLiteral("Exported") << QStringLiteral("frame.png");
}

void tst_MainWindowFriction::fileMessages()
{
    QFETCH(QString, word);
    QFETCH(QString, name);
    QTemporaryDir dir;
    MainWindow w;
    QVERIFY(w.readProjectFile(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp")));
    const QString path = dir.filePath(name);
    const bool written = word == QLatin1String("Saved")       ? w.writeProjectFile(path)
                         : word == QLatin1String("Generated") ? w.writeAnalysisFile(path)
                                                              : w.exportPicture(path);
    QVERIFY(written);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(w.statusBar()->currentMessage().startsWith(word + QLatin1Char(' ') + path));
    QTRY_VERIFY_WITH_TIMEOUT(w.statusBar()->currentMessage().isEmpty(), 7000);
    QVERIFY2(clock.elapsed() >= 4500 && clock.elapsed() < 6500, qPrintable(QString::number(clock.elapsed())));
}

void tst_MainWindowFriction::drawingFeedback_data()
{
    // Clicks on nodes ("+" with Shift), "E" for Esc; after them, the members
    // made and the node a member would start from (0 none).
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("members");
    QTest::addColumn<int>("pending");
    QTest::newRow("first node") << "1" << "" << 1;
    QTest::newRow("member made") << "1 2" << "1-2" << 0;
    QTest::newRow("Esc drops the first node") << "1 E 3" << "" << 3;
    QTest::newRow("Esc with none pending") << "E 1 2" << "1-2" << 0;
    QTest::newRow("Shift chains") << "1 2+ 3+" << "1-2 2-3" << 3;
    QTest::newRow("chain then plain") << "4 5+ 6" << "4-5 5-6" << 0;
    QTest::newRow("refused chains nothing") << "1 2 1 2+" << "1-2" << 0;
}

void tst_MainWindowFriction::drawingFeedback()
{
    QFETCH(QString, script);
    QFETCH(QString, members);
    QFETCH(int, pending);
    MainWindow w;
    setGrid(w, {"0", "5", "10"}, {"0", "4"});
    TestModels::addMemberTypes(w, {Member::FRAME});
    w.findChild<QAction *>(QStringLiteral("createBarAct"))->setChecked(true);
    w.createBar();
    w.resize(900, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.zoomToFit();
    auto *view = w.findChild<GridView *>(QStringLiteral("gridView"));
    auto *tool = w.findChild<CreateMemberTool *>();
    const auto at = [&](int node) { return view->mapFromScene(w.getNodes().at(node - 1)->scenePos()); };
    for (QString step : script.split(QLatin1Char(' '))) {
        if (step == QLatin1String("E")) {
            QTest::keyClick(&w, Qt::Key_Escape);
            continue;
        }
        const bool shift = step.endsWith(QLatin1Char('+'));
        const int node = step.remove(QLatin1Char('+')).toInt();
        // A refused member says so in a box.
        TestModels::answeringBox(QStringLiteral("OK"), [&] {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, shift ? Qt::ShiftModifier : Qt::NoModifier, at(node));
        });
    }
    QStringList made;
    for (const Bar *bar : w.getBars())
        made << QStringLiteral("%1-%2").arg(bar->sourceNode()->getId()).arg(bar->destNode()->getId());
    QCOMPARE(made.join(QLatin1Char(' ')), members);
    QCOMPARE(tool->rubberBand() != nullptr, pending != 0);
    QCOMPARE(tool->firstNodeMark() != nullptr, pending != 0);
    if (pending) {
        // The line follows the cursor from the first node.
        const QPointF from = w.getNodes().at(pending - 1)->scenePos();
        QCOMPARE(tool->firstNodeMark()->pos(), from);
        const QPoint cursor = at(pending) + QPoint(37, -23);
        QTest::mouseMove(view->viewport(), cursor - QPoint(5, 5));   // Qt drops a move to where the last one went
        QTest::mouseMove(view->viewport(), cursor);
        QTRY_COMPARE(tool->rubberBand()->line().p1(), from);
        QTRY_COMPARE(tool->rubberBand()->line().p2(), view->mapToScene(cursor));
    }
}

void tst_MainWindowFriction::readableCodes_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("label");   // beside it; empty for none
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("tip");
    QTest::newRow("frame rule") << "ihystCBox" << "ihystNameLabel" << "57"
                                << "57  Revised Takeda Degrading Trilinear" << "57 Revised Takeda Degrading Trilinear";
    QTest::newRow("spring rule") << "ihystCBox_2" << "ihystNameLabel_2" << "4" << "4  Takeda" << "4 Takeda";
    QTest::newRow("wall rule") << "ihystCBox_3" << "ihystNameLabel_3" << "1"
                               << "1  Taylor material properties, linear stress-strain to SIGA"
                               << "1 Taylor material properties, linear stress-strain to SIGA";
    QTest::newRow("multi-spring rule") << "ihystCBox_4" << "ihystNameLabel_4" << "3" << "3  Ramberg-Osgood"
                                       << "3 Ramberg-Osgood";
    QTest::newRow("section type") << "itypeCBox" << "" << "8" << "" << "8 Asymmetric quadratic beam-column";
    QTest::newRow("pins") << "ipinCBox" << "" << "3" << "" << "3 Both ends pinned";
    QTest::newRow("no line for the code") << "ilosCBox" << "" << "2" << "" << "";
}

void tst_MainWindowFriction::readableCodes()
{
    QFETCH(QString, combo);
    QFETCH(QString, label);
    QFETCH(QString, code);
    QFETCH(QString, named);
    QFETCH(QString, tip);
    MainWindow w;
    auto *box = w.getMTypeDialog()->findChild<QComboBox *>(combo);
    QVERIFY(box);
    const int item = box->findText(code);
    QVERIFY(item >= 0);   // the items' texts stay the codes
    QCOMPARE(box->itemData(item, Qt::ToolTipRole).toString(), tip);
    if (label.isEmpty())
        return;
    box->setCurrentIndex(item == 0 ? 1 : 0);
    box->setCurrentIndex(item);
    auto *name = w.getMTypeDialog()->findChild<QLabel *>(label);
    QVERIFY(name);
    QCOMPARE(name->text(), named);
}

void tst_MainWindowFriction::userGuide_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("inside");
    QTest::newRow("its first heading") << "Using the program" << true;
    QTest::newRow("a later section") << "Command line" << true;
    QTest::newRow("installing") << "cmake --install build" << false;
    QTest::newRow("development") << "Development" << false;
    QTest::newRow("the title") << "GUI for Taliskor2D\n" << false;
}

void tst_MainWindowFriction::userGuide()
{
    QFETCH(QString, text);
    QFETCH(bool, inside);
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    auto *browser = w.findChild<QTextBrowser *>(QStringLiteral("userGuideBrowser"));
    QVERIFY(browser);
    QTRY_VERIFY(browser->isVisible());
    QCOMPARE(browser->toPlainText().contains(text), inside);
    // The pictures come from the program itself.
    const QVariant picture = browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("docs/edit-undo.png")));
    QVERIFY(!picture.value<QImage>().isNull() || !picture.toByteArray().isEmpty());
}

void tst_MainWindowFriction::reportPictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("asked");   // the dialog's PNG width; 0: exportPicture's own
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QSize>("size");   // PNG pixels wide (height unchecked), or PDF page in points
    QTest::newRow("png, default width") << "m.png" << 0 << QLocale(QLocale::German) << QSize(2400, 0);
    QTest::newRow("png, width from the dialog") << "m.png" << 1000 << QLocale(QLocale::German) << QSize(1000, 0);
    QTest::newRow("pdf, A4 landscape") << "m.pdf" << 0 << QLocale(QLocale::German, QLocale::Germany) << QSize(842, 595);
    QTest::newRow("pdf, Letter in the US") << "m.pdf" << 0 << QLocale(QLocale::English, QLocale::UnitedStates)
                                          << QSize(792, 612);
}

void tst_MainWindowFriction::reportPictures()
{
    QFETCH(QString, name);
    QFETCH(int, asked);
    QFETCH(QLocale, locale);
    QFETCH(QSize, size);
    const QLocale before;
    QLocale::setDefault(locale);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    MainWindow w;
    QVERIFY(w.readProjectFile(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp")));
    if (asked == 0) {
        QVERIFY(w.exportPicture(path));
    } else {
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                timer.stop();
                dialog->findChild<QSpinBox *>(QStringLiteral("pngWidthSpinBox"))->setValue(asked);
                dialog->selectFile(path);
                static_cast<QDialog *>(dialog)->accept();
            }
        });
        timer.start();
        w.showExportPictureDialog();
        timer.stop();
    }
    QLocale::setDefault(before);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (name.endsWith(QLatin1String(".png"))) {
        QImage image;
        QVERIFY(image.loadFromData(bytes, "PNG"));
        QCOMPARE(image.width(), size.width());
        return;
    }
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\]")).match(QString::fromLatin1(bytes));
    QVERIFY(box.hasMatch());
    QCOMPARE(qRound(box.captured(1).toDouble()), size.width());
    QCOMPARE(qRound(box.captured(2).toDouble()), size.height());
}

void tst_MainWindowFriction::fitShowsEverything_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Opener>("then");
    QTest::addColumn<bool>("fitted");   // still fitted after it
    const Opener nothing = [](MainWindow &) {};
    const Opener smaller = [](MainWindow &w) { w.resize(w.width() * 2 / 3, w.height() * 2 / 3); };
    QTest::newRow("1024 by 700") << QSize(1024, 700) << nothing << true;
    QTest::newRow("800 by 600") << QSize(800, 600) << nothing << true;
    QTest::newRow("tall 700 by 1000") << QSize(700, 1000) << nothing << true;
    QTest::newRow("window made smaller") << QSize(1600, 1000) << smaller << true;
    QTest::newRow("check dock shown") << QSize(1024, 700) << Opener([](MainWindow &w) { w.showCheckDock(); }) << true;
    QTest::newRow("zoomed, then smaller") << QSize(1024, 700) << Opener([smaller](MainWindow &w) {
        w.zoomOut();
        smaller(w);
    }) << false;
    QTest::newRow("found, then smaller") << QSize(1024, 700) << Opener([smaller](MainWindow &w) {
        w.findItem(false, 1);
        smaller(w);
    }) << false;
}

void tst_MainWindowFriction::fitShowsEverything()
{
    QFETCH(QSize, size);
    QFETCH(Opener, then);
    QFETCH(bool, fitted);
    MainWindow w;
    setGrid(w, lines(31, 10), lines(21, 10));
    w.resize(size);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.zoomToFit();
    auto *view = w.findChild<GridView *>(QStringLiteral("gridView"));
    QCoreApplication::processEvents();
    const QTransform before = view->transform();
    then(w);
    QTest::qWait(50);   // the layouts give the view its new size
    if (!fitted) {
        QVERIFY(view->transform() != before);
        const double kept = view->transform().m11();
        w.resize(w.size() * 3 / 4);
        QTest::qWait(50);
        QCOMPARE(view->transform().m11(), kept);
        return;
    }
    const QRect inside = view->viewport()->rect();
    for (const Node *n : w.getNodes())
        QVERIFY2(inside.contains(view->mapFromScene(n->pos())), qPrintable(QString::number(n->getId())));
    // The grid ids, support marks and dimensions too.
    for (QGraphicsItem *item : w.getScene()->items()) {
        const QRect at = view->mapFromScene(item->sceneBoundingRect()).boundingRect();
        QVERIFY2(inside.adjusted(-1, -1, 1, 1).contains(at),
                 qPrintable(QStringLiteral("item type %1 at %2,%3 %4x%5 in %6x%7").arg(item->type()).arg(at.x()).arg(at.y())
                                .arg(at.width()).arg(at.height()).arg(inside.width()).arg(inside.height())));
    }
}

void tst_MainWindowFriction::tableKeys_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("weights") << "massTableWidget";
    QTest::newRow("loads") << "loadsTableWidget";
    QTest::newRow("SHAPE") << "shapeTableWidget";
}

void tst_MainWindowFriction::tableKeys()
{
    QFETCH(QString, table);
    MainWindow w;
    setGrid(w, {"0", "5", "10"}, {"0", "4"});
    auto *t = w.findChild<QTableWidget *>(table);
    QVERIFY(t);
    auto *dialog = qobject_cast<NodeTableDialog *>(t->window());
    QVERIFY(dialog);
    dialog->setTable({1, 2, 3, 4, 5, 6});
    dialog->setByLists();
    const auto text = [t](int row, int column) { return t->item(row, column) ? t->item(row, column)->text() : QString(); };
    t->item(0, 1)->setText(QStringLiteral("1.5"));
    t->item(1, 1)->setText(QStringLiteral("2.5"));
    t->item(1, 2)->setText(QStringLiteral("7"));
    t->setCurrentCell(0, 1);
    t->setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 2), true);
    QTest::keyClick(t, Qt::Key_C, Qt::ControlModifier);
    t->clearSelection();
    t->setCurrentCell(3, 1);
    QTest::keyClick(t, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text(3, 1), QStringLiteral("1.5"));
    QCOMPARE(text(4, 1), QStringLiteral("2.5"));
    QCOMPARE(text(4, 2), QStringLiteral("7"));
    t->setCurrentCell(0, 1);
    t->setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 1), true);
    QTest::keyClick(t, Qt::Key_Delete);
    QCOMPARE(text(0, 1), QString());
    QCOMPARE(text(1, 1), QString());
    QCOMPARE(text(1, 2), QStringLiteral("7"));   // not selected

    // The node cell says where the node is.
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const NodeRecord &node = w.getNodes().at(4)->record();
    const QPoint at = t->visualItemRect(t->item(4, 0)).center();
    QHelpEvent help(QEvent::ToolTip, at, t->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(t->viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("(%1,%2) %3").arg(node.x).arg(node.y)
                                       .arg(node.y == 0 ? QStringLiteral("BASE") : QStringLiteral("STORY-1")));
    QToolTip::hideText();
    dialog->hide();
}

void tst_MainWindowFriction::deletingAUsedTypeAsks_data()
{
    QTest::addColumn<int>("type");        // in the portal sample: 1 columns, 2 beams
    QTest::addColumn<bool>("unused");     // its members retyped first
    QTest::addColumn<QString>("answer");  // empty: no question expected
    QTest::addColumn<bool>("deleted");
    QTest::newRow("used, Delete") << 2 << false << "Delete" << true;
    QTest::newRow("used, Cancel") << 2 << false << "Cancel" << false;
    QTest::newRow("unused") << 2 << true << QString() << true;
}

void tst_MainWindowFriction::deletingAUsedTypeAsks()
{
    QFETCH(int, type);
    QFETCH(bool, unused);
    QFETCH(QString, answer);
    QFETCH(bool, deleted);
    MainWindow w;
    QVERIFY(w.readProjectFile(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp")));
    if (unused)
        for (const Bar *b : w.getBars())
            if (b->getMTypeId() == type)
                w.editBar(b->key(), 1, b->getNode3(), b->getNode4(), b->getIout());
    const ModelKey key = w.projectModel()->typeKey(type);
    editMTypeDialog *d = w.getMTypeDialog();
    d->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"))->setCurrentIndex(type - 1);
    const QString asked = TestModels::answeringBox(answer.isEmpty() ? QStringLiteral("-") : answer, [d] {
        d->findChild<QPushButton *>(QStringLiteral("deleteBtn"))->click();
    });
    if (answer.isEmpty())
        QCOMPARE(asked, QString());
    else
        QCOMPARE(asked, QStringLiteral("Member type 2 (Beam-300x600) is used by 12 members. Delete it and leave "
                                       "them without a type?"));
    QCOMPARE(w.projectModel()->typeIndex(key) < 0, deleted);
    QCOMPARE(d->getMembersTypes().size(), w.projectModel()->types().size());
}

void tst_MainWindowFriction::aboutNamesTheVersion()
{
    MainWindow w;
    const QString title = w.getAboutDialog()->findChild<QLabel *>(QStringLiteral("label"))->text();
    QCOMPARE(title, QStringLiteral("GUI for Taliskor2D " TALISKOR2D_VERSION_TEXT));
}

QTEST_MAIN(tst_MainWindowFriction)
#include "tst_mainwindow_friction.moc"
