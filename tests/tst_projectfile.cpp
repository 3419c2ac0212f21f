#include <QtTest>

#include "member.h"
#include "projectdata.h"
#include "projectfile.h"
#include "testmodels.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

// ---------------------------------------------------------------------------
// Named access to every value of a member-type record, so that tests can
// fill records and check, field by field, what a save and an open keep.

struct Access {
    double *d = nullptr;          // double array
    int *i = nullptr;             // int array or int field
    QList<double> *list = nullptr;
    int n = 0;
    int (Member::*get)() const = nullptr;
    void (Member::*set)(int) = nullptr;
};

Access access(Member &m, const QString &name)
{
    Access a;
    auto dbl = [&](double *p, int n) { a.d = p; a.n = n; };
    auto in = [&](int *p, int n) { a.i = p; a.n = n; };
    auto scalar = [&](int (Member::*g)() const, void (Member::*s)(int)) { a.get = g; a.set = s; a.n = 1; };
    if (name == "takeda") dbl(m.getTakeda(), 3);
    else if (name == "takKKK") scalar(&Member::getTakKKK, &Member::setTakKKK);
    else if (name == "sina") dbl(m.getSina(), 5);
    else if (name == "mSina") dbl(m.getmSina(), 3);
    else if (name == "mBilinear") dbl(m.getmBilinear(), 2);
    else if (name == "ihyst56") dbl(m.getihyst56(), 11);
    else if (name == "ihyst57") dbl(m.getihyst57(), 9);
    else if (name == "ihyst5A") dbl(m.getihyst5A(), 5);
    else if (name == "ihyst5B") in(m.getihyst5B(), 2);
    else if (name == "ihyst63") dbl(m.getihyst63(), 2);
    else if (name == "ihyst56IOP") scalar(&Member::getihyst56IOP, &Member::setihyst56IOP);
    else if (name == "ihyst57IOP") scalar(&Member::getihyst57IOP, &Member::setihyst57IOP);
    else if (name == "ihyst35") dbl(m.getihyst35(), 3);
    else if (name == "ihyst39") dbl(m.getihyst39(), 4);
    else if (name == "ihyst53A") in(m.getihyst53A(), 2);
    else if (name == "ihyst53B") dbl(m.getihyst53B(), 8);
    else if (name.startsWith("ihyst33A.")) dbl(m.getihyst33A()[name.mid(9).toInt()], 12);
    else if (name == "ihyst33B") in(m.getihyst33B(), 3);
    else if (name.startsWith("ihyst54.")) dbl(m.getihyst54()[name.mid(8).toInt()], 8);
    else if (name == "frameDEG") dbl(m.getFrameDeg(), 5);
    else if (name == "frameIC") dbl(m.getFrameIC(), 3);
    else if (name == "frameJIDO") scalar(&Member::getFrameJIDO, &Member::setFrameJIDO);
    else if (name == "frameIOP") scalar(&Member::getFrameIOP, &Member::setFrameIOP);
    else if (name == "frameIEND") scalar(&Member::getFrameIEnd, &Member::setFrameIEnd);
    else if (name == "springI") in(&m.springI, 1);
    else if (name == "springIOP") in(&m.springIOP, 1);
    else if (name == "frameA") in(m.getFrameA(), 9);
    else if (name == "frameB") dbl(m.getFrameB(), 10);
    else if (name == "frameC") dbl(m.getFrameC(), 9);
    else if (name == "frameE") dbl(m.getFrameE(), 6);
    else if (name == "frameF") dbl(m.getFrameF(), 10);
    else if (name == "frameG") dbl(m.getFrameG(), 7);
    else if (name == "frameG2") dbl(m.getFrameG2(), 7);
    else if (name == "frameH") dbl(m.getFrameH(), 7);
    else if (name == "frameH2") dbl(m.getFrameH2(), 7);
    else if (name == "frameI") dbl(m.getFrameI(), 6);
    else if (name == "frameI2") dbl(m.getFrameI2(), 6);
    else if (name == "frameII") dbl(m.getFrameII(), 8);
    else if (name == "frameII2") dbl(m.getFrameII2(), 8);
    else if (name == "frameJ") dbl(m.getFrameJ(), 11);
    else if (name == "frameK") dbl(m.getFrameK(), 5);
    else if (name == "springA1") in(m.getSpringA1(), 6);
    else if (name == "springA2") dbl(m.getSpringA2(), 11);
    else if (name == "springC") dbl(m.getSpringC(), 6);
    else if (name == "springD") dbl(m.getSpringD(), 10);
    else if (name == "springE") dbl(m.getSpringE(), 14);
    else if (name == "springF") dbl(m.getSpringF(), 9);
    else if (name == "springG") dbl(m.getSpringG(), 2);
    else if (name == "wallA1") in(m.getWallA1(), 4);
    else if (name == "wallA2") dbl(m.getWallA2(), 5);
    else if (name == "wallB") dbl(m.getWallB(), 9);
    else if (name == "wallD") dbl(m.getWallD(), 11);
    else if (name == "wallXI") a.list = m.getWallXI();
    else if (name == "wallASI") a.list = m.getWallASI();
    else if (name == "wallACI") a.list = m.getWallACI();
    else if (name == "damperA1") in(m.getDamperA1(), 2);
    else if (name == "damperA2") dbl(m.getDamperA2(), 12);
    else if (name == "damperB") dbl(m.getDamperB(), 6);
    else if (name == "multispringA1") in(m.getMultiSpringA1(), 4);
    else if (name == "multispringA2") dbl(m.getMultiSpringA2(), 4);
    else if (name == "multispringB1") in(m.getMultiSpringB1(), 2);
    else if (name == "multispringB2") dbl(m.getMultiSpringB2(), 8);
    else if (name == "multispringKLOS") dbl(m.getMultiSpringKLOS(), 5);
    else if (name == "reinforcedA1") in(m.getReinforcedA1(), 3);
    else if (name == "reinforcedA2") dbl(m.getReinforcedA2(), 6);
    else if (name == "reinforcedB") dbl(m.getReinforcedB(), 11);
    else if (name == "reinforcedC") dbl(m.getReinforcedC(), 6);
    else qFatal("unknown field %s", qPrintable(name));
    if (a.list)
        a.n = int(a.list->size());
    return a;
}

QList<double> valuesOf(const Member &cm, const QString &name)
{
    Member &m = const_cast<Member &>(cm); // read only
    const Access a = access(m, name);
    QList<double> v;
    if (a.list)
        return *a.list;
    for (int k = 0; k < a.n; ++k) {
        if (a.d) v.append(a.d[k]);
        else if (a.i) v.append(a.i[k]);
        else v.append((m.*a.get)());
    }
    return v;
}

void setValue(Member &m, const QString &name, int index, double value)
{
    const Access a = access(m, name);
    if (a.list) {
        while (a.list->size() <= index)
            a.list->append(0.0);
        (*a.list)[index] = value;
    } else if (a.d) {
        a.d[index] = value;
    } else if (a.i) {
        a.i[index] = int(value);
    } else {
        (m.*a.set)(int(value));
    }
}

QStringList commonFields()
{
    return {"takeda", "takKKK", "sina", "mSina", "mBilinear", "ihyst56", "ihyst57", "ihyst5A", "ihyst5B",
            "ihyst63", "ihyst56IOP", "ihyst57IOP", "ihyst35", "ihyst39", "ihyst53A", "ihyst53B",
            "ihyst33A.0", "ihyst33A.1", "ihyst33A.2", "ihyst33B", "ihyst54.0", "ihyst54.1", "ihyst54.2",
            "frameDEG", "frameIC", "frameJIDO", "frameIOP", "frameIEND", "springI", "springIOP"};
}

QStringList categoryFields(int type)
{
    switch (type) {
    case Member::FRAME:
        return {"frameA", "frameB", "frameC", "frameE", "frameF", "frameG", "frameG2", "frameH", "frameH2",
                "frameI", "frameI2", "frameII", "frameII2", "frameJ", "frameK"};
    case Member::SPRING:
        return {"springA1", "springA2", "springC", "springD", "springE", "springF", "springG"};
    case Member::WALL:
        return {"wallA1", "wallA2", "wallB", "wallD", "wallXI", "wallASI", "wallACI"};
    case Member::DAMPER:
        return {"damperA1", "damperA2", "damperB"};
    case Member::MULTISPRING:
        return {"multispringA1", "multispringA2", "multispringB1", "multispringB2", "multispringKLOS"};
    case Member::REINFORCED:
        return {"reinforcedA1", "reinforcedA2", "reinforcedB", "reinforcedC"};
    }
    return {};
}

// Applies "name=v" and "name[k]=v" settings separated by blanks.
void configure(Member &m, const QString &config)
{
    static const QRegularExpression re(QStringLiteral("^(\\w+(?:\\.\\d)?)(?:\\[(\\d+)\\])?=(-?[\\d.]+)$"));
    for (const QString &item : config.split(' ', Qt::SkipEmptyParts)) {
        const auto match = re.match(item);
        QVERIFY2(match.hasMatch(), qPrintable(item));
        setValue(m, match.captured(1), match.captured(2).toInt(), match.captured(3).toDouble());
    }
}

// Every value of the record, common and category fields, set to a value
// unlike its default and unlike its neighbours.
void fillAll(Member &m, int seed)
{
    QStringList names = commonFields() + categoryFields(m.getType());
    int counter = seed * 1000;
    for (const QString &name : names) {
        const Access a = access(m, name);
        const bool integer = a.i || a.get;
        const int n = a.list ? 3 : a.n;
        for (int k = 0; k < n; ++k) {
            ++counter;
            // Six significant digits at most, so that a save keeps them exactly.
            setValue(m, name, k, integer ? double(counter % 97 + 10) : (counter % 1000) * 0.25 + 0.125);
        }
    }
}

// Stored fields: blank-separated field names, each optionally "name:a-b" for
// the stored index range. Checks that `read` holds the original's values in
// the stored places and the defaults of a fresh record everywhere else.
void checkMember(const Member &read, const Member &original, const QString &stored, const QString &where)
{
    QCOMPARE(read.getID(), original.getID());
    QCOMPARE(read.getType(), original.getType());
    QCOMPARE(read.getLabel(), original.getLabel());
    QMultiHash<QString, QPair<int, int>> ranges;
    for (const QString &item : stored.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(':');
        QPair<int, int> r(0, 1000);
        if (parts.size() == 2) {
            const QStringList ab = parts.at(1).split('-');
            r = qMakePair(ab.at(0).toInt(), ab.at(1).toInt());
        }
        ranges.insert(parts.at(0), r);
    }
    auto isStored = [&](const QString &name, int k) {
        for (const auto &r : ranges.values(name)) {
            if (k >= r.first && k <= r.second)
                return true;
        }
        return false;
    };
    const Member fresh(original.getID(), original.getType());
    for (const QString &name : commonFields() + categoryFields(original.getType())) {
        const QList<double> got = valuesOf(read, name);
        const QList<double> orig = valuesOf(original, name);
        const QList<double> def = valuesOf(fresh, name);
        if (ranges.contains(name) && orig.size() != def.size() && name.startsWith("wall")) {
            QVERIFY2(got == orig, qPrintable(where + " " + name));
            continue;
        }
        QVERIFY2(got.size() == def.size(), qPrintable(where + " size of " + name));
        for (int k = 0; k < got.size(); ++k) {
            const double expected = isStored(name, k) ? orig.value(k) : def.at(k);
            QVERIFY2(got.at(k) == expected,
                     qPrintable(QStringLiteral("%1: %2[%3] is %4, expected %5")
                                        .arg(where, name).arg(k).arg(got.at(k)).arg(expected)));
        }
    }
}

