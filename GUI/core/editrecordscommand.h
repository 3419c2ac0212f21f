#ifndef EDITRECORDSCOMMAND_H
#define EDITRECORDSCOMMAND_H

#include <QList>
#include <QUndoCommand>

#include "projectmodel.h"

// How a command reaches the records of one kind.
template <typename Record>
struct RecordAccess;

template <>
struct RecordAccess<NodeRecord> {
    static const NodeRecord *find(const ProjectModel *m, ModelKey k) { return m->node(k); }
    static void set(ProjectModel *m, const QList<NodeRecord> &r) { m->setNodes(r); }
};

template <>
struct RecordAccess<MemberRecord> {
    static const MemberRecord *find(const ProjectModel *m, ModelKey k) { return m->member(k); }
    static void set(ProjectModel *m, const QList<MemberRecord> &r) { m->setMembers(r); }
};

// New values for some nodes or members, found by key; only the records that
// differ are kept, so undo and redo touch nothing else.
template <typename Record>
class EditRecordsCommand : public QUndoCommand
{
public:
    EditRecordsCommand(ProjectModel *m, const QList<Record> &changed, const QString &text,
                       QUndoCommand *parent = nullptr)
        : QUndoCommand(text, parent), model(m)
    {
        for (const Record &r : changed) {
            const Record *old = RecordAccess<Record>::find(model, r.key);
            if (old && *old != r) {
                before.append(*old);
                after.append(r);
            }
        }
    }

    void redo() override { RecordAccess<Record>::set(model, after); }
    void undo() override { RecordAccess<Record>::set(model, before); }

    // Nothing would change.
    bool isEmpty() const { return after.isEmpty(); }

private:
    ProjectModel *model;
    QList<Record> before, after;
};

using EditNodesCommand = EditRecordsCommand<NodeRecord>;
using EditMembersCommand = EditRecordsCommand<MemberRecord>;

#endif // EDITRECORDSCOMMAND_H
