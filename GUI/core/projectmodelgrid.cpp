// The model's grid: its first nodes, an edit of the lines with what follows
// them, and the free segments a quick draw may fill.

#include "projectmodel.h"

#include "modelcheck.h"

#include <QSet>

#include <algorithm>
#include <cmath>

QList<QPair<ModelKey, ModelKey>> ProjectModel::freeSegments(double xMin, double yMin, double xMax, double yMax,
                                                            int kinds) const
{
    QList<QPair<ModelKey, ModelKey>> out;
    const int nX = int(d.grid.XLines.size());
    const int nY = int(d.grid.YLines.size());
    if (nX == 0 || nY == 0 || d.nodes.size() != qsizetype(nX) * nY)
        return out;
    // Which segments of each grid line members already cover: a member with both
    // ends on one line covers every segment between them.
    QList<bool> upCovered(qsizetype(nX) * nY, false);      // node k to node k + nX
    QList<bool> rightCovered(qsizetype(nX) * nY, false);   // node k to node k + 1
    for (const MemberRecord &m : d.members) {
        const int a = nodeIndex(m.source), b = nodeIndex(m.dest);
        if (a < 0 || b < 0 || a == b)
            continue;
        const int lo = std::min(a, b), hi = std::max(a, b);
        if (lo % nX == hi % nX) {
            for (int k = lo; k < hi; k += nX)
                upCovered[k] = true;
        } else if (lo / nX == hi / nX) {
            for (int k = lo; k < hi; ++k)
                rightCovered[k] = true;
        }
    }
    auto inside = [&](int k) {
        const NodeRecord &n = d.nodes.at(k);
        return n.x >= xMin && n.x <= xMax && n.y >= yMin && n.y <= yMax;
    };
    // Nodes at one place (repeated grid lines) are no segment.
    auto apart = [&](int a, int b) {
        return d.nodes.at(a).x != d.nodes.at(b).x || d.nodes.at(a).y != d.nodes.at(b).y;
    };
    for (int row = 0; row < nY; ++row) {
        if ((kinds & Columns) && row > 0) {
            for (int column = 0; column < nX; ++column) {
                const int below = (row - 1) * nX + column, above = below + nX;
                if (!upCovered.at(below) && inside(below) && inside(above) && apart(below, above))
                    out.append(qMakePair(d.nodes.at(below).key, d.nodes.at(above).key));
            }
        }
        if (kinds & Beams) {
            for (int column = 0; column + 1 < nX; ++column) {
                const int left = row * nX + column, right = left + 1;
                if (!rightCovered.at(left) && inside(left) && inside(right) && apart(left, right))
                    out.append(qMakePair(d.nodes.at(left).key, d.nodes.at(right).key));
            }
        }
    }
    return out;
}

ModelData ProjectModel::withGrid(const ModelData &data, const GridSettings &grid, bool gridDefaults)
{
    ModelData next = data;
    next.begun = true;
    next.grid = grid;
    next.members.clear();
    next.nodes.clear();
    appendNodes(next, ModelCore::buildNodes(grid.XLines, grid.YLines, grid.nodesIOut));
    if (gridDefaults)
        ModelCore::setGridDefaults(int(grid.YLines.size()), next.control.b, next.control.c);
    return next;
}