// ---------------------------------------------------------------------------
// Projects

// The value as six significant digits keep it.
double six(double v)
{
    return QString::number(v, 'g', 6).toDouble();
}

Member *addType(ProjectData &d, QStringList &storedFields, int type, const QString &config, const QString &stored,
                bool fill = true)
{
    Member *p = TestModels::addType(d, type);
    if (fill)
        fillAll(*p, int(d.memberTypes.size()));
    configure(*p, config);
    storedFields.append(stored);
    return p;
}

void setGrid(ProjectData &d, const QStringList &xs, const QStringList &ys)
{
    d.XLines = xs;
    d.YLines = ys;
    d.nodes = ModelCore::buildNodes(xs, ys, d.nodesIOut);
}

void addBar(ProjectData &d, int mType, int source, int dest, int node3 = 0, int node4 = 0, int iout = 0)
{
    BarData b;
    b.id = int(d.bars.size()) + 1;
    b.mTypeId = mType;
    b.source = source;
    b.dest = dest;
    b.node3 = node3;
    b.node4 = node4;
    b.iout = iout;
    d.bars.append(b);
}

QByteArray toBytes(const ProjectData &d)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    ProjectFile::write(out, d);
    out.flush();
    return bytes;
}

// A model that uses every record: grid, drift, node values, all six
// categories with their conditional lines, members, loads, weights, quake.
void buildFull(ProjectData &d, QStringList &storedFields, int ictype)
{
    const QString ic = (ictype == 5 || ictype == 7) ? QStringLiteral(" frameIC") : QString();
    for (int k = 0; k < 11; ++k) d.a[k] = k + 1;
    d.a[4] = ictype;
    d.a[5] = 2;
    for (int k = 0; k < 14; ++k) d.b[k] = 20 + k;
    for (int k = 0; k < 10; ++k) d.c[k] = 0.5 + k;
    d.d[0] = 7; d.d[1] = 8; d.d[2] = 9;
    for (int k = 0; k < 8; ++k) d.e[k] = six(1e-05 * (k + 1));
    d.controlSeted = true;
    d.nodesIOut = 2;
    d.elementsIOut = 3;
    setGrid(d, {"0", "5.5", "10"}, {"0", "3", "6.25"});
    for (int k = 0; k < d.nodes.size(); ++k) {
        NodeData &n = d.nodes[k];
        n.nf1 = k % 2; n.nf2 = (k + 1) % 2; n.nf3 = k % 3 == 0;
        n.kup1 = k + 1; n.kup2 = -1; n.kup3 = -(k + 2); n.iout = k % 4;
    }
    d.drift = "2";
    d.kup1Automatically = true;
    d.driftSeted = true;

    // FRAME, one per section type, covering IEND, ICOND, IGA, ILOS and rules.
    const QString frameCommon = "frameA frameB frameC:0-3" + ic;
    addType(d, storedFields, Member::FRAME, "frameA[0]=1 frameA[2]=1 frameA[3]=4 frameA[4]=5 frameA[7]=1",
            frameCommon + " frameE frameIOP frameF:0-5 frameJ frameJIDO frameDEG takeda takKKK");
    addType(d, storedFields, Member::FRAME, "frameA[0]=2 frameA[2]=0 frameA[3]=5 frameA[4]=2 frameA[7]=2 frameIEND=1",
            frameCommon + " frameG frameIEND frameG2 frameK frameDEG:0-3 ihyst5A ihyst5B");
    addType(d, storedFields, Member::FRAME, "frameA[0]=3 frameA[2]=0 frameA[3]=8 frameA[4]=0 frameA[7]=0 frameIEND=0",
            frameCommon + " frameH frameIEND sina");
    addType(d, storedFields, Member::FRAME, "frameA[0]=4 frameA[2]=0 frameA[3]=31 frameA[4]=0 frameA[7]=0 frameIEND=1",
            frameCommon + " frameI frameIEND frameI2 mSina");
    addType(d, storedFields, Member::FRAME, "frameA[0]=8 frameA[2]=0 frameA[3]=56 frameA[4]=0 frameA[7]=0 frameIEND=1",
            frameCommon + " frameII frameIEND frameII2 ihyst56 ihyst56IOP");
    addType(d, storedFields, Member::FRAME, "frameA[0]=2 frameA[2]=0 frameA[3]=57 frameA[4]=0 frameA[7]=0 frameIEND=0",
            frameCommon + " frameG frameIEND ihyst57 ihyst57IOP");
    addType(d, storedFields, Member::FRAME, "frameA[0]=5 frameA[2]=0 frameA[3]=0 frameA[4]=0 frameA[7]=3",
            "frameA frameB" + ic);
    for (int rule : {32, 35, 39, 63}) {
        const char *arrays = rule == 32 ? "mBilinear" : rule == 35 ? "ihyst35" : rule == 39 ? "ihyst39" : "ihyst63";
        addType(d, storedFields, Member::FRAME,
                QStringLiteral("frameA[0]=9 frameA[2]=0 frameA[3]=%1 frameA[4]=0 frameA[7]=0").arg(rule),
                frameCommon + " " + arrays);
    }

    // SPRING, one per yield surface type and the rules special to it.
    const QString springCommon = "springA1 springA2" + ic;
    addType(d, storedFields, Member::SPRING, "springA1[0]=1 springA1[1]=4 springA1[2]=6",
            springCommon + " springC frameDEG takeda takKKK");
    addType(d, storedFields, Member::SPRING, "springA1[0]=2 springA1[1]=53 springA1[2]=3 ihyst53A[1]=1",
            springCommon + " springD frameDEG:0-3 ihyst53A ihyst53B");
    addType(d, storedFields, Member::SPRING, "springA1[0]=3 springA1[1]=53 springA1[2]=0 ihyst53A[1]=0",
            springCommon + " springE springI ihyst53A ihyst53B:0-5");
    addType(d, storedFields, Member::SPRING, "springA1[0]=4 springA1[1]=31 springA1[2]=0",
            springCommon + " springF");
    addType(d, storedFields, Member::SPRING, "springA1[0]=5 springA1[1]=5 springA1[2]=0",
            springCommon + " springG springIOP ihyst5A ihyst5B");
    addType(d, storedFields, Member::SPRING, "springA1[0]=1 springA1[1]=18 springA1[2]=0", springCommon);

    // WALL: NSECT 2 / other, IHYST 2 / other, ICOND 0 / 1.
    addType(d, storedFields, Member::WALL, "wallA1[0]=2 wallA1[1]=5 wallA1[2]=0 wallA1[3]=2",
            "wallA1 wallA2 wallB" + ic + " wallD");
    Member *w = addType(d, storedFields, Member::WALL, "wallA1[0]=3 wallA1[1]=4 wallA1[2]=1 wallA1[3]=1",
                        "wallA1 wallA2:0-2 wallB:0-7" + ic + " wallXI wallASI wallACI");
    *w->getWallXI() = {1.5, 2.5, 3.5, 4.5};
    *w->getWallASI() = {0.01, 0.02, 0.03, 0.04};
    *w->getWallACI() = {10, 20, 30, 40};

    // DAMPER: 9, 10 and 14 fields on the first line.
    addType(d, storedFields, Member::DAMPER, "damperA1[0]=0", "damperA1 damperA2:0-4 damperA2:10-11 damperB");
    addType(d, storedFields, Member::DAMPER, "damperA1[0]=1", "damperA1 damperA2:0-5 damperA2:10-11 damperB");
    addType(d, storedFields, Member::DAMPER, "damperA1[0]=3", "damperA1 damperA2 damperB");

    // MULTISPRING: rule codes with parameters, DEG and KLOS lines.
    addType(d, storedFields, Member::MULTISPRING, "multispringA1[0]=1 multispringA1[1]=4 multispringA1[2]=2",
            "multispringA1 multispringA2 multispringB1 multispringB2 frameDEG multispringKLOS:0-3" + ic + " ihyst35");
    addType(d, storedFields, Member::MULTISPRING, "multispringA1[0]=8 multispringA1[1]=1 multispringA1[2]=7",
            "multispringA1 multispringA2 multispringB1 multispringB2 frameDEG:0-3 multispringKLOS" + ic
                    + " ihyst5A ihyst5B");
    addType(d, storedFields, Member::MULTISPRING, "multispringA1[0]=9 multispringA1[1]=0 multispringA1[2]=0",
            "multispringA1 multispringA2 multispringB1 multispringB2" + ic + " ihyst63");

    // REINFORCED: both concrete and both steel choices.
    const QString rc = "reinforcedA1 reinforcedA2 reinforcedB reinforcedC" + ic;
    addType(d, storedFields, Member::REINFORCED, "reinforcedA1[1]=0 reinforcedA1[2]=0",
            rc + " ihyst54.0 ihyst54.1 ihyst54.2 ihyst53A ihyst53B");
    addType(d, storedFields, Member::REINFORCED, "reinforcedA1[1]=1 reinforcedA1[2]=1",
            rc + " ihyst33A.0 ihyst33A.1 ihyst33A.2 ihyst33B ihyst39");
    addType(d, storedFields, Member::REINFORCED, "reinforcedA1[1]=2 reinforcedA1[2]=2", rc);

    d.memberTypes[2]->setLabel("Beam");
    // Every type and none, each member between its own two nodes, every
    // other one drawn from the higher id.
    const int types = int(d.memberTypes.size());
    for (int from = 1, k = 0; from <= 9; ++from) {
        for (int to = from + 1; to <= 9 && k <= types; ++to, ++k) {
            if (k % 2)
                addBar(d, k % (types + 1), to, from, k % 3, k % 5, k % 4);
            else
                addBar(d, k % (types + 1), from, to, k % 3, k % 5, k % 4);
        }
    }

    for (int k = 0; k < d.nodes.size(); ++k) {
        d.fx.append(k * 1.5); d.fy.append(-k * 0.25); d.fm.append(k);
        d.wx.append(100 + k); d.wy.append(200 + k); d.wd.append(six(1e-05 * k));
    }
    d.quakeA[0] = 3; d.quakeA[1] = -1;
    for (int k = 0; k < 6; ++k) d.quakeB[k] = six(0.01 * (k + 1));
    d.quakeFile = "record_el-centro.txt";
    d.quakeSeted = true;
    ModelCore::rebuildDerived(d);
}

