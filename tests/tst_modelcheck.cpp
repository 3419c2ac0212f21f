#include "editrecordscommand.h"
#include "member.h"
#include "modelcheck.h"
#include "projectdata.h"
#include "projectfile.h"
#include "projectmodel.h"

#include <QUndoStack>
#include <QtTest>

#include <functional>

namespace {

using Change = std::function<void(ModelData &)>;

ModelData sample(const QString &name)
{
    ProjectData data;
    if (!ProjectFile::readFile(QStringLiteral(SOURCE_DIR "/examples/") + name, data))
        qFatal("cannot read %s", qPrintable(name));
    return ProjectModel::fromProjectData(data);
}

QStringList lines(const ModelData &d)
{
    QStringList out;
    for (const ModelCheck::Problem &p : ModelCheck::check(d, QString()))
        out << ModelCheck::format(p);
    return out;
}

int nodeIndex(const ModelData &d, ModelKey key)
{
    for (int i = 0; i < d.nodes.size(); ++i)
        if (d.nodes.at(i).key == key)
            return i;
    return -1;
}

// Numbers (from 1) of the nodes at the member's ends.
QPair<int, int> ends(const ModelData &d, int member)
{
    const MemberRecord &m = d.members.at(member - 1);
    return {nodeIndex(d, m.source) + 1, nodeIndex(d, m.dest) + 1};
}

void addMember(ModelData &d, int from, int to)
{
    MemberRecord m;
    m.key = d.nextKey++;
    m.type = d.types.first().key;
    m.source = d.nodes.at(from - 1).key;
    m.dest = d.nodes.at(to - 1).key;
    d.members.append(m);
}

// Removes the members joined to the node, and restrains it fully when asked.
void detach(ModelData &d, int node, bool fix)
{
    const ModelKey key = d.nodes.at(node - 1).key;
    d.members.erase(std::remove_if(d.members.begin(), d.members.end(),
                                   [key](const MemberRecord &m) { return m.source == key || m.dest == key; }),
                    d.members.end());
    if (fix) {
        NodeRecord &n = d.nodes[node - 1];
        n.nf1 = n.nf2 = n.nf3 = 1;
    }
}

// A new type of the category whose stiffness entries are all 0 but `kept`; member 1 takes it if asked.
Change newType(int category, int kept, bool used = true)
{
    return [category, kept, used](ModelData &d) {
        auto t = std::make_shared<Member>(int(d.types.size()) + 1, category);
        double *values = nullptr;
        switch (category) {
        case Member::FRAME: values = t->getFrameB(); std::fill(values, values + 10, 0.0); break;
        case Member::SPRING: values = t->getSpringA2(); break;
        case Member::WALL: values = t->getWallB(); break;
        case Member::DAMPER: values = t->getDamperA2(); break;
        case Member::MULTISPRING: values = t->getMultiSpringB2(); break;
        case Member::REINFORCED: values = t->getReinforcedB(); break;
        }
        for (int k = 0; k < 7; ++k)
            values[k] = 0.0;
        if (kept >= 0)
            values[kept] = 1.0;
        MemberTypeRecord r;
        r.key = d.nextKey++;
        r.values = t;
        d.types.append(r);
        if (used)
            d.members[0].type = r.key;
    };
}

void setWeights(ModelData &d, double value)
{
    for (QList<double> *l : {&d.weights.first, &d.weights.second, &d.weights.third})
        std::fill(l->begin(), l->end(), value);
}

void setShape(ModelData &d, int ipvert, double first)
{
    d.control.a[5] = ipvert;
    const int rows = int(d.nodes.size()) * std::max(1, -ipvert);
    d.shape.fx = QList<double>(rows, 0.0);
    d.shape.fy = QList<double>(rows, 0.0);
    d.shape.fm = QList<double>(rows, 0.0);
    d.shape.fx[0] = first;
}

} // namespace

class tst_ModelCheck : public QObject
{
    Q_OBJECT
private slots:
    void samples_data();
    void samples();
    void rules_data();
    void rules();
    void errorsAreWhatGenerateRefuses_data();
    void errorsAreWhatGenerateRefuses();
    void summaryLine();
    void recordWarnings_data();
    void recordWarnings();
    void recordReadAgainOnlyWhenChanged();
    void endsHighestFirstUntilEdited();
};

void tst_ModelCheck::samples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("portal frame") << "portal-frame-rc.kfp" << QStringList();
    QTest::newRow("isolated frame") << "isolated-frame-wall-damper.kfp" << QStringList();
    QTest::newRow("pier") << "pier-plastic-hinges-shape.kfp" << QStringList();
}

