#include <QtTest>

#include "tst_editmtypedialog_helpers.h"

// The FRAME page: groups, visibility rules and the order of Set Properties.
class tst_editMTypeDialogFrame : public QObject
{
    Q_OBJECT
private slots:
    void newFrameShowsDefaults();
    void yieldGroupFollowsSectionType_data();
    void yieldGroupFollowsSectionType();
    void sectionTypeEightUnderElasticRule();
    void endTwoFieldsFollowIend_data();
    void endTwoFieldsFollowIend();
    void sinaOffersInelasticShear();
    void leavingSinaTurnsIgaOneIntoTwo();
    void igaStoredFromItemText();
    void strengthDegradationFields();
    void fixedEndForces();
    void hiddenHingeAndMomentFieldsKeepValues();
    void sectionTypeOneKeepsIend();
    void yieldGroupReadEvenUnderElasticRule();
    void typedYieldValuesSurviveARuleChange();
    void noValuesLeakFromPreviousRecord();
    void typedRecordIsStored();
    void showingRestoresAllCombos();
};

void tst_editMTypeDialogFrame::newFrameShowsDefaults()
{
    MTypeForm f;
    f.add(Member::FRAME);
    QCOMPARE(f.items("itypeCBox"), QStringList({"1", "2", "3", "4", "8"}));
    QCOMPARE(f.items("ipinCBox"), QStringList({"0", "1", "2", "3"}));
    QCOMPARE(f.items("ilosCBox").size(), 8);
    QCOMPARE(f.items("idamgCBox"), QStringList({"0"}));
    QCOMPARE(f.items("igaCBox"), QStringList({"0", "2"}));
    QCOMPARE(f.current("itypeCBox"), QStringLiteral("1"));
    QCOMPARE(f.current("ihystCBox"), QStringLiteral("0"));
    QVERIFY(f.shown("BasicSectionGroupBox"));
    QVERIFY(f.shown("BasicSectionGroupBox_2"));
    QCOMPARE(f.gb("BasicSectionGroupBox_2")->title(), QStringLiteral("Elastic Section Properties"));
    QVERIFY(!f.shown("BasicSectionGroupBox_3"));
    for (const char *g : {"fGroupBox", "gGroupBox", "hGroupBox", "iGroupBox", "iiGroupBox", "groupBox_2",
                          "degradingStrengthGroupBox", "inelasticShearGroupBox", "flangeShearGroupBox"})
        QVERIFY2(!f.shown(g), g);
    QVERIFY(f.shown("elasticGroupBox"));
}

void tst_editMTypeDialogFrame::yieldGroupFollowsSectionType_data()
{
    QTest::addColumn<QString>("itype");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("title");
    QTest::addRow("1") << "1" << "fGroupBox" << "One Component (Giberson) Beam";
    QTest::addRow("2") << "2" << "gGroupBox" << "Concrete Beam-Column";
    QTest::addRow("3") << "3" << "hGroupBox" << "Steel Beam-Column";
    QTest::addRow("4") << "4" << "iGroupBox" << "General Quadratic Beam-Column";
    QTest::addRow("8") << "8" << "iiGroupBox" << "Asymmetric Quadratic Beam-Column ";
}

void tst_editMTypeDialogFrame::yieldGroupFollowsSectionType()
{
    QFETCH(QString, itype);
    QFETCH(QString, group);
    QFETCH(QString, title);
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.pick("ihystCBox", "2");
    QVERIFY(f.shown("BasicSectionGroupBox_3"));
    f.pick("itypeCBox", itype);
    for (const char *g : {"fGroupBox", "gGroupBox", "hGroupBox", "iGroupBox", "iiGroupBox"})
        QCOMPARE(f.shown(g), group == QLatin1String(g));
    QCOMPARE(f.gb(qPrintable(group))->title(), title);
    f.ok();
    QCOMPARE(m->getFrameA()[0], itype.toInt());
    QCOMPARE(m->getFrameIType(), itype.toInt());
}

