#include "fieldtext.h"

#include <QFile>

#include <QByteArrayView>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <vector>
#include <limits>

namespace FieldText {

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

    QString shown(const char *b, const char *e)
{
    constexpr qint64 kMax = 24;
    QString s = QString::fromUtf8(b, std::min<qint64>(e - b, kMax));
    for (QChar &c : s) {
        if (isControl(c.unicode()))
            c = QChar::ReplacementCharacter;
    }
    return e - b <= kMax ? s : s + QLatin1String("...");
}

bool readWhole(const QString &fileName, qint64 maxSize, const QString &what, QByteArray &content,
               QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open \"%1\": %2").arg(fileName, file.errorString());
        return false;
    }
    // Read at most the limit (and one byte more), in case the file grew since size() was asked.
    if (file.size() <= maxSize)
        content = file.read(maxSize + 1);
    if (file.size() > maxSize || content.size() > maxSize) {
        content.clear();
        if (error)
            *error = QStringLiteral("\"%1\" is too large to be %2").arg(fileName, what);
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}

QString recordName(const QString &text)
{
    if (text.size() > 7)
        return text;
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return text;
    }
    return QString();
}

namespace {

// A grid line's ordinate, when its text is a finite number; -0 is 0.
bool ordinate(const QString &text, double &v)
{
    bool ok = false;
    v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (v == 0.0)
        v = 0.0;
    return true;
}

} // namespace

bool sameGridLine(const QString &a, const QString &b)
{
    double x = 0, y = 0;
    return a == b || (ordinate(a, x) && ordinate(b, y) && x == y);
}

qsizetype repeatedGridLine(const QStringList &lines, qsizetype *earlier)
{
    // By value, then by place: equal lines end up side by side, the first
    // of them first. Texts that are no number follow, by text.
    struct Key {
        bool number;
        double value;
        qsizetype index;
    };
    std::vector<Key> keys;
    keys.reserve(size_t(lines.size()));
    for (qsizetype k = 0; k < lines.size(); ++k) {
        double v = 0;
        const bool number = ordinate(lines.at(k), v);
        keys.push_back({number, v, k});
    }
    std::sort(keys.begin(), keys.end(), [&](const Key &x, const Key &y) {
        if (x.number != y.number)
            return x.number;
        if (x.number && x.value != y.value)
            return x.value < y.value;
        if (!x.number) {
            const int c = lines.at(x.index).compare(lines.at(y.index));
            if (c != 0)
                return c < 0;
        }
        return x.index < y.index;
    });
    qsizetype found = -1, first = -1;
    size_t head = 0;   // the first key of the run of equal lines
    for (size_t k = 1; k < keys.size(); ++k) {
        if (!sameGridLine(lines.at(keys[k - 1].index), lines.at(keys[k].index))) {
            head = k;
            continue;
        }
        // Within a run the earliest line comes first; the repeat met first in the file wins.
        if (found < 0 || keys[k].index < found) {
            found = keys[k].index;
            first = keys[head].index;
        }
    }
    if (earlier)
        *earlier = first;
    return found;
}

} // namespace FieldText