namespace {
// Old node place (from 0) of each new node, or -1 for a new node.
QList<int> keptPlaces(int oldX, const QList<int> &xFrom, const QList<int> &yFrom)
{
    QList<int> places;
    places.reserve(xFrom.size() * yFrom.size());
    for (int r : yFrom)
        for (int c : xFrom)
            places.append(r >= 0 && c >= 0 ? r * oldX + c : -1);
    return places;
}

// New number (from 1) of each old node; 0 for a removed one.
QList<int> newNumbers(int oldCount, const QList<int> &places)
{
    QList<int> numbers(oldCount, 0);
    for (int k = 0; k < places.size(); ++k)
        if (places.at(k) >= 0 && places.at(k) < oldCount)
            numbers[places.at(k)] = k + 1;
    return numbers;
}

// Negative input codes and numbers of no node stay as they are.
int renumbered(int number, const QList<int> &numbers)
{
    return number > 0 && number <= numbers.size() ? numbers.at(number - 1) : number;
}

bool lostReference(int number, const QList<int> &numbers)
{
    return number > 0 && number <= numbers.size() && numbers.at(number - 1) == 0;
}

// Values by node place, in blocks of the node count (one block, or as many as
// the list has for SHAPE); an unset list stays unset.
QList<double> followNodes(const QList<double> &values, int oldCount, const QList<int> &places, bool repeated)
{
    if (values.isEmpty() || oldCount == 0)
        return {};
    const int blocks = repeated ? int((values.size() + oldCount - 1) / oldCount) : 1;
    QList<double> out;
    out.reserve(blocks * places.size());
    for (int b = 0; b < blocks; ++b) {
        for (int p : places) {
            const qsizetype from = qsizetype(b) * oldCount + p;
            out.append(p >= 0 && from < values.size() ? values.at(from) : 0.0);
        }
    }
    return out;
}

bool nonZero(const QList<double> &values, int from, int oldCount)
{
    for (qsizetype i = from; i < values.size(); i += oldCount)
        if (values.at(i) != 0.0)
            return true;
    return false;
}

// A member that passes over nodes of added lines: its place, and those nodes'
// places from its NODE1 towards its NODE2.
struct Split {
    int member;
    QList<int> at;
};

// ends: the new node places of each member's ends, -1 for a removed node.
QList<Split> splitsOf(const QList<NodeRecord> &nodes, const QList<int> &places, const QList<QPair<int, int>> &ends)
{
    QList<Split> out;
    if (places.size() != nodes.size() || !places.contains(-1))
        return out;
    const ModelCheck::NodePlaces grid(nodes);
    for (int i = 0; i < ends.size(); ++i) {
        const auto [a, b] = ends.at(i);
        if (a < 0 || b < 0)
            continue;
        QList<int> at;
        for (int k : grid.between(a, b))
            if (places.at(k) < 0)
                at.append(k);
        if (at.isEmpty())
            continue;
        const NodeRecord &from = nodes.at(a);
        const auto distance = [&](int k) { return std::hypot(nodes.at(k).x - from.x, nodes.at(k).y - from.y); };
        std::sort(at.begin(), at.end(), [&](int p, int q) { return distance(p) < distance(q); });
        out.append({i, at});
    }
    return out;
}

int storeysOf(int yLines)
{
    return yLines > 1 ? yLines - 1 : 0;
}
} // namespace

