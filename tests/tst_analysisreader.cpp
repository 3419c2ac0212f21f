// The importer of analysis input files: what Generate writes reads back to a
// model that generates the very same bytes; hand-written files with blanks,
// comments and another node order are taken; damaged ones are refused with
// their line and reason.

#include "analysisreader.h"
#include "analysiswriter.h"
#include "member.h"
#include "modellimits.h"
#include "projectdata.h"
#include "projectfile.h"
#include "projectmodel.h"
#include "testmodels.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTextStream>
#include <QtTest>

namespace {

QByteArray generated(const ProjectData &data)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    AnalysisWriter::write(out, data);
    out.flush();
    return bytes;
}

// Through the model, as the window and --import take it.
QByteArray generatedFromModel(ProjectData &data)
{
    ProjectModel model;
    model.resetData(ProjectModel::fromProjectData(data));
    return generated(model.projectData());
}

// Imports and generates again; empty with the refusal in *error.
QByteArray reimported(const QByteArray &analysis, QString *error)
{
    ProjectData data;
    if (!AnalysisReader::read(analysis, data, error))
        return QByteArray();
    return generatedFromModel(data);
}

// The node lines from the top down: the numbers stay, the order changes.
QByteArray nodesReversed(const QByteArray &analysis)
{
    QList<QByteArray> lines = analysis.split('\n');
    qsizetype from = 0;
    while (from < lines.size() && !lines.at(from).startsWith("NODES\t"))
        ++from;
    qsizetype to = ++from;
    while (to < lines.size() && !lines.at(to).isEmpty())
        ++to;
    std::reverse(lines.begin() + from, lines.begin() + to);
    return lines.join('\n');
}

// ---------------------------------------------------------------- random models

double randomValue(QRandomGenerator &rng)
{
    // Spread over the notations the writer uses: fixed, exponent, negative, zero.
    if (rng.bounded(6) == 0)
        return 0.0;
    const double mantissa = (rng.generateDouble() - 0.3) * 10.0;
    return mantissa * std::pow(10.0, rng.bounded(15) - 7);
}

template <size_t N>
int pick(QRandomGenerator &rng, const int (&choices)[N])
{
    return choices[rng.bounded(int(N))];
}

