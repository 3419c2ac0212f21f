#include "projectfile.h"

#include "member.h"
#include "numbertext.h"
#include "outputfile.h"
#include "tabline.h"
#include "projectdata.h"

#include <QByteArrayView>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

// Largest grid a project may describe. Opening rebuilds one node per grid
// intersection, so a bogus pair of line counts must not make us allocate
// billions of nodes; a million is far beyond any frame drawn by hand.
constexpr qint64 kMaxGridNodes = 1000000;

// Every member type record carries all hysteresis arrays, some thirty times
// the size of its shortest block in the file; keep bogus counts bounded.
constexpr int kMaxMemberTypes = 100000;

// Even the largest grid gives a file of some tens of megabytes; anything far
// beyond that is refused before it is read into memory.
constexpr qint64 kMaxFileSize = 256 * 1024 * 1024;

const QLatin1String kNone("None");
const QLatin1String kNullName("NULL!NULL");

// ---------------------------------------------------------------------------
// Texts

// A text that the token reader would split, lose or mistake for a quoted
// text goes into double quotes; everything else is written as it is.
bool needsQuotes(const QString &s)
{
    if (s.isEmpty() || s.startsWith(QLatin1Char('"')))
        return true;
    for (const QChar c : s) {
        if (c.isSpace())
            return true;
    }
    return false;
}

QString quoted(const QString &s)
{
    QString q;
    q.reserve(s.size() + 2);
    q += QLatin1Char('"');
    for (const QChar c : s) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            q += QLatin1Char('\\');
        q += c;
    }
    q += QLatin1Char('"');
    return q;
}

QString fileText(const QString &s)
{
    return needsQuotes(s) ? quoted(s) : s;
}

// The earthquake record name: empty or 1 to 7 blanks stand as NULL!NULL. A
// record really named NULL!NULL is quoted, or it would open as no name.
QString quakeNameText(const QString &name)
{
    if (name.size() <= 7 && name.count(QLatin1Char(' ')) == name.size())
        return kNullName;
    if (name == kNullName)
        return quoted(name);
    return fileText(name);
}

// ---------------------------------------------------------------------------
// Writing

// The writing side of the record visitor: fields of one tab-separated line.
class Writer : public TabLine
{
public:
    static constexpr bool reading = false;

    using TabLine::TabLine;

    // A field the format fixes at 0 whatever the record holds.
    void zero(double)
    {
        sep();
        out << '0';
    }
    void endl() { end(); }
};

// ---------------------------------------------------------------------------
// Reading

// QString::fromUtf8 drops a byte-order mark at the start of its input; inside
// the file such a mark belongs to a text and must survive a save. False for
// bytes that are not UTF-8.
bool utf8Text(const char *b, qsizetype n, QString &v)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    v = decoder.decode(QByteArrayView(b, n));
    return !decoder.hasError();
}

// Labels and record names go into the analysis file as they are: a line
// break or another control character there would corrupt its lines. No text
// needs more than a thousand characters; a huge one only costs memory.
constexpr int kMaxTextLength = 1000;

// C0 controls, DEL and C1 controls.
bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

QString controlName(char32_t c)
{
    switch (c) {
    case '\n': case '\r': return QStringLiteral("a line break");
    case '\t': return QStringLiteral("a tab");
    case 0: return QStringLiteral("a NUL character");
    default:
        return QStringLiteral("the control character U+%1")
                .arg(QString::number(uint(c), 16).toUpper(), 4, QLatin1Char('0'));
    }
}

// Why a text cannot be taken, or empty. `cut`: the text was longer than
// the part of it that was kept.
QString textProblem(const QString &s, bool validUtf8, bool cut)
{
    if (cut)
        return QStringLiteral("is longer than %1 characters").arg(kMaxTextLength);
    if (!validUtf8)
        return QStringLiteral("is not valid UTF-8");
    qsizetype length = 0;
    for (const QChar c : s) {
        if (isControl(c.unicode()))
            return QStringLiteral("holds ") + controlName(c.unicode());
        if (!c.isLowSurrogate())
            ++length;
    }
    if (length > kMaxTextLength)
        return QStringLiteral("is longer than %1 characters").arg(kMaxTextLength);
    return QString();
}