void tst_editMTypeDialogFrame::sectionTypeEightUnderElasticRule()
{
    MTypeForm f;
    f.add(Member::FRAME);
    f.pick("itypeCBox", "8");
    for (const char *g : {"fGroupBox", "gGroupBox", "hGroupBox", "iGroupBox", "iiGroupBox"})
        QVERIFY2(!f.shown(g), g);
    f.pick("ihystCBox", "17");
    QVERIFY(f.shown("iiGroupBox"));
    QVERIFY(f.fieldShown("pycpLineEdit"));
    QVERIFY(!f.shown("pycpLineEdit_2"));
    QVERIFY(!f.shown("pytmLineEdit_2"));
    f.pick("iendComboBox_2", "1");
    QVERIFY(f.shown("pycpLineEdit_2"));
    QVERIFY(f.shown("pytmLineEdit_2"));
    f.pick("ihystCBox", "0");
    QVERIFY(!f.shown("iiGroupBox"));
    QVERIFY(!f.shown("BasicSectionGroupBox_3"));
}

void tst_editMTypeDialogFrame::endTwoFieldsFollowIend_data()
{
    QTest::addColumn<QString>("itype");
    QTest::addColumn<QString>("iend");
    QTest::addColumn<QStringList>("end1");
    QTest::addColumn<QStringList>("end2");
    QTest::addRow("2") << "2" << "gIEndcomboBox"
                       << QStringList{"pyccLineEdit", "pbLineEdit", "mbLineEdit", "m1bLineEdit", "m2bLineEdit",
                                      "moLineEdit", "pytcLineEdit"}
                       << QStringList{"pyccLineEdit_2", "pbLineEdit_8", "mbLineEdit_8", "m1bLineEdit_3",
                                      "m2bLineEdit_3", "moLineEdit_5", "pytcLineEdit_2"};
    QTest::addRow("3") << "3" << "iendComboBox"
                       << QStringList{"pycLineEdit_3", "pbLineEdit_3", "mbLineEdit_3", "moLineEdit_2",
                                      "pcLineEdit_2", "mcLineEdit_2", "pytLineEdit_3"}
                       << QStringList{"pycLineEdit_6", "pbLineEdit_7", "mbLineEdit_7", "moLineEdit_4",
                                      "pcLineEdit_5", "mcLineEdit_5", "pytLineEdit_6"};
    QTest::addRow("4") << "4" << "comboBox_2"
                       << QStringList{"pycLineEdit_2", "pbLineEdit_2", "mbLineEdit_2", "pcLineEdit", "mcLineEdit",
                                      "pytLineEdit_2"}
                       << QStringList{"pycLineEdit_7", "pbLineEdit_9", "mbLineEdit_9", "pcLineEdit_6",
                                      "mcLineEdit_6", "pytLineEdit_7"};
    QTest::addRow("8") << "8" << "iendComboBox_2"
                       << QStringList{"pycpLineEdit", "pycmLineEdit", "pbLineEdit_5", "mbLineEdit_5",
                                      "pcLineEdit_4", "mcLineEdit_4", "pytpLineEdit", "pytmLineEdit"}
                       << QStringList{"pycpLineEdit_2", "pycmLineEdit_2", "pbLineEdit_10", "mbLineEdit_10",
                                      "pcLineEdit_7", "mcLineEdit_7", "pytpLineEdit_2", "pytmLineEdit_2"};
}

