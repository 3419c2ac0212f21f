#include <QtTest>

#include <functional>

#include "tst_editmtypedialog_helpers.h"

// Hysteresis rule groups: which group each rule shows, what it shows and stores.
class tst_editMTypeDialogLaws : public QObject
{
    Q_OBJECT
private slots:
    void frameRuleShowsOneGroup_data();
    void frameRuleShowsOneGroup();
    void springOnlyRules_data();
    void springOnlyRules();
    void ruleShowsAndStoresOnlyItsArray_data();
    void ruleShowsAndStoresOnlyItsArray();
    void toolTipsOfTheGroups();
    void takedaKkk();
    void ruleOptionsStored();
    void dhakalSteelOptions();
    void ruleChoiceKeepsOtherRulesValues();
    void brianPengKinds();
    void masonryStrutKinds();
};

namespace {

struct LawCase {
    const char *name;
    int code;
    const char *group;
    QStringList fields;
    std::function<double *(Member *)> array;
};

const QList<LawCase> &lawCases()
{
    static const QList<LawCase> cases = {
        {"Takeda", 4, "takedaGroupBox", {"alfaLineEdit", "betaLineEdit", "nfLineEdit"},
         [](Member *m) { return m->getTakeda(); }},
        {"Slackness", 5, "ihyst5GroupBox", {"gappLineEdit_2", "gapmLineEdit_2", "rcompLineEdit", "cLineEdit", "epsoLineEdit"},
         [](Member *m) { return m->getihyst5A(); }},
        {"SINA", 8, "sinaGroupBox", {"sinaAlfaLineEdit", "sinaBetaLineEdit", "fcrpLineEdit", "fcrmLineEdit", "fccLineEdit"},
         [](Member *m) { return m->getSina(); }},
        {"ModifiedSINA", 31, "modifiedSinaGroupBox", {"betaLineEdit_2", "fcrLineEdit", "fccLineEdit_2"},
         [](Member *m) { return m->getmSina(); }},
        {"ModifiedBilinear", 32, "modifiedBilinearGroupBox", {"alfaLineEdit_3", "betaLineEdit_3"},
         [](Member *m) { return m->getmBilinear(); }},
        {"Gap35", 35, "ihyst35GroupBox", {"gappLineEdit_4", "gapmLineEdit_4", "punLineEdit"},
         [](Member *m) { return m->getihyst35(); }},
        {"DoddRestrepo", 39, "ihyst39GroupBox", {"eshLineEdit", "esuLineEdit", "fsuLineEdit", "omegafLineEdit"},
         [](Member *m) { return m->getihyst39(); }},
        {"Dhakal", 53, "ihyst53GroupBox", {"fyavLineEdit", "ehard1LineEdit", "fuLineEdit", "euLineEdit",
                                          "fhard2LineEdit", "ehard2LineEdit", "ratioLineEdit", "eblktLineEdit"},
         [](Member *m) { return m->getihyst53B(); }},
        {"Rule56", 56, "ihyst56GroupBox", {"alfa56LineEdit", "beta56LineEdit", "gamma56LineEdit", "delta56LineEdit",
                                          "phi56LineEdit", "fcrp56LineEdit", "fcrn56LineEdit", "fccp56LineEdit",
                                          "fccn56LineEdit", "pmax56LineEdit", "pmin56LineEdit"},
         [](Member *m) { return m->getihyst56(); }},
        {"Rule57", 57, "ihyst57GroupBox", {"alfa57LineEdit", "beta57LineEdit", "gamma57LineEdit", "delta57LineEdit",
                                          "phi57LineEdit", "fcrp57LineEdit", "fcrn57LineEdit", "pmax57LineEdit",
                                          "pmin57LineEdit"},
         [](Member *m) { return m->getihyst57(); }},
        {"Gap63", 63, "ihyst63GroupBox", {"gappLineEdit_3", "gapmLineEdit_3"},
         [](Member *m) { return m->getihyst63(); }},
    };
    return cases;
}

// Every parameter value of every rule, to see what a Set Properties touched.
QList<double> allLawValues(Member *m)
{
    QList<double> v;
    for (const LawCase &c : lawCases())
        for (int i = 0; i < c.fields.size(); ++i)
            v << c.array(m)[i];
    v << m->getTakKKK() << m->getihyst56IOP() << m->getihyst57IOP() << m->getihyst5B()[0] << m->getihyst5B()[1]
      << m->getihyst53A()[0] << m->getihyst53A()[1];
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < 8; ++i)
            v << m->getihyst54()[k][i];
        for (int i = 0; i < 12; ++i)
            v << m->getihyst33A()[k][i];
        v << m->getihyst33B()[k];
    }
    return v;
}