ModelData ProjectModel::withEditedGrid(const ModelData &data, const GridSettings &grid, const QList<int> &xFrom,
                                       const QList<int> &yFrom)
{
    const int oldX = int(data.grid.XLines.size());
    const int oldY = int(data.grid.YLines.size());
    const int oldCount = int(data.nodes.size());
    const int nX = int(xFrom.size());
    const QList<int> places = keptPlaces(oldX, xFrom, yFrom);
    const QList<int> numbers = newNumbers(oldCount, places);
    const QList<NodeData> fresh = ModelCore::buildNodes(grid.XLines, grid.YLines, grid.nodesIOut);

    ModelData next = data;
    next.begun = true;
    next.grid = grid;

    // The drift column follows its line; on a removed line there is none.
    int driftColumn = 0;
    bool ok = false;
    const int oldColumn = data.drift.drift.toInt(&ok);
    if (ok) {
        driftColumn = int(xFrom.indexOf(oldColumn - 1)) + 1;
        if (driftColumn == 0)
            next.drift.drift = QStringLiteral("None");
        else
            next.drift.drift = QString::number(driftColumn);
    }
    const bool coupleNew = driftColumn > 0 && data.drift.kup1Automatically;

    next.nodes.clear();
    next.nodes.reserve(fresh.size());
    for (int k = 0; k < fresh.size(); ++k) {
        const NodeData &n = fresh.at(k);
        const int from = k < places.size() ? places.at(k) : -1;
        NodeRecord r;
        if (from >= 0 && from < oldCount) {
            r = data.nodes.at(from);
            r.kup1 = renumbered(r.kup1, numbers);
            r.kup2 = renumbered(r.kup2, numbers);
            r.kup3 = renumbered(r.kup3, numbers);
        } else {
            r.key = next.nextKey++;
            r.nf1 = n.nf1;
            r.nf2 = n.nf2;
            r.nf3 = n.nf3;
            r.iout = n.iout;
            if (coupleNew && nX > 0 && k % nX != driftColumn - 1)
                r.kup1 = (k / nX) * nX + driftColumn;
        }
        r.x = n.x;
        r.y = n.y;
        next.nodes.append(r);
    }

    QHash<ModelKey, int> placeOf;
    placeOf.reserve(next.nodes.size());
    for (int k = 0; k < next.nodes.size(); ++k)
        placeOf.insert(next.nodes.at(k).key, k);
    QList<MemberRecord> members;
    QList<QPair<int, int>> ends;
    members.reserve(data.members.size());
    ends.reserve(data.members.size());
    for (MemberRecord m : data.members) {
        const int a = placeOf.value(m.source, -1), b = placeOf.value(m.dest, -1);
        if (a < 0 || b < 0)
            continue;
        m.node3 = renumbered(m.node3, numbers);
        m.node4 = renumbered(m.node4, numbers);
        members.append(m);
        ends.append({a, b});
    }
    // A member over nodes of an added line is split there: its first part keeps
    // its key, place and NODE3, the others follow it, the last keeps NODE4. A part
    // that would join the same two nodes as another member (members that overlapped
    // before) is left out: the file would be refused.
    const QList<Split> splits = splitsOf(next.nodes, places, ends);
    QSet<QPair<int, int>> joined;
    if (!splits.isEmpty())
        for (const auto &[a, b] : std::as_const(ends))
            joined.insert({std::min(a, b), std::max(a, b)});
    next.members.clear();
    next.members.reserve(members.size() + splits.size());
    int s = 0;
    for (int i = 0; i < members.size(); ++i) {
        const MemberRecord &m = members.at(i);
        if (s >= splits.size() || splits.at(s).member != i) {
            next.members.append(m);
            continue;
        }
        QList<int> at = splits.at(s++).at;
        at.prepend(ends.at(i).first);
        at.append(ends.at(i).second);
        const qsizetype first = next.members.size();
        for (int p = 0; p + 1 < at.size(); ++p) {
            const QPair<int, int> pair(std::min(at.at(p), at.at(p + 1)), std::max(at.at(p), at.at(p + 1)));
            if (joined.contains(pair))
                continue;
            joined.insert(pair);
            MemberRecord part = m;
            part.key = next.members.size() == first ? m.key : next.nextKey++;
            part.source = next.nodes.at(at.at(p)).key;
            part.dest = next.nodes.at(at.at(p + 1)).key;
            part.node3 = next.members.size() == first ? m.node3 : 0;
            part.node4 = 0;
            next.members.append(part);
        }
        if (next.members.size() > first)
            next.members.last().node4 = m.node4;
    }

    auto follow = [&](const QList<double> &v) { return followNodes(v, oldCount, places, false); };
    auto followShape = [&](const QList<double> &v) { return followNodes(v, oldCount, places, true); };
    next.weights = {follow(data.weights.first), follow(data.weights.second), follow(data.weights.third)};
    next.loads = {follow(data.loads.first), follow(data.loads.second), follow(data.loads.third)};
    next.shape.fx = followShape(data.shape.fx);
    next.shape.fy = followShape(data.shape.fy);
    next.shape.fm = followShape(data.shape.fm);

    // Counts the former grid set follow the new one; counts the user typed stay.
    const int oldStoreys = storeysOf(oldY);
    const int storeys = storeysOf(int(grid.YLines.size()));
    if (data.control.b[3] == oldStoreys)
        next.control.b[3] = storeys;
    if (data.control.b[5] == oldStoreys)
        next.control.b[5] = storeys;
    return next;
}