void tst_ModelCheck::samples()
{
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    QCOMPARE(lines(sample(file)), expected);
}

void tst_ModelCheck::rules_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("added");   // the lines the change adds to those of the sample

    const auto row = [](const char *name, const Change &c, const QStringList &added) {
        QTest::newRow(name) << c << added;
    };
    row("no type", [](ModelData &d) { d.members[11].type = 0; }, {"warning: member 12: no member type"});
    row("other type", [](ModelData &d) { d.members[11].type = d.types.at(1).key; }, {});
    row("type gone", [](ModelData &d) { d.members[11].type = 9999; }, {"warning: member 12: no member type"});

    row("loose node", [](ModelData &d) { detach(d, 20, false); },
        {"warning: node 20: joined to no member and not fully restrained"});
    row("loose node fixed", [](ModelData &d) { detach(d, 20, true); }, {});

    row("same ends twice", [](ModelData &d) { addMember(d, ends(d, 1).second, ends(d, 1).first); },
        {"warning: member 29: runs from node 5 to node 1; Generate writes its ends lowest first, so its end 1 "
         "becomes node 1",
         "warning: member 29: overlaps member 1"});
    row("column over two storeys", [](ModelData &d) { addMember(d, 1, 9); },
        {"warning: member 29: overlaps member 1"});
    row("beam over two bays", [](ModelData &d) { addMember(d, 6, 8); },
        {"warning: member 29: overlaps member 18"});
    row("diagonal over a node", [](ModelData &d) { addMember(d, 1, 11); },
        {"warning: member 29: passes over node 6 without joining it"});
    row("beam over a bare node", [](ModelData &d) { detach(d, 7, true); addMember(d, 6, 8); },
        {"warning: member 25: passes over node 7 without joining it"});
    row("column over a bare node", [](ModelData &d) { detach(d, 10, true); addMember(d, 6, 14); },
        {"warning: member 25: passes over node 10 without joining it"});
    row("bare node", [](ModelData &d) { detach(d, 7, true); }, {});
    row("diagonal of one bay", [](ModelData &d) { addMember(d, 1, 6); }, {});
    row("diagonal drawn from the top", [](ModelData &d) { addMember(d, 6, 1); },
        {"warning: member 29: runs from node 6 to node 1; Generate writes its ends lowest first, so its end 1 "
         "becomes node 1"});
    row("beam's ends swapped", [](ModelData &d) { std::swap(d.members[16].source, d.members[16].dest); },
        {"warning: member 17: runs from node 6 to node 5; Generate writes its ends lowest first, so its end 1 "
         "becomes node 5"});
    row("long diagonal past nodes", [](ModelData &d) { addMember(d, 1, 12); }, {});

    row("unused type", newType(Member::FRAME, 0, false), {"warning: member type 3: used by no member"});
    row("used type", newType(Member::FRAME, 0), {});
    row("type used no more", [](ModelData &d) {
            for (MemberRecord &m : d.members)
                m.type = d.types.at(1).key;
        }, {"warning: member type 1: used by no member"});

    row("FRAME zero", newType(Member::FRAME, -1), {"warning: member type 3: E, A and I of a FRAME type are all 0"});
    row("FRAME with I", newType(Member::FRAME, 4), {});
    row("FRAME with G only", newType(Member::FRAME, 1),
        {"warning: member type 3: E, A and I of a FRAME type are all 0"});
    row("SPRING zero", newType(Member::SPRING, -1), {"warning: member type 3: KX, KY and GJ of a SPRING type are all 0"});
    row("SPRING with GJ", newType(Member::SPRING, 2), {});
    row("WALL zero", newType(Member::WALL, -1),
        {"warning: member type 3: EMODC and EMODS of a WALL type are all 0"});
    row("WALL with EMODS", newType(Member::WALL, 1), {});
    row("DAMPER zero", newType(Member::DAMPER, -1), {"warning: member type 3: C1, C2 and C3 of a DAMPER type are all 0"});
    row("DAMPER with C2", newType(Member::DAMPER, 1), {});
    row("MULTISPRING zero", newType(Member::MULTISPRING, -1),
        {"warning: member type 3: SA and SV of a MULTISPRING type are all 0"});
    row("MULTISPRING with SA", newType(Member::MULTISPRING, 0), {});
    row("REINFORCED zero", newType(Member::REINFORCED, -1),
        {"warning: member type 3: EC, ECC and ECV of a REINFORCED type are all 0"});
    row("REINFORCED with ECV", newType(Member::REINFORCED, 6), {});

    row("KUP to itself", [](ModelData &d) { d.nodes[5].kup2 = 6; }, {"warning: node 6: KUP 2 couples the node to itself"});
    row("KUP to another", [](ModelData &d) { d.nodes[5].kup2 = 7; }, {});
    row("KUP history, static", [](ModelData &d) { d.nodes[5].kup3 = -3; },
        {"warning: node 6: KUP 3 is -3, which only IPANAL 8 or 9 reads"});
    row("KUP history, IPANAL 8", [](ModelData &d) { d.nodes[5].kup3 = -3; d.control.a[0] = 8; }, {});
    row("travelling wave, fixed", [](ModelData &d) { d.nodes[0].kup1 = -1; },
        {"warning: node 1: KUP 1 is -1 but NF 1 is not 0"});
    row("travelling wave, free", [](ModelData &d) { d.nodes[0].kup2 = -1; d.nodes[0].nf2 = 0; }, {});

    row("NODE3 own end", [](ModelData &d) { d.members[0].node3 = ends(d, 1).second; },
        {"warning: member 1: NODE3 is its own end node 5"});
    row("NODE4 own end", [](ModelData &d) { d.members[0].node4 = ends(d, 1).first; },
        {"warning: member 1: NODE4 is its own end node 1"});
    row("NODE3 elsewhere", [](ModelData &d) { d.members[0].node3 = 9; }, {});

    for (int ipanal : {2, 3, 4, 5})
        QTest::addRow("IPANAL %d without record", ipanal)
            << Change([ipanal](ModelData &d) { d.control.a[0] = ipanal; d.quake.file = "  "; })
            << QStringList(QStringLiteral("warning: earthquake: IPANAL %1 runs an earthquake record but FILE is empty")
                               .arg(ipanal));
    // No project file: the name is looked for in the current folder, where there is none.
    row("IPANAL 2 with record", [](ModelData &d) { d.control.a[0] = 2; d.quake.file = "elcentro.txt"; },
        {"warning: earthquake: cannot read elcentro.txt: No such file or directory"});
    row("IPANAL 6 without record", [](ModelData &d) { d.control.a[0] = 6; d.quake.file.clear(); }, {});

    row("no weights, modal", [](ModelData &d) { d.control.a[0] = 1; setWeights(d, 0.0); },
        {"warning: weights: all 0 in a dynamic analysis (IPANAL 1)"});
    row("no weights, spectrum", [](ModelData &d) { d.control.a[0] = 10; setWeights(d, 0.0); },
        {"warning: weights: all 0 in a dynamic analysis (IPANAL 10)"});
    row("no weights, static", [](ModelData &d) { d.control.a[0] = 0; setWeights(d, 0.0); }, {});
    row("weights, modal", [](ModelData &d) { d.control.a[0] = 1; setWeights(d, 0.5); }, {});

    const auto driftOn = [](const char *column) {
        return [column](ModelData &d) {
            for (int node : {4, 8, 12, 16, 20})
                detach(d, node, true);
            d.drift.drift = column;
        };
    };
    row("drift column bare", driftOn("4"), {"warning: drift: column 4 has no members"});
    row("drift column framed", driftOn("3"), {});

    row("SHAPE zeros", [](ModelData &d) { setShape(d, -2, 0.0); }, {"warning: shape: all 0 while IPVERT is -2"});
    row("SHAPE with a load", [](ModelData &d) { setShape(d, -2, 1.0); }, {});
    row("SHAPE zeros, not used", [](ModelData &d) { setShape(d, 0, 0.0); }, {});
}