const QStringList lawGroups = {
    "elasticGroupBox", "elastoplasticGroupBox", "bilinealGroupBox", "ihyst3GroupBox", "ihyst15GroupBox",
    "ihyst16GroupBox", "ihyst17GroupBox", "ihyst27GroupBox", "ihyst34GroupBox", "ihyst38GroupBox",
    "ihyst40GroupBox", "ihyst41GroupBox", "ihyst43GroupBox", "ihyst59GroupBox", "takedaGroupBox", "sinaGroupBox",
    "modifiedSinaGroupBox", "modifiedBilinearGroupBox", "ihyst56GroupBox", "ihyst57GroupBox", "ihyst5GroupBox",
    "ihyst63GroupBox", "ihyst35GroupBox", "ihyst53GroupBox", "ihyst39GroupBox", "ihyst54GroupBox", "ihyst33GroupBox"};

QStringList visibleLaws(MTypeForm &f)
{
    QStringList out;
    for (const QString &g : lawGroups)
        if (f.shown(qPrintable(g)))
            out << g;
    return out;
}

} // namespace

void tst_editMTypeDialogLaws::frameRuleShowsOneGroup_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("title");
    const QList<std::tuple<const char *, const char *, const char *>> rows = {
        {"0", "elasticGroupBox", "Linear Elastic"}, {"1", "elastoplasticGroupBox", "Elasto-Plastic"},
        {"2", "bilinealGroupBox", "Bilinear Inelastic"}, {"3", "ihyst3GroupBox", "Ramberg-Osgood"},
        {"4", "takedaGroupBox", "Takeda"}, {"5", "ihyst5GroupBox", "Bi-linear with Slackness"},
        {"8", "sinaGroupBox", "SINA Degrading Tri-linear"}, {"15", "ihyst15GroupBox", "Bi-linear Elastic"},
        {"16", "ihyst16GroupBox", "Non-Linear Elastic"}, {"17", "ihyst17GroupBox", "Degrading Elastic"},
        {"27", "ihyst27GroupBox", "Peak Oriented"}, {"31", "modifiedSinaGroupBox", "Modified SINA"},
        {"32", "modifiedBilinearGroupBox", "Modified Bi-linear"}, {"34", "ihyst34GroupBox", "Hyperbolic"},
        {"35", "ihyst35GroupBox", "Degrading Bilinear with Gap "},
        {"38", "ihyst38GroupBox", "Revised Origin Centred Bi-linear"},
        {"39", "ihyst39GroupBox", "Dodd-Restrepo Steel"}, {"40", "ihyst40GroupBox", "Bounded Ramberg-Osgood"},
        {"41", "ihyst41GroupBox", "Pyke modification to the Ramberg-Osgood"},
        {"56", "ihyst56GroupBox", "Modified SINA Degrading Trilinear"},
        {"57", "ihyst57GroupBox", "Revised Takeda Degrading Trilinear"},
        {"59", "ihyst59GroupBox", "Ramberg-Osgood with Alpha"},
        {"63", "ihyst63GroupBox", "Bi-linear Elastic with Gap"}};
    for (const auto &[rule, group, title] : rows)
        QTest::addRow("%s", rule) << rule << group << title;
}

void tst_editMTypeDialogLaws::frameRuleShowsOneGroup()
{
    QFETCH(QString, rule);
    QFETCH(QString, group);
    QFETCH(QString, title);
    MTypeForm f;
    f.add(Member::FRAME);
    QCOMPARE(f.cb("ihystCBox")->count(), 23);
    if (rule != QLatin1String("2"))
        f.pick("ihystCBox", "2");
    f.pick("ihystCBox", rule);
    QCOMPARE(visibleLaws(f), QStringList({group}));
    QCOMPARE(f.gb(qPrintable(group))->title(), title);
    QCOMPARE(f.gb(qPrintable(group))->parentWidget(), f.gb("frameGroupBox"));
    f.ok();
    QCOMPARE(f.d.getMembersTypes().at(0)->getFrameA()[3], rule.toInt());
}

