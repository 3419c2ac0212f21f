// Times drawing a square grid in the main window (offscreen), median of several runs.
// Usage: bench_grid [lines per direction = 101] [runs = 5]

#include "mainwindow.h"
#include "node.h"
#include "../tests/testmodels.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 101;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << QString::number(i * 5);
    const QStringList xIds = TestModels::xIds(n), yIds = TestModels::yIds(n);

    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        MainWindow w;
        w.getGridDialog()->setXLines(lines);
        w.getGridDialog()->setYLines(lines);
        w.getGridDialog()->setXIds(xIds);
        w.getGridDialog()->setYIds(yIds);
        QElapsedTimer timer;
        timer.start();
        w.drawAllItems(true);
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (w.getNodes().size() != n * n) {
            std::fprintf(stderr, "expected %d nodes, got %d\n", n * n, int(w.getNodes().size()));
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("grid %d x %d (%d nodes): drawAllItems median %.1f ms over %d runs (min %.1f, max %.1f)\n", n, n,
                n * n, times[times.size() / 2], runs, times.front(), times.back());
    return 0;
}