// Every array a record of the category has, filled; then the values that
// choose its lines.
void fillType(QRandomGenerator &rng, Member &m)
{
    const auto fill = [&](auto *p, int n) {
        if (!p)
            return;
        for (int k = 0; k < n; ++k)
            p[k] = decltype(+p[0])(std::is_integral_v<std::decay_t<decltype(p[0])>> ? rng.bounded(-5, 60)
                                                                                      : randomValue(rng));
    };
    fill(m.getTakeda(), 3), fill(m.getSina(), 5), fill(m.getmSina(), 3), fill(m.getmBilinear(), 2);
    fill(m.getihyst56(), 11), fill(m.getihyst57(), 9), fill(m.getihyst5A(), 5), fill(m.getihyst5B(), 2);
    fill(m.getihyst63(), 2), fill(m.getihyst35(), 3), fill(m.getihyst39(), 4), fill(m.getihyst53A(), 2);
    fill(m.getihyst53B(), 8), fill(m.getihyst33B(), 3), fill(m.getFrameIC(), 3), fill(m.getFrameDeg(), 5);
    for (int k = 0; k < 3; ++k)
        fill(m.getihyst54()[k], 8), fill(m.getihyst33A()[k], 12);
    m.setTakKKK(rng.bounded(5)), m.setihyst56IOP(rng.bounded(3)), m.setihyst57IOP(rng.bounded(3));
    m.setFrameIOP(rng.bounded(3)), m.setFrameJIDO(rng.bounded(3)), m.setFrameIEnd(rng.bounded(2));
    m.springI = rng.bounded(3), m.springIOP = rng.bounded(3);
    switch (m.getType()) {
    case Member::FRAME: {
        fill(m.getFrameA(), 9), fill(m.getFrameB(), 10), fill(m.getFrameC(), 4), fill(m.getFrameE(), 6);
        fill(m.getFrameF(), 6), fill(m.getFrameG(), 7), fill(m.getFrameG2(), 7), fill(m.getFrameH(), 7);
        fill(m.getFrameH2(), 7), fill(m.getFrameI(), 6), fill(m.getFrameI2(), 6), fill(m.getFrameII(), 8);
        fill(m.getFrameII2(), 8), fill(m.getFrameJ(), 11), fill(m.getFrameK(), 5);
        int *A = m.getFrameA();
        A[0] = pick(rng, {0, 1, 2, 3, 4, 5, 8});
        A[2] = rng.bounded(3);
        A[3] = pick(rng, {0, 4, 5, 8, 15, 31, 32, 35, 39, 53, 56, 57, 63});
        A[4] = rng.bounded(6);
        A[7] = rng.bounded(4);
        break;
    }
    case Member::SPRING: {
        fill(m.getSpringA1(), 6), fill(m.getSpringA2(), 11), fill(m.getSpringC(), 6), fill(m.getSpringD(), 10);
        fill(m.getSpringE(), 14), fill(m.getSpringF(), 9), fill(m.getSpringG(), 2);
        int *A1 = m.getSpringA1();
        A1[0] = rng.bounded(1, 7);
        A1[1] = pick(rng, {0, 4, 5, 8, 18, 19, 31, 32, 33, 35, 37, 39, 53, 56, 57, 63});
        A1[2] = rng.bounded(6);
        m.getihyst53A()[1] = rng.bounded(2);
        break;
    }
    case Member::WALL: {
        fill(m.getWallA1(), 4), fill(m.getWallA2(), 5), fill(m.getWallB(), 9), fill(m.getWallD(), 11);
        int *A1 = m.getWallA1();
        A1[0] = rng.bounded(2, 4);
        A1[1] = rng.bounded(1, 5);
        A1[2] = rng.bounded(3);
        A1[3] = rng.bounded(1, 3);
        for (QList<double> *list : {m.getWallXI(), m.getWallASI(), m.getWallACI()}) {
            list->clear();
            for (int k = rng.bounded(1, 6); k > 0; --k)
                list->append(randomValue(rng));
        }
        break;
    }
    case Member::DAMPER:
        fill(m.getDamperA1(), 2), fill(m.getDamperA2(), 12), fill(m.getDamperB(), 6);
        m.getDamperA1()[0] = rng.bounded(4);
        break;
    case Member::MULTISPRING:
        fill(m.getMultiSpringA1(), 4), fill(m.getMultiSpringA2(), 4), fill(m.getMultiSpringB1(), 2);
        fill(m.getMultiSpringB2(), 8), fill(m.getMultiSpringKLOS(), 5);
        m.getMultiSpringA1()[0] = rng.bounded(10);
        m.getMultiSpringA1()[1] = rng.bounded(6);
        m.getMultiSpringA1()[2] = rng.bounded(6);
        break;
    case Member::REINFORCED:
        fill(m.getReinforcedA1(), 3), fill(m.getReinforcedA2(), 6), fill(m.getReinforcedB(), 11);
        fill(m.getReinforcedC(), 6);
        m.getReinforcedA1()[1] = rng.bounded(3);
        m.getReinforcedA1()[2] = rng.bounded(3);
        break;
    default:
        break;
    }
}

const char *const kTexts[] = {"MTYPE1", "Beam 300x600", " lead", "trail ", "NULL!NULL", "x ! y", "", "El Centro.txt",
                              "  ", "Stütze"};

