#include <QtTest>

#include "analysiswriter.h"
#include "createmembercommand.h"
#include "deletememberscommand.h"
#include "editrecordscommand.h"
#include "member.h"
#include "membertypecommand.h"
#include "modelcheck.h"
#include "modelsteps.h"
#include "projectdata.h"
#include "projectfile.h"
#include "projectmodel.h"
#include "resetmodelcommand.h"
#include "settingscommand.h"
#include "testmodels.h"

#include <QElapsedTimer>
#include <QMetaEnum>
#include <QRandomGenerator>
#include <QSet>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using TestModels::Bytes;
using TestModels::bytesOf;
using TestModels::gridWith;
using TestModels::openSample;

const QString portal = QStringLiteral("portal-frame-rc.kfp");

ModelKey memberKey(const ProjectModel &m, int number) { return m.members().at(number - 1).key; }

// The grid dialog's OK, as the window builds it.
ModelData gridData(const ProjectModel &m, const QStringList &xs, const QStringList &ys)
{
    ModelData next = m.data();
    next.begun = true;
    next.grid = gridWith(next.grid, xs, ys);
    next.members.clear();
    next.nodes.clear();
    for (const NodeData &n : ModelCore::buildNodes(xs, ys, next.grid.nodesIOut))
        next.nodes.append({next.nextKey++, n.x, n.y, n.nf1, n.nf2, n.nf3, n.kup1, n.kup2, n.kup3, n.iout});
    return next;
}

// As the window pushes: a step that would change nothing is dropped.
template <typename C>
QUndoCommand *unlessEmpty(C *c)
{
    if (!c->isEmpty())
        return c;
    delete c;
    return nullptr;
}

template <typename T>
QUndoCommand *settings(ProjectModel &m, const T &(ProjectModel::*get)() const, void (ProjectModel::*set)(const T &),
                       const T &value, const QString &text)
{
    return unlessEmpty(new SettingsCommand<T>(&m, get, set, value, text));
}

QString keysText(const QList<ModelKey> &keys)
{
    QStringList s;
    for (ModelKey k : keys)
        s << QString::number(k);
    return '(' + s.join(',') + ')';
}

QString sig(const char *name, const QList<ModelKey> &keys) { return QLatin1String(name) + keysText(keys); }

// Every signal the model emitted since the last call, in the order they are declared.
class Spies
{
public:
    explicit Spies(ProjectModel *m)
    {
        const QMetaObject &mo = ProjectModel::staticMetaObject;
        for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
            if (mo.method(i).methodType() == QMetaMethod::Signal)
                spies.emplace_back(mo.method(i).name(), std::make_unique<QSignalSpy>(m, mo.method(i)));
    }
    QString take()
    {
        QStringList out;
        for (auto &[name, spy] : spies) {
            for (const QList<QVariant> &args : std::as_const(*spy)) {
                const QVariant v = args.value(0);
                out << QString::fromLatin1(name)
                           + (v.metaType() == QMetaType::fromType<QList<ModelKey>>() ? keysText(v.value<QList<ModelKey>>())
                              : v.isValid() ? '(' + v.toString() + ')' : QString());
            }
            spy->clear();
        }
        return out.join(' ');
    }

private:
    std::vector<std::pair<QByteArray, std::unique_ptr<QSignalSpy>>> spies;
};

// Every key of the model is there once and was given out by it.
bool keysUnique(const ProjectModel &m)
{
    QList<ModelKey> keys;
    for (const NodeRecord &r : m.nodes())
        keys << r.key;
    for (const MemberRecord &r : m.members())
        keys << r.key;
    for (const MemberTypeRecord &r : m.types())
        keys << r.key;
    const QSet<ModelKey> once(keys.begin(), keys.end());
    return once.size() == keys.size() && !once.contains(0)
           && std::all_of(keys.begin(), keys.end(), [&](ModelKey k) { return k < m.data().nextKey; });
}

// A step, with the signals its redo and its undo give (undone empty: as redo).
struct Step {
    QUndoCommand *command = nullptr;
    QString done, undone = QString();
};
using MakeStep = std::function<Step(ProjectModel &)>;

// A data row's step for one section of settings: the model's values with a change.
template <typename T, typename Change>
MakeStep settingsRow(const T &(ProjectModel::*get)() const, void (ProjectModel::*set)(const T &), const char *text,
                     const char *section, Change change)
{
    return [=](ProjectModel &m) {
        T value = (m.*get)();
        change(value);
        return Step{settings(m, get, set, value, text), QStringLiteral("settingsChanged(%1)").arg(section)};
    };
}

// One edit of a random kind as the window could make it, or null when it would change nothing.
class RandomEdits
{
public:
    static constexpr int Kinds = 14;
    explicit RandomEdits(quint32 seed) : rng(seed) {}
    int pick(int n) { return n > 0 ? int(rng.bounded(n)) : 0; }
    double value(int n, double scale) { return pick(n) * scale; }