void tst_editMTypeDialogFrame::endTwoFieldsFollowIend()
{
    QFETCH(QString, itype);
    QFETCH(QString, iend);
    QFETCH(QStringList, end1);
    QFETCH(QStringList, end2);
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.pick("ihystCBox", "1");
    f.pick("itypeCBox", itype);
    for (const QString &e : end2)
        QVERIFY(!f.shown(qPrintable(e)));
    // End 2 is read even while hidden.
    f.type(end1, 1);
    f.type(end2, 50);
    f.ok();
    double *a1 = nullptr;
    double *a2 = nullptr;
    switch (itype.toInt()) {
    case 2: a1 = m->getFrameG(); a2 = m->getFrameG2(); break;
    case 3: a1 = m->getFrameH(); a2 = m->getFrameH2(); break;
    case 4: a1 = m->getFrameI(); a2 = m->getFrameI2(); break;
    default: a1 = m->getFrameII(); a2 = m->getFrameII2(); break;
    }
    checkArray(a1, end1.size(), 1);
    checkArray(a2, end2.size(), 50);
    QCOMPARE(m->getFrameIEnd(), 0);
    f.pick(qPrintable(iend), "1");
    for (const QString &e : end2)
        QVERIFY(f.shown(qPrintable(e)));
    f.ok();
    QCOMPARE(m->getFrameIEnd(), 1);
    f.reshow();
    QCOMPARE(f.current(qPrintable(iend)), QStringLiteral("1"));
    QVERIFY(f.shown(qPrintable(end2.first())));
    QCOMPARE(f.text(qPrintable(end2.last())), QString::number(50 + end2.size() - 1));
}

void tst_editMTypeDialogFrame::sinaOffersInelasticShear()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.pick("ihystCBox", "8");
    QCOMPARE(f.items("igaCBox"), QStringList({"0", "1", "2"}));
    f.pick("igaCBox", "1");
    QVERIFY(f.shown("inelasticShearGroupBox"));
    QVERIFY(!f.shown("flangeShearGroupBox"));
    const QStringList j = {"vyLineEdit", "vcrLineEdit", "vccLineEdit", "alfaLineEdit_7", "rLineEdit",
                           "duct1LineEdit_3", "duct2LineEdit_3", "vresLineEdit", "phi1LineEdit", "phi2LineEdit",
                           "presLineEdit"};
    f.type(j, 7);
    f.pick("idoCBox", "2");
    f.ok();
    checkArray(m->getFrameJ(), 11, 7);
    QCOMPARE(m->getFrameJIDO(), 2);
    QCOMPARE(m->getFrameA()[7], 1);
    QCOMPARE(m->getFrameA()[3], 8);
    f.pick("igaCBox", "2");
    QVERIFY(!f.shown("inelasticShearGroupBox"));
    QVERIFY(f.shown("flangeShearGroupBox"));
    f.pick("igaCBox", "0");
    QVERIFY(!f.shown("inelasticShearGroupBox"));
    QVERIFY(!f.shown("flangeShearGroupBox"));
}

void tst_editMTypeDialogFrame::leavingSinaTurnsIgaOneIntoTwo()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.pick("ihystCBox", "8");
    f.pick("igaCBox", "1");
    f.pick("ihystCBox", "4");
    QCOMPARE(f.items("igaCBox"), QStringList({"0", "2"}));
    QCOMPARE(f.current("igaCBox"), QStringLiteral("2"));
    QVERIFY(f.shown("flangeShearGroupBox"));
    QVERIFY(!f.shown("inelasticShearGroupBox"));
    f.pick("igaCBox", "0");
    f.pick("ihystCBox", "8");
    QCOMPARE(f.current("igaCBox"), QStringLiteral("0"));
    f.set("vyLineEdit", "3");
    f.ok();
    // IGA 0: the in-elastic shear values are not stored.
    QCOMPARE(m->getFrameJ()[0], 0.0);
}

