#ifndef PROJECTFILE_H
#define PROJECTFILE_H

// The project file (*.kfp): a fixed sequence of tab-separated records that
// keeps the whole model between runs. QtCore only, so it can be tested and
// used without a display.

#include <QByteArray>
#include <QString>

class QTextStream;
struct ProjectData;

namespace ProjectFile {

// Writes every record of the project to `out`, one line per record line.
// The stream's number settings are set to the defaults while writing and
// restored afterwards.
void write(QTextStream &out, const ProjectData &data);

// Writes the project through OutputFile::write: an existing regular file is
// replaced only when the whole new content has been written. On failure returns false,
// leaves any existing file as it was and sets *error to the reason.
bool writeFile(const QString &fileName, const ProjectData &data, QString *error = nullptr);

// Reads and checks the whole text; on success fills `out` (a fresh
// ProjectData, with nodes, drift ids and counts rebuilt from the grid) and
// returns true. On failure returns false, leaves `out` untouched and sets
// *error to "Line <n>: <why>"; readFile says so when the file looks like an
// analysis input file instead.
bool read(const QByteArray &content, ProjectData &out, QString *error = nullptr);
bool readFile(const QString &fileName, ProjectData &out, QString *error = nullptr);

} // namespace ProjectFile

#endif // PROJECTFILE_H
