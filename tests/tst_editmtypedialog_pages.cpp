#include <QtTest>

#include "tst_editmtypedialog_helpers.h"

// SPRING, WALL, DAMPER, MULTISPRING and REINFORCED pages.
class tst_editMTypeDialogPages : public QObject
{
    Q_OBJECT
private slots:
    // SPRING
    void springYieldGroupFollowsTypeAndRule();
    void springTypeThreeKeepsI();
    void springTypeFiveFrictionIop();
    void springDegradationMovesIntoPage();
    void springTypedRecordIsStored();
    void springYieldTypedBeforeRuleZeroIsStored();
    // WALL
    void newWallShowsDefaults();
    void nsectAndIhystVisibility();
    void nipResizesSegments();
    void raisingNipKeepsSavedSegments();
    void saveSegmentChangesOnlyItsEntry();
    void cancelSegmentShowsStoredEntry();
    void icondBackToStandardDropsNip19And20();
    void numericalWallWithNip20ShownUnchanged();
    void showingAnotherWallKeepsItsLists();
    void wallTypedRecordIsStored();
    // DAMPER
    void damperFieldsFollowItype();
    void damperItypeZeroKeepsHiddenValues();
    void damperTypedRecordIsStored();
    // MULTISPRING
    void newMultiSpringStoresNsAndItype();
    void multiSpringNsTenItypeFour();
    void multiSpringRuleGroups_data();
    void multiSpringRuleGroups();
    void klosShowsShearDegradation();
    void multiSpringTypedRecordIsStored();
    // REINFORCED
    void reinforcedSteelGroups_data();
    void reinforcedSteelGroups();
    void elastoPlasticSteelKeepsOtherSteelValues();
    void confinedConcreteNeedsSave();
    void reinforcedTypedRecordIsStored();
};

// ----------------------------------------------------------------- SPRING

void tst_editMTypeDialogPages::springYieldGroupFollowsTypeAndRule()
{
    MTypeForm f;
    f.add(Member::SPRING);
    const char *groups[5] = {"spring1GroupBox", "spring2GroupBox", "spring3GroupBox", "spring4GroupBox",
                             "spring5GroupBox"};
    for (const char *g : groups)
        QVERIFY2(!f.shown(g), g);
    QCOMPARE(f.cb("itypeCBox_2")->toolTip(),
             QStringLiteral("1 No iteractions between X, Y or Theta Z components\n2 Elliptic interaction between "
                            "yield forces in the X and Y directions, no iteraction with rotation\n3 Interaction "
                            "between Rotation and Y forces (Flexure-Shear interaction)\n(SINA hysteresis assumed "
                            "for Y components)\n4 Interaction between Axial Force and Yield Moments\n5 Friction "
                            "Interaction between Axial Force and Transverse Force"));
    QCOMPARE(f.cb("ihystCBox_2")->toolTip(), QStringLiteral("Hysteresis rule.\nIf ITYPE = 2 Hysteresis is tri-linear"));
    f.pick("ihystCBox_2", "2");
    for (int t = 0; t < 5; ++t) {
        f.cb("itypeCBox_2")->setCurrentIndex(t);
        for (int g = 0; g < 5; ++g)
            QCOMPARE(f.shown(groups[g]), g == t);
        QCOMPARE(f.gb(groups[t])->title(), QStringLiteral("Yield Surface Properties"));
    }
    f.pick("ihystCBox_2", "0");
    for (const char *g : groups)
        QVERIFY2(!f.shown(g), g);
    QVERIFY(f.shown("elasticGroupBox"));
    QCOMPARE(f.gb("elasticGroupBox")->parentWidget(), f.gb("springGroupBox"));
}

void tst_editMTypeDialogPages::springTypeThreeKeepsI()
{
    MTypeForm f;
    Member *m = f.add(Member::SPRING);
    m->getSpringA1()[0] = 3;
    m->getSpringA1()[1] = 8;
    m->springI = 2;
    m->getSpringE()[13] = 4.5;
    f.reshow();
    QVERIFY(f.shown("spring3GroupBox"));
    QCOMPARE(f.current("iCBox"), QStringLiteral("2"));
    QCOMPARE(f.text("duct3LineEdit_2"), QStringLiteral("4.5"));
    f.ok();
    QCOMPARE(m->springI, 2);
    QCOMPARE(m->getSpringA1()[0], 3);
    f.pick("iCBox", "3");
    f.ok();
    QCOMPARE(m->springI, 3);
}

void tst_editMTypeDialogPages::springTypeFiveFrictionIop()
{
    MTypeForm f;
    Member *m = f.add(Member::SPRING);
    f.pick("ihystCBox_2", "1");
    f.pick("itypeCBox_2", "5");
    QVERIFY(f.shown("spring5GroupBox"));
    f.pick("iopCBox_2", "1");
    f.pick("iopCBox", "0");
    f.set("f0LineEdit", "12");
    f.set("muLineEdit", "0.3");
    f.ok();
    QCOMPARE(m->springIOP, 1);
    QCOMPARE(m->getSpringA1()[5], 0);
    QCOMPARE(m->getSpringG()[0], 12.0);
    QCOMPARE(m->getSpringG()[1], 0.3);
    f.pick("iopCBox_2", "0");
    f.pick("iopCBox", "1");
    f.ok();
    QCOMPARE(m->springIOP, 0);
    QCOMPARE(m->getSpringA1()[5], 1);
}