ProjectData randomModel(QRandomGenerator &rng, int serial)
{
    ProjectData d;
    const int nX = rng.bounded(1, 6), nY = rng.bounded(1, 5);
    // Lines apart by more than the six digits of the file tell.
    double x = rng.bounded(-20, 20) * 0.75;
    for (int i = 0; i < nX; ++i, x += 0.25 + rng.bounded(40) * 0.5)
        d.XLines << QString::number(x);
    double y = -3.0;
    for (int i = 0; i < nY; ++i, y += 1.5 + rng.bounded(8))
        d.YLines << QString::number(y);
    for (double *p : {d.c, d.e})
        for (int k = 0; k < (p == d.c ? 10 : 8); ++k)
            p[k] = randomValue(rng);
    for (int k = 0; k < 11; ++k)
        d.a[k] = rng.bounded(-2, 10);
    d.a[4] = pick(rng, {0, 1, 4, 4, 5, 7});
    d.a[5] = pick(rng, {0, 1, -1, -2, -3});
    for (int k = 0; k < 14; ++k)
        d.b[k] = rng.bounded(0, 30);
    for (int k = 0; k < 3; ++k)
        d.d[k] = rng.bounded(0, 30);
    for (int k = rng.bounded(4); k > 0; --k)
        d.dampList.append(randomValue(rng));
    d.nodesIOut = rng.bounded(2);
    d.elementsIOut = rng.bounded(2);
    d.nodes = ModelCore::buildNodes(d.XLines, d.YLines, d.nodesIOut);
    const int n = int(d.nodes.size());
    for (NodeData &node : d.nodes) {
        node.nf1 = rng.bounded(2), node.nf2 = rng.bounded(2), node.nf3 = rng.bounded(2);
        node.kup1 = rng.bounded(-3, n + 1), node.kup2 = rng.bounded(-3, n + 1), node.kup3 = rng.bounded(-1, n + 1);
        node.iout = rng.bounded(2);
    }
    if (rng.bounded(2))
        d.drift = QString::number(rng.bounded(1, nX + 1));

    // Every category in turn, so that each model holds a few of them.
    const int types = rng.bounded(1, 7);
    for (int k = 0; k < types; ++k) {
        Member *m = TestModels::addType(d, (serial + k) % 6);
        m->setLabel(QString::fromUtf8(kTexts[rng.bounded(int(std::size(kTexts)))]));
        fillType(rng, *m);
    }
    // Members between distinct pairs, either way round.
    for (int from = 1; from <= n; ++from) {
        for (int to = from + 1; to <= n; ++to) {
            if (rng.bounded(3) != 0)
                continue;
            const bool flip = rng.bounded(2);
            d.bars.append(BarData{int(d.bars.size()) + 1, rng.bounded(types + 1), flip ? to : from, flip ? from : to,
                                  rng.bounded(n + 1), rng.bounded(n + 1), rng.bounded(2)});
        }
    }
    for (int k = rng.bounded(2) ? n : rng.bounded(n + 1); k > 0; --k) {
        d.wx << randomValue(rng), d.wy << randomValue(rng), d.wd << randomValue(rng);
        d.fx << randomValue(rng), d.fy << randomValue(rng), d.fm << randomValue(rng);
    }
    for (int k = (d.a[5] < 0 ? -d.a[5] : 1) * n - rng.bounded(2) * rng.bounded(n + 1); k > 0; --k)
        d.shapeFx << randomValue(rng), d.shapeFy << randomValue(rng), d.shapeFm << randomValue(rng);
    d.alpha = randomValue(rng);
    for (int k = 0; k < 2; ++k)
        d.quakeA[k] = rng.bounded(-1, 100);
    for (double &v : d.quakeB)
        v = randomValue(rng);
    d.quakeFile = QString::fromUtf8(kTexts[rng.bounded(int(std::size(kTexts)))]);
    d.controlSeted = d.driftSeted = d.quakeSeted = true;
    return d;
}

// ---------------------------------------------------------------- hand-written file

// A portal typed by hand: blanks between values, comments, blank lines.
const char *const kHandWritten[] = {
    "Portal frame, typed by hand",                                     // 1
    "2 0 1 0 0 0 0 0 0 0 0      ! IPANAL ... IMODE",                   // 2
    "4 3 2 1 1 1   9.8 2 2 0.01 10 1",                                 // 3
    "0 0 0 0  1 10 1 0.5  2 1 0 0",                                    // 4
    "10 0 0.0001 0 0 0 0 0 0 0 0.1",                                   // 5
    "",                                                                // 6
    "NODES 0",                                                         // 7
    "1 0 0   1 1 1  0 0 0  0",                                         // 8
    "2 6 0   1 1 1  0 0 0  0",                                         // 9
    "3 0 3.5 0 0 0  0 0 0  0",                                         // 10
    "4 6 3.5 0 0 0  3 0 0  1   ! KUP1: moves with node 3",             // 11
    "",                                                                // 12
    "ELEMENTS 1",                                                      // 13
    "1 1 1 3 0 0 0",                                                   // 14
    "2 1 2 4 0 0 0",                                                   // 15
    "3 2 4 3 0 0 1",                                                   // 16
    "",                                                                // 17
    "PROPS",                                                           // 18
    "1 FRAME Column 300x300 ! square",                                 // 19
    "1 0 0 0 0 0 0 0 0         ! ITYPE IPIN ...",                      // 20
    "2.5e7 0.09 0.000675 0 0 0 0 0 0 0",                               // 21
    "",                                                                // 22
    "2\tDAMPER\tViscous damper",                                       // 23
    "1 10 0.5 0 0 0 0.2 0 1 0",                                        // 24
    "0 0 0 0 0 0",                                                     // 25
    "",                                                                // 26
    "WEIGHTS",                                                         // 27
    "1 0 0 0",                                                         // 28
    "2 0 0 0",                                                         // 29
    "3 120 120 0",                                                     // 30
    "4 120 120 0",                                                     // 31
    "",                                                                // 32
    "LOADS",                                                           // 33
    "1 0 0 0",                                                         // 34
    "2 0 0 0",                                                         // 35
    "3 10 0 0",                                                        // 36
    "4 0 0 0",                                                         // 37
    "",                                                                // 38
    "EQUAKE El Centro NS.txt",                                         // 39
    "1 0 0.02 1 30 0 0 1",                                             // 40
};

