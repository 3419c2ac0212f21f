#include "createmembercommand.h"

CreateMemberCommand::CreateMemberCommand(ProjectModel *m, MemberRecord r, QUndoCommand *parent)
    : CreateMemberCommand(m, QList<MemberRecord>{r}, parent)
{
}

CreateMemberCommand::CreateMemberCommand(ProjectModel *m, const QList<MemberRecord> &records, QUndoCommand *parent)
    : QUndoCommand(parent), model(m)
{
    const int first = int(m->members().size());
    added.reserve(records.size());
    keys.reserve(records.size());
    for (MemberRecord r : records) {
        if (r.key == 0)
            r.key = model->newKey();
        added.append(qMakePair(first + int(added.size()), r));
        keys.append(r.key);
    }
    if (added.size() == 1)
        setText(QStringLiteral("Create member %1").arg(first + 1));
    else
        setText(QStringLiteral("Create %1 members").arg(added.size()));
}

void CreateMemberCommand::redo()
{
    // One insert, one signal, however many.
    model->insertMembers(added);
}

void CreateMemberCommand::undo()
{
    model->removeMembers(keys);
}
