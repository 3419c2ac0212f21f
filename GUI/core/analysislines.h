#ifndef ANALYSISLINES_H
#define ANALYSISLINES_H

// The analysis file taken line by line and token by token, keeping the line
// and the reason of the first failure: what the importer builds its model from.

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

namespace AnalysisLines {

using FieldText::isBlank;

// The bounds of the project reader: a model that could not be saved and
// reopened is not made.
using ModelLimits::kMaxMemberTypes;
using ModelLimits::kMaxMembers;
using ModelLimits::kMaxModes;
using ModelLimits::kMaxNodes;
using ModelLimits::kMaxShapeRows;

const char *const kSections[] = {"NODES", "DRIFT", "ELEMENTS", "PROPS", "WEIGHTS", "LOADS", "SHAPE", "EQUAKE"};
enum Section { Nodes, Drift, Elements, Props, Weights, Loads, Shape, Equake, Title = 100, NoHeading = -1 };
const char *const kCategories[] = {"FRAME", "SPRING", "WALL", "DAMPER", "MULTISPRING", "REINFORCED"};

inline bool same(const char *b, const char *e, const char *word)
{
    const size_t n = std::strlen(word);
    return size_t(e - b) == n && std::memcmp(b, word, n) == 0;
}

inline int categoryOf(const char *b, const char *e)
{
    for (int k = 0; k < 6; ++k) {
        if (same(b, e, kCategories[k]))
            return k;
    }
    return -1;
}

// One line of the file. `end` stops at a comment, `rawEnd` at the line end.
struct Line {
    const char *b = nullptr;
    const char *end = nullptr;
    const char *rawEnd = nullptr;
    int number = 0;
};

// The next token of [p, e) from p on; false when only blanks are left.
inline bool nextToken(const char *&p, const char *e, const char *&tb, const char *&te)
{
    while (p != e && isBlank(*p))
        ++p;
    if (p == e)
        return false;
    tb = p;
    while (p != e && !isBlank(*p))
        ++p;
    te = p;
    return true;
}

// What a line starts: a section, a member type's title, or neither.
inline int headingOf(const Line &l)
{
    const char *p = l.b;
    const char *b = nullptr, *e = nullptr;
    if (!nextToken(p, l.end, b, e))
        return NoHeading;
    for (int k = 0; k < 8; ++k) {
        if (same(b, e, kSections[k]))
            return k;
    }
    int n = 0;
    bool overflow = false;
    if (!FieldText::parseInt(b, e, n, overflow) && !overflow)
        return NoHeading;
    if (nextToken(p, l.end, b, e) && categoryOf(b, e) >= 0)
        return Title;
    return NoHeading;
}

// The lines of the file, read once from the front, and the visitor that
// reads the shared record layouts from them: each record is one line of
// numbers; blank lines and comments are skipped. The first failure is kept;
// every read after it does nothing.
class Reader
{
public:
    static constexpr bool reading = true;

    explicit Reader(const QByteArray &content)
        : pos(content.constData()), stop(content.constData() + content.size())
    {
        if (stop - pos >= 3 && pos[0] == '\xEF' && pos[1] == '\xBB' && pos[2] == '\xBF')
            pos += 3;
        else if (FieldText::looksLikeUtf16(pos, stop - pos))
            fail(1, QStringLiteral("the file is not UTF-8 text (it looks like UTF-16)"));
    }

    bool ok() const { return !failed; }
    QString message() const { return QStringLiteral("Line %1: %2").arg(errorLine).arg(errorText); }
    void fail(int line, const QString &why)
    {
        if (failed)
            return;
        failed = true;
        errorLine = line;
        errorText = why;
    }
    // The line of the record read last.
    int recordLine() const { return lastRecord; }
    int lastLine() const { return lineNumber - 1 > 0 ? lineNumber - 1 : 1; }

    // The next physical line whatever it holds; false at the end.
    bool rawLine(Line &l)
    {
        peeked = false;
        return scan(l);
    }

