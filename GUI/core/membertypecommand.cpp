#include "membertypecommand.h"

#include "member.h"

MemberTypeCommand::MemberTypeCommand(ProjectModel *m, Kind k, ModelKey key, const Member *values,
                                     QUndoCommand *parent)
    : QUndoCommand(parent), model(m), kind(k)
{
    if (kind == Add) {
        place = int(model->types().size());
        after.key = model->newKey();
        after.values = std::make_shared<const Member>(*values);
        setText(QStringLiteral("Add member type %1").arg(place + 1));
        return;
    }
    place = model->typeIndex(key);
    if (place < 0)
        return;
    before = model->types().at(place);
    after = before;
    if (kind == Edit) {
        after.values = std::make_shared<const Member>(*values);
        setText(QStringLiteral("Member type %1").arg(place + 1));
        return;
    }
    for (const MemberRecord &r : model->members())
        if (r.type == key)
            users.append(r);
    setText(QStringLiteral("Delete member type %1").arg(place + 1));
}

void MemberTypeCommand::redo()
{
    if (place < 0)
        return;
    switch (kind) {
    case Add: model->insertType(int(model->types().size()), after); break;
    case Edit: model->setType(after); break;
    case Delete: {
        model->removeType(before.key);
        QList<MemberRecord> untyped = users;
        for (MemberRecord &r : untyped)
            r.type = 0;
        model->setMembers(untyped);
        break;
    }
    }
}

void MemberTypeCommand::undo()
{
    if (place < 0)
        return;
    switch (kind) {
    case Add: model->removeType(after.key); break;
    case Edit: model->setType(before); break;
    case Delete:
        model->insertType(place, before);
        model->setMembers(users);
        break;
    }
}