void tst_ModelCheck::rules()
{
    QFETCH(Change, change);
    QFETCH(QStringList, added);
    const ModelData base = sample("portal-frame-rc.kfp");
    const QStringList before = lines(base);
    ModelData d = base;
    change(d);
    QStringList after = lines(d);
    for (const QString &l : before)
        after.removeOne(l);
    QCOMPARE(after, added);
}

void tst_ModelCheck::errorsAreWhatGenerateRefuses_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("errors");
    const auto row = [](const char *name, const Change &c, const QStringList &errors) {
        QTest::newRow(name) << c << errors;
    };
    row("complete", [](ModelData &) {}, {});
    row("control", [](ModelData &d) { d.control.seted = false; }, {"error: control options: not set"});
    row("drift", [](ModelData &d) { d.drift.seted = false; }, {"error: drift: not set"});
    row("earthquake", [](ModelData &d) { d.quake.seted = false; }, {"error: earthquake: not set"});
    row("loads", [](ModelData &d) { d.loads = NodeValues(); }, {"error: loads: not set"});
    row("weights", [](ModelData &d) { d.weights = NodeValues(); }, {"error: weights: not set"});
    row("shape", [](ModelData &d) { d.control.a[5] = -1; d.shape = ShapeSettings(); }, {"error: shape: not set"});
    row("shape unused", [](ModelData &d) { d.control.a[5] = 1; d.shape = ShapeSettings(); }, {});
    row("members", [](ModelData &d) { d.members.clear(); }, {"error: model: no members"});
    row("types", [](ModelData &d) { d.types.clear(); }, {"error: model: no member types"});
    row("two", [](ModelData &d) { d.drift.seted = false; d.weights = NodeValues(); },
        {"error: drift: not set", "error: weights: not set"});
    row("new window", [](ModelData &d) { d = ModelData(); },
        {"error: model: no nodes", "error: model: no members", "error: model: no member types",
         "error: control options: not set", "error: drift: not set", "error: earthquake: not set",
         "error: loads: not set", "error: weights: not set"});
}