void tst_editMTypeDialogPages::springDegradationMovesIntoPage()
{
    MTypeForm f;
    f.add(Member::FRAME);
    f.pick("ilosCBox", "2");
    QCOMPARE(f.gb("degradingStrengthGroupBox")->parentWidget(), f.gb("frameGroupBox"));
    Answer discard("Discard");  // ILOS 2 of the FRAME type is not stored
    Member *m = f.add(Member::SPRING);
    QCOMPARE(discard.asked.size(), 1);
    QVERIFY(!f.shown("degradingStrengthGroupBox"));
    f.pick("ilosCBox_2", "5");
    QVERIFY(f.shown("degradingStrengthGroupBox"));
    QCOMPARE(f.gb("degradingStrengthGroupBox")->parentWidget(), f.gb("springGroupBox"));
    QVERIFY(f.fieldShown("rcycLineEdit"));
    f.type({"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit", "rcycLineEdit"}, 3);
    f.ok();
    checkArray(m->getFrameDeg(), 5, 3);
    // Back on the FRAME record the group follows its page again.
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    QCOMPARE(f.gb("degradingStrengthGroupBox")->parentWidget(), f.gb("frameGroupBox"));
    QVERIFY(!f.shown("degradingStrengthGroupBox"));
}

void tst_editMTypeDialogPages::springYieldTypedBeforeRuleZeroIsStored()
{
    MTypeForm f;
    Member *m = f.add(Member::SPRING);
    f.pick("ihystCBox_2", "2");
    f.pick("itypeCBox_2", "2");
    const QStringList d = {"fx1LineEdit", "fy1LineEdit", "fx2LineEdit", "fy2LineEdit", "mzpLineEdit_2",
                           "mzmLineEdit_2", "rx1LineEdit", "ry1LineEdit", "rx2LineEdit", "ry2LineEdit"};
    f.type(d, 5);
    // The elastic rule hides the yield group, yet Set Properties reads it.
    f.pick("ihystCBox_2", "0");
    QVERIFY(!f.shown("spring2GroupBox"));
    f.pick("itypeCBox_2", "1");
    f.pick("itypeCBox_2", "2");
    QCOMPARE(f.text("ry2LineEdit"), QStringLiteral("14"));
    f.ok();
    QCOMPARE(m->getSpringA1()[1], 0);
    QCOMPARE(m->getSpringA1()[0], 2);
    checkArray(m->getSpringD(), 10, 5);
}

void tst_editMTypeDialogPages::springTypedRecordIsStored()
{
    MTypeForm f;
    Member *m = f.add(Member::SPRING);
    f.d.setShow11d(true);
    f.pick("itypeCBox_2", "4");
    f.pick("ihystCBox_2", "53");
    f.pick("ilosCBox_2", "2");
    f.pick("itrussCBox", "1");
    f.pick("iopCBox", "1");
    f.pick("ihardCBox", "2");
    const QStringList a2 = {"kxLineEdit", "kyLineEdit", "gjLineEdit", "wgtLineEdit_2", "rfLineEdit_2", "rtLineEdit",
                            "psxLineEdit", "psyLineEdit", "pszLineEdit", "thetaLineEdit", "slLineEdit"};
    const QStringList yf = {"pytLineEdit_5", "pycLineEdit_5", "fypLineEdit_3", "fymLineEdit_3", "pbLineEdit_6",
                            "mbLineEdit_6", "m1bLineEdit_2", "m2bLineEdit_2", "moLineEdit_3"};
    const QStringList b53 = {"fyavLineEdit", "ehard1LineEdit", "fuLineEdit", "euLineEdit", "fhard2LineEdit",
                             "ehard2LineEdit", "ratioLineEdit", "eblktLineEdit"};
    f.type(a2, 10);
    f.type(yf, 30);
    f.type(b53, 50);
    f.type({"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit", "rcycLineEdit"}, 70);
    f.type({"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"}, 80);
    f.ok();
    const int expected[6] = {4, 53, 2, 0, 1, 1};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(m->getSpringA1()[i], expected[i]);
    checkArray(m->getSpringA2(), 11, 10);
    checkArray(m->getSpringF(), 9, 30);
    checkArray(m->getihyst53B(), 8, 50);
    QCOMPARE(m->getihyst53A()[0], 2);
    checkArray(m->getFrameDeg(), 5, 70);
    checkArray(m->getFrameIC(), 3, 80);
    QCOMPARE(m->getSpringC()[0], 0.0);
    // Shown again, the page reads back what was stored.
    f.reshow();
    QCOMPARE(f.current("itypeCBox_2"), QStringLiteral("4"));
    QCOMPARE(f.current("ihystCBox_2"), QStringLiteral("53"));
    QCOMPARE(f.text("moLineEdit_3"), QStringLiteral("38"));
    QVERIFY(f.shown("spring4GroupBox"));
    QVERIFY(f.shown("ihyst53GroupBox"));
}