    // The next line holding more than blanks and a comment, left in place
    // until take(); false at the end of the file.
    bool peek(Line &l)
    {
        if (peeked) {
            l = peekedLine;
            return true;
        }
        const char *save = pos;
        const int saveNumber = lineNumber;
        Line r;
        while (scan(r)) {
            const char *p = r.b;
            const char *b = nullptr, *e = nullptr;
            if (nextToken(p, r.end, b, e)) {
                peekedLine = r;
                afterPeek = pos;
                afterPeekNumber = lineNumber;
                pos = save;
                lineNumber = saveNumber;
                peeked = true;
                l = r;
                return true;
            }
        }
        return false;
    }
    void take()
    {
        if (!peeked)
            return;
        pos = afterPeek;
        lineNumber = afterPeekNumber;
        peeked = false;
    }

    // What the records that follow belong to, for the messages.
    void setContext(const QString &what) { context = what; }

    // A heading line: its first field must be `word`.
    bool heading(const char *word)
    {
        Line l;
        if (failed)
            return false;
        if (!peek(l)) {
            fail(lastLine(), QStringLiteral("the file ends before %1").arg(QLatin1String(word)));
            return false;
        }
        take();
        startRecord(l);
        const char *b = nullptr, *e = nullptr;
        if (!field(b, e) || !same(b, e, word)) {
            fail(l.number, QStringLiteral("%1 was expected").arg(QLatin1String(word)));
            return false;
        }
        return true;
    }
    // The next field must be `word`.
    void word(const char *word, const QString &what)
    {
        const char *b = nullptr, *e = nullptr;
        if (field(b, e) && !same(b, e, word))
            fail(current.number, what);
    }

    // Whether the record's line has another field.
    bool moreFields()
    {
        begin();
        if (failed || missing || shortLine)
            return false;
        const char *p = tp;
        const char *b = nullptr, *e = nullptr;
        return nextToken(p, current.end, b, e);
    }

    void i(int &v)
    {
        const char *b = nullptr, *e = nullptr;
        if (!field(b, e))
            return;
        bool overflow = false;
        if (FieldText::parseInt(b, e, v, overflow))
            return;
        if (overflow)
            fail(current.number, QStringLiteral("the number %1 is too large").arg(FieldText::shown(b, e)));
        else
            fail(current.number,
                 QStringLiteral("a whole number was expected instead of \"%1\"").arg(FieldText::shown(b, e)));
    }
    void d(double &v)
    {
        const char *b = nullptr, *e = nullptr;
        if (!field(b, e))
            return;
        if (!FieldText::parseDouble(b, e, v))
            fail(current.number, QStringLiteral("a number was expected instead of \"%1\"").arg(FieldText::shown(b, e)));
        else if (!std::isfinite(v))
            fail(current.number,
                 QStringLiteral("a finite number was expected instead of \"%1\"").arg(FieldText::shown(b, e)));
    }
    void zero(double &v) { d(v); }
    void ints(int *a, int from, int to)
    {
        for (int k = from; k <= to; ++k)
            i(a[k]);
    }
    void doubles(double *a, int from, int to)
    {
        for (int k = from; k <= to; ++k)
            d(a[k]);
    }
    void index(int k)
    {
        int v = k;
        i(v);
        if (v != k)
            fail(current.number, QStringLiteral("segment %1 was expected, not %2").arg(k).arg(v));
    }
    // Rows still to come are read one line each: a count beyond the file
    // fails at the first line that is not there.
    bool checkItems(int &, int) { return !failed; }

    void end(const char *comment) { finish(comment); }
    void end() { finish(nullptr); }

