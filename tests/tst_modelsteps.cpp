#include <QtTest>

#include "member.h"
#include "modelcheck.h"
#include "membertypecommand.h"
#include "modelsteps.h"
#include "testmodels.h"

#include <QRandomGenerator>
#include <QUndoStack>

#include <functional>

// The portal sample: 20 nodes on a 4 x 5 grid coupled to column 1, columns 1-16
// of type 1, beams 17-28 of type 2, weights of 25 on every node above the base.

namespace {

using TestModels::bytesOf;
using MakeStep = std::function<QUndoCommand *(ProjectModel &)>;
using Check = std::function<bool(const ProjectModel &)>;

// The model's types as the member-type dialog would list them.
QList<ModelKey> typeKeys(const ProjectModel &m)
{
    QList<ModelKey> keys;
    for (const MemberTypeRecord &t : m.types())
        keys << t.key;
    return keys;
}

MakeStep assign(const QList<int> &members, const QList<int> &nodes,
                const std::function<void(ModelSteps::Assignment &)> &set)
{
    return [=](ProjectModel &m) {
        ModelSteps::Assignment a;
        set(a);
        QList<ModelKey> memberKeys, nodeKeys;
        for (int n : members)
            memberKeys << m.members().at(n - 1).key;
        for (int n : nodes)
            nodeKeys << m.nodeKey(n);
        return ModelSteps::assign(&m, memberKeys, nodeKeys, a);
    };
}

MakeStep drift(const char *column, bool setKups)
{
    return [=](ProjectModel &m) {
        DriftSettings d = m.drift();
        d.drift = QLatin1String(column);
        return ModelSteps::drift(&m, d, setKups);
    };
}

// The list with type 1 relabelled, and a new type after it when asked.
MakeStep editedTypes(bool addOne)
{
    return [=](ProjectModel &m) {
        Member first(*m.memberType(m.typeKey(1))), added(3, Member::WALL);
        first.setLabel(QStringLiteral("Column-600x600"));
        QList<const Member *> shown{&first, m.memberType(m.typeKey(2))};
        if (addOne)
            shown << &added;
        return ModelSteps::memberTypes(&m, typeKeys(m), shown);
    };
}

// The portal's grid with only the members listed (pairs of node numbers), of type 1
// and IOUT 1; the first has NODE3 9 and NODE4 10.
ModelData frame(const ProjectModel &portal, const QList<int> &ends)
{
    ModelData d = portal.data();
    d.members.clear();
    for (int k = 0; k + 1 < ends.size(); k += 2)
        d.members.append({d.nextKey++, d.types.first().key, portal.nodeKey(ends.at(k)), portal.nodeKey(ends.at(k + 1)),
                          k == 0 ? 9 : 0, k == 0 ? 10 : 0, 1});
    return d;
}

// "5-6:9,10" for each member from the k-th on.
QString membersFrom(const ProjectModel &m, int k)
{
    QStringList out;
    for (; k < m.members().size(); ++k) {
        const MemberRecord &r = m.members().at(k);
        out << QStringLiteral("%1-%2:%3,%4").arg(m.nodeNumber(r.source)).arg(m.nodeNumber(r.dest)).arg(r.node3).arg(r.node4);
    }
    return out.join(QLatin1Char(' '));
}

bool relabelled(const ProjectModel &m) { return m.memberType(m.typeKey(1))->getLabel() == "Column-600x600"; }

} // namespace

Q_DECLARE_METATYPE(MakeStep)
Q_DECLARE_METATYPE(Check)

class tst_ModelSteps : public QObject
{
    Q_OBJECT

private slots:
    void doUndoRedo_data();
    void doUndoRedo();
    void memberTypesByKey();
    void replicate_data();
    void replicate();
    void randomReplicates();
};

