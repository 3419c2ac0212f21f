#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QtTest>

#include "tst_editmtypedialog_helpers.h"

// List management, selection, Set Properties / Cancel and material damping.
class tst_editMTypeDialog : public QObject
{
    Q_OBJECT
private slots:
    void emptyDialogOffersOnlyAdd();
    void scrollsWithinTheScreen();
    void addShowsThePageOfItsCategory_data();
    void addShowsThePageOfItsCategory();
    void copyTakesStoredValuesNotTypedOnes();
    void deleteRenumbersAndReportsOldNumber();
    void deletingTheOnlyTypeEmptiesTheDialog();
    void copyAndDeleteNeedASelection();
    void cancelShowsStoredValues();
    void setPropertiesStoresLabel();
    void selectingAnotherTypeShowsItsValues();
    void numbersShownWithTenDigitsAndNonNumbersRefused();
    void materialDamping_data();
    void materialDamping();
    void recordsFromAProjectAreListed();
    void itemsAddedBeforeTheirRecords();
    void languageChangeKeepsRuleDependentItems();
    void unchangedSetPropertiesKeepsRecord_data();
    void unchangedSetPropertiesKeepsRecord();
    void unstoredEditsAskFirst_data();
    void unstoredEditsAskFirst();
    void showingAloneAsksNothing_data();
    void showingAloneAsksNothing();
    void savedByPageButtonAsksNothing_data();
    void savedByPageButtonAsksNothing();
    void labelRefusesControlCharacters_data();
    void labelRefusesControlCharacters();
    void nonNumbersRefused_data();
    void nonNumbersRefused();
};

void tst_editMTypeDialog::emptyDialogOffersOnlyAdd()
{
    MTypeForm f;
    QCOMPARE(f.d.windowTitle(), QStringLiteral("Edit Member Types"));
    QVERIFY(f.shown("groupBox_6"));
    QVERIFY(f.shown("addBtn"));
    QCOMPARE(f.gb("groupBox_6")->title(), QStringLiteral("Add new M-TYPE"));
    QCOMPARE(f.items("mTypeCBox"), QStringList({"FRAME", "SPRING", "STRUCTURAL-WALL", "DAMPER", "MULTI-SPRING",
                                                "REINFORCED CONCRETE PLASTIC-HINGE SPRING"}));
    QCOMPARE(f.get<QPushButton>("addBtn")->toolTip(), QStringLiteral("Add new M-TYPE"));
    QVERIFY(!f.fieldShown("mTypeComboBox"));
    for (const char *name : {"editMTypeGroupBox", "copyBtn", "deleteBtn", "mTypeComboBox", "okBtn", "cancelBtn",
                             "groupBox", "frameGroupBox", "springGroupBox", "wallGroupBox", "damperGroupBox",
                             "multiSpringGroupBox", "reinforcedGroupBox"})
        QVERIFY2(!f.shown(name), name);
    QCOMPARE(f.text("xiLineEdit"), QStringLiteral("0"));
    QVERIFY(!f.le("ihyst54LineEdit")->isEnabled());
    QCOMPARE(f.text("ihyst33LineEdit"), QStringLiteral("Confined concrete"));
}

void tst_editMTypeDialog::scrollsWithinTheScreen()
{
    MTypeForm f;
    auto *area = f.d.findChild<QScrollArea *>();
    QVERIFY(area);
    QCOMPARE(area->widget(), f.get<QWidget>("formWidget"));
    QCOMPARE(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const int screenHeight = f.d.screen()->geometry().height();
    QCOMPARE(area->height(), screenHeight - 80);
    QCOMPARE(f.d.minimumSize(), f.d.maximumSize());
}

void tst_editMTypeDialog::addShowsThePageOfItsCategory_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("caption");
    const char *pages[6] = {"frameGroupBox", "springGroupBox", "wallGroupBox", "damperGroupBox",
                            "multiSpringGroupBox", "reinforcedGroupBox"};
    const char *captions[6] = {"FRAME", "SPRING", "STRUCTURAL-WALL", "DAMPER", "MULTI-SPRING",
                               "REINFORCED CONCRETE PLASTIC-HINGE SPRING"};
    for (int t = 0; t < 6; ++t)
        QTest::addRow("%s", captions[t]) << t << pages[t] << captions[t];
}