QByteArray handWritten(const QList<QPair<int, QByteArray>> &changes = {})
{
    QList<QByteArray> lines;
    for (const char *l : kHandWritten)
        lines << l;
    // Changes from the last line up, so that the numbers hold; a null text removes the line.
    for (auto it = changes.crbegin(); it != changes.crend(); ++it) {
        if (it->second.isNull())
            lines.removeAt(it->first - 1);
        else
            lines[it->first - 1] = it->second;
    }
    return lines.join('\n') + '\n';
}

} // namespace

class tst_AnalysisReader : public QObject
{
    Q_OBJECT

private slots:
    void projectsRoundTrip_data();
    void projectsRoundTrip();
    void randomModelsRoundTrip();
    void handWrittenFile();
    void otherNodeOrderIsRenumbered();
    void endsHighestFirst_data();
    void endsHighestFirst();
    void refusals_data();
    void refusals();
    void truncatedFileIsRefused();
    void emptySectionsAreZeros_data();
    void emptySectionsAreZeros();
    void blankRecordNamesAreNone_data();
    void blankRecordNamesAreNone();
    void limitsOfBothReaders_data();
    void limitsOfBothReaders();
    void analysisFileFitsItsLimit();
};

void tst_AnalysisReader::projectsRoundTrip_data()
{
    QTest::addColumn<QString>("fileName");
    for (const QString &folder : {QStringLiteral(SOURCE_DIR "/examples"), QStringLiteral(TESTDATA_DIR)}) {
        const QDir dir(folder);
        for (const QString &f : dir.entryList({QStringLiteral("*.kfp"), QStringLiteral("analysis_*.txt")}, QDir::Files)) {
            // That writer test gives a member a type that does not exist.
            if (f != QLatin1String("analysis_ictype5.txt"))
                QTest::addRow("%s", qPrintable(f)) << dir.filePath(f);
        }
    }
}

