// View benchmark: the synthetic frame (bench/benchmodel.h) opened in a shown
// window whose view is 1366 x 768, timed from the call until the view has
// painted and no further paint follows. With the whole model in view (zoomed to
// fit, as opening leaves it) and at full scale (near member 1, in the model's corner):
// a zoom step (in and out alternately), a full repaint, a hover over a node (the
// status bar read-out), delete member 1 and delete member type 1 with their undo;
// then closing a window with the whole model in view.
//
// Usage: bench_view [--runs N] [--sizes 101] [--dir FOLDER] [--keep]
// Exits non-zero only when a step gives a wrong result, never for slowness.

#include "bar.h"
#include "benchmodel.h"
#include "mainwindow.h"
#include "node.h"
#include "projectfile.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QMouseEvent>
#include <QUndoStack>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using BenchModel::median;
using BenchModel::nowMs;
using BenchModel::PaintWatch;
using BenchModel::settle;

using BenchModel::fail;
using BenchModel::check;

QGraphicsView *gridView(MainWindow &w)
{
    auto *view = w.findChild<QGraphicsView *>(QStringLiteral("gridView"));
    check(view, "the window has no gridView");
    return view;
}

// A shown window, its view's viewport sized to 1366 x 768, with the project open.
struct Session {
    std::unique_ptr<MainWindow> w;
    PaintWatch watch;
    QGraphicsView *view = nullptr;

    explicit Session(const QString &project)
    {
        w = std::make_unique<MainWindow>();
        w->resize(1500, 1000);
        w->show();
        view = gridView(*w);
        view->viewport()->installEventFilter(&watch);
        const double start = nowMs();
        while (!(w->windowHandle() && w->windowHandle()->isExposed()) && nowMs() - start < 5000)
            QCoreApplication::processEvents();
        check(w->windowHandle() && w->windowHandle()->isExposed(), "the window was not exposed");
        for (int i = 0; i < 3; ++i) {
            const QSize d = QSize(1366, 768) - view->viewport()->size();
            w->resize(w->size() + d);
            QCoreApplication::processEvents();
        }
        check(view->viewport()->size() == QSize(1366, 768), "the view could not be sized to 1366 x 768");
        check(w->readProjectFile(project), "the window did not open the project");
        check(settle(watch), "the opened model was not painted");
    }

    double timed(const std::function<void()> &step, const char *what)
    {
        const double start = nowMs();
        step();
        if (!settle(watch)) {
            std::fprintf(stderr, "bench_view: %s did not repaint the view\n", what);
            std::exit(1);
        }
        return nowMs() - start;
    }
};

struct Figure {
    const char *name;
    std::vector<double> runs;
    double target;
};

void print(const char *where, const Figure &f)
{
    const double value = median(f.runs);
    std::printf("| %s | %s | %.2f ms | < %g ms | %s |\n", where, f.name, value, f.target,
                value < f.target ? "PASS" : "FAIL");
    std::fflush(stdout);
}

// Every node's centre inside the viewport.
bool wholeModelInView(MainWindow &w)
{
    QGraphicsView *view = gridView(w);
    const QRect inside = view->viewport()->rect();
    for (Node *n : w.getNodes())
        if (!inside.contains(view->mapFromScene(n->pos())))
            return false;
    return true;
}

