// Edit benchmark: single edits of a large model in a shown window with the
// whole model in view, each timed from the call to the end of the repaint it
// causes (and the call alone, before any event is processed, to tell the
// window's own work from Qt's repaint). The synthetic frame of bench_scale (bench/benchmodel.h) is written
// as a project and opened. Median of several runs of: create a member, delete
// member 1, edit a node (NF1), change a member's type, each with its undo and
// redo; delete member type 1 and its undo; opening the project up to its first
// paint; and the resident memory added by 200 steps on the undo stack.
//
// Usage: bench_edit [--runs N] [--sizes 101] [--dir FOLDER] [--keep]
// Exits non-zero only when an edit gives a wrong result, never for slowness.

#include "bar.h"
#include "benchmodel.h"
#include "mainwindow.h"
#include "node.h"
#include "projectdata.h"
#include "projectfile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <time.h>
#include <unistd.h>

namespace {

using BenchModel::median;
using BenchModel::nowMs;
using BenchModel::PaintWatch;
using BenchModel::settle;

using BenchModel::fail;
using BenchModel::check;

double residentMb()
{
    long pages = 0, resident = 0;
    std::FILE *f = std::fopen("/proc/self/statm", "r");
    if (!f || std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
        fail("cannot read /proc/self/statm");
    std::fclose(f);
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

QGraphicsView *gridView(MainWindow &w)
{
    auto *view = w.findChild<QGraphicsView *>(QStringLiteral("gridView"));
    check(view, "the window has no gridView");
    return view;
}

// The whole model (its items' bounds) within the part of the view that the shown window shows.
void fitWholeModel(MainWindow &w, const QRectF &bounds)
{
    QGraphicsView *view = gridView(w);
    view->fitInView(bounds, Qt::KeepAspectRatio);
    // The window sizes the view from its own width, not from what the tool bars
    // leave of it, so the view's right edge lies outside the window: shrink a little.
    const QRect shown = view->viewport()->visibleRegion().boundingRect();
    auto fits = [&] { return shown.contains(view->mapFromScene(bounds).boundingRect()); };
    for (int i = 0; i < 100 && !fits(); ++i)
        view->scale(0.98, 0.98);
    check(fits(), "the model does not fit the shown part of the view");
}

// From the call to the end of the repaint, and the call alone.
struct Time {
    double total = 0, call = 0;
};

// A shown window with the project open and the whole model in view.
struct Session {
    MainWindow w;
    PaintWatch watch;
    QAction *undoAct = nullptr;
    QAction *redoAct = nullptr;
    QRectF bounds;

    explicit Session(const QString &project)
    {
        w.resize(1280, 900);
        w.show();
        gridView(w)->viewport()->installEventFilter(&watch);
        const double start = nowMs();
        while (!(w.windowHandle() && w.windowHandle()->isExposed()) && nowMs() - start < 5000)
            QCoreApplication::processEvents();
        check(w.windowHandle() && w.windowHandle()->isExposed(), "the window was not exposed");
        check(w.readProjectFile(project), "the window did not open the project");
        bounds = w.getScene()->itemsBoundingRect();
        fitWholeModel(w, bounds);
        check(settle(watch), "the opened model was not painted");
        undoAct = w.findChild<QAction *>(QStringLiteral("undoAct"));
        redoAct = w.findChild<QAction *>(QStringLiteral("redoAct"));
        check(undoAct && redoAct, "the window has no undo or redo action");
    }

    // The time of one edit up to the end of its repaint.
    Time timed(const std::function<void()> &edit, const char *what)
    {
        const double start = nowMs();
        edit();
        const double called = nowMs();
        const bool painted = settle(watch);
        const double end = nowMs();
        if (!painted) {
            std::fprintf(stderr, "bench_edit: %s did not repaint the view\n", what);
            std::exit(1);
        }
        return {end - start, called - start};
    }
    Time undo() { return timed([this] { undoAct->trigger(); }, "undo"); }
    Time redo() { return timed([this] { redoAct->trigger(); }, "redo"); }
    // Back to the opened model, untimed.
    void undoUntimed()
    {
        undoAct->trigger();
        settle(watch);
    }

    const ProjectModel &model() const { return *w.projectModel(); }
};

struct Figure {
    const char *name;
    std::vector<Time> runs;
    double target;
};

void print(const Figure &f)
{
    std::vector<double> total, call;
    for (const Time &t : f.runs) {
        total.push_back(t.total);
        call.push_back(t.call);
    }
    const double value = median(total);
    std::printf("| %s | %.1f ms | %.1f ms | < %g ms | %s |\n", f.name, value, median(call), f.target,
                value < f.target ? "PASS" : "FAIL");
    std::fflush(stdout);
}

int countType(const ProjectModel &m, ModelKey type)
{
    int count = 0;
    for (const MemberRecord &r : m.members())
        count += r.type == type;
    return count;
}

int countBarsOfType(const MainWindow &w, int number)
{
    int count = 0;
    for (const Bar *b : w.getBars())
        count += b->getMTypeId() == number;
    return count;
}

void measure(int n, int runs, const QString &dir)
{
    const ProjectData frame = BenchModel::makeFrame(n);
    const int nodes = int(frame.nodes.size());
    const int members = int(frame.bars.size());
    const int types = int(frame.memberTypes.size());
    const QString project = dir + QStringLiteral("/frame_%1.kfp").arg(n);
    QString error;
    if (!ProjectFile::writeFile(project, frame, &error))
        fail(qPrintable(error));

    std::printf("\n%d x %d grid lines (%d nodes, %d members), median of %d runs\n\n", n, n, nodes, members,
                runs);
    std::printf("| figure | median | of which the call | target | |\n|---|---|---|---|---|\n");
    std::fflush(stdout);

    auto s = std::make_unique<Session>(project);
    MainWindow &w = s->w;
    const ProjectModel &m = s->model();
    check(m.nodes().size() == nodes && m.members().size() == members && m.types().size() == types,
          "the opened model has the wrong counts");
    check(w.getNodes().size() == nodes && w.getBars().size() == members, "the window shows the wrong counts");

    // Create a member between two neighbouring base nodes (the base has no beams).
    {
        const int a = n / 2 + 1, b = n / 2 + 2;
        const ModelKey ka = m.nodeKey(a), kb = m.nodeKey(b);
        check(m.memberBetween(ka, kb) == 0, "the chosen nodes already have a member");
        QAction *create = w.findChild<QAction *>(QStringLiteral("createBarAct"));
        check(create && create->isEnabled(), "creating members is not enabled");
        create->setChecked(true);
        w.createBar();
        Figure make{"create member", {}, 20}, undo{"create member: undo", {}, 20},
            redo{"create member: redo", {}, 20};
        auto isThere = [&](bool there) {
            const ModelKey key = m.memberBetween(ka, kb);
            check((key != 0) == there && m.members().size() == members + there
                      && w.getBars().size() == members + there,
                  "creating a member gave the wrong members");
            if (there)
                check(w.getBars().last()->key() == key && w.getBars().last()->getId() == members + 1,
                      "the created member is not drawn last");
        };
        for (int r = 0; r < runs; ++r) {
            make.runs.push_back(s->timed([&] {
                w.barProcedure(a);
                w.barProcedure(b);
            }, "create member"));
            isThere(true);
            undo.runs.push_back(s->undo());
            isThere(false);
            redo.runs.push_back(s->redo());
            isThere(true);
            s->undoUntimed();
            isThere(false);
        }
        create->setChecked(false);
        w.createBar();
        print(make), print(undo), print(redo);
    }

    // Delete member 1: every later member is renumbered.
    {
        const ModelKey key = m.members().first().key;
        Figure del{"delete member 1", {}, 20}, undo{"delete member 1: undo", {}, 20},
            redo{"delete member 1: redo", {}, 20};
        auto isThere = [&](bool there) {
            check(m.members().size() == members - !there && w.getBars().size() == members - !there
                      && (m.memberIndex(key) == 0) == there && (m.memberIndex(key) < 0) == !there,
                  "deleting member 1 gave the wrong members");
            check(w.getBars().first()->key() == m.members().first().key
                      && w.getBars().last()->getId() == members - !there,
                  "the window's members are not numbered as the model's");
        };
        for (int r = 0; r < runs; ++r) {
            del.runs.push_back(s->timed([&] { w.deleteBar(1); }, "delete member"));
            isThere(false);
            undo.runs.push_back(s->undo());
            isThere(true);
            redo.runs.push_back(s->redo());
            isThere(false);
            s->undoUntimed();
            isThere(true);
        }
        print(del), print(undo), print(redo);
    }

    // Edit a node in the middle of the model: NF1 changes.
    {
        const int number = nodes / 2 + 1;
        const ModelKey key = m.nodeKey(number);
        const NodeRecord old = *m.node(key);
        NodeRecord next = old;
        next.nf1 = old.nf1 == 0 ? 1 : 0;
        Figure edit{"edit node", {}, 20}, undo{"edit node: undo", {}, 20},
            redo{"edit node: redo", {}, 20};
        auto shows = [&](int nf1) {
            check(m.node(key)->nf1 == nf1 && w.getNodes().at(number - 1)->getNf1() == nf1,
                  "editing a node gave the wrong NF1");
        };
        for (int r = 0; r < runs; ++r) {
            edit.runs.push_back(s->timed([&] { w.editNode(next); }, "edit node"));
            shows(next.nf1);
            undo.runs.push_back(s->undo());
            shows(old.nf1);
            redo.runs.push_back(s->redo());
            shows(next.nf1);
            s->undoUntimed();
            shows(old.nf1);
        }
        print(edit), print(undo), print(redo);
    }

    // Change a member's type to the next one, of another category (so it is redrawn).
    {
        const int number = members / 2;
        const MemberRecord old = m.members().at(number - 1);
        const int from = m.typeNumber(old.type);
        const int to = from % types + 1;
        check(m.types().at(from - 1).values->getType() != m.types().at(to - 1).values->getType(),
              "the two member types have the same category");
        Figure edit{"change member type", {}, 20}, undo{"change member type: undo", {}, 20},
            redo{"change member type: redo", {}, 20};
        auto shows = [&](int type) {
            const Bar *bar = w.getBars().at(number - 1);
            check(m.typeNumber(m.member(old.key)->type) == type && bar->key() == old.key
                      && bar->getMTypeId() == type && bar->getType() == m.types().at(type - 1).values->getType(),
                  "changing a member's type gave the wrong type");
        };
        for (int r = 0; r < runs; ++r) {
            edit.runs.push_back(
                s->timed([&] { w.editBar(old.key, to, old.node3, old.node4, old.iout); }, "change member type"));
            shows(to);
            undo.runs.push_back(s->undo());
            shows(from);
            redo.runs.push_back(s->redo());
            shows(to);
            s->undoUntimed();
            shows(from);
        }
        print(edit), print(undo), print(redo);
    }

    // Delete member type 1: its members lose their type, the later types move down by one.
    {
        const ModelKey key = m.typeKey(1);
        const int users = countType(m, key);
        const int second = countType(m, m.typeKey(2));
        check(users > 0, "member type 1 has no members");
        Figure del{"delete member type 1", {}, 30}, undo{"delete member type 1: undo", {}, 30};
        for (int r = 0; r < runs; ++r) {
            del.runs.push_back(s->timed([&] { w.deleteMType(1); }, "delete member type"));
            check(m.types().size() == types - 1 && m.typeIndex(key) < 0 && countType(m, 0) == users
                      && countBarsOfType(w, 0) == users && countBarsOfType(w, 1) == second,
                  "deleting member type 1 gave the wrong types");
            undo.runs.push_back(s->undo());
            check(m.types().size() == types && m.typeIndex(key) == 0 && countType(m, key) == users
                      && countType(m, 0) == 0 && countBarsOfType(w, 1) == users && countBarsOfType(w, 0) == 0,
                  "undoing the deletion of member type 1 gave the wrong types");
        }
        std::printf("| (members of type 1: %d) | | | | |\n", users);
        print(del), print(undo);
    }

    // 200 single node edits on the undo stack.
    {
        QUndoStack *stack = w.undoStack();
        stack->clear();
        settle(s->watch, 50);
        const double before = residentMb();
        const int steps = 200;
        for (int k = 0; k < steps; ++k) {
            NodeRecord next = *m.node(m.nodeKey(k % nodes + 1));
            next.nf1 = next.nf1 == 0 ? 1 : 0;
            s->timed([&] { w.editNode(next); }, "edit node");
        }
        const double after = residentMb();
        check(stack->count() == steps, "the undo stack does not hold 200 steps");
        const double added = after - before;
        std::printf("| resident memory added by 200 node edits | %.1f MB | | < 50 MB | %s |\n", added,
                    added < 50 ? "PASS" : "FAIL");
    }
    const QRectF bounds = s->bounds;
    s.reset();

    // Opening the project: a new window up to its first paint, the whole model in
    // view (its bounds are known: the bench's own search of them is not timed).
    {
        Figure open{"open (new window to first paint)", {}, 300};
        for (int r = 0; r < runs; ++r) {
            PaintWatch watch;
            const double start = nowMs();
            auto *win = new MainWindow;
            win->resize(1280, 900);
            if (!win->readProjectFile(project))
                fail("the window did not open the project");
            win->show();
            gridView(*win)->viewport()->installEventFilter(&watch);
            fitWholeModel(*win, bounds);
            const double called = nowMs();
            check(settle(watch), "the opened window was not painted");
            open.runs.push_back({nowMs() - start, called - start});
            check(win->getBars().size() == members && win->getNodes().size() == nodes,
                  "the opened window shows the wrong counts");
            delete win;
            QCoreApplication::processEvents();
        }
        print(open);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchModel::Options options =
        BenchModel::parseOptions(app.arguments(), 15, {101}, 4, "bench_edit");
    if (!options.ok)
        return 2;
    const int runs = options.runs;
    const QList<int> sizes = options.sizes;
    const QString dir = options.dir;
    std::printf("Times from the call to the end of the repaint, and of the call alone; window 1280 x 900 "
                "with the whole model in view.\n");
    for (int n : sizes)
        measure(n, runs, dir);
    if (options.keep)
        std::printf("\nFiles kept in %s\n", qPrintable(dir));
    return 0;
}