void tst_AnalysisReader::projectsRoundTrip()
{
    QFETCH(QString, fileName);
    QString error;
    QByteArray first;
    if (fileName.endsWith(QLatin1String(".kfp"))) {
        ProjectData project;
        QVERIFY2(ProjectFile::readFile(fileName, project, &error), qPrintable(error));
        first = generatedFromModel(project);
    } else {
        QFile f(fileName);
        QVERIFY(f.open(QIODevice::ReadOnly));
        first = f.readAll();
    }
    const QByteArray second = reimported(first, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(second, first);
}

void tst_AnalysisReader::randomModelsRoundTrip()
{
    QRandomGenerator rng(20261209);
    int rules = 0;
    for (int serial = 0; serial < 400; ++serial) {
        ProjectData model = randomModel(rng, serial);
        for (const Member *m : std::as_const(model.memberTypes))
            rules += m->getType() == Member::FRAME && m->getFrameA()[3] != 0;
        // An empty WEIGHTS, LOADS or SHAPE comes back as zeros, and from then on stays.
        const bool emptySection =
                model.wx.isEmpty() || model.fx.isEmpty() || (model.a[5] < 0 && model.shapeFx.isEmpty());
        QByteArray first = generatedFromModel(model);
        QString error;
        if (emptySection)
            first = reimported(first, &error);
        const QByteArray second = reimported(first, &error);
        QVERIFY2(error.isEmpty(), qPrintable(QStringLiteral("model %1: %2").arg(serial).arg(error)));
        QVERIFY2(second == first, qPrintable(QStringLiteral("model %1 changes on the way back").arg(serial)));
        QVERIFY2(reimported(nodesReversed(first), &error) == first,
                 qPrintable(QStringLiteral("model %1 with its nodes from the top down: %2").arg(serial).arg(error)));
    }
    QVERIFY(rules > 100);
}

void tst_AnalysisReader::handWrittenFile()
{
    QByteArray text = handWritten();
    text.replace('\n', "\r\n");
    ProjectData d;
    QString error;
    QVERIFY2(AnalysisReader::read(text, d, &error), qPrintable(error));
    QCOMPARE(d.XLines, QStringList({"0", "6"}));
    QCOMPARE(d.YLines, QStringList({"0", "3.5"}));
    QCOMPARE(d.nodes.at(3).kup1, 3);
    QCOMPARE(d.nodes.at(3).iout, 1);
    QCOMPARE(d.memberTypes.size(), 2);
    // Text is taken whole after the separator that follows the category or EQUAKE.
    QCOMPARE(d.memberTypes.at(0)->getLabel(), QStringLiteral("Column 300x300 ! square"));
    QCOMPARE(d.memberTypes.at(1)->getLabel(), QStringLiteral("Viscous damper"));
    QCOMPARE(d.memberTypes.at(0)->getFrameB()[0], 2.5e7);
    QCOMPARE(d.memberTypes.at(1)->getDamperA2()[5], 0.2);
    QCOMPARE(d.quakeFile, QStringLiteral("El Centro NS.txt"));
    QCOMPARE(d.quakeB[3], 0.0);
    QCOMPARE(d.wx, QList<double>({0, 0, 120, 120}));
    QCOMPARE(d.fx, QList<double>({0, 0, 10, 0}));
    QCOMPARE(d.bars.at(2).mTypeId, 2);
    QVERIFY(d.controlSeted && d.driftSeted && d.quakeSeted);
    QCOMPARE(d.drift, QStringLiteral("None"));
    QVERIFY(ModelCore::completenessMessage(d).isEmpty());
}

void tst_AnalysisReader::otherNodeOrderIsRenumbered()
{
    // The top row first and numbered 7, 8, 5, 6: every reference follows the nodes.
    const QByteArray top = handWritten({{8, "7 0 3.5 0 0 0  0 0 0  0"},
                                        {9, "8 6 3.5 0 0 0  7 0 0  1"},
                                        {10, "5 0 0   1 1 1  0 0 0  0"},
                                        {11, "6 6 0   1 1 1  0 0 0  0"},
                                        {14, "1 1 5 7 0 0 0"},
                                        {15, "2 1 6 8 0 0 0"},
                                        {16, "3 2 8 7 0 0 1"},
                                        {28, "7 120 120 0"},
                                        {29, "8 120 120 0"},
                                        {30, "5 0 0 0"},
                                        {31, "6 0 0 0"},
                                        {34, "7 10 0 0"},
                                        {35, "5 0 0 0"},
                                        {36, "6 0 0 0"},
                                        {37, "8 0 0 0"}});
    QString error;
    const QByteArray renumbered = reimported(top, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(renumbered, reimported(handWritten(), &error));

    // With a drift column given by the file's numbers.
    const QByteArray drift = top.left(top.indexOf("ELEMENTS")) + "DRIFT A\n6 8\n\n" + top.mid(top.indexOf("ELEMENTS"));
    ProjectData d;
    QVERIFY2(AnalysisReader::read(drift, d, &error), qPrintable(error));
    QCOMPARE(d.drift, QStringLiteral("2"));
    QCOMPARE(d.driftIds, QStringList({"2", "4"}));
}

void tst_AnalysisReader::endsHighestFirst_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("ends");   // each member's ends in the model, as kept
    QTest::addColumn<QStringList>("warnings");
    const QString line16 = QStringLiteral("Line 16: member 3 runs from node %1 to node %2; Generate writes its ends "
                                          "lowest first, so its end 1 becomes node %2");
    QTest::newRow("highest first") << handWritten() << "1-3 2-4 4-3" << QStringList(line16.arg(4).arg(3));
    QTest::newRow("lowest first") << handWritten({{16, "3 2 3 4 0 0 1"}}) << "1-3 2-4 3-4" << QStringList();
    // Numbered from the top row: the order after renumbering is what Generate writes.
    QTest::newRow("from the top row") << handWritten({{8, "1 0 3.5 0 0 0  0 0 0  0"},
                                                      {9, "2 6 3.5 0 0 0  1 0 0  1"},
                                                      {10, "3 0 0   1 1 1  0 0 0  0"},
                                                      {11, "4 6 0   1 1 1  0 0 0  0"},
                                                      {14, "1 1 3 1 0 0 0"},
                                                      {15, "2 1 4 2 0 0 0"},
                                                      {16, "3 2 2 1 0 0 1"}})
                                      << "1-3 2-4 4-3" << QStringList(line16.arg(2).arg(1));
}

void tst_AnalysisReader::endsHighestFirst()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, ends);
    QFETCH(QStringList, warnings);
    ProjectData d;
    QString error;
    QStringList seen{QStringLiteral("stale")};
    QVERIFY2(AnalysisReader::read(text, d, &error, &seen), qPrintable(error));
    QStringList kept;
    for (const BarData &b : std::as_const(d.bars))
        kept << QStringLiteral("%1-%2").arg(b.source).arg(b.dest);
    QCOMPARE(kept.join(QLatin1Char(' ')), ends);
    QCOMPARE(seen, warnings);
}

