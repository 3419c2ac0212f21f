#include <QtTest>

#include <QApplication>
#include <QMessageBox>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "editshapedialog.h"

#include <cstring>

// Doubles compared bit for bit: -0 differs from 0, and no fuzz.
static quint64 bits(double v)
{
    quint64 b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

class tst_editShapeDialog : public QObject
{
    Q_OBJECT
private slots:
    void form();
    void rowsPerComponent_data();
    void rowsPerComponent();
    void alphaShownWhenActive_data();
    void alphaShownWhenActive();
    void okStoresTableAndAlpha();
    void closingKeepsStoredValues();
    void cancelRestores();
    void growingModelKeepsRowsByPosition();
    void settersAppend();
    void resizeGeometry();
    void unchangedOkKeepsValues_data();
    void unchangedOkKeepsValues();
    void alphaChecked_data();
    void alphaChecked();

private:
    // What the main window's "Shape" action does: node ids repeated -IPVERT times.
    static void showFor(editShapeDialog &d, int nodes, int ipvert)
    {
        QList<int> ids;
        for (int k = 0; k < -ipvert; ++k)
            for (int id = 1; id <= nodes; ++id)
                ids << id;
        d.setTable(ids);
        d.setByLists();
    }
    static QTableWidget *table(editShapeDialog &d)
    {
        return d.findChild<QTableWidget *>(QStringLiteral("shapeTableWidget"));
    }
    static QLineEdit *alphaEdit(editShapeDialog &d)
    {
        return d.findChild<QLineEdit *>(QStringLiteral("alphaLineEdit"));
    }
    static QString cell(editShapeDialog &d, int row, int column)
    {
        const QTableWidgetItem *item = table(d)->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
};

void tst_editShapeDialog::form()
{
    editShapeDialog d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Shape Dialog"));
    QCOMPARE(d.findChild<QGroupBox *>(QStringLiteral("groupBox"))->title(), QStringLiteral("Shape"));
    QVERIFY(table(d));
    const QStringList headers{"Node IDs", "FX", "FY", "FM"};
    QCOMPARE(table(d)->columnCount(), 4);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(table(d)->horizontalHeaderItem(c)->text(), headers.at(c));
    QVERIFY(!alphaEdit(d)->isEnabled());
    QCOMPARE(d.minimumSize(), QSize(480, 280));
    QCOMPARE(d.showAlpha(), false);
    QCOMPARE(d.getAlpha(), 2.0);
    QVERIFY(d.getFx().isEmpty());
}

void tst_editShapeDialog::rowsPerComponent_data()
{
    QTest::addColumn<int>("nodes");
    QTest::addColumn<int>("ipvert");
    QTest::addColumn<QStringList>("ids");
    QTest::addRow("3 nodes, IPVERT -2") << 3 << -2 << QStringList{"1", "2", "3", "1", "2", "3"};
    QTest::addRow("2 nodes, IPVERT -3") << 2 << -3 << QStringList{"1", "2", "1", "2", "1", "2"};
    QTest::addRow("IPVERT 0") << 3 << 0 << QStringList{};
}

void tst_editShapeDialog::rowsPerComponent()
{
    QFETCH(int, nodes);
    QFETCH(int, ipvert);
    QFETCH(QStringList, ids);
    editShapeDialog d;
    showFor(d, nodes, ipvert);
    QCOMPARE(table(d)->rowCount(), ids.size());
    for (int row = 0; row < ids.size(); ++row) {
        QCOMPARE(cell(d, row, 0), ids.at(row));
        QCOMPARE(table(d)->item(row, 0)->flags(), Qt::NoItemFlags);
        for (int c = 1; c <= 3; ++c)
            QCOMPARE(cell(d, row, c), QStringLiteral("0"));
    }
    QCOMPARE(alphaEdit(d)->text(), QString());
    QVERIFY(!alphaEdit(d)->isEnabled());
    d.on_okBtn_clicked();
    QCOMPARE(d.getFx(), QList<double>(ids.size(), 0.0));
    QCOMPARE(d.getFm().size(), ids.size());
}

void tst_editShapeDialog::alphaShownWhenActive_data()
{
    QTest::addColumn<bool>("active");
    QTest::addColumn<QString>("shown");
    QTest::addRow("active") << true << "2";
    QTest::addRow("inactive") << false << "";
}

void tst_editShapeDialog::alphaShownWhenActive()
{
    QFETCH(bool, active);
    QFETCH(QString, shown);
    editShapeDialog d;
    d.setActivateAlpha(active);
    QCOMPARE(d.showAlpha(), active);
    QCOMPARE(alphaEdit(d)->isEnabled(), active);
    showFor(d, 3, -1);
    QCOMPARE(alphaEdit(d)->text(), shown);
    d.setActivateAlpha(!active);
    QCOMPARE(alphaEdit(d)->isEnabled(), !active);
}

void tst_editShapeDialog::okStoresTableAndAlpha()
{
    editShapeDialog d;
    showFor(d, 2, -1);
    d.on_okBtn_clicked();
    QCOMPARE(d.getAlpha(), 0.0);   // inactive ALPHA is empty, stored as 0

    d.setActivateAlpha(true);
    d.setAlpha(0.25);
    showFor(d, 2, -2);
    QCOMPARE(alphaEdit(d)->text(), QStringLiteral("0.25"));
    alphaEdit(d)->setText(QStringLiteral("1.75"));
    table(d)->item(3, 1)->setText(QStringLiteral("-4.5"));
    table(d)->item(0, 3)->setText(QStringLiteral("x"));
    d.show();
    // A cell holding no number is refused, naming it; nothing is stored.
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->close();
        }
    });
    d.on_okBtn_clicked();
    QCOMPARE(shown, QStringLiteral("FM of node 1 in row 1 must be a number"));
    QVERIFY(d.isVisible());
    QCOMPARE(d.getAlpha(), 0.25);
    table(d)->item(0, 3)->setText(QString());
    d.on_okBtn_clicked();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.getAlpha(), 1.75);
    QCOMPARE(d.getFx(), QList<double>({0, 0, 0, -4.5}));
    QCOMPARE(d.getFm(), QList<double>({0, 0, 0, 0}));
}