void tst_editMTypeDialogLaws::springOnlyRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("group");
    QTest::addRow("43") << "43" << "ihyst43GroupBox";
    QTest::addRow("53") << "53" << "ihyst53GroupBox";
}

void tst_editMTypeDialogLaws::springOnlyRules()
{
    QFETCH(QString, rule);
    QFETCH(QString, group);
    MTypeForm f;
    f.add(Member::FRAME);
    QCOMPARE(f.cb("ihystCBox")->findText(rule), -1);
    QVERIFY(f.cb("ihystCBox")->findText("31") >= 0);
    f.add(Member::SPRING);
    QCOMPARE(f.cb("ihystCBox_2")->count(), 24);
    QCOMPARE(f.cb("ihystCBox_2")->findText("31"), -1);
    f.pick("ihystCBox_2", rule);
    QCOMPARE(visibleLaws(f), QStringList({group}));
    QCOMPARE(f.gb(qPrintable(group))->parentWidget(), f.gb("springGroupBox"));
    if (rule == QLatin1String("43"))
        QCOMPARE(f.gb(qPrintable(group))->title(), QStringLiteral("Resetting Origin"));
}

void tst_editMTypeDialogLaws::ruleShowsAndStoresOnlyItsArray_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("category");
    for (int i = 0; i < lawCases().size(); ++i) {
        const LawCase &c = lawCases().at(i);
        if (c.code != 53)
            QTest::addRow("FRAME %s", c.name) << i << int(Member::FRAME);
        if (c.code != 31)
            QTest::addRow("SPRING %s", c.name) << i << int(Member::SPRING);
    }
}

void tst_editMTypeDialogLaws::ruleShowsAndStoresOnlyItsArray()
{
    QFETCH(int, index);
    QFETCH(int, category);
    const LawCase &c = lawCases().at(index);
    MTypeForm f;
    Member *m = f.add(category);
    double *a = c.array(m);
    for (int i = 0; i < c.fields.size(); ++i)
        a[i] = 10.25 + i;
    if (category == Member::FRAME)
        m->getFrameA()[3] = c.code;
    else
        m->getSpringA1()[1] = c.code;
    f.reshow();
    QCOMPARE(visibleLaws(f), QStringList({c.group}));
    for (int i = 0; i < c.fields.size(); ++i)
        QCOMPARE(f.text(qPrintable(c.fields.at(i))), QString::number(10.25 + i));

    QList<double> before = allLawValues(m);
    f.type(c.fields, 100);
    f.ok();
    checkArray(a, c.fields.size(), 100);
    // Nothing but this rule's values changed.
    QList<double> after = allLawValues(m);
    int changed = 0;
    for (int i = 0; i < before.size(); ++i)
        changed += before.at(i) != after.at(i);
    QCOMPARE(changed, int(c.fields.size()));
}

void tst_editMTypeDialogLaws::toolTipsOfTheGroups()
{
    MTypeForm f;
    QCOMPARE(f.le("alfaLineEdit")->toolTip(), QStringLiteral("Unloading stiffness"));
    QCOMPARE(f.le("betaLineEdit")->toolTip(), QStringLiteral("Reloading stiffness"));
    QCOMPARE(f.le("nfLineEdit")->toolTip(), QStringLiteral("Reloading stiffness power factor"));
    QCOMPARE(f.cb("kkkcomboBox")->toolTip(),
             QStringLiteral("1 if Unloading as in DRAIN-2D\n2 if Unloading as by Emori and Schobrich"));
    QCOMPARE(f.cb("imodeCBox")->toolTip(),
             QStringLiteral("0 Default case, normal rule holds\n1 Bi-linear elastic buckling in compression\n"
                            "2 Bi-linear elastic in tension and compression"));
    const QString kinds = QStringLiteral("1 Confined concrete hysteresis properties\n2Cover concrete hysteresis "
                                         "properties\n3Shear concrete hysteresis properties");
    QCOMPARE(f.cb("ihyst54CBox")->toolTip(), kinds);
    QCOMPARE(f.cb("ihyst33CBox")->toolTip(), kinds);
    QCOMPARE(f.gb("ihyst54GroupBox")->title(), QStringLiteral("BRIAN PENG Concrete"));
    QCOMPARE(f.gb("ihyst33GroupBox")->title(), QStringLiteral("Masonry Strut"));
    QCOMPARE(f.gb("groupBox_10")->title(), QStringLiteral("Stress-strain relationship"));
    QCOMPARE(f.gb("groupBox_11")->title(), QStringLiteral("Strut data"));
    QCOMPARE(f.gb("ihyst53GroupBox")->title(), QStringLiteral("DHAKAL Steel"));
    QCOMPARE(f.get<QLabel>("lbl_alfaLineEdit")->text(), QStringLiteral("ALFA :"));
    QCOMPARE(f.get<QLabel>("lbl_kkkcomboBox")->text(), QStringLiteral("KKK :"));
    QCOMPARE(f.get<QLabel>("lbl_fcrpLineEdit")->text(), QStringLiteral("FCR(i)+"));
    QCOMPARE(f.get<QPushButton>("ihyst54OkBtn")->text(), QStringLiteral("Save"));
    QCOMPARE(f.get<QPushButton>("ihyst33CancelBtn")->text(), QStringLiteral("Cancel"));
    QCOMPARE(f.items("ihardCBox"), QStringList({"1", "2", "3"}));
    QCOMPARE(f.items("ienvCBox"), QStringList({"0", "1"}));
    QCOMPARE(f.get<QLabel>("elasticGroupBoxNoneLabel")->text(), QStringLiteral("NONE"));
}