void tst_editMTypeDialogFrame::igaStoredFromItemText()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.pick("ihystCBox", "2");
    f.cb("igaCBox")->setCurrentIndex(1);
    QVERIFY(f.shown("flangeShearGroupBox"));
    f.type({"flexLineEdit", "bearLineEdit", "v1LineEdit_2", "v2LineEdit_2", "v3LineEdit"}, 4);
    f.ok();
    QCOMPARE(m->getFrameA()[7], 2);
    checkArray(m->getFrameK(), 5, 4);
    // A stored IGA 2 shows as the second item under another rule.
    f.reshow();
    QCOMPARE(f.cb("igaCBox")->currentIndex(), 1);
    QVERIFY(f.shown("flangeShearGroupBox"));
    QCOMPARE(f.text("v3LineEdit"), QStringLiteral("8"));
    // And as the third item under SINA.
    m->getFrameA()[3] = 8;
    f.reshow();
    QCOMPARE(f.cb("igaCBox")->currentIndex(), 2);
    QVERIFY(f.shown("flangeShearGroupBox"));
}

void tst_editMTypeDialogFrame::strengthDegradationFields()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    m->getFrameDeg()[0] = 2.5;
    f.pick("ilosCBox", "3");
    QVERIFY(f.shown("degradingStrengthGroupBox"));
    QCOMPARE(f.gb("degradingStrengthGroupBox")->parentWidget(), f.gb("frameGroupBox"));
    QCOMPARE(f.text("duct1LineEdit"), QStringLiteral("2.5"));
    for (const char *e : {"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit"})
        QVERIFY2(f.fieldShown(e), e);
    QVERIFY(!f.fieldShown("rcycLineEdit"));
    f.type({"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit", "rcycLineEdit"}, 1);
    f.ok();
    checkArray(m->getFrameDeg(), 5, 1);
    QCOMPARE(m->getFrameA()[4], 3);
    f.pick("ilosCBox", "4");
    QVERIFY(f.fieldShown("rcycLineEdit"));
    f.pick("ilosCBox", "0");
    QVERIFY(!f.shown("degradingStrengthGroupBox"));
    f.set("duct1LineEdit", "99");
    f.ok();
    QCOMPARE(m->getFrameDeg()[0], 1.0);
}

void tst_editMTypeDialogFrame::fixedEndForces()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    const QStringList e = {"m1LineEdit", "m2LineEdit", "v1LineEdit", "v2LineEdit", "axialLineEdit", "axpsLineEdit"};
    f.type(e, 30);
    f.ok();
    QCOMPARE(m->getFrameE()[0], 0.0);
    f.pick("icondCBox", "1");
    QVERIFY(f.shown("groupBox_2"));
    QCOMPARE(f.text("m1LineEdit"), QStringLiteral("0"));
    f.type(e, 30);
    f.pick("iopComboBox", "1");
    f.ok();
    checkArray(m->getFrameE(), 6, 30);
    QCOMPARE(m->getFrameIOP(), 1);
    QCOMPARE(m->getFrameA()[2], 1);
    f.pick("icondCBox", "0");
    QVERIFY(!f.shown("groupBox_2"));
}

void tst_editMTypeDialogFrame::hiddenHingeAndMomentFieldsKeepValues()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    for (int i = 4; i < 9; ++i)
        m->getFrameC()[i] = i + 0.5;
    for (int i = 6; i < 10; ++i)
        m->getFrameF()[i] = i + 0.25;
    m->getFrameA()[3] = 2;
    f.reshow();
    QVERIFY(f.shown("fGroupBox"));
    for (const char *e : {"h3LineEdit", "h4LineEdit", "h5LineEdit", "h6LineEdit", "h7LineEdit", "my3pLineEdit",
                          "my3mLineEdit", "my4pLineEdit", "my4mLineEdit"})
        QVERIFY2(!f.fieldShown(e), e);
    QVERIFY(f.fieldShown("h2LineEdit"));
    QVERIFY(f.fieldShown("my2mLineEdit"));
    QCOMPARE(f.text("h7LineEdit"), QStringLiteral("8.5"));
    f.set("rfLineEdit", "0.02");
    f.ok();
    for (int i = 4; i < 9; ++i)
        QCOMPARE(m->getFrameC()[i], i + 0.5);
    for (int i = 6; i < 10; ++i)
        QCOMPARE(m->getFrameF()[i], i + 0.25);
    QCOMPARE(m->getFrameC()[1], 0.02);
}

