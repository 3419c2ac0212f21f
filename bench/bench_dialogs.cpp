// Dialog benchmark: opening dialogs of a large model in a shown window.
// - a member's dialog, opened for the first time (each member has its own),
//   from the call up to the dialog shown with its events processed;
// - the weights and the loads dialogs, opened and closed with OK (nothing
//   changed), from the action to the end of the closing, events processed.
// The first opening of a table dialog builds its cells and is listed apart.
//
// Usage: bench_dialogs [--runs N] [--sizes 101] [--dir FOLDER] [--keep]

#include "bar.h"
#include "benchmodel.h"
#include "editbardialog.h"
#include "mainwindow.h"
#include "projectfile.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

using BenchModel::median;
using BenchModel::nowMs;

using BenchModel::fail;
void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Runs open (which runs a modal dialog); once the dialog is up and its events
// processed, close runs on it. Returns {time to shown, time to closed}.
std::pair<double, double> timedModal(const std::function<void()> &open, const std::function<void(QDialog *)> &close)
{
    double shown = 0;
    bool seen = false;
    const double start = nowMs();
    QTimer::singleShot(0, [&] {
        settle();
        shown = nowMs() - start;
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            fail("no dialog was shown");
        seen = true;
        close(dialog);
    });
    open();
    settle();
    const double closed = nowMs() - start;
    if (!seen)
        fail("the dialog did not open");
    return {shown, closed};
}

void row(const char *name, const std::vector<double> &v, double target)
{
    const double m = median(v);
    std::printf("| %s | %.1f ms | < %g ms | %s |\n", name, m, target, m < target ? "PASS" : "FAIL");
    std::fflush(stdout);
}

void measure(int n, int runs, const QString &dir)
{
    const ProjectData frame = BenchModel::makeFrame(n);
    const QString project = dir + QStringLiteral("/frame_%1.kfp").arg(n);
    QString error;
    if (!ProjectFile::writeFile(project, frame, &error))
        fail(qPrintable(error));

    MainWindow w;
    w.resize(1280, 900);
    w.show();
    const double start = nowMs();
    while (!(w.windowHandle() && w.windowHandle()->isExposed()) && nowMs() - start < 5000)
        QCoreApplication::processEvents();
    if (!w.readProjectFile(project))
        fail("the window did not open the project");
    settle();

    std::printf("\n%d x %d grid lines (%d nodes, %d members), median of %d runs\n\n", n, n,
                int(frame.nodes.size()), int(frame.bars.size()), runs);
    std::printf("| Dialog | Time | Target | |\n|---|---|---|---|\n");

    const QList<Bar *> &bars = w.getBars();
    if (bars.size() < runs + 1)
        fail("too few members");
    std::vector<double> firstBar;
    for (int i = 0; i < runs; ++i) {
        Bar *bar = bars.at(i * (bars.size() / (runs + 1)));
        firstBar.push_back(timedModal([bar] { bar->openDialog(); }, [](QDialog *d) { d->reject(); }).first);
    }
    row("member dialog, first opening", firstBar, 10);

    const struct {
        const char *name, *first, *action;
    } tables[2] = {{"weights dialog, open and OK", "weights dialog, first open and OK", "editMassAction"},
                   {"loads dialog, open and OK", "loads dialog, first open and OK", "editLoadAction"}};
    for (const auto &t : tables) {
        auto *action = w.findChild<QAction *>(QLatin1String(t.action));
        if (!action)
            fail("no table action");
        auto ok = [](QDialog *d) {
            auto *button = d->findChild<QPushButton *>(QStringLiteral("okBtn"));
            if (!button)
                fail("no OK button");
            button->click();
        };
        std::vector<double> first{timedModal([action] { action->trigger(); }, ok).second};
        std::vector<double> again;
        for (int i = 0; i < runs; ++i)
            again.push_back(timedModal([action] { action->trigger(); }, ok).second);
        std::printf("| %s | %.1f ms | | |\n", t.first, first.front());
        row(t.name, again, 20);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchModel::Options options = BenchModel::parseOptions(app.arguments(), 9, {101}, 4, "bench_dialogs");
    if (!options.ok)
        return 2;
    for (int n : options.sizes)
        measure(n, options.runs, options.dir);
    return 0;
}
