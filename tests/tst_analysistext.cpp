#include <QtTest>

#include "analysistext.h"
#include "member.h"
#include "projectmodel.h"
#include "testmodels.h"

#include <functional>
#include <memory>

// The text kept in parts follows every kind of change with edits of only the
// lines that changed, always equal to what Generate writes; every line knows
// the record it stands for.

namespace {

using Edit = std::function<void(ProjectModel &)>;

QStringList split(const QByteArray &bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    lines.removeLast();
    return lines;
}

QStringList applied(QStringList lines, const QList<AnalysisText::Edit> &edits)
{
    for (const AnalysisText::Edit &e : edits) {
        lines.remove(e.line, e.removed);
        for (int k = 0; k < e.lines.size(); ++k)
            lines.insert(e.line + k, e.lines.at(k));
    }
    return lines;
}

} // namespace

class tst_AnalysisText : public QObject
{
    Q_OBJECT

private slots:
    void followsEveryChange_data();
    void followsEveryChange();
    void linesKnowTheirRecords_data();
    void linesKnowTheirRecords();
};

void tst_AnalysisText::followsEveryChange_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("touched");   // lines replaced or added, at most

    const QStringList samples{QStringLiteral("portal-frame-rc.kfp"), QStringLiteral("pier-plastic-hinges-shape.kfp"),
                              QStringLiteral("isolated-frame-wall-damper.kfp")};
    for (const QString &s : samples) {
        QTest::addRow("%s: node", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            NodeRecord n = m.nodes().at(1);
            n.nf1 = 1 - n.nf1;
            n.x += 0.5;
            m.setNodes({n});
        }) << 1;
        QTest::addRow("%s: one member's type", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            MemberRecord r = m.members().at(0);
            r.type = r.type == m.types().last().key ? m.types().first().key : m.types().last().key;
            if (m.types().size() == 1)
                r.type = 0;
            m.setMembers({r});
        }) << 1;
        QTest::addRow("%s: insert member first", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            MemberRecord r = m.members().at(0);
            r.key = m.newKey();
            m.insertMembers({{0, r}});
        }) << 1000;
        QTest::addRow("%s: remove last member", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            m.removeMembers({m.members().last().key});
        }) << 2;
        QTest::addRow("%s: type values", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            MemberTypeRecord t = m.types().first();
            auto values = std::make_shared<Member>(*t.values);
            values->setLabel(QStringLiteral("Relabelled"));
            t.values = values;
            m.setType(t);
        }) << 1;
        QTest::addRow("%s: remove type 1", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            const ModelKey gone = m.types().first().key;
            m.removeType(gone);
            QList<MemberRecord> users;
            for (MemberRecord r : m.members())
                if (r.type == gone)
                    users.append((r.type = 0, r));
            m.setMembers(users);
        }) << 1000;
        QTest::addRow("%s: modal damping", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            ControlSettings c = m.control();
            c.a[4] = c.a[4] == 4 ? 5 : 4;
            c.dampList = {0.05, 0.02};
            m.setControl(c);
        }) << 1000;
        QTest::addRow("%s: drift", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            DriftSettings d = m.drift();
            d.drift = d.drift == QLatin1String("2") ? QStringLiteral("None") : QStringLiteral("2");
            m.setDrift(d);
        }) << 4;
        QTest::addRow("%s: weights", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            NodeValues v = m.weights();
            v.second[2] += 7.5;
            m.setWeights(v);
        }) << 1;
        QTest::addRow("%s: loads", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            NodeValues v = m.loads();
            v.first.last() -= 1;
            m.setLoads(v);
        }) << 1;
        QTest::addRow("%s: quake", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            QuakeSettings q = m.quake();
            q.file = QStringLiteral("kobe.txt");
            m.setQuake(q);
        }) << 1;
        QTest::addRow("%s: shape on", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            ControlSettings c = m.control();
            c.a[5] = c.a[5] < 0 ? 1 : -2;
            m.setControl(c);
            ShapeSettings sh = m.shape();
            sh.fx = QList<double>(m.nodes().size(), 1.5);
            m.setShape(sh);
        }) << 1000;
        QTest::addRow("%s: grid", qPrintable(s)) << s << Edit([](ProjectModel &m) {
            QStringList xs = m.grid().XLines, ys = m.grid().YLines;
            xs.append(QString::number(xs.last().toDouble() + 4));
            QList<int> xFrom, yFrom;
            for (int i = 0; i < xs.size(); ++i)
                xFrom.append(i + 1 < xs.size() ? i : -1);
            for (int i = 0; i < ys.size(); ++i)
                yFrom.append(i);
            m.resetData(ProjectModel::withEditedGrid(m.data(), TestModels::gridWith(m.grid(), xs, ys), xFrom, yFrom));
        }) << 100000;
    }
}

