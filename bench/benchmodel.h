#ifndef BENCHMODEL_H
#define BENCHMODEL_H

// The synthetic regular frame of the benchmarks: n x n grid lines, every X line
// a column line, every Y level above the base a floor of beams; 20 member types
// of all six categories; loads, weights, drift on the first column, an earthquake.

#include "member.h"
#include "projectdata.h"
#include "../tests/testmodels.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <vector>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace BenchModel {

// A bench that cannot measure says why, under its own name, and stops.
[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), what);
    std::exit(1);
}

inline void check(bool ok, const char *what)
{
    if (!ok)
        fail(what);
}

// Milliseconds of the monotonic clock.
inline double nowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The options both benches take: --runs N, --sizes 11,41,101, --dir FOLDER, --keep.
struct Options {
    int runs;
    QList<int> sizes;
    QString dir;      // where the files go (a temporary folder unless --dir)
    bool keep = false;
    bool ok = true;
    std::unique_ptr<QTemporaryDir> tmp;
};

inline Options parseOptions(const QStringList &args, int runs, const QList<int> &sizes, int smallest,
                            const char *name)
{
    Options o{runs, sizes, QString(), false, true, nullptr};
    bool &keep = o.keep;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size()) {
            o.runs = std::max(1, args[++i].toInt());
        } else if (args[i] == QLatin1String("--sizes") && i + 1 < args.size()) {
            o.sizes.clear();
            for (const QString &s : args[++i].split(QLatin1Char(','), Qt::SkipEmptyParts))
                o.sizes.append(std::max(smallest, s.toInt()));
        } else if (args[i] == QLatin1String("--dir") && i + 1 < args.size()) {
            o.dir = args[++i];
        } else if (args[i] == QLatin1String("--keep")) {
            keep = true;
        } else {
            std::fprintf(stderr, "Usage: %s [--runs N] [--sizes 11,41,101] [--dir FOLDER] [--keep]\n", name);
            o.ok = false;
            return o;
        }
    }
    if (o.dir.isEmpty()) {
        o.tmp = std::make_unique<QTemporaryDir>();
        o.tmp->setAutoRemove(!keep);
        o.dir = o.tmp->path();
    }
    QDir().mkpath(o.dir);
    return o;
}

// Counts the paint events of the view's viewport.
class PaintWatch : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(object, event);
    }
};

// Processes events until the view has painted and nothing more follows.
// The scene and the window queue their updates, so one call is not enough.
inline bool settle(const PaintWatch &watch, double timeoutMs = 5000)
{
    const int before = watch.paints;
    const double start = nowMs();
    int quiet = 0;
    while (nowMs() - start < timeoutMs) {
        const int seen = watch.paints;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (watch.paints == before)
            continue;
        quiet = watch.paints == seen ? quiet + 1 : 0;
        if (quiet >= 2)
            return true;
    }
    return watch.paints > before;
}

constexpr int kMemberTypes = 20;

inline void fillMemberType(Member &m, int k)
{
    m.setLabel(QStringLiteral("TYPE-%1").arg(k + 1));
    // Values that are not all defaults, so the writers format real numbers.
    m.getTakeda()[0] = 0.25 + k;
    m.getFrameIC()[0] = 0.02;
    switch (m.getType()) {
    case Member::FRAME:
        m.getFrameB()[0] = 2.1e7;
        m.getFrameB()[1] = 0.09 + 0.001 * k;
        break;
    case Member::SPRING: m.getSpringA2()[0] = 1234.5; break;
    case Member::WALL:
        m.getWallB()[0] = 0.3;
        m.getWallXI()->append({0.1, 0.5, 0.9});
        m.getWallASI()->append({1e-4, 2e-4, 1e-4});
        m.getWallACI()->append({0.02, 0.03, 0.02});
        break;
    case Member::DAMPER: m.getDamperA2()[0] = 55.0; break;
    case Member::MULTISPRING: m.getMultiSpringA2()[0] = 0.75; break;
    case Member::REINFORCED: m.getReinforcedA2()[0] = 420.0; break;
    default: break;
    }
}

// A regular frame of n x n grid lines, complete enough to generate.
inline ProjectData makeFrame(int n)
{
    ProjectData data;
    for (int i = 0; i < n; ++i) {
        data.XLines << QString::number(i * 6.5);
        data.YLines << QString::number(i * 3.2);
    }
    data.nodesIOut = 1;
    data.elementsIOut = 1;
    data.controlSeted = true;

    for (int k = 0; k < kMemberTypes; ++k) {
        fillMemberType(*TestModels::addType(data, k % 6), k);
    }

    data.drift = QStringLiteral("1");
    data.kup1Automatically = true;
    data.driftSeted = true;
    ModelCore::rebuildDerived(data);   // nodes and drift ids from the grid

    // Slave every node's horizontal movement to the drift column, as the drift dialog does.
    for (int k = 0; k < data.nodes.size(); ++k) {
        const int level = k / n;
        data.nodes[k].kup1 = (k % n == 0) ? 0 : data.driftIds.at(level).toInt();
    }

    auto nodeId = [n](int level, int column) { return level * n + column + 1; };
    int id = 0;
    for (int level = 1; level < n; ++level) {
        for (int column = 0; column < n; ++column) {       // columns below this floor
            BarData b;
            b.id = ++id;
            b.mTypeId = 1 + id % kMemberTypes;
            b.source = nodeId(level - 1, column);
            b.dest = nodeId(level, column);
            b.iout = 1;
            data.bars.append(b);
        }
        for (int column = 1; column < n; ++column) {       // beams of this floor
            BarData b;
            b.id = ++id;
            b.mTypeId = 1 + id % kMemberTypes;
            b.source = nodeId(level, column - 1);
            b.dest = nodeId(level, column);
            b.iout = 1;
            data.bars.append(b);
        }
    }

    const int nodes = int(data.nodes.size());
    for (int k = 0; k < nodes; ++k) {
        const bool base = k < n;
        data.fx.append(base ? 0.0 : 1.5 * (k / n));
        data.fy.append(base ? 0.0 : -12.25);
        data.fm.append(0.0);
        data.wx.append(base ? 0.0 : 24.5);
        data.wy.append(base ? 0.0 : 24.5);
        data.wd.append(0.0);
    }

    data.quakeA[0] = 1;
    data.quakeA[1] = 2000;
    data.quakeB[0] = 0.01;
    data.quakeB[1] = 9.81;
    data.quakeFile = QStringLiteral("elcentro.txt");
    data.quakeSeted = true;
    ModelCore::rebuildDerived(data);   // counts
    return data;
}

} // namespace BenchModel

#endif // BENCHMODEL_H
