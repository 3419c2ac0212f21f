// Reading a project file: every record checked, with the line of the first fault.

#include "projectfile.h"

#include "member.h"
#include "fieldtext.h"
#include "modellimits.h"
#include "projectdata.h"
#include "projectfileformat.h"
#include "recordlayout.h"

#include <QByteArray>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

using ProjectFileFormat::kNone;
using ProjectFileFormat::kNullName;

using ModelLimits::kMaxMemberTypes;
using ModelLimits::kMaxMembers;
using ModelLimits::kMaxModes;
using ModelLimits::kMaxShapeRows;
constexpr qint64 kMaxGridNodes = ModelLimits::kMaxNodes;

using FieldText::isBlank;
using FieldText::kMaxTextLength;
using FieldText::looksLikeUtf16;
using FieldText::parseDouble;
using FieldText::parseInt;
using FieldText::shown;
using FieldText::textProblem;
using FieldText::utf8Text;

// Whitespace-delimited tokens of the whole file, read once from the front.
// The first failure is kept; every read after it does nothing, so the
// record code can run straight on and check once.
class Reader
{
public:
    static constexpr bool reading = true;

    explicit Reader(const QByteArray &content)
        : p(content.constData()), stop(content.constData() + content.size())
    {
        // An editor may have put a byte-order mark in front.
        if (stop - p >= 3 && p[0] == '\xEF' && p[1] == '\xBB' && p[2] == '\xBF')
            p += 3;
        else if (looksLikeUtf16(p, stop - p))
            fail(1, QStringLiteral("the file is not UTF-8 text (it looks like UTF-16)"));
    }

    bool ok() const { return !failed; }
    QString message() const
    {
        return QStringLiteral("Line %1: %2").arg(errorLine).arg(errorText);
    }
    // Line of the last token read.
    int tokenLine() const { return lastLine; }

    void fail(int at, const QString &why)
    {
        if (failed)
            return;
        failed = true;
        errorLine = at;
        errorText = why;
    }
    void failHere(const QString &why) { fail(lastLine, why); }

    void i(int &v)
    {
        const char *b, *e;
        if (!next(b, e))
            return;
        bool overflow = false;
        if (parseInt(b, e, v, overflow))
            return;
        if (overflow)
            failHere(QStringLiteral("the number %1 is too large").arg(shown(b, e)));
        else
            failHere(QStringLiteral("a whole number was expected instead of \"%1\"").arg(shown(b, e)));
    }
    void d(double &v)
    {
        const char *b, *e;
        if (!next(b, e))
            return;
        if (!parseDouble(b, e, v))
            failHere(QStringLiteral("a number was expected instead of \"%1\"").arg(shown(b, e)));
        else if (!std::isfinite(v))
            failHere(QStringLiteral("a finite number was expected instead of \"%1\"").arg(shown(b, e)));
    }
    void zero(double &v) { d(v); }
    void ints(int *a, int from, int to)
    {
        for (int k = from; k <= to && !failed; ++k)
            i(a[k]);
    }
    void doubles(double *a, int from, int to)
    {
        for (int k = from; k <= to && !failed; ++k)
            d(a[k]);
    }
    void endl() {}
    void end(const char *) {}
    void end() {}
    void index(int) {}

