#include "projectdata.h"

#include "member.h"

#include <algorithm>

namespace {
// Values the control options hold before anything is set.
const int kDefaultA[11] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const int kDefaultB[14] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0};
const double kDefaultC[10] = {9.8, 0, 0, 0, 0, 1, 1, 10, 1, 0.5};
const int kDefaultD[3] = {0, 0, 0};
const double kDefaultE[8] = {0.0001, 0, 0, 0, 0, 0, 0, 0.1};
} // namespace

ProjectData::ProjectData()
{
    std::copy(std::begin(kDefaultA), std::end(kDefaultA), a);
    std::copy(std::begin(kDefaultB), std::end(kDefaultB), b);
    std::copy(std::begin(kDefaultC), std::end(kDefaultC), c);
    std::copy(std::begin(kDefaultD), std::end(kDefaultD), d);
    std::copy(std::begin(kDefaultE), std::end(kDefaultE), e);
    std::fill(std::begin(quakeA), std::end(quakeA), 0);
    std::fill(std::begin(quakeB), std::end(quakeB), 0.0);
}

ProjectData::~ProjectData() = default;
ProjectData::ProjectData(ProjectData &&) noexcept = default;
ProjectData &ProjectData::operator=(ProjectData &&) noexcept = default;

int ProjectData::gridNodeCount() const
{
    return int(XLines.size()) * int(YLines.size());
}

int ProjectData::memberCategory(int mTypeId) const
{
    if (mTypeId < 1 || mTypeId > memberTypes.size())
        return -1;
    return memberTypes.at(mTypeId - 1)->getType();
}

namespace ModelCore {

QList<double> sortLines(const QStringList &lines)
{
    QList<double> values;
    values.reserve(lines.size());
    for (const QString &s : lines)
        values.append(s.toDouble());
    std::sort(values.begin(), values.end());
    return values;
}

QList<NodeData> buildNodes(const QStringList &XLines, const QStringList &YLines, int nodesIOut)
{
    const QList<double> xs = sortLines(XLines);
    const QList<double> ys = sortLines(YLines);
    QList<NodeData> nodes;
    if (xs.isEmpty() || ys.isEmpty())
        return nodes;
    nodes.reserve(xs.size() * ys.size());
    for (int i = 0; i < ys.size(); ++i) {
        for (double x : xs) {
            NodeData n;
            n.id = int(nodes.size()) + 1;
            n.x = x;
            n.y = ys.at(i);
            n.nf1 = n.nf2 = n.nf3 = (i == 0) ? 1 : 0;
            n.iout = nodesIOut;
            nodes.append(n);
        }
    }
    return nodes;
}

QStringList driftIds(const QString &drift, int nX, int nY)
{
    QStringList ids;
    if (drift == QLatin1String("None"))
        return ids;
    bool ok = false;
    const int column = drift.toInt(&ok);
    if (!ok || column < 1 || column > nX)
        return ids;
    for (int i = 0; i < nY; ++i)
        ids.append(QString::number(i * nX + column));
    return ids;
}

void setGridDefaults(int yLines, int *b, double *c)
{
    // One mode per storey; a grid without storeys asks for none.
    const int storeys = yLines > 1 ? yLines - 1 : 0;
    b[3] = storeys;
    b[4] = 1;
    b[5] = storeys;
    c[1] = 2.0;
    c[2] = 2.0;
}

QString completenessMessage(const ProjectData &data)
{
    QString missing;
    if (data.nodes.isEmpty())
        missing += QLatin1String(", Nodes");
    if (data.bars.isEmpty())
        missing += QLatin1String(", Elements");
    if (data.memberTypes.isEmpty())
        missing += QLatin1String(", Member-Types");
    if (!data.controlSeted)
        missing += QLatin1String(", Control Options");
    if (!data.driftSeted)
        missing += QLatin1String(", Drift");
    if (!data.quakeSeted)
        missing += QLatin1String(", Equake");
    if (data.fx.isEmpty())
        missing += QLatin1String(", Loads");
    if (data.wx.isEmpty())
        missing += QLatin1String(", Weights");
    if (data.shapeEnabled && data.shapeFx.isEmpty())
        missing += QLatin1String(", Shape");
    if (missing.isEmpty())
        return QString();
    return QLatin1String("You must set") + missing + QLatin1Char('.');
}

void rebuildDerived(ProjectData &data)
{
    QList<NodeData> fresh = buildNodes(data.XLines, data.YLines, data.nodesIOut);
    // Values read from a file apply by position; ids and coordinates come from the grid.
    for (int i = 0; i < fresh.size() && i < data.nodes.size(); ++i) {
        const NodeData &v = data.nodes.at(i);
        NodeData &n = fresh[i];
        n.nf1 = v.nf1; n.nf2 = v.nf2; n.nf3 = v.nf3;
        n.kup1 = v.kup1; n.kup2 = v.kup2; n.kup3 = v.kup3;
        n.iout = v.iout;
    }
    data.nodes = fresh;
    const int nX = int(data.XLines.size());
    const int nY = int(data.YLines.size());
    data.driftIds = driftIds(data.drift, nX, nY);
    data.b[0] = int(data.nodes.size());
    data.b[1] = int(data.bars.size());
    data.b[2] = int(data.memberTypes.size());
    data.b[10] = nY;
}

} // namespace ModelCore
