// Writing a project file: every record, in the order the reader takes them.

#include "projectfile.h"

#include "fieldtext.h"
#include "member.h"
#include "outputfile.h"
#include "tabline.h"
#include "projectdata.h"
#include "projectfileformat.h"
#include "recordlayout.h"

#include <QTextStream>

namespace {

using ProjectFileFormat::kNone;
using ProjectFileFormat::kNullName;

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
    if (FieldText::recordName(name).isEmpty())
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
    // The project file has no comments and no row numbers.
    void index(int) {}
    void end(const char *) { TabLine::end(); }
    void end() { TabLine::end(); }
    void endl() { TabLine::end(); }
};

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
    RecordLayout::controlLines(w, data.a, data.b, data.c, data.d, data.e);

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
        RecordLayout::memberBody(w, *m, data.a[4]);
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

    RecordLayout::quakeValues(w, data.quakeA, data.quakeB);
    w.text(quakeNameText(data.quakeFile));
    w.endl();
    w.i(data.controlSeted);
    w.i(data.driftSeted);
    w.i(data.quakeSeted);
    w.endl();
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

} // namespace ProjectFile