    // A text field, `what` naming it in a refusal. With `quotable`, a token
    // that begins with a double quote runs to the matching quote, with \" and
    // \\ standing for " and \.
    void text(QString &v, const char *what, bool quotable, bool *wasQuoted = nullptr)
    {
        if (wasQuoted)
            *wasQuoted = false;
        if (failed)
            return;
        skipBlanks();
        // Beyond this many bytes no text can be short enough; nothing more is kept.
        constexpr qsizetype kMaxBytes = 4 * kMaxTextLength + 4;
        if (!quotable || p == stop || *p != '"') {
            const char *b, *e;
            if (next(b, e))
                takeText(v, what, b, std::min<qsizetype>(e - b, kMaxBytes), e - b > kMaxBytes);
            return;
        }
        lastLine = line;
        const int startLine = line;
        ++p;
        QByteArray bytes;
        bool cut = false;
        for (;;) {
            if (p == stop) {
                fail(startLine, QStringLiteral("a quoted text is not closed"));
                return;
            }
            const char c = *p;
            if (c == '\\' && stop - p >= 2 && (p[1] == '"' || p[1] == '\\')) {
                if (bytes.size() < kMaxBytes)
                    bytes += p[1];
                else
                    cut = true;
                p += 2;
                continue;
            }
            if (c == '"') {
                ++p;
                break;
            }
            countLineEnd();
            ++p;
            if (bytes.size() < kMaxBytes)
                bytes += c;
            else
                cut = true;
        }
        if (!takeText(v, what, bytes.constData(), bytes.size(), cut))
            return;
        if (p != stop && !isBlank(*p)) {
            fail(line, QStringLiteral("a blank was expected after a quoted text"));
            return;
        }
        if (wasQuoted)
            *wasQuoted = true;
    }

    // A count of items of `fieldsPerItem` fields each that are to follow.
    bool count(int &n, int fieldsPerItem)
    {
        n = 0;
        i(n);
        if (failed)
            return false;
        if (n < 0) {
            failHere(QStringLiteral("the count %1 is negative").arg(n));
            n = 0;
            return false;
        }
        return checkItems(n, fieldsPerItem);
    }
    // A count bounded by the model's limits, refused before the rows that
    // should follow are looked for.
    bool count(int &n, int fieldsPerItem, int most, const char *plural)
    {
        n = 0;
        i(n);
        if (!failed && n > most) {
            failHere(QStringLiteral("%1 %2 are more than a project may have (%3)")
                             .arg(n).arg(QLatin1String(plural)).arg(most));
            n = 0;
            return false;
        }
        if (!failed && n < 0) {
            failHere(QStringLiteral("the count %1 is negative").arg(n));
            n = 0;
            return false;
        }
        return checkItems(n, fieldsPerItem);
    }
    // Whether n items of `fieldsPerItem` fields can still follow; a count
    // beyond that is refused before anything is reserved for it.
    bool checkItems(int &n, int fieldsPerItem)
    {
        if (failed) {
            n = 0;
            return false;
        }
        if (qint64(n) * fieldsPerItem > maxTokensLeft()) {
            failHere(QStringLiteral("the count %1 is more than the rest of the file holds").arg(n));
            n = 0;
            return false;
        }
        return true;
    }

    // After the last record only blanks may follow.
    void finish()
    {
        if (failed)
            return;
        skipBlanks();
        if (p != stop)
            fail(line, QStringLiteral("unexpected text after the end of the project"));
    }

private:
    // A line ends at a line feed, a carriage return and line feed, or a lone
    // carriage return.
    void countLineEnd()
    {
        if (*p == '\n' || (*p == '\r' && (p + 1 == stop || p[1] != '\n')))
            ++line;
    }
    void skipBlanks()
    {
        while (p != stop && isBlank(*p)) {
            countLineEnd();
            ++p;
        }
    }
    bool takeText(QString &v, const char *what, const char *b, qsizetype n, bool cut)
    {
        QString s;
        const bool valid = utf8Text(b, n, s);
        const QString problem = textProblem(s, valid, cut);
        if (!problem.isEmpty()) {
            failHere(QStringLiteral("%1 %2").arg(QLatin1String(what), problem));
            return false;
        }
        v = s;
        return true;
    }
    bool next(const char *&b, const char *&e)
    {
        if (failed)
            return false;
        skipBlanks();
        if (p == stop) {
            fail(line, QStringLiteral("the file ends before the project is complete"));
            return false;
        }
        lastLine = line;
        b = p;
        while (p != stop && !isBlank(*p))
            ++p;
        e = p;
        return true;
    }
    // Every token takes at least one character and one separator.
    qint64 maxTokensLeft() const { return (qint64(stop - p) + 1) / 2; }

    const char *p;
    const char *stop;
    int line = 1;
    int lastLine = 1;
    bool failed = false;
    int errorLine = 0;
    QString errorText;
};

