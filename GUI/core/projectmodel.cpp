#include "projectmodel.h"

#include "member.h"

#include <QSet>

#include <algorithm>
#include <cstring>

namespace {
// Equal bit for bit, so that no typed value, -0 included, is taken for another.
bool same(double x, double y)
{
    return std::memcmp(&x, &y, sizeof x) == 0;
}

template <typename T, size_t N>
bool same(const T (&x)[N], const T (&y)[N])
{
    return std::memcmp(x, y, sizeof x) == 0;
}

bool same(const QList<double> &x, const QList<double> &y)
{
    return x.size() == y.size()
           && (x.isEmpty() || std::memcmp(x.constData(), y.constData(), sizeof(double) * size_t(x.size())) == 0);
}
} // namespace

bool NodeRecord::operator==(const NodeRecord &o) const
{
    return key == o.key && same(x, o.x) && same(y, o.y) && nf1 == o.nf1 && nf2 == o.nf2 && nf3 == o.nf3
           && kup1 == o.kup1 && kup2 == o.kup2 && kup3 == o.kup3 && iout == o.iout;
}

bool MemberRecord::operator==(const MemberRecord &o) const
{
    return key == o.key && type == o.type && source == o.source && dest == o.dest && node3 == o.node3
           && node4 == o.node4 && iout == o.iout;
}

bool GridSettings::operator==(const GridSettings &o) const
{
    return XLines == o.XLines && YLines == o.YLines && XIds == o.XIds && YIds == o.YIds
           && nodesIOut == o.nodesIOut && elementsIOut == o.elementsIOut;
}

ControlSettings::ControlSettings()
{
    const ProjectData defaults;
    std::copy(std::begin(defaults.a), std::end(defaults.a), a);
    std::copy(std::begin(defaults.b), std::end(defaults.b), b);
    std::copy(std::begin(defaults.c), std::end(defaults.c), c);
    std::copy(std::begin(defaults.d), std::end(defaults.d), d);
    std::copy(std::begin(defaults.e), std::end(defaults.e), e);
}

bool ControlSettings::operator==(const ControlSettings &o) const
{
    return same(a, o.a) && same(b, o.b) && same(c, o.c) && same(d, o.d) && same(e, o.e)
           && same(dampList, o.dampList) && seted == o.seted;
}

bool DriftSettings::operator==(const DriftSettings &o) const
{
    return drift == o.drift && kup1AutomaticallyTo0 == o.kup1AutomaticallyTo0
           && kup1Automatically == o.kup1Automatically && seted == o.seted;
}

bool NodeValues::operator==(const NodeValues &o) const
{
    return same(first, o.first) && same(second, o.second) && same(third, o.third);
}

bool ShapeSettings::operator==(const ShapeSettings &o) const
{
    return same(fx, o.fx) && same(fy, o.fy) && same(fm, o.fm) && same(alpha, o.alpha);
}

bool QuakeSettings::operator==(const QuakeSettings &o) const
{
    return same(a, o.a) && same(b, o.b) && file == o.file && seted == o.seted;
}

ProjectModel::ProjectModel(QObject *parent) : QObject(parent) {}

ProjectModel::~ProjectModel() = default;

void ProjectModel::indexNodes()
{
    nodeAt.clear();
    nodeAt.reserve(d.nodes.size());
    for (int i = 0; i < d.nodes.size(); ++i)
        nodeAt.insert(d.nodes.at(i).key, i);
}

void ProjectModel::indexMembers() const
{
    memberAt.clear();
    memberAt.reserve(d.members.size());
    for (int i = 0; i < d.members.size(); ++i)
        memberAt.insert(d.members.at(i).key, i);
    memberIndexStale = false;
}

int ProjectModel::nodeIndex(ModelKey key) const
{
    return nodeAt.value(key, -1);
}

int ProjectModel::memberIndex(ModelKey key) const
{
    if (memberIndexStale)
        indexMembers();
    return memberAt.value(key, -1);
}

int ProjectModel::typeIndex(ModelKey key) const
{
    if (key == 0)
        return -1;
    // A model has a few dozen types at most.
    for (int i = 0; i < d.types.size(); ++i)
        if (d.types.at(i).key == key)
            return i;
    return -1;
}

ModelKey ProjectModel::nodeKey(int number) const
{
    return number >= 1 && number <= d.nodes.size() ? d.nodes.at(number - 1).key : 0;
}

ModelKey ProjectModel::typeKey(int number) const
{
    return number >= 1 && number <= d.types.size() ? d.types.at(number - 1).key : 0;
}

const NodeRecord *ProjectModel::node(ModelKey key) const
{
    const int i = nodeIndex(key);
    return i < 0 ? nullptr : &d.nodes.at(i);
}