// ------------------------------------------------------------------- WALL

static QList<double> segments(const QList<double> *l)
{
    return *l;
}

void tst_editMTypeDialogPages::newWallShowsDefaults()
{
    MTypeForm f;
    Member *m = f.add(Member::WALL);
    QCOMPARE(f.current("nsectCBox"), QStringLiteral("2"));
    QCOMPARE(f.items("nsectCBox"), QStringList({"2", "3", "4", "5", "6", "7"}));
    QVERIFY(f.fieldShown("h1LineEdit_2"));
    QVERIFY(f.fieldShown("h2LineEdit_2"));
    QCOMPARE(f.current("nipCBox"), QStringLiteral("3"));
    QCOMPARE(f.cb("nipCBox")->count(), 16);
    QCOMPARE(f.items("subAreaCBox"), QStringList({"1", "2", "3"}));
    QCOMPARE(f.text("xiLineEdit"), QStringLiteral("0"));
    QCOMPARE(f.text("asiLineEdit"), QStringLiteral("0"));
    QCOMPARE(f.text("aciLineEdit"), QStringLiteral("0"));
    QVERIFY(f.shown("wall1GroupBox"));
    QVERIFY(!f.shown("wall2GroupBox"));
    QVERIFY(!f.fieldShown("alfaLineEdit_5"));
    QCOMPARE(f.cb("icondCBox_2")->toolTip(), QStringLiteral("0 Standar Wall section input\n1 Numerical Wall section input"));
    f.ok();
    QCOMPARE(m->getWallA1()[0], 2);
    QCOMPARE(m->getWallA1()[1], 3);
    QCOMPARE(m->getWallXI()->size(), 3);
}

void tst_editMTypeDialogPages::nsectAndIhystVisibility()
{
    MTypeForm f;
    Member *m = f.add(Member::WALL);
    f.pick("nsectCBox", "3");
    QVERIFY(!f.fieldShown("h1LineEdit_2"));
    QVERIFY(!f.fieldShown("h2LineEdit_2"));
    f.set("h1LineEdit_2", "0.4");
    f.pick("ihystCBox_3", "2");
    QVERIFY(f.fieldShown("alfaLineEdit_5"));
    f.pick("ihystCBox_3", "1");
    QVERIFY(!f.fieldShown("alfaLineEdit_5"));
    f.set("alfaLineEdit_5", "0.7");
    f.ok();
    // Hidden values are read all the same.
    QCOMPARE(m->getWallA2()[3], 0.4);
    QCOMPARE(m->getWallB()[8], 0.7);
    QCOMPARE(m->getWallA1()[0], 3);
    QCOMPARE(m->getWallA1()[3], 1);
    f.pick("nsectCBox", "2");
    QVERIFY(f.fieldShown("h1LineEdit_2"));
}

void tst_editMTypeDialogPages::nipResizesSegments()
{
    MTypeForm f;
    Member *m = f.add(Member::WALL);
    f.pick("icondCBox_2", "1");
    QVERIFY(f.shown("wall2GroupBox"));
    QVERIFY(!f.shown("wall1GroupBox"));
    for (int s = 0; s < 3; ++s) {
        f.cb("subAreaCBox")->setCurrentIndex(s);
        f.set("xiLineEdit", QString::number(s + 1));
        f.set("asiLineEdit", QString::number(10 * (s + 1)));
        f.set("aciLineEdit", QString::number(100 * (s + 1)));
        f.click("saveWallBtn");
    }
    f.pick("nipCBox", "5");
    QCOMPARE(f.items("subAreaCBox"), QStringList({"1", "2", "3", "4", "5"}));
    QCOMPARE(segments(m->getWallXI()), QList<double>({1, 2, 3, 0, 0}));
    QCOMPARE(segments(m->getWallASI()), QList<double>({10, 20, 30, 0, 0}));
    QCOMPARE(segments(m->getWallACI()), QList<double>({100, 200, 300, 0, 0}));
    f.pick("subAreaCBox", "4");
    QCOMPARE(f.text("xiLineEdit"), QStringLiteral("0"));
    f.set("xiLineEdit", "4");
    f.click("saveWallBtn");
    f.pick("nipCBox", "4");
    QCOMPARE(f.items("subAreaCBox"), QStringList({"1", "2", "3", "4"}));
    QCOMPARE(segments(m->getWallXI()), QList<double>({1, 2, 3, 4}));
    QCOMPARE(segments(m->getWallACI()), QList<double>({100, 200, 300, 0}));
    f.pick("subAreaCBox", "2");
    QCOMPARE(f.text("asiLineEdit"), QStringLiteral("20"));
    f.ok();
    QCOMPARE(m->getWallA1()[1], 4);
    QCOMPARE(m->getWallA1()[2], 1);
}

