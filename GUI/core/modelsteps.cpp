#include "modelsteps.h"

#include "editrecordscommand.h"
#include "member.h"
#include "membertypecommand.h"
#include "settingscommand.h"

#include <QUndoCommand>

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

} // namespace ModelSteps