void tst_editMTypeDialog::addShowsThePageOfItsCategory()
{
    QFETCH(int, type);
    QFETCH(QString, page);
    QFETCH(QString, caption);
    MTypeForm f;
    QSignalSpy updates(&f.d, &editMTypeDialog::updateMTypes);
    f.add(Member::FRAME);
    Member *m = f.add(type);
    QCOMPARE(updates.count(), 2);
    QCOMPARE(f.d.getMembersTypes().size(), 2);
    QCOMPARE(m->getID(), 2);
    QCOMPARE(m->getType(), type);
    QCOMPARE(f.items("mTypeComboBox"), QStringList({"1", "2"}));
    QCOMPARE(f.cb("mTypeComboBox")->currentIndex(), 1);
    QCOMPARE(f.text("typeLineEdit"), caption);
    QVERIFY(!f.le("typeLineEdit")->isEnabled());
    QCOMPARE(f.text("labelLineEdit"), QStringLiteral("MTYPE2"));
    for (const char *p : {"frameGroupBox", "springGroupBox", "wallGroupBox", "damperGroupBox",
                          "multiSpringGroupBox", "reinforcedGroupBox"})
        QCOMPARE(f.shown(p), page == QLatin1String(p));
    QCOMPARE(f.gb(qPrintable(page))->title(), caption);
    for (const char *name : {"editMTypeGroupBox", "copyBtn", "deleteBtn", "mTypeComboBox", "okBtn", "cancelBtn"})
        QVERIFY2(f.shown(name), name);
}

void tst_editMTypeDialog::copyTakesStoredValuesNotTypedOnes()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    f.set("eLineEdit", "210000");
    f.set("labelLineEdit", "Beam");
    f.ok();
    f.set("eLineEdit", "7");
    QSignalSpy updates(&f.d, &editMTypeDialog::updateMTypes);
    Answer discard("Discard");
    f.click("copyBtn");
    QCOMPARE(discard.asked, QStringList({"Store the changes to member type 1?"}));
    QCOMPARE(updates.count(), 1);
    QCOMPARE(f.d.getMembersTypes().size(), 2);
    Member *copy = f.d.getMembersTypes().at(1);
    QVERIFY(copy != m);
    QCOMPARE(copy->getID(), 2);
    QCOMPARE(copy->getType(), int(Member::FRAME));
    QCOMPARE(copy->getLabel(), QStringLiteral("MTYPE2"));
    QCOMPARE(copy->getFrameB()[0], 210000.0);
    QCOMPARE(f.cb("mTypeComboBox")->currentIndex(), 1);
    QCOMPARE(f.text("eLineEdit"), QStringLiteral("210000"));
    QCOMPARE(m->getFrameB()[0], 210000.0);
}

void tst_editMTypeDialog::deleteRenumbersAndReportsOldNumber()
{
    MTypeForm f;
    f.add(Member::FRAME);
    f.add(Member::SPRING);
    Member *third = f.add(Member::WALL);
    f.cb("mTypeComboBox")->setCurrentIndex(1);
    QSignalSpy deleted(&f.d, &editMTypeDialog::deleteMType);
    f.click("deleteBtn");
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).toInt(), 2);
    const QList<Member *> left = f.d.getMembersTypes();
    QCOMPARE(left.size(), 2);
    QCOMPARE(left.at(0)->getID(), 1);
    QCOMPARE(left.at(0)->getType(), int(Member::FRAME));
    QCOMPARE(left.at(1), third);
    QCOMPARE(third->getID(), 2);
    QCOMPARE(third->getLabel(), QStringLiteral("MTYPE3"));
    QCOMPARE(f.items("mTypeComboBox"), QStringList({"1", "2"}));
    QCOMPARE(f.cb("mTypeComboBox")->currentIndex(), 0);
    QVERIFY(f.shown("frameGroupBox"));
    // Adding after a delete continues from the new count.
    Member *added = f.add(Member::DAMPER);
    QCOMPARE(added->getID(), 3);
    QCOMPARE(f.items("mTypeComboBox"), QStringList({"1", "2", "3"}));
}

void tst_editMTypeDialog::deletingTheOnlyTypeEmptiesTheDialog()
{
    MTypeForm f;
    f.add(Member::REINFORCED);
    QSignalSpy deleted(&f.d, &editMTypeDialog::deleteMType);
    f.click("deleteBtn");
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).toInt(), 1);
    QVERIFY(f.d.getMembersTypes().isEmpty());
    QCOMPARE(f.cb("mTypeComboBox")->count(), 0);
    QVERIFY(f.shown("groupBox_6"));
    for (const char *name : {"editMTypeGroupBox", "copyBtn", "deleteBtn", "mTypeComboBox", "okBtn", "cancelBtn",
                             "reinforcedGroupBox", "ihyst53GroupBox"})
        QVERIFY2(!f.shown(name), name);
}