void tst_editMTypeDialogLaws::takedaKkk()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.pick("ihystCBox", "4");
    QCOMPARE(f.current("kkkcomboBox"), QStringLiteral("2"));
    QCOMPARE(f.text("nfLineEdit"), QStringLiteral("1"));
    f.pick("kkkcomboBox", "1");
    f.ok();
    QCOMPARE(m->getTakKKK(), 1);
    f.pick("kkkcomboBox", "2");
    f.ok();
    QCOMPARE(m->getTakKKK(), 2);
}

void tst_editMTypeDialogLaws::ruleOptionsStored()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.pick("ihystCBox", "56");
    f.pick("iop56CBox", "2");
    f.ok();
    QCOMPARE(m->getihyst56IOP(), 2);
    f.pick("ihystCBox", "57");
    f.pick("iop57CBox", "1");
    f.ok();
    QCOMPARE(m->getihyst57IOP(), 1);
    QCOMPARE(m->getihyst56IOP(), 2);
    f.pick("ihystCBox", "5");
    f.pick("imodeCBox", "2");
    f.pick("ilogCBox", "1");
    f.ok();
    QCOMPARE(m->getihyst5B()[0], 2);
    QCOMPARE(m->getihyst5B()[1], 1);
    f.pick("ihystCBox", "56");
    QCOMPARE(f.current("iop56CBox"), QStringLiteral("2"));
    f.pick("ihystCBox", "5");
    QCOMPARE(f.current("imodeCBox"), QStringLiteral("2"));
}

void tst_editMTypeDialogLaws::dhakalSteelOptions()
{
    MTypeForm f;
    Member *m = f.add(Member::SPRING);
    f.pick("ihystCBox_2", "53");
    QCOMPARE(f.current("ihardCBox"), QStringLiteral("1"));
    QCOMPARE(f.current("ibcklCBox"), QStringLiteral("1"));
    QVERIFY(f.fieldShown("ratioLineEdit"));
    QVERIFY(f.fieldShown("eblktLineEdit"));
    QCOMPARE(f.text("fhard2LineEdit"), QStringLiteral("1.375"));
    f.pick("ihardCBox", "3");
    f.pick("ibcklCBox", "0");
    QVERIFY(!f.fieldShown("ratioLineEdit"));
    QVERIFY(!f.fieldShown("eblktLineEdit"));
    QVERIFY(f.fieldShown("fyavLineEdit"));
    f.set("ratioLineEdit", "6");
    f.ok();
    QCOMPARE(m->getihyst53A()[0], 3);
    QCOMPARE(m->getihyst53A()[1], 0);
    QCOMPARE(m->getihyst53B()[6], 6.0);
    f.pick("ibcklCBox", "1");
    QVERIFY(f.fieldShown("ratioLineEdit"));
}