    QUndoCommand *make(ProjectModel &m, int &kind)
    {
        kind = pick(50) == 0 ? Kinds - 1 : pick(Kinds - 1);   // a new grid now and then
        const int nodes = int(m.nodes().size()), members = int(m.members().size()), types = int(m.types().size());
        if (members == 0 && (kind == 1 || kind == 3))
            return nullptr;
        switch (kind) {
        case 0: {
            MemberRecord r;
            r.source = m.nodeKey(pick(nodes) + 1), r.dest = m.nodeKey(pick(nodes) + 1);
            r.type = m.typeKey(pick(types + 1)), r.iout = pick(2);
            if (r.source == r.dest || m.memberBetween(r.source, r.dest))
                return nullptr;
            return new CreateMemberCommand(&m, r);
        }
        case 1: {
            QList<ModelKey> keys;
            for (int k = 1 + pick(3); k > 0; --k)
                keys << memberKey(m, pick(members) + 1);
            return new DeleteMembersCommand(&m, keys);
        }
        case 2: {
            const int n = pick(nodes) + 1;
            NodeRecord r = *m.node(m.nodeKey(n));
            r.nf1 = pick(2), r.nf2 = pick(2), r.nf3 = pick(2), r.iout = pick(2);
            r.kup1 = pick(2) ? 0 : pick(nodes) + 1, r.kup3 = pick(3) ? 0 : pick(nodes) + 1;
            return unlessEmpty(new EditNodesCommand(&m, {r}, QStringLiteral("Edit node %1").arg(n)));
        }
        case 3: {
            const int n = pick(members) + 1;
            MemberRecord r = m.members().at(n - 1);
            r.type = m.typeKey(pick(types + 1)), r.node3 = pick(nodes + 1), r.node4 = pick(nodes + 1);
            r.iout = pick(2);
            return unlessEmpty(new EditMembersCommand(&m, {r}, QStringLiteral("Edit member %1").arg(n)));
        }
        case 4:   // add a changed copy of a type
        case 5: { // or change one
            if (types == 0)
                return nullptr;
            const MemberTypeRecord &t = m.types().at(pick(types));
            Member values(*t.values);
            values.setLabel(QStringLiteral("T%1").arg(pick(1000)));
            values.getFrameDeg()[pick(4)] = value(100, 0.125);
            if (double *b = values.getFrameB())
                b[pick(5)] = value(30000, 1000.0);
            return new MemberTypeCommand(&m, kind == 4 ? MemberTypeCommand::Add : MemberTypeCommand::Edit, t.key,
                                         &values);
        }
        case 6:
            return types < 2 ? nullptr
                             : new MemberTypeCommand(&m, MemberTypeCommand::Delete, m.typeKey(pick(types) + 1), nullptr);
        case 7: {
            ControlSettings c = m.control();
            c.a[0] = pick(2) ? 0 : 6;   // IPANAL 6 writes ALPHA
            c.a[4] = QList<int>{0, 4, 5}.at(pick(3));   // ICTYPE 4 writes the damping list, 5 damping per type
            c.a[5] = pick(2) ? 0 : -1;  // a negative IPVERT writes SHAPE
            c.b[3 + pick(7)] = pick(30);
            c.c[pick(10)] = value(200, 0.0625);
            c.e[pick(8)] = value(200, 0.0625);
            c.dampList.clear();
            for (int k = pick(4); k > 0; --k)
                c.dampList << value(50, 0.01);
            c.seted = pick(4) != 0;
            return settings(m, &ProjectModel::control, &ProjectModel::setControl, c, QStringLiteral("Control options"));
        }
        case 8: {
            DriftSettings d;
            const int column = pick(int(m.grid().XLines.size()) + 1);
            d.drift = column == 0 ? QStringLiteral("None") : QString::number(column);
            d.kup1AutomaticallyTo0 = pick(2), d.kup1Automatically = pick(2), d.seted = pick(2);
            return ModelSteps::drift(&m, d, pick(2));
        }
        case 9:
        case 10: {
            NodeValues v = kind == 9 ? m.weights() : m.loads();
            for (QList<double> *l : {&v.first, &v.second, &v.third}) {
                l->resize(nodes);
                (*l)[pick(nodes)] = value(2000, 0.25) - 250;
            }
            return kind == 9 ? settings(m, &ProjectModel::weights, &ProjectModel::setWeights, v, "Weights")
                             : settings(m, &ProjectModel::loads, &ProjectModel::setLoads, v, "Loads");
        }
        case 11: {
            ShapeSettings s = m.shape();
            for (QList<double> *l : {&s.fx, &s.fy, &s.fm}) {
                l->resize(nodes * (1 + pick(2)));
                (*l)[pick(int(l->size()))] = value(100, 0.1);
            }
            s.alpha = value(40, 0.125);
            return settings(m, &ProjectModel::shape, &ProjectModel::setShape, s, "Shape");
        }
        case 12: {
            QuakeSettings q = m.quake();
            q.a[pick(2)] = pick(5);
            q.b[pick(6)] = value(100, 0.02);
            q.file = QStringList{QString(), "elcentro-ns.txt", "kobe-ew.txt"}.at(pick(3));
            q.seted = pick(2);
            return settings(m, &ProjectModel::quake, &ProjectModel::setQuake, q, "Earthquake");
        }
        default: {
            QStringList xs, ys;
            for (int k = 2 + pick(3), x = 0; k > 0; --k, x += 1 + pick(8))
                xs << QString::number(x);
            for (int k = 2 + pick(4), y = 0; k > 0; --k, y += 3)
                ys << QString::number(y);
            return new ResetModelCommand(&m, gridData(m, xs, ys), QStringLiteral("Grid"));
        }
        }
    }

private:
    QRandomGenerator rng;
};

// A random edit of one axis: each line kept, moved or removed, and a few added.
// Gives the new lines ascending and, for each, the old place it continues or -1.
QStringList editedLines(QRandomGenerator &rng, const QStringList &old, QList<int> &from)
{
    QList<QPair<double, int>> lines;
    QSet<double> taken;
    const auto add = [&](double v, int origin) {
        if (!taken.contains(v)) {
            taken.insert(v);
            lines.append({v, origin});
        }
    };
    for (int k = 0; k < old.size(); ++k) {
        const int what = int(rng.bounded(6));
        if (what == 0)
            continue;   // removed
        add(what == 1 ? double(rng.bounded(80)) * 0.5 : old.at(k).toDouble(), k);
    }
    for (int k = int(rng.bounded(3)); k > 0; --k)
        add(double(rng.bounded(80)) * 0.5 + 0.25, -1);
    std::sort(lines.begin(), lines.end());
    QStringList out;
    from.clear();
    for (const auto &l : std::as_const(lines)) {
        out << QString::number(l.first, 'g', 15);
        from << l.second;
    }
    return out;
}

Bytes reopened(const Bytes &b)
{
    ProjectData data;
    QString error;
    if (!ProjectFile::read(b.project, data, &error)) {
        qWarning() << error;
        return {};
    }
    ProjectModel m;
    m.resetData(ProjectModel::fromProjectData(data));
    return bytesOf(m);
}

} // namespace

Q_DECLARE_METATYPE(MakeStep)