void tst_editMTypeDialog::copyAndDeleteNeedASelection()
{
    MTypeForm f;
    QSignalSpy updates(&f.d, &editMTypeDialog::updateMTypes);
    QSignalSpy deleted(&f.d, &editMTypeDialog::deleteMType);
    QMetaObject::invokeMethod(&f.d, "on_copyBtn_clicked");
    QMetaObject::invokeMethod(&f.d, "on_deleteBtn_clicked");
    QMetaObject::invokeMethod(&f.d, "on_okBtn_clicked");
    QVERIFY(f.d.getMembersTypes().isEmpty());
    QCOMPARE(updates.count(), 0);
    QCOMPARE(deleted.count(), 0);
}

void tst_editMTypeDialog::cancelShowsStoredValues()
{
    MTypeForm f;
    Member *m = f.add(Member::SPRING);
    f.set("kxLineEdit", "12.5");
    f.set("labelLineEdit", "Spring A");
    f.pick("ilosCBox_2", "2");
    f.reshow();
    QCOMPARE(f.text("kxLineEdit"), QStringLiteral("0"));
    QCOMPARE(f.text("labelLineEdit"), QStringLiteral("MTYPE1"));
    QCOMPARE(f.current("ilosCBox_2"), QStringLiteral("0"));
    QVERIFY(!f.shown("degradingStrengthGroupBox"));
    QCOMPARE(m->getSpringA2()[0], 0.0);
    QVERIFY(f.shown("springGroupBox"));
}

void tst_editMTypeDialog::setPropertiesStoresLabel()
{
    MTypeForm f;
    Member *m = f.add(Member::DAMPER);
    QSignalSpy updates(&f.d, &editMTypeDialog::updateMTypes);
    f.set("labelLineEdit", "Viscous damper");
    f.ok();
    QCOMPARE(updates.count(), 1);
    QCOMPARE(m->getLabel(), QStringLiteral("Viscous damper"));
}

void tst_editMTypeDialog::selectingAnotherTypeShowsItsValues()
{
    MTypeForm f;
    Member *a = f.add(Member::FRAME);
    a->getFrameB()[0] = 3.5;
    a->setLabel("first");
    Member *b = f.add(Member::FRAME);
    b->getFrameB()[0] = 4.5;
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    QCOMPARE(f.text("eLineEdit"), QStringLiteral("3.5"));
    QCOMPARE(f.text("labelLineEdit"), QStringLiteral("first"));
    f.cb("mTypeComboBox")->setCurrentIndex(1);
    QCOMPARE(f.text("eLineEdit"), QStringLiteral("4.5"));
}

void tst_editMTypeDialog::numbersShownWithTenDigitsAndNonNumbersRefused()
{
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    m->getFrameB()[0] = 1234567.891234;
    m->getFrameB()[1] = 1e-12;
    m->getFrameB()[2] = 2.0 / 3.0;
    m->getFrameB()[3] = 12345678901234.0;
    f.reshow();
    QCOMPARE(f.text("eLineEdit"), QStringLiteral("1234567.891"));
    QCOMPARE(f.text("gLineEdit"), QStringLiteral("1e-12"));
    QCOMPARE(f.text("aLineEdit"), QStringLiteral("0.6666666667"));
    QCOMPARE(f.text("asLineEdit"), QStringLiteral("1.23456789e+13"));
    f.set("eLineEdit", "abc");
    f.set("gLineEdit", "");
    f.set("aLineEdit", " 2.5 ");
    f.set("asLineEdit", "1,5");
    QCOMPARE(f.refusal(), QStringLiteral("Error|E must be a number"));
    f.set("eLineEdit", "7");
    QCOMPARE(f.refusal(), QStringLiteral("Error|G must be a number"));
    f.set("gLineEdit", "8");
    QCOMPARE(f.refusal(), QStringLiteral("Error|AS must be a number"));
    QCOMPARE(m->getFrameB()[0], 1234567.891234);
    f.set("asLineEdit", "-1.5e2");
    QCOMPARE(f.refusal(), QString());
    QCOMPARE(m->getFrameB()[0], 7.0);
    QCOMPARE(m->getFrameB()[1], 8.0);
    QCOMPARE(m->getFrameB()[2], 2.5);
    QCOMPARE(m->getFrameB()[3], -150.0);
}

void tst_editMTypeDialog::materialDamping_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("page");
    QTest::addRow("FRAME") << 0 << "frameGroupBox";
    QTest::addRow("SPRING") << 1 << "springGroupBox";
    QTest::addRow("WALL") << 2 << "wallGroupBox";
    QTest::addRow("DAMPER") << 3 << "damperGroupBox";
    QTest::addRow("MULTISPRING") << 4 << "multiSpringGroupBox";
    QTest::addRow("REINFORCED") << 5 << "reinforcedGroupBox";
}