// A project starts with digits: UTF-16 shows as a byte-order mark or as a NUL
// at every other byte.
bool looksLikeUtf16(const char *p, qsizetype n)
{
    if (n >= 2 && ((p[0] == '\xFF' && p[1] == '\xFE') || (p[0] == '\xFE' && p[1] == '\xFF')))
        return true;
    const qsizetype m = std::min<qsizetype>(n, 64) & ~qsizetype(1);
    bool even = m > 0, odd = m > 0;
    for (qsizetype k = 0; k < m; k += 2) {
        even = even && p[k] == 0;
        odd = odd && p[k + 1] == 0;
    }
    return even || odd;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool parseInt(const char *b, const char *e, int &v, bool &overflow)
{
    overflow = false;
    bool negative = false;
    if (b < e && (*b == '+' || *b == '-')) {
        negative = *b == '-';
        ++b;
    }
    if (b == e)
        return false;
    qint64 value = 0;
    for (; b < e; ++b) {
        if (*b < '0' || *b > '9')
            return false;
        if (!overflow) {
            value = value * 10 + (*b - '0');
            if (value > qint64(std::numeric_limits<int>::max()) + 1)
                overflow = true;
        }
    }
    if (overflow)
        return false;
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
        overflow = true;
        return false;
    }
    v = int(value);
    return true;
}

