#include "earthquakerecord.h"

#include "fieldtext.h"
#include "projectmodel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace EarthquakeRecord {

namespace {

// END may pad to TIME: a huge TIME over a tiny interval must not take all memory.
constexpr qint64 kMaxSamples = 10000000;
constexpr double kPi = 3.14159265358979323846;

bool separator(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == '\r';
}

// Calls f(begin, end) for each token of the line; stops when f returns false.
template <class F>
bool eachToken(const char *b, const char *e, F f)
{
    const char *p = b;
    while (p < e) {
        while (p < e && separator(*p))
            ++p;
        const char *q = p;
        while (q < e && !separator(*q))
            ++q;
        if (q > p && !f(p, q))
            return false;
        p = q;
    }
    return true;
}

bool number(const char *b, const char *e, double &v)
{
    return FieldText::parseDouble(b, e, v) && std::isfinite(v);
}

QString notANumber(int line, const char *b, const char *e)
{
    return QStringLiteral("Line %1: \"%2\" is not a number").arg(line).arg(FieldText::shown(b, e));
}

struct Lines {
    const char *p, *end;
    int number = 0;
    // The next line without its '\n'; false at the end of the text.
    bool next(const char *&b, const char *&e)
    {
        if (p >= end)
            return false;
        b = p;
        e = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!e)
            e = end;
        p = e + 1;
        ++number;
        return true;
    }
};

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// The count and the interval of line 4: "NPTS=  7998, DT=   .0050 SEC", or the two numbers first.
bool header(const char *b, const char *e, int &npts, double &dt)
{
    QList<QByteArray> t;
    eachToken(b, e, [&](const char *x, const char *y) {
        for (const QByteArray &part : QByteArray(x, y - x).split('='))
            if (!part.isEmpty())
                t.append(part);
        return true;
    });
    const auto whole = [](const QByteArray &s, int &v) {
        bool overflow = false;
        return FieldText::parseInt(s.constData(), s.constData() + s.size(), v, overflow) && v >= 0;
    };
    const auto real = [](const QByteArray &s, double &v) { return number(s.constData(), s.constData() + s.size(), v); };
    if (t.size() >= 4 && t.at(0).compare("NPTS", Qt::CaseInsensitive) == 0
        && t.at(2).compare("DT", Qt::CaseInsensitive) == 0)
        return whole(t.at(1), npts) && real(t.at(3), dt);
    return t.size() >= 2 && whole(t.at(0), npts) && real(t.at(1), dt);
}

bool parseFree(const QByteArray &text, const Options &o, std::vector<double> &s, QString *error)
{
    Lines lines{text.constData(), text.constData() + text.size()};
    const char *b, *e;
    QString bad;
    while (lines.next(b, e)) {
        if (lines.number < o.istart)
            continue;
        const bool ok = eachToken(b, e, [&](const char *x, const char *y) {
            double v;
            if (!number(x, y, v)) {
                bad = notANumber(lines.number, x, y);
                return false;
            }
            s.push_back(v);
            return true;
        });
        if (!ok)
            return fail(error, bad);
    }
    return true;
}

bool parsePeer(const QByteArray &text, const Options &o, std::vector<double> &s, Record &r, QString *error)
{
    Lines lines{text.constData(), text.constData() + text.size()};
    const char *b = nullptr, *e = nullptr;
    for (int k = 0; k < 4; ++k)
        if (!lines.next(b, e))
            return fail(error, QStringLiteral("Line 4: NPTS and DT were expected"));
    int npts = 0;
    if (!header(b, e, npts, r.headerDt))
        return fail(error, QStringLiteral("Line 4: NPTS and DT were expected"));
    qint64 total = 0;   // samples of the file, those skipped by ISTART included
    int dataLine = 0;
    QString bad;
    while (total < npts && lines.next(b, e)) {
        ++dataLine;
        const bool skipped = dataLine < o.istart;
        const bool ok = eachToken(b, e, [&](const char *x, const char *y) {
            if (total >= npts)
                return true;
            ++total;
            if (skipped)
                return true;
            double v;
            if (!number(x, y, v)) {
                bad = notANumber(lines.number, x, y);
                return false;
            }
            s.push_back(v);
            return true;
        });
        if (!ok)
            return fail(error, bad);
    }
    if (total < npts)
        r.notes << QStringLiteral("The record holds %1 samples, NPTS is %2").arg(total).arg(npts);
    return true;
}

} // namespace

Options::Options(const QuakeSettings &q, const ControlSettings &c)
    : iberg(q.a[0]), istart(q.a[1]), deltat(q.b[0]), ascale(q.b[1]), end(q.b[2]), tscale(q.b[5]),
      time(c.c[4]), factor(c.c[5])
{
}

bool Options::operator==(const Options &o) const
{
    return iberg == o.iberg && istart == o.istart && deltat == o.deltat && ascale == o.ascale && end == o.end
           && tscale == o.tscale && time == o.time && factor == o.factor;
}

QString formatName(int iberg)
{
    static const char *const names[] = {"BERG", "CALTECH", "NCEER", "FREE", "CSMIP", "EXCEL", "PEER", "SAC"};
    return iberg >= 0 && iberg < 8 ? QLatin1String(names[iberg]) : QString();
}

QString resolve(const QString &name, const QString &projectFile)
{
    if (QFileInfo(name).isAbsolute())
        return name;
    const QDir base = projectFile.isEmpty() ? QDir::current() : QFileInfo(projectFile).absoluteDir();
    return base.filePath(name);
}

