#include <QtTest>

#include "analysiswriter.h"
#include "member.h"
#include "projectdata.h"
#include "testmodels.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

// n tab characters: expected comments are spelled as T(count) + text, so the
// tab counts here are written independently of the writer's literals.
QString T(int n)
{
    return QString(n, QLatin1Char('\t'));
}

// "from\tfrom+1\t...\tto"
QString S(int from, int to)
{
    QStringList parts;
    for (int v = from; v <= to; ++v)
        parts << QString::number(v);
    return parts.join(QLatin1Char('\t'));
}

QString ints(const QList<int> &values)
{
    QStringList parts;
    for (int v : values)
        parts << QString::number(v);
    return parts.join(QLatin1Char('\t'));
}

template <typename V>
void seq(V *p, int n, int base)
{
    for (int i = 0; i < n; ++i)
        p[i] = V(base + i);
}

template <typename V, size_t N>
void set(V *p, const V (&values)[N])
{
    std::copy(std::begin(values), std::end(values), p);
}

QString generate(const ProjectData &data)
{
    QString text;
    QTextStream out(&text);
    AnalysisWriter::write(out, data);
    out.flush();
    return text;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QString expectedFile(const QString &name)
{
    return QString::fromUtf8(readFile(QStringLiteral(TESTDATA_DIR "/") + name));
}

using TestModels::addType;

// A portal: two columns and a beam on a 2 x 2 grid.
ProjectData portalModel(int ictype)
{
    ProjectData d;
    set(d.a, {2, 0, 1, 0, ictype, 0, 0, 0, 0, 0, 0});
    set(d.b, {4, 3, 1, 1, 1, 1, 0, 0, 0, 0, 2, 1, 0, 0});
    set(d.c, {9.8, 5.0, 5.0, 0.01, 10.0, 1.0, 1.0, 10.0, 1.0, 0.5});
    set(d.d, {10, 0, 0});
    d.dampList = {5.0, 3.0};

    d.XLines = {QStringLiteral("0"), QStringLiteral("7.5")};
    d.YLines = {QStringLiteral("0"), QStringLiteral("3.2")};
    d.nodesIOut = 0;
    d.elementsIOut = 1;
    d.nodes = ModelCore::buildNodes(d.XLines, d.YLines, d.nodesIOut);
    d.nodes[3].kup1 = 3;
    d.nodes[3].iout = 1;
    d.drift = QStringLiteral("1");
    d.driftIds = ModelCore::driftIds(d.drift, 2, 2);

    d.bars = {BarData{1, 1, 1, 3, 0, 0, 0}, BarData{2, 1, 2, 4, 0, 0, 0},
              BarData{3, 1, 4, 3, 0, 0, 1}};   // the beam drawn right to left

    Member *beam = addType(d, Member::FRAME, QStringLiteral("BEAM-1"));
    set(beam->getFrameA(), {2, 0, 0, 4, 0, 0, 0, 0, 0});
    set(beam->getFrameB(), {2.5e7, 0.09, 0.000675});
    set(beam->getFrameC(), {0.05, 0.0, 0.5, 0.5});
    set(beam->getFrameG(), {150.0, -150.0, 1200.0, 80.0, -80.0, 0.5, 0.3});
    set(beam->getFrameG2(), {140.0, -140.0, 1100.0, 70.0, -70.0, 0.5, 0.3});
    beam->setFrameIEnd(1);
    beam->getTakeda()[0] = 0.4;
    beam->getTakeda()[1] = 0.3;

    d.wx = {0.0, 0.0, 120.5, 120.5};
    d.wy = d.wx;
    d.wd = {0.0, 0.0, 1e-05, 0.0};
    d.fx = {0.0, 0.0, 10.0, 0.0};
    d.fy = {0.0, 0.0, -1234567.0, 0.0};
    d.fm = {0.0, 0.0, 0.0, 0.0};

    d.quakeFile = QStringLiteral("elcentro ns.txt");
    set(d.quakeA, {0, 1});
    set(d.quakeB, {0.02, 1.5, 30.0, 0.0, 0.0, 1.0});
    return d;
}

// The portal with one member type of every category and material damping.
ProjectData everyCategoryModel()
{
    ProjectData d = portalModel(5);
    d.b[2] = 6;
    d.drift = QStringLiteral("None");
    d.driftIds.clear();
    d.bars[2].mTypeId = 9;   // refers past the list: written as held
    d.memberTypes.clear();
    d.ownedMembers.clear();

    Member *col = addType(d, Member::FRAME, QStringLiteral("COL"));
    set(col->getFrameB(), {2e7, 0.16, 0.002133333});
    set(col->getFrameIC(), {0.05, 0.0, 0.0});
    Member *spring = addType(d, Member::SPRING, QStringLiteral("SPR"));
    spring->getSpringA2()[0] = 1000.0;
    set(spring->getFrameIC(), {0.02, 0.03, 0.0});
    Member *wall = addType(d, Member::WALL, QStringLiteral("WALL-A"));
    wall->getWallA2()[1] = 0.2;
    set(wall->getFrameIC(), {0.0, 0.0, 0.04});
    Member *damper = addType(d, Member::DAMPER, QStringLiteral("DMP"));
    set(damper->getFrameIC(), {0.9, 0.9, 0.9});
    Member *multi = addType(d, Member::MULTISPRING, QStringLiteral("MS"));
    set(multi->getFrameIC(), {0.01, 0.01, 0.01});
    Member *rc = addType(d, Member::REINFORCED, QStringLiteral("RC"));
    set(rc->getFrameIC(), {0.03, 0.0, 0.0});
    return d;
}

// Three nodes in one row, two load components of SHAPE, ALPHA active.
ProjectData shapeModel()
{
    ProjectData d;
    set(d.a, {6, 0, 1, 0, 0, -2, 0, 0, 0, 0, 0});
    set(d.b, {3, 2, 1, 0, 1, 0, 0, 0, 0, 0, 1, 1, 0, 0});
    d.XLines = {QStringLiteral("0"), QStringLiteral("4"), QStringLiteral("8")};
    d.YLines = {QStringLiteral("0")};
    d.nodes = ModelCore::buildNodes(d.XLines, d.YLines, 0);
    d.bars = {BarData{1, 1, 1, 2, 0, 0, 0}, BarData{2, 1, 3, 2, 0, 0, 0}};
    addType(d, Member::FRAME);
    d.wx = {0.0, 0.0, 0.0};
    d.wy = d.wx;
    d.wd = d.wx;
    d.fx = {1.0, 0.0, 0.0};
    d.fy = {0.0, 0.0, 0.0};
    d.fm = {0.0, 0.0, 0.0};
    d.shapeEnabled = true;
    d.showAlpha = true;
    d.alpha = 0.25;
    d.shapeFx = {1.0, 2.0, 3.0, 0.0, 0.0, 0.0};
    d.shapeFy = {0.0, 0.0, 0.0, 1.0, 2.0, 3.0};
    d.shapeFm = {0.0, 0.0, 0.0, 0.0, 0.0, -0.5};
    return d;
}

// Smallest model around one member type, for block checks.
ProjectData singleTypeModel(int type, int ictype, Member **member)
{
    ProjectData d;
    d.a[4] = ictype;
    d.nodes = ModelCore::buildNodes({QStringLiteral("0"), QStringLiteral("1")}, {QStringLiteral("0")}, 0);
    d.bars = {BarData{1, 1, 1, 2, 0, 0, 0}};
    *member = addType(d, type, QStringLiteral("T"));
    d.wx = {0.0, 0.0};
    d.fx = {0.0, 0.0};
    return d;
}

// Distinct values in every array a block may read, so a field taken from the
// wrong array or index shows up.
void fillDistinct(Member &m)
{
    seq(m.getFrameIC(), 3, 901);
    seq(m.getFrameDeg(), 5, 911);
    seq(m.getTakeda(), 3, 921);
    m.setTakKKK(7);
    seq(m.getSina(), 5, 931);
    seq(m.getmSina(), 3, 941);
    seq(m.getmBilinear(), 2, 951);
    seq(m.getihyst56(), 11, 961);
    m.setihyst56IOP(3);
    seq(m.getihyst57(), 9, 981);
    m.setihyst57IOP(4);
    seq(m.getihyst5A(), 5, 991);
    set(m.getihyst5B(), {6, 7});
    seq(m.getihyst63(), 2, 1001);
    seq(m.getihyst35(), 3, 1011);
    seq(m.getihyst39(), 4, 1021);
    set(m.getihyst53A(), {1, 0});
    seq(m.getihyst53B(), 8, 1031);
    for (int k = 0; k < 3; ++k) {
        seq(m.getihyst33A()[k], 12, 1100 + 100 * k);
        seq(m.getihyst54()[k], 8, 1500 + 100 * k);
    }
    set(m.getihyst33B(), {11, 12, 13});

    switch (m.getType()) {
    case Member::FRAME:
        seq(m.getFrameB(), 10, 101);
        seq(m.getFrameC(), 4, 201);
        seq(m.getFrameE(), 6, 301);
        m.setFrameIOP(5);
        seq(m.getFrameF(), 6, 401);
        seq(m.getFrameG(), 7, 411);
        seq(m.getFrameG2(), 7, 421);
        seq(m.getFrameH(), 7, 431);
        seq(m.getFrameH2(), 7, 441);
        seq(m.getFrameI(), 6, 451);
        seq(m.getFrameI2(), 6, 461);
        seq(m.getFrameII(), 8, 471);
        seq(m.getFrameII2(), 8, 481);
        seq(m.getFrameJ(), 11, 501);
        m.setFrameJIDO(9);
        seq(m.getFrameK(), 5, 521);
        break;
    case Member::SPRING:
        seq(m.getSpringA2(), 11, 101);
        seq(m.getSpringC(), 6, 201);
        seq(m.getSpringD(), 10, 211);
        seq(m.getSpringE(), 14, 221);
        m.springI = 8;
        seq(m.getSpringF(), 9, 241);
        seq(m.getSpringG(), 2, 251);
        m.springIOP = 9;
        break;
    case Member::WALL:
        seq(m.getWallA2(), 5, 101);
        seq(m.getWallB(), 9, 111);
        seq(m.getWallD(), 11, 121);
        break;
    case Member::DAMPER:
        seq(m.getDamperA2(), 12, 101);
        seq(m.getDamperB(), 6, 201);
        break;
    case Member::MULTISPRING:
        seq(m.getMultiSpringA2(), 4, 101);
        set(m.getMultiSpringB1(), {12, 3});
        seq(m.getMultiSpringB2(), 8, 111);
        seq(m.getMultiSpringKLOS(), 5, 121);
        break;
    case Member::REINFORCED:
        seq(m.getReinforcedA2(), 6, 101);
        seq(m.getReinforcedB(), 11, 111);
        seq(m.getReinforcedC(), 6, 131);
        break;
    default:
        break;
    }
}

// The PROPS section of a generated file without its "PROPS" line.
QString propsOf(const ProjectData &data)
{
    const QString text = generate(data);
    const qsizetype from = text.indexOf(QLatin1String("\nPROPS\n"));
    const qsizetype to = text.indexOf(QLatin1String("\nWEIGHTS\n"));
    if (from < 0 || to < from)
        return QStringLiteral("<no PROPS section>");
    return text.mid(from + 7, to - from - 6);
}

// Lines every block kind shares, with the distinct values above.
const QString kDamping = S(901, 903) + T(15) + QLatin1String("! material specific damping\n");
const QString kDeg4 = S(911, 914) + T(14) + QLatin1String("! strength degradation parameters\n");
const QString kDeg5 = S(911, 915) + T(13) + QLatin1String("! strength degradation parameters\n");
const QString kTakeda = S(921, 923) + QLatin1String("\t7") + T(14)
    + QLatin1String("! modified takeda degrading stiffness hysteresis\n");
const QString kSlack = QLatin1String("991\t992\t6\t993\t994\t995\t7") + T(11)
    + QLatin1String("! bilinear with slackness hysteresis\n");
const QString kSina = S(931, 935) + T(13) + QLatin1String("! sina degrading stiffness hysteresis\n");
const QString kMSina = S(941, 943) + T(15) + QLatin1String("! modified sina model hysteresis\n");
const QString kMBilinear = S(951, 952) + T(16) + QLatin1String("! modified bilinear rule hysteresis\n");
const QString kGap = S(1011, 1013) + T(15) + QLatin1String("! degrading bilinear with gap hysteresis\n");
const QString kDodd = S(1021, 1024) + T(14) + QLatin1String("! dodd-restrepo steel hysteresis\n");
const QString k56 = S(961, 969) + QLatin1String("\t3\t970\t971") + T(6) + QLatin1String("! modified sina hysteresis\n");
const QString k57 = S(981, 987) + QLatin1String("\t4\t988\t989") + T(8) + QLatin1String("! revised takeda hysteresis\n");
const QString kElasticGap = S(1001, 1002) + T(16) + QLatin1String("! bilinear elastic with gap hysteresis\n");

} // namespace