// The count of grid lines, bounded like the grid itself.
bool readLineCount(Reader &r, int &n)
{
    if (!r.count(n, 1))
        return false;
    if (n > kMaxGridNodes) {
        r.failHere(QStringLiteral("%1 grid lines are more than a project may have").arg(n));
        return false;
    }
    return true;
}

// Grid line texts, kept as typed; each must be a coordinate, and no two
// the same line: they would put two nodes at one place.
bool readGridLines(Reader &r, const char *axis, QStringList &texts, int n)
{
    texts.reserve(n);
    std::vector<int> lines;
    lines.reserve(size_t(n));
    for (int k = 0; k < n && r.ok(); ++k) {
        QString s;
        r.text(s, "the grid line", false);
        bool isNumber = false;
        const double v = s.toDouble(&isNumber);
        if (r.ok() && (!isNumber || !std::isfinite(v)))
            r.failHere(QStringLiteral("the grid line \"%1\" is not a finite number").arg(s.left(24)));
        texts.append(s);
        lines.push_back(r.tokenLine());
    }
    if (!r.ok())
        return false;
    qsizetype earlier = -1;
    const qsizetype repeat = FieldText::repeatedGridLine(texts, &earlier);
    if (repeat >= 0) {
        r.fail(lines[size_t(repeat)], QStringLiteral("the %1 grid line \"%2\" is the same as \"%3\"")
                                              .arg(QLatin1String(axis), texts.at(repeat).left(24),
                                                   texts.at(earlier).left(24)));
        return false;
    }
    return true;
}

// Loads and weights: one line of three values per node at most.
bool readTriples(Reader &r, const char *what, int nodeCount, QList<double> &a, QList<double> &b,
                 QList<double> &c)
{
    int n = 0;
    if (!r.count(n, 3))
        return false;
    if (n > nodeCount) {
        r.failHere(QStringLiteral("there are more %1 (%2) than nodes (%3)")
                           .arg(QLatin1String(what)).arg(n).arg(nodeCount));
        return false;
    }
    a.reserve(n);
    b.reserve(n);
    c.reserve(n);
    for (int k = 0; k < n && r.ok(); ++k) {
        double x = 0, y = 0, z = 0;
        r.d(x);
        r.d(y);
        r.d(z);
        a.append(x);
        b.append(y);
        c.append(z);
    }
    return r.ok();
}

// Reads node ids of a member: `lowest` is 1 for the end nodes, 0 for the
// optional third and fourth nodes.
void readNodeId(Reader &r, int &id, int lowest, int gridNodes)
{
    r.i(id);
    if (r.ok() && (id < lowest || id > gridNodes))
        r.failHere(QStringLiteral("node %1 does not exist").arg(id));
}

// A coupling: a positive value is the id of the node coupled to, a negative
// one a code (support node, input displacement).
void readKup(Reader &r, int &kup, int which, int gridNodes)
{
    r.i(kup);
    if (r.ok() && kup > gridNodes)
        r.failHere(QStringLiteral("KUP%1 names node %2, which does not exist").arg(which).arg(kup));
}