    // Lines of the records ended while tracing, for messages about them later.
    void trace(QList<int> *lines) { traced = lines; }

private:
    bool scan(Line &l)
    {
        if (pos == stop)
            return false;
        l.b = pos;
        while (pos != stop && *pos != '\n' && *pos != '\r')
            ++pos;
        l.rawEnd = pos;
        const char *bang = static_cast<const char *>(std::memchr(l.b, '!', size_t(l.rawEnd - l.b)));
        l.end = bang ? bang : l.rawEnd;
        l.number = lineNumber++;
        // A line ends at a line feed, a carriage return and line feed, or a lone carriage return.
        if (pos != stop && *pos++ == '\r' && pos != stop && *pos == '\n')
            ++pos;
        return true;
    }
    void startRecord(const Line &l)
    {
        inRecord = true;
        missing = false;
        shortLine = false;
        wanted = 0;
        current = l;
        tp = l.b;
        lastRecord = l.number;
    }
    // A record begins at the next line of numbers; a heading or the end of
    // the file there means the line is missing.
    void begin()
    {
        if (inRecord || failed)
            return;
        Line l;
        if (!peek(l)) {
            startRecord(Line());
            missing = true;
            missingAt = lastLine();
            missingBefore.clear();
            return;
        }
        const int h = headingOf(l);
        if (h != NoHeading) {
            startRecord(Line());
            missing = true;
            missingAt = l.number;
            if (h == Title) {
                const char *p = l.b;
                const char *b = nullptr, *e = nullptr;
                nextToken(p, l.end, b, e);
                missingBefore = QStringLiteral("member type ") + QString::fromLatin1(b, int(e - b));
            } else {
                missingBefore = QLatin1String(kSections[h]);
            }
            return;
        }
        take();
        startRecord(l);
    }
    bool field(const char *&b, const char *&e)
    {
        begin();
        ++wanted;
        if (failed || missing || shortLine)
            return false;
        if (!nextToken(tp, current.end, b, e)) {
            shortLine = true;
            return false;
        }
        return true;
    }
    // "elastic section properties" from "\t\t! elastic section properties\n".
    static QString describe(const char *comment)
    {
        QString s = QString::fromLatin1(comment).trimmed();
        if (s.startsWith(QLatin1Char('!')))
            s = s.mid(1).trimmed();
        return s;
    }
    void finish(const char *comment)
    {
        begin();
        inRecord = false;
        if (failed)
            return;
        if (traced)
            traced->append(current.number);
        const QString what = comment ? QStringLiteral("the %1 line").arg(describe(comment))
                                     : QStringLiteral("a line of %1 fields").arg(wanted);
        if (missing) {
            if (missingBefore.isEmpty())
                fail(missingAt, QStringLiteral("the file ends before %1 of %2").arg(what, context));
            else
                fail(missingAt, QStringLiteral("%1 of %2 is missing before %3").arg(what, context, missingBefore));
            return;
        }
        int have = wanted;
        if (shortLine) {
            have = 0;
            const char *p = current.b;
            const char *b = nullptr, *e = nullptr;
            while (nextToken(p, current.end, b, e))
                ++have;
        } else {
            const char *b = nullptr, *e = nullptr;
            while (nextToken(tp, current.end, b, e))
                ++have;
        }
        if (have != wanted) {
            fail(current.number, QStringLiteral("%1 fields were expected, not %2 (%3 of %4)")
                                     .arg(wanted)
                                     .arg(have)
                                     .arg(comment ? describe(comment) : QStringLiteral("a line"), context));
        }
    }

    const char *pos;
    const char *stop;
    QList<int> *traced = nullptr;
    int lineNumber = 1;
    bool peeked = false;
    Line peekedLine;
    const char *afterPeek = nullptr;
    int afterPeekNumber = 0;

    QString context;
    bool inRecord = false;
    bool missing = false;
    bool shortLine = false;
    int wanted = 0;
    Line current;
    const char *tp = nullptr;
    int missingAt = 0;
    QString missingBefore;
    int lastRecord = 0;

    bool failed = false;
    int errorLine = 0;
    QString errorText;
};

} // namespace AnalysisLines

#endif // ANALYSISLINES_H