class tst_AnalysisWriter : public QObject
{
    Q_OBJECT
private slots:
    void wholeFile_data();
    void wholeFile();
    void writeFileIsByteExact();
    void writeFileReplacesExistingFile();
    void unwritableTarget_data();
    void unwritableTarget();

    void callerStreamSettingsDoNotLeak();
    void dampingLineWithEmptyList();
    void propsFrameAndSeparators();
    void shapeHeaderAndPresence();
    void shorterListsWriteZero();
    void largeModel();
    void completenessMessages();

    void frameBlock_data();
    void frameBlock();
    void springBlock_data();
    void springBlock();
    void wallBlock_data();
    void wallBlock();
    void damperBlock_data();
    void damperBlock();
    void multiSpringBlock_data();
    void multiSpringBlock();
    void reinforcedBlock_data();
    void reinforcedBlock();
};

void tst_AnalysisWriter::wholeFile_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("file");
    QTest::addRow("portal frame") << "portal" << "analysis_portal.txt";
    QTest::addRow("modal damping list") << "ictype4" << "analysis_ictype4.txt";
    QTest::addRow("material damping, every category") << "ictype5" << "analysis_ictype5.txt";
    QTest::addRow("shape pattern with alpha") << "shape" << "analysis_shape.txt";
}

void tst_AnalysisWriter::wholeFile()
{
    QFETCH(QString, model);
    QFETCH(QString, file);
    ProjectData data = model == QLatin1String("portal")    ? portalModel(0)
                       : model == QLatin1String("ictype4") ? portalModel(4)
                       : model == QLatin1String("ictype5") ? everyCategoryModel()
                                                           : shapeModel();
    const QString expected = expectedFile(file);
    QVERIFY(!expected.isEmpty());
    const QString actual = generate(data);
    QCOMPARE(actual.split(QLatin1Char('\n')), expected.split(QLatin1Char('\n')));
    QCOMPARE(actual, expected);
}

