#include "modelcheck.h"

#include "earthquakerecord.h"
#include "member.h"
#include "projectdata.h"
#include "projectmodel.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ModelCheck {

namespace {

QString itemName(Problem::Item item, int number)
{
    switch (item) {
    case Problem::Model:
        return QStringLiteral("model");
    case Problem::Node:
        return QStringLiteral("node %1").arg(number);
    case Problem::Member:
        return QStringLiteral("member %1").arg(number);
    case Problem::MemberType:
        return QStringLiteral("member type %1").arg(number);
    case Problem::Section:
        switch (ProjectModel::Section(number)) {
        case ProjectModel::Grid: return QStringLiteral("grid");
        case ProjectModel::Control: return QStringLiteral("control options");
        case ProjectModel::Drift: return QStringLiteral("drift");
        case ProjectModel::Weights: return QStringLiteral("weights");
        case ProjectModel::Loads: return QStringLiteral("loads");
        case ProjectModel::Shape: return QStringLiteral("shape");
        case ProjectModel::Quake: return QStringLiteral("earthquake");
        }
    }
    return QString();
}

// "E", "E and A", "E, A and I"
QString listed(const QStringList &names)
{
    if (names.size() < 2)
        return names.join(QString());
    return QStringList(names.mid(0, names.size() - 1)).join(QStringLiteral(", ")) + QStringLiteral(" and ")
           + names.last();
}

bool allZero(const QList<double> &values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return v == 0.0; });
}

QString categoryName(int category)
{
    static const char *const names[] = {"FRAME", "SPRING", "WALL", "DAMPER", "MULTISPRING", "REINFORCED"};
    return category >= 0 && category < 6 ? QLatin1String(names[category]) : QString();
}

struct Stiffness {
    const double *values;
    QList<int> entries;
    QStringList names;
};

// The entries that give a type of each category its stiffness.
Stiffness stiffness(const Member &t)
{
    switch (t.getType()) {
    case Member::FRAME:
        return {t.getFrameB(), {0, 2, 4}, {"E", "A", "I"}};
    case Member::SPRING:
        return {t.getSpringA2(), {0, 1, 2}, {"KX", "KY", "GJ"}};
    case Member::WALL:
        return {t.getWallB(), {0, 1}, {"EMODC", "EMODS"}};
    case Member::DAMPER:
        return {t.getDamperA2(), {0, 1, 2}, {"C1", "C2", "C3"}};
    case Member::MULTISPRING:
        return {t.getMultiSpringB2(), {0, 1}, {"SA", "SV"}};
    case Member::REINFORCED:
        return {t.getReinforcedB(), {0, 3, 6}, {"EC", "ECC", "ECV"}};
    }
    return {nullptr, {}, {}};
}

// Analyses that integrate an earthquake record in time.
bool needsRecord(int ipanal)
{
    return ipanal >= 2 && ipanal <= 5;
}

// Analyses that need masses: modal, time-history, ground displacement and spectrum.
bool dynamic(int ipanal)
{
    return (ipanal >= 1 && ipanal <= 5) || (ipanal >= 8 && ipanal <= 10);
}

// What the record itself tells the check, kept while its file and options stay the same.
struct RecordMemo {
    QString path;
    EarthquakeRecord::Options options;
    qint64 size = -1;
    QDateTime modified;
    QStringList warnings;
};