class tst_ProjectModel : public QObject
{
    Q_OBJECT

private slots:
    void editUndoRedo_data();
    void editUndoRedo();
    void deletedTypeNumbersFollowTheOrder();
    void keysStayFreshAcrossGridUndo();
    void randomEditsUndoRedo();
    void unchangedValuesMakeEmptySteps();
    void insertStorey();
    void splitAtNewLines_data();
    void splitAtNewLines();
    void gridRemovalCounts_data();
    void gridRemovalCounts();
    void randomGridEditsUndo();
    void insertLineIntoLargeGrid();
    void newLowestLine();
    void quickDrawSegments_data();
    void quickDrawSegments();
    void dampingModes_data();
    void dampingModes();
};

void tst_ProjectModel::editUndoRedo_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<MakeStep>("make");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("analysisDiffers");   // the project file always differs here

    // Numbers are those of the portal frame: 20 nodes on a 4 x 5 grid,
    // columns 1-16 of type 1, beams 17-28 of type 2.
    QTest::addRow("create member") << portal << MakeStep([](ProjectModel &m) {
        MemberRecord r;
        r.type = m.typeKey(2), r.source = m.nodeKey(5), r.dest = m.nodeKey(10);
        auto *c = new CreateMemberCommand(&m, r);
        return Step{c, sig("membersInserted", {c->key()}), sig("membersRemoved", {c->key()})};
    }) << "Create member 29" << true;
    QTest::addRow("delete one member") << portal << MakeStep([](ProjectModel &m) {
        const ModelKey k = memberKey(m, 7);
        return Step{new DeleteMembersCommand(&m, {k}), sig("membersRemoved", {k}), sig("membersInserted", {k})};
    }) << "Delete member 7" << true;
    QTest::addRow("delete several members") << portal << MakeStep([](ProjectModel &m) {
        const QList<ModelKey> k{memberKey(m, 3), memberKey(m, 17), memberKey(m, 28)};
        return Step{new DeleteMembersCommand(&m, {k[2], k[0], k[1], k[0]}), sig("membersRemoved", k),
                    sig("membersInserted", k)};
    }) << "Delete 3 members" << true;
    QTest::addRow("edit node") << portal << MakeStep([](ProjectModel &m) {
        NodeRecord r = *m.node(m.nodeKey(5));
        r.nf3 = 1, r.kup2 = 9, r.iout = 1;
        return Step{new EditNodesCommand(&m, {r}, "Edit node 5"), sig("nodesChanged", {r.key})};
    }) << "Edit node 5" << true;
    QTest::addRow("edit member") << portal << MakeStep([](ProjectModel &m) {
        MemberRecord r = m.members().at(11);
        r.type = m.typeKey(2), r.node3 = 3, r.node4 = 4, r.iout = 1;
        return Step{new EditMembersCommand(&m, {r}, "Edit member 12"), sig("membersChanged", {r.key})};
    }) << "Edit member 12" << true;
    QTest::addRow("add member type") << portal << MakeStep([](ProjectModel &m) {
        Member values(*m.types().at(0).values);
        values.setLabel(QStringLiteral("Column-600x600"));
        values.getFrameB()[2] = 0.36;
        return Step{new MemberTypeCommand(&m, MemberTypeCommand::Add, 0, &values), "typesChanged"};
    }) << "Add member type 3" << true;
    QTest::addRow("edit member type") << portal << MakeStep([](ProjectModel &m) {
        Member values(*m.types().at(1).values);
        values.getFrameB()[0] = 3.0e7;
        return Step{new MemberTypeCommand(&m, MemberTypeCommand::Edit, m.typeKey(2), &values), "typesChanged"};
    }) << "Member type 2" << true;
    QTest::addRow("delete member type") << portal << MakeStep([](ProjectModel &m) {
        QList<ModelKey> users;
        for (int n = 1; n <= 16; ++n)
            users << memberKey(m, n);
        return Step{new MemberTypeCommand(&m, MemberTypeCommand::Delete, m.typeKey(1), nullptr),
                    sig("membersChanged", users) + " typesChanged"};
    }) << "Delete member type 1" << true;
    QTest::addRow("control options") << portal << settingsRow(&ProjectModel::control, &ProjectModel::setControl,
        "Control options", "Control", [](ControlSettings &c) { c.c[3] = 0.005, c.b[3] = 3; }) << "Control options" << true;
    // Whether the options were set is kept by the project file only.
    QTest::addRow("control options unset") << portal << settingsRow(&ProjectModel::control, &ProjectModel::setControl,
        "Control options", "Control", [](ControlSettings &c) { c.seted = false; }) << "Control options" << false;
    QTest::addRow("drift with couplings") << portal << MakeStep([](ProjectModel &m) {
        DriftSettings d = m.drift();
        d.drift = QStringLiteral("2");
        // Column 2 loses its coupling to column 1, the others couple to column 2: every node changes.
        QList<ModelKey> all;
        for (int n = 1; n <= 20; ++n)
            all << m.nodeKey(n);
        return Step{ModelSteps::drift(&m, d, true), sig("nodesChanged", all) + " settingsChanged(Drift)"};
    }) << "Drift" << true;
    QTest::addRow("weights") << portal << settingsRow(&ProjectModel::weights, &ProjectModel::setWeights, "Weights",
        "Weights", [](NodeValues &w) { w.second[6] = -260.5; }) << "Weights" << true;
    QTest::addRow("loads") << portal << settingsRow(&ProjectModel::loads, &ProjectModel::setLoads, "Loads", "Loads",
        [](NodeValues &l) { l.first[19] = 40, l.third[4] = 1.5; }) << "Loads" << true;
    QTest::addRow("shape") << "pier-plastic-hinges-shape.kfp" << settingsRow(&ProjectModel::shape,
        &ProjectModel::setShape, "Shape", "Shape", [](ShapeSettings &s) { s.fx[0] += 0.25, s.alpha = 1.5; })
        << "Shape" << true;
    QTest::addRow("earthquake") << portal << settingsRow(&ProjectModel::quake, &ProjectModel::setQuake, "Earthquake",
        "Quake", [](QuakeSettings &q) { q.b[0] = 0.01, q.file = QStringLiteral("kobe-ew.txt"); }) << "Earthquake" << true;
    QTest::addRow("first grid") << QString() << MakeStep([](ProjectModel &m) {
        return Step{new ResetModelCommand(&m, gridData(m, {"0", "5", "10"}, {"0", "3"}), "Grid"), "modelReset"};
    }) << "Grid" << true;
}