void tst_editMTypeDialogFrame::sectionTypeOneKeepsIend()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    m->setFrameIEnd(1);
    f.reshow();
    f.pick("ihystCBox", "2");
    f.ok();
    QCOMPARE(m->getFrameA()[0], 1);
    QCOMPARE(m->getFrameIEnd(), 1);
}

void tst_editMTypeDialogFrame::yieldGroupReadEvenUnderElasticRule()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.pick("itypeCBox", "3");
    f.set("pycLineEdit_3", "450");
    f.set("raLineEdit", "0.1");
    f.ok();
    QCOMPARE(m->getFrameA()[3], 0);
    QCOMPARE(m->getFrameH()[0], 450.0);
    QCOMPARE(m->getFrameC()[0], 0.1);
}

void tst_editMTypeDialogFrame::typedYieldValuesSurviveARuleChange()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.pick("ihystCBox", "2");
    f.set("pytLineEdit", "120");
    f.pick("ihystCBox", "4");
    QCOMPARE(f.text("pytLineEdit"), QStringLiteral("120"));
    f.ok();
    QCOMPARE(m->getFrameF()[0], 120.0);
    // Changing the section type shows the stored values of the new type.
    f.set("pyccLineEdit", "5");
    f.pick("itypeCBox", "2");
    QCOMPARE(f.text("pyccLineEdit"), QStringLiteral("0"));
}

void tst_editMTypeDialogFrame::noValuesLeakFromPreviousRecord()
{
    MTypeForm f;
    Member *a = f.add(Member::FRAME);
    a->getFrameA()[3] = 2;
    a->getFrameF()[0] = 77;
    a->getFrameE()[0] = 5;
    a->getFrameJ()[0] = 6;
    a->getFrameK()[0] = 8;
    a->getFrameDeg()[0] = 9;
    f.reshow();
    QCOMPARE(f.text("pytLineEdit"), QStringLiteral("77"));
    Member *b = f.add(Member::FRAME);
    f.ok();
    QCOMPARE(b->getFrameF()[0], 0.0);
    QCOMPARE(b->getFrameE()[0], 0.0);
    QCOMPARE(b->getFrameDeg()[0], 0.0);
    f.pick("icondCBox", "1");
    f.pick("ilosCBox", "1");
    f.pick("ihystCBox", "8");
    f.pick("igaCBox", "1");
    QCOMPARE(f.text("m1LineEdit"), QStringLiteral("0"));
    QCOMPARE(f.text("duct1LineEdit"), QStringLiteral("0"));
    QCOMPARE(f.text("vyLineEdit"), QStringLiteral("0"));
}

