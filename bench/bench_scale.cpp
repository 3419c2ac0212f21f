// Scale benchmark: synthetic regular frames (every X line a column line, every
// Y level above the base a floor of beams; 20 member types of all six
// categories; loads, weights, drift, earthquake) at several grid sizes.
// For each size it reports the median of several runs of: drawing the grid,
// opening the project into the main window (offscreen), saving it, generating
// the analysis file through the window, `--generate` from process start to
// exit, the peak memory of both, and the time a bare fprintf loop needs to
// write the same bytes as the analysis file (the floor for that output).
//
// Usage: bench_scale [--runs N] [--sizes 11,41,101] [--dir FOLDER] [--keep]
// (build/taliskor2d-gui must sit beside this program.)

#include "analysiswriter.h"
#include "benchmodel.h"
#include "mainwindow.h"
#include "member.h"
#include "node.h"
#include "projectdata.h"
#include "projectfile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char **environ;

namespace {

using BenchModel::makeFrame;

using BenchModel::median;
using BenchModel::nowMs;

using BenchModel::fail;
// ------------------------------------------------------------ the fprintf floor

// Writes the analysis file of `data` with plain fprintf calls: one call per
// node, member, weight and load line; the short sections (control lines,
// member types, earthquake) are copied from `reference` as they are. The
// result must equal `reference` byte for byte.
void writeFloor(std::FILE *f, const ProjectData &data, const QByteArray &reference)
{
    const qsizetype nodesAt = reference.indexOf("NODES\t");
    const qsizetype elementsAt = reference.indexOf("\nELEMENTS\t") + 1;
    const qsizetype propsAt = reference.indexOf("\nPROPS\n") + 1;
    const qsizetype weightsAt = reference.indexOf("\nWEIGHTS\n") + 1;
    const qsizetype quakeAt = reference.indexOf("\nEQUAKE\t") + 1;
    if (nodesAt < 0 || elementsAt <= 0 || propsAt <= 0 || weightsAt <= 0 || quakeAt <= 0)
        fail("unexpected analysis file layout");

    std::fwrite(reference.constData(), 1, size_t(nodesAt), f);
    std::fprintf(f, "NODES\t%d\n", data.nodesIOut);
    for (const NodeData &n : data.nodes)
        std::fprintf(f, "%d\t%g\t%g\t%d\t%d\t%d\t%d\t%d\t%d\t%d\n", n.id, n.x, n.y, n.nf1, n.nf2, n.nf3, n.kup1,
                     n.kup2, n.kup3, n.iout);
    std::fputs("\nDRIFT\tA\n", f);
    for (qsizetype k = 0; k < data.driftIds.size(); ++k)
        std::fprintf(f, k ? "\t%d" : "%d", data.driftIds.at(k).toInt());
    std::fprintf(f, "\n\nELEMENTS\t%d\n", data.elementsIOut);
    for (const BarData &b : data.bars)
        std::fprintf(f, "%d\t%d\t%d\t%d\t%d\t%d\t%d\n", b.id, b.mTypeId, std::min(b.source, b.dest),
                     std::max(b.source, b.dest), b.node3, b.node4, b.iout);
    std::fputc('\n', f);
    std::fwrite(reference.constData() + propsAt, 1, size_t(weightsAt - propsAt), f);
    std::fputs("WEIGHTS\n", f);
    for (qsizetype i = 0; i < data.wx.size(); ++i)
        std::fprintf(f, "%d\t%g\t%g\t%g\n", int(i + 1), data.wx.at(i), data.wy.at(i), data.wd.at(i));
    std::fputs("\nLOADS\n", f);
    for (qsizetype i = 0; i < data.fx.size(); ++i)
        std::fprintf(f, "%d\t%g\t%g\t%g\n", int(i + 1), data.fx.at(i), data.fy.at(i), data.fm.at(i));
    std::fputc('\n', f);
    std::fwrite(reference.constData() + quakeAt, 1, size_t(reference.size() - quakeAt), f);
}

// ------------------------------------------------------------ child processes

struct ChildResult {
    double ms = 0;
    long maxRssKb = 0;
    int status = -1;
};

// Starts argv[0] with its arguments, waits, and reports wall time and peak memory.
ChildResult spawnAndWait(char *const argv[])
{
    ChildResult r;
    const double start = nowMs();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
        fail("cannot start a child process");
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        fail("wait4 failed");
    r.ms = nowMs() - start;
    r.maxRssKb = usage.ru_maxrss;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// A child's ru_maxrss starts at the size of the process that executed it, so
// children are not started from this (large) process but from a fresh copy of
// this program that does nothing else: `--measure RESULT PROGRAM ARGS...`,
// handled in main() before anything is allocated.
int measureMain(char *argv[])
{
    const ChildResult r = spawnAndWait(argv + 3);
    std::FILE *f = std::fopen(argv[2], "w");
    if (!f)
        return 1;
    std::fprintf(f, "%.3f %ld %d\n", r.ms, r.maxRssKb, r.status);
    std::fclose(f);
    return 0;
}

ChildResult runChild(const QString &self, const QString &resultFile, const QStringList &args)
{
    std::vector<QByteArray> bytes{QFile::encodeName(self), QByteArrayLiteral("--measure"),
                                  QFile::encodeName(resultFile)};
    for (const QString &a : args)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    const ChildResult outer = spawnAndWait(argv.data());
    QFile f(resultFile);
    if (outer.status != 0 || !f.open(QIODevice::ReadOnly))
        fail("the measuring process failed");
    const QList<QByteArray> fields = f.readAll().trimmed().split(' ');
    if (fields.size() != 3)
        fail("the measuring process wrote no result");
    ChildResult r;
    r.ms = fields[0].toDouble();
    r.maxRssKb = fields[1].toLong();
    r.status = fields[2].toInt();
    return r;
}

// The interactive path in one process: open, save, generate (for its peak memory).
int childWindow(const QString &project, const QString &saved, const QString &output)
{
    MainWindow w;
    if (!w.readProjectFile(project) || !w.writeProjectFile(saved) || !w.writeAnalysisFile(output))
        return 1;
    return 0;
}

QByteArray readAll(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        fail("cannot read back a written file");
    return f.readAll();
}

struct Figures {
    int n = 0;
    int nodes = 0, members = 0;
    qint64 projectBytes = 0, analysisBytes = 0;
    double grid = 0, open = 0, save = 0, generate = 0, batch = 0, floor = 0;
    double batchMemMb = 0, windowMemMb = 0;
};

Figures measure(int n, int runs, const QString &dir, const QString &self, const QString &gui)
{
    Figures fig;
    fig.n = n;
    const ProjectData model = makeFrame(n);
    fig.nodes = int(model.nodes.size());
    fig.members = int(model.bars.size());
    if (!ModelCore::completenessMessage(model).isEmpty())
        fail("the synthetic model is incomplete");

    const QString project = dir + QStringLiteral("/frame_%1.kfp").arg(n);
    const QString saved = dir + QStringLiteral("/saved_%1.kfp").arg(n);
    const QString generated = dir + QStringLiteral("/generated_%1.txt").arg(n);
    const QString batchOut = dir + QStringLiteral("/batch_%1.txt").arg(n);
    const QString floorOut = dir + QStringLiteral("/floor_%1.txt").arg(n);
    const QString measured = dir + QStringLiteral("/measured.txt");
    QString error;
    if (!ProjectFile::writeFile(project, model, &error))
        fail(qPrintable(error));
    const QByteArray projectBytes = readAll(project);
    fig.projectBytes = projectBytes.size();

    // Drawing the grid of a fresh window.
    std::vector<double> t;
    for (int r = 0; r < runs; ++r) {
        MainWindow w;
        w.getGridDialog()->setXLines(model.XLines);
        w.getGridDialog()->setYLines(model.YLines);
        w.getGridDialog()->setXIds(TestModels::xIds(n));
        w.getGridDialog()->setYIds(TestModels::yIds(n));
        const double start = nowMs();
        w.drawAllItems(true);
        t.push_back(nowMs() - start);
        if (w.getNodes().size() != fig.nodes)
            fail("drawing made the wrong number of nodes");
    }
    fig.grid = median(t);

    // Open, save and generate through the window.
    std::vector<double> tOpen, tSave, tGenerate;
    QByteArray analysis;
    for (int r = 0; r < runs; ++r) {
        MainWindow w;
        double start = nowMs();
        if (!w.readProjectFile(project))
            fail("the window did not open the project");
        tOpen.push_back(nowMs() - start);
        if (w.getBars().size() != fig.members)
            fail("the window holds the wrong number of members");

        start = nowMs();
        if (!w.writeProjectFile(saved))
            fail("the window did not save");
        tSave.push_back(nowMs() - start);

        start = nowMs();
        if (!w.writeAnalysisFile(generated))
            fail("the window did not generate");
        tGenerate.push_back(nowMs() - start);

        if (readAll(saved) != projectBytes)
            fail("saving changed the project");
        if (r == 0)
            analysis = readAll(generated);
        else if (readAll(generated) != analysis)
            fail("generating twice gave different files");
    }
    fig.open = median(tOpen);
    fig.save = median(tSave);
    fig.generate = median(tGenerate);
    fig.analysisBytes = analysis.size();

    // --generate, from process start to exit.
    std::vector<double> tBatch, mBatch;
    for (int r = 0; r < runs; ++r) {
        const ChildResult c = runChild(self, measured, {gui, QStringLiteral("--generate"), project, batchOut});
        if (c.status != 0)
            fail("--generate failed");
        tBatch.push_back(c.ms);
        mBatch.push_back(c.maxRssKb / 1024.0);
        if (readAll(batchOut) != analysis)
            fail("--generate wrote something else than the window");
    }
    fig.batch = median(tBatch);
    fig.batchMemMb = median(mBatch);

    // Peak memory of the window path.
    {
        const ChildResult c = runChild(self, measured, {self, QStringLiteral("--child-window"), project, saved, generated});
        if (c.status != 0)
            fail("the window child failed");
        fig.windowMemMb = c.maxRssKb / 1024.0;
    }

    // The fprintf floor, through a buffered FILE like any writer would use.
    std::vector<double> tFloor;
    for (int r = 0; r < runs; ++r) {
        const double start = nowMs();
        std::FILE *f = std::fopen(QFile::encodeName(floorOut).constData(), "w");
        if (!f)
            fail("cannot write the floor file");
        writeFloor(f, model, analysis);
        std::fclose(f);
        tFloor.push_back(nowMs() - start);
    }
    fig.floor = median(tFloor);
    if (readAll(floorOut) != analysis)
        fail("the fprintf floor does not write the same bytes as the analysis file");
    return fig;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 4 && !std::strcmp(argv[1], "--measure"))
        return measureMain(argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    if (argc == 5 && !std::strcmp(argv[1], "--child-window")) {
        QApplication app(argc, argv);
        return childWindow(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                           QString::fromLocal8Bit(argv[4]));
    }

    QApplication app(argc, argv);
    const BenchModel::Options options =
        BenchModel::parseOptions(app.arguments(), 5, {11, 41, 101}, 2, "bench_scale");
    if (!options.ok)
        return 2;
    const int runs = options.runs;
    const QList<int> sizes = options.sizes;
    const QString dir = options.dir;
    const QString self = QCoreApplication::applicationFilePath();
    const QString gui = QCoreApplication::applicationDirPath() + QStringLiteral("/taliskor2d-gui");
    if (!QFile::exists(gui))
        fail("taliskor2d-gui is not beside bench_scale");

    std::printf("Median of %d runs (ms); memory is peak resident set (MB).\n\n", runs);
    std::printf("| grid | nodes | members | .kfp bytes | .txt bytes | draw grid | open | save | generate | "
                "fprintf floor | --generate | --generate mem | window mem |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    for (int n : sizes) {
        const Figures f = measure(n, runs, dir, self, gui);
        std::printf("| %d x %d | %d | %d | %lld | %lld | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f |\n",
                    n, n, f.nodes, f.members, f.projectBytes, f.analysisBytes, f.grid, f.open, f.save,
                    f.generate, f.floor, f.batch, f.batchMemMb, f.windowMemMb);
        std::fflush(stdout);
    }
    if (options.keep)
        std::printf("\nFiles kept in %s\n", qPrintable(dir));
    return 0;
}
