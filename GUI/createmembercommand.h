#ifndef CREATEMEMBERCOMMAND_H
#define CREATEMEMBERCOMMAND_H

#include <QUndoCommand>

#include "projectmodel.h"

// Adds one member after the last ("Create member N").
class CreateMemberCommand : public QUndoCommand
{
public:
    // record.key is given here if it is 0.
    CreateMemberCommand(ProjectModel *model, MemberRecord record, QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

    ModelKey key() const { return record.key; }

private:
    ProjectModel *model;
    MemberRecord record;
    int place;
};

#endif // CREATEMEMBERCOMMAND_H