void tst_editMTypeDialog::materialDamping()
{
    QFETCH(int, type);
    QFETCH(QString, page);
    MTypeForm f;
    Member *m = f.add(type);
    m->getFrameIC()[0] = 0.5;
    QVERIFY(!f.shown("groupBox"));

    // Switch off: neither shown nor stored.
    f.set("beta0LineEdit", "1");
    f.set("betatLineEdit", "2");
    f.set("alfaLineEdit_2", "3");
    f.ok();
    QCOMPARE(m->getFrameIC()[0], 0.5);
    QCOMPARE(m->getFrameIC()[1], 0.0);
    QCOMPARE(m->getFrameIC()[2], 0.0);

    f.d.setShow11d(true);
    QCOMPARE(f.d.getShow11d(), true);
    const bool damper = type == Member::DAMPER;
    QCOMPARE(f.shown("groupBox"), !damper);
    if (!damper) {
        QCOMPARE(f.gb("groupBox")->parentWidget(), f.gb(qPrintable(page)));
        QCOMPARE(f.gb("groupBox")->title(), QStringLiteral("Material Specific Damping"));
        QCOMPARE(f.text("beta0LineEdit"), QStringLiteral("0.5"));
    }
    f.set("beta0LineEdit", "1");
    f.set("betatLineEdit", "2");
    f.set("alfaLineEdit_2", "3");
    f.ok();
    QCOMPARE(m->getFrameIC()[0], damper ? 0.5 : 1.0);
    QCOMPARE(m->getFrameIC()[1], damper ? 0.0 : 2.0);
    QCOMPARE(m->getFrameIC()[2], damper ? 0.0 : 3.0);

    f.d.setShow11d(false);
    QVERIFY(!f.shown("groupBox"));
    QVERIFY(f.shown(qPrintable(page)));
}

void tst_editMTypeDialog::recordsFromAProjectAreListed()
{
    MTypeForm f;
    auto *wall = new Member(1, Member::WALL);
    wall->getWallA1()[1] = 20;
    wall->getWallA1()[2] = 1;
    for (QList<double> *l : {wall->getWallXI(), wall->getWallASI(), wall->getWallACI()}) {
        l->clear();
        for (int i = 0; i < 20; ++i)
            l->append(i + 0.5);
    }
    wall->setLabel("Core");
    auto *multi = new Member(2, Member::MULTISPRING);
    f.d.setMTypes({wall, multi});
    f.d.addItems(2);
    QCOMPARE(f.d.getMembersTypes(), QList<Member *>({wall, multi}));
    QCOMPARE(f.items("mTypeComboBox"), QStringList({"1", "2"}));
    QVERIFY(f.shown("wallGroupBox"));
    QCOMPARE(f.text("labelLineEdit"), QStringLiteral("Core"));
    QCOMPARE(f.current("icondCBox_2"), QStringLiteral("1"));
    QCOMPARE(f.current("nipCBox"), QStringLiteral("20"));
    QCOMPARE(f.cb("subAreaCBox")->count(), 20);
    QCOMPARE(wall->getWallXI()->size(), 20);
    QCOMPARE(wall->getWallXI()->at(19), 19.5);
    QVERIFY(f.fieldShown("mTypeComboBox"));
    // Adding goes on from the records already there.
    Member *added = f.add(Member::FRAME);
    QCOMPARE(added->getID(), 3);
    QCOMPARE(f.items("mTypeComboBox"), QStringList({"1", "2", "3"}));
}

void tst_editMTypeDialog::itemsAddedBeforeTheirRecords()
{
    MTypeForm f;
    f.d.addItems(1);
    QVERIFY(!f.shown("frameGroupBox"));
    auto *spring = new Member(1, Member::SPRING);
    spring->getSpringA2()[0] = 42;
    f.d.setMTypes({spring});
    QVERIFY(f.shown("springGroupBox"));
    QCOMPARE(f.text("kxLineEdit"), QStringLiteral("42"));
    f.d.setMTypes({spring});
    QCOMPARE(f.d.getMembersTypes().size(), 1);
}

void tst_editMTypeDialog::languageChangeKeepsRuleDependentItems()
{
    MTypeForm f;
    f.add(Member::FRAME);
    f.pick("ihystCBox", "8");
    f.pick("igaCBox", "1");
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&f.d, &change);
    QCOMPARE(f.items("igaCBox"), QStringList({"0", "1", "2"}));
    QCOMPARE(f.current("igaCBox"), QStringLiteral("1"));
    QCOMPARE(f.d.windowTitle(), QStringLiteral("Edit Member Types"));
}

// Values no 10-digit text holds exactly, of every size and sign.
static double awkward(int k)
{
    switch (k % 5) {
    case 0: return (k + 1) / 3.0;
    case 1: return -0.0;
    case 2: return 123456789.0123 * (k + 1);
    case 3: return 1e-300 * (k + 7) / 7.0;
    default: return -(0.1 + 0.2) * (k + 1);
    }
}

