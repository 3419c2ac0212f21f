#ifndef MODELSTEPS_H
#define MODELSTEPS_H

// Steps of several changes that dialogs ask for, built from the model as it
// is now. Each is returned unpushed (pushing it does it), or nullptr when it
// would change nothing, so that no empty step reaches the undo history.

#include <QList>

#include <optional>

#include "projectmodel.h"

class Member;
class QUndoCommand;

namespace ModelSteps {

struct Assignment {
    int memberType = 0;            // type number from 1; 0 leaves it
    int memberIout = -1;           // -1 leaves it
    int nf[3] = {-1, -1, -1};
    int nodeIout = -1;
    std::optional<double> weights[3], loads[3];   // WX WY WD, FX FY FM; empty leaves it
};

// Assign to Selection: one step ("Assign to 3 members and 2 nodes", "Assign to 1 member"...).
QUndoCommand *assign(ProjectModel *model, const QList<ModelKey> &members, const QList<ModelKey> &nodes,
                     const Assignment &a);

// The drift dialog's OK: the drift settings and, with setKups, the KUP1 couplings that follow them; one step "Drift".
QUndoCommand *drift(ProjectModel *model, const DriftSettings &next, bool setKups);

// The member-type dialog's list against the model, by key: entry i of `shown` shows the model's type keys[i]
// (an entry past the end of keys is a new type); edited ones become Edit, new ones Add. One change is one
// MemberTypeCommand; several are one step "Member types". A key the model no longer has gives nothing.
QUndoCommand *memberTypes(ProjectModel *model, const QList<ModelKey> &keys, const QList<const Member *> &shown);

// What a replicate made and left out.
struct Replicated {
    int members = 0;   // members added
    int nodes = 0;     // node copies that landed in the grid
    int skipped = 0;   // copies of members and nodes left out
    // "Replicate 24 members and 8 nodes", leaving out a part that is zero.
    QString stepText() const;
    // "Replicated 24 members and 8 nodes; skipped 3"
    QString statusText() const;
};

// Edit → Replicate: copy k (1 to times) of the selection lands k × bays column lines
// and k × storeys floor lines away. Members are copied with their type and IOUT
// (NODE3, NODE4 moved too), nodes pass on their freedoms, IOUT, weights, loads and
// SHAPE rows; values are read as they were before the step. A copy that would
// leave the grid, or join or overlap a member or an earlier copy, is skipped.
QUndoCommand *replicate(ProjectModel *model, const QList<ModelKey> &members, const QList<ModelKey> &nodes, int bays,
                        int storeys, int times, Replicated *made = nullptr);

} // namespace ModelSteps

#endif // MODELSTEPS_H