void tst_AnalysisReader::refusals_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const QList<QPair<int, QByteArray>> &changes, const char *message) {
        QTest::addRow("%s", name) << handWritten(changes) << QString::fromUtf8(message);
    };
    row("word for a number", {{3, "4 3 2 one 1 1 9.8 2 2 0.01 10 1"}},
        "Line 3: a whole number was expected instead of \"one\"");
    row("short control line", {{4, "0 0 0 0 1 10 1 0.5 2 1 0"}},
        "Line 4: 12 fields were expected, not 11 (output intervals and plotting control parameters of the control lines)");
    row("long node line", {{9, "2 6 0 1 1 1 0 0 0 0 0"}}, "Line 9: 10 fields were expected, not 11 (a line of a node)");
    row("NNP disagrees", {{3, "5 3 2 1 1 1 9.8 2 2 0.01 10 1"}}, "Line 3: NNP is 5 but the NODES section holds 4 nodes");
    row("NMEM disagrees", {{16, QByteArray()}}, "Line 3: NMEM is 3 but the ELEMENTS section holds 2 members");
    row("NTYPE disagrees", {{3, "4 3 3 1 1 1 9.8 2 2 0.01 10 1"}},
        "Line 3: NTYPE is 3 but the PROPS section holds 2 member types");
    row("NLEVEL disagrees", {{4, "0 0 0 0 1 10 1 0.5 3 1 0 0"}}, "Line 4: NLEVEL is 3 but the nodes lie on 2 Y lines");
    row("off the grid", {{3, "5 3 2 1 1 1 9.8 2 2 0.01 10 1"}, {12, "5 3.2 1 0 0 0 0 0 0 0"}},
        "Line 12: node 5 at (3.2, 1) is not at an intersection of the grid");
    row("missing intersection", {{3, "5 3 2 1 1 1 9.8 2 2 0.01 10 1"}, {12, "5 0 7 0 0 0 0 0 0 0"}},
        "Line 7: no node at (6, 7)");
    row("two nodes at one place", {{10, "3 6 3.5 0 0 0 0 0 0 0"}},
        "Line 11: node 4 at (6, 3.5) is at the same place as node 3");
    row("lines six digits do not tell apart", {{11, "4 6.0000001 3.5 0 0 0 3 0 0 1"}},
        "Line 11: node 4 is on an X line that six digits do not tell from 6");
    row("category without a separator", {{19, "1 FRAME!Column"}},
        "Line 19: a blank or a tab was expected after the member category");
    row("node twice", {{10, "2 0 3.5 0 0 0 0 0 0 0"}}, "Line 10: node 2 is given twice (first on line 9)");
    row("coupled to no node", {{11, "4 6 3.5 0 0 0 9 0 0 1"}}, "Line 11: KUP1 names node 9, which does not exist");
    row("member to no node", {{15, "2 1 2 9 0 0 0"}}, "Line 15: node 9 does not exist");
    row("member to itself", {{15, "2 1 2 2 0 0 0"}}, "Line 15: member 2 joins node 2 to itself");
    row("members out of order", {{15, "5 1 2 4 0 0 0"}}, "Line 15: member 2 was expected, not 5");
    row("no such member type", {{15, "2 3 2 4 0 0 0"}}, "Line 15: member type 3 does not exist");
    row("unknown category", {{19, "1 BEAM Column"}},
        "Line 19: a member type (number, category and label) or WEIGHTS was expected");
    row("label with a tab", {{23, "2\tDAMPER\tViscous\tdamper"}}, "Line 23: the member type label holds a tab");
    row("member types out of order", {{23, "3 DAMPER Viscous"}}, "Line 23: member type 2 was expected, not 3");
    row("truncated member type", {{21, QByteArray()}},
        "Line 22: the elastic section properties line of member type 1 is missing before member type 2");
    row("member type line too many", {{22, "0 0 0"}},
        "Line 22: member type 1 has no such line: the next member type or WEIGHTS was expected");
    row("unknown rule code has no line", {{20, "1 0 0 15 0 0 0 0 0"}, {22, "0.05 0 0.5 0.5\n1 2 3 4 5 6\n0.4 0.3 0 1"}},
        "Line 24: member type 1 has no such line: the next member type or WEIGHTS was expected");
    row("rule with a line it lacks", {{20, "1 0 0 4 0 0 0 0 0"}},
        "Line 23: the member bi-linear factors and hinge properties line of member type 1 is missing before member type 2");
    row("truncated nodes section", {{8, QByteArray()}, {9, QByteArray()}, {10, QByteArray()}, {11, QByteArray()}},
        "Line 3: NNP is 4 but the NODES section holds 0 nodes");
    row("no ELEMENTS", {{13, "ELEMENT 1"}}, "Line 13: a whole number was expected instead of \"ELEMENT\"");
    row("weights row twice", {{29, "1 0 0 0"}}, "Line 29: node 1 has a second row");
    row("loads row for no node", {{37, "5 0 0 0"}}, "Line 37: node 5 does not exist");
    row("SHAPE without IPVERT", {{38, "SHAPE"}}, "Line 38: a SHAPE section needs IPVERT below 0 (it is 0)");
    row("IPVERT without SHAPE", {{2, "2 0 1 0 0 -1 0 0 0 0 0"}}, "Line 39: SHAPE was expected (IPVERT is -1)");
    row("no EQUAKE values", {{40, QByteArray()}}, "Line 39: the file ends before a line of 8 fields of EQUAKE");
    row("text after the end", {{38, QByteArray()}, {40, "1 0 0.02 1 30 0 0 1\nWEIGHTS"}},
        "Line 40: unexpected text after the EQUAKE values");
    row("not a number", {{21, "2.5e7 0.09 nan 0 0 0 0 0 0 0"}}, "Line 21: a finite number was expected instead of \"nan\"");
    row("modal damping out of order", {{2, "2 0 1 0 4 0 0 0 0 0 0"}, {6, "1 0.05 3 0.02"}},
        "Line 6: mode 2 was expected, not 3");
}

