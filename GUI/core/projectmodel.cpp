#include "projectmodel.h"

#include "member.h"

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
    // One mode from the start, so that choosing ICTYPE 4 gives a list to edit.
    dampList = {0.0};
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

bool ProjectModel::alphaActive() const
{
    const int ipanal = d.control.a[0];
    return ipanal == 6 || ipanal == 8 || ipanal == 9;
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
