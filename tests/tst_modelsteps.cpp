#include <QtTest>

#include "member.h"
#include "membertypecommand.h"
#include "modelsteps.h"
#include "testmodels.h"

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

QTEST_GUILESS_MAIN(tst_ModelSteps)
#include "tst_modelsteps.moc"