void tst_AnalysisReader::refusals()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    ProjectData d;
    d.XLines = {QStringLiteral("untouched")};
    QString error;
    QVERIFY(!AnalysisReader::read(text, d, &error));
    QCOMPARE(error, message);
    QCOMPARE(d.XLines, QStringList({"untouched"}));
}

void tst_AnalysisReader::truncatedFileIsRefused()
{
    // Cut after every line: refused with a line number, never taken.
    const QList<QByteArray> lines = handWritten().split('\n');
    QByteArray prefix;
    for (int k = 0; k + 2 < lines.size(); ++k) {
        prefix += lines.at(k) + '\n';
        ProjectData d;
        QString error;
        QVERIFY2(!AnalysisReader::read(prefix, d, &error), qPrintable(QString::number(k + 1)));
        QVERIFY2(error.startsWith(QLatin1String("Line ")), qPrintable(error));
    }
}

void tst_AnalysisReader::emptySectionsAreZeros_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("rows");
    const QByteArray zeros = "1\t0\t0\t0\n2\t0\t0\t0\n3\t0\t0\t0\n4\t0\t0\t0\n";
    const QByteArray none;
    QTest::addRow("WEIGHTS") << handWritten({{28, none}, {29, none}, {30, none}, {31, none}}) << "WEIGHTS\n" + zeros;
    QTest::addRow("LOADS") << handWritten({{34, none}, {35, none}, {36, none}, {37, none}}) << "LOADS\n" + zeros;
    // Once over the nodes for each of IPVERT's load components.
    QTest::addRow("SHAPE") << handWritten({{2, "2 0 1 0 0 -2 0 0 0 0 0"}, {38, "\nSHAPE\n"}})
                           << "SHAPE\n" + zeros + zeros;
}

void tst_AnalysisReader::emptySectionsAreZeros()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, rows);
    ProjectData d;
    QString error;
    QVERIFY2(AnalysisReader::read(text, d, &error), qPrintable(error));
    QCOMPARE(ModelCore::completenessMessage(d), QString());
    const QByteArray first = generatedFromModel(d);
    QVERIFY2(first.contains("\n" + rows), first.constData());
    QCOMPARE(reimported(first, &error), first);
}

void tst_AnalysisReader::blankRecordNamesAreNone_data()
{
    QTest::addColumn<QString>("name");
    for (int n = 1; n <= 7; ++n)
        QTest::addRow("%d blanks", n) << QString(n, ' ');
}

void tst_AnalysisReader::blankRecordNamesAreNone()
{
    QFETCH(QString, name);
    QString error;
    const QByteArray named = handWritten({{39, "EQUAKE\t" + name.toUtf8()}});
    // Imported: the name after EQUAKE and its separator.
    ProjectData imported;
    QVERIFY2(AnalysisReader::read(named, imported, &error), qPrintable(error));
    QCOMPARE(imported.quakeFile, QString());
    QByteArray project;
    QTextStream out(&project);
    ProjectFile::write(out, imported);
    out.flush();
    const QByteArray first = generatedFromModel(imported);
    QVERIFY(first.contains("\nEQUAKE\t\n"));
    QCOMPARE(reimported(first, &error), first);

    // Opened: a quoted name of blanks in the project.
    QCOMPARE(project.count("\nNULL!NULL\n"), 1);
    project.replace("\nNULL!NULL\n", "\n\"" + name.toUtf8() + "\"\n");
    ProjectData opened;
    QVERIFY2(ProjectFile::read(project, opened, &error), qPrintable(error));
    QCOMPARE(opened.quakeFile, QString());
    QCOMPARE(generatedFromModel(opened), first);

    // Held by a model, it is no name either.
    ProjectData held;
    QVERIFY(AnalysisReader::read(named, held, &error));
    held.quakeFile = name;
    QCOMPARE(generatedFromModel(held), first);
}