const MemberRecord *ProjectModel::member(ModelKey key) const
{
    const int i = memberIndex(key);
    return i < 0 ? nullptr : &d.members.at(i);
}

const Member *ProjectModel::memberType(ModelKey key) const
{
    const int i = typeIndex(key);
    return i < 0 ? nullptr : d.types.at(i).values.get();
}

int ProjectModel::category(const MemberRecord &m) const
{
    const Member *t = memberType(m.type);
    return t ? t->getType() : -1;
}

ModelKey ProjectModel::memberBetween(ModelKey a, ModelKey b) const
{
    for (const MemberRecord &m : d.members)
        if ((m.source == a && m.dest == b) || (m.source == b && m.dest == a))
            return m.key;
    return 0;
}

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

bool ProjectModel::alphaActive() const
{
    const int ipanal = d.control.a[0];
    return ipanal == 6 || ipanal == 8 || ipanal == 9;
}

ProjectData ProjectModel::projectData() const
{
    ProjectData p;
    const ControlSettings &c = d.control;
    std::copy(std::begin(c.a), std::end(c.a), p.a);
    std::copy(std::begin(c.b), std::end(c.b), p.b);
    std::copy(std::begin(c.c), std::end(c.c), p.c);
    std::copy(std::begin(c.d), std::end(c.d), p.d);
    std::copy(std::begin(c.e), std::end(c.e), p.e);
    p.b[0] = int(d.nodes.size());
    p.b[1] = int(d.members.size());
    p.b[2] = int(d.types.size());
    p.b[10] = int(d.grid.YLines.size());
    p.dampList = c.dampList;
    p.controlSeted = c.seted;

    p.XLines = d.grid.XLines;
    p.YLines = d.grid.YLines;
    p.nodesIOut = d.grid.nodesIOut;
    p.elementsIOut = d.grid.elementsIOut;

    p.drift = d.drift.drift;
    p.kup1AutomaticallyTo0 = d.drift.kup1AutomaticallyTo0;
    p.kup1Automatically = d.drift.kup1Automatically;
    p.driftSeted = d.drift.seted;
    p.driftIds = ModelCore::driftIds(d.drift.drift, int(d.grid.XLines.size()), int(d.grid.YLines.size()));

    p.nodes.reserve(d.nodes.size());
    for (int i = 0; i < d.nodes.size(); ++i) {
        const NodeRecord &n = d.nodes.at(i);
        NodeData out;
        out.id = i + 1;
        out.x = n.x;
        out.y = n.y;
        out.nf1 = n.nf1;
        out.nf2 = n.nf2;
        out.nf3 = n.nf3;
        out.kup1 = n.kup1;
        out.kup2 = n.kup2;
        out.kup3 = n.kup3;
        out.iout = n.iout;
        p.nodes.append(out);
    }
    QHash<ModelKey, int> typeNumbers;
    for (int i = 0; i < d.types.size(); ++i)
        typeNumbers.insert(d.types.at(i).key, i + 1);
    p.bars.reserve(d.members.size());
    for (int i = 0; i < d.members.size(); ++i) {
        const MemberRecord &m = d.members.at(i);
        BarData out;
        out.id = i + 1;
        out.mTypeId = typeNumbers.value(m.type, 0);
        out.source = nodeNumber(m.source);
        out.dest = nodeNumber(m.dest);
        out.node3 = m.node3;
        out.node4 = m.node4;
        out.iout = m.iout;
        p.bars.append(out);
    }
    // The writers only read the records; the model keeps them.
    p.memberTypes.reserve(d.types.size());
    for (const MemberTypeRecord &t : d.types)
        p.memberTypes.append(const_cast<Member *>(t.values.get()));

    p.wx = d.weights.first;
    p.wy = d.weights.second;
    p.wd = d.weights.third;
    p.fx = d.loads.first;
    p.fy = d.loads.second;
    p.fm = d.loads.third;
    p.shapeEnabled = shapeEnabled();
    p.shapeFx = d.shape.fx;
    p.shapeFy = d.shape.fy;
    p.shapeFm = d.shape.fm;
    p.alpha = d.shape.alpha;
    p.showAlpha = alphaActive();

    std::copy(std::begin(d.quake.a), std::end(d.quake.a), p.quakeA);
    std::copy(std::begin(d.quake.b), std::end(d.quake.b), p.quakeB);
    p.quakeFile = d.quake.file;
    p.quakeSeted = d.quake.seted;
    return p;
}

