#ifndef MEMBERTYPECOMMAND_H
#define MEMBERTYPECOMMAND_H

#include <QList>
#include <QUndoCommand>

#include "projectmodel.h"

// Adds, changes or deletes one member type. Deleting leaves the type's
// members without a type (undo gives it back to them); the numbers of the
// types after it, and so of their members, move down by one.
class MemberTypeCommand : public QUndoCommand
{
public:
    enum Kind { Add, Edit, Delete };

    // Add: values go at the end. Edit: values replace those of key. Delete: values are unused.
    MemberTypeCommand(ProjectModel *model, Kind kind, ModelKey key, const Member *values,
                      QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

    ModelKey key() const { return after.key; }

private:
    ProjectModel *model;
    Kind kind;
    int place = -1;
    MemberTypeRecord before, after;
    QList<MemberRecord> users;   // members of the deleted type, as they were
};

#endif // MEMBERTYPECOMMAND_H