void tst_AnalysisWriter::writeFileIsByteExact()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("portal.txt"));
    QString error = QStringLiteral("stale");
    QVERIFY(AnalysisWriter::writeFile(path, portalModel(0), &error));
    QVERIFY(error.isEmpty());
    QCOMPARE(readFile(path), readFile(QStringLiteral(TESTDATA_DIR "/analysis_portal.txt")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("portal.txt")});
}

void tst_AnalysisWriter::writeFileReplacesExistingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("model.dat"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));   // longer than the new content
    }
    QVERIFY(AnalysisWriter::writeFile(path, shapeModel()));
    QCOMPARE(readFile(path), readFile(QStringLiteral(TESTDATA_DIR "/analysis_shape.txt")));
}

void tst_AnalysisWriter::unwritableTarget_data()
{
    QTest::addColumn<QString>("target");   // relative to a fresh temporary folder
    QTest::addRow("folder that does not exist") << "missing/sub/out.txt";
    QTest::addRow("name of an existing folder") << "existing";
    QTest::addRow("below an existing file") << "plain.txt/out.txt";
    QTest::addRow("no name") << "";
}

void tst_AnalysisWriter::unwritableTarget()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QDir root(dir.path());
    QVERIFY(root.mkdir(QStringLiteral("existing")));
    const QString inside = root.filePath(QStringLiteral("existing/keep.txt"));
    {
        QFile keep(inside);
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.write("kept\n");
    }
    {
        QFile plain(root.filePath(QStringLiteral("plain.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("plain\n");
    }
    const QString path = target.isEmpty() ? QString() : root.filePath(target);

    QString error;
    QVERIFY(!AnalysisWriter::writeFile(path, portalModel(0), &error));
    QVERIFY2(!error.isEmpty(), "a failed write must say why");

    // Nothing new beside the target, the folder and its content untouched.
    QCOMPARE(root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
             (QStringList{QStringLiteral("existing"), QStringLiteral("plain.txt")}));
    QCOMPARE(readFile(root.filePath(QStringLiteral("plain.txt"))), QByteArray("plain\n"));
    QVERIFY(QFileInfo(root.filePath(QStringLiteral("existing"))).isDir());
    QCOMPARE(QDir(root.filePath(QStringLiteral("existing"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("keep.txt")});
    QCOMPARE(readFile(inside), QByteArray("kept\n"));
}

void tst_AnalysisWriter::callerStreamSettingsDoNotLeak()
{
    QString text;
    QTextStream out(&text);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(2);
    out.setNumberFlags(QTextStream::ForceSign | QTextStream::ShowBase);
    out.setIntegerBase(16);
    out.setLocale(QLocale(QLocale::German));
    AnalysisWriter::write(out, portalModel(0));
    out.flush();
    QCOMPARE(text, expectedFile(QStringLiteral("analysis_portal.txt")));
    // The caller gets its settings back.
    QCOMPARE(out.realNumberNotation(), QTextStream::FixedNotation);
    QCOMPARE(out.realNumberPrecision(), 2);
    QCOMPARE(out.integerBase(), 16);
    QCOMPARE(out.locale().language(), QLocale::German);
}

void tst_AnalysisWriter::dampingLineWithEmptyList()
{
    ProjectData data = portalModel(4);
    data.dampList.clear();
    const QStringList lines = generate(data).split(QLatin1Char('\n'));
    QCOMPARE(lines.at(5), T(7) + QLatin1String("! user specified modal damping parameters"));
    QCOMPARE(lines.at(6), QStringLiteral("NODES\t0"));
}

void tst_AnalysisWriter::propsFrameAndSeparators()
{
    // Two member types, one with a category the writer does not know between them.
    ProjectData data;
    data.nodes = ModelCore::buildNodes({QStringLiteral("0")}, {QStringLiteral("0")}, 0);
    addType(data, Member::FRAME, QStringLiteral("A"));
    addType(data, 7, QStringLiteral("ODD"));
    addType(data, Member::DAMPER, QStringLiteral("B"));
    data.wx = {1.0};
    const QString text = generate(data);
    const QString expected = QLatin1String("PROPS\n")
        + QLatin1String("1\tFRAME\tA\n") + ints({1, 0, 0, 0, 0, 0, 0, 0, 0}) + T(9)
        + QLatin1String("! basic section properties\n") + ints({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
        + T(7) + QLatin1String("! elastic section properties\n")
        + QLatin1String("\n")
        + QLatin1String("\n")
        + QLatin1String("3\tDAMPER\tB\n") + QLatin1String("0\t0\t0\t0\t0\t0\t0\t0\t0\n0\t0\t0\t0\t0\t0\n")
        + QLatin1String("\n")
        + QLatin1String("WEIGHTS\n1\t1\t0\t0\n");
    QVERIFY2(text.contains(QLatin1String("\n\n") + expected), qPrintable(text));
}

void tst_AnalysisWriter::shapeHeaderAndPresence()
{
    ProjectData data = shapeModel();
    data.showAlpha = false;
    QString text = generate(data);
    QVERIFY(text.contains(QLatin1String("\n3\t0\t0\t0\n\nSHAPE\n1\t1\t0\t0\n")));

    // The command disabled: no SHAPE section even with shape data.
    data.shapeEnabled = false;
    text = generate(data);
    QVERIFY(!text.contains(QLatin1String("SHAPE")));
    QVERIFY(text.contains(QLatin1String("LOADS\n1\t1\t0\t0\n2\t0\t0\t0\n3\t0\t0\t0\n\nEQUAKE\t\n")));
}

void tst_AnalysisWriter::shorterListsWriteZero()
{
    ProjectData data = shapeModel();
    data.wx = {1.0, 2.0, 3.0};
    data.wy = {4.0};
    data.wd.clear();
    data.fx = {5.0, 6.0};
    data.fy = {7.0, 8.0};
    data.fm = {9.0};
    data.shapeFx = {1.0, 2.0, 3.0, 4.0};
    data.shapeFy = {5.0, 6.0, 7.0};
    data.shapeFm = {8.0};
    const QString text = generate(data);
    QVERIFY2(text.contains(QLatin1String("WEIGHTS\n1\t1\t4\t0\n2\t2\t0\t0\n3\t3\t0\t0\n\n"
                                         "LOADS\n1\t5\t7\t9\n2\t6\t8\t0\n\n"
                                         "SHAPE\t0.25\n1\t1\t5\t8\n2\t2\t6\t0\n3\t3\t7\t0\n1\t4\t0\t0\n\n"
                                         "EQUAKE\t\n")),
             qPrintable(text));
}

void tst_AnalysisWriter::largeModel()
{
    // The size of a big model: 100 x 100 nodes and 20,000 members.
    ProjectData data;
    QStringList xs, ys;
    for (int i = 0; i < 100; ++i) {
        xs << QString::number(i * 2.5);
        ys << QString::number(i * 3);
    }
    data.nodes = ModelCore::buildNodes(xs, ys, 1);
    data.bars.reserve(20000);
    for (int i = 0; i < 20000; ++i)
        data.bars.append(BarData{i + 1, 1 + i % 2, 1 + (i * 7) % 10000, 1 + (i * 13) % 10000, 0, 0, 0});
    addType(data, Member::FRAME);
    addType(data, Member::WALL);
    data.wx.fill(1.0, 10000);
    data.fx.fill(0.5, 10000);
    data.shapeEnabled = true;
    data.shapeFx.fill(2.0, 20000);

    QElapsedTimer timer;
    timer.start();
    const QString text = generate(data);
    const qint64 ms = timer.elapsed();
    qDebug("large model written in %lld ms", ms);
    QVERIFY2(ms < 20000, "writing must stay linear in the model size");

    // 6 header lines, 10,000 nodes + 2, 20,000 members + 2, PROPS 1 + 3 + 1 + 4 + 1,
    // 10,000 weights + 2, 10,000 loads + 1, 20,000 shape rows + 2, EQUAKE 3.
    QCOMPARE(text.count(QLatin1Char('\n')), 6 + 10002 + 20002 + 10 + 10002 + 10001 + 20002 + 3);
    QVERIFY(text.contains(QLatin1String("\n10000\t247.5\t297\t0\t0\t0\t0\t0\t0\t1\n")));
    QVERIFY(text.contains(QLatin1String("\n20000\t2\t9988\t9994\t0\t0\t0\n")));
    // The shape counter wraps after the last node.
    QVERIFY(text.contains(QLatin1String("\n10000\t2\t0\t0\n1\t2\t0\t0\n")));
}

void tst_AnalysisWriter::completenessMessages()
{
    ProjectData data = shapeModel();
    data.controlSeted = data.driftSeted = data.quakeSeted = true;
    QCOMPARE(ModelCore::completenessMessage(data), QString());

    data.shapeFx.clear();
    QCOMPARE(ModelCore::completenessMessage(data), QStringLiteral("You must set, Shape."));
    data.shapeEnabled = false;   // a disabled SHAPE command is not looked at
    QCOMPARE(ModelCore::completenessMessage(data), QString());

    data.driftSeted = data.quakeSeted = false;
    QCOMPARE(ModelCore::completenessMessage(data), QStringLiteral("You must set, Drift, Equake."));

    ProjectData empty;
    empty.shapeEnabled = true;
    QCOMPARE(ModelCore::completenessMessage(empty),
             QStringLiteral("You must set, Nodes, Elements, Member-Types, Control Options, Drift, Equake, "
                            "Loads, Weights, Shape."));
}

// ------------------------------------------------------------------ FRAME

void tst_AnalysisWriter::frameBlock_data()
{
    QTest::addColumn<QList<int>>("a");   // ITYPE IPIN ICOND IHYST ILOS IDAMG ICOL IGA IDUCT
    QTest::addColumn<int>("iend");
    QTest::addColumn<int>("ictype");
    QTest::addColumn<QString>("expected");   // the lines after basic and elastic

    const QString bilinear = S(201, 204) + T(14) + QLatin1String("! member bi-linear factors and hinge properties\n");
    const QString fixedEnd = S(301, 306) + QLatin1String("\t5") + T(11) + QLatin1String("! member initial fixed end forces\n");
    const QString beam = S(401, 406) + T(12) + QLatin1String("! beam yield conditions\n");
    auto first = [](int from, int to, int iend, int tabs, const char *text) {
        return S(from, to) + QLatin1Char('\t') + QString::number(iend) + T(tabs) + QLatin1String(text)
            + QLatin1Char('\n');
    };
    auto second = [](int from, int to, int tabs, const char *text) {
        return S(from, to) + T(tabs) + QLatin1String(text) + QLatin1Char('\n');
    };
    const char *concrete1 = "! concrete beam-column yield surface at end 1 of member";
    const char *concrete2 = "! concrete beam-column yield surface at end 2 of member";
    const char *steel1 = "! steel beam-column yield surface at end 1 of member";
    const char *steel2 = "! steel beam-column yield surface at end 2 of member";
    const char *quad1 = "! quadratic beam-column yield surface at end 1 of member";
    const char *quad2 = "! quadratic beam-column yield surface at end 2 of member";
    const char *asym1 = "! asymmetric quadratic beam-column yield surface at end 1 of member";
    const char *asym2 = "! asymmetric quadratic beam-column yield surface at end 2 of member";
    const QString shear = S(501, 511) + QLatin1String("\t9") + T(6) + QLatin1String("! in-elastic shear parameters\n");
    const QString link = S(521, 525) + T(13) + QLatin1String("! in-elastic flange shear-link parameters\n");

    QTest::addRow("elastic only") << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 0} << 0 << 0 << QString();
    QTest::addRow("beam, takeda") << QList<int>{1, 0, 0, 4, 0, 0, 0, 0, 0} << 0 << 0
                                  << bilinear + beam + kTakeda;
    QTest::addRow("concrete one end, slackness") << QList<int>{2, 0, 0, 5, 0, 0, 0, 0, 0} << 0 << 0
        << bilinear + first(411, 417, 0, 10, concrete1) + kSlack;
    QTest::addRow("concrete both ends, sina") << QList<int>{2, 0, 0, 8, 0, 0, 0, 0, 0} << 1 << 0
        << bilinear + first(411, 417, 1, 10, concrete1) + second(421, 427, 11, concrete2) + kSina;
    QTest::addRow("concrete, no hysteresis, no yield lines") << QList<int>{2, 0, 0, 0, 0, 0, 0, 0, 0} << 1 << 0
                                                             << QString();
    QTest::addRow("steel one end, modified sina model") << QList<int>{3, 0, 0, 31, 0, 0, 0, 0, 0} << 0 << 0
        << bilinear + first(431, 437, 0, 10, steel1) + kMSina;
    QTest::addRow("steel both ends, modified bilinear") << QList<int>{3, 0, 0, 32, 0, 0, 0, 0, 0} << 1 << 0
        << bilinear + first(431, 437, 1, 10, steel1) + second(441, 447, 11, steel2) + kMBilinear;
    QTest::addRow("quadratic one end, gap") << QList<int>{4, 0, 0, 35, 0, 0, 0, 0, 0} << 0 << 0
        << bilinear + first(451, 456, 0, 11, quad1) + kGap;
    QTest::addRow("quadratic both ends, dodd-restrepo") << QList<int>{4, 0, 0, 39, 0, 0, 0, 0, 0} << 1 << 0
        << bilinear + first(451, 456, 1, 11, quad1) + second(461, 466, 12, quad2) + kDodd;
    QTest::addRow("asymmetric one end, rule 56") << QList<int>{8, 0, 0, 56, 0, 0, 0, 0, 0} << 0 << 0
        << bilinear + first(471, 478, 0, 9, asym1) + k56;
    QTest::addRow("asymmetric both ends, rule 57") << QList<int>{8, 0, 0, 57, 0, 0, 0, 0, 0} << 1 << 0
        << bilinear + first(471, 478, 1, 9, asym1) + second(481, 488, 10, asym2) + k57;
    QTest::addRow("no yield surface type, fixed end forces, rule 63") << QList<int>{5, 0, 1, 63, 0, 0, 0, 0, 0}
        << 1 << 5 << bilinear + kDamping + fixedEnd + kElasticGap;
    QTest::addRow("shear, ilos 3, ictype 7") << QList<int>{1, 0, 0, 0, 3, 0, 0, 1, 0} << 0 << 7
                                             << kDamping + shear + kDeg4;
    QTest::addRow("flange link, ilos 4") << QList<int>{1, 0, 0, 0, 4, 0, 0, 2, 0} << 0 << 0 << link + kDeg5;
    QTest::addRow("rule 15 writes no rule line") << QList<int>{1, 0, 0, 15, 0, 0, 0, 0, 0} << 0 << 0
                                                 << bilinear + beam;
    QTest::addRow("rule 53 is not a frame rule") << QList<int>{1, 0, 0, 53, 0, 0, 0, 0, 0} << 0 << 0
                                                 << bilinear + beam;
    QTest::addRow("other icond, iga, ictype") << QList<int>{0, 1, 2, 0, 0, 1, 1, 3, 1} << 0 << 4 << QString();
    QTest::addRow("every line in order") << QList<int>{2, 0, 1, 4, 2, 0, 0, 1, 0} << 1 << 5
        << bilinear + kDamping + fixedEnd + first(411, 417, 1, 10, concrete1) + second(421, 427, 11, concrete2)
               + shear + kDeg4 + kTakeda;
}

void tst_AnalysisWriter::frameBlock()
{
    QFETCH(QList<int>, a);
    QFETCH(int, iend);
    QFETCH(int, ictype);
    QFETCH(QString, expected);

    Member *m = nullptr;
    ProjectData data = singleTypeModel(Member::FRAME, ictype, &m);
    fillDistinct(*m);
    std::copy(a.begin(), a.end(), m->getFrameA());
    m->setFrameIEnd(iend);

    const QString head = QLatin1String("1\tFRAME\tT\n") + ints(a) + T(9) + QLatin1String("! basic section properties\n")
        + S(101, 110) + T(7) + QLatin1String("! elastic section properties\n");
    QCOMPARE(propsOf(data), head + expected + QLatin1Char('\n'));
}

// ----------------------------------------------------------------- SPRING

void tst_AnalysisWriter::springBlock_data()
{
    QTest::addColumn<QList<int>>("a1");   // ITYPE IHYST ILOS IDAMG ITRUSS IOP
    QTest::addColumn<int>("buckling");    // ihyst53A[1]
    QTest::addColumn<int>("ictype");
    QTest::addColumn<QString>("expected");   // the lines after the basic line

    const QString y1 = S(201, 206) + T(12) + QLatin1String("! yield surface ITYPE = 1\n");
    const QString y2 = S(211, 220) + T(8) + QLatin1String("! yield surface ITYPE = 2\n");
    const QString y3 = S(221, 234) + QLatin1String("\t8") + T(3) + QLatin1String("! yield surface ITYPE = 3\n");
    const QString y4 = S(241, 249) + T(9) + QLatin1String("! yield surface ITYPE = 4\n");
    const QString y5 = QLatin1String("251\t252\t9") + T(15) + QLatin1String("! yield surface ITYPE = 5\n");

    QTest::addRow("yield 1, takeda") << QList<int>{1, 4, 0, 1, 2, 3} << 0 << 0 << y1 + kTakeda;
    QTest::addRow("yield 2, ilos 2, slackness") << QList<int>{2, 5, 2, 0, 0, 0} << 0 << 0 << y2 + kDeg4 + kSlack;
    QTest::addRow("yield 3, ilos 5, sina") << QList<int>{3, 8, 5, 0, 0, 0} << 0 << 0 << y3 + kDeg5 + kSina;
    QTest::addRow("yield 4, modified bilinear") << QList<int>{4, 32, 0, 0, 0, 0} << 0 << 0 << y4 + kMBilinear;
    QTest::addRow("yield 5, gap") << QList<int>{5, 35, 0, 0, 0, 0} << 0 << 0 << y5 + kGap;
    QTest::addRow("unknown yield type") << QList<int>{6, 4, 0, 0, 0, 0} << 0 << 0 << kTakeda;
    QTest::addRow("rule 18: no yield line") << QList<int>{1, 18, 1, 0, 0, 0} << 0 << 0 << kDeg4;
    QTest::addRow("rule 19: no yield line") << QList<int>{2, 19, 0, 0, 0, 0} << 0 << 0 << QString();
    QTest::addRow("rule 33: no yield line") << QList<int>{3, 33, 0, 0, 0, 0} << 0 << 0 << QString();
    QTest::addRow("rule 37: no yield line") << QList<int>{4, 37, 0, 0, 0, 0} << 0 << 0 << QString();
    QTest::addRow("rule 0: no yield line") << QList<int>{5, 0, 0, 0, 0, 0} << 0 << 0 << QString();
    QTest::addRow("dodd-restrepo, ictype 5") << QList<int>{1, 39, 0, 0, 0, 0} << 0 << 5 << kDamping + y1 + kDodd;
    QTest::addRow("dhakal with buckling") << QList<int>{1, 53, 0, 0, 0, 0} << 1 << 0
        << y1 + QLatin1String("1\t1\t") + S(1031, 1038) + T(8) + QLatin1String("! dhakal steel hysteresis\n");
    QTest::addRow("dhakal without buckling") << QList<int>{1, 53, 0, 0, 0, 0} << 0 << 0
        << y1 + QLatin1String("1\t0\t") + S(1031, 1036) + QLatin1String("\t0\t0") + T(10)
               + QLatin1String("! dhakal steel hysteresis\n");
    QTest::addRow("rule 56") << QList<int>{1, 56, 0, 0, 0, 0} << 0 << 0 << y1 + k56;
    QTest::addRow("rule 57") << QList<int>{1, 57, 0, 0, 0, 0} << 0 << 0 << y1 + k57;
    QTest::addRow("rule 63") << QList<int>{1, 63, 0, 0, 0, 0} << 0 << 0 << y1 + kElasticGap;
    QTest::addRow("rule 31 is not a spring rule") << QList<int>{1, 31, 0, 0, 0, 0} << 0 << 0 << y1;
    QTest::addRow("every line in order") << QList<int>{1, 4, 1, 0, 0, 0} << 0 << 7 << kDamping + y1 + kDeg4 + kTakeda;
}

void tst_AnalysisWriter::springBlock()
{
    QFETCH(QList<int>, a1);
    QFETCH(int, buckling);
    QFETCH(int, ictype);
    QFETCH(QString, expected);

    Member *m = nullptr;
    ProjectData data = singleTypeModel(Member::SPRING, ictype, &m);
    fillDistinct(*m);
    std::copy(a1.begin(), a1.end(), m->getSpringA1());
    m->getihyst53A()[1] = buckling;

    const QString basic = ints(a1.mid(0, 4)) + QLatin1Char('\t') + S(101, 110) + QLatin1Char('\t')
        + ints(a1.mid(4, 2)) + QLatin1String("\t111") + T(1) + QLatin1String("! basic section properties\n");
    QCOMPARE(propsOf(data), QLatin1String("1\tSPRING\tT\n") + basic + expected + QLatin1Char('\n'));
}

// ------------------------------------------------------------------- WALL

void tst_AnalysisWriter::wallBlock_data()
{
    QTest::addColumn<QList<int>>("a1");   // NSECT NIP ICOND IHYST
    QTest::addColumn<int>("segments");    // length of the segment lists
    QTest::addColumn<int>("ictype");
    QTest::addColumn<QString>("expected");

    const QString basic2 = T(9) + QLatin1String("! basic section properties\n");
    const QString basic3 = T(11) + QLatin1String("! basic section properties\n");
    const QString steel9 = S(111, 119) + T(9) + QLatin1String("! concrete and steel properties\n");
    const QString steel8 = S(111, 118) + T(10) + QLatin1String("! concrete and steel properties\n");
    const QString standard = S(121, 131) + T(7) + QLatin1String("! input for standard wall section\n");
    auto segment = [](int k, int xi, int asi, int aci) {
        return ints({k, xi, asi, aci}) + T(14) + QLatin1String("! input for numerical wall section\n");
    };

    QTest::addRow("two sections, rule 2, standard") << QList<int>{2, 3, 0, 2} << 3 << 0
        << QLatin1String("2\t3\t0\t2\t") + S(101, 105) + basic2 + steel9 + standard;
    QTest::addRow("three sections, numerical") << QList<int>{3, 3, 1, 1} << 3 << 0
        << QLatin1String("3\t3\t1\t1\t") + S(101, 103) + basic3 + steel8 + segment(1, 201, 211, 221)
               + segment(2, 202, 212, 222) + segment(3, 203, 213, 223);
    QTest::addRow("segment lists shorter than NIP") << QList<int>{2, 4, 1, 0} << 2 << 0
        << QLatin1String("2\t4\t1\t0\t") + S(101, 105) + basic2 + steel8 + segment(1, 201, 211, 221)
               + segment(2, 202, 212, 222) + segment(3, 0, 0, 0) + segment(4, 0, 0, 0);
    QTest::addRow("numerical, ictype 5") << QList<int>{2, 2, 1, 2} << 3 << 5
        << QLatin1String("2\t2\t1\t2\t") + S(101, 105) + basic2 + steel9 + kDamping + segment(1, 201, 211, 221)
               + segment(2, 202, 212, 222);
    QTest::addRow("other icond writes no section line") << QList<int>{2, 3, 2, 0} << 3 << 7
        << QLatin1String("2\t3\t2\t0\t") + S(101, 105) + basic2 + steel8 + kDamping;
}

void tst_AnalysisWriter::wallBlock()
{
    QFETCH(QList<int>, a1);
    QFETCH(int, segments);
    QFETCH(int, ictype);
    QFETCH(QString, expected);

    Member *m = nullptr;
    ProjectData data = singleTypeModel(Member::WALL, ictype, &m);
    fillDistinct(*m);
    std::copy(a1.begin(), a1.end(), m->getWallA1());
    m->getWallXI()->clear();
    m->getWallASI()->clear();
    m->getWallACI()->clear();
    for (int k = 0; k < segments; ++k) {
        m->getWallXI()->append(201 + k);
        m->getWallASI()->append(211 + k);
        m->getWallACI()->append(221 + k);
    }
    QCOMPARE(propsOf(data), QLatin1String("1\tWALL\tT\n") + expected + QLatin1Char('\n'));
}

// ----------------------------------------------------------------- DAMPER

void tst_AnalysisWriter::damperBlock_data()
{
    QTest::addColumn<QList<int>>("a1");   // ITYPE LIMIT
    QTest::addColumn<int>("ictype");
    QTest::addColumn<QString>("first");

    QTest::addRow("type 0") << QList<int>{0, 4} << 0 << QLatin1String("0\t") + S(101, 105) + QLatin1String("\t111\t4\t112");
    QTest::addRow("type 1") << QList<int>{1, 4} << 0 << QLatin1String("1\t") + S(101, 106) + QLatin1String("\t111\t4\t112");
    QTest::addRow("type 2, no material damping") << QList<int>{2, 4} << 5
                                                 << QLatin1String("2\t") + S(101, 110) + QLatin1String("\t111\t4\t112");
    QTest::addRow("type 3") << QList<int>{3, 1} << 7 << QLatin1String("3\t") + S(101, 110) + QLatin1String("\t111\t1\t112");
}

void tst_AnalysisWriter::damperBlock()
{
    QFETCH(QList<int>, a1);
    QFETCH(int, ictype);
    QFETCH(QString, first);

    Member *m = nullptr;
    ProjectData data = singleTypeModel(Member::DAMPER, ictype, &m);
    fillDistinct(*m);
    std::copy(a1.begin(), a1.end(), m->getDamperA1());
    QCOMPARE(propsOf(data), QLatin1String("1\tDAMPER\tT\n") + first + QLatin1Char('\n') + S(201, 206)
                                + QLatin1String("\n\n"));
}

// ------------------------------------------------------------ MULTISPRING

void tst_AnalysisWriter::multiSpringBlock_data()
{
    QTest::addColumn<QList<int>>("a1");   // IHYST ILOS KLOS IDAMG
    QTest::addColumn<int>("ictype");
    QTest::addColumn<QString>("expected");   // the lines after control and section lines

    const QString long4 = S(911, 914) + T(14) + QLatin1String("! longitudinal strength degradation parameters\n");
    const QString long5 = S(911, 915) + T(13) + QLatin1String("! longitudinal strength degradation parameters\n");
    const QString shear4 = S(121, 124) + T(14) + QLatin1String("! shear strength degradation parameters\n");
    const QString shear5 = S(121, 125) + T(13) + QLatin1String("! shear strength degradation parameters\n");

    QTest::addRow("ilos 1, klos 4, gap") << QList<int>{1, 1, 4, 0} << 0 << long4 + shear5 + kGap;
    QTest::addRow("ilos 4, klos 3, slackness") << QList<int>{8, 4, 3, 1} << 0 << long5 + shear4 + kSlack;
    QTest::addRow("ilos 2, klos 1, elastic gap, ictype 5") << QList<int>{9, 2, 1, 0} << 5
                                                           << long4 + shear4 + kDamping + kElasticGap;
    QTest::addRow("ilos 3, klos 2, rule 4 has no line") << QList<int>{4, 3, 2, 0} << 0 << long4 + shear4;
    QTest::addRow("rule 5 has no line") << QList<int>{5, 0, 0, 0} << 0 << QString();
    QTest::addRow("ilos 7, klos 5") << QList<int>{0, 7, 5, 0} << 7 << long5 + shear5 + kDamping;
}

void tst_AnalysisWriter::multiSpringBlock()
{
    QFETCH(QList<int>, a1);
    QFETCH(int, ictype);
    QFETCH(QString, expected);

    Member *m = nullptr;
    ProjectData data = singleTypeModel(Member::MULTISPRING, ictype, &m);
    fillDistinct(*m);
    std::copy(a1.begin(), a1.end(), m->getMultiSpringA1());
    const QString head = ints(a1) + QLatin1Char('\t') + S(101, 104) + T(10) + QLatin1String("! control parameters\n")
        + QLatin1String("12\t3\t") + S(111, 118) + T(8) + QLatin1String("! section properties\n");
    QCOMPARE(propsOf(data), QLatin1String("1\tMULTISPRING\tT\n") + head + expected + QLatin1Char('\n'));
}

// ------------------------------------------------------------- REINFORCED

void tst_AnalysisWriter::reinforcedBlock_data()
{
    QTest::addColumn<QList<int>>("a1");   // JPLAS ISTEEL ICONC
    QTest::addColumn<int>("ictype");
    QTest::addColumn<QString>("expected");   // the lines after the three fixed lines

    const QString pengConfined = S(1500, 1507) + T(10) + QLatin1String("! brian peng for confined concrete hysteresis\n");
    const QString pengCover = S(1600, 1607) + T(10) + QLatin1String("! brian peng for cover concrete hysteresis\n");
    const QString pengShear = S(1700, 1707) + T(10) + QLatin1String("! brian peng for shear concrete hysteresis\n");
    const QString strutConfined =
        S(1100, 1107) + T(10) + QLatin1String("! masonry strut, stress-strain for confined concrete hysteresis\n")
        + S(1108, 1111) + QLatin1String("\t11") + T(13) + QLatin1String("! masonry strut, strut data for confined concrete\n");
    const QString strutCover =
        S(1200, 1207) + T(10) + QLatin1String("! masonry strut stress-strain for cover concrete hysteresis\n")
        + S(1208, 1211) + QLatin1String("\t12") + T(13)
        + QLatin1String("! masonry strut, strut data for cover concrete hysteresis\n");
    const QString strutShear =
        S(1300, 1307) + T(10) + QLatin1String("! masonry strut, stress-strain for shear concrete hysteresis\n")
        + S(1308, 1311) + QLatin1String("\t13") + T(13)
        + QLatin1String("! masonry strut, strut data for shear concrete hysteresis\n");
    // All eight values even without the buckling option.
    const QString dhakal = QLatin1String("1\t0\t") + S(1031, 1038) + T(8) + QLatin1String("! dhakal steel hysteresis\n");

    QTest::addRow("peng, dhakal") << QList<int>{1, 0, 0} << 0 << pengConfined + pengCover + dhakal + pengShear;
    QTest::addRow("masonry, dhakal") << QList<int>{0, 0, 1} << 0 << strutConfined + strutCover + dhakal + strutShear;
    QTest::addRow("peng, dodd-restrepo") << QList<int>{0, 1, 0} << 0 << pengConfined + pengCover + kDodd + pengShear;
    QTest::addRow("masonry, dodd-restrepo, ictype 7") << QList<int>{2, 1, 1} << 7
        << kDamping + strutConfined + strutCover + kDodd + strutShear;
    QTest::addRow("masonry, no steel line, ictype 5") << QList<int>{1, 2, 1} << 5
        << kDamping + strutConfined + strutCover + strutShear;
    QTest::addRow("peng, no steel line") << QList<int>{0, 2, 0} << 0 << pengConfined + pengCover + pengShear;
    QTest::addRow("other concrete, no steel line") << QList<int>{0, 2, 2} << 0 << QString();
}

void tst_AnalysisWriter::reinforcedBlock()
{
    QFETCH(QList<int>, a1);
    QFETCH(int, ictype);
    QFETCH(QString, expected);

    Member *m = nullptr;
    ProjectData data = singleTypeModel(Member::REINFORCED, ictype, &m);
    fillDistinct(*m);
    std::copy(a1.begin(), a1.end(), m->getReinforcedA1());
    const QString head = QString::number(a1.at(0)) + QLatin1Char('\t') + S(101, 106) + QLatin1Char('\t')
        + ints(a1.mid(1)) + T(9) + QLatin1String("! control parameters\n") + S(111, 121) + T(7)
        + QLatin1String("! concrete material parameters\n") + S(131, 136) + T(12)
        + QLatin1String("! steel material properties\n");
    QCOMPARE(propsOf(data), QLatin1String("1\tREINFORCED\tT\n") + head + expected + QLatin1Char('\n'));
}

QTEST_APPLESS_MAIN(tst_AnalysisWriter)
#include "tst_analysiswriter.moc"