ModelData ProjectModel::fromProjectData(ProjectData &p)
{
    ModelData m;
    m.begun = true;
    ControlSettings &c = m.control;
    std::copy(std::begin(p.a), std::end(p.a), c.a);
    std::copy(std::begin(p.b), std::end(p.b), c.b);
    std::copy(std::begin(p.c), std::end(p.c), c.c);
    std::copy(std::begin(p.d), std::end(p.d), c.d);
    std::copy(std::begin(p.e), std::end(p.e), c.e);
    // The damping list means something only while ICTYPE asks for it.
    if (c.a[4] == 4)
        c.dampList = p.dampList;
    c.seted = p.controlSeted;

    m.grid.XLines = p.XLines;
    m.grid.YLines = p.YLines;
    for (int i = 0; i < p.XLines.size(); ++i)
        m.grid.XIds.append(QString::number(i + 1));
    for (int i = 0; i < p.YLines.size(); ++i)
        m.grid.YIds.append(i == 0 ? QStringLiteral("BASE") : QStringLiteral("STORY-") + QString::number(i));
    m.grid.nodesIOut = p.nodesIOut;
    m.grid.elementsIOut = p.elementsIOut;

    // The file keeps the flag of the chosen drift only; the other keeps its default.
    m.drift.drift = p.drift;
    if (p.drift == QLatin1String("None"))
        m.drift.kup1AutomaticallyTo0 = p.kup1AutomaticallyTo0;
    else
        m.drift.kup1Automatically = p.kup1Automatically;
    m.drift.seted = p.driftSeted;

    appendNodes(m, p.nodes);

    m.types.reserve(p.memberTypes.size());
    for (int i = 0; i < p.memberTypes.size(); ++i) {
        MemberTypeRecord t;
        t.key = m.nextKey++;
        auto owned = std::make_shared<Member>(*p.memberTypes.at(i));
        owned->setID(i + 1);
        t.values = owned;
        m.types.append(t);
    }
    p.memberTypes.clear();
    p.ownedMembers.clear();

    m.members.reserve(p.bars.size());
    for (const BarData &b : std::as_const(p.bars)) {
        MemberRecord r;
        r.key = m.nextKey++;
        r.type = b.mTypeId >= 1 && b.mTypeId <= m.types.size() ? m.types.at(b.mTypeId - 1).key : 0;
        r.source = b.source >= 1 && b.source <= m.nodes.size() ? m.nodes.at(b.source - 1).key : 0;
        r.dest = b.dest >= 1 && b.dest <= m.nodes.size() ? m.nodes.at(b.dest - 1).key : 0;
        r.node3 = b.node3;
        r.node4 = b.node4;
        r.iout = b.iout;
        m.members.append(r);
    }

    m.weights = {p.wx, p.wy, p.wd};
    m.loads = {p.fx, p.fy, p.fm};
    // SHAPE is kept only while IPVERT asks for it; ALPHA otherwise keeps its default.
    if (c.a[5] < 0) {
        m.shape.fx = p.shapeFx;
        m.shape.fy = p.shapeFy;
        m.shape.fm = p.shapeFm;
        m.shape.alpha = p.alpha;
    }

    std::copy(std::begin(p.quakeA), std::end(p.quakeA), m.quake.a);
    std::copy(std::begin(p.quakeB), std::end(p.quakeB), m.quake.b);
    m.quake.file = p.quakeFile;
    m.quake.seted = p.quakeSeted;
    return m;
}