ProjectModel::GridRemoval ProjectModel::gridRemoval(const ModelData &data, const QList<int> &xFrom,
                                                    const QList<int> &yFrom)
{
    const int oldX = int(data.grid.XLines.size());
    const int oldCount = int(data.nodes.size());
    const QList<int> numbers = newNumbers(oldCount, keptPlaces(oldX, xFrom, yFrom));
    GridRemoval removal;
    QSet<ModelKey> gone;
    for (int k = 0; k < oldCount; ++k) {
        if (numbers.at(k) != 0)
            continue;
        const NodeRecord &r = data.nodes.at(k);
        gone.insert(r.key);
        const int fixed = oldX > 0 && k < oldX ? 1 : 0;
        const bool hasData = r.nf1 != fixed || r.nf2 != fixed || r.nf3 != fixed || r.kup1 != 0 || r.kup2 != 0
                             || r.kup3 != 0 || r.iout != data.grid.nodesIOut
                             || nonZero(data.weights.first, k, oldCount) || nonZero(data.weights.second, k, oldCount)
                             || nonZero(data.weights.third, k, oldCount) || nonZero(data.loads.first, k, oldCount)
                             || nonZero(data.loads.second, k, oldCount) || nonZero(data.loads.third, k, oldCount)
                             || nonZero(data.shape.fx, k, oldCount) || nonZero(data.shape.fy, k, oldCount)
                             || nonZero(data.shape.fm, k, oldCount);
        if (hasData)
            ++removal.nodes;
    }
    for (int k = 0; k < oldCount; ++k) {
        if (numbers.at(k) == 0)
            continue;
        const NodeRecord &r = data.nodes.at(k);
        for (int v : {r.kup1, r.kup2, r.kup3})
            removal.references += lostReference(v, numbers) ? 1 : 0;
    }
    for (const MemberRecord &m : data.members) {
        if (gone.contains(m.source) || gone.contains(m.dest)) {
            ++removal.members;
            continue;
        }
        for (int v : {m.node3, m.node4})
            removal.references += lostReference(v, numbers) ? 1 : 0;
    }
    return removal;
}

ProjectModel::GridSplit ProjectModel::gridSplit(const ModelData &data, const GridSettings &grid,
                                                const QList<int> &xFrom, const QList<int> &yFrom)
{
    GridSplit split;
    const int nX = int(xFrom.size());
    const QList<NodeData> fresh = ModelCore::buildNodes(grid.XLines, grid.YLines, grid.nodesIOut);
    const QList<int> places = keptPlaces(int(data.grid.XLines.size()), xFrom, yFrom);
    if (nX == 0 || fresh.size() != places.size())
        return split;
    QList<NodeRecord> nodes(fresh.size());
    for (int k = 0; k < fresh.size(); ++k) {
        nodes[k].x = fresh.at(k).x;
        nodes[k].y = fresh.at(k).y;
    }
    // Old node place to new, through the old node keys.
    const QList<int> numbers = newNumbers(int(data.nodes.size()), places);
    QHash<ModelKey, int> placeOf;
    placeOf.reserve(data.nodes.size());
    for (int k = 0; k < data.nodes.size(); ++k)
        placeOf.insert(data.nodes.at(k).key, numbers.at(k) - 1);
    QList<QPair<int, int>> ends;
    ends.reserve(data.members.size());
    for (const MemberRecord &m : data.members)
        ends.append({placeOf.value(m.source, -1), placeOf.value(m.dest, -1)});
    QSet<int> xs, ys;
    const QList<Split> splits = splitsOf(nodes, places, ends);
    for (const Split &s : splits) {
        for (int k : s.at) {
            if (xFrom.at(k % nX) < 0)
                xs.insert(k % nX + 1);
            if (yFrom.at(k / nX) < 0)
                ys.insert(k / nX + 1);
        }
    }
    split.members = int(splits.size());
    split.xLines = QList<int>(xs.begin(), xs.end());
    split.yLines = QList<int>(ys.begin(), ys.end());
    std::sort(split.xLines.begin(), split.xLines.end());
    std::sort(split.yLines.begin(), split.yLines.end());
    return split;
}
