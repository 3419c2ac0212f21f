// The model to and from the records the file writers and readers use.

#include "projectmodel.h"

#include "fieldtext.h"
#include "member.h"

#include <algorithm>

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
    for (int i = 0; i < d.nodes.size(); ++i)
        p.nodes.append(nodeData(i));
    QHash<ModelKey, int> typeNumbers;
    for (int i = 0; i < d.types.size(); ++i)
        typeNumbers.insert(d.types.at(i).key, i + 1);
    p.bars.reserve(d.members.size());
    for (int i = 0; i < d.members.size(); ++i)
        p.bars.append(barData(i, typeNumbers.value(d.members.at(i).type, 0)));
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

NodeData ProjectModel::nodeData(int index) const
{
    const NodeRecord &n = d.nodes.at(index);
    NodeData out;
    out.id = index + 1;
    out.x = n.x;
    out.y = n.y;
    out.nf1 = n.nf1;
    out.nf2 = n.nf2;
    out.nf3 = n.nf3;
    out.kup1 = n.kup1;
    out.kup2 = n.kup2;
    out.kup3 = n.kup3;
    out.iout = n.iout;
    return out;
}

BarData ProjectModel::barData(int index, int typeNumber) const
{
    const MemberRecord &m = d.members.at(index);
    BarData out;
    out.id = index + 1;
    out.mTypeId = typeNumber;
    out.source = nodeNumber(m.source);
    out.dest = nodeNumber(m.dest);
    out.node3 = m.node3;
    out.node4 = m.node4;
    out.iout = m.iout;
    return out;
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
    // The damping list means something only while ICTYPE asks for it; an
    // empty one keeps the model's single mode.
    if (c.a[4] == 4 && !p.dampList.isEmpty())
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
    m.quake.file = FieldText::recordName(p.quakeFile);
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