static void fillAwkward(Member *m)
{
    int k = 0;
    auto put = [&k](double *p, int n) {
        for (int i = 0; i < n; ++i)
            p[i] = awkward(k++);
    };
    put(m->getTakeda(), 3);
    put(m->getSina(), 5);
    put(m->getmSina(), 3);
    put(m->getmBilinear(), 2);
    put(m->getihyst56(), 11);
    put(m->getihyst57(), 9);
    put(m->getihyst5A(), 5);
    put(m->getihyst63(), 2);
    put(m->getihyst35(), 3);
    put(m->getihyst39(), 4);
    put(m->getihyst53B(), 8);
    put(m->getihyst33A()[0], 36);
    put(m->getihyst54()[0], 24);
    put(m->getFrameDeg(), 5);
    put(m->getFrameIC(), 3);
    switch (m->getType()) {
    case Member::FRAME:
        for (double *p : {m->getFrameB(), m->getFrameF()})
            put(p, 10);
        put(m->getFrameC(), 9);
        for (double *p : {m->getFrameG(), m->getFrameG2(), m->getFrameH(), m->getFrameH2()})
            put(p, 7);
        put(m->getFrameI(), 6);
        put(m->getFrameI2(), 6);
        put(m->getFrameII(), 8);
        put(m->getFrameII2(), 8);
        put(m->getFrameE(), 6);
        put(m->getFrameJ(), 11);
        put(m->getFrameK(), 5);
        break;
    case Member::SPRING:
        put(m->getSpringA2(), 11);
        put(m->getSpringC(), 6);
        put(m->getSpringD(), 10);
        put(m->getSpringE(), 14);
        put(m->getSpringF(), 9);
        put(m->getSpringG(), 2);
        break;
    case Member::WALL:
        put(m->getWallA2(), 5);
        put(m->getWallB(), 9);
        put(m->getWallD(), 11);
        for (QList<double> *list : {m->getWallXI(), m->getWallASI(), m->getWallACI()}) {
            list->resize(m->getWallA1()[1]);
            put(list->data(), int(list->size()));
        }
        break;
    case Member::DAMPER:
        put(m->getDamperA2(), 12);
        put(m->getDamperB(), 6);
        break;
    case Member::MULTISPRING:
        put(m->getMultiSpringA2(), 4);
        put(m->getMultiSpringB2(), 8);
        put(m->getMultiSpringKLOS(), 5);
        break;
    case Member::REINFORCED:
        put(m->getReinforcedA2(), 6);
        put(m->getReinforcedB(), 11);
        put(m->getReinforcedC(), 6);
        break;
    }
}

void tst_editMTypeDialog::unchangedSetPropertiesKeepsRecord_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("codes");   // the category's option array (MULTISPRING: A1 then B1)
    QTest::addColumn<int>("option");         // every option outside that array: 1 offered, 9 not
    QTest::addRow("FRAME ITYPE 2, SINA, IGA 1") << 0 << QList<int>{2, 1, 1, 8, 4, 1, 2, 1, 1} << 1;
    QTest::addRow("FRAME ITYPE 8, Takeda, IGA 2") << 0 << QList<int>{8, 0, 0, 4, 2, 0, 0, 2, 0} << 1;
    QTest::addRow("FRAME ITYPE 3, rule 56") << 0 << QList<int>{3, 2, 1, 56, 7, 0, 3, 0, 1} << 1;
    QTest::addRow("FRAME ITYPE 4, rule 57") << 0 << QList<int>{4, 0, 1, 57, 0, 0, 1, 2, 0} << 1;
    QTest::addRow("FRAME ITYPE 1, rule 5") << 0 << QList<int>{1, 1, 0, 5, 1, 0, 0, 0, 1} << 1;
    QTest::addRow("FRAME rule 31") << 0 << QList<int>{2, 1, 0, 31, 0, 0, 0, 2, 0} << 1;
    QTest::addRow("FRAME codes without items") << 0 << QList<int>{6, 9, 5, 53, 12, 3, 8, 1, 4} << 9;
    QTest::addRow("SPRING ITYPE 3, rule 32") << 1 << QList<int>{3, 32, 2, 0, 1, 1} << 1;
    QTest::addRow("SPRING ITYPE 5, rule 63") << 1 << QList<int>{5, 63, 0, 0, 2, 0} << 1;
    QTest::addRow("SPRING ITYPE 2, rule 53") << 1 << QList<int>{2, 53, 4, 0, 0, 1} << 1;
    QTest::addRow("SPRING ITYPE 1, rule 0") << 1 << QList<int>{1, 0, 1, 0, 0, 0} << 1;
    QTest::addRow("SPRING ITYPE 4, rule 39") << 1 << QList<int>{4, 39, 0, 0, 1, 0} << 1;
    QTest::addRow("SPRING codes without items") << 1 << QList<int>{7, 31, 9, 4, 5, 3} << 9;
    QTest::addRow("WALL standard, NIP 5") << 2 << QList<int>{3, 5, 0, 2} << 1;
    QTest::addRow("WALL numerical, NIP 20") << 2 << QList<int>{7, 20, 1, 1} << 1;
    QTest::addRow("DAMPER ITYPE 2") << 3 << QList<int>{2, 1} << 1;
    QTest::addRow("DAMPER codes without items") << 3 << QList<int>{5, -1} << 9;
    QTest::addRow("MULTISPRING rule 35") << 4 << QList<int>{1, 2, 4, 0, 6, 3} << 1;
    QTest::addRow("MULTISPRING rule 5") << 4 << QList<int>{8, 0, 0, 0, 2, 1} << 1;
    QTest::addRow("MULTISPRING rule 63") << 4 << QList<int>{9, 1, 1, 0, 10, 4} << 1;
    QTest::addRow("MULTISPRING codes without items") << 4 << QList<int>{12, 9, 8, 3, 40, 9} << 9;
    QTest::addRow("REINFORCED DHAKAL steel, concrete 54") << 5 << QList<int>{1, 0, 0} << 1;
    QTest::addRow("REINFORCED steel 39, concrete 33") << 5 << QList<int>{0, 1, 1} << 1;
    QTest::addRow("REINFORCED codes without items") << 5 << QList<int>{4, 5, 6} << 9;
}