void tst_AnalysisReader::limitsOfBothReaders_data()
{
    QTest::addColumn<QByteArray>("project");
    QTest::addColumn<QByteArray>("analysis");
    QTest::addColumn<QString>("figure");

    ProjectData d;
    QString error;
    QVERIFY(AnalysisReader::read(handWritten(), d, &error));
    const auto projectOf = [](const ProjectData &data) {
        QByteArray bytes;
        QTextStream out(&bytes);
        ProjectFile::write(out, data);
        out.flush();
        return bytes;
    };

    // A numerical wall section of one segment more than the wall page offers.
    Member *wall = TestModels::addType(d, Member::WALL);
    const int segments = ModelLimits::kMaxWallSegments + 1;
    wall->getWallA1()[1] = segments;
    wall->getWallA1()[2] = 1;
    for (QList<double> *list : {wall->getWallXI(), wall->getWallASI(), wall->getWallACI()})
        *list = QList<double>(segments, 0.5);
    d.b[2] = int(d.memberTypes.size());
    QTest::addRow("wall segments") << projectOf(d) << generated(d)
                                   << QStringLiteral("member type 3 has %1 wall segments, more than a ").arg(segments)
                                              + QStringLiteral("%1 may have (20)");
    d.memberTypes.removeLast();
    d.b[2] = int(d.memberTypes.size());

    // SHAPE rows one over: the project counts them, an empty section makes them.
    const int nodes = int(d.nodes.size());
    QCOMPARE(ModelLimits::kMaxShapeRows % nodes, 0);
    d.a[5] = -(ModelLimits::kMaxShapeRows / nodes + 1);
    d.shapeEnabled = true;
    QByteArray project = projectOf(d);
    const QByteArray countLine = "\n0\t" + QByteArray::number(d.alpha) + "\n";
    QCOMPARE(project.count(countLine), 1);
    project.replace(countLine, "\n" + QByteArray::number(ModelLimits::kMaxShapeRows + 1) + countLine.mid(2));
    QTest::addRow("SHAPE rows") << project << generated(d)
                                << QStringLiteral("SHAPE rows are more than a %1 may have (16000000)");
}

void tst_AnalysisReader::limitsOfBothReaders()
{
    QFETCH(QByteArray, project);
    QFETCH(QByteArray, analysis);
    QFETCH(QString, figure);
    ProjectData d;
    QString projectError, analysisError;
    QVERIFY(!ProjectFile::read(project, d, &projectError));
    QVERIFY(!AnalysisReader::read(analysis, d, &analysisError));
    QVERIFY2(projectError.contains(figure.arg("project")), qPrintable(projectError));
    QVERIFY2(analysisError.contains(figure.arg("model")), qPrintable(analysisError));
}

void tst_AnalysisReader::analysisFileFitsItsLimit()
{
    using namespace ModelLimits;
    // The counts the analysis file may grow by, at the project's limits.
    const qint64 growth = qint64(kMaxNodes) * kNodeGrowth
                          + (3 * qint64(kMaxNodes) + kMaxShapeRows + kMaxModes) * kRowGrowth
                          + qint64(kMaxMemberTypes) * kTypeGrowth + kFixedGrowth;
    QVERIFY(kMaxAnalysisFileSize >= kMaxProjectFileSize + growth);
    // The largest grid with every line segment and both diagonals of every cell.
    QVERIFY(kMaxMembers >= 2 * 1000 * 999 + 2 * 999 * 999);

    // What a member type adds to its project record, for types of every
    // category with their options drawn at random: no more than its margin.
    QRandomGenerator rng(20261210);
    qint64 widest = 0;
    for (int serial = 0; serial < 3000; ++serial) {
        ProjectData d;
        d.a[4] = pick(rng, {0, 1, 4, 5, 7});
        Member *m = TestModels::addType(d, serial % 6);
        fillType(rng, *m);
        if (m->getType() == Member::WALL && serial / 6 % 2) {
            m->getWallA1()[1] = kMaxWallSegments;
            m->getWallA1()[2] = 1;
        }
        QByteArray with, without, written;
        QTextStream out(&with);
        ProjectFile::write(out, d);
        out.flush();
        d.memberTypes.clear();
        QTextStream rest(&without);
        ProjectFile::write(rest, d);
        rest.flush();
        QTextStream analysis(&written);
        AnalysisWriter::writeType(analysis, *m, kMaxMemberTypes, d.a[4]);
        analysis.flush();
        widest = std::max(widest, written.size() - (with.size() - without.size()));
    }
    qInfo("widest member type growth: %lld bytes", qint64(widest));
    QVERIFY(widest > 0 && widest <= kTypeGrowth);
}

QTEST_GUILESS_MAIN(tst_AnalysisReader)
#include "tst_analysisreader.moc"