// Compares what a save and an open keep; `storedFields` tells which member values are stored.
void checkProject(const ProjectData &got, const ProjectData &orig, const QStringList &storedFields,
                  const QString &expectedQuakeFile)
{
    for (int k = 0; k < 11; ++k) QCOMPARE(got.a[k], orig.a[k]);
    for (int k = 0; k < 14; ++k) QCOMPARE(got.b[k], orig.b[k]);
    for (int k = 0; k < 10; ++k) QCOMPARE(got.c[k], orig.c[k]);
    for (int k = 0; k < 3; ++k) QCOMPARE(got.d[k], orig.d[k]);
    for (int k = 0; k < 8; ++k) QCOMPARE(got.e[k], orig.e[k]);
    QCOMPARE(got.dampList, orig.a[4] == 4 ? orig.dampList : QList<double>());
    QCOMPARE(got.controlSeted, orig.controlSeted);
    QCOMPARE(got.XLines, orig.XLines);
    QCOMPARE(got.YLines, orig.YLines);
    QCOMPARE(got.nodesIOut, orig.nodesIOut);
    QCOMPARE(got.elementsIOut, orig.elementsIOut);
    QCOMPARE(got.drift, orig.drift);
    if (orig.drift == "None")
        QCOMPARE(got.kup1AutomaticallyTo0, orig.kup1AutomaticallyTo0);
    else
        QCOMPARE(got.kup1Automatically, orig.kup1Automatically);
    QCOMPARE(got.driftSeted, orig.driftSeted);
    QCOMPARE(got.driftIds, orig.driftIds);
    QCOMPARE(got.nodes.size(), orig.nodes.size());
    for (int k = 0; k < got.nodes.size(); ++k) {
        const NodeData &g = got.nodes.at(k), &o = orig.nodes.at(k);
        QCOMPARE(g.id, o.id);
        QCOMPARE(g.x, o.x);
        QCOMPARE(g.y, o.y);
        QCOMPARE(QList<int>({g.nf1, g.nf2, g.nf3, g.kup1, g.kup2, g.kup3, g.iout}),
                 QList<int>({o.nf1, o.nf2, o.nf3, o.kup1, o.kup2, o.kup3, o.iout}));
    }
    QCOMPARE(got.memberTypes.size(), orig.memberTypes.size());
    QCOMPARE(int(got.ownedMembers.size()), int(got.memberTypes.size()));
    for (int k = 0; k < got.memberTypes.size(); ++k) {
        QCOMPARE(got.memberTypes.at(k), got.ownedMembers.at(size_t(k)).get());
        checkMember(*got.memberTypes.at(k), *orig.memberTypes.at(k), storedFields.at(k),
                    QStringLiteral("member type %1").arg(k + 1));
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(got.bars.size(), orig.bars.size());
    for (int k = 0; k < got.bars.size(); ++k) {
        const BarData &g = got.bars.at(k), &o = orig.bars.at(k);
        QCOMPARE(QList<int>({g.id, g.mTypeId, g.source, g.dest, g.node3, g.node4, g.iout}),
                 QList<int>({o.id, o.mTypeId, o.source, o.dest, o.node3, o.node4, o.iout}));
    }
    QCOMPARE(got.fx, orig.fx);
    QCOMPARE(got.fy, orig.fy);
    QCOMPARE(got.fm, orig.fm);
    QCOMPARE(got.wx, orig.wx);
    QCOMPARE(got.wy, orig.wy);
    QCOMPARE(got.wd, orig.wd);
    const bool shape = orig.a[5] < 0;
    QCOMPARE(got.shapeEnabled, shape);
    QCOMPARE(got.shapeFx, shape ? orig.shapeFx : QList<double>());
    QCOMPARE(got.shapeFy, shape ? orig.shapeFy : QList<double>());
    QCOMPARE(got.shapeFm, shape ? orig.shapeFm : QList<double>());
    QCOMPARE(got.alpha, shape ? orig.alpha : 0.0);
    QCOMPARE(got.quakeA[0], orig.quakeA[0]);
    QCOMPARE(got.quakeA[1], orig.quakeA[1]);
    for (int k = 0; k < 6; ++k) QCOMPARE(got.quakeB[k], orig.quakeB[k]);
    QCOMPARE(got.quakeFile, expectedQuakeFile);
    QCOMPARE(got.quakeSeted, orig.quakeSeted);
}

QByteArray readData(const QString &name)
{
    QFile f(QStringLiteral(TESTDATA_DIR "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// A small, complete project written by hand: 2 x 2 grid, one FRAME type,
// one member. Line numbers are those of the refusal table below.
QStringList smallProjectLines()
{
    return {
        "0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0",         // 1
        "4\t1\t1\t0\t0\t0\t9.8\t0\t0\t0\t0\t1",     // 2
        "0\t0\t0\t0\t1\t10\t1\t0.5\t2\t1\t0\t0",    // 3
        "0\t0\t0.0001\t0\t0\t0\t0\t0\t0\t0\t0.1",   // 4
        "2",                                        // 5
        "0\t5",                                     // 6
        "2",                                        // 7
        "0\t3",                                     // 8
        "None\t0",                                  // 9
        "0\t0",                                     // 10
        "4",                                        // 11
        "1\t1\t1\t0\t0\t0\t0",                      // 12
        "1\t1\t1\t0\t0\t0\t0",                      // 13
        "0\t0\t0\t0\t0\t0\t0",                      // 14
        "0\t0\t0\t0\t0\t0\t0",                      // 15
        "1",                                        // 16
        "1\t0\tMTYPE1",                             // 17
        "1\t0\t0\t0\t0\t0\t0\t0\t0",                // 18
        "0\t0\t0\t0\t0\t0\t0\t0\t0\t0",             // 19
        "1",                                        // 20
        "1\t1\t1\t3\t0\t0\t0",                      // 21
        "0",                                        // 22
        "0",                                        // 23
        "0\t0\t0\t0\t0\t0\t0\t0",                   // 24
        "NULL!NULL",                                // 25
        "1\t1\t1",                                  // 26
    };
}

QByteArray joinLines(const QStringList &lines)
{
    return (lines.join('\n') + '\n').toUtf8();
}

} // namespace

class tst_ProjectFile : public QObject
{
    Q_OBJECT
private slots:
    void freshProjectIsSixteenLines();
    void defaultFrameBlock();
    void memberTypeBlockLines_data();
    void memberTypeBlockLines();
    void conditionalRecords_data();
    void conditionalRecords();
    void numberFormatAndStreamSettings();
    void textsWithBlanksAreQuoted_data();
    void textsWithBlanksAreQuoted();
    void roundTrip_data();
    void roundTrip();
    void smallProjectReads();
    void refused_data();
    void refused();
    void impossibleProjectsRefused_data();
    void impossibleProjectsRefused();
    void refusalLeavesTargetUntouched();
    void repeatedGridLinesRefused_data();
    void repeatedGridLinesRefused();
    void boundsOnCounts();
    void numberSpellings();
    void byteOrderMarkIsSkipped();
    void alphaFollowsIpanal_data();
    void alphaFollowsIpanal();
    void truncatedAtEveryLineIsRefused();
    void everyPrefixIsSafe();
    void mutatedFilesAreSafe();
    void writeFileReplacesAtomically();
    void writeFileReportsFailure_data();
    void writeFileReportsFailure();
    void readFileReportsMissingFile();
    void analysisFileIsNamed_data();
    void analysisFileIsNamed();
    void largeModelIsFast();
};

void tst_ProjectFile::freshProjectIsSixteenLines()
{
    ProjectData data;
    const QByteArray written = toBytes(data);
    const QByteArray expected = readData("project_empty.kfp");
    QVERIFY(!expected.isEmpty());
    QCOMPARE(written, expected);
    QCOMPARE(written.count('\n'), 16);

    // And it opens into an empty model.
    ProjectData back;
    QString error;
    QVERIFY2(ProjectFile::read(written, back, &error), qPrintable(error));
    QVERIFY(back.nodes.isEmpty());
    QVERIFY(back.memberTypes.isEmpty());
    QCOMPARE(back.drift, QStringLiteral("None"));
    QCOMPARE(back.quakeFile, QString());
    QCOMPARE(toBytes(back), expected);
}

void tst_ProjectFile::defaultFrameBlock()
{
    ProjectData data;
    QStringList storedFields;
    addType(data, storedFields, Member::FRAME, QString(), QString(), false);
    const QByteArray written = toBytes(data);
    const QByteArray expected = readData("project_default_frame.kfp");
    QVERIFY(!expected.isEmpty());
    QCOMPARE(written, expected);
    QVERIFY(written.contains("\n1\n1\t0\tMTYPE1\n1\t0\t0\t0\t0\t0\t0\t0\t0\n0\t0\t0\t0\t0\t0\t0\t0\t0\t0\n0\n"));
}

// Lines after a block's first line for one record at its defaults plus the
// settings given; tabs written as "|" to keep the table readable.
void tst_ProjectFile::memberTypeBlockLines_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("ictype");
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("expected");

    const QString zeros10 = "0|0|0|0|0|0|0|0|0|0";
    QTest::addRow("FRAME default") << 0 << 0 << "" << "1|0|0|0|0|0|0|0|0\n" + zeros10 + "\n";
    QTest::addRow("FRAME ITYPE 2 Takeda") << 0 << 0
            << "frameA[0]=2 frameA[3]=4 frameA[1]=3 frameA[8]=1 frameB[0]=0.5 frameB[9]=9 frameC[3]=3 frameC[4]=4 "
               "frameG[0]=0.5 frameG[6]=6 takeda[0]=0.5 takKKK=1"
            << "2|3|0|4|0|0|0|0|1\n0.5|0|0|0|0|0|0|0|0|9\n0|0|0|3\n0.5|0|0|0|0|0|6|0\n0.5|0|1|1\n";
    QTest::addRow("FRAME ITYPE 2 IEND 1") << 0 << 0 << "frameA[0]=2 frameA[3]=4 frameIEND=1 frameG2[6]=7"
            << "2|0|0|4|0|0|0|0|0\n" + zeros10 + "\n0|0|0|0\n0|0|0|0|0|0|0|1\n0|0|0|0|0|0|7\n0|0|1|2\n";
    QTest::addRow("FRAME ICTYPE 5 damping") << 0 << 5 << "frameIC[1]=0.5"
            << "1|0|0|0|0|0|0|0|0\n" + zeros10 + "\n0|0.5|0\n";
    QTest::addRow("FRAME ICTYPE 7 ICOND 1") << 0 << 7 << "frameA[2]=1 frameIOP=1 frameE[0]=0.5 frameE[5]=5"
            << "1|0|1|0|0|0|0|0|0\n" + zeros10 + "\n0|0|0\n0.5|0|0|0|0|5|1\n";
    QTest::addRow("FRAME ITYPE 1 rule 8") << 0 << 0 << "frameA[3]=8 frameF[5]=6 frameF[6]=99"
            << "1|0|0|8|0|0|0|0|0\n" + zeros10 + "\n0|0|0|0\n0|0|0|0|0|6\n0|0|0|0|0\n";
    QTest::addRow("FRAME ITYPE 3 rule 31") << 0 << 0 << "frameA[0]=3 frameA[3]=31 frameIEND=1"
            << "3|0|0|31|0|0|0|0|0\n" + zeros10 + "\n0|0|0|0\n0|0|0|0|0|0|0|1\n0|0|0|0|0|0|0\n0|0|0\n";
    QTest::addRow("FRAME ITYPE 4 rule 5") << 0 << 0
            << "frameA[0]=4 frameA[3]=5 frameI[5]=5 ihyst5A[0]=0.5 ihyst5A[1]=0.25 ihyst5B[0]=1 ihyst5B[1]=2 "
               "ihyst5A[2]=3 ihyst5A[4]=4"
            << "4|0|0|5|0|0|0|0|0\n" + zeros10 + "\n0|0|0|0\n0|0|0|0|0|5|0\n0.5|0.25|1|3|0|4|2\n";
    QTest::addRow("FRAME ITYPE 8 rule 56") << 0 << 0
            << "frameA[0]=8 frameA[3]=56 frameIEND=1 frameII[7]=7 frameII2[0]=0.5 frameII2[7]=8 ihyst56IOP=2 "
               "ihyst56[0]=1 ihyst56[8]=9 ihyst56[9]=10 ihyst56[10]=4"
            << "8|0|0|56|0|0|0|0|0\n" + zeros10 + "\n0|0|0|0\n0|0|0|0|0|0|0|7|1\n0.5|0|0|0|0|0|0|8\n"
               "1|0|0|0|0|0|0|0|9|2|10|4\n";
    QTest::addRow("FRAME ITYPE 5 rule 57") << 0 << 0
            << "frameA[0]=5 frameA[3]=57 ihyst57IOP=1 ihyst57[0]=1 ihyst57[6]=7 ihyst57[7]=8 ihyst57[8]=3"
            << "5|0|0|57|0|0|0|0|0\n" + zeros10 + "\n0|0|0|0\n1|0|0|0|0|0|7|1|8|3\n";
    QTest::addRow("FRAME rules 32 35 39 63 53") << 0 << 0 << "frameA[3]=32"
            << "1|0|0|32|0|0|0|0|0\n" + zeros10 + "\n0|0|0|0\n0|0|0|0|0|0\n0|0\n";
    QTest::addRow("FRAME rule 39") << 0 << 0 << "frameA[3]=39"
            << "1|0|0|39|0|0|0|0|0\n" + zeros10 + "\n0|0|0|0\n0|0|0|0|0|0\n0|0|0|1\n";
    QTest::addRow("FRAME rule 53 has no line") << 0 << 0 << "frameA[3]=53"
            << "1|0|0|53|0|0|0|0|0\n" + zeros10 + "\n0|0|0|0\n0|0|0|0|0|0\n";
    QTest::addRow("FRAME IGA 1 ILOS 4") << 0 << 0 << "frameA[7]=1 frameA[4]=4 frameJIDO=2 frameJ[10]=3 frameDEG[4]=5"
            << "1|0|0|0|4|0|0|1|0\n" + zeros10 + "\n0|0|0|0|0|0|0|0|0|0|3|2\n0|0|0|0|5\n";
    QTest::addRow("FRAME IGA 2 ILOS 1") << 0 << 0 << "frameA[7]=2 frameA[4]=1 frameDEG[4]=5"
            << "1|0|0|0|1|0|0|2|0\n" + zeros10 + "\n0|0|0|0|0\n0|0|0|0\n";

    QTest::addRow("SPRING default") << 1 << 0 << "" << "1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n";
    QTest::addRow("SPRING ICTYPE 5") << 1 << 5
            << "springA1[3]=7 springA2[0]=0.25 springA2[9]=9 springA1[4]=2 springA1[5]=1 springA2[10]=0.5 "
               "frameIC[0]=1 frameIC[2]=3"
            << "1|0|0|7|0.25|0|0|0|0|0|0|0|0|9|2|1|0.5\n1|0|3\n";
    QTest::addRow("SPRING ITYPE 1 rule 35") << 1 << 0 << "springA1[1]=35"
            << "1|35|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n0|0|0|0|0|0\n0|0|0\n";
    QTest::addRow("SPRING ITYPE 2 rule 63 ILOS 3") << 1 << 0 << "springA1[0]=2 springA1[1]=63 springA1[2]=3"
            << "2|63|3|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n0|0|0|0|0|0|0|0|0|0\n0|0|0|0\n0|0\n";
    QTest::addRow("SPRING ITYPE 3 rule 53 IBCKL 0") << 1 << 0
            << "springA1[0]=3 springA1[1]=53 springI=3 springE[13]=4 ihyst53A[0]=2 ihyst53A[1]=0 ihyst53B[6]=9"
            << "3|53|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n0|0|0|0|0|0|0|0|0|0|0|0|0|4|3\n2|0|1|10|1.5|100|1.375|55|0|0\n";
    QTest::addRow("SPRING rule 53 IBCKL 1") << 1 << 0 << "springA1[0]=9 springA1[1]=53 ihyst53B[6]=9"
            << "9|53|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n1|1|1|10|1.5|100|1.375|55|9|0\n";
    QTest::addRow("SPRING ITYPE 4 rule 31 has no line") << 1 << 0 << "springA1[0]=4 springA1[1]=31"
            << "4|31|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n0|0|0|0|0|0|0|0|0\n";
    QTest::addRow("SPRING ITYPE 5 rule 4") << 1 << 0 << "springA1[0]=5 springA1[1]=4 springIOP=1"
            << "5|4|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n0|0|1\n0|0|1|2\n";
    for (int rule : {18, 19, 33, 37})
        QTest::addRow("SPRING rule %d has no yield line", rule) << 1 << 0 << QStringLiteral("springA1[1]=%1").arg(rule)
                << QStringLiteral("1|%1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n").arg(rule);

    QTest::addRow("WALL default") << 2 << 0 << ""
            << "2|3|0|0|0|0|0|0|0\n0|0|0|0|0|0|0|0\n0|0|0|0|0|0|0|0|0|0|0\n";
    QTest::addRow("WALL NSECT 2 values") << 2 << 0 << "wallA2[0]=0.5 wallA2[4]=4 wallB[7]=7 wallB[8]=8"
            << "2|3|0|0|0.5|0|0|0|4\n0|0|0|0|0|0|0|7\n0|0|0|0|0|0|0|0|0|0|0\n";
    QTest::addRow("WALL NSECT 3 IHYST 2 ICTYPE 5") << 2 << 5
            << "wallA1[0]=3 wallA1[3]=2 wallA2[2]=2 wallA2[3]=3 wallB[8]=8 wallD[10]=1"
            << "3|3|0|2|0|0|2\n0|0|0|0|0|0|0|0|8\n0|0|0\n0|0|0|0|0|0|0|0|0|0|1\n";
    QTest::addRow("WALL ICOND 1 NIP 4") << 2 << 0 << "wallA1[2]=1 wallA1[1]=4 wallXI[3]=5 wallASI[3]=6 wallACI[3]=7"
            << "2|4|1|0|0|0|0|0|0\n0|0|0|0|0|0|0|0\n0|0|0\n0|0|0\n0|0|0\n5|6|7\n";
    QTest::addRow("WALL ICOND 2") << 2 << 0 << "wallA1[2]=2" << "2|3|2|0|0|0|0|0|0\n0|0|0|0|0|0|0|0\n";

    QTest::addRow("DAMPER ITYPE 0") << 3 << 5
            << "damperA2[0]=0.5 damperA2[4]=4 damperA2[10]=2 damperA1[1]=1 damperA2[11]=3 damperB[5]=5"
            << "0|0.5|0|0|0|4|2|1|3\n0|0|0|0|0|5\n";
    QTest::addRow("DAMPER ITYPE 1") << 3 << 0 << "damperA1[0]=1" << "1|0|0|0|0|0|1|0|0|0\n0|0|0|0|0|0\n";
    QTest::addRow("DAMPER ITYPE 2") << 3 << 0 << "damperA1[0]=2 damperA2[6]=6 damperA2[9]=4"
            << "2|0|0|0|0|0|1|6|0|0|4|0|0|0\n0|0|0|0|0|0\n";

    QTest::addRow("MULTISPRING default") << 4 << 0 << "" << "0|0|0|0|0|0|0|0\n0|0|0|0|0|0|0|0|0|0\n";
    QTest::addRow("MULTISPRING rule 1 ILOS 5 KLOS 2 ICTYPE 7") << 4 << 7
            << "multispringA1[0]=1 multispringA1[1]=5 multispringA1[2]=2 multispringKLOS[3]=8"
            << "1|5|2|0|0|0|0|0\n0|0|0|0|0|0|0|0|0|0\n0|0|0|0|0\n0|0|0|8\n0|0|0\n0|0|0\n";
    QTest::addRow("MULTISPRING rule 8 KLOS 4") << 4 << 0
            << "multispringA1[0]=8 multispringA1[2]=4 multispringA1[3]=1 multispringA2[0]=0.5 multispringA2[3]=3 "
               "multispringB1[0]=4 multispringB1[1]=2 multispringB2[0]=0.25 multispringB2[7]=7 "
               "multispringKLOS[4]=4 ihyst5A[0]=0.5 ihyst5B[1]=1"
            << "8|0|4|1|0.5|0|0|3\n4|2|0.25|0|0|0|0|0|0|7\n0|0|0|0|4\n0.5|0|0|0|0|0|1\n";
    QTest::addRow("MULTISPRING rule 9") << 4 << 0 << "multispringA1[0]=9"
            << "9|0|0|0|0|0|0|0\n0|0|0|0|0|0|0|0|0|0\n0|0\n";

    const QString row54 = "0.0025|0.005|2|0.2|1|1|1|0\n";
    QTest::addRow("REINFORCED default") << 5 << 0 << ""
            << "0|0|0|0|0|0|0|0|0\n0|0|0|0|0|0|0|0|0|0|0\n0|0|0|0|0|0\n" + row54 + row54
               + "1|1|1|10|1.5|100|1.375|55|0|0\n" + row54;
    QTest::addRow("REINFORCED ICONC 1 ISTEEL 1 ICTYPE 5") << 5 << 5
            << "reinforcedA1[0]=1 reinforcedA2[0]=0.5 reinforcedA2[5]=5 reinforcedA1[1]=1 reinforcedA1[2]=1 "
               "reinforcedB[10]=3 reinforcedC[5]=4 ihyst33A.0[7]=7 ihyst33A.0[8]=8 ihyst33B[1]=1 "
               "ihyst33A.2[11]=2 ihyst39[0]=0.5"
            << "1|0.5|0|0|0|0|5|1|1\n0|0|0|0|0|0|0|0|0|0|3\n0|0|0|0|0|4\n0|0|0\n"
               "0|0|0|0|0|0|0|7\n8|0|0|0|0\n0|0|0|0|0|0|0|0\n0|0|0|0|1\n0.5|0|0|1\n"
               "0|0|0|0|0|0|0|0\n0|0|0|2|0\n";
    QTest::addRow("REINFORCED kinds in order") << 5 << 0
            << "ihyst54.0[0]=1 ihyst54.1[0]=2 ihyst54.2[0]=3 ihyst53B[7]=7"
            << "0|0|0|0|0|0|0|0|0\n0|0|0|0|0|0|0|0|0|0|0\n0|0|0|0|0|0\n"
               "1|0.005|2|0.2|1|1|1|0\n2|0.005|2|0.2|1|1|1|0\n1|1|1|10|1.5|100|1.375|55|0|7\n"
               "3|0.005|2|0.2|1|1|1|0\n";
    QTest::addRow("REINFORCED ICONC 2 ISTEEL 2") << 5 << 0 << "reinforcedA1[1]=2 reinforcedA1[2]=2"
            << "0|0|0|0|0|0|0|2|2\n0|0|0|0|0|0|0|0|0|0|0\n0|0|0|0|0|0\n";
}

void tst_ProjectFile::memberTypeBlockLines()
{
    QFETCH(int, type);
    QFETCH(int, ictype);
    QFETCH(QString, config);
    QFETCH(QString, expected);

    ProjectData data;
    data.a[4] = ictype;
    if (ictype == 4)
        data.dampList = {0.05};
    QStringList storedFields;
    addType(data, storedFields, type, config, QString(), false);
    const QString text = QString::fromUtf8(toBytes(data));
    const QString first = QStringLiteral("\n1\n1\t%1\tMTYPE1\n").arg(type);
    const qsizetype begin = text.indexOf(first);
    QVERIFY(begin >= 0);
    ModelCore::rebuildDerived(data);
    // The block ends where the member count (0) starts.
    const qsizetype bodyStart = begin + first.size();
    const qsizetype bodyEnd = text.indexOf(QStringLiteral("\n0\n0\n0\n"), bodyStart - 1);
    QVERIFY(bodyEnd >= 0);
    const QString body = text.mid(bodyStart, bodyEnd + 1 - bodyStart);
    QCOMPARE(body, QString(expected).replace('|', '\t'));
}

void tst_ProjectFile::conditionalRecords_data()
{
    QTest::addColumn<int>("ictype");
    QTest::addColumn<int>("ipvert");
    QTest::addColumn<QString>("expectedAfterControl");   // records 5 and 6, "|" for tab
    QTest::addColumn<QString>("expectedShape");          // records 23 and 24 or empty

    QTest::addRow("ICTYPE 4 with damping") << 4 << 0 << "3\n0.05|0.02|1e-05\n" << "";
    QTest::addRow("ICTYPE 0") << 0 << 0 << "" << "";
    QTest::addRow("IPVERT -2 with shape") << 0 << -2 << "" << "2|0.75\n1|2|3\n-4|5.5|0\n";
    QTest::addRow("IPVERT 2 stores no shape") << 0 << 2 << "" << "";
}

void tst_ProjectFile::conditionalRecords()
{
    QFETCH(int, ictype);
    QFETCH(int, ipvert);
    QFETCH(QString, expectedAfterControl);
    QFETCH(QString, expectedShape);

    ProjectData data;
    data.a[4] = ictype;
    data.a[5] = ipvert;
    data.shapeEnabled = ipvert < 0;
    data.dampList = {0.05, 0.02, 0.00001};
    data.shapeFx = {1, -4};
    data.shapeFy = {2, 5.5};
    data.shapeFm = {3, 0};
    data.alpha = 0.75;
    const QStringList lines = QString::fromUtf8(toBytes(data)).split('\n');
    const QString control = lines.mid(4).join('\n');
    QVERIFY(control.startsWith(QString(expectedAfterControl).replace('|', '\t') + "0\n0\nNone\t0\n"));
    // Loads and weights counts, then shape records or the quake line.
    const QString tail = QString::fromUtf8(toBytes(data));
    const QString expectedTail = "\n0\n0\n0\n0\n" + QString(expectedShape).replace('|', '\t')
            + "0\t0\t0\t0\t0\t0\t0\t0\nNULL!NULL\n0\t0\t0\n";
    QVERIFY2(tail.endsWith(expectedTail), qPrintable(tail));
}

void tst_ProjectFile::numberFormatAndStreamSettings()
{
    ProjectData data;
    data.c[0] = 0.123456789;
    data.c[1] = 1234567;
    data.c[2] = -0.00001;
    data.c[3] = 2.0;
    QByteArray bytes;
    QTextStream out(&bytes);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(2);
    out.setNumberFlags(QTextStream::ForceSign);
    out.setFieldWidth(12);
    ProjectFile::write(out, data);
    out.flush();
    QVERIFY(bytes.startsWith("0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\n0\t0\t0\t0\t0\t0\t0.123457\t1.23457e+06\t-1e-05\t2\t0\t1\n"));
    // The caller's settings are back afterwards.
    QCOMPARE(out.realNumberNotation(), QTextStream::FixedNotation);
    QCOMPARE(out.realNumberPrecision(), 2);
    QCOMPARE(out.numberFlags(), QTextStream::NumberFlags(QTextStream::ForceSign));
    QCOMPARE(out.fieldWidth(), 12);
}

void tst_ProjectFile::textsWithBlanksAreQuoted_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("labelInFile");
    QTest::addColumn<QString>("quake");
    QTest::addColumn<QString>("quakeInFile");
    QTest::addColumn<QString>("quakeRead");

    QTest::addRow("plain") << "MTYPE1" << "MTYPE1" << "elcentro.dat" << "elcentro.dat" << "elcentro.dat";
    QTest::addRow("blanks") << "Beam 1" << "\"Beam 1\"" << "C:/Records/El Centro.txt"
                            << "\"C:/Records/El Centro.txt\"" << "C:/Records/El Centro.txt";
    QTest::addRow("empty") << "" << "\"\"" << "" << "NULL!NULL" << "";
    QTest::addRow("three blanks") << "a  b" << "\"a  b\"" << "   " << "NULL!NULL" << "";
    QTest::addRow("seven blanks") << "x" << "x" << "       " << "NULL!NULL" << "";
    QTest::addRow("eight blanks") << "x" << "x" << "        " << "\"        \"" << "        ";
    QTest::addRow("leading quote") << "\"q" << "\"\\\"q\"" << "\"a b\\c\"" << "\"\\\"a b\\\\c\\\"\"" << "\"a b\\c\"";
    QTest::addRow("inner quote") << "a\"b" << "a\"b" << "a\\b" << "a\\b" << "a\\b";
    QTest::addRow("not ASCII") << "Stütze" << "Stütze" << "ü ß" << "\"ü ß\"" << "ü ß";
    const QString longest(1000, QChar(0x20AC));
    QTest::addRow("longest texts") << longest << longest << longest << longest << longest;
}

void tst_ProjectFile::textsWithBlanksAreQuoted()
{
    QFETCH(QString, label);
    QFETCH(QString, labelInFile);
    QFETCH(QString, quake);
    QFETCH(QString, quakeInFile);
    QFETCH(QString, quakeRead);

    ProjectData data;
    QStringList storedFields;
    addType(data, storedFields, Member::DAMPER, QString(), QString(), false)->setLabel(label);
    data.quakeFile = quake;
    ModelCore::rebuildDerived(data);
    const QByteArray bytes = toBytes(data);
    const QString text = QString::fromUtf8(bytes);
    QVERIFY2(text.contains("\n1\t3\t" + labelInFile + "\n"), qPrintable(text));
    QVERIFY2(text.endsWith("\n" + quakeInFile + "\n0\t0\t0\n"), qPrintable(text));

    ProjectData back;
    QString error;
    QVERIFY2(ProjectFile::read(bytes, back, &error), qPrintable(error));
    QCOMPARE(back.memberTypes.size(), 1);
    QCOMPARE(back.memberTypes.at(0)->getLabel(), label);
    QCOMPARE(back.quakeFile, quakeRead);
    QCOMPARE(toBytes(back), bytes);
}

void tst_ProjectFile::roundTrip_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addRow("all categories, ICTYPE 0") << "full0";
    QTest::addRow("all categories, ICTYPE 5 material damping") << "full5";
    QTest::addRow("all categories, ICTYPE 7 material damping") << "full7";
    QTest::addRow("ICTYPE 4 with damping list") << "damping";
    QTest::addRow("IPVERT -2 with shape and ALPHA") << "shape";
    QTest::addRow("WALL NSECT 3 then another type") << "wall3";
    QTest::addRow("WALL ICOND 1 with NIP 4") << "nip4";
    QTest::addRow("member with NODE3 5 and NODE4 7") << "node34";
    QTest::addRow("label with blanks") << "blanks";
    QTest::addRow("empty label") << "emptylabel";
    QTest::addRow("quake name of three blanks") << "quake3";
    QTest::addRow("drift None with its flag") << "driftnone";
}

