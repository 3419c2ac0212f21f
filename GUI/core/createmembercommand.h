#ifndef CREATEMEMBERCOMMAND_H
#define CREATEMEMBERCOMMAND_H

#include <QUndoCommand>

#include "projectmodel.h"

#include <QList>
#include <QPair>

// Adds members after the last ("Create member N", or "Create 24 members").
class CreateMemberCommand : public QUndoCommand
{
public:
    // record.key is given here if it is 0.
    CreateMemberCommand(ProjectModel *model, MemberRecord record, QUndoCommand *parent = nullptr);
    // Many in one step, in this order; keys of 0 are given here.
    CreateMemberCommand(ProjectModel *model, const QList<MemberRecord> &records, QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

    ModelKey key() const { return added.isEmpty() ? 0 : added.first().second.key; }
    bool isEmpty() const { return added.isEmpty(); }

private:
    ProjectModel *model;
    QList<QPair<int, MemberRecord>> added;   // final places, ascending
    QList<ModelKey> keys;
};

#endif // CREATEMEMBERCOMMAND_H