bool readProject(Reader &r, ProjectData &t)
{
    RecordLayout::controlLines(r, t.a, t.b, t.c, t.d, t.e);
    if (!r.ok())
        return false;

    if (t.a[4] == 4) {
        int k = 0;
        if (!r.count(k, 1, kMaxModes, "damping values"))
            return false;
        t.dampList.reserve(k);
        for (int j = 0; j < k && r.ok(); ++j) {
            double v = 0;
            r.d(v);
            t.dampList.append(v);
        }
    }

    int nx = 0, ny = 0;
    if (!readLineCount(r, nx) || !readGridLines(r, "X", t.XLines, nx) || !readLineCount(r, ny))
        return false;
    const qint64 gridNodes = qint64(nx) * qint64(ny);
    if (gridNodes > kMaxGridNodes) {
        r.failHere(QStringLiteral("the grid has %1 nodes, more than a project may have (%2)")
                           .arg(gridNodes)
                           .arg(kMaxGridNodes));
        return false;
    }
    if (!readGridLines(r, "Y", t.YLines, ny))
        return false;
    const int nodeCount = int(gridNodes);

    r.text(t.drift, "the drift choice", false);
    if (r.ok() && t.drift != kNone) {
        const int driftLine = r.tokenLine();
        bool isNumber = false;
        const int column = t.drift.toInt(&isNumber);
        // Only the column ids the drift dialog offers: "1", "2", ...
        if (!isNumber || QString::number(column) != t.drift)
            r.fail(driftLine, QStringLiteral("unknown drift choice \"%1\"").arg(t.drift.left(24)));
        else if (column < 1 || column > t.XLines.size())
            r.fail(driftLine, QStringLiteral("the drift column %1 is not a column of the grid").arg(column));
    }
    int driftFlag = 0;
    r.i(driftFlag);
    if (t.drift == kNone)
        t.kup1AutomaticallyTo0 = driftFlag != 0;
    else
        t.kup1Automatically = driftFlag != 0;
    r.i(t.nodesIOut);
    r.i(t.elementsIOut);
    if (!r.ok())
        return false;

    int n = 0;
    if (!r.count(n, 7))
        return false;
    if (n > nodeCount) {
        r.failHere(QStringLiteral("the file holds %1 nodes but the grid has only %2").arg(n).arg(nodeCount));
        return false;
    }
    t.nodes.reserve(n);
    for (int k = 0; k < n && r.ok(); ++k) {
        NodeData node;
        r.i(node.nf1);
        r.i(node.nf2);
        r.i(node.nf3);
        readKup(r, node.kup1, 1, nodeCount);
        readKup(r, node.kup2, 2, nodeCount);
        readKup(r, node.kup3, 3, nodeCount);
        r.i(node.iout);
        t.nodes.append(node);
    }

    int typeCount = 0;
    if (!r.count(typeCount, 3))
        return false;
    if (typeCount > kMaxMemberTypes) {
        r.failHere(QStringLiteral("%1 member types are more than a project may have").arg(typeCount));
        return false;
    }
    t.memberTypes.reserve(typeCount);
    t.ownedMembers.reserve(size_t(typeCount));
    for (int k = 0; k < typeCount; ++k) {
        int id = 0, type = 0;
        r.i(id);
        if (r.ok() && id != k + 1)
            r.failHere(QStringLiteral("member type %1 was expected, not %2").arg(k + 1).arg(id));
        r.i(type);
        if (r.ok() && Member::categoryCaption(type).isEmpty())
            r.failHere(QStringLiteral("unknown member category %1").arg(type));
        QString label;
        r.text(label, "the member type label", true);
        if (!r.ok())
            return false;
        auto m = std::make_unique<Member>(id, type);
        m->setLabel(label);
        RecordLayout::memberBody(r, *m, t.a[4]);
        if (r.ok() && ModelLimits::wallSegments(*m) > ModelLimits::kMaxWallSegments)
            r.failHere(QStringLiteral("member type %1 has %2 wall segments, more than a project may have (%3)")
                               .arg(id).arg(ModelLimits::wallSegments(*m)).arg(ModelLimits::kMaxWallSegments));
        if (!r.ok())
            return false;
        t.memberTypes.append(m.get());
        t.ownedMembers.push_back(std::move(m));
    }

    int barCount = 0;
    if (!r.count(barCount, 7, kMaxMembers, "members"))
        return false;
    t.bars.reserve(barCount);
    // Member by its two end nodes, the lower id first.
    QHash<quint64, int> joined;
    joined.reserve(barCount);
    for (int k = 0; k < barCount && r.ok(); ++k) {
        BarData b;
        r.i(b.id);
        if (r.ok() && b.id != k + 1)
            r.failHere(QStringLiteral("member %1 was expected, not %2").arg(k + 1).arg(b.id));
        r.i(b.mTypeId);
        if (r.ok() && (b.mTypeId < 0 || b.mTypeId > typeCount))
            r.failHere(QStringLiteral("member type %1 does not exist").arg(b.mTypeId));
        readNodeId(r, b.source, 1, nodeCount);
        readNodeId(r, b.dest, 1, nodeCount);
        if (r.ok() && b.source == b.dest)
            r.failHere(QStringLiteral("member %1 joins node %2 to itself").arg(b.id).arg(b.source));
        if (r.ok()) {
            const quint64 ends = quint64(std::min(b.source, b.dest)) << 32 | quint32(std::max(b.source, b.dest));
            const auto first = joined.constFind(ends);
            if (first != joined.cend())
                r.failHere(QStringLiteral("member %1 joins the same nodes as member %2").arg(b.id).arg(*first));
            else
                joined.insert(ends, b.id);
        }
        readNodeId(r, b.node3, 0, nodeCount);
        readNodeId(r, b.node4, 0, nodeCount);
        r.i(b.iout);
        t.bars.append(b);
    }
    if (!r.ok())
        return false;

    if (!readTriples(r, "loads", nodeCount, t.fx, t.fy, t.fm)
            || !readTriples(r, "weights", nodeCount, t.wx, t.wy, t.wd))
        return false;

    t.shapeEnabled = t.a[5] < 0;
    // ALPHA is active for the IPANAL choices 6, 8 and 9, as the control
    // options set it when they are shown.
    t.showAlpha = t.a[0] == 6 || t.a[0] == 8 || t.a[0] == 9;
    if (t.shapeEnabled) {
        int s = 0;
        r.i(s);
        r.d(t.alpha);
        if (r.ok() && s < 0)
            r.failHere(QStringLiteral("the count %1 is negative").arg(s));
        if (r.ok() && s > kMaxShapeRows) {
            r.failHere(QStringLiteral("%1 SHAPE rows are more than a project may have (%2)").arg(s).arg(kMaxShapeRows));
            return false;
        }
        if (!r.checkItems(s, 3))
            return false;
        t.shapeFx.reserve(s);
        t.shapeFy.reserve(s);
        t.shapeFm.reserve(s);
        for (int k = 0; k < s && r.ok(); ++k) {
            double x = 0, y = 0, z = 0;
            r.d(x);
            r.d(y);
            r.d(z);
            t.shapeFx.append(x);
            t.shapeFy.append(y);
            t.shapeFm.append(z);
        }
    }

    RecordLayout::quakeValues(r, t.quakeA, t.quakeB);
    bool wasQuoted = false;
    QString name;
    r.text(name, "the earthquake record name", true, &wasQuoted);
    t.quakeFile = (!wasQuoted && name == kNullName) ? QString() : FieldText::recordName(name);

    int flags[3] = {0, 0, 0};
    r.ints(flags, 0, 2);
    t.controlSeted = flags[0] != 0;
    t.driftSeted = flags[1] != 0;
    t.quakeSeted = flags[2] != 0;

    r.finish();
    return r.ok();
}