void tst_editMTypeDialogPages::raisingNipKeepsSavedSegments()
{
    MTypeForm f;
    Member *m = f.add(Member::WALL);
    f.pick("icondCBox_2", "1");
    f.pick("nipCBox", "5");
    f.pick("subAreaCBox", "5");
    f.set("xiLineEdit", "5.5");
    f.click("saveWallBtn");
    f.pick("nipCBox", "8");
    QCOMPARE(m->getWallXI()->size(), 8);
    QCOMPARE(m->getWallXI()->at(4), 5.5);
    QCOMPARE(m->getWallXI()->at(7), 0.0);
}

void tst_editMTypeDialogPages::saveSegmentChangesOnlyItsEntry()
{
    MTypeForm f;
    Member *m = f.add(Member::WALL);
    *m->getWallXI() = {1, 2, 3};
    *m->getWallASI() = {4, 5, 6};
    *m->getWallACI() = {7, 8, 9};
    m->getWallA1()[2] = 1;
    f.reshow();
    f.pick("subAreaCBox", "2");
    QCOMPARE(f.text("xiLineEdit"), QStringLiteral("2"));
    f.set("xiLineEdit", "20");
    f.set("asiLineEdit", "50");
    f.set("aciLineEdit", "abc");
    QCOMPARE(f.refusal("saveWallBtn"), QStringLiteral("Error|AC(I) must be a number"));
    QCOMPARE(segments(m->getWallXI()), QList<double>({1, 2, 3}));
    f.set("aciLineEdit", "0");
    f.click("saveWallBtn");
    QCOMPARE(segments(m->getWallXI()), QList<double>({1, 20, 3}));
    QCOMPARE(segments(m->getWallASI()), QList<double>({4, 50, 6}));
    QCOMPARE(segments(m->getWallACI()), QList<double>({7, 0, 9}));
    f.pick("subAreaCBox", "3");
    QCOMPARE(f.text("xiLineEdit"), QStringLiteral("3"));
    QCOMPARE(f.text("aciLineEdit"), QStringLiteral("9"));
}

void tst_editMTypeDialogPages::cancelSegmentShowsStoredEntry()
{
    MTypeForm f;
    Member *m = f.add(Member::WALL);
    *m->getWallXI() = {1, 2, 3};
    f.pick("icondCBox_2", "1");
    f.pick("subAreaCBox", "3");
    f.set("xiLineEdit", "77");
    f.click("cancelWallBtn");
    QCOMPARE(f.text("xiLineEdit"), QStringLiteral("3"));
    QCOMPARE(m->getWallXI()->at(2), 3.0);
}

void tst_editMTypeDialogPages::icondBackToStandardDropsNip19And20()
{
    MTypeForm f;
    Member *m = f.add(Member::WALL);
    f.pick("icondCBox_2", "1");
    QCOMPARE(f.cb("nipCBox")->count(), 18);
    QCOMPARE(f.cb("nipCBox")->itemText(17), QStringLiteral("20"));
    f.pick("nipCBox", "20");
    QCOMPARE(m->getWallXI()->size(), 20);
    f.pick("icondCBox_2", "0");
    QCOMPARE(f.current("nipCBox"), QStringLiteral("18"));
    QCOMPARE(f.cb("nipCBox")->count(), 16);
    QCOMPARE(f.cb("nipCBox")->itemText(15), QStringLiteral("18"));
    QCOMPARE(m->getWallXI()->size(), 18);
    QCOMPARE(f.cb("subAreaCBox")->count(), 18);
    QVERIFY(f.shown("wall1GroupBox"));
    QVERIFY(!f.shown("wall2GroupBox"));
    // Switching on again offers the two extra counts once.
    f.pick("icondCBox_2", "1");
    f.pick("icondCBox_2", "0");
    f.pick("icondCBox_2", "1");
    QCOMPARE(f.cb("nipCBox")->count(), 18);
}

void tst_editMTypeDialogPages::numericalWallWithNip20ShownUnchanged()
{
    MTypeForm f;
    f.add(Member::WALL);
    Member *m = f.add(Member::WALL);
    m->getWallA1()[1] = 20;
    m->getWallA1()[2] = 1;
    QList<double> xi, asi, aci;
    for (int i = 0; i < 20; ++i) {
        xi << i + 1;
        asi << 2 * (i + 1);
        aci << 3 * (i + 1);
    }
    *m->getWallXI() = xi;
    *m->getWallASI() = asi;
    *m->getWallACI() = aci;
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    f.cb("mTypeComboBox")->setCurrentIndex(1);
    QCOMPARE(f.current("icondCBox_2"), QStringLiteral("1"));
    QCOMPARE(f.current("nipCBox"), QStringLiteral("20"));
    QCOMPARE(f.cb("subAreaCBox")->count(), 20);
    QCOMPARE(segments(m->getWallXI()), xi);
    f.pick("subAreaCBox", "20");
    QCOMPARE(f.text("aciLineEdit"), QStringLiteral("60"));
    f.ok();
    QCOMPARE(m->getWallA1()[1], 20);
    QCOMPARE(m->getWallA1()[2], 1);
    QCOMPARE(segments(m->getWallXI()), xi);
    QCOMPARE(segments(m->getWallASI()), asi);
    QCOMPARE(segments(m->getWallACI()), aci);
    // The first record, shown after it, keeps its own three segments.
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    Member *first = f.d.getMembersTypes().at(0);
    QCOMPARE(first->getWallXI()->size(), 3);
    QCOMPARE(f.current("nipCBox"), QStringLiteral("3"));
    QCOMPARE(f.cb("nipCBox")->count(), 16);
    f.cb("mTypeComboBox")->setCurrentIndex(1);
    QCOMPARE(segments(m->getWallXI()), xi);
}