void tst_editShapeDialog::closingKeepsStoredValues()
{
    editShapeDialog d;
    d.setActivateAlpha(true);
    showFor(d, 3, -1);
    table(d)->item(1, 2)->setText(QStringLiteral("3"));
    d.on_okBtn_clicked();
    QCOMPARE(d.getFy(), QList<double>({0, 3, 0}));

    // An edit left by the title bar's close button or by Escape is dropped.
    showFor(d, 3, -1);
    table(d)->item(1, 2)->setText(QStringLiteral("8"));
    d.show();
    d.close();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.getFy(), QList<double>({0, 3, 0}));
    QCOMPARE(cell(d, 1, 2), QStringLiteral("3"));
    QCOMPARE(d.getAlpha(), 2.0);

    showFor(d, 3, -1);
    table(d)->item(2, 3)->setText(QStringLiteral("8"));
    d.show();
    QTest::keyClick(&d, Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.getFm(), QList<double>({0, 0, 0}));
    QCOMPARE(d.getFy(), QList<double>({0, 3, 0}));
    QCOMPARE(d.getFx().size(), 3);
}

void tst_editShapeDialog::cancelRestores()
{
    editShapeDialog d;
    d.setFx({1.5, 2.5});
    d.setFy({0, 0});
    d.setFm({0, 0});
    showFor(d, 2, -1);
    table(d)->item(0, 1)->setText(QStringLiteral("9"));
    d.show();
    d.on_cancelBtn_clicked();
    QVERIFY(d.isVisible());
    QCOMPARE(cell(d, 0, 1), QStringLiteral("1.5"));
    d.on_okBtn_clicked();
    QCOMPARE(d.getFx(), QList<double>({1.5, 2.5}));
}