void tst_ProjectModel::editUndoRedo()
{
    QFETCH(QString, sample);
    QFETCH(MakeStep, make);
    QFETCH(QString, text);
    QFETCH(bool, analysisDiffers);

    ProjectModel model;
    QVERIFY(openSample(model, sample));
    const Bytes original = bytesOf(model);
    Spies spies(&model);
    QUndoStack stack;
    const Step step = make(model);
    QVERIFY(step.command);
    QCOMPARE(step.command->text(), text);

    stack.push(step.command);
    QCOMPARE(spies.take(), step.done);
    const Bytes after = bytesOf(model);
    QVERIFY(after.project != original.project);
    QCOMPARE(after.analysis != original.analysis, analysisDiffers);

    stack.undo();
    QCOMPARE(spies.take(), step.undone.isEmpty() ? step.done : step.undone);
    QCOMPARE(bytesOf(model).project, original.project);
    QCOMPARE(bytesOf(model).analysis, original.analysis);

    stack.redo();
    QCOMPARE(spies.take(), step.done);
    QCOMPARE(bytesOf(model).project, after.project);
    QCOMPARE(bytesOf(model).analysis, after.analysis);
}

void tst_ProjectModel::deletedTypeNumbersFollowTheOrder()
{
    ProjectModel model;
    QVERIFY(openSample(model, portal));
    ProjectData before, after, back;
    QVERIFY(ProjectFile::read(bytesOf(model).project, before));
    QUndoStack stack;
    stack.push(new MemberTypeCommand(&model, MemberTypeCommand::Delete, model.typeKey(1), nullptr));
    QVERIFY(ProjectFile::read(bytesOf(model).project, after));
    stack.undo();
    QVERIFY(ProjectFile::read(bytesOf(model).project, back));

    QCOMPARE(after.memberTypes.size(), 1);
    QCOMPARE(after.memberTypes.at(0)->getLabel(), before.memberTypes.at(1)->getLabel());
    QCOMPARE(after.bars.size(), before.bars.size());
    int untyped = 0;
    for (int i = 0; i < before.bars.size(); ++i) {
        const int was = before.bars.at(i).mTypeId;
        QCOMPARE(after.bars.at(i).mTypeId, was == 1 ? 0 : was - 1);
        QCOMPARE(back.bars.at(i).mTypeId, was);
        untyped += was == 1;
    }
    QVERIFY(untyped > 0 && untyped < before.bars.size());
}

void tst_ProjectModel::keysStayFreshAcrossGridUndo()
{
    // Redoing a grid must not hand out again keys that the steps after it took.
    ProjectModel model;
    QUndoStack stack;
    stack.push(new ResetModelCommand(&model, gridData(model, {"0", "5"}, {"0", "3"}), "Grid"));
    MemberRecord r;
    r.source = model.nodeKey(1), r.dest = model.nodeKey(3);
    auto *first = new CreateMemberCommand(&model, r);
    stack.push(first);
    const ModelKey firstKey = first->key();
    stack.setIndex(0);
    stack.setIndex(2);

    r.source = model.nodeKey(2), r.dest = model.nodeKey(4);
    auto *second = new CreateMemberCommand(&model, r);
    QVERIFY(second->key() != firstKey);
    stack.push(second);
    stack.push(new DeleteMembersCommand(&model, {firstKey}));
    QCOMPARE(model.members().size(), 1);
    QCOMPARE(model.members().first().source, model.nodeKey(2));
}

void tst_ProjectModel::randomEditsUndoRedo()
{
    QElapsedTimer timer;
    timer.start();
    ProjectModel model;
    QVERIFY(openSample(model, portal));
    const Bytes original = bytesOf(model);
    QUndoStack stack;
    RandomEdits edits(20240611);
    QList<QByteArray> hashes{original.hash()};   // hashes[i]: the bytes at stack index i
    QList<int> kinds(RandomEdits::Kinds, 0);
    // A key given out twice would let later steps reach the wrong record.
    const auto here = [&] {
        if (!keysUnique(model))
            return QStringLiteral("keys reused at step %1").arg(stack.index());
        if (bytesOf(model).hash() != hashes.at(stack.index()))
            return QStringLiteral("bytes differ at step %1").arg(stack.index());
        return QString();
    };

    for (int pushed = 0; pushed < 500;) {
        int kind = 0;
        QUndoCommand *c = edits.make(model, kind);
        if (!c)
            continue;
        stack.push(c);
        ++pushed, ++kinds[kind];
        hashes.resize(stack.index());
        hashes << bytesOf(model).hash();
        QVERIFY2(keysUnique(model), qPrintable(c->text()));
        // Now and then go back a few steps, then come back or branch off from there.
        if (edits.pick(10) == 0) {
            const int back = 1 + edits.pick(qMin(6, stack.index()));
            for (int k = 0; k < back; ++k) {
                stack.undo();
                QCOMPARE(here(), QString());
            }
            for (int k = edits.pick(2) ? back : 0; k > 0; --k) {
                stack.redo();
                QCOMPARE(here(), QString());
            }
        }
    }
    for (int k = 0; k < RandomEdits::Kinds; ++k)
        QVERIFY2(kinds.at(k) > 0, qPrintable(QStringLiteral("no edit of kind %1").arg(k)));

    const Bytes end = bytesOf(model);
    const int last = stack.index();
    while (stack.canUndo()) {
        stack.undo();
        QCOMPARE(here(), QString());
    }
    QCOMPARE(bytesOf(model).project, original.project);
    QCOMPARE(bytesOf(model).analysis, original.analysis);
    while (stack.canRedo()) {
        stack.redo();
        QCOMPARE(here(), QString());
    }
    QCOMPARE(stack.index(), last);
    QCOMPARE(bytesOf(model).project, end.project);
    QCOMPARE(bytesOf(model).analysis, end.analysis);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
}