void tst_editMTypeDialogPages::showingAnotherWallKeepsItsLists()
{
    MTypeForm f;
    Member *a = f.add(Member::WALL);
    a->getWallA1()[1] = 7;
    a->getWallA1()[2] = 1;
    *a->getWallXI() = {1, 2, 3, 4, 5, 6, 7};
    *a->getWallASI() = {1, 2, 3, 4, 5, 6, 7};
    *a->getWallACI() = {1, 2, 3, 4, 5, 6, 7};
    Member *b = f.add(Member::WALL);
    b->getWallA1()[1] = 5;
    *b->getWallXI() = {9, 8, 7, 6, 5};
    *b->getWallASI() = {9, 8, 7, 6, 5};
    *b->getWallACI() = {9, 8, 7, 6, 5};
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    f.cb("mTypeComboBox")->setCurrentIndex(1);
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    QCOMPARE(segments(a->getWallXI()), QList<double>({1, 2, 3, 4, 5, 6, 7}));
    QCOMPARE(segments(b->getWallXI()), QList<double>({9, 8, 7, 6, 5}));
    QCOMPARE(f.current("nipCBox"), QStringLiteral("7"));
}

void tst_editMTypeDialogPages::wallTypedRecordIsStored()
{
    MTypeForm f;
    Member *m = f.add(Member::WALL);
    f.d.setShow11d(true);
    f.pick("nsectCBox", "5");
    f.pick("nipCBox", "9");
    f.pick("ihystCBox_3", "2");
    const QStringList a2 = {"wgtLineEdit_3", "amaxLineEdit", "imaxLineEdit", "h1LineEdit_2", "h2LineEdit_2"};
    const QStringList b = {"emodcLineEdit", "emodsLineEdit", "sigaLineEdit", "sigbLineEdit", "epsbLineEdit",
                           "sigcrLineEdit", "sigysLineEdit", "sbilinLineEdit", "alfaLineEdit_5"};
    const QStringList d = {"bLineEdit", "dLineEdit", "b1LineEdit", "b2LineEdit", "d1LineEdit", "d2LineEdit",
                           "d3LineEdit", "d4LineEdit", "as1LineEdit", "as2LineEdit", "as3LineEdit"};
    f.type(a2, 10);
    f.type(b, 20);
    f.type(d, 40);
    f.type({"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"}, 60);
    f.ok();
    const int expected[4] = {5, 9, 0, 2};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(m->getWallA1()[i], expected[i]);
    checkArray(m->getWallA2(), 5, 10);
    checkArray(m->getWallB(), 9, 20);
    checkArray(m->getWallD(), 11, 40);
    checkArray(m->getFrameIC(), 3, 60);
    QCOMPARE(m->getWallXI()->size(), 9);
    QCOMPARE(m->getWallACI()->size(), 9);
    // With numerical input the standard section is not read.
    f.pick("icondCBox_2", "1");
    f.set("bLineEdit", "999");
    f.ok();
    QCOMPARE(m->getWallD()[0], 40.0);
    QCOMPARE(m->getWallA1()[2], 1);
}

// ----------------------------------------------------------------- DAMPER

void tst_editMTypeDialogPages::damperFieldsFollowItype()
{
    MTypeForm f;
    f.add(Member::DAMPER);
    const char *extra[4] = {"c4LineEdit", "c5LineEdit", "c6LineEdit", "alfamLineEdit"};
    QVERIFY(!f.fieldShown("alfaLineEdit_6"));
    for (const char *e : extra)
        QVERIFY2(!f.fieldShown(e), e);
    QVERIFY(f.shown("groupBox_5"));
    f.pick("itypeCBox_3", "1");
    QVERIFY(f.fieldShown("alfaLineEdit_6"));
    for (const char *e : extra)
        QVERIFY2(!f.fieldShown(e), e);
    for (const char *t : {"2", "3"}) {
        f.pick("itypeCBox_3", t);
        QVERIFY(f.fieldShown("alfaLineEdit_6"));
        for (const char *e : extra)
            QVERIFY2(f.fieldShown(e), e);
    }
    f.pick("itypeCBox_3", "0");
    QVERIFY(!f.fieldShown("alfaLineEdit_6"));
    QVERIFY(f.shown("groupBox_5"));
}