// Codes of the row, every other option, awkward values and a label with blanks.
static void giveRowValues(Member *m, int type, const QList<int> &codes, int option)
{
    int *array[6] = {m->getFrameA(), m->getSpringA1(), m->getWallA1(), m->getDamperA1(),
                     m->getMultiSpringA1(), m->getReinforcedA1()};
    std::copy(codes.begin(), codes.end(), array[type]);   // MULTISPRING B1 follows A1
    if (type == Member::MULTISPRING)
        std::copy(codes.begin() + 4, codes.end(), m->getMultiSpringB1());
    m->springI = option;
    m->springIOP = option;
    m->setTakKKK(option + 1);
    m->setihyst56IOP(option);
    m->setihyst57IOP(option);
    m->getihyst5B()[0] = m->getihyst5B()[1] = option;
    m->getihyst53A()[0] = option + 1;
    m->getihyst53A()[1] = option;
    std::fill_n(m->getihyst33B(), 3, option);
    m->setFrameJIDO(option);
    m->setFrameIOP(option);
    m->setFrameIEnd(option);
    fillAwkward(m);
    m->setLabel(QStringLiteral(" beam 30x60 "));
}

void tst_editMTypeDialog::unchangedSetPropertiesKeepsRecord()
{
    QFETCH(int, type);
    QFETCH(QList<int>, codes);
    QFETCH(int, option);
    MTypeForm f;
    Member *m = f.add(type);
    giveRowValues(m, type, codes, option);
    f.d.setShow11d(true);   // shows the record again, damping fields included

    const Member before(*m);
    if (type == Member::WALL)
        f.click("saveWallBtn");
    if (type == Member::REINFORCED)
        f.click(codes[2] == 0 ? "ihyst54OkBtn" : "ihyst33OkBtn");
    f.ok();
    QVERIFY(m->sameValues(before));
}

void tst_editMTypeDialog::unstoredEditsAskFirst_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QString>("answer");
    for (const char *trigger : {"switch", "add", "copy", "close", "Escape"}) {
        QTest::addRow("%s, no edits", trigger) << trigger << false << "Keep editing";
        for (const char *answer : {"Store", "Discard", "Keep editing"})
            QTest::addRow("%s, %s", trigger, answer) << trigger << true << answer;
    }
}

