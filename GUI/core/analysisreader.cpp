#include "analysisreader.h"
#include "analysislines.h"

#include "fieldtext.h"
#include "member.h"
#include "modellimits.h"
#include "numbertext.h"
#include "projectdata.h"
#include "projectmodel.h"
#include "recordlayout.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QList>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <functional>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace AnalysisLines;

// ---------------------------------------------------------------------------

struct NodeRow {
    int line = 0;
    int id = 0;
    double x = 0, y = 0;
    NodeData values;
};

struct MemberRow {
    int line = 0;
    BarData bar;
};

struct ValueRow {
    int line = 0;
    int node = 0;
    double v[3] = {0, 0, 0};
};

// Everything of the file before the numbers are turned into a model.
struct Parsed {
    int countsLine = 0, levelsLine = 0;   // lines of NNP, NMEM, NTYPE and of NLEVEL
    int nodesLine = 0;
    QList<NodeRow> nodes;
    bool drift = false;
    int driftLine = 0;
    QList<int> driftIds;
    QList<MemberRow> members;
    QList<ValueRow> weights, loads, shape;
    bool alphaGiven = false;
    QStringList warnings; // taken as written, though maybe not what was meant
};

// Rows of a node, member or value section up to the next heading.
template <class Row>
bool readRows(Reader &r, const QString &what, const QString &plural, int most, QList<Row> &rows,
              const std::function<void(Row &)> &fields)
{
    Line l;
    r.setContext(what);
    while (r.ok() && r.peek(l) && headingOf(l) == NoHeading) {
        if (rows.size() >= most) {
            r.fail(l.number, QStringLiteral("%1 %2 are more than a model may have (%3)")
                                     .arg(qint64(most) + 1).arg(plural).arg(most));
            return false;
        }
        Row row;
        row.line = l.number;
        fields(row);
        r.end();
        rows.append(row);
    }
    return r.ok();
}

bool readValueRows(Reader &r, const char *section, int most, QList<ValueRow> &rows)
{
    return readRows<ValueRow>(r, QStringLiteral("a %1 row").arg(QLatin1String(section)),
                              QStringLiteral("%1 rows").arg(QLatin1String(section)), most, rows, [&](ValueRow &row) {
        r.i(row.node);
        r.doubles(row.v, 0, 2);
    });
}

// A member type's title: its number, its category and, after the one
// separator that follows the category, its label to the end of the line.
bool readTitle(Reader &r, int expected, int &category, QString &label)
{
    Line l;
    r.peek(l);
    r.take();
    const char *p = l.b;
    const char *b = p, *e = p;
    nextToken(p, l.rawEnd, b, e);
    int n = 0;
    bool overflow = false;
    FieldText::parseInt(b, e, n, overflow);
    if (n != expected) {
        r.fail(l.number, QStringLiteral("member type %1 was expected, not %2").arg(expected).arg(FieldText::shown(b, e)));
        return false;
    }
    nextToken(p, l.rawEnd, b, e);
    category = categoryOf(b, e);
    if (category < 0) {
        // "1 FRAME!x": a category must end at a blank or a tab.
        r.fail(l.number, QStringLiteral("a blank or a tab was expected after the member category"));
        return false;
    }
    if (p != l.rawEnd)
        ++p;
    QString text;
    const bool valid = FieldText::utf8Text(p, l.rawEnd - p, text);
    const qsizetype maxBytes = 4 * FieldText::kMaxTextLength + 4;
    const QString problem = FieldText::textProblem(text, valid, l.rawEnd - p > maxBytes);
    if (!problem.isEmpty()) {
        r.fail(l.number, QStringLiteral("the member type label %1").arg(problem));
        return false;
    }
    label = text;
    return true;
}

bool readQuakeName(Reader &r, QString &name)
{
    Line l;
    if (!r.peek(l)) {
        r.fail(r.lastLine(), QStringLiteral("the file ends before EQUAKE"));
        return false;
    }
    if (headingOf(l) != Equake) {
        r.fail(l.number, QStringLiteral("EQUAKE was expected"));
        return false;
    }
    r.take();
    const char *p = l.b;
    while (p != l.rawEnd && isBlank(*p))
        ++p;
    p += 6;
    if (p != l.rawEnd)
        ++p;
    QString text;
    const bool valid = FieldText::utf8Text(p, l.rawEnd - p, text);
    const QString problem =
            FieldText::textProblem(text, valid, l.rawEnd - p > 4 * FieldText::kMaxTextLength + 4);
    if (!problem.isEmpty()) {
        r.fail(l.number, QStringLiteral("the earthquake record name %1").arg(problem));
        return false;
    }
    name = FieldText::recordName(text);
    return true;
}