void tst_ProjectFile::roundTrip()
{
    QFETCH(QString, kind);
    ProjectData orig;
    QStringList storedFields;
    QString quakeRead;
    if (kind.startsWith("full")) {
        buildFull(orig, storedFields, kind.mid(4).toInt());
        quakeRead = orig.quakeFile;
    } else {
        setGrid(orig, {"0", "4", "8"}, {"0", "3", "6"});
        const QString all = "frameA frameB frameC:0-3 takeda takKKK";
        if (kind == "damping") {
            orig.a[4] = 4;
            orig.dampList = {0.05, 0.03, 0.125, 1e-05};
        } else if (kind == "shape") {
            orig.a[5] = -2;
            orig.shapeEnabled = true;
            for (int k = 0; k < 18; ++k) {
                orig.shapeFx.append(k + 0.5);
                orig.shapeFy.append(-k);
                orig.shapeFm.append(six(k * 1e-05));
            }
            orig.alpha = 0.35;
        } else if (kind == "wall3") {
            addType(orig, storedFields, Member::WALL, "wallA1[0]=3 wallA1[1]=3 wallA1[2]=0 wallA1[3]=0",
                    "wallA1 wallA2:0-2 wallB:0-7 wallD");
            addType(orig, storedFields, Member::FRAME, "frameA[0]=1 frameA[2]=0 frameA[3]=4 frameA[4]=0 frameA[7]=0",
                    all + " frameF:0-5");
            addBar(orig, 2, 1, 4);
            addBar(orig, 1, 4, 7);
        } else if (kind == "nip4") {
            Member *w = addType(orig, storedFields, Member::WALL, "wallA1[0]=2 wallA1[1]=4 wallA1[2]=1 wallA1[3]=2",
                                "wallA1 wallA2 wallB wallXI wallASI wallACI");
            *w->getWallXI() = {0.1, 0.2, 0.3, 0.4};
            *w->getWallASI() = {1, 2, 3, 4};
            *w->getWallACI() = {-1, -2, -3, -4};
            addType(orig, storedFields, Member::DAMPER, "damperA1[0]=2", "damperA1 damperA2 damperB");
        } else if (kind == "node34") {
            addType(orig, storedFields, Member::FRAME, "frameA[0]=1 frameA[2]=0 frameA[3]=0 frameA[4]=0 frameA[7]=0",
                    "frameA frameB");
            addBar(orig, 1, 1, 9, 5, 7, 1);
        } else if (kind == "blanks" || kind == "emptylabel") {
            Member *m = addType(orig, storedFields, Member::SPRING, "springA1[0]=1 springA1[1]=0 springA1[2]=0",
                                "springA1 springA2");
            m->setLabel(kind == "blanks" ? QStringLiteral("Beam 1  first floor") : QString());
            addType(orig, storedFields, Member::MULTISPRING, "multispringA1[0]=0 multispringA1[1]=0 multispringA1[2]=0",
                    "multispringA1 multispringA2 multispringB1 multispringB2");
            addBar(orig, 2, 2, 3);
        } else if (kind == "quake3") {
            orig.quakeFile = "   ";
        } else if (kind == "driftnone") {
            orig.drift = "None";
            orig.kup1AutomaticallyTo0 = true;
            orig.driftSeted = true;
        }
        if (kind != "quake3")
            quakeRead = orig.quakeFile;
        orig.controlSeted = true;
        ModelCore::rebuildDerived(orig);
    }
    if (QTest::currentTestFailed())
        return;

    const QByteArray first = toBytes(orig);
    ProjectData back;
    QString error;
    QVERIFY2(ProjectFile::read(first, back, &error), qPrintable(error));
    const QByteArray second = toBytes(back);
    QCOMPARE(second, first);
    checkProject(back, orig, storedFields, quakeRead);
    if (kind == "quake3")
        QVERIFY(first.endsWith("\nNULL!NULL\n1\t0\t0\n"));
    if (kind == "node34")
        QVERIFY(first.contains("\n1\n1\t1\t1\t9\t5\t7\t1\n"));
}

