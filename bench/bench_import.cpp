// Time of importing the analysis input file of the synthetic frames of
// benchmodel.h, written by AnalysisWriter::writeFile: AnalysisReader::readFile
// (no window), then the model made of it, checked to generate the very same bytes.
#include "analysisreader.h"
#include "analysiswriter.h"
#include "benchmodel.h"
#include "projectmodel.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <vector>

namespace {

QByteArray generated(const ProjectData &data)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    AnalysisWriter::write(out, data);
    out.flush();
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const BenchModel::Options options =
        BenchModel::parseOptions(app.arguments(), 9, {11, 41, 101}, 4, "bench_import");
    if (!options.ok)
        return 2;
    std::printf("size\tnodes\tmembers\tfile bytes\timport median ms\tmax ms\tto the model ms\n");
    for (int n : options.sizes) {
        const ProjectData frame = BenchModel::makeFrame(n);
        const QByteArray file = generated(frame);
        const QString path = QDir(options.dir).filePath(QStringLiteral("frame-%1.txt").arg(n));
        QString error;
        if (!AnalysisWriter::writeFile(path, frame, &error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
        std::vector<double> times, model;
        for (int run = 0; run < options.runs; ++run) {
            ProjectData data;
            const double start = BenchModel::nowMs();
            if (!AnalysisReader::readFile(path, data, &error)) {
                std::fprintf(stderr, "refused: %s\n", qPrintable(error));
                return 1;
            }
            const double read = BenchModel::nowMs();
            const ModelData made = ProjectModel::fromProjectData(data);
            times.push_back(read - start);
            model.push_back(BenchModel::nowMs() - read);
            if (run == 0) {
                ProjectModel check;
                check.resetData(made);
                if (generated(check.projectData()) != file) {
                    std::fprintf(stderr, "the imported model generates other bytes\n");
                    return 1;
                }
            }
        }
        std::sort(times.begin(), times.end());
        std::printf("%d x %d\t%lld\t%lld\t%lld\t%.1f\t%.1f\t%.1f\n", n, n, qlonglong(frame.nodes.size()),
                    qlonglong(frame.bars.size()), qlonglong(file.size()), BenchModel::median(times), times.back(),
                    BenchModel::median(model));
    }
    return 0;
}
