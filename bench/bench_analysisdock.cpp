// Analysis file dock benchmark on the 101 x 101 frame of bench/benchmodel.h,
// opened in a shown window with the whole model in view: the dock's first
// showing up to its first paint, and changing one member's type (as bench_edit
// does), its undo and redo, each timed up to the end of the repaint of the view
// and of the dock. Ends with the process's peak resident memory; run it once
// with --hidden (the dock never shown) to compare.
//
// Usage: bench_analysisdock [--runs N] [--hidden] [--dir FOLDER]
// Exits non-zero only when the dock shows other bytes than Generate writes.

#include "bar.h"
#include "benchmodel.h"
#include "mainwindow.h"
#include "projectfile.h"
#include "analysiswriter.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QTextStream>
#include <QWindow>

#include <cstdio>
#include <vector>

using namespace BenchModel;

namespace {

double peakMb()
{
    std::FILE *f = std::fopen("/proc/self/status", "r");
    check(f, "cannot read /proc/self/status");
    char line[256];
    double kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmHWM: %lf kB", &kb) == 1)
            break;
    std::fclose(f);
    return kb / 1024.0;
}

void row(const char *name, std::vector<double> times, double target)
{
    const double m = median(times);
    std::printf("| %s | %.1f ms | < %g ms | %s |\n", name, m, target, m < target ? "PASS" : "FAIL");
    std::fflush(stdout);
}

// What Generate writes for the window's model.
QByteArray analysisBytes(const MainWindow &w)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    AnalysisWriter::write(out, w.collectProjectData());
    out.flush();
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bench_analysisdock"));
    int runs = 9;
    bool hidden = false;
    QTemporaryDir temp;
    QString dir = temp.path();
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--runs") && i + 1 < args.size())
            runs = args.at(++i).toInt();
        else if (args.at(i) == QLatin1String("--hidden"))
            hidden = true;
        else if (args.at(i) == QLatin1String("--dir") && i + 1 < args.size())
            dir = args.at(++i);
    }

    const int n = 101;
    const QString project = dir + QStringLiteral("/frame_%1.kfp").arg(n);
    QString error;
    check(ProjectFile::writeFile(project, makeFrame(n), &error), qPrintable(error));

    MainWindow w;
    w.resize(1280, 900);
    w.show();
    PaintWatch watch;
    auto *grid = w.findChild<QGraphicsView *>(QStringLiteral("gridView"));
    auto *text = w.findChild<QPlainTextEdit *>(QStringLiteral("analysisFileView"));
    check(grid && text, "the window has no gridView or analysisFileView");
    grid->viewport()->installEventFilter(&watch);
    text->viewport()->installEventFilter(&watch);
    const double start = nowMs();
    while (!(w.windowHandle() && w.windowHandle()->isExposed()) && nowMs() - start < 5000)
        QCoreApplication::processEvents();
    check(w.readProjectFile(project), "the window did not open the project");
    grid->fitInView(w.getScene()->itemsBoundingRect(), Qt::KeepAspectRatio);
    check(settle(watch), "the opened model was not painted");

    std::printf("\n%d x %d grid lines, dock %s, median of %d runs\n\n| figure | median | target | |\n|---|---|---|---|\n",
                n, n, hidden ? "hidden" : "shown", runs);
    if (!hidden) {
        const double t0 = nowMs();
        w.findChild<QAction *>(QStringLiteral("analysisFileAct"))->trigger();
        check(settle(watch), "the dock was not painted");
        row("show the dock the first time", {nowMs() - t0}, 300);
        check(text->toPlainText().toUtf8() == analysisBytes(w), "the dock shows other bytes than Generate writes");
        std::printf("| the text | %.2f MB, %d lines | | |\n", text->document()->characterCount() / 1e6,
                    text->document()->blockCount() - 1);
        // The dock takes its place beside the view: fit the model again.
        grid->fitInView(w.getScene()->itemsBoundingRect(), Qt::KeepAspectRatio);
        settle(watch);
    }

    const ProjectModel &m = *w.projectModel();
    const int types = int(m.types().size());
    const int number = int(m.members().size()) / 2;
    const MemberRecord old = m.members().at(number - 1);
    const int from = m.typeNumber(old.type);
    const int to = from % types + 1;
    auto timed = [&](const std::function<void()> &edit) {
        const double t = nowMs();
        edit();
        check(settle(watch), "an edit did not repaint");
        return nowMs() - t;
    };
    std::vector<double> edit, undo, redo;
    for (int r = 0; r < runs; ++r) {
        edit.push_back(timed([&] { w.editBar(old.key, to, old.node3, old.node4, old.iout); }));
        undo.push_back(timed([&] { w.undoStack()->undo(); }));
        redo.push_back(timed([&] { w.undoStack()->redo(); }));
        timed([&] { w.undoStack()->undo(); });
    }
    if (!hidden)
        check(text->toPlainText().toUtf8() == analysisBytes(w), "the dock shows other bytes than Generate writes");
    row("change member type", edit, 30);
    row("change member type: undo", undo, 30);
    row("change member type: redo", redo, 30);
    std::printf("| peak resident memory | %.0f MB | | |\n", peakMb());
    return 0;
}