void tst_ModelSteps::doUndoRedo_data()
{
    QTest::addColumn<MakeStep>("make");
    QTest::addColumn<QString>("text");   // none: no step, as nothing would change
    QTest::addColumn<Check>("done");
    QTest::addRow("members and nodes") << assign({1, 2, 3}, {5, 6}, [](auto &a) { a.memberType = 2, a.nf[2] = 1; })
        << "Assign to 3 members and 2 nodes" << Check([](const ProjectModel &m) {
               return m.typeNumber(m.members().at(2).type) == 2 && m.nodes().at(5).nf3 == 1 && m.nodes().at(6).nf3 == 0;
           });
    QTest::addRow("one member") << assign({7}, {5}, [](auto &a) { a.memberIout = 1; }) << "Assign to 1 member"
        << Check([](const ProjectModel &m) { return m.members().at(6).iout == 1; });
    QTest::addRow("weights and loads") << assign({1}, {5, 6}, [](auto &a) { a.weights[1] = 7.5, a.loads[2] = -2.0; })
        << "Assign to 2 nodes" << Check([](const ProjectModel &m) {
               return m.weights().second.at(5) == 7.5 && m.loads().third.at(4) == -2.0 && m.weights().first.at(5) == 25;
           });
    // Column 2 loses its coupling; node 5 of column 1 now follows node 6.
    QTest::addRow("drift with couplings") << drift("2", true) << "Drift" << Check([](const ProjectModel &m) {
        return m.drift().drift == "2" && m.nodes().at(5).kup1 == 0 && m.nodes().at(4).kup1 == 6;
    });
    QTest::addRow("drift alone") << drift("None", false) << "Drift" << Check([](const ProjectModel &m) {
        return m.drift().drift == "None" && m.nodes().at(5).kup1 == 5;
    });
    QTest::addRow("one member type") << editedTypes(false) << "Member type 1" << Check(relabelled);
    QTest::addRow("member types") << editedTypes(true) << "Member types" << Check([](const ProjectModel &m) {
        return relabelled(m) && m.types().size() == 3 && m.memberType(m.typeKey(3))->getType() == Member::WALL;
    });

    QTest::addRow("nothing asked") << assign({1}, {5}, [](auto &) {}) << QString() << Check();
    QTest::addRow("the type members have") << assign({1, 2, 3}, {}, [](auto &a) { a.memberType = 1; }) << QString()
                                           << Check();
    QTest::addRow("the weights nodes have") << assign({}, {5, 6}, [](auto &a) { a.weights[0] = 25.0; }) << QString()
                                            << Check();
    QTest::addRow("no selection") << assign({}, {}, [](auto &a) { a.memberType = 2, a.nodeIout = 1, a.loads[0] = 4; })
                                  << QString() << Check();
    QTest::addRow("drift as it is") << drift("1", true) << QString() << Check();
    QTest::addRow("types as they are") << MakeStep([](ProjectModel &m) {
        return ModelSteps::memberTypes(&m, typeKeys(m), {m.memberType(m.typeKey(1)), m.memberType(m.typeKey(2))});
    }) << QString() << Check();
}

void tst_ModelSteps::doUndoRedo()
{
    QFETCH(MakeStep, make);
    QFETCH(QString, text);
    QFETCH(Check, done);
    ProjectModel model;
    QVERIFY(TestModels::openSample(model, QStringLiteral("portal-frame-rc.kfp")));
    const TestModels::Bytes before = bytesOf(model);
    QUndoStack stack;
    QUndoCommand *step = make(model);
    QCOMPARE(bytesOf(model).hash(), before.hash());   // done only when pushed
    if (text.isEmpty()) {
        QCOMPARE(step, nullptr);
        return;
    }
    QVERIFY(step);
    QCOMPARE(step->text(), text);

    stack.push(step);
    QVERIFY(done(model));
    const TestModels::Bytes after = bytesOf(model);
    QVERIFY(after.project != before.project);
    stack.undo();
    QCOMPARE(bytesOf(model).hash(), before.hash());
    stack.redo();
    QCOMPARE(bytesOf(model).hash(), after.hash());
}

void tst_ModelSteps::memberTypesByKey()
{
    // Types A, B, C shown in the dialog; B is then deleted (say by its undo).
    ProjectModel model;
    QVERIFY(TestModels::openSample(model, QStringLiteral("portal-frame-rc.kfp")));
    QUndoStack stack;
    Member c(*model.memberType(model.typeKey(1)));
    c.setLabel(QStringLiteral("C"));
    stack.push(new MemberTypeCommand(&model, MemberTypeCommand::Add, 0, &c));
    const QList<ModelKey> keys = typeKeys(model);
    const Member a(*model.memberType(keys.at(0))), b(*model.memberType(keys.at(1)));
    stack.push(new MemberTypeCommand(&model, MemberTypeCommand::Delete, keys.at(1), nullptr));

    QCOMPARE(ModelSteps::memberTypes(&model, {keys.at(0), keys.at(2)}, {&a, &c}), nullptr);
    QCOMPARE(ModelSteps::memberTypes(&model, keys, {&a, &b, &c}), nullptr);   // B does not come back
    c.getFrameB()[0] = 3.0e7;
    QUndoCommand *step = ModelSteps::memberTypes(&model, keys, {&a, &b, &c});
    QVERIFY(step);
    QCOMPARE(step->text(), QStringLiteral("Member type 2"));
    stack.push(step);
    QCOMPARE(model.types().size(), 2);
    QCOMPARE(model.memberType(keys.at(2))->getFrameB()[0], 3.0e7);
}

