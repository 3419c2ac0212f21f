#include "analysiswriter.h"

#include "member.h"
#include "outputfile.h"
#include "numbertext.h"
#include "tabline.h"
#include "projectdata.h"
#include "recordlayout.h"

#include <QDir>
#include <QLocale>
#include <QStringConverter>
#include <QTextStream>

#include <algorithm>

namespace {

using Line = TabLine;

// Lists edited in separate tables may come out of step; a missing value is 0.
double at(const QList<double> &list, qsizetype i)
{
    return i < list.size() ? list.at(i) : 0.0;
}

// The writing side of the shared record layouts: fields joined by single
// tabs, each line closed by its comment.
class Out : public TabLine
{
public:
    static constexpr bool reading = false;

    using TabLine::TabLine;

    void zero(double) { i(0); }
    void index(int k) { i(k); }
};

// ---------------------------------------------------------------- header

void writeHeader(QTextStream &out, const ProjectData &data)
{
    out << "Project by Gui for Taliskor2D\n";

    Out io(out);
    RecordLayout::controlLines(io, data.a, data.b, data.c, data.d, data.e);

    if (data.a[4] == 4) {
        Line line(out);
        for (qsizetype k = 0; k < data.dampList.size(); ++k)
            line.i(int(k + 1)).d(data.dampList.at(k));
        line.end("\t\t\t\t\t\t\t! user specified modal damping parameters\n");
    } else {
        out << '\n';
    }
}

// ------------------------------------------------- NODES, DRIFT, ELEMENTS

void writeNodes(QTextStream &out, const ProjectData &data)
{
    out << "NODES\t" << data.nodesIOut << '\n';
    for (const NodeData &n : data.nodes)
        AnalysisWriter::writeNode(out, n);
    out << '\n';
}

void writeDrift(QTextStream &out, const ProjectData &data)
{
    if (data.drift == QLatin1String("None"))
        return;
    out << "DRIFT\tA\n";
    for (qsizetype k = 0; k < data.driftIds.size(); ++k) {
        if (k > 0)
            out << '\t';
        out << data.driftIds.at(k);
    }
    out << "\n\n";
}

void writeElements(QTextStream &out, const ProjectData &data)
{
    out << "ELEMENTS\t" << data.elementsIOut << '\n';
    for (const BarData &b : data.bars)
        AnalysisWriter::writeElement(out, b);
    out << '\n';
}

// ------------------------------------------------------------------ PROPS

void writeProps(QTextStream &out, const ProjectData &data, const std::function<void(qsizetype)> &beforeType)
{
    const int ictype = data.a[4];
    out << "PROPS\n";
    const qsizetype count = data.memberTypes.size();
    for (qsizetype k = 0; k < count; ++k) {
        if (beforeType)
            beforeType(k);
        if (const Member *m = data.memberTypes.at(k))
            AnalysisWriter::writeType(out, *m, k + 1, ictype);
        if (k + 1 < count)
            out << '\n';
    }
    out << '\n';
}

// ------------------------------------------ WEIGHTS, LOADS, SHAPE, EQUAKE

void writeTriples(QTextStream &out, const QList<double> &first, const QList<double> &second,
                  const QList<double> &third)
{
    for (qsizetype i = 0; i < first.size(); ++i)
        Line(out).i(int(i + 1)).d(first.at(i)).d(at(second, i)).d(at(third, i)).end();
}

void writeShape(QTextStream &out, const ProjectData &data)
{
    if (!data.shapeEnabled)
        return;
    out << '\n';
    if (data.showAlpha)
        out << "SHAPE\t" << data.alpha << '\n';
    else
        out << "SHAPE\n";
    // Rows run over the nodes once per load component.
    const qsizetype nodeCount = data.nodes.size();
    qsizetype j = 0;
    for (qsizetype i = 0; i < data.shapeFx.size(); ++i) {
        if (j == nodeCount)
            j = 0;
        Line(out).i(int(j + 1)).d(data.shapeFx.at(i)).d(at(data.shapeFy, i)).d(at(data.shapeFm, i)).end();
        ++j;
    }
}

void writeQuake(QTextStream &out, const ProjectData &data)
{
    out << '\n';
    out << "EQUAKE\t" << data.quakeFile << '\n';
    Out io(out);
    RecordLayout::quakeValues(io, data.quakeA, data.quakeB);
}

} // namespace

namespace AnalysisWriter {

void write(QTextStream &out, const ProjectData &data)
{
    const DefaultNumberFormat guard(out);
    for (int s = 0; s < SectionCount; ++s)
        writeSection(out, data, Section(s));
}

void writeSection(QTextStream &out, const ProjectData &data, Section section,
                  const std::function<void(qsizetype)> &beforeType)
{
    const DefaultNumberFormat guard(out);
    switch (section) {
    case Header: writeHeader(out, data); break;
    case Nodes: writeNodes(out, data); break;
    case Drift: writeDrift(out, data); break;
    case Elements: writeElements(out, data); break;
    case Props: writeProps(out, data, beforeType); break;
    case Weights:
        out << "WEIGHTS\n";
        writeTriples(out, data.wx, data.wy, data.wd);
        out << '\n';
        break;
    case Loads:
        out << "LOADS\n";
        writeTriples(out, data.fx, data.fy, data.fm);
        break;
    case Shape: writeShape(out, data); break;
    case Quake: writeQuake(out, data); break;
    }
}

void writeNode(QTextStream &out, const NodeData &n)
{
    Line(out).i(n.id).d(n.x).d(n.y).i(n.nf1).i(n.nf2).i(n.nf3).i(n.kup1).i(n.kup2).i(n.kup3).i(n.iout).end();
}

void writeElement(QTextStream &out, const BarData &b)
{
    // The analysis program wants the end nodes in ascending order,
    // whichever way the member was drawn.
    Line(out).i(b.id).i(b.mTypeId).i(std::min(b.source, b.dest)).i(std::max(b.source, b.dest))
        .i(b.node3).i(b.node4).i(b.iout).end();
}

// The type's number is its place in the list, whatever the record says.
void writeType(QTextStream &out, const Member &m, qsizetype number, int ictype)
{
    static const char *const keywords[] = {"\tFRAME\t", "\tSPRING\t", "\tWALL\t",
                                           "\tDAMPER\t", "\tMULTISPRING\t", "\tREINFORCED\t"};
    const int type = m.getType();
    if (type < Member::FRAME || type > Member::REINFORCED)
        return;
    out << number << keywords[type] << m.getLabel() << '\n';
    Out io(out);
    RecordLayout::memberBody(io, m, ictype);
}

bool writeFile(const QString &fileName, const ProjectData &data, QString *error)
{
    return OutputFile::write(fileName, [&](QTextStream &out) {
        out.setEncoding(QStringConverter::System);
        write(out, data);
    }, error);
}

} // namespace AnalysisWriter