void tst_AnalysisText::followsEveryChange()
{
    QFETCH(QString, sample);
    QFETCH(Edit, edit);
    QFETCH(int, touched);
    ProjectModel model;
    QVERIFY(TestModels::openSample(model, sample));
    AnalysisText text;
    AnalysisText::Changes changes;
    int told = 0;
    QObject context;
    AnalysisText::follow(&model, &context, &changes, [&] { ++told; });

    const QList<AnalysisText::Edit> first = text.update(model, changes);
    QCOMPARE(first.size(), 9 - (model.drift().drift == QLatin1String("None")) - !model.shapeEnabled());
    QCOMPARE(text.text().toUtf8(), TestModels::bytesOf(model).analysis);
    const QStringList before = split(text.text().toUtf8());

    edit(model);
    QVERIFY(told > 0);
    QVERIFY(!changes.isEmpty());
    const QList<AnalysisText::Edit> edits = text.update(model, changes);
    const QByteArray expected = TestModels::bytesOf(model).analysis;
    QCOMPARE(text.text().toUtf8(), expected);
    QCOMPARE(applied(before, edits), split(expected));
    QCOMPARE(text.lineCount(), split(expected).size());
    int lines = 0;
    for (const AnalysisText::Edit &e : edits)
        lines += int(std::max<qsizetype>(e.removed, e.lines.size()));
    QVERIFY2(lines >= 1 && lines <= touched, qPrintable(QString::number(lines)));
    // Nothing changed since: nothing to do.
    QVERIFY(text.update(model, {}).isEmpty());
}

void tst_AnalysisText::linesKnowTheirRecords_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addRow("portal") << "portal-frame-rc.kfp";
    QTest::addRow("pier with shape") << "pier-plastic-hinges-shape.kfp";
    QTest::addRow("wall and damper") << "isolated-frame-wall-damper.kfp";
}

void tst_AnalysisText::linesKnowTheirRecords()
{
    QFETCH(QString, sample);
    ProjectModel model;
    QVERIFY(TestModels::openSample(model, sample));
    AnalysisText::Changes all;
    all.all = true;
    AnalysisText text;
    text.update(model, all);
    const QStringList lines = split(text.text().toUtf8());
    const int nodes = int(model.nodes().size());

    // Read apart from the writer: the part a line is in follows from the titles.
    QString part = QStringLiteral("header");
    int row = 0, typeSeen = 0, shapeNodes = 0;
    QList<QList<int>> valueLines(nodes);
    for (int n = 0; n < lines.size(); ++n) {
        const QString &l = lines.at(n);
        const QString head = l.section(QLatin1Char('\t'), 0, 0);
        const AnalysisText::Link link = text.link(n);
        if (QStringList{"NODES", "DRIFT", "ELEMENTS", "PROPS", "WEIGHTS", "LOADS", "SHAPE", "EQUAKE"}.contains(head)) {
            part = head;
            row = 0;
            if (part == QLatin1String("DRIFT"))
                QCOMPARE(link.kind, AnalysisText::Drift);
            else if (part == QLatin1String("EQUAKE"))
                QCOMPARE(link.kind, AnalysisText::Quake);
            else if (part == QLatin1String("SHAPE"))
                QCOMPARE(link.kind, AnalysisText::Shape);
            else
                QCOMPARE(link.kind, AnalysisText::None);
            continue;
        }
        const bool blank = l.isEmpty();
        if (part == QLatin1String("header") || part == QLatin1String("DRIFT") || part == QLatin1String("EQUAKE")) {
            const auto kind = part == QLatin1String("header") ? AnalysisText::Control
                              : part == QLatin1String("DRIFT") ? AnalysisText::Drift
                                                                : AnalysisText::Quake;
            if (!blank || part == QLatin1String("header"))
                QCOMPARE(link.kind, kind);
        } else if (blank) {
            QCOMPARE(link.kind, AnalysisText::None);
        } else if (part == QLatin1String("NODES") || part == QLatin1String("ELEMENTS")) {
            const bool node = part == QLatin1String("NODES");
            QCOMPARE(link, (AnalysisText::Link{node ? AnalysisText::Node : AnalysisText::Member, row}));
            QCOMPARE(head.toInt(), row + 1);
            QCOMPARE(node ? text.nodeLine(row) : text.memberLine(row), n);
            ++row;
        } else if (part == QLatin1String("PROPS")) {
            // A block's first line carries its number and category.
            if (l.section(QLatin1Char('\t'), 1, 1).toUpper() == l.section(QLatin1Char('\t'), 1, 1)
                && l.section(QLatin1Char('\t'), 1, 1).at(0).isLetter()) {
                QCOMPARE(head.toInt(), ++typeSeen);
                QCOMPARE(text.typeLine(typeSeen - 1), n);
            }
            QCOMPARE(link, (AnalysisText::Link{AnalysisText::Type, typeSeen - 1}));
        } else {
            // WEIGHTS, LOADS and SHAPE rows start with their node's number.
            QCOMPARE(link.kind, AnalysisText::Node);
            QCOMPARE(link.index, head.toInt() - 1);
            valueLines[link.index].append(n);
            shapeNodes += part == QLatin1String("SHAPE");
        }
    }
    QCOMPARE(typeSeen, int(model.types().size()));
    QCOMPARE(shapeNodes > 0, model.shapeEnabled());
    for (int i = 0; i < nodes; ++i)
        QCOMPARE(text.nodeValueLines(i), valueLines.at(i));
    QCOMPARE(text.link(-1).kind, AnalysisText::None);
    QCOMPARE(text.link(int(lines.size())).kind, AnalysisText::None);
    QCOMPARE(text.nodeLine(nodes), -1);
    QCOMPARE(text.memberLine(int(model.members().size())), -1);
}

QTEST_GUILESS_MAIN(tst_AnalysisText)
#include "tst_analysistext.moc"