void tst_editMTypeDialog::unstoredEditsAskFirst()
{
    QFETCH(QString, trigger);
    QFETCH(bool, edited);
    QFETCH(QString, answer);
    MTypeForm f;
    Member *first = f.add(Member::FRAME);
    f.set("eLineEdit", "5");
    f.ok();
    f.add(Member::SPRING);
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    f.d.show();
    const Member stored(*first);
    if (edited) {
        f.set("eLineEdit", "210000");
        f.set("labelLineEdit", "Beam 300x600");
    }

    QSignalSpy updates(&f.d, &editMTypeDialog::updateMTypes);
    Answer reply(answer);
    if (trigger == "switch")
        f.cb("mTypeComboBox")->setCurrentIndex(1);
    else if (trigger == "add")
        f.add(Member::DAMPER);
    else if (trigger == "copy")
        f.click("copyBtn");
    else if (trigger == "close")
        f.d.close();
    else
        QTest::keyClick(&f.d, Qt::Key_Escape);

    QCOMPARE(reply.asked, edited ? QStringList({"Store the changes to member type 1?"}) : QStringList());
    const bool stays = edited && answer == "Keep editing";
    const bool stores = edited && answer == "Store";
    if (stores) {
        QCOMPARE(first->getFrameB()[0], 210000.0);
        QCOMPARE(first->getLabel(), QStringLiteral("Beam 300x600"));
    } else {
        QVERIFY(first->sameValues(stored));
    }
    const bool adds = !stays && (trigger == "add" || trigger == "copy");
    QCOMPARE(updates.count(), int(stores) + int(adds));
    QCOMPARE(f.d.getMembersTypes().size(), adds ? 3 : 2);

    if (stays) {
        QCOMPARE(f.cb("mTypeComboBox")->currentIndex(), 0);
        QCOMPARE(f.text("eLineEdit"), QStringLiteral("210000"));
        QCOMPARE(f.text("labelLineEdit"), QStringLiteral("Beam 300x600"));
        QVERIFY(f.d.isVisible());
    } else if (trigger == "switch") {
        QCOMPARE(f.cb("mTypeComboBox")->currentIndex(), 1);
        QVERIFY(f.shown("springGroupBox"));
    } else if (adds) {
        QCOMPARE(f.cb("mTypeComboBox")->currentIndex(), 2);
        if (trigger == "copy")
            QCOMPARE(f.d.getMembersTypes().at(2)->getFrameB()[0], stores ? 210000.0 : 5.0);
    } else {
        QVERIFY(!f.d.isVisible());
        // Reopened, the form shows what is stored.
        QCOMPARE(f.text("eLineEdit"), stores ? QStringLiteral("210000") : QStringLiteral("5"));
    }
}

void tst_editMTypeDialog::showingAloneAsksNothing_data()
{
    unchangedSetPropertiesKeepsRecord_data();
    const char *captions[6] = {"FRAME", "SPRING", "WALL", "DAMPER", "MULTISPRING", "REINFORCED"};
    for (int t = 0; t < 6; ++t)
        QTest::addRow("new %s", captions[t]) << t << QList<int>() << 0;
}

void tst_editMTypeDialog::showingAloneAsksNothing()
{
    QFETCH(int, type);
    QFETCH(QList<int>, codes);
    QFETCH(int, option);
    MTypeForm f;
    Member *m = f.add(type);
    if (!codes.isEmpty()) {
        giveRowValues(m, type, codes, option);
        f.d.setShow11d(true);
    }
    const Member before(*m);
    Answer reply("Keep editing");
    f.add(Member::FRAME);
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    f.cb("mTypeComboBox")->setCurrentIndex(1);
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    f.click("copyBtn");
    f.cb("mTypeComboBox")->setCurrentIndex(0);
    f.d.show();
    f.d.close();
    QCOMPARE(reply.asked, QStringList());
    QVERIFY(!f.d.isVisible());
    QCOMPARE(f.d.getMembersTypes().size(), 3);
    QVERIFY(m->sameValues(before));
}

void tst_editMTypeDialog::savedByPageButtonAsksNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("button");
    QTest::addRow("WALL segment") << int(Member::WALL) << "xiLineEdit" << "saveWallBtn";
    QTest::addRow("REINFORCED concrete 54") << int(Member::REINFORCED) << "tlimitLineEdit" << "ihyst54OkBtn";
}

void tst_editMTypeDialog::savedByPageButtonAsksNothing()
{
    QFETCH(int, type);
    QFETCH(QString, field);
    QFETCH(QString, button);
    MTypeForm f;
    f.add(type);
    f.set(qPrintable(field), "2.5");
    f.click(qPrintable(button));
    Answer reply("Keep editing");
    f.add(Member::FRAME);
    QCOMPARE(reply.asked, QStringList());
    QCOMPARE(f.cb("mTypeComboBox")->currentIndex(), 1);
}

void tst_editMTypeDialog::labelRefusesControlCharacters_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("kept");
    QTest::addRow("line break") << "Beam\n300" << "";
    QTest::addRow("carriage return") << "Beam\r" << "";
    QTest::addRow("tab") << "a\tb" << "";
    QTest::addRow("0x01") << "NULL\x01" << "";
    QTest::addRow("NUL") << QString(QStringLiteral("a") + QChar(0)) << "";
    QTest::addRow("DEL") << "a\x7f" << "";
    QTest::addRow("blanks") << "Beam 300x600" << "Beam 300x600";
    QTest::addRow("exclamation marks") << "NULL!NULL" << "NULL!NULL";
    QTest::addRow("1001 characters") << QString(1001, QLatin1Char('x')) << QString(1000, QLatin1Char('x'));
}