void tst_ProjectFile::smallProjectReads()
{
    ProjectData data;
    QString error;
    QVERIFY2(ProjectFile::read(joinLines(smallProjectLines()), data, &error), qPrintable(error));
    QCOMPARE(data.XLines, QStringList({"0", "5"}));
    QCOMPARE(data.nodes.size(), 4);
    QCOMPARE(data.nodes.at(3).x, 5.0);
    QCOMPARE(data.nodes.at(3).y, 3.0);
    QCOMPARE(data.bars.size(), 1);
    QCOMPARE(data.bars.at(0).dest, 3);
    QCOMPARE(data.memberCategory(1), int(Member::FRAME));
    // Counts follow the model, whatever the file said.
    QCOMPARE(data.b[0], 4);
    QCOMPARE(data.b[1], 1);
    QCOMPARE(data.b[2], 1);
    QCOMPARE(data.b[10], 2);
    QVERIFY(data.controlSeted && data.driftSeted && data.quakeSeted);
    // Blanks, tabs and line ends are all the same to the reader.
    QByteArray loose = joinLines(smallProjectLines());
    loose.replace('\t', "  \r\n ");
    ProjectData again;
    QVERIFY2(ProjectFile::read(loose, again, &error), qPrintable(error));
    QCOMPARE(toBytes(again), toBytes(data));
    loose = joinLines(smallProjectLines()).replace('\n', '\r');
    QVERIFY2(ProjectFile::read(loose, again, &error), qPrintable(error));
    QCOMPARE(toBytes(again), toBytes(data));
}