QStringList recordWarnings(const QuakeSettings &q, const ControlSettings &c, const QString &projectFile)
{
    static QMutex mutex;
    static RecordMemo memo;
    const EarthquakeRecord::Options o(q, c);
    QStringList out;
    if (q.a[0] == EarthquakeRecord::Free && !(o.deltat > 0.0))
        return {QStringLiteral("DELTAT is %1 for a FREE record").arg(o.deltat)};
    // Records of other formats are not read here; the analysis knows them.
    if (q.a[0] != EarthquakeRecord::Free && q.a[0] != EarthquakeRecord::Peer)
        return out;
    const QString path = EarthquakeRecord::resolve(q.file, projectFile);
    const QFileInfo info(path);
    const QMutexLocker lock(&mutex);
    if (memo.path == path && memo.options == o && memo.size == info.size() && memo.modified == info.lastModified()
        && info.exists())
        return memo.warnings;
    EarthquakeRecord::Record r;
    QString why;
    if (!EarthquakeRecord::readFile(path, o, r, &why)) {
        out << QStringLiteral("cannot read %1: %2").arg(q.file, why);
    } else {
        const QString mismatch = EarthquakeRecord::intervalMismatch(r.headerDt, o.deltat);
        if (!mismatch.isEmpty())
            out << mismatch;
        // A hair short of TIME is rounding of the interval, not a short record.
        if (o.end == 0.0 && r.lastRead < o.time - 1e-9 * r.interval)
            out << QStringLiteral("the record ends at %1 s, TIME is %2 s and END is 0").arg(r.lastRead).arg(o.time);
    }
    memo = {path, o, info.size(), info.lastModified(), out};
    return out;
}

} // namespace