void measureAt(Session &s, const char *where, int runs)
{
    MainWindow &w = *s.w;
    const ProjectModel &m = *w.projectModel();
    QAction *zoomIn = w.findChild<QAction *>(QStringLiteral("zoomInAct"));
    QAction *zoomOut = w.findChild<QAction *>(QStringLiteral("zoomOutAct"));
    QAction *undo = w.findChild<QAction *>(QStringLiteral("undoAct"));
    check(zoomIn && zoomOut && undo, "the window lacks its zoom or undo actions");

    Figure zoom{"zoom step", {}, 30}, repaint{"full repaint", {}, 30}, hover{"hover over a node", {}, 5};
    for (int r = 0; r < runs; ++r) {
        zoom.runs.push_back(s.timed([&] { (r % 2 ? zoomIn : zoomOut)->trigger(); }, "zoom"));
    }
    if (runs % 2)
        zoomIn->trigger(), settle(s.watch);
    for (int r = 0; r < runs; ++r)
        repaint.runs.push_back(s.timed([&] { s.view->viewport()->update(); }, "repaint"));

    // Hover: the status bar names the node under the cursor.
    QLabel *item = w.findChild<QLabel *>(QStringLiteral("statusItem"));
    check(item, "the window has no status item label");
    // The node nearest the middle of the viewport.
    const QPointF middle = s.view->mapToScene(s.view->viewport()->rect().center());
    const Node *target = w.getNodes().first();
    for (const Node *n : w.getNodes())
        if (QLineF(n->pos(), middle).length() < QLineF(target->pos(), middle).length())
            target = n;
    const QPoint at = s.view->mapFromScene(target->pos());
    // Alternately over it and its neighbour, so that the read-out changes every time.
    const Node *next = w.getNodes().at(target->getId() % w.getNodes().size());
    const QPoint nextAt = s.view->mapFromScene(next->pos());
    for (int r = 0; r < runs; ++r) {
        const QPoint p = r % 2 ? nextAt : at;
        const QString expected = QStringLiteral("Node %1 ").arg((r % 2 ? next : target)->getId());
        const double start = nowMs();
        QMouseEvent move(QEvent::MouseMove, QPointF(p), s.view->viewport()->mapToGlobal(QPointF(p)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(s.view->viewport(), &move);
        QCoreApplication::processEvents();
        hover.runs.push_back(nowMs() - start);
        check(item->text().startsWith(expected), "hovering did not name the node");
    }

    const int members = int(m.members().size());
    Figure del{"delete member 1", {}, 20}, delUndo{"delete member 1: undo", {}, 20};
    for (int r = 0; r < runs; ++r) {
        del.runs.push_back(s.timed([&] { w.deleteBar(1); }, "delete member"));
        check(m.members().size() == members - 1 && w.getBars().size() == members - 1, "member 1 was not deleted");
        delUndo.runs.push_back(s.timed([&] { undo->trigger(); }, "undo"));
        check(m.members().size() == members && w.getBars().size() == members, "member 1 did not come back");
    }

    const int types = int(m.types().size());
    Figure type{"delete member type 1", {}, 30}, typeUndo{"delete member type 1: undo", {}, 30};
    for (int r = 0; r < runs; ++r) {
        type.runs.push_back(s.timed([&] { w.deleteMType(1); }, "delete member type"));
        check(m.types().size() == types - 1, "member type 1 was not deleted");
        typeUndo.runs.push_back(s.timed([&] { undo->trigger(); }, "undo"));
        check(m.types().size() == types, "member type 1 did not come back");
    }
    w.undoStack()->setClean();
    for (const Figure *f : {&zoom, &repaint, &hover, &del, &delUndo, &type, &typeUndo})
        print(where, *f);
}

void measure(int n, int runs, const QString &dir)
{
    const ProjectData frame = BenchModel::makeFrame(n);
    const QString project = dir + QStringLiteral("/frame_%1.kfp").arg(n);
    QString error;
    if (!ProjectFile::writeFile(project, frame, &error))
        fail(qPrintable(error));
    std::printf("\n%d x %d grid lines (%d nodes, %d members), view 1366 x 768, median of %d runs\n\n", n, n,
                int(frame.nodes.size()), int(frame.bars.size()), runs);
    std::printf("| view | figure | median | target | |\n|---|---|---|---|---|\n");
    std::fflush(stdout);

    {
        Session s(project);
        check(wholeModelInView(*s.w), "opening did not show the whole model");
        measureAt(s, "fitted", runs);
        // Full scale, near member 1, so that its deletion shows.
        s.view->resetTransform();
        s.view->centerOn(s.w->getNodes().at(5 * n + 5));
        settle(s.watch);
        measureAt(s, "scale 1", runs);
    }

    // Closing a window with the whole model in view, until its events are done.
    Figure close{"close the window", {}, 100};
    for (int r = 0; r < runs; ++r) {
        auto s = std::make_unique<Session>(project);
        MainWindow *w = s->w.release();
        s->view->viewport()->removeEventFilter(&s->watch);
        const double start = nowMs();
        w->close();
        delete w;
        QCoreApplication::processEvents();
        close.runs.push_back(nowMs() - start);
    }
    print("fitted", close);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchModel::Options options = BenchModel::parseOptions(app.arguments(), 9, {101}, 4, "bench_view");
    if (!options.ok)
        return 2;
    for (int n : options.sizes)
        measure(n, options.runs, options.dir);
    if (options.keep)
        std::printf("\nFiles kept in %s\n", qPrintable(options.dir));
    return 0;
}