void tst_ProjectFile::refused_data()
{
    QTest::addColumn<int>("line");              // 1-based line to replace, 0 to append
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("message");

    QTest::addRow("more nodes than the grid") << 11 << "5\n1\t1\t1\t0\t0\t0\t0"
                                              << "Line 11: the file holds 5 nodes but the grid has only 4";
    QTest::addRow("member start node 0") << 21 << "1\t1\t0\t3\t0\t0\t0" << "Line 21: node 0 does not exist";
    QTest::addRow("member end node beyond") << 21 << "1\t1\t1\t5\t0\t0\t0" << "Line 21: node 5 does not exist";
    QTest::addRow("member node3 beyond") << 21 << "1\t1\t1\t3\t5\t0\t0" << "Line 21: node 5 does not exist";
    QTest::addRow("member node4 negative") << 21 << "1\t1\t1\t3\t0\t-1\t0" << "Line 21: node -1 does not exist";
    QTest::addRow("member type beyond the list") << 21 << "1\t2\t1\t3\t0\t0\t0"
                                                 << "Line 21: member type 2 does not exist";
    QTest::addRow("member type negative") << 21 << "1\t-1\t1\t3\t0\t0\t0" << "Line 21: member type -1 does not exist";
    QTest::addRow("member numbered out of order") << 21 << "2\t1\t1\t3\t0\t0\t0"
                                                  << "Line 21: member 1 was expected, not 2";
    QTest::addRow("member type numbered out of order") << 17 << "3\t0\tMTYPE1"
                                                       << "Line 17: member type 1 was expected, not 3";
    QTest::addRow("unknown category") << 17 << "1\t6\tMTYPE1" << "Line 17: unknown member category 6";
    QTest::addRow("negative category") << 17 << "1\t-1\tMTYPE1" << "Line 17: unknown member category -1";
    QTest::addRow("drift column beyond the grid") << 9 << "3\t1"
                                                  << "Line 9: the drift column 3 is not a column of the grid";
    QTest::addRow("drift column 0") << 9 << "0\t1" << "Line 9: the drift column 0 is not a column of the grid";
    QTest::addRow("drift choice unknown") << 9 << "none\t1" << "Line 9: unknown drift choice \"none\"";
    QTest::addRow("drift column not as offered") << 9 << "+1\t1" << "Line 9: unknown drift choice \"+1\"";
    QTest::addRow("word for an integer") << 2 << "4\tx\t1\t0\t0\t0\t9.8\t0\t0\t0\t0\t1"
                                         << "Line 2: a whole number was expected instead of \"x\"";
    QTest::addRow("decimal for an integer") << 1 << "0\t0\t0\t0\t0\t1.5\t0\t0\t0\t0\t0"
                                            << "Line 1: a whole number was expected instead of \"1.5\"";
    QTest::addRow("comma decimal") << 4 << "0\t0\t0,0001\t0\t0\t0\t0\t0\t0\t0\t0.1"
                                   << "Line 4: a number was expected instead of \"0,0001\"";
    QTest::addRow("word for a double") << 19 << "0\t0\t0\t0\t0\t0\t0\t0\t0\tten"
                                       << "Line 19: a number was expected instead of \"ten\"";
    QTest::addRow("integer too large") << 12 << "1\t1\t1\t0\t0\t0\t99999999999"
                                       << "Line 12: the number 99999999999 is too large";
    QTest::addRow("trailing text") << 0 << "extra" << "Line 27: unexpected text after the end of the project";
    QTest::addRow("trailing number") << 0 << "\n\n0" << "Line 29: unexpected text after the end of the project";
    QTest::addRow("negative count") << 22 << "-1" << "Line 22: the count -1 is negative";
    QTest::addRow("count beyond the file") << 23 << "2000000000"
                                           << "Line 23: the count 2000000000 is more than the rest of the file holds";
    QTest::addRow("negative grid line count") << 5 << "-2" << "Line 5: the count -2 is negative";
    QTest::addRow("quoted label not closed") << 17 << "1\t0\t\"MTYPE1" << "Line 17: a quoted text is not closed";
    QTest::addRow("quoted label run on") << 17 << "1\t0\t\"MT\"YPE1"
                                         << "Line 17: a blank was expected after a quoted text";
    QTest::addRow("file ends early") << 26 << "1\t1" << "Line 27: the file ends before the project is complete";
    // IHYST 4 asks for lines the block does not have: the values after it
    // slide into the block until the member numbers no longer fit.
    QTest::addRow("block shorter than its settings") << 18 << "1\t0\t0\t4\t0\t0\t0\t0\t0"
                                                     << "Line 25: a whole number was expected instead of \"NULL!NULL\"";
}

void tst_ProjectFile::refused()
{
    QFETCH(int, line);
    QFETCH(QString, replacement);
    QFETCH(QString, message);

    QStringList lines = smallProjectLines();
    if (line == 0)
        lines.append(replacement);
    else
        lines[line - 1] = replacement;
    ProjectData out;
    QString error;
    QVERIFY(!ProjectFile::read(joinLines(lines), out, &error));
    QCOMPARE(error, message);
}