void tst_editMTypeDialogFrame::typedRecordIsStored()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.d.setShow11d(true);
    f.pick("itypeCBox", "2");
    f.pick("ipinCBox", "3");
    f.pick("icondCBox", "1");
    f.pick("ihystCBox", "4");
    f.pick("ilosCBox", "5");
    f.pick("icolCBox", "2");
    f.cb("igaCBox")->setCurrentIndex(1);
    f.pick("iductCBox", "1");
    f.pick("gIEndcomboBox", "1");
    f.pick("iopComboBox", "1");
    f.pick("kkkcomboBox", "1");
    const QStringList b = {"eLineEdit", "gLineEdit", "aLineEdit", "asLineEdit", "iLineEdit", "wgtLineEdit",
                           "end1LineEdit", "end2LineEdit", "fj1LineEdit", "fj2LineEdit"};
    const QStringList c = {"raLineEdit", "rfLineEdit", "h1LineEdit", "h2LineEdit"};
    const QStringList g = {"pyccLineEdit", "pbLineEdit", "mbLineEdit", "m1bLineEdit", "m2bLineEdit", "moLineEdit",
                           "pytcLineEdit"};
    const QStringList g2 = {"pyccLineEdit_2", "pbLineEdit_8", "mbLineEdit_8", "m1bLineEdit_3", "m2bLineEdit_3",
                            "moLineEdit_5", "pytcLineEdit_2"};
    const QStringList e = {"m1LineEdit", "m2LineEdit", "v1LineEdit", "v2LineEdit", "axialLineEdit", "axpsLineEdit"};
    const QStringList deg = {"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit", "rcycLineEdit"};
    const QStringList k = {"flexLineEdit", "bearLineEdit", "v1LineEdit_2", "v2LineEdit_2", "v3LineEdit"};
    const QStringList ic = {"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"};
    const QStringList tak = {"alfaLineEdit", "betaLineEdit", "nfLineEdit"};
    f.type(b, 100);
    f.type(c, 200);
    f.type(g, 300);
    f.type(g2, 400);
    f.type(e, 500);
    f.type(deg, 600);
    f.type(k, 700);
    f.type(ic, 800);
    f.type(tak, 900);
    f.ok();
    const int *A = m->getFrameA();
    const int expected[9] = {2, 3, 1, 4, 5, 0, 2, 2, 1};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(A[i], expected[i]);
    checkArray(m->getFrameB(), 10, 100);
    checkArray(m->getFrameC(), 4, 200);
    checkArray(m->getFrameG(), 7, 300);
    checkArray(m->getFrameG2(), 7, 400);
    checkArray(m->getFrameE(), 6, 500);
    checkArray(m->getFrameDeg(), 5, 600);
    checkArray(m->getFrameK(), 5, 700);
    checkArray(m->getFrameIC(), 3, 800);
    checkArray(m->getTakeda(), 3, 900);
    QCOMPARE(m->getTakKKK(), 1);
    QCOMPARE(m->getFrameIEnd(), 1);
    QCOMPARE(m->getFrameIOP(), 1);
    QCOMPARE(m->getFrameF()[0], 0.0);
    QCOMPARE(m->getFrameJ()[0], 0.0);
}

void tst_editMTypeDialogFrame::showingRestoresAllCombos()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    int *A = m->getFrameA();
    const int values[9] = {4, 2, 1, 57, 6, 0, 3, 0, 1};
    std::copy(values, values + 9, A);
    m->setFrameIEnd(1);
    f.add(Member::FRAME);
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    QCOMPARE(f.current("itypeCBox"), QStringLiteral("4"));
    QCOMPARE(f.current("ipinCBox"), QStringLiteral("2"));
    QCOMPARE(f.current("icondCBox"), QStringLiteral("1"));
    QCOMPARE(f.current("ihystCBox"), QStringLiteral("57"));
    QCOMPARE(f.current("ilosCBox"), QStringLiteral("6"));
    QCOMPARE(f.current("icolCBox"), QStringLiteral("3"));
    QCOMPARE(f.current("igaCBox"), QStringLiteral("0"));
    QCOMPARE(f.current("iductCBox"), QStringLiteral("1"));
    QCOMPARE(f.current("comboBox_2"), QStringLiteral("1"));
    QVERIFY(f.shown("iGroupBox"));
    QVERIFY(f.shown("pycLineEdit_7"));
    QVERIFY(f.shown("groupBox_2"));
    QVERIFY(f.shown("degradingStrengthGroupBox"));
    QVERIFY(f.fieldShown("rcycLineEdit"));
    QVERIFY(f.shown("ihyst57GroupBox"));
    QVERIFY(f.shown("BasicSectionGroupBox_3"));
    // Set Properties without changes stores the same values.
    f.ok();
    for (int i = 0; i < 9; ++i)
        QCOMPARE(A[i], values[i]);
    QCOMPARE(m->getFrameIEnd(), 1);
}

QTEST_MAIN(tst_editMTypeDialogFrame)
#include "tst_editmtypedialog_frame.moc"
