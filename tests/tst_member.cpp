#include <QtTest>

#include "member.h"
#include "projectdata.h"

class tst_Member : public QObject
{
    Q_OBJECT
private slots:
    void defaultsOfEveryCategory_data();
    void defaultsOfEveryCategory();
    void categoryArraysAbsentElsewhere();
    void copyKeepsValuesNotLabel();
    void copiesShareNoStorage();
    void nodesAndDriftFromGrid();
    void completenessMessage();
};

void tst_Member::defaultsOfEveryCategory_data()
{
    QTest::addColumn<int>("type");
    for (int t = 0; t < 6; ++t)
        QTest::addRow("%s", qPrintable(Member::categoryCaption(t))) << t;
}

void tst_Member::defaultsOfEveryCategory()
{
    QFETCH(int, type);
    Member m(3, type);
    QCOMPARE(m.getID(), 3);
    QCOMPARE(m.getType(), type);
    QCOMPARE(m.getLabel(), QStringLiteral("MTYPE3"));
    QCOMPARE(m.getTakKKK(), 2);
    QCOMPARE(m.getTakeda()[2], 1.0);
    QCOMPARE(m.getihyst39()[3], 1.0);
    QCOMPARE(m.getihyst53A()[0], 1);
    QCOMPARE(m.getihyst53A()[1], 1);
    const double b53[8] = {1.0, 10.0, 1.5, 100.0, 1.375, 55.0, 0, 0};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(m.getihyst53B()[i], b53[i]);
    const double row54[8] = {0.0025, 0.005, 2.0, 0.2, 1.0, 1.0, 1.0, 0};
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 8; ++i)
            QCOMPARE(m.getihyst54()[k][i], row54[i]);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(m.getFrameIC()[i], 0.0);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m.getFrameDeg()[i], 0.0);
}

void tst_Member::categoryArraysAbsentElsewhere()
{
    Member wall(1, Member::WALL);
    QCOMPARE(wall.getWallA1()[0], 2);
    QCOMPARE(wall.getWallA1()[1], 3);
    QCOMPARE(*wall.getWallXI(), QList<double>({0, 0, 0}));
    QCOMPARE(*wall.getWallASI(), QList<double>({0, 0, 0}));
    QCOMPARE(*wall.getWallACI(), QList<double>({0, 0, 0}));
    QVERIFY(!wall.getFrameA());
    QVERIFY(!wall.getSpringA1());
    QVERIFY(!wall.getDamperA2());

    Member damper(1, Member::DAMPER);
    for (int i = 0; i < 12; ++i)
        QCOMPARE(damper.getDamperA2()[i], i == 5 ? 1.0 : 0.0);
    QVERIFY(!damper.getWallXI());

    Member frame(1, Member::FRAME);
    QCOMPARE(frame.getFrameIType(), 1);
    Member spring(1, Member::SPRING);
    QCOMPARE(spring.getSpringA1()[0], 1);
    Member multi(1, Member::MULTISPRING);
    QCOMPARE(multi.getMultiSpringB1()[0], 0);
    QVERIFY(!multi.getReinforcedA1());
}

void tst_Member::copyKeepsValuesNotLabel()
{
    Member two(2, Member::SPRING);
    two.setLabel(QStringLiteral("Isolator"));
    two.getSpringA1()[1] = 53;
    two.getihyst53B()[3] = 42.5;
    two.springI = 2;
    two.getFrameDeg()[4] = 7.0;
    Member four(4, two);
    QCOMPARE(four.getID(), 4);
    QCOMPARE(four.getLabel(), QStringLiteral("MTYPE4"));
    QCOMPARE(four.getType(), int(Member::SPRING));
    QCOMPARE(four.getSpringA1()[1], 53);
    QCOMPARE(four.getihyst53B()[3], 42.5);
    QCOMPARE(four.springI, 2);
    QCOMPARE(four.getFrameDeg()[4], 7.0);
}

void tst_Member::copiesShareNoStorage()
{
    Member multi(1, Member::MULTISPRING);
    for (int i = 0; i < 5; ++i)
        multi.getMultiSpringKLOS()[i] = i + 1.5;
    Member multiCopy(2, multi);
    multi.getMultiSpringKLOS()[0] = 99;
    QCOMPARE(multiCopy.getMultiSpringKLOS()[0], 1.5);
    QCOMPARE(multiCopy.getMultiSpringKLOS()[4], 5.5);
    QVERIFY(multiCopy.getMultiSpringKLOS() != multi.getMultiSpringKLOS());

    Member wall(1, Member::WALL);
    QList<double> twelve;
    for (int i = 0; i < 12; ++i)
        twelve.append(i * 0.5);
    *wall.getWallXI() = twelve;
    *wall.getWallASI() = twelve;
    *wall.getWallACI() = twelve;
    Member wallCopy(2, wall);
    QCOMPARE(*wallCopy.getWallXI(), twelve);
    QCOMPARE(*wallCopy.getWallACI(), twelve);
    (*wall.getWallXI())[0] = 100;
    QCOMPARE(wallCopy.getWallXI()->at(0), 0.0);
}

void tst_Member::nodesAndDriftFromGrid()
{
    const QList<NodeData> nodes = ModelCore::buildNodes({"8", "0", "4"}, {"0", "3", "6"}, 2);
    QCOMPARE(nodes.size(), 9);
    QCOMPARE(nodes.at(4).id, 5);
    QCOMPARE(nodes.at(4).x, 4.0);
    QCOMPARE(nodes.at(4).y, 3.0);
    QCOMPARE(nodes.at(2).nf3, 1);
    QCOMPARE(nodes.at(3).nf1, 0);
    QCOMPARE(nodes.at(8).iout, 2);
    QCOMPARE(ModelCore::driftIds("2", 3, 3), QStringList({"2", "5", "8"}));
    QVERIFY(ModelCore::driftIds("None", 3, 3).isEmpty());
    QVERIFY(ModelCore::driftIds("4", 3, 3).isEmpty());
    QVERIFY(ModelCore::buildNodes({}, {"0"}, 0).isEmpty());
}

void tst_Member::completenessMessage()
{
    ProjectData empty;
    QCOMPARE(ModelCore::completenessMessage(empty),
             QStringLiteral("You must set, Nodes, Elements, Member-Types, Control Options, Drift, Equake, Loads, Weights."));
    empty.shapeEnabled = true;
    QVERIFY(ModelCore::completenessMessage(empty).endsWith(", Weights, Shape."));
}

QTEST_APPLESS_MAIN(tst_Member)
#include "tst_member.moc"