NodePlaces::NodePlaces(const QList<NodeRecord> &list) : nodes(list)
{
    const int n = int(nodes.size());
    xs.reserve(n);
    ys.reserve(n);
    for (const NodeRecord &r : nodes) {
        xs.push_back(r.x);
        ys.push_back(r.y);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    nodeOn.reserve(n);
    for (int i = 0; i < n; ++i)
        nodeOn.insert(key(column(nodes.at(i).x), row(nodes.at(i).y)), i);
    double span = 0.0;
    if (!xs.empty())
        span = std::max(span, xs.back() - xs.front());
    if (!ys.empty())
        span = std::max(span, ys.back() - ys.front());
    tolerance = 1e-9 * std::max(span, 1.0);
}

int NodePlaces::column(double x) const
{
    return int(std::lower_bound(xs.begin(), xs.end(), x) - xs.begin());
}

int NodePlaces::row(double y) const
{
    return int(std::lower_bound(ys.begin(), ys.end(), y) - ys.begin());
}

QList<int> NodePlaces::between(int a, int b) const
{
    QList<int> out;
    if (a < 0 || b < 0 || a >= nodes.size() || b >= nodes.size() || a == b)
        return out;
    const NodeRecord &p = nodes.at(a), &q = nodes.at(b);
    const double dx = q.x - p.x, dy = q.y - p.y;
    const int c0 = column(p.x), c1 = column(q.x);
    const int r0 = row(p.y), r1 = row(q.y);
    if (c0 == c1) {
        for (int r = std::min(r0, r1) + 1; r < std::max(r0, r1); ++r) {
            const auto found = nodeOn.constFind(key(c0, r));
            if (found != nodeOn.constEnd() && found.value() != a && found.value() != b)
                out.append(found.value());
        }
        return out;
    }
    for (int c = std::min(c0, c1) + 1; c < std::max(c0, c1); ++c) {
        // The row of the ordinate computed along the member, if a line is there.
        const double y = p.y + (xs[c] - p.x) * dy / dx;
        const int r = row(y - tolerance);
        if (r >= int(ys.size()) || std::abs(ys[r] - y) > tolerance)
            continue;
        const auto found = nodeOn.constFind(key(c, r));
        if (found != nodeOn.constEnd() && found.value() != a && found.value() != b)
            out.append(found.value());
    }
    return out;
}

namespace {

class Checker
{
public:
    Checker(const ModelData &data, const QString &projectFile) : d(data), projectFile(projectFile) {}
    QList<Problem> run();

private:
    void add(Problem::Severity s, Problem::Item item, int number, const QString &text)
    {
        out.append({s, item, number, text});
    }
    void completeness();
    void nodes();
    void members();
    void geometry();
    void types();
    void settings();

    const ModelData &d;
    const QString projectFile;
    QList<Problem> out;
    QHash<ModelKey, int> nodeAt, typeAt;
    std::vector<int> endIndex[2];         // node index of each member's ends, -1 if unknown
    std::vector<int> firstJoined, joined; // members of each node, as offsets into one list
};

void Checker::completeness()
{
    // Exactly what ModelCore::completenessMessage refuses, one line each.
    const auto error = [this](Problem::Item item, int number, const char *text) {
        add(Problem::Error, item, number, QLatin1String(text));
    };
    if (d.nodes.isEmpty())
        error(Problem::Model, 0, "no nodes");
    if (d.members.isEmpty())
        error(Problem::Model, 0, "no members");
    if (d.types.isEmpty())
        error(Problem::Model, 0, "no member types");
    if (!d.control.seted)
        error(Problem::Section, ProjectModel::Control, "not set");
    if (!d.drift.seted)
        error(Problem::Section, ProjectModel::Drift, "not set");
    if (!d.quake.seted)
        error(Problem::Section, ProjectModel::Quake, "not set");
    if (d.loads.first.isEmpty())
        error(Problem::Section, ProjectModel::Loads, "not set");
    if (d.weights.first.isEmpty())
        error(Problem::Section, ProjectModel::Weights, "not set");
    if (d.control.a[5] < 0 && d.shape.fx.isEmpty())
        error(Problem::Section, ProjectModel::Shape, "not set");
}

void Checker::nodes()
{
    const int n = int(d.nodes.size());
    const bool groundDisplacements = d.control.a[0] == 8 || d.control.a[0] == 9;
    for (int i = 0; i < n; ++i) {
        const NodeRecord &r = d.nodes.at(i);
        const bool fixed = r.nf1 == 1 && r.nf2 == 1 && r.nf3 == 1;
        if (firstJoined[i + 1] == firstJoined[i] && !fixed)
            add(Problem::Warning, Problem::Node, i + 1, QStringLiteral("joined to no member and not fully restrained"));
        const int kup[3] = {r.kup1, r.kup2, r.kup3};
        const int nf[3] = {r.nf1, r.nf2, r.nf3};
        for (int k = 0; k < 3; ++k) {
            if (kup[k] == i + 1)
                add(Problem::Warning, Problem::Node, i + 1, QStringLiteral("KUP %1 couples the node to itself").arg(k + 1));
            // Below -1 a KUP inputs a displacement history, which only IPANAL 8 and 9 read;
            // outside them -1 marks a travelling-wave support, whose freedom must be free.
            if (kup[k] < -1 && !groundDisplacements)
                add(Problem::Warning, Problem::Node, i + 1,
                    QStringLiteral("KUP %1 is %2, which only IPANAL 8 or 9 reads").arg(k + 1).arg(kup[k]));
            if (kup[k] == -1 && k < 2 && nf[k] != 0 && !groundDisplacements)
                add(Problem::Warning, Problem::Node, i + 1,
                    QStringLiteral("KUP %1 is -1 but NF %1 is not 0").arg(k + 1));
        }
    }
}

void Checker::members()
{
    for (int i = 0; i < d.members.size(); ++i) {
        const MemberRecord &m = d.members.at(i);
        if (!typeAt.contains(m.type))
            add(Problem::Warning, Problem::Member, i + 1, QStringLiteral("no member type"));
        const int ends[2] = {endIndex[0][i] + 1, endIndex[1][i] + 1};
        // Generate writes the lower node first: end 1 would become the other end.
        if (ends[0] > 0 && ends[1] > 0 && ends[0] > ends[1])
            add(Problem::Warning, Problem::Member, i + 1,
                QStringLiteral("runs from node %1 to node %2; Generate writes its ends lowest first, so its end 1 "
                               "becomes node %2")
                    .arg(ends[0]).arg(ends[1]));
        const int inner[2] = {m.node3, m.node4};
        for (int k = 0; k < 2; ++k)
            if (inner[k] != 0 && (inner[k] == ends[0] || inner[k] == ends[1]))
                add(Problem::Warning, Problem::Member, i + 1,
                    QStringLiteral("NODE%1 is its own end node %2").arg(k + 3).arg(inner[k]));
    }
}

void Checker::geometry()
{
    const NodePlaces places(d.nodes);

    QSet<QPair<int, int>> reported;
    const auto overlap = [&](int a, int b) {
        const QPair<int, int> pair(std::min(a, b), std::max(a, b));
        if (reported.contains(pair))
            return;
        reported.insert(pair);
        add(Problem::Warning, Problem::Member, pair.second + 1, QStringLiteral("overlaps member %1").arg(pair.first + 1));
    };

    // The same two ends twice.
    QHash<QPair<int, int>, int> byEnds;
    for (int i = 0; i < d.members.size(); ++i) {
        const int a = endIndex[0][i], b = endIndex[1][i];
        if (a < 0 || b < 0)
            continue;
        const QPair<int, int> key(std::min(a, b), std::max(a, b));
        const auto found = byEnds.constFind(key);
        if (found != byEnds.constEnd())
            overlap(found.value(), i);
        else
            byEnds.insert(key, i);
    }

    for (int i = 0; i < d.members.size(); ++i) {
        const int a = endIndex[0][i], b = endIndex[1][i];
        if (a < 0 || b < 0 || a == b)
            continue;
        const NodeRecord &p = d.nodes.at(a), &q = d.nodes.at(b);
        const double dx = q.x - p.x, dy = q.y - p.y;
        const double length = std::hypot(dx, dy);
        // A node strictly inside the member: another member from it along the
        // same line overlaps this one; none means it is passed over.
        const auto inside = [&](int node) {
            if (node == a || node == b)
                return;
            for (int k = firstJoined[node]; k < firstJoined[node + 1]; ++k) {
                const int other = joined[k];
                const int far = endIndex[0][other] == node ? endIndex[1][other] : endIndex[0][other];
                if (far < 0)
                    continue;
                const NodeRecord &f = d.nodes.at(far), &s = d.nodes.at(node);
                const double ex = f.x - s.x, ey = f.y - s.y;
                if (std::abs(dx * ey - dy * ex) <= 1e-9 * length * std::hypot(ex, ey)) {
                    overlap(i, other);
                    return;
                }
            }
            add(Problem::Warning, Problem::Member, i + 1,
                QStringLiteral("passes over node %1 without joining it").arg(node + 1));
        };
        for (int node : places.between(a, b))
            inside(node);
    }
}

void Checker::types()
{
    std::vector<bool> used(d.types.size(), false);
    for (const MemberRecord &m : d.members) {
        const auto found = typeAt.constFind(m.type);
        if (found != typeAt.constEnd())
            used[found.value()] = true;
    }
    for (int i = 0; i < d.types.size(); ++i) {
        if (!used[i])
            add(Problem::Warning, Problem::MemberType, i + 1, QStringLiteral("used by no member"));
        const Member *t = d.types.at(i).values.get();
        if (!t)
            continue;
        const Stiffness s = stiffness(*t);
        if (!s.values)
            continue;
        if (std::all_of(s.entries.begin(), s.entries.end(), [&](int k) { return s.values[k] == 0.0; }))
            add(Problem::Warning, Problem::MemberType, i + 1,
                QStringLiteral("%1 of a %2 type %3 0")
                    .arg(listed(s.names), categoryName(t->getType()),
                         s.names.size() > 1 ? QStringLiteral("are all") : QStringLiteral("is")));
    }
}

void Checker::settings()
{
    const int ipanal = d.control.a[0];
    const int ipvert = d.control.a[5];
    if (d.control.seted && d.quake.seted && needsRecord(ipanal) && d.quake.file.trimmed().isEmpty())
        add(Problem::Warning, Problem::Section, ProjectModel::Quake,
            QStringLiteral("IPANAL %1 runs an earthquake record but FILE is empty").arg(ipanal));
    if (d.control.seted && d.quake.seted && needsRecord(ipanal)) {
        if (d.quake.b[1] == 0.0)
            add(Problem::Warning, Problem::Section, ProjectModel::Quake, QStringLiteral("ASCALE is 0"));
        if (!d.quake.file.trimmed().isEmpty())
            for (const QString &w : recordWarnings(d.quake, d.control, projectFile))
                add(Problem::Warning, Problem::Section, ProjectModel::Quake, w);
    }
    const NodeValues &w = d.weights;
    if (d.control.seted && dynamic(ipanal) && !w.first.isEmpty() && allZero(w.first) && allZero(w.second)
        && allZero(w.third))
        add(Problem::Warning, Problem::Section, ProjectModel::Weights,
            QStringLiteral("all 0 in a dynamic analysis (IPANAL %1)").arg(ipanal));
    if (ipvert < 0 && !d.shape.fx.isEmpty() && allZero(d.shape.fx) && allZero(d.shape.fy) && allZero(d.shape.fm))
        add(Problem::Warning, Problem::Section, ProjectModel::Shape,
            QStringLiteral("all 0 while IPVERT is %1").arg(ipvert));

    // The drift column's nodes are one per Y line, in the written numbers.
    const QStringList column =
        ModelCore::driftIds(d.drift.drift, int(d.grid.XLines.size()), int(d.grid.YLines.size()));
    if (d.drift.seted && !column.isEmpty()) {
        bool any = false;
        for (const QString &id : column) {
            const int node = id.toInt() - 1;
            if (node >= 0 && node < int(d.nodes.size()) && firstJoined[node + 1] > firstJoined[node]) {
                any = true;
                break;
            }
        }
        if (!any)
            add(Problem::Warning, Problem::Section, ProjectModel::Drift,
                QStringLiteral("column %1 has no members").arg(d.drift.drift));
    }
}

QList<Problem> Checker::run()
{
    const int n = int(d.nodes.size());
    const int m = int(d.members.size());
    nodeAt.reserve(n);
    for (int i = 0; i < n; ++i)
        nodeAt.insert(d.nodes.at(i).key, i);
    for (int i = 0; i < d.types.size(); ++i)
        typeAt.insert(d.types.at(i).key, i);
    firstJoined.assign(n + 1, 0);
    for (int e = 0; e < 2; ++e)
        endIndex[e].resize(m);
    for (int i = 0; i < m; ++i) {
        const MemberRecord &r = d.members.at(i);
        endIndex[0][i] = nodeAt.value(r.source, -1);
        endIndex[1][i] = nodeAt.value(r.dest, -1);
        for (int e = 0; e < 2; ++e)
            if (endIndex[e][i] >= 0)
                ++firstJoined[endIndex[e][i] + 1];
    }
    for (int i = 0; i < n; ++i)
        firstJoined[i + 1] += firstJoined[i];
    joined.assign(firstJoined[n], 0);
    std::vector<int> next(firstJoined.begin(), firstJoined.end() - 1);
    for (int i = 0; i < m; ++i)
        for (int e = 0; e < 2; ++e)
            if (endIndex[e][i] >= 0 && (e == 0 || endIndex[1][i] != endIndex[0][i]))
                joined[next[endIndex[e][i]]++] = i;

    completeness();
    nodes();
    members();
    geometry();
    types();
    settings();
    std::stable_sort(out.begin(), out.end(), [](const Problem &x, const Problem &y) {
        // Errors stay in the order of Generate's message.
        if (x.severity != y.severity || x.severity == Problem::Error)
            return x.severity < y.severity;
        if (x.item != y.item)
            return x.item < y.item;
        return x.number < y.number;
    });
    return out;
}

QString plural(qsizetype n, const char *word)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(word)).arg(n == 1 ? "" : "s");
}

} // namespace

QString Problem::line() const
{
    return itemName(item, number) + QStringLiteral(": ") + text;
}

bool Problem::operator==(const Problem &o) const
{
    return severity == o.severity && item == o.item && number == o.number && text == o.text;
}

QList<Problem> check(const ModelData &data, const QString &projectFile)
{
    return Checker(data, projectFile).run();
}

QString format(const Problem &problem)
{
    return (problem.severity == Problem::Error ? QStringLiteral("error: ") : QStringLiteral("warning: ")) + problem.line();
}

QString summary(const QList<Problem> &problems)
{
    const qsizetype errors =
        std::count_if(problems.begin(), problems.end(), [](const Problem &p) { return p.severity == Problem::Error; });
    return plural(errors, "error") + QStringLiteral(", ") + plural(problems.size() - errors, "warning");
}

} // namespace ModelCheck