void tst_ModelCheck::errorsAreWhatGenerateRefuses()
{
    QFETCH(Change, change);
    QFETCH(QStringList, errors);
    ModelData d = sample("portal-frame-rc.kfp");
    change(d);
    const QStringList found = lines(d).filter(QRegularExpression("^error: "));
    QCOMPARE(found, errors);
    // Generate refuses exactly then, naming as many sections.
    ProjectModel model;
    model.resetData(d);
    const QString message = ModelCore::completenessMessage(model.projectData());
    QCOMPARE(message.isEmpty(), errors.isEmpty());
    QCOMPARE(errors.isEmpty() ? 0 : message.count(QLatin1Char(',')), errors.size());
}

void tst_ModelCheck::summaryLine()
{
    using P = ModelCheck::Problem;
    const P e{P::Error, P::Model, 0, "no nodes"};
    const P w{P::Warning, P::Node, 7, "x"};
    QCOMPARE(ModelCheck::summary({}), QStringLiteral("0 errors, 0 warnings"));
    QCOMPARE(ModelCheck::summary({e, w}), QStringLiteral("1 error, 1 warning"));
    QCOMPARE(ModelCheck::summary({e, e, w, w, w}), QStringLiteral("2 errors, 3 warnings"));
    QCOMPARE(ModelCheck::format(w), QStringLiteral("warning: node 7: x"));
    QCOMPARE(ModelCheck::format({P::Warning, P::MemberType, 2, "y"}), QStringLiteral("warning: member type 2: y"));
}

namespace {

// A record file beside a project in `dir`, and the sample set to run it with IPANAL 2.
ModelData withRecord(const QTemporaryDir &dir, const QByteArray &text, const Change &change)
{
    QFile f(dir.filePath(QStringLiteral("rec.txt")));
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        qFatal("cannot write the record");
    ModelData d = sample("portal-frame-rc.kfp");
    d.control.a[0] = 2;
    d.control.c[4] = 20.0;   // TIME
    d.quake.a[0] = 3;        // FREE
    d.quake.a[1] = 1;
    d.quake.b[0] = 0.02;     // DELTAT
    d.quake.b[1] = 1.0;      // ASCALE
    d.quake.b[2] = -1.0;     // END
    d.quake.file = QStringLiteral("rec.txt");
    change(d);
    return d;
}

QStringList recordLines(const ModelData &d, const QString &projectFile)
{
    QStringList out;
    for (const ModelCheck::Problem &p : ModelCheck::check(d, projectFile))
        if (p.item == ModelCheck::Problem::Section && p.number == ProjectModel::Quake)
            out << ModelCheck::format(p);
    return out;
}

QByteArray constantRecord(int n)
{
    QByteArray text;
    for (int i = 0; i < n; ++i)
        text += "0.01\n";
    return text;
}

} // namespace