// Decimal numbers as QString::toDouble reads them in the C locale. Of the
// special values only the writer's own spellings "nan", "inf" and "-inf"
// parse, so that the reader can refuse them as not finite.
bool parseDouble(const char *b, const char *e, double &v)
{
    for (const char *c = b; c < e; ++c) {
        const char ch = *c;
        const bool allowed = (ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == '.'
                || ch == 'e' || ch == 'E' || ch == 'n' || ch == 'a' || ch == 'i' || ch == 'f';
        if (!allowed)
            return false;
    }
    bool ok = false;
    const double value = QByteArrayView(b, e - b).toDouble(&ok);
    if (!ok)
        return false;
    v = value;
    return true;
}

// Whitespace-delimited tokens of the whole file, read once from the front.
// The first failure is kept; every read after it does nothing, so the
// record code can run straight on and check once.
class Reader
{
public:
    static constexpr bool reading = true;

    explicit Reader(const QByteArray &content)
        : p(content.constData()), end(content.constData() + content.size())
    {
        // An editor may have put a byte-order mark in front.
        if (end - p >= 3 && p[0] == '\xEF' && p[1] == '\xBB' && p[2] == '\xBF')
            p += 3;
        else if (looksLikeUtf16(p, end - p))
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
        if (!quotable || p == end || *p != '"') {
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
            if (p == end) {
                fail(startLine, QStringLiteral("a quoted text is not closed"));
                return;
            }
            const char c = *p;
            if (c == '\\' && end - p >= 2 && (p[1] == '"' || p[1] == '\\')) {
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
        if (p != end && !isBlank(*p)) {
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
        if (p != end)
            fail(line, QStringLiteral("unexpected text after the end of the project"));
    }

private:
    // A line ends at a line feed, a carriage return and line feed, or a lone
    // carriage return.
    void countLineEnd()
    {
        if (*p == '\n' || (*p == '\r' && (p + 1 == end || p[1] != '\n')))
            ++line;
    }
    void skipBlanks()
    {
        while (p != end && isBlank(*p)) {
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
        if (p == end) {
            fail(line, QStringLiteral("the file ends before the project is complete"));
            return false;
        }
        lastLine = line;
        b = p;
        while (p != end && !isBlank(*p))
            ++p;
        e = p;
        return true;
    }
    // Every token takes at least one character and one separator.
    qint64 maxTokensLeft() const { return (qint64(end - p) + 1) / 2; }

    // A token as a message shows it: short, and no control character.
    static QString shown(const char *b, const char *e)
    {
        constexpr qint64 kMax = 24;
        QString s = QString::fromUtf8(b, std::min<qint64>(e - b, kMax));
        for (QChar &c : s) {
            if (isControl(c.unicode()))
                c = QChar::ReplacementCharacter;
        }
        return e - b <= kMax ? s : s + QLatin1String("...");
    }

    const char *p;
    const char *end;
    int line = 1;
    int lastLine = 1;
    bool failed = false;
    int errorLine = 0;
    QString errorText;
};

// ---------------------------------------------------------------------------
// Member-type blocks, one description for both directions: the writer reads
// every value and the condition that follows it from the record; the reader
// stores each value before the condition that depends on it is decided.

template <class IO, class M>
void scalar(IO &io, M &m, int (Member::*get)() const, void (Member::*set)(int))
{
    int v = (m.*get)();
    io.i(v);
    if constexpr (IO::reading)
        (m.*set)(v);
}

// Degradation values: five past 3, four from 1 to 3, none otherwise.
template <class IO, class P>
void degLine(IO &io, P *values, int governing)
{
    if (governing > 3) {
        io.doubles(values, 0, 4);
        io.endl();
    } else if (governing >= 1) {
        io.doubles(values, 0, 3);
        io.endl();
    }
}

template <class IO, class M>
void materialDampingLine(IO &io, M &m, int ictype)
{
    if (ictype == 5 || ictype == 7) {
        io.doubles(m.getFrameIC(), 0, 2);
        io.endl();
    }
}

template <class IO, class M>
void rule5Line(IO &io, M &m)
{
    auto *a = m.getihyst5A();
    auto *b = m.getihyst5B();
    io.d(a[0]);
    io.d(a[1]);
    io.i(b[0]);
    io.doubles(a, 2, 4);
    io.i(b[1]);
    io.endl();
}

template <class IO, class M>
void hysteresisLine(IO &io, M &m, int rule, bool spring)
{
    switch (rule) {
    case 4:
        io.doubles(m.getTakeda(), 0, 2);
        scalar(io, m, &Member::getTakKKK, &Member::setTakKKK);
        break;
    case 5:
        rule5Line(io, m);
        return;
    case 8:
        io.doubles(m.getSina(), 0, 4);
        break;
    case 31:
        if (spring)
            return;
        io.doubles(m.getmSina(), 0, 2);
        break;
    case 32:
        io.doubles(m.getmBilinear(), 0, 1);
        break;
    case 35:
        io.doubles(m.getihyst35(), 0, 2);
        break;
    case 39:
        io.doubles(m.getihyst39(), 0, 3);
        break;
    case 53: {
        if (!spring)
            return;
        auto *a = m.getihyst53A();
        auto *b = m.getihyst53B();
        io.ints(a, 0, 1);
        io.doubles(b, 0, 5);
        // Always ten fields: without buckling the last two are written as 0.
        if (a[1] == 1) {
            io.doubles(b, 6, 7);
        } else {
            io.zero(b[6]);
            io.zero(b[7]);
        }
        break;
    }
    case 56:
        io.doubles(m.getihyst56(), 0, 8);
        scalar(io, m, &Member::getihyst56IOP, &Member::setihyst56IOP);
        io.doubles(m.getihyst56(), 9, 10);
        break;
    case 57:
        io.doubles(m.getihyst57(), 0, 6);
        scalar(io, m, &Member::getihyst57IOP, &Member::setihyst57IOP);
        io.doubles(m.getihyst57(), 7, 8);
        break;
    case 63:
        io.doubles(m.getihyst63(), 0, 1);
        break;
    default:
        return;
    }
    io.endl();
}

template <class IO, class M>
void frameBlock(IO &io, M &m, int ictype)
{
    auto *A = m.getFrameA();
    io.ints(A, 0, 8);
    io.endl();
    io.doubles(m.getFrameB(), 0, 9);
    io.endl();
    if (A[3] != 0) {
        io.doubles(m.getFrameC(), 0, 3);
        io.endl();
    }
    materialDampingLine(io, m, ictype);
    if (A[2] == 1) {
        io.doubles(m.getFrameE(), 0, 5);
        scalar(io, m, &Member::getFrameIOP, &Member::setFrameIOP);
        io.endl();
    }
    if (A[3] != 0) {
        // Yield surface of end 1, then of end 2 when it has its own.
        decltype(m.getFrameG()) end1 = nullptr;
        decltype(m.getFrameG()) end2 = nullptr;
        int last = -1;
        switch (A[0]) {
        case 1:
            io.doubles(m.getFrameF(), 0, 5);
            io.endl();
            break;
        case 2: end1 = m.getFrameG(); end2 = m.getFrameG2(); last = 6; break;
        case 3: end1 = m.getFrameH(); end2 = m.getFrameH2(); last = 6; break;
        case 4: end1 = m.getFrameI(); end2 = m.getFrameI2(); last = 5; break;
        case 8: end1 = m.getFrameII(); end2 = m.getFrameII2(); last = 7; break;
        default: break;
        }
        if (end1) {
            io.doubles(end1, 0, last);
            scalar(io, m, &Member::getFrameIEnd, &Member::setFrameIEnd);
            io.endl();
            if (m.getFrameIEnd() == 1) {
                io.doubles(end2, 0, last);
                io.endl();
            }
        }
    }
    if (A[7] == 1) {
        io.doubles(m.getFrameJ(), 0, 10);
        scalar(io, m, &Member::getFrameJIDO, &Member::setFrameJIDO);
        io.endl();
    } else if (A[7] == 2) {
        io.doubles(m.getFrameK(), 0, 4);
        io.endl();
    }
    degLine(io, m.getFrameDeg(), A[4]);
    hysteresisLine(io, m, A[3], false);
}

template <class IO, class M>
void springBlock(IO &io, M &m, int ictype)
{
    auto *A1 = m.getSpringA1();
    auto *A2 = m.getSpringA2();
    io.ints(A1, 0, 3);
    io.doubles(A2, 0, 9);
    io.ints(A1, 4, 5);
    io.d(A2[10]);
    io.endl();
    materialDampingLine(io, m, ictype);
    const int rule = A1[1];
    if (rule != 0 && rule != 18 && rule != 19 && rule != 33 && rule != 37) {
        switch (A1[0]) {
        case 1:
            io.doubles(m.getSpringC(), 0, 5);
            io.endl();
            break;
        case 2:
            io.doubles(m.getSpringD(), 0, 9);
            io.endl();
            break;
        case 3:
            io.doubles(m.getSpringE(), 0, 13);
            io.i(m.springI);
            io.endl();
            break;
        case 4:
            io.doubles(m.getSpringF(), 0, 8);
            io.endl();
            break;
        case 5:
            io.doubles(m.getSpringG(), 0, 1);
            io.i(m.springIOP);
            io.endl();
            break;
        default:
            break;
        }
    }
    degLine(io, m.getFrameDeg(), A1[2]);
    hysteresisLine(io, m, A1[1], true);
}

template <class IO, class M>
void wallBlock(IO &io, M &m, int ictype)
{
    auto *A1 = m.getWallA1();
    io.ints(A1, 0, 3);
    io.doubles(m.getWallA2(), 0, A1[0] == 2 ? 4 : 2);
    io.endl();
    io.doubles(m.getWallB(), 0, A1[3] == 2 ? 8 : 7);
    io.endl();
    materialDampingLine(io, m, ictype);
    if (A1[2] == 0) {
        io.doubles(m.getWallD(), 0, 10);
        io.endl();
    } else if (A1[2] == 1) {
        auto *xi = m.getWallXI();
        auto *asi = m.getWallASI();
        auto *aci = m.getWallACI();
        const int nip = A1[1];
        if constexpr (IO::reading) {
            xi->clear();
            asi->clear();
            aci->clear();
            int n = nip;
            // NIP is a count of lines to follow: bound it by what is left.
            if (n > 0 && !io.checkItems(n, 3))
                return;
            for (int k = 0; k < n && io.ok(); ++k) {
                double x = 0, as = 0, ac = 0;
                io.d(x);
                io.d(as);
                io.d(ac);
                xi->append(x);
                asi->append(as);
                aci->append(ac);
            }
        } else {
            // The dialog keeps the lists at NIP entries; a shorter list
            // still gives NIP lines, padded with 0.
            for (int k = 0; k < nip; ++k) {
                io.d(xi->value(k));
                io.d(asi->value(k));
                io.d(aci->value(k));
                io.endl();
            }
        }
    }
}

template <class IO, class M>
void damperBlock(IO &io, M &m)
{
    auto *A1 = m.getDamperA1();
    auto *A2 = m.getDamperA2();
    io.i(A1[0]);
    io.doubles(A2, 0, 4);
    if (A1[0] > 0)
        io.d(A2[5]);
    if (A1[0] > 1)
        io.doubles(A2, 6, 9);
    io.d(A2[10]);
    io.i(A1[1]);
    io.d(A2[11]);
    io.endl();
    io.doubles(m.getDamperB(), 0, 5);
    io.endl();
}

template <class IO, class M>
void multiSpringBlock(IO &io, M &m, int ictype)
{
    auto *A1 = m.getMultiSpringA1();
    io.ints(A1, 0, 3);
    io.doubles(m.getMultiSpringA2(), 0, 3);
    io.endl();
    io.ints(m.getMultiSpringB1(), 0, 1);
    io.doubles(m.getMultiSpringB2(), 0, 7);
    io.endl();
    degLine(io, m.getFrameDeg(), A1[1]);
    degLine(io, m.getMultiSpringKLOS(), A1[2]);
    materialDampingLine(io, m, ictype);
    switch (A1[0]) {
    case 1:
        io.doubles(m.getihyst35(), 0, 2);
        io.endl();
        break;
    case 8:
        rule5Line(io, m);
        break;
    case 9:
        io.doubles(m.getihyst63(), 0, 1);
        io.endl();
        break;
    default:
        break;
    }
}

template <class IO, class M>
void concreteLines(IO &io, M &m, int iconc, int kind)
{
    if (iconc == 0) {
        io.doubles(m.getihyst54()[kind], 0, 7);
        io.endl();
    } else if (iconc == 1) {
        io.doubles(m.getihyst33A()[kind], 0, 7);
        io.endl();
        io.doubles(m.getihyst33A()[kind], 8, 11);
        io.i(m.getihyst33B()[kind]);
        io.endl();
    }
}

template <class IO, class M>
void reinforcedBlock(IO &io, M &m, int ictype)
{
    auto *A1 = m.getReinforcedA1();
    io.i(A1[0]);
    io.doubles(m.getReinforcedA2(), 0, 5);
    io.ints(A1, 1, 2);
    io.endl();
    io.doubles(m.getReinforcedB(), 0, 10);
    io.endl();
    io.doubles(m.getReinforcedC(), 0, 5);
    io.endl();
    materialDampingLine(io, m, ictype);
    concreteLines(io, m, A1[2], 0);
    concreteLines(io, m, A1[2], 1);
    if (A1[1] == 0) {
        io.ints(m.getihyst53A(), 0, 1);
        io.doubles(m.getihyst53B(), 0, 7);
        io.endl();
    } else if (A1[1] == 1) {
        io.doubles(m.getihyst39(), 0, 3);
        io.endl();
    }
    concreteLines(io, m, A1[2], 2);
}

// Everything of a member-type block after its first line.
template <class IO, class M>
void memberBody(IO &io, M &m, int ictype)
{
    switch (m.getType()) {
    case Member::FRAME: frameBlock(io, m, ictype); break;
    case Member::SPRING: springBlock(io, m, ictype); break;
    case Member::WALL: wallBlock(io, m, ictype); break;
    case Member::DAMPER: damperBlock(io, m); break;
    case Member::MULTISPRING: multiSpringBlock(io, m, ictype); break;
    case Member::REINFORCED: reinforcedBlock(io, m, ictype); break;
    default: break;
    }
}

// ---------------------------------------------------------------------------
// Whole project

double valueAt(const QList<double> &list, qsizetype k)
{
    return k < list.size() ? list.at(k) : 0.0;
}

// L lines of three values, the count taken from the first list.
void writeTriples(Writer &w, const QList<double> &a, const QList<double> &b, const QList<double> &c)
{
    for (qsizetype k = 0; k < a.size(); ++k) {
        w.d(a.at(k));
        w.d(valueAt(b, k));
        w.d(valueAt(c, k));
        w.endl();
    }
}

void writeTexts(Writer &w, const QStringList &texts)
{
    w.i(int(texts.size()));
    w.endl();
    if (texts.isEmpty())
        return;
    for (const QString &s : texts)
        w.text(s);
    w.endl();
}

void writeProject(Writer &w, const ProjectData &data)
{
    w.ints(data.a, 0, 10);
    w.endl();
    w.ints(data.b, 0, 5);
    w.doubles(data.c, 0, 5);
    w.endl();
    w.ints(data.b, 6, 9);
    w.doubles(data.c, 6, 9);
    w.ints(data.b, 10, 13);
    w.endl();
    w.ints(data.d, 0, 1);
    w.doubles(data.e, 0, 5);
    w.i(data.d[2]);
    w.doubles(data.e, 6, 7);
    w.endl();

    if (data.a[4] == 4) {
        w.i(int(data.dampList.size()));
        w.endl();
        if (!data.dampList.isEmpty()) {
            for (double v : data.dampList)
                w.d(v);
            w.endl();
        }
    }

    writeTexts(w, data.XLines);
    writeTexts(w, data.YLines);

    const bool none = data.drift == kNone;
    w.text(data.drift);
    w.i(none ? data.kup1AutomaticallyTo0 : data.kup1Automatically);
    w.endl();
    w.i(data.nodesIOut);
    w.i(data.elementsIOut);
    w.endl();

    w.i(int(data.nodes.size()));
    w.endl();
    for (const NodeData &n : data.nodes) {
        w.i(n.nf1);
        w.i(n.nf2);
        w.i(n.nf3);
        w.i(n.kup1);
        w.i(n.kup2);
        w.i(n.kup3);
        w.i(n.iout);
        w.endl();
    }

    w.i(int(data.memberTypes.size()));
    w.endl();
    for (qsizetype k = 0; k < data.memberTypes.size(); ++k) {
        const Member *m = data.memberTypes.at(k);
        w.i(int(k + 1));
        w.i(m->getType());
        w.text(fileText(m->getLabel()));
        w.endl();
        memberBody(w, *m, data.a[4]);
    }

    w.i(int(data.bars.size()));
    w.endl();
    for (const BarData &b : data.bars) {
        w.i(b.id);
        w.i(b.mTypeId);
        w.i(b.source);
        w.i(b.dest);
        w.i(b.node3);
        w.i(b.node4);
        w.i(b.iout);
        w.endl();
    }

    w.i(int(data.fx.size()));
    w.endl();
    writeTriples(w, data.fx, data.fy, data.fm);
    w.i(int(data.wx.size()));
    w.endl();
    writeTriples(w, data.wx, data.wy, data.wd);

    // The SHAPE records follow IPVERT, the value the reader decides them by,
    // so that every file written reads back.
    if (data.a[5] < 0) {
        w.i(int(data.shapeFx.size()));
        w.d(data.alpha);
        w.endl();
        writeTriples(w, data.shapeFx, data.shapeFy, data.shapeFm);
    }

    w.ints(data.quakeA, 0, 1);
    w.doubles(data.quakeB, 0, 5);
    w.endl();
    w.text(quakeNameText(data.quakeFile));
    w.endl();
    w.i(data.controlSeted);
    w.i(data.driftSeted);
    w.i(data.quakeSeted);
    w.endl();
}

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

// Grid line texts, kept as typed; each must be a coordinate.
bool readGridLines(Reader &r, QStringList &texts, int n)
{
    texts.reserve(n);
    for (int k = 0; k < n && r.ok(); ++k) {
        QString s;
        r.text(s, "the grid line", false);
        bool isNumber = false;
        const double v = s.toDouble(&isNumber);
        if (r.ok() && (!isNumber || !std::isfinite(v)))
            r.failHere(QStringLiteral("the grid line \"%1\" is not a finite number").arg(s.left(24)));
        texts.append(s);
    }
    return r.ok();
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
    r.ints(t.a, 0, 10);
    r.ints(t.b, 0, 5);
    r.doubles(t.c, 0, 5);
    r.ints(t.b, 6, 9);
    r.doubles(t.c, 6, 9);
    r.ints(t.b, 10, 13);
    r.ints(t.d, 0, 1);
    r.doubles(t.e, 0, 5);
    r.i(t.d[2]);
    r.doubles(t.e, 6, 7);
    if (!r.ok())
        return false;

    if (t.a[4] == 4) {
        int k = 0;
        if (!r.count(k, 1))
            return false;
        t.dampList.reserve(k);
        for (int j = 0; j < k && r.ok(); ++j) {
            double v = 0;
            r.d(v);
            t.dampList.append(v);
        }
    }

    int nx = 0, ny = 0;
    if (!readLineCount(r, nx) || !readGridLines(r, t.XLines, nx) || !readLineCount(r, ny))
        return false;
    const qint64 gridNodes = qint64(nx) * qint64(ny);
    if (gridNodes > kMaxGridNodes) {
        r.failHere(QStringLiteral("the grid has %1 nodes, more than a project may have (%2)")
                           .arg(gridNodes)
                           .arg(kMaxGridNodes));
        return false;
    }
    if (!readGridLines(r, t.YLines, ny))
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
        memberBody(r, *m, t.a[4]);
        if (!r.ok())
            return false;
        t.memberTypes.append(m.get());
        t.ownedMembers.push_back(std::move(m));
    }

    int barCount = 0;
    if (!r.count(barCount, 7))
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

    r.ints(t.quakeA, 0, 1);
    r.doubles(t.quakeB, 0, 5);
    bool wasQuoted = false;
    QString name;
    r.text(name, "the earthquake record name", true, &wasQuoted);
    t.quakeFile = (!wasQuoted && name == kNullName) ? QString() : name;

    int flags[3] = {0, 0, 0};
    r.ints(flags, 0, 2);
    t.controlSeted = flags[0] != 0;
    t.driftSeted = flags[1] != 0;
    t.quakeSeted = flags[2] != 0;

    r.finish();
    return r.ok();
}

} // namespace

namespace ProjectFile {

void write(QTextStream &out, const ProjectData &data)
{
    DefaultNumberFormat format(out);
    Writer w(out);
    writeProject(w, data);
}

bool writeFile(const QString &fileName, const ProjectData &data, QString *error)
{
    return OutputFile::write(fileName, [&](QTextStream &out) { write(out, data); }, error);
}

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
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open \"%1\": %2").arg(fileName, file.errorString());
        return false;
    }
    if (file.size() > kMaxFileSize) {
        if (error)
            *error = QStringLiteral("\"%1\" is too large to be a project file").arg(fileName);
        return false;
    }
    // Read at most the limit, in case the file grew since size() was asked.
    const QByteArray content = file.read(kMaxFileSize + 1);
    if (content.size() > kMaxFileSize) {
        if (error)
            *error = QStringLiteral("\"%1\" is too large to be a project file").arg(fileName);
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(fileName, file.errorString());
        return false;
    }
    return read(content, out, error);
}

} // namespace ProjectFile