// Damaged texts, impossible models and files that are not UTF-8, as edits
// of the small project: `find` (once in it, empty for none) becomes
// `replacement`, then the text is stored in `form`.
void tst_ProjectFile::impossibleProjectsRefused_data()
{
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("message");

    const QString label = "\tMTYPE1\n";
    auto withLabel = [](const QString &text) { return "\t" + text + "\n"; };
    QTest::addRow("label with a line break") << label << withLabel("\"two\nlines\"") << ""
                                             << "Line 17: the member type label holds a line break";
    QTest::addRow("label with a tab") << label << withLabel("\"a\tb\"") << ""
                                      << "Line 17: the member type label holds a tab";
    QTest::addRow("label with a NUL") << label << withLabel("MT" + QString(QChar(0)) + "1") << ""
                                      << "Line 17: the member type label holds a NUL character";
    QTest::addRow("label with ESC") << label << withLabel("MT\x1b" "1") << ""
                                    << "Line 17: the member type label holds the control character U+001B";
    QTest::addRow("label with DEL") << label << withLabel("MT\x7f") << ""
                                    << "Line 17: the member type label holds the control character U+007F";
    QTest::addRow("label with NEL") << label << withLabel(QString::fromUtf8("MT\u0085")) << ""
                                    << "Line 17: the member type label holds the control character U+0085";
    QTest::addRow("label of 5000 bytes") << label << withLabel(QString(5000, 'x')) << ""
                                         << "Line 17: the member type label is longer than 1000 characters";
    QTest::addRow("label of 1001 characters") << label << withLabel("\"" + QString(1001, QChar(0x20AC)) + "\"")
                                              << "" << "Line 17: the member type label is longer than 1000 characters";
    QTest::addRow("label not UTF-8") << label << withLabel("Stütze") << "Latin-1"
                                     << "Line 17: the member type label is not valid UTF-8";
    QTest::addRow("record name with a line break") << "NULL!NULL" << "\"El\nCentro\"" << ""
                                                   << "Line 25: the earthquake record name holds a line break";
    QTest::addRow("record name not UTF-8") << "NULL!NULL" << "Ölbeben.dat" << "Latin-1"
                                           << "Line 25: the earthquake record name is not valid UTF-8";
    QTest::addRow("record name too long") << "NULL!NULL" << QString(1001, 'x') << ""
                                          << "Line 25: the earthquake record name is longer than 1000 characters";

    QTest::addRow("grid line a word") << "\n0\t5\n" << "\n0\tabc\n" << ""
                                      << "Line 6: the grid line \"abc\" is not a finite number";
    QTest::addRow("grid line nan") << "\n0\t5\n" << "\nnan\t5\n" << ""
                                   << "Line 6: the grid line \"nan\" is not a finite number";
    QTest::addRow("grid line inf") << "\n0\t3\n" << "\n0\tinf\n" << ""
                                   << "Line 8: the grid line \"inf\" is not a finite number";
    QTest::addRow("value inf") << "\t9.8\t" << "\tinf\t" << ""
                               << "Line 2: a finite number was expected instead of \"inf\"";
    QTest::addRow("member type value -inf")
            << "\n0\t0\t0\t0\t0\t0\t0\t0\t0\t0\n1\n" << "\n-inf\t0\t0\t0\t0\t0\t0\t0\t0\t0\n1\n" << ""
            << "Line 19: a finite number was expected instead of \"-inf\"";
    QTest::addRow("load nan") << "\n0\n0\n0\t0\t0" << "\n1\n0\tnan\t0\n0\n0\t0\t0" << ""
                              << "Line 23: a finite number was expected instead of \"nan\"";

    const QString member = "\n1\n1\t1\t1\t3\t0\t0\t0\n";
    QTest::addRow("member joins a node to itself") << member << "\n1\n1\t1\t3\t3\t0\t0\t0\n" << ""
                                                   << "Line 21: member 1 joins node 3 to itself";
    QTest::addRow("second member the other way round")
            << member << "\n2\n1\t1\t1\t3\t0\t0\t0\n2\t0\t3\t1\t0\t0\t0\n" << ""
            << "Line 22: member 2 joins the same nodes as member 1";
    QTest::addRow("second member the same way")
            << member << "\n3\n1\t1\t1\t3\t0\t0\t0\n2\t1\t1\t2\t0\t0\t0\n3\t1\t1\t3\t0\t0\t0\n" << ""
            << "Line 23: member 3 joins the same nodes as member 1";
    QTest::addRow("KUP1 beyond the grid") << "\n4\n1\t1\t1\t0" << "\n4\n1\t1\t1\t5" << ""
                                          << "Line 12: KUP1 names node 5, which does not exist";
    QTest::addRow("KUP3 beyond the grid") << "\t0\t0\t0\n1\n1\t0\tMTYPE1" << "\t0\t9\t0\n1\n1\t0\tMTYPE1" << ""
                                          << "Line 15: KUP3 names node 9, which does not exist";
    const QString loadsAndWeights = "\n0\n0\n0\t0\t0\t0\t0\t0\t0\t0\n";
    const QString fiveRows = QString("1\t1\t1\n").repeated(5);
    QTest::addRow("more loads than nodes") << loadsAndWeights << "\n5\n" + fiveRows + "0\n0\t0\t0\t0\t0\t0\t0\t0\n"
                                           << "" << "Line 22: there are more loads (5) than nodes (4)";
    QTest::addRow("more weights than nodes") << loadsAndWeights << "\n0\n5\n" + fiveRows + "0\t0\t0\t0\t0\t0\t0\t0\n"
                                             << "" << "Line 23: there are more weights (5) than nodes (4)";

    QTest::addRow("CR line ends") << member << "\n1\n1\t1\t3\t3\t0\t0\t0\n" << "CR"
                                  << "Line 21: member 1 joins node 3 to itself";
    QTest::addRow("CRLF line ends") << "\n4\n1\t1\t1\t0" << "\n4\n1\t1\t1\t5" << "CRLF"
                                    << "Line 12: KUP1 names node 5, which does not exist";
    const QString utf16 = "Line 1: the file is not UTF-8 text (it looks like UTF-16)";
    QTest::addRow("UTF-16LE") << "" << "" << "UTF-16LE" << utf16;
    QTest::addRow("UTF-16BE") << "" << "" << "UTF-16BE" << utf16;
    QTest::addRow("UTF-16 with mark") << "" << "" << "UTF-16 with mark" << utf16;
}

void tst_ProjectFile::impossibleProjectsRefused()
{
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, form);
    QFETCH(QString, message);

    QString text = smallProjectLines().join('\n') + '\n';
    if (!find.isEmpty()) {
        QCOMPARE(text.count(find), 1);
        text.replace(find, replacement);
    }
    QByteArray content;
    if (form.isEmpty()) {
        content = text.toUtf8();
    } else if (form == "CR" || form == "CRLF") {
        content = text.replace('\n', form == "CR" ? "\r" : "\r\n").toUtf8();
    } else if (form == "Latin-1") {
        content = text.toLatin1();
    } else {
        QStringEncoder encoder(form == "UTF-16BE" ? QStringConverter::Utf16BE : QStringConverter::Utf16LE,
                               form.contains("mark") ? QStringConverter::Flag::WriteBom
                                                     : QStringConverter::Flag::Default);
        content = encoder.encode(text);
    }
    ProjectData out;
    QString error;
    QVERIFY(!ProjectFile::read(content, out, &error));
    QCOMPARE(error, message);
}

void tst_ProjectFile::refusalLeavesTargetUntouched()
{
    ProjectData out;
    QStringList storedFields;
    buildFull(out, storedFields, 5);
    const QByteArray before = toBytes(out);
    Member *first = out.memberTypes.at(0);

    QStringList lines = smallProjectLines();
    lines[20] = "1\t1\t1\t9\t0\t0\t0";
    QString error;
    QVERIFY(!ProjectFile::read(joinLines(lines), out, &error));
    QVERIFY(error.startsWith("Line 21: "));
    QCOMPARE(toBytes(out), before);
    QCOMPARE(out.memberTypes.at(0), first);

    // Large grids are refused before any node is made.
    QStringList big = smallProjectLines();
    QStringList texts;
    for (int k = 0; k < 1001; ++k)
        texts.append(QString::number(k));
    big[4] = "1001";
    big[5] = texts.join('\t');
    big[6] = "1001";
    big[7] = texts.join('\t');
    QVERIFY(!ProjectFile::read(joinLines(big), out, &error));
    QCOMPARE(error, QStringLiteral("Line 7: the grid has 1002001 nodes, more than a project may have (1000000)"));
    QCOMPARE(toBytes(out), before);
}

void tst_ProjectFile::repeatedGridLinesRefused_data()
{
    QTest::addColumn<QStringList>("xs");
    QTest::addColumn<QStringList>("ys");
    QTest::addColumn<QString>("message");

    QTest::addRow("same value, other text") << QStringList{"0", "6", "12", "12.0"} << QStringList{"0", "3"}
                                            << "Line 6: the X grid line \"12.0\" is the same as \"12\"";
    QTest::addRow("same Y text") << QStringList{"0", "5"} << QStringList{"18", "18"}
                                 << "Line 8: the Y grid line \"18\" is the same as \"18\"";
    QTest::addRow("minus zero") << QStringList{"-0", "5", "0"} << QStringList{"0", "3"}
                                << "Line 6: the X grid line \"0\" is the same as \"-0\"";
    QTest::addRow("exponent") << QStringList{"0", "1e1", "10"} << QStringList{"0", "3"}
                              << "Line 6: the X grid line \"10\" is the same as \"1e1\"";
    QTest::addRow("first repeat in the file named") << QStringList{"5", "0", "5.0", "0"} << QStringList{"0", "3"}
                                                    << "Line 6: the X grid line \"5.0\" is the same as \"5\"";
    QTest::addRow("repeat on a line of its own") << QStringList{"0", "5"} << QStringList{"0", "3\n3.00"}
                                                 << "Line 9: the Y grid line \"3.00\" is the same as \"3\"";
    QTest::addRow("close values differ") << QStringList{"0", "5", "5.0000001"} << QStringList{"0", "3"} << QString();
}

void tst_ProjectFile::repeatedGridLinesRefused()
{
    QFETCH(QStringList, xs);
    QFETCH(QStringList, ys);
    QFETCH(QString, message);

    QStringList lines = smallProjectLines();
    lines[4] = QString::number(xs.size());
    lines[5] = xs.join('\t');
    lines[6] = QString::number(ys.size() + ys.join('\t').count('\n'));
    lines[7] = ys.join('\t');
    ProjectData out;
    QString error;
    QCOMPARE(ProjectFile::read(joinLines(lines), out, &error), message.isEmpty());
    QCOMPARE(error, message);
}

void tst_ProjectFile::boundsOnCounts()
{
    ProjectData out;
    QString error;

    // A member-type count the record memory could not sensibly hold, even
    // though enough values follow to fill the blocks' first lines.
    QStringList lines = smallProjectLines();
    lines[15] = "100001";
    QByteArray content = joinLines(lines.mid(0, 16));
    content += QByteArray("0 ").repeated(300003);
    QVERIFY(!ProjectFile::read(content, out, &error));
    QCOMPARE(error, QStringLiteral("Line 16: 100001 member types are more than a project may have"));

    // Members are bounded as the importer bounds them, before their lines are looked for.
    lines = smallProjectLines();
    lines[19] = "4000001";
    QVERIFY(!ProjectFile::read(joinLines(lines), out, &error));
    QCOMPARE(error, QStringLiteral("Line 20: 4000001 members are more than a project may have (4000000)"));

    // Grid line counts are bounded before any text is kept.
    lines = smallProjectLines();
    lines[4] = "1000001";
    content = joinLines(lines.mid(0, 5)) + QByteArray("1 ").repeated(1000001);
    QVERIFY(!ProjectFile::read(content, out, &error));
    QCOMPARE(error, QStringLiteral("Line 5: 1000001 grid lines are more than a project may have"));

    // The largest grid opens, without any node line in the file.
    lines = smallProjectLines();
    QStringList texts;
    for (int k = 0; k < 1000; ++k)
        texts.append(QString::number(k));
    lines[4] = lines[6] = "1000";
    lines[5] = lines[7] = texts.join('\t');
    lines[10] = "0";
    lines.erase(lines.begin() + 11, lines.begin() + 15);
    ProjectData largest;
    QVERIFY2(ProjectFile::read(joinLines(lines), largest, &error), qPrintable(error));
    QCOMPARE(largest.nodes.size(), 1000000);

    // A file far larger than any project is not read into memory.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile big(dir.filePath("big.kfp"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(qint64(300) * 1024 * 1024));   // sparse, costs no disk
    big.close();
    QVERIFY(!ProjectFile::readFile(big.fileName(), out, &error));
    QVERIFY2(error.contains("too large"), qPrintable(error));
    QVERIFY(out.nodes.isEmpty());
}

