#ifndef ANALYSISWRITER_H
#define ANALYSISWRITER_H

// Writer of the Taliskor2D analysis input file ("Generate File").
// QtCore only: it reads plain model data and never touches a widget.

#include <QString>

#include <functional>

class Member;
class QTextStream;
struct BarData;
struct NodeData;
struct ProjectData;

namespace AnalysisWriter {

// Writes the whole file (title, control lines 2-6, NODES, DRIFT, ELEMENTS,
// PROPS, WEIGHTS, LOADS, SHAPE, EQUAKE).
void write(QTextStream &out, const ProjectData &data);

// The file's parts in order; write() is exactly their concatenation, so a
// view can rewrite one part alone. Each part holds whole lines and carries
// the blank line that follows it (SHAPE and EQUAKE the one before them).
enum Section { Header, Nodes, Drift, Elements, Props, Weights, Loads, Shape, Quake };
constexpr int SectionCount = Quake + 1;

// One part; nothing for DRIFT and SHAPE when the model leaves them out.
// beforeType, when given, is called with the type's place (from 0) just before
// each PROPS block is written.
void writeSection(QTextStream &out, const ProjectData &data, Section section,
                  const std::function<void(qsizetype)> &beforeType = {});

// Single records, as their parts write them. The stream must be in the file's
// number format (DefaultNumberFormat in tabline.h).
void writeNode(QTextStream &out, const NodeData &node);
void writeElement(QTextStream &out, const BarData &bar);
// A PROPS block; number is the type's place from 1, ictype the control's a[4].
void writeType(QTextStream &out, const Member &type, qsizetype number, int ictype);

// Writes through OutputFile::write (atomic for regular files, in place for
// pipes and devices, "-" for standard output); on failure returns false, sets
// *error to a human-readable reason and leaves an existing file untouched.
bool writeFile(const QString &fileName, const ProjectData &data, QString *error = nullptr);

} // namespace AnalysisWriter

#endif // ANALYSISWRITER_H