void tst_ModelSteps::replicate_data()
{
    // The portal's 4 x 5 grid (node n at column (n-1) % 4, row (n-1) / 4) with these members.
    QTest::addColumn<QList<int>>("ends");
    QTest::addColumn<QList<int>>("members");     // selected, by number
    QTest::addColumn<QList<int>>("nodes");       // selected, by number
    QTest::addColumn<QList<int>>("move");        // bays, storeys, times
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("text");           // none: no step
    QTest::addColumn<QString>("status");
    const QList<int> beamAndColumn{5, 6, 1, 5};
    QTest::addRow("up") << beamAndColumn << QList<int>{1, 2} << QList<int>{} << QList<int>{0, 1, 3}
                        << "9-10:13,14 5-9:0,0 13-14:17,18 9-13:0,0 17-18:0,0 13-17:0,0" << "Replicate 6 members"
                        << "Replicated 6 members";
    QTest::addRow("right, the beam off the grid at last") << beamAndColumn << QList<int>{2, 1} << QList<int>{}
                        << QList<int>{1, 0, 3} << "6-7:10,11 2-6:0,0 7-8:11,12 3-7:0,0 4-8:0,0"
                        << "Replicate 5 members" << "Replicated 5 members; skipped 1";
    QTest::addRow("down") << beamAndColumn << QList<int>{1} << QList<int>{} << QList<int>{0, -1, 2} << "1-2:5,6"
                          << "Replicate 1 member" << "Replicated 1 member; skipped 1";
    QTest::addRow("left and up") << QList<int>{7, 8} << QList<int>{1} << QList<int>{} << QList<int>{-1, 1, 1}
                                 << "10-11:0,13" << "Replicate 1 member" << "Replicated 1 member";
    // 9-5 doubles 5-9: its copy joins the nodes of the copy before; 3-11 overlaps the second copies.
    QTest::addRow("doubles") << QList<int>{1, 5, 5, 9, 9, 5, 3, 11} << QList<int>{1, 2, 3} << QList<int>{}
                             << QList<int>{1, 0, 2} << "2-6:10,11 6-10:0,0" << "Replicate 2 members"
                             << "Replicated 2 members; skipped 4";
    QTest::addRow("on themselves") << beamAndColumn << QList<int>{1, 2} << QList<int>{6} << QList<int>{0, 0, 1}
                                   << "" << "" << "Replicated 1 node; skipped 2";
    QTest::addRow("nodes") << beamAndColumn << QList<int>{} << QList<int>{6, 8} << QList<int>{1, 0, 2} << ""
                           << "Replicate 2 nodes" << "Replicated 2 nodes; skipped 2";
    QTest::addRow("members and a node") << beamAndColumn << QList<int>{1} << QList<int>{6} << QList<int>{0, 2, 1}
                                        << "13-14:17,18" << "Replicate 1 member and 1 node"
                                        << "Replicated 1 member and 1 node";
}