QString storedName(const QString &chosen, const QString &projectFile)
{
    const QString absolute = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    if (projectFile.isEmpty())
        return absolute;
    const QString relative = QFileInfo(projectFile).absoluteDir().relativeFilePath(absolute);
    if (relative.startsWith(QLatin1String("../")) || relative == QLatin1String("..") || QDir::isAbsolutePath(relative))
        return absolute;
    return relative;
}

QString intervalMismatch(double headerDt, double deltat)
{
    if (headerDt <= 0.0 || deltat <= 0.0
        || std::abs(headerDt - deltat) <= 1e-6 * std::max(std::abs(headerDt), std::abs(deltat)))
        return QString();
    return QStringLiteral("DT in the record is %1, DELTAT is %2").arg(headerDt).arg(deltat);
}

namespace {

// What the options alone refuse, before any file is looked at.
bool optionsRefused(const Options &o, QString *error)
{
    if (o.iberg != Free && o.iberg != Peer) {
        const QString name = formatName(o.iberg);
        return !fail(error, name.isEmpty() ? QStringLiteral("No preview for IBERG %1").arg(o.iberg)
                                           : QStringLiteral("No preview for the %1 format").arg(name));
    }
    if (o.end < 0.0 && o.end != -1.0)
        return !fail(error, QStringLiteral("END must be 0, -1 or a time above 0"));
    if (o.iberg == Free && !(o.deltat > 0.0))
        return !fail(error, QStringLiteral("DELTAT must be above 0 for a FREE record"));
    return false;
}

} // namespace

namespace {

bool parseInto(const QByteArray &text, const Options &o, Record &r, QString *error)
{
    if (optionsRefused(o, error))
        return false;

    std::vector<double> &s = r.g;
    s.reserve(size_t(text.size() / 8));
    if (o.iberg == Free ? !parseFree(text, o, s, error) : !parsePeer(text, o, s, r, error))
        return false;
    if (s.empty())
        return fail(error, QStringLiteral("The record holds no samples"));

    double interval = o.deltat > 0.0 ? o.deltat : r.headerDt;
    if (!(interval > 0.0))
        return fail(error, QStringLiteral("Line 4: DT must be above 0 when DELTAT is 0"));
    if (o.iberg == Peer) {
        const QString mismatch = intervalMismatch(r.headerDt, o.deltat);
        if (!mismatch.isEmpty())
            r.notes << mismatch + QStringLiteral("; DELTAT is used");
    }
    interval /= o.tscale > 0.0 ? o.tscale : 1.0;
    r.interval = interval;
    r.lastRead = double(s.size() - 1) * interval;

    r.ascaleZero = o.ascale == 0.0;
    if (r.ascaleZero)
        r.notes << QStringLiteral("ASCALE is 0 and reads as 1");
    const double scale = o.factor / (r.ascaleZero ? 1.0 : o.ascale);
    for (double &v : s)
        v *= scale;

    if (o.end != 0.0) {
        if (o.end > 0.0)
            for (size_t i = 0; i < s.size(); ++i)
                if (double(i) * interval > o.end)
                    s[i] = 0.0;
        const double last = std::ceil(o.time / interval - 1e-9) + 1.0;
        if (last > double(kMaxSamples))
            return fail(error, QStringLiteral("END pads the record to more than %1 samples").arg(kMaxSamples));
        if (o.end > 0.0 && o.end < r.lastRead)
            r.notes << QStringLiteral("Zero after END (%1 s)").arg(o.end);
        if (last > double(s.size())) {
            r.notes << QStringLiteral("Zeros from %1 s to TIME (%2 s)").arg(double(s.size()) * interval).arg(o.time);
            s.resize(size_t(last), 0.0);
        }
    }
    return true;
}

} // namespace

bool parse(const QByteArray &text, const Options &o, Record &r, QString *error)
{
    r = Record();
    // A refused record leaves nothing half read behind.
    if (!parseInto(text, o, r, error)) {
        r = Record();
        return false;
    }
    return true;
}

bool readFile(const QString &path, const Options &o, Record &out, QString *error)
{
    out = Record();
    // The options' reason comes before the file's.
    if (optionsRefused(o, error))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error, file.errorString());
    return parse(text, o, out, error);
}

Summary summarize(const Record &r, double grav)
{
    Summary s;
    const std::vector<double> &a = r.g;
    if (a.empty())
        return s;
    s.duration = double(a.size() - 1) * r.interval;
    double sum = 0.0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::abs(a[i]) > s.pga) {
            s.pga = std::abs(a[i]);
            s.pgaTime = double(i) * r.interval;
        }
        sum += a[i] * a[i];
    }
    s.arias = kPi / 2.0 * grav * sum * r.interval;
    if (sum > 0.0) {
        double running = 0.0;
        double t5 = -1.0, t95 = -1.0;
        for (size_t i = 0; i < a.size() && t95 < 0.0; ++i) {
            running += a[i] * a[i];
            if (t5 < 0.0 && running >= 0.05 * sum)
                t5 = double(i) * r.interval;
            if (running >= 0.95 * sum)
                t95 = double(i) * r.interval;
        }
        // Rounding can leave the running sum a hair below 95 % of the total.
        if (t95 < 0.0)
            t95 = s.duration;
        s.significant = t95 - t5;
    }
    return s;
}

QByteArray csv(const Record &r)
{
    QByteArray out("time_s,acceleration_g\n");
    out.reserve(qsizetype(r.g.size()) * 32 + out.size());
    char line[64];
    for (size_t i = 0; i < r.g.size(); ++i) {
        const int n = std::snprintf(line, sizeof line, "%.10g,%.10g\n", double(i) * r.interval, r.g[i]);
        out.append(line, n);
    }
    return out;
}

} // namespace EarthquakeRecord