void tst_editMTypeDialogPages::damperItypeZeroKeepsHiddenValues()
{
    MTypeForm f;
    Member *m = f.add(Member::DAMPER);
    QCOMPARE(f.text("alfaLineEdit_6"), QStringLiteral("1"));
    f.set("c4LineEdit", "3.5");
    f.ok();
    QCOMPARE(m->getDamperA1()[0], 0);
    QCOMPARE(m->getDamperA2()[5], 1.0);
    QCOMPARE(m->getDamperA2()[6], 3.5);
}

void tst_editMTypeDialogPages::damperTypedRecordIsStored()
{
    MTypeForm f;
    Member *m = f.add(Member::DAMPER);
    f.pick("itypeCBox_3", "3");
    f.pick("limitCBox", "1");
    const QStringList a2 = {"c1LineEdit", "c2LineEdit", "c3LineEdit", "gappLineEdit", "gapmLineEdit",
                            "alfaLineEdit_6", "c4LineEdit", "c5LineEdit", "c6LineEdit", "alfamLineEdit",
                            "thetaLineEdit_2", "slLineEdit_2"};
    const QStringList b = {"fxmaxLineEdit", "fxminLineEdit", "fymaxLineEdit", "fyminLineEdit", "fzmaxLineEdit",
                           "fzminLineEdit"};
    f.type(a2, 10);
    f.type(b, 30);
    f.ok();
    QCOMPARE(m->getDamperA1()[0], 3);
    QCOMPARE(m->getDamperA1()[1], 1);
    checkArray(m->getDamperA2(), 12, 10);
    checkArray(m->getDamperB(), 6, 30);
    f.pick("limitCBox", "0");
    f.set("fxmaxLineEdit", "1");
    f.ok();
    QCOMPARE(m->getDamperB()[0], 1.0);
    f.reshow();
    QCOMPARE(f.current("itypeCBox_3"), QStringLiteral("3"));
    QCOMPARE(f.text("slLineEdit_2"), QStringLiteral("21"));
}

// ------------------------------------------------------------ MULTISPRING

void tst_editMTypeDialogPages::newMultiSpringStoresNsAndItype()
{
    MTypeForm f;
    Member *m = f.add(Member::MULTISPRING);
    QCOMPARE(m->getMultiSpringB1()[0], 0);
    QCOMPARE(f.current("nsCBox"), QStringLiteral("2"));
    QCOMPARE(f.current("itypeCBox_4"), QStringLiteral("1"));
    QVERIFY(!f.shown("klosGroupBox"));
    for (const char *g : {"elasticGroupBox", "ihyst35GroupBox", "ihyst5GroupBox"})
        QVERIFY2(!f.shown(g), g);
    f.ok();
    QCOMPARE(m->getMultiSpringB1()[0], 2);
    QCOMPARE(m->getMultiSpringB1()[1], 1);
}

void tst_editMTypeDialogPages::multiSpringNsTenItypeFour()
{
    MTypeForm f;
    Member *m = f.add(Member::MULTISPRING);
    f.pick("nsCBox", "10");
    f.pick("itypeCBox_4", "4");
    f.ok();
    QCOMPARE(m->getMultiSpringB1()[0], 10);
    QCOMPARE(m->getMultiSpringB1()[1], 4);
    f.add(Member::MULTISPRING);
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    QCOMPARE(f.current("nsCBox"), QStringLiteral("10"));
    QCOMPARE(f.current("itypeCBox_4"), QStringLiteral("4"));
}

void tst_editMTypeDialogPages::multiSpringRuleGroups_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("title");
    QTest::addRow("1") << 1 << "ihyst35GroupBox" << "Degrading Bilinear with Gap ";
    QTest::addRow("2") << 2 << "bilinealGroupBox" << "Bilinear Inelastic";
    QTest::addRow("3") << 3 << "ihyst3GroupBox" << "Ramberg-Osgood";
    QTest::addRow("4") << 4 << "ihyst40GroupBox" << "Bounded Ramberg-Osgood";
    QTest::addRow("5") << 5 << "ihyst41GroupBox" << "Pyke modification to the Ramberg-Osgood";
    QTest::addRow("6") << 6 << "ihyst38GroupBox" << "Revised Origin Centred Bi-linear";
    QTest::addRow("7") << 7 << "ihyst15GroupBox" << "Bi-linear Elastic";
    QTest::addRow("8") << 8 << "ihyst5GroupBox" << "Bi-linear with Slackness";
    QTest::addRow("9") << 9 << "ihyst63GroupBox" << "Bi-linear Elastic with Gap";
}