void tst_ProjectModel::unchangedValuesMakeEmptySteps()
{
    for (const char *sample : {"portal-frame-rc.kfp", "pier-plastic-hinges-shape.kfp", "isolated-frame-wall-damper.kfp"}) {
        ProjectModel model;
        QVERIFY(openSample(model, sample));
        const auto same = [&](auto get, auto set) {
            return SettingsCommand(&model, get, set, (model.*get)(), QString()).isEmpty();
        };
        QVERIFY(same(&ProjectModel::control, &ProjectModel::setControl));
        QVERIFY(same(&ProjectModel::drift, &ProjectModel::setDrift));
        QVERIFY(same(&ProjectModel::weights, &ProjectModel::setWeights));
        QVERIFY(same(&ProjectModel::loads, &ProjectModel::setLoads));
        QVERIFY(same(&ProjectModel::shape, &ProjectModel::setShape));
        QVERIFY(same(&ProjectModel::quake, &ProjectModel::setQuake));
        QVERIFY(EditNodesCommand(&model, {model.nodes().at(2)}, QString()).isEmpty());
        QVERIFY(EditMembersCommand(&model, {model.members().at(0)}, QString()).isEmpty());
        // The drift dialog's OK with the choice unchanged: the sample's couplings already follow it.
        QVERIFY2(!ModelSteps::drift(&model, model.drift(), true), sample);

        NodeRecord n = model.nodes().at(2);
        n.iout = !n.iout;
        QVERIFY(!EditNodesCommand(&model, {n}, QString()).isEmpty());
    }
}

