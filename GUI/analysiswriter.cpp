#include "analysiswriter.h"

#include "member.h"
#include "outputfile.h"
#include "numbertext.h"
#include "tabline.h"
#include "projectdata.h"

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

bool materialDamping(int ictype)
{
    return ictype == 5 || ictype == 7;
}

// ---------------------------------------------------------------- header

void writeHeader(QTextStream &out, const ProjectData &data)
{
    out << "Project by Gui for Taliskor2D\n";

    Line(out).ints(data.a, 0, 10).end("\t\t\t\t\t\t\t! principal analysis options\n");
    Line(out).ints(data.b, 0, 5).doubles(data.c, 0, 5).end("\t\t\t\t\t\t! frame control parameters\n");
    Line(out).ints(data.b, 6, 9).doubles(data.c, 6, 9).ints(data.b, 10, 13)
        .end("\t\t\t\t\t\t! output intervals and plotting control parameters\n");
    Line(out).ints(data.d, 0, 1).doubles(data.e, 0, 5).i(data.d[2]).doubles(data.e, 6, 7)
        .end("\t\t\t\t\t\t\t! iteration control and wave velocities\n");

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

void writeGeometry(QTextStream &out, const ProjectData &data)
{
    out << "NODES\t" << data.nodesIOut << '\n';
    for (const NodeData &n : data.nodes) {
        Line(out).i(n.id).d(n.x).d(n.y).i(n.nf1).i(n.nf2).i(n.nf3)
            .i(n.kup1).i(n.kup2).i(n.kup3).i(n.iout).end();
    }
    out << '\n';

    if (data.drift != QLatin1String("None")) {
        out << "DRIFT\tA\n";
        for (qsizetype k = 0; k < data.driftIds.size(); ++k) {
            if (k > 0)
                out << '\t';
            out << data.driftIds.at(k);
        }
        out << "\n\n";
    }

    out << "ELEMENTS\t" << data.elementsIOut << '\n';
    for (const BarData &b : data.bars) {
        // The analysis program wants the end nodes in ascending order,
        // whichever way the member was drawn.
        Line(out).i(b.id).i(b.mTypeId).i(std::min(b.source, b.dest)).i(std::max(b.source, b.dest))
            .i(b.node3).i(b.node4).i(b.iout).end();
    }
    out << '\n';
}

// ------------------------------------------------------ shared PROPS lines

void writeMaterialDamping(QTextStream &out, const Member &m, int ictype)
{
    if (materialDamping(ictype))
        Line(out).doubles(m.getFrameIC(), 0, 2).end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! material specific damping\n");
}

void writeDegradation(QTextStream &out, const double *deg, int ilos, const char *comment14,
                      const char *comment13)
{
    if (ilos >= 1 && ilos <= 3)
        Line(out).doubles(deg, 0, 3).end(comment14);
    else if (ilos >= 4)
        Line(out).doubles(deg, 0, 4).end(comment13);
}

void writeStrengthDegradation(QTextStream &out, const Member &m, int ilos)
{
    writeDegradation(out, m.getFrameDeg(), ilos,
                     "\t\t\t\t\t\t\t\t\t\t\t\t\t\t! strength degradation parameters\n",
                     "\t\t\t\t\t\t\t\t\t\t\t\t\t! strength degradation parameters\n");
}

void writeRule5(QTextStream &out, const Member &m)
{
    const double *a = m.getihyst5A();
    const int *b = m.getihyst5B();
    Line(out).d(a[0]).d(a[1]).i(b[0]).doubles(a, 2, 4).i(b[1])
        .end("\t\t\t\t\t\t\t\t\t\t\t! bilinear with slackness hysteresis\n");
}

void writeRule35(QTextStream &out, const Member &m)
{
    Line(out).doubles(m.getihyst35(), 0, 2)
        .end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! degrading bilinear with gap hysteresis\n");
}

void writeRule39(QTextStream &out, const Member &m)
{
    Line(out).doubles(m.getihyst39(), 0, 3).end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t! dodd-restrepo steel hysteresis\n");
}

void writeRule63(QTextStream &out, const Member &m)
{
    Line(out).doubles(m.getihyst63(), 0, 1)
        .end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! bilinear elastic with gap hysteresis\n");
}

// Rules FRAME and SPRING share; false when the rule writes no line here.
bool writeCommonRule(QTextStream &out, const Member &m, int ihyst)
{
    switch (ihyst) {
    case 4:
        Line(out).doubles(m.getTakeda(), 0, 2).i(m.getTakKKK())
            .end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t! modified takeda degrading stiffness hysteresis\n");
        return true;
    case 5:
        writeRule5(out, m);
        return true;
    case 8:
        Line(out).doubles(m.getSina(), 0, 4).end("\t\t\t\t\t\t\t\t\t\t\t\t\t! sina degrading stiffness hysteresis\n");
        return true;
    case 32:
        Line(out).doubles(m.getmBilinear(), 0, 1)
            .end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! modified bilinear rule hysteresis\n");
        return true;
    case 35:
        writeRule35(out, m);
        return true;
    case 39:
        writeRule39(out, m);
        return true;
    case 56: {
        const double *p = m.getihyst56();
        Line(out).doubles(p, 0, 8).i(m.getihyst56IOP()).doubles(p, 9, 10)
            .end("\t\t\t\t\t\t! modified sina hysteresis\n");
        return true;
    }
    case 57: {
        const double *p = m.getihyst57();
        Line(out).doubles(p, 0, 6).i(m.getihyst57IOP()).doubles(p, 7, 8)
            .end("\t\t\t\t\t\t\t\t! revised takeda hysteresis\n");
        return true;
    }
    case 63:
        writeRule63(out, m);
        return true;
    default:
        return false;
    }
}

// ------------------------------------------------------------ FRAME block

void writeFrame(QTextStream &out, const Member &m, int ictype)
{
    const int *A = m.getFrameA();
    if (!A)
        return;
    const int itype = A[0], icond = A[2], ihyst = A[3], ilos = A[4], iga = A[7];
    const int iend = m.getFrameIEnd();

    Line(out).ints(A, 0, 8).end("\t\t\t\t\t\t\t\t\t! basic section properties\n");
    Line(out).doubles(m.getFrameB(), 0, 9).end("\t\t\t\t\t\t\t! elastic section properties\n");
    if (ihyst != 0) {
        Line(out).doubles(m.getFrameC(), 0, 3)
            .end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t! member bi-linear factors and hinge properties\n");
    }
    writeMaterialDamping(out, m, ictype);
    if (icond == 1) {
        Line(out).doubles(m.getFrameE(), 0, 5).i(m.getFrameIOP())
            .end("\t\t\t\t\t\t\t\t\t\t\t! member initial fixed end forces\n");
    }

    if (ihyst != 0) {
        switch (itype) {
        case 1:
            Line(out).doubles(m.getFrameF(), 0, 5).end("\t\t\t\t\t\t\t\t\t\t\t\t! beam yield conditions\n");
            break;
        case 2:
            Line(out).doubles(m.getFrameG(), 0, 6).i(iend)
                .end("\t\t\t\t\t\t\t\t\t\t! concrete beam-column yield surface at end 1 of member\n");
            if (iend == 1) {
                Line(out).doubles(m.getFrameG2(), 0, 6)
                    .end("\t\t\t\t\t\t\t\t\t\t\t! concrete beam-column yield surface at end 2 of member\n");
            }
            break;
        case 3:
            Line(out).doubles(m.getFrameH(), 0, 6).i(iend)
                .end("\t\t\t\t\t\t\t\t\t\t! steel beam-column yield surface at end 1 of member\n");
            if (iend == 1) {
                Line(out).doubles(m.getFrameH2(), 0, 6)
                    .end("\t\t\t\t\t\t\t\t\t\t\t! steel beam-column yield surface at end 2 of member\n");
            }
            break;
        case 4:
            Line(out).doubles(m.getFrameI(), 0, 5).i(iend)
                .end("\t\t\t\t\t\t\t\t\t\t\t! quadratic beam-column yield surface at end 1 of member\n");
            if (iend == 1) {
                Line(out).doubles(m.getFrameI2(), 0, 5)
                    .end("\t\t\t\t\t\t\t\t\t\t\t\t! quadratic beam-column yield surface at end 2 of member\n");
            }
            break;
        case 8:
            Line(out).doubles(m.getFrameII(), 0, 7).i(iend)
                .end("\t\t\t\t\t\t\t\t\t! asymmetric quadratic beam-column yield surface at end 1 of member\n");
            if (iend == 1) {
                Line(out).doubles(m.getFrameII2(), 0, 7)
                    .end("\t\t\t\t\t\t\t\t\t\t! asymmetric quadratic beam-column yield surface at end 2 of member\n");
            }
            break;
        default:
            break;
        }
    }

    if (iga == 1) {
        Line(out).doubles(m.getFrameJ(), 0, 10).i(m.getFrameJIDO())
            .end("\t\t\t\t\t\t! in-elastic shear parameters\n");
    } else if (iga == 2) {
        Line(out).doubles(m.getFrameK(), 0, 4)
            .end("\t\t\t\t\t\t\t\t\t\t\t\t\t! in-elastic flange shear-link parameters\n");
    }

    if (ilos > 0)
        writeStrengthDegradation(out, m, ilos);

    if (ihyst == 31) {
        Line(out).doubles(m.getmSina(), 0, 2)
            .end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! modified sina model hysteresis\n");
    } else {
        writeCommonRule(out, m, ihyst);
    }
}

// ----------------------------------------------------------- SPRING block

void writeSpring(QTextStream &out, const Member &m, int ictype)
{
    const int *A1 = m.getSpringA1();
    const double *A2 = m.getSpringA2();
    if (!A1 || !A2)
        return;
    const int itype = A1[0], ihyst = A1[1], ilos = A1[2];

    Line(out).ints(A1, 0, 3).doubles(A2, 0, 9).ints(A1, 4, 5).d(A2[10]).end("\t! basic section properties\n");
    writeMaterialDamping(out, m, ictype);

    const bool yieldSurface = ihyst != 0 && ihyst != 18 && ihyst != 19 && ihyst != 33 && ihyst != 37;
    if (yieldSurface) {
        switch (itype) {
        case 1:
            Line(out).doubles(m.getSpringC(), 0, 5).end("\t\t\t\t\t\t\t\t\t\t\t\t! yield surface ITYPE = 1\n");
            break;
        case 2:
            Line(out).doubles(m.getSpringD(), 0, 9).end("\t\t\t\t\t\t\t\t! yield surface ITYPE = 2\n");
            break;
        case 3:
            Line(out).doubles(m.getSpringE(), 0, 13).i(m.springI).end("\t\t\t! yield surface ITYPE = 3\n");
            break;
        case 4:
            Line(out).doubles(m.getSpringF(), 0, 8).end("\t\t\t\t\t\t\t\t\t! yield surface ITYPE = 4\n");
            break;
        case 5:
            Line(out).doubles(m.getSpringG(), 0, 1).i(m.springIOP)
                .end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! yield surface ITYPE = 5\n");
            break;
        default:
            break;
        }
    }

    if (ilos > 0)
        writeStrengthDegradation(out, m, ilos);

    if (ihyst == 53) {
        const int *a = m.getihyst53A();
        const double *b = m.getihyst53B();
        Line line(out);
        line.ints(a, 0, 1);
        if (a[1] == 1) {
            line.doubles(b, 0, 7).end("\t\t\t\t\t\t\t\t! dhakal steel hysteresis\n");
        } else {
            // Without the buckling option the last two values are placeholders.
            line.doubles(b, 0, 5).i(0).i(0).end("\t\t\t\t\t\t\t\t\t\t! dhakal steel hysteresis\n");
        }
    } else {
        writeCommonRule(out, m, ihyst);
    }
}

// ------------------------------------------------------------- WALL block

void writeWall(QTextStream &out, const Member &m, int ictype)
{
    const int *A1 = m.getWallA1();
    if (!A1)
        return;
    const int nsect = A1[0], nip = A1[1], icond = A1[2], ihyst = A1[3];

    if (nsect == 2) {
        Line(out).ints(A1, 0, 3).doubles(m.getWallA2(), 0, 4).end("\t\t\t\t\t\t\t\t\t! basic section properties\n");
    } else {
        Line(out).ints(A1, 0, 3).doubles(m.getWallA2(), 0, 2)
            .end("\t\t\t\t\t\t\t\t\t\t\t! basic section properties\n");
    }
    if (ihyst == 2) {
        Line(out).doubles(m.getWallB(), 0, 8).end("\t\t\t\t\t\t\t\t\t! concrete and steel properties\n");
    } else {
        Line(out).doubles(m.getWallB(), 0, 7).end("\t\t\t\t\t\t\t\t\t\t! concrete and steel properties\n");
    }
    writeMaterialDamping(out, m, ictype);

    if (icond == 0) {
        Line(out).doubles(m.getWallD(), 0, 10).end("\t\t\t\t\t\t\t! input for standard wall section\n");
    } else if (icond == 1) {
        const QList<double> &xi = *m.getWallXI();
        const QList<double> &asi = *m.getWallASI();
        const QList<double> &aci = *m.getWallACI();
        for (int k = 1; k <= nip; ++k) {
            Line(out).i(k).d(at(xi, k - 1)).d(at(asi, k - 1)).d(at(aci, k - 1))
                .end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t! input for numerical wall section\n");
        }
    }
}

// ----------------------------------------------------------- DAMPER block

void writeDamper(QTextStream &out, const Member &m)
{
    const int *A1 = m.getDamperA1();
    const double *A2 = m.getDamperA2();
    if (!A1 || !A2)
        return;
    const int itype = A1[0];

    Line line(out);
    line.i(itype).doubles(A2, 0, 4);
    if (itype > 0)
        line.d(A2[5]);
    if (itype > 1)
        line.doubles(A2, 6, 9);
    line.d(A2[10]).i(A1[1]).d(A2[11]).end();

    Line(out).doubles(m.getDamperB(), 0, 5).end();
}

// ------------------------------------------------------ MULTISPRING block

void writeMultiSpring(QTextStream &out, const Member &m, int ictype)
{
    const int *A1 = m.getMultiSpringA1();
    if (!A1)
        return;
    const int ihyst = A1[0], ilos = A1[1], klos = A1[2];

    Line(out).ints(A1, 0, 3).doubles(m.getMultiSpringA2(), 0, 3).end("\t\t\t\t\t\t\t\t\t\t! control parameters\n");
    Line(out).ints(m.getMultiSpringB1(), 0, 1).doubles(m.getMultiSpringB2(), 0, 7)
        .end("\t\t\t\t\t\t\t\t! section properties\n");
    writeDegradation(out, m.getFrameDeg(), ilos,
                     "\t\t\t\t\t\t\t\t\t\t\t\t\t\t! longitudinal strength degradation parameters\n",
                     "\t\t\t\t\t\t\t\t\t\t\t\t\t! longitudinal strength degradation parameters\n");
    writeDegradation(out, m.getMultiSpringKLOS(), klos,
                     "\t\t\t\t\t\t\t\t\t\t\t\t\t\t! shear strength degradation parameters\n",
                     "\t\t\t\t\t\t\t\t\t\t\t\t\t! shear strength degradation parameters\n");
    writeMaterialDamping(out, m, ictype);

    // This category numbers its rules itself; three of them map onto shared lines.
    switch (ihyst) {
    case 1: writeRule35(out, m); break;
    case 8: writeRule5(out, m); break;
    case 9: writeRule63(out, m); break;
    default: break;
    }
}

// ------------------------------------------------------- REINFORCED block

void writeMasonry(QTextStream &out, const double (&row)[12], int strut, const char *stressComment,
                  const char *strutComment)
{
    Line(out).doubles(row, 0, 7).end(stressComment);
    Line(out).doubles(row, 8, 11).i(strut).end(strutComment);
}

void writeReinforced(QTextStream &out, const Member &m, int ictype)
{
    const int *A1 = m.getReinforcedA1();
    if (!A1)
        return;
    const int isteel = A1[1], iconc = A1[2];
    enum { Confined = 0, Cover = 1, Shear = 2 };
    const double(*peng)[8] = m.getihyst54();
    const double(*strut)[12] = m.getihyst33A();
    const int *strutB = m.getihyst33B();

    Line(out).i(A1[0]).doubles(m.getReinforcedA2(), 0, 5).i(isteel).i(iconc)
        .end("\t\t\t\t\t\t\t\t\t! control parameters\n");
    Line(out).doubles(m.getReinforcedB(), 0, 10).end("\t\t\t\t\t\t\t! concrete material parameters\n");
    Line(out).doubles(m.getReinforcedC(), 0, 5).end("\t\t\t\t\t\t\t\t\t\t\t\t! steel material properties\n");
    writeMaterialDamping(out, m, ictype);

    if (iconc == 0) {
        Line(out).doubles(peng[Confined], 0, 7)
            .end("\t\t\t\t\t\t\t\t\t\t! brian peng for confined concrete hysteresis\n");
        Line(out).doubles(peng[Cover], 0, 7).end("\t\t\t\t\t\t\t\t\t\t! brian peng for cover concrete hysteresis\n");
    } else if (iconc == 1) {
        writeMasonry(out, strut[Confined], strutB[Confined],
                     "\t\t\t\t\t\t\t\t\t\t! masonry strut, stress-strain for confined concrete hysteresis\n",
                     "\t\t\t\t\t\t\t\t\t\t\t\t\t! masonry strut, strut data for confined concrete\n");
        writeMasonry(out, strut[Cover], strutB[Cover],
                     "\t\t\t\t\t\t\t\t\t\t! masonry strut stress-strain for cover concrete hysteresis\n",
                     "\t\t\t\t\t\t\t\t\t\t\t\t\t! masonry strut, strut data for cover concrete hysteresis\n");
    }

    if (isteel == 0) {
        Line(out).ints(m.getihyst53A(), 0, 1).doubles(m.getihyst53B(), 0, 7)
            .end("\t\t\t\t\t\t\t\t! dhakal steel hysteresis\n");
    } else if (isteel == 1) {
        writeRule39(out, m);
    }

    if (iconc == 0) {
        Line(out).doubles(peng[Shear], 0, 7).end("\t\t\t\t\t\t\t\t\t\t! brian peng for shear concrete hysteresis\n");
    } else if (iconc == 1) {
        writeMasonry(out, strut[Shear], strutB[Shear],
                     "\t\t\t\t\t\t\t\t\t\t! masonry strut, stress-strain for shear concrete hysteresis\n",
                     "\t\t\t\t\t\t\t\t\t\t\t\t\t! masonry strut, strut data for shear concrete hysteresis\n");
    }
}

// ------------------------------------------------------------------ PROPS

// The type's number is its place in the list, whatever the record says.
void writeBlock(QTextStream &out, const Member &m, qsizetype number, int ictype)
{
    static const char *const keywords[] = {"\tFRAME\t", "\tSPRING\t", "\tWALL\t",
                                           "\tDAMPER\t", "\tMULTISPRING\t", "\tREINFORCED\t"};
    const int type = m.getType();
    if (type < Member::FRAME || type > Member::REINFORCED)
        return;
    out << number << keywords[type] << m.getLabel() << '\n';

    switch (type) {
    case Member::FRAME: writeFrame(out, m, ictype); break;
    case Member::SPRING: writeSpring(out, m, ictype); break;
    case Member::WALL: writeWall(out, m, ictype); break;
    case Member::DAMPER: writeDamper(out, m); break;
    case Member::MULTISPRING: writeMultiSpring(out, m, ictype); break;
    case Member::REINFORCED: writeReinforced(out, m, ictype); break;
    default: break;
    }
}

void writeProps(QTextStream &out, const ProjectData &data)
{
    const int ictype = data.a[4];
    out << "PROPS\n";
    const qsizetype count = data.memberTypes.size();
    for (qsizetype k = 0; k < count; ++k) {
        if (const Member *m = data.memberTypes.at(k))
            writeBlock(out, *m, k + 1, ictype);
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

void writeLoading(QTextStream &out, const ProjectData &data)
{
    out << "WEIGHTS\n";
    writeTriples(out, data.wx, data.wy, data.wd);
    out << '\n';

    out << "LOADS\n";
    writeTriples(out, data.fx, data.fy, data.fm);

    if (data.shapeEnabled) {
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

    out << '\n';
    out << "EQUAKE\t" << data.quakeFile << '\n';
    Line(out).ints(data.quakeA, 0, 1).doubles(data.quakeB, 0, 5).end();
}

} // namespace

namespace AnalysisWriter {

void write(QTextStream &out, const ProjectData &data)
{
    const DefaultNumberFormat guard(out);

    writeHeader(out, data);
    writeGeometry(out, data);
    writeProps(out, data);
    writeLoading(out, data);
}

bool writeFile(const QString &fileName, const ProjectData &data, QString *error)
{
    return OutputFile::write(fileName, [&](QTextStream &out) {
        out.setEncoding(QStringConverter::System);
        write(out, data);
    }, error);
}

} // namespace AnalysisWriter