void tst_editMTypeDialogPages::multiSpringRuleGroups()
{
    QFETCH(int, index);
    QFETCH(QString, group);
    QFETCH(QString, title);
    MTypeForm f;
    Member *m = f.add(Member::MULTISPRING);
    f.cb("ihystCBox_4")->setCurrentIndex(index);
    QVERIFY(f.shown(qPrintable(group)));
    QCOMPARE(f.gb(qPrintable(group))->title(), title);
    QCOMPARE(f.gb(qPrintable(group))->parentWidget(), f.gb("multiSpringGroupBox"));
    f.set("gappLineEdit_4", "1.5");
    f.set("gappLineEdit_2", "2.5");
    f.set("gappLineEdit_3", "3.5");
    f.ok();
    QCOMPARE(m->getMultiSpringA1()[0], index);
    QCOMPARE(m->getihyst35()[0], index == 1 ? 1.5 : 0.0);
    QCOMPARE(m->getihyst5A()[0], index == 8 ? 2.5 : 0.0);
    QCOMPARE(m->getihyst63()[0], index == 9 ? 3.5 : 0.0);
    f.cb("ihystCBox_4")->setCurrentIndex(0);
    QVERIFY(!f.shown(qPrintable(group)));
}

void tst_editMTypeDialogPages::klosShowsShearDegradation()
{
    MTypeForm f;
    Member *m = f.add(Member::MULTISPRING);
    m->getMultiSpringKLOS()[4] = 12;
    f.pick("klosCBox", "3");
    QVERIFY(f.shown("klosGroupBox"));
    QCOMPARE(f.gb("klosGroupBox")->title(), QStringLiteral("Shear Strength Degradation"));
    for (const char *e : {"duct1LineEdit_4", "duct2LineEdit_4", "rductLineEdit_2", "duct3LineEdit_3"})
        QVERIFY2(f.fieldShown(e), e);
    QVERIFY(!f.fieldShown("rcycLineEdit_2"));
    f.pick("klosCBox", "4");
    QVERIFY(f.fieldShown("rcycLineEdit_2"));
    QCOMPARE(f.text("rcycLineEdit_2"), QStringLiteral("12"));
    f.pick("klosCBox", "0");
    QVERIFY(!f.shown("klosGroupBox"));
    f.set("duct1LineEdit_4", "5");
    f.ok();
    QCOMPARE(m->getMultiSpringKLOS()[0], 0.0);
}

void tst_editMTypeDialogPages::multiSpringTypedRecordIsStored()
{
    MTypeForm f;
    Member *m = f.add(Member::MULTISPRING);
    f.d.setShow11d(true);
    f.cb("ihystCBox_4")->setCurrentIndex(8);
    f.pick("ilosCBox_3", "4");
    QCOMPARE(f.gb("degradingStrengthGroupBox")->parentWidget(), f.gb("multiSpringGroupBox"));
    QVERIFY(f.shown("degradingStrengthGroupBox"));
    f.pick("klosCBox", "7");
    f.pick("nsCBox", "6");
    f.pick("itypeCBox_4", "3");
    f.pick("imodeCBox", "1");
    f.type({"hsLineEdit", "wgtLineEdit_4", "thetaLineEdit_3", "slLineEdit_3"}, 10);
    f.type({"saLineEdit", "svLineEdit", "ytLineEdit", "ycLineEdit", "ypLineEdit", "ynLineEdit", "raLineEdit_2",
            "rvLineEdit"}, 20);
    f.type({"duct1LineEdit_4", "duct2LineEdit_4", "rductLineEdit_2", "duct3LineEdit_3", "rcycLineEdit_2"}, 30);
    f.type({"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit", "rcycLineEdit"}, 40);
    f.type({"gappLineEdit_2", "gapmLineEdit_2", "rcompLineEdit", "cLineEdit", "epsoLineEdit"}, 50);
    f.type({"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"}, 60);
    f.ok();
    const int a1[4] = {8, 4, 7, 0};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(m->getMultiSpringA1()[i], a1[i]);
    checkArray(m->getMultiSpringA2(), 4, 10);
    checkArray(m->getMultiSpringB2(), 8, 20);
    checkArray(m->getMultiSpringKLOS(), 5, 30);
    checkArray(m->getFrameDeg(), 5, 40);
    checkArray(m->getihyst5A(), 5, 50);
    checkArray(m->getFrameIC(), 3, 60);
    QCOMPARE(m->getihyst5B()[0], 1);
    QCOMPARE(m->getMultiSpringB1()[0], 6);
    QCOMPARE(m->getMultiSpringB1()[1], 3);
}

// ------------------------------------------------------------- REINFORCED

void tst_editMTypeDialogPages::reinforcedSteelGroups_data()
{
    QTest::addColumn<QString>("isteel");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("title");
    QTest::addRow("0") << "0" << "ihyst53GroupBox" << "DHAKAL Steel";
    QTest::addRow("1") << "1" << "ihyst39GroupBox" << "Dodd-Restrepo Steel";
    QTest::addRow("2") << "2" << "elastoplasticGroupBox" << "Elasto-Plastic";
}