void tst_ProjectModel::insertStorey()
{
    // The 3-bay, 4-storey sample with drift couplings on column 1, and values on every node.
    ProjectModel model;
    QVERIFY(openSample(model, portal));
    ModelData start = model.data();
    start.control.a[5] = -1;   // writes SHAPE
    const int n = int(start.nodes.size());
    start.weights = start.loads = {QList<double>(n), QList<double>(n), QList<double>(n)};
    for (int k = 0; k < n; ++k) {
        start.weights.first[k] = 10 + k, start.weights.third[k] = 0.5 * k;
        start.loads.first[k] = k, start.loads.second[k] = -k;
    }
    start.nodes[13].kup3 = 6;
    start.shape = {};
    for (int k = 0; k < 2 * n; ++k)
        start.shape.fx << k, start.shape.fy << 0, start.shape.fm << 0.25 * k;
    start.members[20].node3 = 10, start.members[20].node4 = 14;
    model.resetData(start);
    const Bytes original = bytesOf(model);

    QList<int> yFrom{0, 1, -1, 2, 3, 4};
    const GridSettings g = gridWith(start.grid, start.grid.XLines,
                                    {"0", "3.5", "5.25", "7", "10.5", "14"});
    QUndoStack stack;
    stack.push(new ResetModelCommand(&model, ProjectModel::withEditedGrid(start, g, {0, 1, 2, 3}, yFrom),
                                     "Edit grid"));
    QCOMPARE(model.nodes().size(), 24);
    // Old node k+1 is now number k+1 below the new row, k+5 above it.
    const auto moved = [](int number) { return number <= 8 ? number : number + 4; };
    for (int k = 0; k < n; ++k) {
        const NodeRecord &was = start.nodes.at(k);
        const int now = model.nodeNumber(was.key);
        QCOMPARE(now, moved(k + 1));
        NodeRecord expected = was;
        expected.kup1 = was.kup1 ? moved(was.kup1) : 0;
        expected.kup3 = was.kup3 ? moved(was.kup3) : 0;
        QCOMPARE(*model.node(was.key), expected);
        QCOMPARE(model.weights().third.at(now - 1), start.weights.third.at(k));
        QCOMPARE(model.loads().second.at(now - 1), start.loads.second.at(k));
        QCOMPARE(model.shape().fm.at(24 + now - 1), start.shape.fm.at(n + k));
    }
    // The columns across the new row are split at its nodes, each part after the one before.
    int at = 0, split = 0;
    for (int k = 0; k < start.members.size(); ++k) {
        MemberRecord expected = start.members.at(k);
        expected.node3 = expected.node3 ? moved(expected.node3) : 0;
        expected.node4 = expected.node4 ? moved(expected.node4) : 0;
        const int a = model.nodeNumber(expected.source), b = model.nodeNumber(expected.dest);
        const int low = std::min(a, b), high = std::max(a, b);
        if (low > 4 && low <= 8 && high == low + 8) {
            const int middle = low + 4;
            MemberRecord first = expected, second = expected;
            first.dest = second.source = model.nodes().at(middle - 1).key;
            first.node4 = second.node3 = 0;
            second.key = model.members().at(at + 1).key;
            QCOMPARE(model.members().at(at++), first);
            QCOMPARE(model.members().at(at++), second);
            ++split;
        } else {
            QCOMPARE(model.members().at(at++), expected);
        }
    }
    QCOMPARE(split, 4);
    QCOMPARE(model.members().size(), at);
    // The new row: free, coupled to the drift column's new node, no values.
    for (int k = 8; k < 12; ++k) {
        const NodeRecord &r = model.nodes().at(k);
        QCOMPARE(QList<int>({r.nf1, r.nf2, r.nf3, r.kup1, r.kup2, r.kup3}),
                 QList<int>({0, 0, 0, k == 8 ? 0 : 9, 0, 0}));
        QCOMPARE(model.weights().first.at(k), 0.0);
    }
    QCOMPARE(model.control().b[3], 5);   // the grid's storeys follow

    QFile expected(QStringLiteral(SOURCE_DIR "/tests/data/analysis_insert_storey.txt"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(bytesOf(model).analysis, expected.readAll());
    QCOMPARE(reopened(bytesOf(model)).project, bytesOf(model).project);

    stack.undo();
    QCOMPARE(bytesOf(model).project, original.project);
    QCOMPARE(bytesOf(model).analysis, original.analysis);
}

void tst_ProjectModel::splitAtNewLines_data()
{
    // The portal's X lines 0 6 12 18 and Y lines 0 3.5 7 10.5 14 with these lines added;
    // the member from node `from` to node `to` (old numbers) gets NODE3 and NODE4 first.
    QTest::addColumn<QStringList>("xs");
    QTest::addColumn<QStringList>("ys");
    QTest::addColumn<QList<int>>("member");        // from, to, NODE3, NODE4 (old numbers)
    QTest::addColumn<QString>("parts");            // new numbers: "from-to:NODE3,NODE4"
    QTest::addColumn<QString>("question");         // split count, and the lines named
    const QStringList x{"0", "6", "12", "18"}, y{"0", "3.5", "7", "10.5", "14"};
    QTest::addRow("columns across a floor") << x << QStringList{"0", "3.5", "5.25", "7", "10.5", "14"}
                                            << QList<int>{5, 9, 6, 10} << "5-9:6,0 9-13:0,14" << "4: Y3";
    QTest::addRow("beams across a column line") << QStringList{"0", "3", "6", "12", "18"} << y
                                                << QList<int>{6, 5, 1, 2} << "8-7:1,0 7-6:0,3" << "4: X2";
    QTest::addRow("two new lines") << QStringList{"0", "2", "4", "6", "12", "18"} << y << QList<int>{5, 6, 9, 0}
                                   << "7-8:13,0 8-9:0,0 9-10:0,0" << "4: X2 X3";
    // The diagonal 1-6 is added: it passes over the crossing of the two new lines.
    QTest::addRow("diagonal over a crossing") << QStringList{"0", "3", "6", "12", "18"}
                                              << QStringList{"0", "1.75", "3.5", "7", "10.5", "14"}
                                              << QList<int>{1, 6, 0, 20} << "1-7:0,0 7-13:0,30" << "9: X2 Y2";
    QTest::addRow("a moved line") << QStringList{"0", "7", "12", "18"} << y << QList<int>{5, 6, 0, 0} << "5-6:0,0"
                                  << "0:";
}

void tst_ProjectModel::splitAtNewLines()
{
    QFETCH(QStringList, xs);
    QFETCH(QStringList, ys);
    QFETCH(QList<int>, member);
    QFETCH(QString, parts);
    QFETCH(QString, question);
    ProjectModel model;
    QVERIFY(openSample(model, portal));
    ModelData start = model.data();
    const ModelKey a = model.nodeKey(member.at(0)), b = model.nodeKey(member.at(1));
    int at = model.memberIndex(model.memberBetween(a, b));
    if (at < 0) {
        start.members.append({start.nextKey++, start.types.first().key, a, b, 0, 0, 0});
        at = int(start.members.size()) - 1;
    }
    start.members[at].source = a, start.members[at].dest = b;
    start.members[at].node3 = member.at(2), start.members[at].node4 = member.at(3);
    model.resetData(start);
    const Bytes original = bytesOf(model);

    // A line keeps its origin when its ordinate was there, or it takes a moved line's place.
    const auto origins = [](const QStringList &old, const QStringList &next) {
        QList<int> from;
        for (const QString &v : next)
            from << int(old.indexOf(v));
        if (old.size() == next.size())
            for (int k = 0; k < from.size(); ++k)
                from[k] = k;
        return from;
    };
    const QList<int> xFrom = origins(start.grid.XLines, xs), yFrom = origins(start.grid.YLines, ys);
    const GridSettings g = gridWith(start.grid, xs, ys);
    const ProjectModel::GridSplit split = ProjectModel::gridSplit(start, g, xFrom, yFrom);
    QString asked = QString::number(split.members) + QLatin1Char(':');
    for (int n : split.xLines)
        asked += QStringLiteral(" X%1").arg(n);
    for (int n : split.yLines)
        asked += QStringLiteral(" Y%1").arg(n);
    QCOMPARE(asked, question);

    QUndoStack stack;
    const ModelKey key = start.members.at(at).key, after = start.members.value(at + 1).key;
    stack.push(new ResetModelCommand(&model, ProjectModel::withEditedGrid(start, g, xFrom, yFrom), "Edit grid"));
    at = model.memberIndex(key);
    const int count = int(parts.count(QLatin1Char(' '))) + 1;
    // Every split member of a case has as many parts as the one shown.
    QCOMPARE(model.members().size(), start.members.size() + (count - 1) * split.members);
    QStringList shown;
    for (int k = at; k < at + count; ++k) {
        const MemberRecord &m = model.members().at(k);
        QCOMPARE(m.type, model.member(key)->type);
        shown << QStringLiteral("%1-%2:%3,%4").arg(model.nodeNumber(m.source)).arg(model.nodeNumber(m.dest))
                     .arg(m.node3).arg(m.node4);
    }
    QCOMPARE(shown.join(QLatin1Char(' ')), parts);
    QCOMPARE(model.members().value(at + count).key, after);
    stack.undo();
    QCOMPARE(bytesOf(model).project, original.project);
    QCOMPARE(bytesOf(model).analysis, original.analysis);
}

void tst_ProjectModel::gridRemovalCounts_data()
{
    QTest::addColumn<QList<int>>("xFrom");
    QTest::addColumn<QList<int>>("yFrom");
    QTest::addColumn<QList<int>>("counts");   // members, nodes with data, references set to 0
    QTest::addColumn<QString>("drift");
    const QList<int> allX{0, 1, 2, 3}, allY{0, 1, 2, 3, 4};
    // X line 1 carries the drift column: its couplings go with it.
    // Nodes 2 to 4 are coupled to node 1, and every storey to its node on X line 1.
    QTest::newRow("X line 1") << QList<int>{1, 2, 3} << allY << QList<int>{8, 4, 15} << "None";
    QTest::newRow("X line 3") << QList<int>{0, 1, 3} << allY << QList<int>{12, 5, 0} << "1";
    QTest::newRow("top storey") << allX << QList<int>{0, 1, 2, 3} << QList<int>{7, 4, 0} << "1";
    QTest::newRow("base") << allX << QList<int>{1, 2, 3, 4} << QList<int>{4, 3, 0} << "1";
    QTest::newRow("nothing") << allX << allY << QList<int>{0, 0, 0} << "1";
    QTest::newRow("every line") << QList<int>{} << QList<int>{} << QList<int>{28, 19, 0} << "None";
}

void tst_ProjectModel::gridRemovalCounts()
{
    QFETCH(QList<int>, xFrom);
    QFETCH(QList<int>, yFrom);
    QFETCH(QList<int>, counts);
    QFETCH(QString, drift);
    ProjectModel model;
    QVERIFY(openSample(model, portal));
    const ProjectModel::GridRemoval r = ProjectModel::gridRemoval(model.data(), xFrom, yFrom);
    QCOMPARE(QList<int>({r.members, r.nodes, r.references}), counts);

    QStringList xs, ys;
    for (int i : xFrom)
        xs << model.grid().XLines.at(i);
    for (int i : yFrom)
        ys << model.grid().YLines.at(i);
    const ModelData next = ProjectModel::withEditedGrid(model.data(), gridWith(model.grid(), xs, ys), xFrom, yFrom);
    QCOMPARE(next.members.size(), model.members().size() - counts.at(0));
    QCOMPARE(next.drift.drift, drift);
    int zeroed = 0;
    for (int k = 0; k < next.nodes.size(); ++k)
        zeroed += model.node(next.nodes.at(k).key)->kup1 != 0 && next.nodes.at(k).kup1 == 0;
    QCOMPARE(zeroed, counts.at(2));
}

void tst_ProjectModel::randomGridEditsUndo()
{
    ProjectModel model;
    QVERIFY(openSample(model, portal));
    QUndoStack stack;
    RandomEdits edits(20261209);
    QRandomGenerator rng(7);
    int tried = 0, removed = 0, splits = 0;
    for (int round = 0; round < 150; ++round) {
        int kind = 0;
        if (QUndoCommand *c = edits.make(model, kind))
            stack.push(c);
        if (model.nodes().isEmpty())
            continue;
        const Bytes before = bytesOf(model);
        QList<int> xFrom, yFrom;
        const QStringList xs = editedLines(rng, model.grid().XLines, xFrom);
        const QStringList ys = editedLines(rng, model.grid().YLines, yFrom);
        const ProjectModel::GridRemoval gone = ProjectModel::gridRemoval(model.data(), xFrom, yFrom);
        const ProjectModel::GridSplit split = ProjectModel::gridSplit(model.data(), gridWith(model.grid(), xs, ys),
                                                                      xFrom, yFrom);
        const int members = int(model.members().size());
        QSet<ModelKey> oldNodes;
        for (const NodeRecord &r : model.nodes())
            oldNodes.insert(r.key);
        stack.push(new ResetModelCommand(&model, ProjectModel::withEditedGrid(model.data(),
                                                                             gridWith(model.grid(), xs, ys), xFrom,
                                                                             yFrom), "Edit grid"));
        ++tried, removed += gone.members > 0, splits += split.members > 0;
        QVERIFY2(keysUnique(model), qPrintable(QString::number(round)));
        QCOMPARE(model.nodes().size(), xs.size() * ys.size());
        // No member passes over a node of an added line; every split added one part per such node.
        const ModelCheck::NodePlaces places(model.nodes());
        int passed = 0;
        for (const MemberRecord &m : model.members())
            for (int k : places.between(model.nodeIndex(m.source), model.nodeIndex(m.dest)))
                passed += !oldNodes.contains(model.nodes().at(k).key);
        QCOMPARE(passed, 0);
        QCOMPARE(split.members > 0, model.members().size() > members - gone.members);
        const Bytes after = bytesOf(model);
        const Bytes again = reopened(after);
        // Saved with ICTYPE 4 and no mode, it opens with the one mode a new model has.
        ModelData opened = model.data();
        if (opened.control.a[4] == 4 && opened.control.dampList.isEmpty())
            opened.control.dampList = {0.0};
        ProjectModel expected;
        expected.resetData(opened);
        QCOMPARE(again.project, bytesOf(expected).project);
        QCOMPARE(again.analysis, bytesOf(expected).analysis);
        stack.undo();
        QCOMPARE(bytesOf(model).project, before.project);
        QCOMPARE(bytesOf(model).analysis, before.analysis);
        // Go on from the edited model now and then.
        if (rng.bounded(3) == 0)
            stack.redo();
    }
    QVERIFY(tried > 100 && removed > 10 && splits > 10);
}

void tst_ProjectModel::insertLineIntoLargeGrid()
{
    QStringList lines;
    QList<int> from, to;
    for (int k = 0; k < 101; ++k)
        lines << QString::number(2 * k), from << k;
    ModelData start = ProjectModel::withGrid(ModelData(), gridWith(GridSettings(), lines, lines), true);
    for (int k = 0; k + 1 < start.nodes.size(); k += 2)
        start.members.append({start.nextKey++, 0, start.nodes.at(k).key, start.nodes.at(k + 1).key, 0, 0, 0});
    QStringList more = lines;
    more.insert(50, "99");
    to = from;
    to.insert(50, -1);
    QElapsedTimer timer;
    timer.start();
    const ModelData next = ProjectModel::withEditedGrid(start, gridWith(start.grid, more, lines), to, from);
    QVERIFY2(timer.elapsed() < 300, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
    QCOMPARE(next.nodes.size(), 102 * 101);
    // The 50 beams from x 98 to 100 are split at the new line; the members joining
    // one row's end to the next row's start pass it between lines.
    QCOMPARE(next.members.size(), start.members.size() + 50);
}

void tst_ProjectModel::newLowestLine()
{
    // A base below the sample's, and a count the user typed: M stays, MODE2 follows the storeys.
    ProjectModel model;
    QVERIFY(openSample(model, portal));
    ModelData start = model.data();
    start.control.b[3] = 9;
    const GridSettings g = gridWith(start.grid, start.grid.XLines, {"-3", "0", "3.5", "7", "10.5", "14"});
    const ModelData next = ProjectModel::withEditedGrid(start, g, {0, 1, 2, 3}, {-1, 0, 1, 2, 3, 4});
    QCOMPARE(next.control.b[3], 9);
    QCOMPARE(next.control.b[5], 5);
    for (int k = 0; k < 4; ++k) {
        const NodeRecord &added = next.nodes.at(k), &former = next.nodes.at(k + 4);
        QCOMPARE(QList<int>({added.nf1, added.nf2, added.nf3, added.kup1}), QList<int>({1, 1, 1, k ? 1 : 0}));
        QCOMPARE(former.key, start.nodes.at(k).key);
        QCOMPARE(QList<int>({former.nf1, former.kup1}), QList<int>({1, k ? 5 : 0}));
    }
    QCOMPARE(ProjectModel::gridRemoval(start, {0, 1, 2, 3}, {-1, 0, 1, 2, 3, 4}).members, 0);
}

void tst_ProjectModel::quickDrawSegments_data()
{
    // 3 by 4 bays: X 0 5 10 15, Y 0 3 6 9 12; node n is at row (n-1)/4, column (n-1)%4.
    QTest::addColumn<QList<double>>("box");        // xMin, yMin, xMax, yMax
    QTest::addColumn<int>("kinds");
    QTest::addColumn<QList<int>>("existing");      // pairs of node numbers
    QTest::addColumn<int>("created");
    QTest::addColumn<QList<int>>("first");         // node numbers of the first new member
    const QList<double> all{-1, -1, 16, 13};
    QTest::addRow("columns") << all << int(ProjectModel::Columns) << QList<int>() << 16 << QList<int>{1, 5};
    QTest::addRow("beams") << all << int(ProjectModel::Beams) << QList<int>() << 15 << QList<int>{1, 2};
    QTest::addRow("both") << all << int(ProjectModel::ColumnsAndBeams) << QList<int>() << 31 << QList<int>{1, 2};
    // A column 5-1, a beam 9-12 over three bays, a diagonal 1-6 that covers nothing.
    QTest::addRow("skips existing") << all << int(ProjectModel::ColumnsAndBeams) << QList<int>{5, 1, 9, 12, 1, 6}
                                    << 27 << QList<int>{1, 2};
    QTest::addRow("long column") << all << int(ProjectModel::Columns) << QList<int>{2, 18} << 12
                                 << QList<int>{1, 5};
    QTest::addRow("part, edges included") << QList<double>{0, 3, 10, 9} << int(ProjectModel::ColumnsAndBeams)
                                          << QList<int>() << 12 << QList<int>{5, 6};
    QTest::addRow("one node") << QList<double>{4, 2, 6, 4} << int(ProjectModel::ColumnsAndBeams) << QList<int>()
                              << 0 << QList<int>();
}

void tst_ProjectModel::quickDrawSegments()
{
    QFETCH(QList<double>, box);
    QFETCH(int, kinds);
    QFETCH(QList<int>, existing);
    QFETCH(int, created);
    QFETCH(QList<int>, first);
    ProjectModel m;
    m.resetData(ProjectModel::withGrid(ModelData(), gridWith(GridSettings(), {"0", "5", "10", "15"},
                                                             {"0", "3", "6", "9", "12"}), true));
    QUndoStack stack;
    for (int i = 0; i + 1 < existing.size(); i += 2)
        stack.push(new CreateMemberCommand(&m, {0, 0, m.nodeKey(existing.at(i)), m.nodeKey(existing.at(i + 1))}));
    const Bytes before = bytesOf(m);
    const int had = int(m.members().size());

    const auto segments = m.freeSegments(box.at(0), box.at(1), box.at(2), box.at(3), kinds);
    QCOMPARE(segments.size(), created);
    if (created == 0)
        return;
    QCOMPARE(QList<int>({m.nodeNumber(segments.first().first), m.nodeNumber(segments.first().second)}), first);
    QList<MemberRecord> records;
    for (const auto &s : segments)
        records.append({0, m.typeKey(1), s.first, s.second, 0, 0, 0});
    Spies spies(&m);
    stack.push(new CreateMemberCommand(&m, records));
    QCOMPARE(stack.undoText(), QStringLiteral("Create %1 members").arg(created));
    QCOMPARE(spies.take().count(QStringLiteral("membersInserted")), 1);
    QCOMPARE(m.members().size(), had + created);
    // Nothing is left to draw in the box: no segment is ever doubled.
    QVERIFY(m.freeSegments(box.at(0), box.at(1), box.at(2), box.at(3), kinds).isEmpty());
    for (const auto &s : segments)
        QCOMPARE(m.memberNumber(m.memberBetween(s.first, s.second)) > had, true);
    QVERIFY(keysUnique(m));
    stack.undo();
    QCOMPARE(bytesOf(m).hash(), before.hash());
    stack.redo();
    QCOMPARE(m.members().size(), had + created);
}

void tst_ProjectModel::dampingModes_data()
{
    QTest::addColumn<int>("ictype");
    QTest::addColumn<QList<double>>("read");
    QTest::addColumn<QList<double>>("modes");
    QTest::addRow("ICTYPE 4, two modes") << 4 << QList<double>{0.05, 0.02} << QList<double>{0.05, 0.02};
    QTest::addRow("ICTYPE 4, none") << 4 << QList<double>() << QList<double>{0.0};
    QTest::addRow("ICTYPE 0 ignores the list") << 0 << QList<double>{0.05} << QList<double>{0.0};
}

void tst_ProjectModel::dampingModes()
{
    QFETCH(int, ictype);
    QFETCH(QList<double>, read);
    QFETCH(QList<double>, modes);
    QCOMPARE(ProjectModel().control().dampList, QList<double>{0.0});
    ProjectData p;
    p.a[4] = ictype;
    p.dampList = read;
    ProjectModel m;
    m.resetData(ProjectModel::fromProjectData(p));
    QCOMPARE(m.control().dampList, modes);
    // Saved and opened again, the model keeps its modes.
    QCOMPARE(reopened(bytesOf(m)).project, bytesOf(m).project);
}

QTEST_GUILESS_MAIN(tst_ProjectModel)
#include "tst_projectmodel.moc"
