#include "deletememberscommand.h"

#include <QSet>

#include <algorithm>

DeleteMembersCommand::DeleteMembersCommand(ProjectModel *m, const QList<ModelKey> &k, QUndoCommand *parent)
    : QUndoCommand(parent), model(m)
{
    QSet<ModelKey> seen;
    for (ModelKey key : k) {
        const int i = model->memberIndex(key);
        if (i >= 0 && !seen.contains(key)) {
            seen.insert(key);
            removed.append(qMakePair(i, model->members().at(i)));
            keys.append(key);
        }
    }
    std::sort(removed.begin(), removed.end(),
              [](const QPair<int, MemberRecord> &a, const QPair<int, MemberRecord> &b) { return a.first < b.first; });
    if (removed.size() == 1)
        setText(QStringLiteral("Delete member %1").arg(removed.first().first + 1));
    else
        setText(QStringLiteral("Delete %1 members").arg(removed.size()));
}

void DeleteMembersCommand::redo()
{
    model->removeMembers(keys);
}

void DeleteMembersCommand::undo()
{
    // Ascending places of the list before the removal are the final places of the insert.
    model->insertMembers(removed);
}