void tst_editMTypeDialogPages::reinforcedSteelGroups()
{
    QFETCH(QString, isteel);
    QFETCH(QString, group);
    QFETCH(QString, title);
    MTypeForm f;
    f.add(Member::REINFORCED);
    if (isteel != QLatin1String("1"))
        f.pick("isteelCBox", "1");
    f.pick("isteelCBox", isteel);
    for (const char *g : {"ihyst53GroupBox", "ihyst39GroupBox", "elastoplasticGroupBox"})
        QCOMPARE(f.shown(g), group == QLatin1String(g));
    QCOMPARE(f.gb(qPrintable(group))->title(), title);
    QCOMPARE(f.gb(qPrintable(group))->parentWidget(), f.gb("reinforcedGroupBox"));
    QVERIFY(f.shown("ihyst54GroupBox"));
    QVERIFY(!f.shown("ihyst33GroupBox"));
    f.pick("iconcCBox", "1");
    QVERIFY(f.shown(qPrintable(group)));
    QVERIFY(f.shown("ihyst33GroupBox"));
    QVERIFY(!f.shown("ihyst54GroupBox"));
    f.pick("iconcCBox", "0");
    QVERIFY(f.shown(qPrintable(group)));
    QVERIFY(f.shown("ihyst54GroupBox"));
}

void tst_editMTypeDialogPages::elastoPlasticSteelKeepsOtherSteelValues()
{
    MTypeForm f;
    Member *m = f.add(Member::REINFORCED);
    f.set("fyavLineEdit", "420");
    f.pick("isteelCBox", "1");
    f.set("eshLineEdit", "0.01");
    f.pick("isteelCBox", "2");
    f.ok();
    QCOMPARE(m->getReinforcedA1()[1], 2);
    QCOMPARE(m->getihyst53B()[0], 1.0);
    QCOMPARE(m->getihyst39()[0], 0.0);
    f.pick("isteelCBox", "1");
    f.set("eshLineEdit", "0.01");
    f.ok();
    QCOMPARE(m->getihyst39()[0], 0.01);
    QCOMPARE(m->getihyst53B()[0], 1.0);
    f.pick("isteelCBox", "0");
    f.set("fyavLineEdit", "420");
    f.ok();
    QCOMPARE(m->getihyst53B()[0], 420.0);
    QCOMPARE(m->getihyst39()[0], 0.01);
}

void tst_editMTypeDialogPages::confinedConcreteNeedsSave()
{
    MTypeForm f;
    Member *m = f.add(Member::REINFORCED);
    f.set("tlimitLineEdit", "0.01");
    f.ok();
    QCOMPARE(m->getihyst54()[0][0], 0.0025);
    f.set("tlimitLineEdit", "0.01");
    f.click("ihyst54OkBtn");
    QCOMPARE(m->getihyst54()[0][0], 0.01);
    QCOMPARE(m->getihyst54()[1][0], 0.0025);
}

void tst_editMTypeDialogPages::reinforcedTypedRecordIsStored()
{
    MTypeForm f;
    Member *m = f.add(Member::REINFORCED);
    f.d.setShow11d(true);
    f.pick("jplasCBox", "1");
    f.pick("isteelCBox", "1");
    f.pick("iconcCBox", "1");
    QCOMPARE(f.cb("isteelCBox")->toolTip(),
             QStringLiteral("0 Dhakal Steel hysteresis\n1 Dodd-Restrepo Steel hysteresis\n2 Elasto-Plastic Steel hysteresis"));
    f.type({"bLineEdit_2", "dLineEdit_2", "cLineEdit_2", "hlLineEdit", "wgtLineEdit_5", "thetaLineEdit_4"}, 10);
    f.type({"ecLineEdit", "fpcLineEdit", "ftLineEdit", "eccLineEdit", "fpccLineEdit", "ftcLineEdit", "ecvLineEdit",
            "fpcvLineEdit", "ftvLineEdit", "dbLineEdit", "flexvLineEdit"}, 20);
    f.type({"esLineEdit", "fscLineEdit", "fstLineEdit", "atopLineEdit", "abtmLineEdit", "slongLineEdit"}, 40);
    f.type({"eshLineEdit", "esuLineEdit", "fsuLineEdit", "omegafLineEdit"}, 50);
    f.type({"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"}, 60);
    f.set("fcLineEdit", "25");
    f.ok();
    QCOMPARE(m->getReinforcedA1()[0], 1);
    QCOMPARE(m->getReinforcedA1()[1], 1);
    QCOMPARE(m->getReinforcedA1()[2], 1);
    checkArray(m->getReinforcedA2(), 6, 10);
    checkArray(m->getReinforcedB(), 11, 20);
    checkArray(m->getReinforcedC(), 6, 40);
    checkArray(m->getihyst39(), 4, 50);
    checkArray(m->getFrameIC(), 3, 60);
    QCOMPARE(m->getihyst33A()[0][0], 0.0);
    f.add(Member::REINFORCED);
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    QCOMPARE(f.current("iconcCBox"), QStringLiteral("1"));
    QVERIFY(f.shown("ihyst39GroupBox"));
    QVERIFY(f.shown("ihyst33GroupBox"));
    QCOMPARE(f.text("slongLineEdit"), QStringLiteral("45"));
}

QTEST_MAIN(tst_editMTypeDialogPages)
#include "tst_editmtypedialog_pages.moc"
