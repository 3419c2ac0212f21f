#ifndef DELETEMEMBERSCOMMAND_H
#define DELETEMEMBERSCOMMAND_H

#include <QList>
#include <QPair>
#include <QUndoCommand>

#include "projectmodel.h"

// Deletes members; undo puts each back at its place ("Delete member 7").
class DeleteMembersCommand : public QUndoCommand
{
public:
    DeleteMembersCommand(ProjectModel *model, const QList<ModelKey> &keys, QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

    bool isEmpty() const { return removed.isEmpty(); }

private:
    ProjectModel *model;
    QList<QPair<int, MemberRecord>> removed;   // ascending places before the removal
    QList<ModelKey> keys;
};

#endif // DELETEMEMBERSCOMMAND_H
