// Selection benchmark: on the synthetic frame of bench/benchmodel.h, in a shown
// window with the whole model in view (zoomed to fit, as opening leaves it),
// each timed from the first mouse event to the end of the repaint it causes:
// selecting every member and node by a box dragged with the mouse, deleting the
// selection (one step) and undoing that; then, on the grid with its base beams
// only, quick draw of the whole grid (columns and beams: the frame's members
// again, one step) and its undo.
//
// Usage: bench_select [--runs N] [--sizes 101] [--dir FOLDER] [--keep]
// Exits non-zero only when a result is wrong, never for slowness.

#include "bar.h"
#include "benchmodel.h"
#include "createmembercommand.h"
#include "deletememberscommand.h"
#include "mainwindow.h"
#include "projectdata.h"
#include "projectfile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsView>
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

using BenchModel::fail;
using BenchModel::check;

using BenchModel::PaintWatch;
using BenchModel::settle;

struct Session {
    MainWindow w;
    PaintWatch watch;
    QGraphicsView *view = nullptr;

    explicit Session(const QString &project)
    {
        w.resize(1366, 768);
        w.show();
        view = w.findChild<QGraphicsView *>(QStringLiteral("gridView"));
        check(view, "the window has no gridView");
        view->viewport()->installEventFilter(&watch);
        const double start = nowMs();
        while (!(w.windowHandle() && w.windowHandle()->isExposed()) && nowMs() - start < 5000)
            QCoreApplication::processEvents();
        check(w.readProjectFile(project), "the window did not open the project");
        w.zoomToFit();
        check(settle(watch), "the opened model was not painted");
        const QRect shown = view->viewport()->rect();
        check(shown.contains(view->mapFromScene(w.getScene()->itemsBoundingRect()).boundingRect()),
              "the model is not wholly in view");
    }

    double timed(const std::function<void()> &edit, const char *what)
    {
        const double start = nowMs();
        edit();
        if (!settle(watch)) {
            std::fprintf(stderr, "bench_select: %s did not repaint the view\n", what);
            std::exit(1);
        }
        return nowMs() - start;
    }

    void mouse(QEvent::Type type, const QPoint &p, Qt::MouseButtons held)
    {
        QWidget *viewport = view->viewport();
        QMouseEvent e(type, p, viewport->mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &e);
    }

    // A left drag across the whole viewport, from corner to corner, as a hand moves.
    void dragWholeView()
    {
        const QRect r = view->viewport()->rect().adjusted(2, 2, -2, -2);
        mouse(QEvent::MouseButtonPress, r.topLeft(), Qt::LeftButton);
        for (int k = 1; k <= 4; ++k)
            mouse(QEvent::MouseMove, r.topLeft() + (r.bottomRight() - r.topLeft()) * k / 4, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, r.bottomRight(), Qt::NoButton);
    }

    QAction *action(const char *name)
    {
        auto *a = w.findChild<QAction *>(QLatin1String(name));
        check(a, name);
        return a;
    }
};

void print(const char *name, const std::vector<double> &runs, double target)
{
    const double value = median(runs);
    std::printf("| %s | %.1f ms | < %g ms | %s |\n", name, value, target, value < target ? "PASS" : "FAIL");
    std::fflush(stdout);
}

int selectedBars(const MainWindow &w)
{
    int n = 0;
    for (QGraphicsItem *item : w.getScene()->selectedItems())
        n += item->type() == Bar::Type;
    return n;
}

void measure(int n, int runs, const QString &dir)
{
    const ProjectData frame = BenchModel::makeFrame(n);
    const int members = int(frame.bars.size());
    const QString project = dir + QStringLiteral("/frame_%1.kfp").arg(n);
    QString error;
    if (!ProjectFile::writeFile(project, frame, &error))
        fail(qPrintable(error));
    std::printf("\n%d x %d grid lines (%d nodes, %d members), median of %d runs\n\n", n, n,
                int(frame.nodes.size()), members, runs);
    std::printf("| figure | median | target | |\n|---|---|---|---|\n");

    Session s(project);
    MainWindow &w = s.w;
    const ProjectModel &m = *w.projectModel();
    QUndoStack *stack = w.undoStack();

    std::vector<double> select, del, undo;
    for (int r = 0; r < runs; ++r) {
        select.push_back(s.timed([&] { s.dragWholeView(); }, "box selection"));
        check(selectedBars(w) == members, "the box did not select every member");
        check(s.action("deleteAct")->isEnabled(), "the delete button is not enabled");
        del.push_back(s.timed([&] { s.action("deleteAct")->trigger(); }, "delete"));
        check(m.members().isEmpty() && w.getBars().isEmpty(), "the selection was not deleted");
        check(stack->undoText() == QStringLiteral("Delete %1 members").arg(members), "wrong step");
        undo.push_back(s.timed([&] { s.action("undoAct")->trigger(); }, "undo delete"));
        check(m.members().size() == members && w.getBars().size() == members, "undo did not restore the members");
    }
    print("select every member by a box", select, 1000);
    print("delete the selection", del, 1000);
    print("delete the selection: undo", undo, 1000);

    // Quick draw on the same grid with the base beams only: it draws the frame's
    // 20,100 members again and skips the base.
    QList<ModelKey> all;
    for (const MemberRecord &r : m.members())
        all << r.key;
    stack->push(new DeleteMembersCommand(w.projectModel(), all));
    QList<MemberRecord> base;
    for (int column = 0; column + 1 < n; ++column)
        base.append({0, m.typeKey(1), m.nodeKey(column + 1), m.nodeKey(column + 2), 0, 0, 1});
    stack->push(new CreateMemberCommand(w.projectModel(), base));
    settle(s.watch);
    QAction *create = s.action("createBarAct");
    create->setChecked(true);
    w.createBar();
    auto *kinds = w.findChild<QComboBox *>(QStringLiteral("quickDrawCBox"));
    check(kinds, "the window has no quickDrawCBox");
    kinds->setCurrentIndex(2);
    std::vector<double> draw, drawUndo;
    const int quickMembers = members;
    for (int r = 0; r < runs; ++r) {
        draw.push_back(s.timed([&] { s.dragWholeView(); }, "quick draw"));
        check(m.members().size() == quickMembers + n - 1 && w.getBars().size() == quickMembers + n - 1,
              "quick draw did not draw every segment");
        drawUndo.push_back(s.timed([&] { s.action("undoAct")->trigger(); }, "undo quick draw"));
        check(m.members().size() == n - 1, "undo of quick draw left members");
    }
    std::printf("| (quick draw creates %d members) | | | |\n", quickMembers);
    print("quick draw of the whole grid", draw, 2000);
    print("quick draw: undo", drawUndo, 2000);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchModel::Options options = BenchModel::parseOptions(app.arguments(), 5, {101}, 4, "bench_select");
    if (!options.ok)
        return 2;
    std::printf("Times from the first mouse event or call to the end of the repaint; window 1366 x 768 "
                "with the whole model in view.\n");
    for (int n : options.sizes)
        measure(n, options.runs, options.dir);
    if (options.keep)
        std::printf("\nFiles kept in %s\n", qPrintable(options.dir));
    return 0;
}