void tst_editShapeDialog::growingModelKeepsRowsByPosition()
{
    editShapeDialog d;
    showFor(d, 2, -2);
    for (int row = 0; row < 4; ++row)
        table(d)->item(row, 1)->setText(QString::number(row + 1));
    d.on_okBtn_clicked();

    showFor(d, 3, -2);
    QCOMPARE(table(d)->rowCount(), 6);
    const QStringList shown{"1", "2", "3", "4", "0", "0"};
    for (int row = 0; row < 6; ++row)
        QCOMPARE(cell(d, row, 1), shown.at(row));
    d.on_okBtn_clicked();
    QCOMPARE(d.getFx(), QList<double>({1, 2, 3, 4, 0, 0}));

    // Fewer rows: values past the last row are dropped at the next store.
    showFor(d, 1, -2);
    d.on_okBtn_clicked();
    QCOMPARE(d.getFx(), QList<double>({1, 2}));
}

void tst_editShapeDialog::settersAppend()
{
    editShapeDialog d;
    d.setFx({1, 2});
    d.setFx({3});
    d.setFy({4, 5, 6});
    d.setFm({7, 8, 9});
    d.setAlpha(0.5);
    QCOMPARE(d.getFx(), QList<double>({1, 2, 3}));
    QCOMPARE(d.getFy(), QList<double>({4, 5, 6}));
    QCOMPARE(d.getFm(), QList<double>({7, 8, 9}));
    QCOMPARE(d.getAlpha(), 0.5);
    d.setLists({1}, {2}, {3});
    QCOMPARE(d.getFx(), QList<double>({1}));
    QCOMPARE(d.getFm(), QList<double>({3}));
}

void tst_editShapeDialog::resizeGeometry()
{
    editShapeDialog d;
    QResizeEvent event(QSize(600, 400), d.size());
    QApplication::sendEvent(&d, &event);
    QCOMPARE(d.findChild<QGroupBox *>(QStringLiteral("groupBox"))->size(), QSize(568, 311));
    QCOMPARE(table(d)->size(), QSize(548, 241));
    QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("okBtn"))->pos(), QPoint(80, 370));
    QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("cancelBtn"))->pos(), QPoint(450, 370));
}

void tst_editShapeDialog::unchangedOkKeepsValues_data()
{
    QTest::addColumn<double>("value");
    QTest::addRow("0.1+0.2") << 0.1 + 0.2;
    QTest::addRow("1234567.891") << 1234567.891;
    QTest::addRow("1e-300") << 1e-300;
    QTest::addRow("-0") << -0.0;
    QTest::addRow("2e9/3") << 2e9 / 3;
}

void tst_editShapeDialog::unchangedOkKeepsValues()
{
    QFETCH(double, value);
    editShapeDialog d;
    d.setActivateAlpha(true);
    d.setAlpha(value);
    const QList<double> fx{value, 1.0 / 3, -value, 0.0}, fy{0.5, value, value, 1e308}, fm{-value, 2.0, value, 0.1};
    d.setLists(fx, fy, fm);
    showFor(d, 2, -2);
    d.findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
    QCOMPARE(bits(d.getAlpha()), bits(value));
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(bits(d.getFx().at(row)), bits(fx.at(row)));
        QCOMPARE(bits(d.getFy().at(row)), bits(fy.at(row)));
        QCOMPARE(bits(d.getFm().at(row)), bits(fm.at(row)));
    }
}

void tst_editShapeDialog::alphaChecked_data()
{
    QTest::addColumn<bool>("active");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");   // empty: stored, or not checked
    QTest::addRow("abc") << true << "abc" << "ALPHA must be a number";
    QTest::addRow("empty") << true << "" << "ALPHA must be a number";
    QTest::addRow("1,5") << true << "1,5" << "ALPHA must be a number";
    QTest::addRow("good") << true << "1.5" << "";
    QTest::addRow("inactive") << false << "abc" << "";
}

void tst_editShapeDialog::alphaChecked()
{
    QFETCH(bool, active);
    QFETCH(QString, text);
    QFETCH(QString, message);
    editShapeDialog d;
    d.setActivateAlpha(true);
    d.setAlpha(0.25);
    showFor(d, 2, -1);
    d.setActivateAlpha(active);
    alphaEdit(d)->setText(text);
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->close();
        }
    });
    d.on_okBtn_clicked();
    QCoreApplication::processEvents();
    QCOMPARE(shown, message);
    QCOMPARE(d.getAlpha(), !message.isEmpty() ? 0.25 : active ? 1.5 : 0.0);
}

QTEST_MAIN(tst_editShapeDialog)
#include "tst_editshapedialog.moc"
