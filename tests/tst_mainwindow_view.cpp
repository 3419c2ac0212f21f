#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGraphicsScene>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QUndoStack>

#include "bar.h"
#include "canvas/dimensionsitem.h"
#include "gridview.h"
#include "mainwindow.h"
#include "member.h"
#include "node.h"
#include "testmodels.h"

// What the drawing shows besides the records: support marks, colours by
// member type with their legend, member numbers, the selection.

namespace {

using TestModels::addMemberTypes;
using TestModels::setGrid;

// A 3 by 2 grid with three frame types and a member of each: 1-2 type 1, 2-3 type 2, 4-5 type 3.
void smallFrame(MainWindow &w)
{
    setGrid(w, {"0", "5", "10"}, {"0", "4"}, {}, {"L0", "L1"});
    addMemberTypes(w, {Member::FRAME, Member::FRAME, Member::FRAME});
    w.getMTypeComboBox()->setCurrentIndex(0);
    QAction *create = w.findChild<QAction *>(QStringLiteral("createBarAct"));
    create->setChecked(true);
    w.createBar();
    const int ends[][2] = {{1, 2}, {2, 3}, {4, 5}};
    for (int k = 0; k < 3; ++k) {
        w.getMTypeComboBox()->setCurrentIndex(k);
        w.barProcedure(ends[k][0]);
        w.barProcedure(ends[k][1]);
    }
}

QImage picture(QGraphicsScene *scene, const QRectF &source, double scale)
{
    QImage image((source.size() * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    scene->render(&p, QRectF(image.rect()), source);
    return image;
}

// The small frame with a slanted member 1-5 added, shown, its view at the scale.
GridView *shownFrame(MainWindow &w, double scale)
{
    smallFrame(w);
    w.barProcedure(1);
    w.barProcedure(5);
    w.resize(900, 700);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return nullptr;
    auto *view = w.findChild<GridView *>(QStringLiteral("gridView"));
    view->resetTransform();
    view->scale(scale, scale);
    view->centerOn(w.getNodes().at(1));
    QTest::qWait(20);
    return view;
}

// What the view's pixels now are on the screen, and what a fresh paint of all of it gives.
QImage onScreen(GridView *view)
{
    const QRect where(view->viewport()->mapTo(view->window(), QPoint(0, 0)), view->viewport()->size());
    return view->screen()->grabWindow(view->window()->winId()).toImage().copy(where).convertToFormat(QImage::Format_RGB32);
}

QImage repainted(GridView *view)
{
    return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool near(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) <= 8 && qAbs(qGreen(a) - qGreen(b)) <= 8 && qAbs(qBlue(a) - qBlue(b)) <= 8;
}

// Pixels of one picture, other than the background, with no pixel of nearly
// the same colour one step away or nearer in the other: drawings that agree
// but for rounding have none.
int unmatched(const QImage &a, const QImage &b)
{
    int count = 0;
    const QRgb background = qRgb(0, 0, 0);
    for (const auto &[from, to] : {std::pair{&a, &b}, std::pair{&b, &a}})
        for (int y = 0; y < from->height(); ++y)
            for (int x = 0; x < from->width(); ++x) {
                const QRgb c = from->pixel(x, y);
                if (c == background)
                    continue;
                bool found = false;
                for (int dy = -1; dy <= 1 && !found; ++dy)
                    for (int dx = -1; dx <= 1 && !found; ++dx)
                        found = to->valid(x + dx, y + dy) && near(to->pixel(x + dx, y + dy), c);
                count += found ? 0 : 1;
            }
    return count;
}

QStringList legendTexts(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class tst_MainWindowView : public QObject
{
    Q_OBJECT

private slots:
    void supportMarks_data();
    void supportMarks();
    void colourByTypeAndLegend();
    void memberNumbers();
    void selectedItemsHighlighted_data();
    void selectedItemsHighlighted();
    void layerDrawsAsItemsDo_data();
    void layerDrawsAsItemsDo();
    void screenFollowsEdits_data();
    void screenFollowsEdits();
    void memberToolTipIsCurrent();
    void dimensions();
};

void tst_MainWindowView::supportMarks_data()
{
    QTest::addColumn<QList<int>>("values");   // NF1 NF2 NF3 KUP1 KUP2 KUP3
    QTest::addColumn<int>("mark");
    QTest::addRow("free") << QList<int>{0, 0, 0, 0, 0, 0} << int(Node::NoSupport);
    QTest::addRow("coupled only") << QList<int>{0, 0, 0, 7, 3, 0} << int(Node::NoSupport);
    QTest::addRow("fixed") << QList<int>{1, 1, 1, 0, 0, 0} << int(Node::Fixed);
    QTest::addRow("pinned") << QList<int>{1, 1, 0, 0, 0, 0} << int(Node::Pinned);
    QTest::addRow("roller, vertical reaction") << QList<int>{0, 1, 0, 0, 0, 0} << int(Node::Roller);
    QTest::addRow("roller, horizontal reaction") << QList<int>{1, 0, 0, 0, 0, 0} << int(Node::Roller);
    QTest::addRow("one translation and the rotation") << QList<int>{0, 1, 1, 0, 0, 0} << int(Node::Roller);
    QTest::addRow("rotation only") << QList<int>{0, 0, 1, 0, 0, 0} << int(Node::Restrained);
    QTest::addRow("travelling wave, KUP1 -1") << QList<int>{0, 1, 1, -1, 0, 0} << int(Node::InputMotion);
    QTest::addRow("input displacement, KUP2 -3") << QList<int>{1, 0, 1, 0, -3, 0} << int(Node::InputMotion);
    QTest::addRow("input rotation, KUP3 -2") << QList<int>{1, 1, 1, 0, 0, -2} << int(Node::InputMotion);
}

void tst_MainWindowView::supportMarks()
{
    QFETCH(QList<int>, values);
    QFETCH(int, mark);
    NodeRecord r;
    r.nf1 = values[0], r.nf2 = values[1], r.nf3 = values[2];
    r.kup1 = values[3], r.kup2 = values[4], r.kup3 = values[5];
    QCOMPARE(int(Node::support(r)), mark);

    // A mark drawn below the node lies inside what the node tells the scene it covers.
    Node node;
    node.showRecord(r);
    const QImage bare = [&] {
        QImage image(60, 60, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        p.translate(30, 30);
        p.scale(1.5, 1.5);
        node.paint(&p, nullptr, nullptr);
        return image;
    }();
    for (int y = 0; y < bare.height(); ++y)
        for (int x = 0; x < bare.width(); ++x)
            if (bare.pixel(x, y) != qRgb(0, 0, 0))
                QVERIFY(node.boundingRect().adjusted(-1, -1, 1, 1).contains(QPointF(x - 30, y - 30) / 1.5));
}

void tst_MainWindowView::colourByTypeAndLegend()
{
    MainWindow w;
    smallFrame(w);
    const QList<Bar *> &bars = w.getBars();
    QCOMPARE(bars.size(), 3);
    // Category colours first: the three frames look alike.
    QCOMPARE(bars.at(0)->colour(), Bar::categoryColour(Member::FRAME));
    QCOMPARE(bars.at(2)->colour(), bars.at(0)->colour());

    auto *dock = w.findChild<QDockWidget *>(QStringLiteral("legendDock"));
    auto *list = w.findChild<QListWidget *>(QStringLiteral("legendList"));
    QVERIFY(dock && list);
    QAction *byType = w.findChild<QAction *>(QStringLiteral("colourByTypeAct"));
    QAction *byCategory = w.findChild<QAction *>(QStringLiteral("colourByCategoryAct"));
    QVERIFY(byCategory->isChecked());
    byType->trigger();
    QVERIFY(!dock->isHidden());
    QCOMPARE(legendTexts(list), QStringList({"1  MTYPE1", "2  MTYPE2", "3  MTYPE3"}));
    QSet<QRgb> seen;
    for (int k = 0; k < 3; ++k) {
        const QColor c = list->item(k)->data(Qt::DecorationRole).value<QColor>();
        QCOMPARE(bars.at(k)->colour(), c);
        seen.insert(c.rgb());
    }
    QCOMPARE(seen.size(), 3);

    // Deleting type 1 leaves the others their colours; the undo brings it back.
    const QColor second = bars.at(1)->colour(), third = bars.at(2)->colour(), first = bars.at(0)->colour();
    w.deleteMType(1);
    QCOMPARE(legendTexts(list), QStringList({"1  MTYPE2", "2  MTYPE3"}));
    QCOMPARE(bars.at(1)->colour(), second);
    QCOMPARE(bars.at(2)->colour(), third);
    QCOMPARE(bars.at(0)->penStyle(), Qt::DotLine);
    w.undoStack()->undo();
    QCOMPARE(legendTexts(list), QStringList({"1  MTYPE1", "2  MTYPE2", "3  MTYPE3"}));
    QCOMPARE(bars.at(0)->colour(), first);
    addMemberTypes(w, {Member::WALL});
    QCOMPARE(list->count(), 4);
    w.undoStack()->undo();
    QCOMPARE(list->count(), 3);

    byCategory->trigger();
    QCOMPARE(bars.at(1)->colour(), Bar::categoryColour(Member::FRAME));
    QCOMPARE(list->item(1)->data(Qt::DecorationRole).value<QColor>(), Bar::categoryColour(Member::FRAME));
}

void tst_MainWindowView::memberNumbers()
{
    MainWindow w;
    smallFrame(w);
    QAction *numbers = w.findChild<QAction *>(QStringLiteral("memberNumbersAct"));
    QVERIFY(numbers && numbers->isCheckable() && !numbers->isChecked());
    Bar *bar = w.getBars().at(1);
    const QRectF around = bar->sceneBoundingRect().adjusted(-20, -20, 20, 20);
    const QImage off = picture(w.getScene(), around, 2);
    numbers->trigger();
    const QImage on = picture(w.getScene(), around, 2);
    QVERIFY(on != off);
    // Too small to read: not drawn.
    const QImage smallOn = picture(w.getScene(), around, 0.2);
    numbers->trigger();
    QCOMPARE(picture(w.getScene(), around, 0.2), smallOn);
    QCOMPARE(picture(w.getScene(), around, 2), off);
}

void tst_MainWindowView::selectedItemsHighlighted_data()
{
    QTest::addColumn<bool>("member");
    QTest::addColumn<double>("scale");
    for (double scale : {2.0, 0.1})
        for (bool member : {false, true})
            QTest::addRow("%s at %g", member ? "member" : "node", scale) << member << scale;
}

void tst_MainWindowView::selectedItemsHighlighted()
{
    QFETCH(bool, member);
    QFETCH(double, scale);
    MainWindow w;
    smallFrame(w);
    QGraphicsItem *item = member ? static_cast<QGraphicsItem *>(w.getBars().at(2)) : w.getNodes().at(4);
    const QRectF around = item->sceneBoundingRect().adjusted(-40, -40, 40, 40);
    const QImage plain = picture(w.getScene(), around, scale);
    item->setSelected(true);
    const QImage selected = picture(w.getScene(), around, scale);
    QVERIFY(selected != plain);
    item->setSelected(false);
    QCOMPARE(picture(w.getScene(), around, scale), plain);
}

void tst_MainWindowView::layerDrawsAsItemsDo_data()
{
    QTest::addColumn<QString>("state");
    for (const char *state : {"plain", "selected", "type colours", "a type deleted"})
        QTest::addRow("%s", state) << QString::fromLatin1(state);
}

void tst_MainWindowView::layerDrawsAsItemsDo()
{
    // Zoomed out, the layer draws the view; Qt drawing each item must agree.
    QFETCH(QString, state);
    MainWindow w;
    GridView *view = shownFrame(w, 0.15);
    QVERIFY(view);
    QVERIFY(view->layerDraws());
    if (state == QLatin1String("selected")) {
        w.getBars().at(1)->setSelected(true);
        w.getNodes().at(4)->setSelected(true);
    } else if (state == QLatin1String("type colours")) {
        w.setColourByType(true);
    } else if (state == QLatin1String("a type deleted")) {
        w.deleteMType(2);
        QCOMPARE(w.getBars().at(1)->penStyle(), Qt::DotLine);
    }
    const QImage layered = repainted(view);
    const ModelLayer *layer = view->modelLayer();
    view->setLayer(nullptr);
    const QImage itemByItem = repainted(view);
    view->setLayer(layer);
    QVERIFY(layered != QImage());
    QCOMPARE(unmatched(layered, itemByItem), 0);
}

void tst_MainWindowView::screenFollowsEdits_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("edit");
    for (double scale : {0.15, 1.0})
        for (const char *edit : {"delete member", "undo", "retype member", "select member", "select node",
                                 "delete type", "colour by type", "new member"})
            QTest::addRow("%s at %g", edit, scale) << scale << QString::fromLatin1(edit);
}

void tst_MainWindowView::screenFollowsEdits()
{
    // What is on the screen after an edit is what a paint of the whole view gives:
    // no change is left undrawn, whoever draws the view.
    QFETCH(double, scale);
    QFETCH(QString, edit);
    MainWindow w;
    GridView *view = shownFrame(w, scale);
    QVERIFY(view);
    QCOMPARE(view->layerDraws(), scale < 0.2);
    if (edit == QLatin1String("undo")) {
        w.deleteBar(2);
    } else if (edit == QLatin1String("retype member")) {
        w.setColourByType(true);
    }
    QTest::qWait(20);
    QCOMPARE(unmatched(onScreen(view), repainted(view)), 0);
    const QImage before = onScreen(view);
    if (edit == QLatin1String("delete member")) {
        w.deleteBar(2);
    } else if (edit == QLatin1String("undo")) {
        w.undoStack()->undo();
    } else if (edit == QLatin1String("retype member")) {
        const MemberRecord &r = w.projectModel()->members().at(0);
        w.editBar(r.key, 3, r.node3, r.node4, r.iout);
    } else if (edit == QLatin1String("select member")) {
        w.getBars().at(3)->setSelected(true);
    } else if (edit == QLatin1String("select node")) {
        w.getNodes().at(5)->setSelected(true);
    } else if (edit == QLatin1String("delete type")) {
        w.deleteMType(1);
    } else if (edit == QLatin1String("colour by type")) {
        w.setColourByType(true);
    } else {
        w.barProcedure(3);
        w.barProcedure(6);
    }
    QTest::qWait(20);
    const QImage after = onScreen(view);
    QVERIFY(unmatched(before, after) > 0);
    QCOMPARE(unmatched(after, repainted(view)), 0);
}

void tst_MainWindowView::memberToolTipIsCurrent()
{
    // Renumbered and retyped members show their new number and type.
    MainWindow w;
    GridView *view = shownFrame(w, 1.0);
    QVERIFY(view);
    w.deleteBar(1);
    w.deleteMType(1);
    Bar *first = w.getBars().at(0);
    QCOMPARE(first->toolTip(), QStringLiteral("ID : 1\nMTYPE : 1"));
    const QPoint at = view->mapFromScene(first->drawnLine().center());
    QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view->viewport(), &help);
    QCOMPARE(QToolTip::text(), QStringLiteral("ID : 1\nMTYPE : 1"));
    QCOMPARE(static_cast<QGraphicsItem *>(first)->toolTip(), QToolTip::text());
    QToolTip::hideText();
}

void tst_MainWindowView::dimensions()
{
    MainWindow w;
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto items = [&w] {
        QList<DimensionsItem *> found;
        for (QGraphicsItem *item : w.getScene()->items())
            if (item->type() == DimensionsItem::Type)
                found << static_cast<DimensionsItem *>(item);
        return found;
    };
    QAction *act = w.findChild<QAction *>(QStringLiteral("dimensionsAct"));
    QVERIFY(act && act->isCheckable() && act->isChecked());
    setGrid(w, {"0", "6", "12.5"}, {"0", "3.5", "7.25"});
    QCOMPARE(items().size(), 1);
    QCOMPARE(items().first()->texts(), QStringList({"6", "6.5", "3.5", "3.75"}));
    // A grid edit: the item follows, still one.
    setGrid(w, {"0", "6", "12.5", "20.123456789"}, {"0", "3.5", "7.25"});
    QCOMPARE(items().size(), 1);
    DimensionsItem *item = items().first();
    QCOMPARE(item->texts(), QStringList({"6", "6.5", "7.62346", "3.5", "3.75"}));

    // Zoom to Fit shows it whole.
    w.zoomToFit();
    const GridView *view = w.findChild<GridView *>(QStringLiteral("gridView"));
    const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
    QVERIFY(shown.contains(item->sceneBoundingRect()));
    // Drawn at scale 1 (numbers and lines); off, nothing is there.
    const QRectF around = item->sceneBoundingRect();
    const QImage on = picture(w.getScene(), around, 1);
    act->trigger();
    QVERIFY(!item->isVisible());
    const QImage off = picture(w.getScene(), around, 1);
    QVERIFY(on != off);
    act->trigger();
    QCOMPARE(picture(w.getScene(), around, 1), on);
}

QTEST_MAIN(tst_MainWindowView)
#include "tst_mainwindow_view.moc"
