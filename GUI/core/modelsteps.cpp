#include "modelsteps.h"

#include "createmembercommand.h"
#include "editrecordscommand.h"
#include "member.h"
#include "membertypecommand.h"
#include "settingscommand.h"

#include <QSet>
#include <QUndoCommand>

#include <algorithm>

namespace ModelSteps {

QUndoCommand *assign(ProjectModel *model, const QList<ModelKey> &memberKeys, const QList<ModelKey> &nodeKeys,
                     const Assignment &a)
{
    auto *step = new QUndoCommand();
    bool membersChange = false, nodesChange = false;

    if (a.memberType > 0 || a.memberIout >= 0) {
        QList<MemberRecord> changed;
        for (ModelKey key : memberKeys) {
            if (const MemberRecord *old = model->member(key)) {
                MemberRecord r = *old;
                if (a.memberType > 0)
                    r.type = model->typeKey(a.memberType);
                if (a.memberIout >= 0)
                    r.iout = a.memberIout;
                changed.append(r);
            }
        }
        membersChange = !(new EditMembersCommand(model, changed, QString(), step))->isEmpty();
    }

    const int *nf = a.nf;
    if (nf[0] >= 0 || nf[1] >= 0 || nf[2] >= 0 || a.nodeIout >= 0) {
        QList<NodeRecord> changed;
        for (ModelKey key : nodeKeys) {
            if (const NodeRecord *old = model->node(key)) {
                NodeRecord r = *old;
                if (nf[0] >= 0)
                    r.nf1 = nf[0];
                if (nf[1] >= 0)
                    r.nf2 = nf[1];
                if (nf[2] >= 0)
                    r.nf3 = nf[2];
                if (a.nodeIout >= 0)
                    r.iout = a.nodeIout;
                changed.append(r);
            }
        }
        nodesChange = !(new EditNodesCommand(model, changed, QString(), step))->isEmpty();
    }

    // Weights and loads are lists by node place: unset or short lists get a 0 for
    // every node first, as the tables' OK would give them.
    const int count = int(model->nodes().size());
    const auto assigned = [&](const NodeValues &old, const std::optional<double> (&v)[3]) {
        NodeValues next = old;
        QList<double> *lists[3] = {&next.first, &next.second, &next.third};
        for (QList<double> *list : lists)
            while (list->size() < count)
                list->append(0.0);
        for (ModelKey key : nodeKeys) {
            const int i = model->nodeIndex(key);
            for (int c = 0; c < 3 && i >= 0; ++c)
                if (v[c])
                    (*lists[c])[i] = *v[c];
        }
        return next;
    };
    if (!nodeKeys.isEmpty() && (a.weights[0] || a.weights[1] || a.weights[2])) {
        const NodeValues next = assigned(model->weights(), a.weights);
        if (next != model->weights()) {
            new SettingsCommand<NodeValues>(model, &ProjectModel::weights, &ProjectModel::setWeights, next, QString(),
                                            step);
            nodesChange = true;
        }
    }
    if (!nodeKeys.isEmpty() && (a.loads[0] || a.loads[1] || a.loads[2])) {
        const NodeValues next = assigned(model->loads(), a.loads);
        if (next != model->loads()) {
            new SettingsCommand<NodeValues>(model, &ProjectModel::loads, &ProjectModel::setLoads, next, QString(),
                                            step);
            nodesChange = true;
        }
    }

    if (!membersChange && !nodesChange) {
        delete step;
        return nullptr;
    }
    const QString members = memberKeys.size() == 1 ? QStringLiteral("1 member")
                                                   : QStringLiteral("%1 members").arg(memberKeys.size());
    const QString nodes = nodeKeys.size() == 1 ? QStringLiteral("1 node")
                                               : QStringLiteral("%1 nodes").arg(nodeKeys.size());
    if (membersChange && nodesChange)
        step->setText(QStringLiteral("Assign to %1 and %2").arg(members, nodes));
    else
        step->setText(QStringLiteral("Assign to %1").arg(membersChange ? members : nodes));
    return step;
}

QUndoCommand *drift(ProjectModel *model, const DriftSettings &next, bool setKups)
{
    QList<NodeRecord> nodes;
    if (setKups) {
        const int nX = int(model->grid().XLines.size());
        const int nY = int(model->grid().YLines.size());
        const QStringList ids = ModelCore::driftIds(next.drift, nX, nY);
        const QList<NodeRecord> &all = model->nodes();
        if (ids.isEmpty()) {
            if (next.drift == QLatin1String("None")) {
                for (NodeRecord r : all) {
                    r.kup1 = 0;
                    nodes.append(r);
                }
            }
        } else {
            const int column = next.drift.toInt();
            const double xd = all.at(column - 1).x;
            for (int k = 0; k < all.size(); ++k) {
                NodeRecord r = all.at(k);
                const int level = nX > 0 ? k / nX : 0;
                if (r.x == xd)
                    r.kup1 = 0;
                else if (level < ids.size())
                    r.kup1 = ids.at(level).toInt();
                nodes.append(r);
            }
        }
    }
    auto *step = new QUndoCommand(QStringLiteral("Drift"));
    auto *settings = new SettingsCommand<DriftSettings>(model, &ProjectModel::drift, &ProjectModel::setDrift, next,
                                                        QString(), step);
    auto *couplings = new EditNodesCommand(model, nodes, QString(), step);
    if (settings->isEmpty() && couplings->isEmpty()) {
        delete step;
        return nullptr;
    }
    return step;
}

QUndoCommand *memberTypes(ProjectModel *model, const QList<ModelKey> &keys, const QList<const Member *> &shown)
{
    struct Change {
        MemberTypeCommand::Kind kind;
        ModelKey key;
        const Member *values;
    };
    QList<Change> changes;
    for (int i = 0; i < shown.size() && i < keys.size(); ++i) {
        // A type deleted since the list was shown stays deleted.
        const Member *now = model->memberType(keys.at(i));
        if (now && shown.at(i) && !shown.at(i)->sameValues(*now))
            changes.append({MemberTypeCommand::Edit, keys.at(i), shown.at(i)});
    }
    for (int i = int(keys.size()); i < shown.size(); ++i)
        if (shown.at(i))
            changes.append({MemberTypeCommand::Add, 0, shown.at(i)});
    if (changes.isEmpty())
        return nullptr;
    if (changes.size() == 1)
        return new MemberTypeCommand(model, changes.first().kind, changes.first().key, changes.first().values);
    // Several types at once (a script) are still one step.
    auto *step = new QUndoCommand(QStringLiteral("Member types"));
    for (const Change &c : changes)
        new MemberTypeCommand(model, c.kind, c.key, c.values, step);
    return step;
}

namespace {

QString counted(int n, const char *one, const char *many)
{
    return n == 1 ? QStringLiteral("1 %1").arg(QLatin1String(one)) : QStringLiteral("%1 %2").arg(n).arg(QLatin1String(many));
}

QString madeText(int members, int nodes)
{
    QStringList parts;
    if (members > 0)
        parts << counted(members, "member", "members");
    if (nodes > 0)
        parts << counted(nodes, "node", "nodes");
    return parts.join(QStringLiteral(" and "));
}

// Copies row `from` of each block of `count` values to row `to`; a short list stays as it is there.
void copyRow(QList<double> &values, const QList<double> &before, int count, int from, int to)
{
    for (qsizetype b = 0; b < before.size(); b += count)
        if (b + from < before.size() && b + to < values.size())
            values[b + to] = before.at(b + from);
}

} // namespace

QString Replicated::stepText() const
{
    return QStringLiteral("Replicate ") + madeText(members, nodes);
}

QString Replicated::statusText() const
{
    const QString what = madeText(members, nodes);
    QString text = what.isEmpty() ? QStringLiteral("Replicated nothing") : QStringLiteral("Replicated ") + what;
    if (skipped > 0)
        text += QStringLiteral("; skipped %1").arg(skipped);
    return text;
}

QUndoCommand *replicate(ProjectModel *model, const QList<ModelKey> &memberKeys, const QList<ModelKey> &nodeKeys,
                        int bays, int storeys, int times, Replicated *made)
{
    Replicated counts;
    const int nX = int(model->grid().XLines.size());
    const int nY = int(model->grid().YLines.size());
    const QList<NodeRecord> &all = model->nodes();
    const int count = int(all.size());
    if (made)
        *made = counts;
    if (nX == 0 || nY == 0 || count != nX * nY || times < 1)
        return nullptr;

    // Node place k moved by copy c, or -1 off the grid.
    const auto moved = [&](int k, int c) {
        const int column = k % nX + c * bays, row = k / nX + c * storeys;
        return column >= 0 && column < nX && row >= 0 && row < nY ? row * nX + column : -1;
    };
    // A node number moved likewise; 0 off the grid.
    const auto movedNumber = [&](int number, int c) {
        return number <= 0 || number > count ? number : moved(number - 1, c) + 1;
    };

    // The originals in the model's order.
    QList<int> memberPlaces, nodePlaces;
    for (ModelKey key : memberKeys)
        if (const int i = model->memberIndex(key); i >= 0)
            memberPlaces.append(i);
    for (ModelKey key : nodeKeys)
        if (const int i = model->nodeIndex(key); i >= 0)
            nodePlaces.append(i);
    std::sort(memberPlaces.begin(), memberPlaces.end());
    memberPlaces.erase(std::unique(memberPlaces.begin(), memberPlaces.end()), memberPlaces.end());
    std::sort(nodePlaces.begin(), nodePlaces.end());
    nodePlaces.erase(std::unique(nodePlaces.begin(), nodePlaces.end()), nodePlaces.end());

    // The quick-draw rule: what members join, and which segments of each grid line they cover.
    QSet<QPair<int, int>> joined;
    QList<bool> upCovered(count, false), rightCovered(count, false);
    // Whether a member from place a to b would join or overlap one already there;
    // with mark, it is there from now on.
    const auto covered = [&](int a, int b, bool mark) {
        const int lo = std::min(a, b), hi = std::max(a, b);
        bool any = joined.contains({lo, hi});
        const bool upright = lo % nX == hi % nX, level = lo / nX == hi / nX;
        if (upright || level) {
            QList<bool> &segments = upright ? upCovered : rightCovered;
            for (int k = lo; k < hi; k += upright ? nX : 1) {
                any = any || segments.at(k);
                if (mark)
                    segments[k] = true;
            }
        }
        if (mark)
            joined.insert({lo, hi});
        return any;
    };
    QList<int> endsOf;
    endsOf.reserve(2 * model->members().size());
    for (const MemberRecord &m : model->members()) {
        const int a = model->nodeIndex(m.source), b = model->nodeIndex(m.dest);
        endsOf << a << b;
        if (a >= 0 && b >= 0 && a != b)
            covered(a, b, true);
    }

    QList<MemberRecord> copies;
    QList<NodeRecord> nodes = all;
    NodeValues weights = model->weights(), loads = model->loads();
    ShapeSettings shape = model->shape();
    const NodeValues &weightsBefore = model->weights(), &loadsBefore = model->loads();
    const ShapeSettings &shapeBefore = model->shape();
    for (int c = 1; c <= times; ++c) {
        for (int i : std::as_const(memberPlaces)) {
            const MemberRecord &m = model->members().at(i);
            const int a = endsOf.at(2 * i) < 0 ? -1 : moved(endsOf.at(2 * i), c);
            const int b = endsOf.at(2 * i + 1) < 0 ? -1 : moved(endsOf.at(2 * i + 1), c);
            if (a < 0 || b < 0 || a == b) {
                ++counts.skipped;
                continue;
            }
            if (covered(a, b, false)) {
                ++counts.skipped;
                continue;
            }
            covered(a, b, true);
            MemberRecord copy = m;
            copy.key = 0;
            copy.source = all.at(a).key;
            copy.dest = all.at(b).key;
            copy.node3 = movedNumber(m.node3, c);
            copy.node4 = movedNumber(m.node4, c);
            copies.append(copy);
        }
        for (int k : std::as_const(nodePlaces)) {
            const int to = moved(k, c);
            if (to < 0) {
                ++counts.skipped;
                continue;
            }
            ++counts.nodes;
            const NodeRecord &from = all.at(k);
            NodeRecord &r = nodes[to];
            r.nf1 = from.nf1, r.nf2 = from.nf2, r.nf3 = from.nf3, r.iout = from.iout;
            copyRow(weights.first, weightsBefore.first, count, k, to);
            copyRow(weights.second, weightsBefore.second, count, k, to);
            copyRow(weights.third, weightsBefore.third, count, k, to);
            copyRow(loads.first, loadsBefore.first, count, k, to);
            copyRow(loads.second, loadsBefore.second, count, k, to);
            copyRow(loads.third, loadsBefore.third, count, k, to);
            copyRow(shape.fx, shapeBefore.fx, count, k, to);
            copyRow(shape.fy, shapeBefore.fy, count, k, to);
            copyRow(shape.fm, shapeBefore.fm, count, k, to);
        }
    }
    counts.members = int(copies.size());
    if (made)
        *made = counts;

    auto *step = new QUndoCommand();
    bool changes = !copies.isEmpty();
    if (!copies.isEmpty())
        new CreateMemberCommand(model, copies, step);
    changes = !(new EditNodesCommand(model, nodes, QString(), step))->isEmpty() || changes;
    const auto settings = [&](auto get, auto set, const auto &value) {
        if ((model->*get)() == value)
            return;
        new SettingsCommand(model, get, set, value, QString(), step);
        changes = true;
    };
    settings(&ProjectModel::weights, &ProjectModel::setWeights, weights);
    settings(&ProjectModel::loads, &ProjectModel::setLoads, loads);
    settings(&ProjectModel::shape, &ProjectModel::setShape, shape);
    if (!changes) {
        delete step;
        return nullptr;
    }
    step->setText(counts.stepText());
    return step;
}

} // namespace ModelSteps
