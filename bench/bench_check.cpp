// Time of ModelCheck::check on the synthetic frames of benchmodel.h (no window).
#include "benchmodel.h"
#include "modelcheck.h"
#include "projectmodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const BenchModel::Options options =
        BenchModel::parseOptions(app.arguments(), 15, {11, 41, 101}, 4, "bench_check");
    if (!options.ok)
        return 2;
    std::printf("size\tnodes\tmembers\tproblems\tmedian ms\tmax ms\n");
    for (int n : options.sizes) {
        ProjectData frame = BenchModel::makeFrame(n);
        const ModelData model = ProjectModel::fromProjectData(frame);
        std::vector<double> times;
        qsizetype problems = 0;
        for (int run = 0; run < options.runs; ++run) {
            QElapsedTimer t;
            t.start();
            problems = ModelCheck::check(model, QString()).size();
            times.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        std::printf("%d x %d\t%lld\t%lld\t%lld\t%.2f\t%.2f\n", n, n, qlonglong(model.nodes.size()),
                    qlonglong(model.members.size()), qlonglong(problems), times[times.size() / 2], times.back());
    }
    return 0;
}
