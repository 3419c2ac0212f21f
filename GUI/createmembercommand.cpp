#include "createmembercommand.h"

CreateMemberCommand::CreateMemberCommand(ProjectModel *m, MemberRecord r, QUndoCommand *parent)
    : QUndoCommand(parent), model(m), record(r), place(int(m->members().size()))
{
    if (record.key == 0)
        record.key = model->newKey();
    setText(QStringLiteral("Create member %1").arg(place + 1));
}

void CreateMemberCommand::redo()
{
    model->insertMembers({qMakePair(place, record)});
}

void CreateMemberCommand::undo()
{
    model->removeMembers({record.key});
}