void tst_ModelSteps::replicate()
{
    QFETCH(QList<int>, ends);
    QFETCH(QList<int>, members);
    QFETCH(QList<int>, nodes);
    QFETCH(QList<int>, move);
    QFETCH(QString, added);
    QFETCH(QString, text);
    QFETCH(QString, status);
    ProjectModel model;
    QVERIFY(TestModels::openSample(model, QStringLiteral("portal-frame-rc.kfp")));
    ModelData d = frame(model, ends);
    // Node 6 carries values of its own, and a KUP that is not copied; SHAPE has two modes.
    d.nodes[5].nf1 = 1, d.nodes[5].iout = 2;
    d.weights.first[5] = 99, d.loads = {QList<double>(20), QList<double>(20), QList<double>(20)};
    d.loads.second[5] = -3;
    d.control.a[5] = -1;
    for (int k = 0; k < 40; ++k)
        d.shape.fx << k, d.shape.fy << 0, d.shape.fm << 0;
    model.resetData(d);
    const TestModels::Bytes before = bytesOf(model);
    QList<ModelKey> memberKeys, nodeKeys;
    for (int n : members)
        memberKeys << model.members().at(n - 1).key;
    for (int n : nodes)
        nodeKeys << model.nodeKey(n);

    ModelSteps::Replicated made;
    QUndoCommand *step = ModelSteps::replicate(&model, memberKeys, nodeKeys, move.at(0), move.at(1), move.at(2), &made);
    QCOMPARE(made.statusText(), status);
    QCOMPARE(bytesOf(model).hash(), before.hash());
    if (text.isEmpty()) {
        QCOMPARE(step, nullptr);
        return;
    }
    QVERIFY(step);
    QCOMPARE(step->text(), text);
    QUndoStack stack;
    stack.push(step);
    QCOMPARE(membersFrom(model, int(ends.size() / 2)), added);
    for (int k = 1; k <= move.at(2) && !nodes.isEmpty(); ++k) {
        // Node 6's values land on its copies; their KUP1 stays.
        const int to = 5 + k * (move.at(0) + 4 * move.at(1));
        if (to >= 20 || (to % 4) < 1)
            continue;
        const NodeRecord &r = model.nodes().at(to);
        QCOMPARE(QList<int>({r.nf1, r.iout, r.kup1}), QList<int>({1, 2, d.nodes.at(to).kup1}));
        QCOMPARE(model.weights().first.at(to), 99.0);
        QCOMPARE(model.loads().second.at(to), -3.0);
        QCOMPARE(model.shape().fx.at(20 + to), 25.0);
    }
    stack.undo();
    QCOMPARE(bytesOf(model).hash(), before.hash());
}

void tst_ModelSteps::randomReplicates()
{
    // Random frames, selections and moves: copies never double or overlap a member,
    // each is a selected member moved, and undo gives the model back.
    ProjectModel portal;
    QVERIFY(TestModels::openSample(portal, QStringLiteral("portal-frame-rc.kfp")));
    QRandomGenerator rng(20261210);
    int made = 0, skipped = 0;
    for (int round = 0; round < 200; ++round) {
        QList<int> ends;
        for (int k = 0; k < 28; ++k)
            if (rng.bounded(3) == 0) {
                const MemberRecord &m = portal.members().at(k);
                ends << portal.nodeNumber(m.source) << portal.nodeNumber(m.dest);
            }
        ProjectModel model;
        model.resetData(frame(portal, ends));
        const TestModels::Bytes before = bytesOf(model);
        QList<ModelKey> selected;
        for (const MemberRecord &m : model.members())
            if (rng.bounded(2))
                selected << m.key;
        const int bays = rng.bounded(-3, 4), storeys = rng.bounded(-4, 5), times = rng.bounded(1, 4);
        ModelSteps::Replicated counts;
        QUndoCommand *step = ModelSteps::replicate(&model, selected, {}, bays, storeys, times, &counts);
        QCOMPARE(counts.members + counts.skipped, selected.size() * times);
        if (!step) {
            QCOMPARE(counts.members, 0);
            continue;
        }
        QUndoStack stack;
        stack.push(step);
        made += counts.members, skipped += counts.skipped;
        QCOMPARE(model.members().size(), ends.size() / 2 + counts.members);
        for (const ModelCheck::Problem &p : ModelCheck::check(model.data(), QString()))
            QVERIFY2(!p.text.startsWith(QLatin1String("overlaps")), qPrintable(p.line()));
        for (int k = int(ends.size() / 2); k < model.members().size(); ++k) {
            const MemberRecord &copy = model.members().at(k);
            const int a = model.nodeIndex(copy.source), b = model.nodeIndex(copy.dest);
            bool found = false;
            for (ModelKey key : std::as_const(selected)) {
                const MemberRecord *m = model.member(key);
                const int da = a - model.nodeIndex(m->source), db = b - model.nodeIndex(m->dest);
                const int shift = bays + 4 * storeys;
                found = found || (da == db && shift != 0 && da % shift == 0 && da / shift >= 1 && da / shift <= times);
            }
            QVERIFY(found);
        }
        stack.undo();
        QCOMPARE(bytesOf(model).hash(), before.hash());
    }
    QVERIFY(made > 150 && skipped > 500);
}

QTEST_GUILESS_MAIN(tst_ModelSteps)
#include "tst_modelsteps.moc"
