#ifndef ANALYSISREADER_H
#define ANALYSISREADER_H

// Importer of a Taliskor2D analysis input file, written by "Generate File"
// or by hand: it makes a model of it. QtCore only.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ProjectData;

namespace AnalysisReader {

// Reads and checks the whole text; on success fills `out` with a fresh model
// (the grid rebuilt from the nodes' coordinates, the nodes numbered row by row
// from the lowest line, every reference following them) and returns true. On
// failure returns false, leaves `out` untouched and sets *error to
// "Line <n>: <why>". On success *warnings lists, as "Line <n>: <what>", what
// was taken as written although Generate will write it otherwise.
bool read(const QByteArray &content, ProjectData &out, QString *error = nullptr, QStringList *warnings = nullptr);
bool readFile(const QString &fileName, ProjectData &out, QString *error = nullptr, QStringList *warnings = nullptr);

} // namespace AnalysisReader

#endif // ANALYSISREADER_H