void tst_ModelCheck::recordWarnings_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("warnings");
    const auto row = [](const char *name, const QByteArray &text, const Change &c, const QStringList &w) {
        QTest::newRow(name) << text << c << w;
    };
    const QString e = QStringLiteral("warning: earthquake: ");
    row("padded", constantRecord(10), [](ModelData &) {}, {});
    row("missing", constantRecord(10), [](ModelData &d) { d.quake.file = "none.txt"; },
        {e + "cannot read none.txt: No such file or directory"});
    row("missing, static", constantRecord(10), [](ModelData &d) { d.quake.file = "none.txt"; d.control.a[0] = 0; }, {});
    row("missing, BERG", constantRecord(10), [](ModelData &d) { d.quake.file = "none.txt"; d.quake.a[0] = 0; }, {});
    row("bad token", "0.1\n0.2 x\n", [](ModelData &) {}, {e + "cannot read rec.txt: Line 2: \"x\" is not a number"});
    row("short, END 0", constantRecord(1000), [](ModelData &d) { d.quake.b[2] = 0; },
        {e + "the record ends at 19.98 s, TIME is 20 s and END is 0"});
    row("long enough, END 0", constantRecord(1001), [](ModelData &d) { d.quake.b[2] = 0; }, {});
    row("short, END 15", constantRecord(10), [](ModelData &d) { d.quake.b[2] = 15; }, {});
    row("ASCALE 0", constantRecord(10), [](ModelData &d) { d.quake.b[1] = 0; }, {e + "ASCALE is 0"});
    row("DELTAT 0", constantRecord(10), [](ModelData &d) { d.quake.b[0] = 0; }, {e + "DELTAT is 0 for a FREE record"});
    const QByteArray peer = "PEER\nRECORD\nUNITS OF G\nNPTS=    3, DT=   .0050 SEC\n0.1 0.2 0.3\n";
    row("PEER DT differs", peer, [](ModelData &d) { d.quake.a[0] = 6; d.quake.b[0] = 0.01; },
        {e + "DT in the record is 0.005, DELTAT is 0.01"});
    row("PEER DT from the header", peer, [](ModelData &d) { d.quake.a[0] = 6; d.quake.b[0] = 0; }, {});
}

void tst_ModelCheck::recordWarnings()
{
    QFETCH(QByteArray, text);
    QFETCH(Change, change);
    QFETCH(QStringList, warnings);
    QTemporaryDir dir;
    const ModelData d = withRecord(dir, text, change);
    QCOMPARE(recordLines(d, dir.filePath(QStringLiteral("model.kfp"))), warnings);
}

void tst_ModelCheck::recordReadAgainOnlyWhenChanged()
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("model.kfp"));
    ModelData d = withRecord(dir, "0.1\n", [](ModelData &) {});
    QCOMPARE(recordLines(d, project), QStringList());
    // The same size and time, other bytes: not read again.
    const QString path = dir.filePath(QStringLiteral("rec.txt"));
    const QDateTime modified = QFileInfo(path).lastModified();
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("0.x\n");
        f.close();
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    QCOMPARE(recordLines(d, project), QStringList());
    // Another option: read again.
    d.quake.b[5] = 2.0;
    QCOMPARE(recordLines(d, project),
             QStringList(QStringLiteral("warning: earthquake: cannot read rec.txt: Line 1: \"0.x\" is not a number")));
    // The same options, another file size: read again.
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("0.25\n");
    }
    QCOMPARE(recordLines(d, project), QStringList());
}

void tst_ModelCheck::endsHighestFirstUntilEdited()
{
    ProjectModel model;
    model.resetData(sample("portal-frame-rc.kfp"));
    QUndoStack stack;
    const auto setEnds = [&](int from, int to) {
        MemberRecord m = model.data().members.at(16);
        m.source = model.data().nodes.at(from - 1).key;
        m.dest = model.data().nodes.at(to - 1).key;
        stack.push(new EditMembersCommand(&model, {m}, QString()));
    };
    // Where the check dock selects it: at the member.
    const ModelCheck::Problem swapped{ModelCheck::Problem::Warning, ModelCheck::Problem::Member, 17,
                                      "runs from node 6 to node 5; Generate writes its ends lowest first, so its end 1 "
                                      "becomes node 5"};
    setEnds(6, 5);
    QCOMPARE(ModelCheck::check(model.data(), QString()), QList<ModelCheck::Problem>{swapped});
    setEnds(5, 6);
    QCOMPARE(ModelCheck::check(model.data(), QString()), QList<ModelCheck::Problem>());
    stack.undo();
    QCOMPARE(ModelCheck::check(model.data(), QString()), QList<ModelCheck::Problem>{swapped});
}

QTEST_GUILESS_MAIN(tst_ModelCheck)
#include "tst_modelcheck.moc"