void ProjectModel::appendNodes(ModelData &m, const QList<NodeData> &nodes)
{
    m.nodes.reserve(m.nodes.size() + nodes.size());
    for (const NodeData &n : nodes) {
        NodeRecord r;
        r.key = m.nextKey++;
        r.x = n.x;
        r.y = n.y;
        r.nf1 = n.nf1;
        r.nf2 = n.nf2;
        r.nf3 = n.nf3;
        r.kup1 = n.kup1;
        r.kup2 = n.kup2;
        r.kup3 = n.kup3;
        r.iout = n.iout;
        m.nodes.append(r);
    }
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

    QSet<ModelKey> kept;
    kept.reserve(next.nodes.size());
    for (const NodeRecord &r : std::as_const(next.nodes))
        kept.insert(r.key);
    next.members.clear();
    for (MemberRecord m : data.members) {
        if (!kept.contains(m.source) || !kept.contains(m.dest))
            continue;
        m.node3 = renumbered(m.node3, numbers);
        m.node4 = renumbered(m.node4, numbers);
        next.members.append(m);
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

// ------------------------------------------------------------------ changes

void ProjectModel::resetData(const ModelData &data)
{
    // Keys already given out stay taken: steps after an undone whole-model
    // step keep theirs and add their records again when redone.
    const ModelKey taken = d.nextKey;
    d = data;
    d.nextKey = std::max(taken, data.nextKey);
    indexNodes();
    indexMembers();
    emit modelReset();
}

void ProjectModel::setNodes(const QList<NodeRecord> &records)
{
    QList<ModelKey> keys;
    keys.reserve(records.size());
    for (const NodeRecord &r : records) {
        const int i = nodeIndex(r.key);
        if (i < 0)
            continue;
        d.nodes[i] = r;
        keys.append(r.key);
    }
    if (!keys.isEmpty())
        emit nodesChanged(keys);
}

void ProjectModel::insertMembers(const QList<QPair<int, MemberRecord>> &records)
{
    if (records.isEmpty())
        return;
    QList<ModelKey> keys;
    keys.reserve(records.size());
    for (const auto &r : records)
        keys.append(r.second.key);
    const bool appending = !memberIndexStale && records.size() == 1 && records.first().first >= d.members.size();
    if (records.size() == 1) {
        d.members.insert(std::clamp(records.first().first, 0, int(d.members.size())), records.first().second);
    } else {
        // One merge pass: the places are ascending places of the final list.
        QList<MemberRecord> merged;
        merged.reserve(d.members.size() + records.size());
        int next = 0;
        for (const auto &r : records) {
            while (merged.size() < r.first && next < d.members.size())
                merged.append(d.members.at(next++));
            merged.append(r.second);
        }
        while (next < d.members.size())
            merged.append(d.members.at(next++));
        d.members = merged;
    }
    // Appending keeps every other place; an insert moves those after it.
    if (appending)
        memberAt.insert(records.first().second.key, int(d.members.size()) - 1);
    else
        memberIndexStale = true;
    emit membersInserted(keys);
}

void ProjectModel::removeMembers(const QList<ModelKey> &keys)
{
    QList<int> places;
    places.reserve(keys.size());
    for (ModelKey k : keys) {
        const int i = memberIndex(k);
        if (i >= 0)
            places.append(i);
    }
    if (places.isEmpty())
        return;
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    QList<ModelKey> gone;
    gone.reserve(places.size());
    for (int i : std::as_const(places))
        gone.append(d.members.at(i).key);
    const bool last = places.size() == 1 && places.first() == d.members.size() - 1;
    if (places.size() == 1) {
        d.members.removeAt(places.first());
    } else {
        // One pass, whatever the number removed.
        QList<MemberRecord> kept;
        kept.reserve(d.members.size() - places.size());
        int p = 0;
        for (int i = 0; i < d.members.size(); ++i) {
            if (p < places.size() && places.at(p) == i)
                ++p;
            else
                kept.append(d.members.at(i));
        }
        d.members = kept;
    }
    // Removing the last member keeps every other place.
    if (last && !memberIndexStale)
        memberAt.remove(gone.first());
    else
        memberIndexStale = true;
    emit membersRemoved(gone);
}

void ProjectModel::setMembers(const QList<MemberRecord> &records)
{
    QList<ModelKey> keys;
    keys.reserve(records.size());
    for (const MemberRecord &r : records) {
        const int i = memberIndex(r.key);
        if (i < 0)
            continue;
        d.members[i] = r;
        keys.append(r.key);
    }
    if (!keys.isEmpty())
        emit membersChanged(keys);
}

void ProjectModel::insertType(int index, const MemberTypeRecord &record)
{
    d.types.insert(std::clamp(index, 0, int(d.types.size())), record);
    emit typesChanged();
}

void ProjectModel::removeType(ModelKey key)
{
    const int i = typeIndex(key);
    if (i < 0)
        return;
    d.types.removeAt(i);
    emit typesChanged();
}

void ProjectModel::setType(const MemberTypeRecord &record)
{
    const int i = typeIndex(record.key);
    if (i < 0)
        return;
    d.types[i] = record;
    emit typesChanged();
}

void ProjectModel::setGrid(const GridSettings &value)
{
    d.grid = value;
    emit settingsChanged(Grid);
}

void ProjectModel::setControl(const ControlSettings &value)
{
    d.control = value;
    emit settingsChanged(Control);
}

void ProjectModel::setDrift(const DriftSettings &value)
{
    d.drift = value;
    emit settingsChanged(Drift);
}

void ProjectModel::setWeights(const NodeValues &value)
{
    d.weights = value;
    emit settingsChanged(Weights);
}

void ProjectModel::setLoads(const NodeValues &value)
{
    d.loads = value;
    emit settingsChanged(Loads);
}

void ProjectModel::setShape(const ShapeSettings &value)
{
    d.shape = value;
    emit settingsChanged(Shape);
}

void ProjectModel::setQuake(const QuakeSettings &value)
{
    d.quake = value;
    emit settingsChanged(Quake);
}