bool looksLikeAnalysisFile(const QByteArray &content)
{
    // The title line Generate writes, or a NODES section: a project has neither.
    const qsizetype firstEnd = content.indexOf('\n');
    if (content.left(firstEnd < 0 ? content.size() : firstEnd).trimmed() == "Project by Gui for Taliskor2D")
        return true;
    for (const QByteArray &line : content.split('\n')) {
        const QByteArray word = line.trimmed().split('\t').value(0).trimmed();
        if (word == "NODES")
            return true;
    }
    return false;
}

} // namespace

namespace ProjectFile {

bool read(const QByteArray &content, ProjectData &out, QString *error)
{
    ProjectData data;
    Reader reader(content);
    if (!readProject(reader, data)) {
        if (error)
            *error = reader.message();
        return false;
    }
    ModelCore::rebuildDerived(data);
    out = std::move(data);
    return true;
}

bool readFile(const QString &fileName, ProjectData &out, QString *error)
{
    QByteArray content;
    if (!FieldText::readWhole(fileName, ModelLimits::kMaxProjectFileSize, QStringLiteral("a project file"), content,
                              error))
        return false;
    if (read(content, out, error))
        return true;
    if (error && looksLikeAnalysisFile(content))
        *error = QStringLiteral("%1 looks like an analysis input file, not a project: "
                                "use File \u2192 Import Analysis File\u2026 (--import)")
                     .arg(QFileInfo(fileName).fileName());
    return false;
}

} // namespace ProjectFile