// Node numbers as the file gives them, and as the model numbers them: row
// by row from the lowest line, left to right.
struct Grid {
    std::vector<double> xs, ys;
    QHash<int, int> number;
    int count = 0;
    int renumbered(int fileNumber) const { return number.value(fileNumber, 0); }
};

std::vector<double> distinct(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

int place(const std::vector<double> &lines, double v)
{
    return int(std::lower_bound(lines.begin(), lines.end(), v) - lines.begin());
}

// A number as the analysis file writes it.
QString written(double v)
{
    QString s;
    QTextStream out(&s);
    NumberText::writeDouble(out, v);
    out.flush();
    return s;
}

QString at(double x, double y)
{
    return QStringLiteral("(%1, %2)").arg(written(x), written(y));
}

// The grid from the nodes' distinct coordinates, a node at every intersection.
bool buildGrid(Reader &r, ProjectData &t, const Parsed &f, Grid &g)
{
    const QList<NodeRow> &rows = f.nodes;
    if (t.b[0] != rows.size()) {
        r.fail(f.countsLine, QStringLiteral("NNP is %1 but the NODES section holds %2 nodes").arg(t.b[0]).arg(rows.size()));
        return false;
    }
    QHash<int, int> rowOf;
    rowOf.reserve(rows.size());
    std::vector<double> xs, ys;
    xs.reserve(size_t(rows.size()));
    ys.reserve(size_t(rows.size()));
    for (int k = 0; k < rows.size(); ++k) {
        const NodeRow &n = rows.at(k);
        if (n.id < 1) {
            r.fail(n.line, QStringLiteral("node %1: node numbers start at 1").arg(n.id));
            return false;
        }
        const auto first = rowOf.constFind(n.id);
        if (first != rowOf.cend()) {
            r.fail(n.line, QStringLiteral("node %1 is given twice (first on line %2)").arg(n.id).arg(rows.at(*first).line));
            return false;
        }
        rowOf.insert(n.id, k);
        xs.push_back(n.x);
        ys.push_back(n.y);
    }
    g.xs = distinct(xs);
    g.ys = distinct(ys);
    const qint64 nX = qint64(g.xs.size()), nY = qint64(g.ys.size());
    // Lines the file's six digits would write alike would merge on the way back.
    for (const auto &[lines, name] : {std::pair{&g.xs, "an X"}, std::pair{&g.ys, "a Y"}}) {
        for (size_t k = 1; k < lines->size(); ++k) {
            if (written((*lines)[k - 1]) != written((*lines)[k]))
                continue;
            for (const NodeRow &n : rows) {
                if ((lines == &g.xs ? n.x : n.y) == (*lines)[k]) {
                    r.fail(n.line, QStringLiteral("node %1 is on %2 line that six digits do not tell from %3")
                                           .arg(n.id).arg(QLatin1String(name), written((*lines)[k - 1])));
                    return false;
                }
            }
        }
    }

    QHash<qint64, int> cell;
    cell.reserve(rows.size());
    std::vector<int> onX(size_t(nX), 0), onY(size_t(nY), 0);
    for (int k = 0; k < rows.size(); ++k) {
        const NodeRow &n = rows.at(k);
        const int ix = place(g.xs, n.x), iy = place(g.ys, n.y);
        const qint64 c = iy * nX + ix;
        const auto other = cell.constFind(c);
        if (other != cell.cend()) {
            r.fail(n.line, QStringLiteral("node %1 at %2 is at the same place as node %3")
                                   .arg(n.id).arg(at(n.x, n.y)).arg(rows.at(*other).id));
            return false;
        }
        cell.insert(c, k);
        ++onX[size_t(ix)];
        ++onY[size_t(iy)];
    }
    if (nX * nY != rows.size()) {
        // A node on a line of its own is named when moving it would leave
        // fewer intersections to fill than the grid lacks now.
        const qint64 lacking = nX * nY - rows.size();
        for (const NodeRow &n : rows) {
            const bool ownX = nY > 1 && onX[size_t(place(g.xs, n.x))] == 1;
            const bool ownY = nX > 1 && onY[size_t(place(g.ys, n.y))] == 1;
            if (!ownX && !ownY)
                continue;
            const qint64 without = (nX - ownX) * (nY - ownY) - (rows.size() - 1);
            if (1 + without < lacking) {
                r.fail(n.line, QStringLiteral("node %1 at %2 is not at an intersection of the grid")
                                       .arg(n.id).arg(at(n.x, n.y)));
                return false;
            }
        }
        for (qint64 c = 0;; ++c) {
            if (!cell.contains(c)) {
                r.fail(f.nodesLine, QStringLiteral("no node at %1").arg(at(g.xs[size_t(c % nX)], g.ys[size_t(c / nX)])));
                return false;
            }
        }
    }
    if (t.b[10] != nY) {
        r.fail(f.levelsLine, QStringLiteral("NLEVEL is %1 but the nodes lie on %2 Y lines").arg(t.b[10]).arg(nY));
        return false;
    }
    g.count = int(rows.size());
    g.number.reserve(g.count);
    for (auto it = cell.cbegin(); it != cell.cend(); ++it)
        g.number.insert(rows.at(it.value()).id, int(it.key()) + 1);

    for (double x : g.xs)
        t.XLines.append(QString::number(x, 'g', QLocale::FloatingPointShortest));
    for (double y : g.ys)
        t.YLines.append(QString::number(y, 'g', QLocale::FloatingPointShortest));
    t.nodes.resize(g.count);
    for (const NodeRow &n : rows) {
        NodeData v = n.values;
        int *kups[] = {&v.kup1, &v.kup2, &v.kup3};
        for (int k = 0; k < 3; ++k) {
            // A positive KUP is a node; a negative one a code.
            if (*kups[k] > 0) {
                const int to = g.renumbered(*kups[k]);
                if (to == 0) {
                    r.fail(n.line, QStringLiteral("KUP%1 names node %2, which does not exist").arg(k + 1).arg(*kups[k]));
                    return false;
                }
                *kups[k] = to;
            }
        }
        const int number = g.renumbered(n.id);
        v.id = number;
        v.x = n.x;
        v.y = n.y;
        t.nodes[number - 1] = v;
    }
    return true;
}

bool checkDrift(Reader &r, ProjectData &t, const Parsed &f, const Grid &g)
{
    if (!f.drift)
        return true;
    QStringList ids;
    for (int id : f.driftIds) {
        const int to = g.renumbered(id);
        if (to == 0) {
            r.fail(f.driftLine, QStringLiteral("the DRIFT line names node %1, which does not exist").arg(id));
            return false;
        }
        ids.append(QString::number(to));
    }
    const int nX = int(g.xs.size());
    if (ids.isEmpty() || nX == 0) {
        r.fail(f.driftLine, QStringLiteral("the DRIFT line names no node"));
        return false;
    }
    const QString column = QString::number(ids.isEmpty() ? 0 : (ids.first().toInt() - 1) % nX + 1);
    if (ids != ModelCore::driftIds(column, nX, int(g.ys.size()))) {
        r.fail(f.driftLine, QStringLiteral("the DRIFT nodes are not one column of the grid from the lowest line up"));
        return false;
    }
    t.drift = column;
    return true;
}

bool checkMembers(Reader &r, ProjectData &t, Parsed &f, const Grid &g)
{
    if (t.b[1] != f.members.size()) {
        r.fail(f.countsLine, QStringLiteral("NMEM is %1 but the ELEMENTS section holds %2 members")
                                     .arg(t.b[1]).arg(f.members.size()));
        return false;
    }
    QHash<quint64, int> joined;
    joined.reserve(f.members.size());
    t.bars.reserve(f.members.size());
    for (int k = 0; k < f.members.size(); ++k) {
        const MemberRow &row = f.members.at(k);
        BarData b = row.bar;
        const auto fail = [&](const QString &why) {
            r.fail(row.line, why);
            return false;
        };
        if (b.id != k + 1)
            return fail(QStringLiteral("member %1 was expected, not %2").arg(k + 1).arg(b.id));
        int *nodes[] = {&b.source, &b.dest, &b.node3, &b.node4};
        for (int j = 0; j < 4; ++j) {
            // NODE3 and NODE4 may be 0, none.
            if (j >= 2 && *nodes[j] == 0)
                continue;
            const int to = g.renumbered(*nodes[j]);
            if (to == 0)
                return fail(QStringLiteral("node %1 does not exist").arg(*nodes[j]));
            *nodes[j] = to;
        }
        if (b.source == b.dest)
            return fail(QStringLiteral("member %1 joins node %2 to itself").arg(b.id).arg(row.bar.source));
        const quint64 ends = quint64(std::min(b.source, b.dest)) << 32 | quint32(std::max(b.source, b.dest));
        const auto first = joined.constFind(ends);
        if (first != joined.cend())
            return fail(QStringLiteral("member %1 joins the same nodes as member %2").arg(b.id).arg(*first));
        joined.insert(ends, b.id);
        // Generate writes the lower node first, so such a member's ends would swap.
        if (b.source > b.dest)
            f.warnings.append(QStringLiteral("Line %1: member %2 runs from node %3 to node %4; Generate writes its "
                                             "ends lowest first, so its end 1 becomes node %4")
                                  .arg(row.line).arg(b.id).arg(row.bar.source).arg(row.bar.dest));
        t.bars.append(b);
    }
    return true;
}

bool checkTypes(Reader &r, ProjectData &t, const Parsed &f)
{
    const qsizetype types = t.memberTypes.size();
    if (t.b[2] != types) {
        r.fail(f.countsLine, QStringLiteral("NTYPE is %1 but the PROPS section holds %2 member types").arg(t.b[2]).arg(types));
        return false;
    }
    for (const MemberRow &row : f.members) {
        if (row.bar.mTypeId < 0 || row.bar.mTypeId > types) {
            r.fail(row.line, QStringLiteral("member type %1 does not exist").arg(row.bar.mTypeId));
            return false;
        }
    }
    return true;
}

// Rows of three values by node. `runs`: the rows go over the nodes once per
// load component (SHAPE), `components` times when the section is empty.
// Rows as the writer gives them keep their number; others give every node a
// row, 0 where the file has none. An empty section is a 0 for every row, as
// the first OK of its table gives.
bool valueLists(Reader &r, int headingLine, const QList<ValueRow> &rows, const Grid &g, bool runs, qint64 components,
                QList<double> &first, QList<double> &second, QList<double> &third)
{
    const qint64 n = g.count;
    if (rows.isEmpty()) {
        const qint64 size = runs ? n * components : n;
        if (size > kMaxShapeRows) {
            r.fail(headingLine, QStringLiteral("%1 SHAPE rows are more than a model may have (%2)")
                                        .arg(size).arg(kMaxShapeRows));
            return false;
        }
        first = second = third = QList<double>(size, 0.0);
        return true;
    }
    std::vector<int> seen(size_t(n), -1);
    std::vector<qint64> index(size_t(rows.size()));
    bool asWritten = true;
    int run = 0;
    for (int k = 0; k < rows.size(); ++k) {
        const ValueRow &row = rows.at(k);
        const int to = g.renumbered(row.node);
        if (to == 0) {
            r.fail(row.line, QStringLiteral("node %1 does not exist").arg(row.node));
            return false;
        }
        int &mark = seen[size_t(to - 1)];
        if (mark == run) {
            if (!runs) {
                r.fail(row.line, QStringLiteral("node %1 has a second row").arg(row.node));
                return false;
            }
            ++run;
        }
        mark = run;
        index[size_t(k)] = run * n + to - 1;
        asWritten = asWritten && index[size_t(k)] == k;
    }
    const qint64 size = asWritten ? rows.size() : (run + 1) * n;
    if (size > kMaxShapeRows) {
        r.fail(rows.last().line, QStringLiteral("the SHAPE rows go over the nodes more often than a model may have"));
        return false;
    }
    first = QList<double>(size, 0.0);
    second = QList<double>(size, 0.0);
    third = QList<double>(size, 0.0);
    for (int k = 0; k < rows.size(); ++k) {
        const qsizetype i = index[size_t(k)];
        first[i] = rows.at(k).v[0];
        second[i] = rows.at(k).v[1];
        third[i] = rows.at(k).v[2];
    }
    return true;
}

// The file as it stands, section by section.
bool readSections(Reader &r, ProjectData &t, Parsed &f)
{
    Line title;
    if (!r.rawLine(title)) {
        r.fail(1, QStringLiteral("the file is empty"));
        return false;
    }

    r.setContext(QStringLiteral("the control lines"));
    QList<int> controlLines;
    r.trace(&controlLines);
    RecordLayout::controlLines(r, t.a, t.b, t.c, t.d, t.e);
    r.trace(nullptr);
    if (!r.ok())
        return false;
    f.countsLine = controlLines.value(1);
    f.levelsLine = controlLines.value(2);

    Line l;
    if (t.a[4] == 4 && r.peek(l) && headingOf(l) == NoHeading) {
        r.setContext(QStringLiteral("the modal damping"));
        for (int k = 1; r.ok() && r.moreFields(); ++k) {
            if (k > kMaxModes) {
                r.fail(r.recordLine(), QStringLiteral("%1 damping values are more than a model may have (%2)")
                                               .arg(k).arg(kMaxModes));
                break;
            }
            int mode = k;
            r.i(mode);
            if (r.ok() && mode != k)
                r.fail(r.recordLine(), QStringLiteral("mode %1 was expected, not %2").arg(k).arg(mode));
            double v = 0;
            r.d(v);
            t.dampList.append(v);
        }
        r.end("! user specified modal damping parameters");
        if (!r.ok())
            return false;
    }

    r.setContext(QStringLiteral("NODES"));
    if (!r.heading("NODES"))
        return false;
    f.nodesLine = r.recordLine();
    r.i(t.nodesIOut);
    r.end();
    if (!readRows<NodeRow>(r, QStringLiteral("a node"), QStringLiteral("nodes"), kMaxNodes, f.nodes, [&](NodeRow &n) {
            r.i(n.id);
            r.d(n.x);
            r.d(n.y);
            NodeData &v = n.values;
            r.i(v.nf1);
            r.i(v.nf2);
            r.i(v.nf3);
            r.i(v.kup1);
            r.i(v.kup2);
            r.i(v.kup3);
            r.i(v.iout);
        }))
        return false;
    Grid g;
    if (!buildGrid(r, t, f, g))
        return false;

    if (r.peek(l) && headingOf(l) == Drift) {
        r.setContext(QStringLiteral("DRIFT"));
        r.heading("DRIFT");
        f.drift = true;
        r.word("A", QStringLiteral("DRIFT A was expected"));
        r.end();
        r.setContext(QStringLiteral("DRIFT"));
        while (r.ok() && r.moreFields()) {
            int id = 0;
            r.i(id);
            f.driftIds.append(id);
            if (f.driftIds.size() > kMaxNodes)
                break;
        }
        f.driftLine = r.recordLine();
        r.end("! drift nodes");
        if (!r.ok())
            return false;
    }
    if (!checkDrift(r, t, f, g))
        return false;

    r.setContext(QStringLiteral("ELEMENTS"));
    if (!r.heading("ELEMENTS"))
        return false;
    r.i(t.elementsIOut);
    r.end();
    if (!readRows<MemberRow>(r, QStringLiteral("a member"), QStringLiteral("members"), kMaxMembers, f.members, [&](MemberRow &m) {
            BarData &b = m.bar;
            r.i(b.id);
            r.i(b.mTypeId);
            r.i(b.source);
            r.i(b.dest);
            r.i(b.node3);
            r.i(b.node4);
            r.i(b.iout);
        }))
        return false;
    if (!checkMembers(r, t, f, g))
        return false;

    r.setContext(QStringLiteral("PROPS"));
    if (!r.heading("PROPS"))
        return false;
    r.end();
    while (r.ok() && r.peek(l) && headingOf(l) != Weights) {
        const int k = int(t.memberTypes.size()) + 1;
        if (headingOf(l) != Title) {
            if (k == 1)
                r.fail(l.number, QStringLiteral("a member type (number, category and label) or WEIGHTS was expected"));
            else
                r.fail(l.number, QStringLiteral("member type %1 has no such line: the next member type or WEIGHTS "
                                                "was expected")
                                         .arg(k - 1));
            return false;
        }
        if (k > kMaxMemberTypes) {
            r.fail(l.number, QStringLiteral("%1 member types are more than a model may have").arg(k));
            return false;
        }
        int category = 0;
        QString label;
        if (!readTitle(r, k, category, label))
            return false;
        auto m = std::make_unique<Member>(k, category);
        m->setLabel(label);
        r.setContext(QStringLiteral("member type %1").arg(k));
        RecordLayout::memberBody(r, *m, t.a[4]);
        const int segments = ModelLimits::wallSegments(*m);
        if (r.ok() && segments > ModelLimits::kMaxWallSegments)
            r.fail(r.recordLine(), QStringLiteral("member type %1 has %2 wall segments, more than a model may have (%3)")
                                           .arg(k).arg(segments).arg(ModelLimits::kMaxWallSegments));
        t.memberTypes.append(m.get());
        t.ownedMembers.push_back(std::move(m));
    }
    if (!r.ok() || !checkTypes(r, t, f))
        return false;

    r.setContext(QStringLiteral("WEIGHTS"));
    if (!r.heading("WEIGHTS"))
        return false;
    const int weightsLine = r.recordLine();
    r.end();
    if (!readValueRows(r, "WEIGHTS", kMaxNodes, f.weights)
            || !valueLists(r, weightsLine, f.weights, g, false, 1, t.wx, t.wy, t.wd))
        return false;
    r.setContext(QStringLiteral("LOADS"));
    if (!r.heading("LOADS"))
        return false;
    const int loadsLine = r.recordLine();
    r.end();
    if (!readValueRows(r, "LOADS", kMaxNodes, f.loads)
            || !valueLists(r, loadsLine, f.loads, g, false, 1, t.fx, t.fy, t.fm))
        return false;

    const bool shapeWanted = t.a[5] < 0;
    const bool hasShape = r.peek(l) && headingOf(l) == Shape;
    if (hasShape && !shapeWanted) {
        r.fail(l.number, QStringLiteral("a SHAPE section needs IPVERT below 0 (it is %1)").arg(t.a[5]));
        return false;
    }
    if (shapeWanted) {
        r.setContext(QStringLiteral("SHAPE"));
        if (!hasShape) {
            r.fail(r.peek(l) ? l.number : r.lastLine(),
                   QStringLiteral("SHAPE was expected (IPVERT is %1)").arg(t.a[5]));
            return false;
        }
        r.heading("SHAPE");
        const int line = r.recordLine();
        f.alphaGiven = r.moreFields();
        if (f.alphaGiven)
            r.d(t.alpha);
        r.end();
        t.showAlpha = t.a[0] == 6 || t.a[0] == 8 || t.a[0] == 9;
        if (r.ok() && t.showAlpha && !f.alphaGiven)
            r.fail(line, QStringLiteral("the SHAPE line needs ALPHA with IPANAL %1").arg(t.a[0]));
        if (!readValueRows(r, "SHAPE", kMaxShapeRows, f.shape)
                || !valueLists(r, line, f.shape, g, true, -qint64(t.a[5]), t.shapeFx, t.shapeFy, t.shapeFm))
            return false;
    }

    if (!readQuakeName(r, t.quakeFile))
        return false;
    r.setContext(QStringLiteral("EQUAKE"));
    RecordLayout::quakeValues(r, t.quakeA, t.quakeB);
    if (r.ok() && r.peek(l))
        r.fail(l.number, QStringLiteral("unexpected text after the EQUAKE values"));
    return r.ok();
}

} // namespace

namespace AnalysisReader {

bool read(const QByteArray &content, ProjectData &out, QString *error, QStringList *warnings)
{
    ProjectData data;
    Parsed parsed;
    Reader reader(content);
    if (!readSections(reader, data, parsed)) {
        if (error)
            *error = reader.message();
        return false;
    }
    // An analysis file holds only what its dialogs accepted.
    data.controlSeted = data.driftSeted = data.quakeSeted = true;
    data.shapeEnabled = data.a[5] < 0;
    data.showAlpha = data.a[0] == 6 || data.a[0] == 8 || data.a[0] == 9;
    if (!parsed.alphaGiven)
        data.alpha = ShapeSettings().alpha;
    ModelCore::rebuildDerived(data);
    out = std::move(data);
    if (warnings)
        *warnings = parsed.warnings;
    return true;
}

bool readFile(const QString &fileName, ProjectData &out, QString *error, QStringList *warnings)
{
    QByteArray content;
    return FieldText::readWhole(fileName, ModelLimits::kMaxAnalysisFileSize, QStringLiteral("an analysis input file"),
                                content, error)
           && read(content, out, error, warnings);
}

} // namespace AnalysisReader
