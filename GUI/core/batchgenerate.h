#ifndef BATCHGENERATE_H
#define BATCHGENERATE_H

#include <QString>

class QTextStream;

namespace BatchGenerate {

enum ExitCode { Success = 0, Incomplete = 1, Failed = 2 };

// Reads a project and writes its analysis input file, exactly as opening the
// project in the window and generating would. Messages go to `err`. An output
// that is the project file itself is refused (Failed); "-" is standard output.
int run(const QString &projectFile, const QString &outputFile, QTextStream &err);

// Reads a project and lists its problems on `out`, one a line, then a summary
// line. Success when there are none, Incomplete when there are, Failed when the
// project cannot be read.
int check(const QString &projectFile, QTextStream &out, QTextStream &err);

// Imports an analysis input file and saves the model as a project. Failed
// when the input is refused or the project cannot be written (an output that
// is the input itself included); "-" is standard output. What the import took
// as written but Generate will write otherwise goes to `err` as "warning: ...".
int importAnalysis(const QString &analysisFile, const QString &projectFile, QTextStream &err);

// Print the project's earthquake record as the analysis reads it
// ("time_s,acceleration_g") or its response spectrum at `dampingPercent`
// ("period_s,sa_g") on `out`. Failed when the project or the record cannot
// be read, the file and the reason on `err`.
int printRecord(const QString &projectFile, QTextStream &out, QTextStream &err);
int printSpectrum(const QString &projectFile, double dampingPercent, QTextStream &out, QTextStream &err);

// Flushes `out` and returns `status`, or Failed with the system's reason on
// `err` when standard output could not take it all (a reader gone: "Broken pipe").
int finishOutput(QTextStream &out, QTextStream &err, int status);

} // namespace BatchGenerate

#endif // BATCHGENERATE_H