void tst_editMTypeDialog::labelRefusesControlCharacters()
{
    QFETCH(QString, input);
    QFETCH(QString, kept);
    MTypeForm f;
    Member *m = f.add(Member::FRAME);
    QLineEdit *edit = f.le("labelLineEdit");
    // Typed, inserted and pasted alike.
    edit->clear();
    for (const QChar c : input)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QString typed = input;
    typed.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f]")));
    QCOMPARE(edit->text(), typed.left(1000));
    edit->clear();
    edit->insert(input);
    QCOMPARE(edit->text(), kept);
    edit->clear();
    QGuiApplication::clipboard()->setText(input);
    edit->paste();
    QCOMPARE(edit->text(), kept);
    f.ok();
    QCOMPARE(m->getLabel(), kept);
}

void tst_editMTypeDialog::nonNumbersRefused_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");   // empty: stored, or not checked
    QTest::addColumn<QString>("button");
    const QString isNo = QStringLiteral(" must be a number");
    QTest::addRow("FRAME END1 abc") << int(Member::FRAME) << "end1LineEdit" << "abc" << "END1" + isNo << "okBtn";
    QTest::addRow("FRAME E inf") << int(Member::FRAME) << "eLineEdit" << "inf" << "E" + isNo << "okBtn";
    QTest::addRow("FRAME E empty") << int(Member::FRAME) << "eLineEdit" << "" << "E" + isNo << "okBtn";
    QTest::addRow("FRAME E 2.5e3") << int(Member::FRAME) << "eLineEdit" << "2.5e3" << "" << "okBtn";
    QTest::addRow("FRAME hidden H3") << int(Member::FRAME) << "h3LineEdit" << "abc" << "" << "okBtn";
    QTest::addRow("SPRING KX 1,5") << int(Member::SPRING) << "kxLineEdit" << "1,5" << "KX" + isNo << "okBtn";
    QTest::addRow("WALL AMAX nan") << int(Member::WALL) << "amaxLineEdit" << "nan" << "AMAX" + isNo << "okBtn";
    QTest::addRow("DAMPER C1 x") << int(Member::DAMPER) << "c1LineEdit" << "x" << "C1" + isNo << "okBtn";
    QTest::addRow("MULTISPRING HS 1.2.3") << int(Member::MULTISPRING) << "hsLineEdit" << "1.2.3" << "HS" + isNo << "okBtn";
    QTest::addRow("REINFORCED B -") << int(Member::REINFORCED) << "bLineEdit_2" << "-" << "B" + isNo << "okBtn";
    QTest::addRow("REINFORCED TLIMIT, group Save") << int(Member::REINFORCED) << "tlimitLineEdit" << "1e"
                                                   << "TLIMIT" + isNo << "ihyst54OkBtn";
    QTest::addRow("WALL XI, segment Save") << int(Member::WALL) << "xiLineEdit" << "+" << "X(I)" + isNo << "saveWallBtn";
    QTest::addRow("REINFORCED B -4") << int(Member::REINFORCED) << "bLineEdit_2" << "-4" << "" << "okBtn";
}

void tst_editMTypeDialog::nonNumbersRefused()
{
    QFETCH(int, category);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, button);
    MTypeForm f;
    Member *m = f.add(category);
    if (button == QLatin1String("saveWallBtn")) {
        m->getWallA1()[2] = 1;   // the numerical section input, which has the segments
        f.reshow();
    }
    const Member before(*m);
    QSignalSpy stored(&f.d, &editMTypeDialog::updateMTypes);
    QLineEdit *edit = f.le(qPrintable(field));
    edit->setText(text);
    const bool checked = edit->isVisibleTo(&f.d);
    // Marked as typed, with the reason in the tool tip.
    QCOMPARE(edit->toolTip(), message.isEmpty() ? edit->toolTip() : message);
    QCOMPARE(f.refusal(qPrintable(button)), message.isEmpty() ? QString() : QStringLiteral("Error|") + message);
    if (button == QLatin1String("okBtn"))
        QCOMPARE(stored.count(), message.isEmpty() ? 1 : 0);
    if (!message.isEmpty() || !checked)
        QVERIFY(m->sameValues(before));   // nothing stored; a hidden field keeps the record's value
    else
        QVERIFY(!m->sameValues(before));
}

QTEST_MAIN(tst_editMTypeDialog)
#include "tst_editmtypedialog.moc"
