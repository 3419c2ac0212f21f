#ifndef ANALYSISWRITER_H
#define ANALYSISWRITER_H

// Writer of the Taliskor2D analysis input file ("Generate File").
// QtCore only: it reads plain model data and never touches a widget.

#include <QString>

class QTextStream;
struct ProjectData;

namespace AnalysisWriter {

// Writes the whole file (title, control lines 2-6, NODES, DRIFT, ELEMENTS,
// PROPS, WEIGHTS, LOADS, SHAPE, EQUAKE).
void write(QTextStream &out, const ProjectData &data);

// Writes through OutputFile::write (atomic for regular files, in place for
// pipes and devices, "-" for standard output); on failure returns false, sets
// *error to a human-readable reason and leaves an existing file untouched.
bool writeFile(const QString &fileName, const ProjectData &data, QString *error = nullptr);

} // namespace AnalysisWriter

#endif // ANALYSISWRITER_H
