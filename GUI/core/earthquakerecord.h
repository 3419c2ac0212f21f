#ifndef EARTHQUAKERECORD_H
#define EARTHQUAKERECORD_H

// The earthquake record as the analysis will read it: the samples of the file
// the earthquake options name, with their interval, scales and END applied.
// Only the formats whose layout is known are read (FREE and PEER); the
// others are refused by name rather than guessed at. Qt Core only.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

struct ControlSettings;
struct QuakeSettings;

namespace EarthquakeRecord {

enum Format { Berg = 0, Caltech = 1, Nceer = 2, Free = 3, Csmip = 4, Excel = 5, Peer = 6, Sac = 7 };

// What reading needs of the earthquake and control options.
struct Options {
    int iberg = Free;
    int istart = 0;
    double deltat = 0.0, ascale = 0.0, end = 0.0, tscale = 0.0;
    double time = 0.0, factor = 1.0;   // TIME and FACTOR of the control options
    Options() = default;
    Options(const QuakeSettings &q, const ControlSettings &c);
    bool operator==(const Options &o) const;
};

struct Record {
    std::vector<double> g;      // acceleration in g, sample i at i * interval
    double interval = 0.0;      // s, after TSCALE
    double lastRead = 0.0;      // time of the last sample the file gave, before END
    double headerDt = 0.0;      // PEER: the DT of the header (0 for FREE)
    bool ascaleZero = false;
    QStringList notes;          // what the preview should say beside the plot
};

// "BERG" ... "SAC"; empty for a code without a name.
QString formatName(int iberg);

// The stored name, a relative one resolved against the project file's folder
// (the current folder when the model has no file yet).
QString resolve(const QString &name, const QString &projectFile);

// The name to store for a file chosen by the user: relative to the project
// file's folder when the file lies under it, else its absolute path.
QString storedName(const QString &chosen, const QString &projectFile);

// Samples of a record's text. False with the reason ("Line 7: ...") on failure.
bool parse(const QByteArray &text, const Options &o, Record &out, QString *error);

// Reads the file `path`; the reason of a failure is the system's or parse()'s.
bool readFile(const QString &path, const Options &o, Record &out, QString *error);

// "DT in the record is 0.005, DELTAT is 0.01", or empty when they agree or
// one of them is not given.
QString intervalMismatch(double headerDt, double deltat);

// The figures shown beside the plot.
struct Summary {
    double duration = 0.0;      // time of the last sample
    double pga = 0.0;           // g, absolute
    double pgaTime = 0.0;
    double arias = 0.0;         // model length units per s
    double significant = 0.0;   // 5-95 % duration, s
};
Summary summarize(const Record &r, double grav);

// "time_s,acceleration_g" and one line per sample.
QByteArray csv(const Record &r);

} // namespace EarthquakeRecord

#endif // EARTHQUAKERECORD_H