void tst_ProjectFile::numberSpellings()
{
    ProjectData back;
    QString error;
    // Spellings the writer never uses are not numbers here.
    for (const char *word : {"NaN", "Infinity", "0x10", "1e400", "1d", "--1"}) {
        QStringList lines = smallProjectLines();
        lines[3] = QStringLiteral("0\t0\t%1\t0\t0\t0\t0\t0\t0\t0\t0.1").arg(word);
        QVERIFY2(!ProjectFile::read(joinLines(lines), back, &error), word);
        QCOMPARE(error, QStringLiteral("Line 4: a number was expected instead of \"%1\"").arg(word));
    }
    // An integer field takes no embedded NUL or sign alone.
    for (const QByteArray &word : {QByteArray("1\0", 2), QByteArray("-"), QByteArray("+")}) {
        QByteArray content = joinLines(smallProjectLines());
        content.replace(0, 1, word);
        QVERIFY(!ProjectFile::read(content, back, &error));
        QVERIFY2(error.startsWith("Line 1: a whole number was expected"), qPrintable(error));
    }
}

void tst_ProjectFile::byteOrderMarkIsSkipped()
{
    ProjectData data;
    QString error;
    QVERIFY2(ProjectFile::read("\xEF\xBB\xBF" + joinLines(smallProjectLines()), data, &error), qPrintable(error));
    QCOMPARE(data.nodes.size(), 4);
}

void tst_ProjectFile::alphaFollowsIpanal_data()
{
    QTest::addColumn<int>("ipanal");
    QTest::addColumn<bool>("active");
    for (int k = 0; k < 10; ++k)
        QTest::addRow("IPANAL %d", k) << k << (k == 6 || k == 8 || k == 9);
}

void tst_ProjectFile::alphaFollowsIpanal()
{
    QFETCH(int, ipanal);
    QFETCH(bool, active);
    QStringList lines = smallProjectLines();
    lines[0] = QStringLiteral("%1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0").arg(ipanal);
    ProjectData data;
    data.showAlpha = !active;
    QString error;
    QVERIFY2(ProjectFile::read(joinLines(lines), data, &error), qPrintable(error));
    QCOMPARE(data.showAlpha, active);
}

void tst_ProjectFile::truncatedAtEveryLineIsRefused()
{
    ProjectData full;
    QStringList storedFields;
    buildFull(full, storedFields, 5);
    const QByteArray bytes = toBytes(full);
    const QList<QByteArray> lines = bytes.split('\n');
    QByteArray prefix;
    for (int k = 0; k + 2 < lines.size(); ++k) {   // the last element is empty
        prefix += lines.at(k);
        prefix += '\n';
        ProjectData out;
        QString error;
        QVERIFY2(!ProjectFile::read(prefix, out, &error), qPrintable(QString::number(k + 1)));
        // At the end, or at a count that the rest of the file cannot hold.
        static const QRegularExpression countTooLarge(
                QStringLiteral("^Line (\\d+): the count \\d+ is more than the rest of the file holds$"));
        const auto match = countTooLarge.match(error);
        const bool atEnd = error == QStringLiteral("Line %1: the file ends before the project is complete").arg(k + 2);
        QVERIFY2(atEnd || (match.hasMatch() && match.captured(1).toInt() <= k + 1),
                 qPrintable(QStringLiteral("cut after line %1: %2").arg(k + 1).arg(error)));
        QVERIFY(out.memberTypes.isEmpty());
    }
}

void tst_ProjectFile::everyPrefixIsSafe()
{
    ProjectData full;
    QStringList storedFields;
    buildFull(full, storedFields, 7);
    full.a[4] = 4;
    full.dampList = {0.02, 0.05};
    full.a[5] = -1;
    full.shapeFx = full.shapeFy = full.shapeFm = {1, 2, 3};
    full.memberTypes.last()->setLabel("with blank");
    const QByteArray bytes = toBytes(full);
    int accepted = 0;
    for (int n = 0; n < bytes.size(); ++n) {
        ProjectData out;
        QString error;
        if (ProjectFile::read(bytes.left(n), out, &error)) {
            // Only the loss of the final line end leaves a whole project.
            QCOMPARE(toBytes(out), bytes);
            ++accepted;
        } else {
            QVERIFY(error.startsWith("Line "));
        }
    }
    QCOMPARE(accepted, 1);
}

void tst_ProjectFile::mutatedFilesAreSafe()
{
    ProjectData full;
    QStringList storedFields;
    buildFull(full, storedFields, 5);
    full.a[5] = -1;
    full.shapeFx = full.shapeFy = full.shapeFm = {1, 2, 3};
    const QByteArray bytes = toBytes(full);
    QRandomGenerator rng(20261208);
    const char alphabet[] = "0123456789-+.e \t\n\"\\x9";
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray m = bytes;
        const int edits = 1 + rng.bounded(4);
        for (int k = 0; k < edits; ++k) {
            const int at = rng.bounded(int(m.size()));
            switch (rng.bounded(3)) {
            case 0: m[at] = alphabet[rng.bounded(int(sizeof alphabet) - 1)]; break;
            case 1: m.remove(at, 1 + rng.bounded(8)); break;
            default: m.insert(at, alphabet[rng.bounded(int(sizeof alphabet) - 1)]); break;
            }
        }
        ProjectData out;
        QString error;
        if (!ProjectFile::read(m, out, &error)) {
            ++refused;
            QVERIFY(error.startsWith("Line "));
        } else {
            // Whatever was accepted is a consistent model.
            for (const BarData &b : out.bars) {
                QVERIFY(b.source >= 1 && b.source <= out.nodes.size());
                QVERIFY(b.dest >= 1 && b.dest <= out.nodes.size());
                QVERIFY(b.mTypeId >= 0 && b.mTypeId <= out.memberTypes.size());
            }
        }
    }
    QVERIFY(refused > 0);
}

void tst_ProjectFile::writeFileReplacesAtomically()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = dir.filePath("model.kfp");
    {
        QFile old(name);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(10000, 'x'));
    }
    ProjectData data;
    QStringList storedFields;
    buildFull(data, storedFields, 0);
    QString error;
    QVERIFY2(ProjectFile::writeFile(name, data, &error), qPrintable(error));
    QFile f(name);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), toBytes(data));
    f.close();

    ProjectData back;
    QVERIFY2(ProjectFile::readFile(name, back, &error), qPrintable(error));
    QCOMPARE(toBytes(back), toBytes(data));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"model.kfp"}));
}

void tst_ProjectFile::writeFileReportsFailure_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addRow("missing folder") << "no/such/folder/model.kfp";
    QTest::addRow("existing folder") << "folder";
    QTest::addRow("empty name") << "";
}

void tst_ProjectFile::writeFileReportsFailure()
{
    QFETCH(QString, relative);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QVERIFY(QFile::copy(QStringLiteral(TESTDATA_DIR "/project_empty.kfp"), dir.filePath("folder/inside.kfp")));
    const QString name = relative.isEmpty() ? QString() : dir.filePath(relative);
    ProjectData data;
    QString error;
    QVERIFY(!ProjectFile::writeFile(name, data, &error));
    QVERIFY(!error.isEmpty());
    // Nothing was left behind or replaced.
    QVERIFY(QFileInfo(dir.filePath("folder")).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"folder"}));
    QCOMPARE(QDir(dir.filePath("folder")).entryList(QDir::Files), QStringList({"inside.kfp"}));
}

void tst_ProjectFile::readFileReportsMissingFile()
{
    ProjectData out;
    QString error;
    QVERIFY(!ProjectFile::readFile(QStringLiteral("/no/such/file.kfp"), out, &error));
    QVERIFY(error.contains("/no/such/file.kfp"));
}

void tst_ProjectFile::analysisFileIsNamed_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("named");   // else the reader's own line and reason
    const QByteArray generated = readData("analysis_portal.txt");
    QVERIFY(!generated.isEmpty());
    QTest::newRow("generated") << generated << true;
    QTest::newRow("typed, NODES section") << QByteArray("My frame\n2\t0\n\nNODES\t0\n1\t0\t0\n") << true;
    QTest::newRow("not a project at all") << QByteArray("hello\nworld\n") << false;
}

void tst_ProjectFile::analysisFileIsNamed()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, named);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("frame.txt"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    ProjectData out;
    QString error;
    QVERIFY(!ProjectFile::readFile(file, out, &error));
    const QString message = QStringLiteral("frame.txt looks like an analysis input file, not a project: "
                                           "use File \u2192 Import Analysis File\u2026 (--import)");
    QCOMPARE(error == message, named);
    QVERIFY(named || error.startsWith(QLatin1String("Line ")));
}

void tst_ProjectFile::largeModelIsFast()
{
    ProjectData data;
    QStringList xs, ys;
    for (int k = 0; k < 101; ++k) {
        xs.append(QString::number(k * 5));
        ys.append(QString::number(k * 3.5));
    }
    setGrid(data, xs, ys);
    QStringList storedFields;
    addType(data, storedFields, Member::FRAME, "frameA[0]=2 frameA[3]=4", QString());
    addType(data, storedFields, Member::WALL, "wallA1[2]=1 wallA1[1]=3", QString());
    for (int row = 0; row < 101; ++row) {
        for (int col = 0; col < 101; ++col) {
            const int id = row * 101 + col + 1;
            if (col < 100)
                addBar(data, 1, id, id + 1);
            if (row < 100)
                addBar(data, 2, id, id + 101);
        }
    }
    for (int k = 0; k < data.nodes.size(); ++k) {
        data.fx.append(k * 0.5); data.fy.append(1); data.fm.append(0);
        data.wx.append(10); data.wy.append(10); data.wd.append(0.125);
    }
    ModelCore::rebuildDerived(data);
    QCOMPARE(data.bars.size(), 20200);

    QElapsedTimer timer;
    timer.start();
    const QByteArray bytes = toBytes(data);
    const qint64 writeMs = timer.elapsed();
    timer.restart();
    ProjectData back;
    QString error;
    QVERIFY2(ProjectFile::read(bytes, back, &error), qPrintable(error));
    const qint64 readMs = timer.elapsed();
    qInfo("%lld bytes: write %lld ms, read %lld ms", qint64(bytes.size()), writeMs, readMs);
    QCOMPARE(back.nodes.size(), 10201);
    QCOMPARE(back.bars.size(), 20200);
    QVERIFY(writeMs < 200);
    QVERIFY(readMs < 200);
}

QTEST_GUILESS_MAIN(tst_ProjectFile)
#include "tst_projectfile.moc"
