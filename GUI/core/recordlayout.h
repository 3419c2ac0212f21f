#ifndef RECORDLAYOUT_H
#define RECORDLAYOUT_H

// The layout of every record the analysis input file and the project file
// share, written once. Each function walks the fields of its lines through a
// visitor `io` that either writes them (from a const record) or reads them
// (into a record), so the writer, the importer and the project file cannot
// drift apart. A reader stores each value before the condition that depends
// on it is decided.
//
// A visitor has:
//   static constexpr bool reading;
//   i(v), d(v)             one int or double field (by value when writing, by reference when reading)
//   ints(p, from, to), doubles(p, from, to)   elements from..to of an array
//   zero(v)                a field the format fixes at "0" whatever the record holds
//   index(k)               the row number the analysis file puts before a numbered row
//                          (the project file has none)
//   end(comment), end()    ends a line; the analysis file carries the comment
// and, when reading, ok() and checkItems(n, fieldsPerItem), which bounds a
// count of rows still to come by what is left of the file.

#include "member.h"

#include <QList>

namespace RecordLayout {

// Lines 2 to 5 of the analysis file; records 1 to 4 of the project.
template <class IO, class I, class R>
void controlLines(IO &io, I *a, I *b, R *c, I *d, R *e)
{
    io.ints(a, 0, 10);
    io.end("\t\t\t\t\t\t\t! principal analysis options\n");
    io.ints(b, 0, 5);
    io.doubles(c, 0, 5);
    io.end("\t\t\t\t\t\t! frame control parameters\n");
    io.ints(b, 6, 9);
    io.doubles(c, 6, 9);
    io.ints(b, 10, 13);
    io.end("\t\t\t\t\t\t! output intervals and plotting control parameters\n");
    io.ints(d, 0, 1);
    io.doubles(e, 0, 5);
    io.i(d[2]);
    io.doubles(e, 6, 7);
    io.end("\t\t\t\t\t\t\t! iteration control and wave velocities\n");
}

// IBERG, ISTART and the six earthquake reals.
template <class IO, class I, class R>
void quakeValues(IO &io, I *a, R *b)
{
    io.ints(a, 0, 1);
    io.doubles(b, 0, 5);
    io.end();
}

template <class IO, class M>
void scalar(IO &io, M &m, int (Member::*get)() const, void (Member::*set)(int))
{
    int v = (m.*get)();
    io.i(v);
    if constexpr (IO::reading)
        (m.*set)(v);
}

// Degradation values: five past 3, four from 1 to 3, none otherwise.
template <class IO, class P>
void degLine(IO &io, P *values, int governing, const char *comment4, const char *comment5)
{
    if (governing > 3) {
        io.doubles(values, 0, 4);
        io.end(comment5);
    } else if (governing >= 1) {
        io.doubles(values, 0, 3);
        io.end(comment4);
    }
}

template <class IO, class M>
void strengthDegradation(IO &io, M &m, int ilos)
{
    degLine(io, m.getFrameDeg(), ilos, "\t\t\t\t\t\t\t\t\t\t\t\t\t\t! strength degradation parameters\n",
            "\t\t\t\t\t\t\t\t\t\t\t\t\t! strength degradation parameters\n");
}

template <class IO, class M>
void materialDampingLine(IO &io, M &m, int ictype)
{
    if (ictype == 5 || ictype == 7) {
        io.doubles(m.getFrameIC(), 0, 2);
        io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! material specific damping\n");
    }
}

template <class IO, class M>
void rule5Line(IO &io, M &m)
{
    auto *a = m.getihyst5A();
    auto *b = m.getihyst5B();
    io.d(a[0]);
    io.d(a[1]);
    io.i(b[0]);
    io.doubles(a, 2, 4);
    io.i(b[1]);
    io.end("\t\t\t\t\t\t\t\t\t\t\t! bilinear with slackness hysteresis\n");
}

template <class IO, class M>
void rule35Line(IO &io, M &m)
{
    io.doubles(m.getihyst35(), 0, 2);
    io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! degrading bilinear with gap hysteresis\n");
}

template <class IO, class M>
void rule39Line(IO &io, M &m)
{
    io.doubles(m.getihyst39(), 0, 3);
    io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t! dodd-restrepo steel hysteresis\n");
}

template <class IO, class M>
void rule63Line(IO &io, M &m)
{
    io.doubles(m.getihyst63(), 0, 1);
    io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! bilinear elastic with gap hysteresis\n");
}

// The hysteresis rule line of FRAME (31, no 53) and SPRING (53, no 31); any
// other rule has no line.
template <class IO, class M>
void hysteresisLine(IO &io, M &m, int rule, bool spring)
{
    switch (rule) {
    case 4:
        io.doubles(m.getTakeda(), 0, 2);
        scalar(io, m, &Member::getTakKKK, &Member::setTakKKK);
        io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t! modified takeda degrading stiffness hysteresis\n");
        break;
    case 5:
        rule5Line(io, m);
        break;
    case 8:
        io.doubles(m.getSina(), 0, 4);
        io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t! sina degrading stiffness hysteresis\n");
        break;
    case 31:
        if (spring)
            return;
        io.doubles(m.getmSina(), 0, 2);
        io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! modified sina model hysteresis\n");
        break;
    case 32:
        io.doubles(m.getmBilinear(), 0, 1);
        io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! modified bilinear rule hysteresis\n");
        break;
    case 35:
        rule35Line(io, m);
        break;
    case 39:
        rule39Line(io, m);
        break;
    case 53: {
        if (!spring)
            return;
        auto *a = m.getihyst53A();
        auto *b = m.getihyst53B();
        io.ints(a, 0, 1);
        io.doubles(b, 0, 5);
        // Always ten fields: without buckling the last two are placeholders.
        if (a[1] == 1) {
            io.doubles(b, 6, 7);
            io.end("\t\t\t\t\t\t\t\t! dhakal steel hysteresis\n");
        } else {
            io.zero(b[6]);
            io.zero(b[7]);
            io.end("\t\t\t\t\t\t\t\t\t\t! dhakal steel hysteresis\n");
        }
        break;
    }
    case 56:
        io.doubles(m.getihyst56(), 0, 8);
        scalar(io, m, &Member::getihyst56IOP, &Member::setihyst56IOP);
        io.doubles(m.getihyst56(), 9, 10);
        io.end("\t\t\t\t\t\t! modified sina hysteresis\n");
        break;
    case 57:
        io.doubles(m.getihyst57(), 0, 6);
        scalar(io, m, &Member::getihyst57IOP, &Member::setihyst57IOP);
        io.doubles(m.getihyst57(), 7, 8);
        io.end("\t\t\t\t\t\t\t\t! revised takeda hysteresis\n");
        break;
    case 63:
        rule63Line(io, m);
        break;
    default:
        break;
    }
}

// Yield surface of end 1, then of end 2 when IEND is 1.
template <class IO, class M, class P>
void yieldSurfaceEnds(IO &io, M &m, P *end1, P *end2, int last, const char *comment1, const char *comment2)
{
    io.doubles(end1, 0, last);
    scalar(io, m, &Member::getFrameIEnd, &Member::setFrameIEnd);
    io.end(comment1);
    if (m.getFrameIEnd() == 1) {
        io.doubles(end2, 0, last);
        io.end(comment2);
    }
}

template <class IO, class M>
void frameBlock(IO &io, M &m, int ictype)
{
    auto *A = m.getFrameA();
    if (!A)
        return;
    io.ints(A, 0, 8);
    io.end("\t\t\t\t\t\t\t\t\t! basic section properties\n");
    io.doubles(m.getFrameB(), 0, 9);
    io.end("\t\t\t\t\t\t\t! elastic section properties\n");
    if (A[3] != 0) {
        io.doubles(m.getFrameC(), 0, 3);
        io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t! member bi-linear factors and hinge properties\n");
    }
    materialDampingLine(io, m, ictype);
    if (A[2] == 1) {
        io.doubles(m.getFrameE(), 0, 5);
        scalar(io, m, &Member::getFrameIOP, &Member::setFrameIOP);
        io.end("\t\t\t\t\t\t\t\t\t\t\t! member initial fixed end forces\n");
    }
    if (A[3] != 0) {
        switch (A[0]) {
        case 1:
            io.doubles(m.getFrameF(), 0, 5);
            io.end("\t\t\t\t\t\t\t\t\t\t\t\t! beam yield conditions\n");
            break;
        case 2:
            yieldSurfaceEnds(io, m, m.getFrameG(), m.getFrameG2(), 6,
                             "\t\t\t\t\t\t\t\t\t\t! concrete beam-column yield surface at end 1 of member\n",
                             "\t\t\t\t\t\t\t\t\t\t\t! concrete beam-column yield surface at end 2 of member\n");
            break;
        case 3:
            yieldSurfaceEnds(io, m, m.getFrameH(), m.getFrameH2(), 6,
                             "\t\t\t\t\t\t\t\t\t\t! steel beam-column yield surface at end 1 of member\n",
                             "\t\t\t\t\t\t\t\t\t\t\t! steel beam-column yield surface at end 2 of member\n");
            break;
        case 4:
            yieldSurfaceEnds(io, m, m.getFrameI(), m.getFrameI2(), 5,
                             "\t\t\t\t\t\t\t\t\t\t\t! quadratic beam-column yield surface at end 1 of member\n",
                             "\t\t\t\t\t\t\t\t\t\t\t\t! quadratic beam-column yield surface at end 2 of member\n");
            break;
        case 8:
            yieldSurfaceEnds(
                io, m, m.getFrameII(), m.getFrameII2(), 7,
                "\t\t\t\t\t\t\t\t\t! asymmetric quadratic beam-column yield surface at end 1 of member\n",
                "\t\t\t\t\t\t\t\t\t\t! asymmetric quadratic beam-column yield surface at end 2 of member\n");
            break;
        default:
            break;
        }
    }
    if (A[7] == 1) {
        io.doubles(m.getFrameJ(), 0, 10);
        scalar(io, m, &Member::getFrameJIDO, &Member::setFrameJIDO);
        io.end("\t\t\t\t\t\t! in-elastic shear parameters\n");
    } else if (A[7] == 2) {
        io.doubles(m.getFrameK(), 0, 4);
        io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t! in-elastic flange shear-link parameters\n");
    }
    strengthDegradation(io, m, A[4]);
    hysteresisLine(io, m, A[3], false);
}

template <class IO, class M>
void springBlock(IO &io, M &m, int ictype)
{
    auto *A1 = m.getSpringA1();
    auto *A2 = m.getSpringA2();
    if (!A1 || !A2)
        return;
    io.ints(A1, 0, 3);
    io.doubles(A2, 0, 9);
    io.ints(A1, 4, 5);
    io.d(A2[10]);
    io.end("\t! basic section properties\n");
    materialDampingLine(io, m, ictype);
    const int rule = A1[1];
    if (rule != 0 && rule != 18 && rule != 19 && rule != 33 && rule != 37) {
        switch (A1[0]) {
        case 1:
            io.doubles(m.getSpringC(), 0, 5);
            io.end("\t\t\t\t\t\t\t\t\t\t\t\t! yield surface ITYPE = 1\n");
            break;
        case 2:
            io.doubles(m.getSpringD(), 0, 9);
            io.end("\t\t\t\t\t\t\t\t! yield surface ITYPE = 2\n");
            break;
        case 3:
            io.doubles(m.getSpringE(), 0, 13);
            io.i(m.springI);
            io.end("\t\t\t! yield surface ITYPE = 3\n");
            break;
        case 4:
            io.doubles(m.getSpringF(), 0, 8);
            io.end("\t\t\t\t\t\t\t\t\t! yield surface ITYPE = 4\n");
            break;
        case 5:
            io.doubles(m.getSpringG(), 0, 1);
            io.i(m.springIOP);
            io.end("\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t! yield surface ITYPE = 5\n");
            break;
        default:
            break;
        }
    }
    strengthDegradation(io, m, A1[2]);
    hysteresisLine(io, m, A1[1], true);
}

template <class IO, class M>
void wallBlock(IO &io, M &m, int ictype)
{
    auto *A1 = m.getWallA1();
    if (!A1)
        return;
    io.ints(A1, 0, 3);
    if (A1[0] == 2) {
        io.doubles(m.getWallA2(), 0, 4);
        io.end("\t\t\t\t\t\t\t\t\t! basic section properties\n");
    } else {
        io.doubles(m.getWallA2(), 0, 2);
        io.end("\t\t\t\t\t\t\t\t\t\t\t! basic section properties\n");
    }
    if (A1[3] == 2) {
        io.doubles(m.getWallB(), 0, 8);
        io.end("\t\t\t\t\t\t\t\t\t! concrete and steel properties\n");
    } else {
        io.doubles(m.getWallB(), 0, 7);
        io.end("\t\t\t\t\t\t\t\t\t\t! concrete and steel properties\n");
    }
    materialDampingLine(io, m, ictype);
    if (A1[2] == 0) {
        io.doubles(m.getWallD(), 0, 10);
        io.end("\t\t\t\t\t\t\t! input for standard wall section\n");
    } else if (A1[2] == 1) {
        const char *comment = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t! input for numerical wall section\n";
        auto *xi = m.getWallXI();
        auto *asi = m.getWallASI();
        auto *aci = m.getWallACI();
        const int nip = A1[1];
        if constexpr (IO::reading) {
            xi->clear();
            asi->clear();
            aci->clear();
            int n = nip;
            // NIP is a count of rows to follow: bound it by what is left.
            if (n > 0 && !io.checkItems(n, 3))
                return;
            for (int k = 0; k < n && io.ok(); ++k) {
                double x = 0, as = 0, ac = 0;
                io.index(k + 1);
                io.d(x);
                io.d(as);
                io.d(ac);
                io.end(comment);
                xi->append(x);
                asi->append(as);
                aci->append(ac);
            }
        } else {
            // The dialog keeps the lists at NIP entries; a shorter list
            // still gives NIP rows, padded with 0.
            for (int k = 0; k < nip; ++k) {
                io.index(k + 1);
                io.d(xi->value(k));
                io.d(asi->value(k));
                io.d(aci->value(k));
                io.end(comment);
            }
        }
    }
}

template <class IO, class M>
void damperBlock(IO &io, M &m)
{
    auto *A1 = m.getDamperA1();
    auto *A2 = m.getDamperA2();
    if (!A1 || !A2)
        return;
    io.i(A1[0]);
    io.doubles(A2, 0, 4);
    if (A1[0] > 0)
        io.d(A2[5]);
    if (A1[0] > 1)
        io.doubles(A2, 6, 9);
    io.d(A2[10]);
    io.i(A1[1]);
    io.d(A2[11]);
    io.end();
    io.doubles(m.getDamperB(), 0, 5);
    io.end();
}

template <class IO, class M>
void multiSpringBlock(IO &io, M &m, int ictype)
{
    auto *A1 = m.getMultiSpringA1();
    if (!A1)
        return;
    io.ints(A1, 0, 3);
    io.doubles(m.getMultiSpringA2(), 0, 3);
    io.end("\t\t\t\t\t\t\t\t\t\t! control parameters\n");
    io.ints(m.getMultiSpringB1(), 0, 1);
    io.doubles(m.getMultiSpringB2(), 0, 7);
    io.end("\t\t\t\t\t\t\t\t! section properties\n");
    degLine(io, m.getFrameDeg(), A1[1],
            "\t\t\t\t\t\t\t\t\t\t\t\t\t\t! longitudinal strength degradation parameters\n",
            "\t\t\t\t\t\t\t\t\t\t\t\t\t! longitudinal strength degradation parameters\n");
    degLine(io, m.getMultiSpringKLOS(), A1[2],
            "\t\t\t\t\t\t\t\t\t\t\t\t\t\t! shear strength degradation parameters\n",
            "\t\t\t\t\t\t\t\t\t\t\t\t\t! shear strength degradation parameters\n");
    materialDampingLine(io, m, ictype);
    // This category numbers its rules itself; three of them map onto shared lines.
    switch (A1[0]) {
    case 1: rule35Line(io, m); break;
    case 8: rule5Line(io, m); break;
    case 9: rule63Line(io, m); break;
    default: break;
    }
}

// Concrete of one kind (0 confined, 1 cover, 2 shear) by ICONC.
template <class IO, class M>
void concreteLines(IO &io, M &m, int iconc, int kind)
{
    static const char *const peng[] = {
        "\t\t\t\t\t\t\t\t\t\t! brian peng for confined concrete hysteresis\n",
        "\t\t\t\t\t\t\t\t\t\t! brian peng for cover concrete hysteresis\n",
        "\t\t\t\t\t\t\t\t\t\t! brian peng for shear concrete hysteresis\n"};
    static const char *const stress[] = {
        "\t\t\t\t\t\t\t\t\t\t! masonry strut, stress-strain for confined concrete hysteresis\n",
        "\t\t\t\t\t\t\t\t\t\t! masonry strut stress-strain for cover concrete hysteresis\n",
        "\t\t\t\t\t\t\t\t\t\t! masonry strut, stress-strain for shear concrete hysteresis\n"};
    static const char *const strut[] = {
        "\t\t\t\t\t\t\t\t\t\t\t\t\t! masonry strut, strut data for confined concrete\n",
        "\t\t\t\t\t\t\t\t\t\t\t\t\t! masonry strut, strut data for cover concrete hysteresis\n",
        "\t\t\t\t\t\t\t\t\t\t\t\t\t! masonry strut, strut data for shear concrete hysteresis\n"};
    if (iconc == 0) {
        io.doubles(m.getihyst54()[kind], 0, 7);
        io.end(peng[kind]);
    } else if (iconc == 1) {
        io.doubles(m.getihyst33A()[kind], 0, 7);
        io.end(stress[kind]);
        io.doubles(m.getihyst33A()[kind], 8, 11);
        io.i(m.getihyst33B()[kind]);
        io.end(strut[kind]);
    }
}

template <class IO, class M>
void reinforcedBlock(IO &io, M &m, int ictype)
{
    auto *A1 = m.getReinforcedA1();
    if (!A1)
        return;
    io.i(A1[0]);
    io.doubles(m.getReinforcedA2(), 0, 5);
    io.ints(A1, 1, 2);
    io.end("\t\t\t\t\t\t\t\t\t! control parameters\n");
    io.doubles(m.getReinforcedB(), 0, 10);
    io.end("\t\t\t\t\t\t\t! concrete material parameters\n");
    io.doubles(m.getReinforcedC(), 0, 5);
    io.end("\t\t\t\t\t\t\t\t\t\t\t\t! steel material properties\n");
    materialDampingLine(io, m, ictype);
    concreteLines(io, m, A1[2], 0);
    concreteLines(io, m, A1[2], 1);
    if (A1[1] == 0) {
        // Unlike SPRING's rule 53 line, always all eight values.
        io.ints(m.getihyst53A(), 0, 1);
        io.doubles(m.getihyst53B(), 0, 7);
        io.end("\t\t\t\t\t\t\t\t! dhakal steel hysteresis\n");
    } else if (A1[1] == 1) {
        rule39Line(io, m);
    }
    concreteLines(io, m, A1[2], 2);
}

// Everything of a member-type block after its first line.
template <class IO, class M>
void memberBody(IO &io, M &m, int ictype)
{
    switch (m.getType()) {
    case Member::FRAME: frameBlock(io, m, ictype); break;
    case Member::SPRING: springBlock(io, m, ictype); break;
    case Member::WALL: wallBlock(io, m, ictype); break;
    case Member::DAMPER: damperBlock(io, m); break;
    case Member::MULTISPRING: multiSpringBlock(io, m, ictype); break;
    case Member::REINFORCED: reinforcedBlock(io, m, ictype); break;
    default: break;
    }
}

} // namespace RecordLayout

#endif // RECORDLAYOUT_H
