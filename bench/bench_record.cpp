// Time of reading a 60,000-sample FREE record from its file and computing its
// 200-period response spectrum at one damping (no window).
#include "earthquakerecord.h"
#include "responsespectrum.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Runs (default 9)."), QStringLiteral("n"),
                                  QStringLiteral("9"));
    const QCommandLineOption samples(QStringLiteral("samples"), QStringLiteral("Samples (default 60000)."),
                                     QStringLiteral("n"), QStringLiteral("60000"));
    parser.addOptions({runs, samples});
    parser.process(app);
    const int n = parser.value(samples).toInt();
    const int count = std::max(1, parser.value(runs).toInt());

    // Eight samples a line in cm/s², as a strong-motion file holds them.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("record.txt"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 2;
        char cell[32];
        for (int i = 0; i < n; ++i) {
            const double t = i * 0.005;
            std::snprintf(cell, sizeof cell, "%.6e%c", 300.0 * std::sin(7.0 * t) * std::exp(-0.02 * t),
                          i % 8 == 7 ? '\n' : ' ');
            f.write(cell);
        }
    }
    EarthquakeRecord::Options o;
    o.iberg = EarthquakeRecord::Free;
    o.deltat = 0.005;
    o.ascale = 981.0;
    o.end = -1.0;
    o.time = 300.0;

    std::vector<double> readMs, spectrumMs;
    double peak = 0.0;
    for (int run = 0; run < count; ++run) {
        QElapsedTimer t;
        t.start();
        EarthquakeRecord::Record r;
        QString error;
        if (!EarthquakeRecord::readFile(path, o, r, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
        readMs.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        const auto points = ResponseSpectrum::compute(r.g, r.interval, 0.05, 9.81);
        spectrumMs.push_back(t.nsecsElapsed() / 1e6);
        peak = std::max_element(points.begin(), points.end(), [](const auto &a, const auto &b) { return a.sa < b.sa; })->sa;
    }
    std::sort(readMs.begin(), readMs.end());
    std::sort(spectrumMs.begin(), spectrumMs.end());
    std::printf("samples\tread median ms\tread max ms\tspectrum median ms\tspectrum max ms\tpeak Sa g\n");
    std::printf("%d\t%.1f\t%.1f\t%.1f\t%.1f\t%.4f\n", n, readMs[readMs.size() / 2], readMs.back(),
                spectrumMs[spectrumMs.size() / 2], spectrumMs.back(), peak);
    return 0;
}