void tst_editMTypeDialogLaws::ruleChoiceKeepsOtherRulesValues()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.pick("ihystCBox", "32");
    f.set("alfaLineEdit_3", "0.05");
    f.set("betaLineEdit_3", "0.4");
    f.ok();
    QCOMPARE(m->getmBilinear()[0], 0.05);
    QCOMPARE(m->getmBilinear()[1], 0.4);
    f.pick("ihystCBox", "0");
    f.set("alfaLineEdit_3", "9");
    f.set("betaLineEdit_3", "9");
    f.ok();
    QCOMPARE(m->getFrameA()[3], 0);
    QCOMPARE(m->getmBilinear()[0], 0.05);
    QCOMPARE(m->getmBilinear()[1], 0.4);
    // Back to rule 32: its stored values come back.
    f.pick("ihystCBox", "32");
    QCOMPARE(f.text("alfaLineEdit_3"), QStringLiteral("0.05"));
}

void tst_editMTypeDialogLaws::brianPengKinds()
{
    MTypeForm f;
    Member *m = f.add(Member::REINFORCED);
    m->getihyst54()[1][0] = 0.003;
    f.reshow();
    QVERIFY(f.shown("ihyst54GroupBox"));
    QCOMPARE(f.gb("ihyst54GroupBox")->parentWidget(), f.gb("reinforcedGroupBox"));
    QCOMPARE(f.text("ihyst54LineEdit"), QStringLiteral("Confined concrete"));
    QCOMPARE(f.text("tlimitLineEdit"), QStringLiteral("0.0025"));
    f.set("tlimitLineEdit", "0.009");
    f.pick("ihyst54CBox", "2");
    QCOMPARE(m->getihyst54()[0][0], 0.0025);
    QCOMPARE(f.text("ihyst54LineEdit"), QStringLiteral("Cover concrete"));
    QCOMPARE(f.text("tlimitLineEdit"), QStringLiteral("0.003"));
    f.set("climitLineEdit", "0.007");
    f.click("ihyst54OkBtn");
    QCOMPARE(m->getihyst54()[1][1], 0.007);
    QCOMPARE(m->getihyst54()[0][1], 0.005);
    QCOMPARE(m->getihyst54()[2][1], 0.005);
    f.set("climitLineEdit", "0.1");
    f.click("ihyst54CancelBtn");
    QCOMPARE(f.text("climitLineEdit"), QStringLiteral("0.007"));
    f.pick("ihyst54CBox", "3");
    QCOMPARE(f.text("ihyst54LineEdit"), QStringLiteral("Shear concrete"));
    QCOMPARE(f.text("climitLineEdit"), QStringLiteral("0.005"));
}

void tst_editMTypeDialogLaws::masonryStrutKinds()
{
    MTypeForm f;
    Member *m = f.add(Member::REINFORCED);
    f.pick("iconcCBox", "1");
    QVERIFY(f.shown("ihyst33GroupBox"));
    QVERIFY(!f.shown("ihyst54GroupBox"));
    QVERIFY(f.shown("ihyst53GroupBox"));
    f.pick("ihyst33CBox", "3");
    QCOMPARE(f.text("ihyst33LineEdit"), QStringLiteral("Shear concrete"));
    const QStringList fields = {"fcLineEdit", "ftLineEdit_2", "ucLineEdit", "uulLineEdit", "uclLineEdit",
                                "emoLineEdit", "gunLineEdit", "areLineEdit", "area1LineEdit", "area2LineEdit",
                                "r1LineEdit", "r2LineEdit"};
    f.type(fields, 20);
    f.pick("ienvCBox", "1");
    f.click("ihyst33OkBtn");
    checkArray(m->getihyst33A()[2], 12, 20);
    QCOMPARE(m->getihyst33B()[2], 1);
    QCOMPARE(m->getihyst33B()[0], 0);
    QCOMPARE(m->getihyst33A()[0][0], 0.0);
    f.pick("ihyst33CBox", "1");
    QCOMPARE(f.text("fcLineEdit"), QStringLiteral("0"));
    QCOMPARE(f.current("ienvCBox"), QStringLiteral("0"));
    f.pick("ihyst33CBox", "3");
    QCOMPARE(f.text("r2LineEdit"), QStringLiteral("31"));
    QCOMPARE(f.current("ienvCBox"), QStringLiteral("1"));
}

QTEST_MAIN(tst_editMTypeDialogLaws)
#include "tst_editmtypedialog_laws.moc"
