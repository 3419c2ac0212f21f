#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>

#include <functional>

#include "editnodedialog.h"

namespace {

struct Message {
    QString title;
    QString text;
    QWidget *parent = nullptr;
    bool shown = false;
};

Message captureMessage(const std::function<void()> &action)
{
    Message m;
    QObject context;
    QTimer::singleShot(0, &context, [&m] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            m.shown = true;
            m.title = box->windowTitle();
            m.text = box->text();
            m.parent = box->parentWidget();
            box->close();
        }
    });
    action();
    return m;
}

QStringList items(const QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

const QString kupTip[3] = {
    "0 no coupling of the X-displacement degree of freedom\nJ X-displacement of this node is coupled to that of node J\n"
    "-1 Support node for travelling wave input for x component of input (NF1 must = 0)\n"
    "-k Only if IPANAL = 8 or 9. Input k displacement at this degree of freedom",
    "0 no coupling of the Y-displacement degree of freedom\nJ Y-displacement of this node is coupled to that of node J\n"
    "-1 Support node for travelling wave input for y component of input (NF2 must = 0)\n"
    "-k Only if IPANAL = 8 or 9. Input k displacement at this degree of freedom",
    "0 no coupling of the Z-rotation degree of freedom\nJ Z-rotation of this node is coupled to that of node J\n"
    "-k Only if IPANAL = 8 or 9. Input k displacement at this degree of freedom",
};

} // namespace

class tst_editNodeDialog : public QObject
{
    Q_OBJECT

private:
    QComboBox *combo(editNodeDialog &d, const QString &name) { return d.findChild<QComboBox *>(name); }
    QLineEdit *edit(editNodeDialog &d, const QString &name) { return d.findChild<QLineEdit *>(name); }
    QComboBox *kupCombo(editNodeDialog &d, int n) { return combo(d, QStringLiteral("kup%1ComboBox").arg(n)); }
    QLineEdit *kupEdit(editNodeDialog &d, int n) { return edit(d, QStringLiteral("kup%1LineEdit").arg(n)); }

    // The node's loading sequence, for a node of the 3 by 3 grid
    // X 0, 4, 8 and Y 0, 3, 6 (nodes 1-3 on the base, 7-9 on top).
    void load(editNodeDialog &d, int id, int kup1 = 0, int kup2 = 0, int kup3 = 0,
              int nf1 = 0, int nf2 = 0, int nf3 = 0, int iout = 0)
    {
        const int row = (id - 1) / 3;
        const int col = (id - 1) % 3;
        QStringList rowIds, colIds;
        for (int j = 0; j < 3; ++j)
            rowIds << QString::number(row * 3 + j + 1);
        for (int i = 0; i < 3; ++i)
            colIds << QString::number(i * 3 + col + 1);
        d.setId(id);
        d.setX(col * 4.0);
        d.setY(row * 3.0);
        d.setKup1(kup1);
        d.setKup2(kup2);
        d.setKup3(kup3);
        d.setNf1(nf1);
        d.setNf2(nf2);
        d.setNf3(nf3);
        d.setKup1List(rowIds);
        d.setKup2List(colIds);
        d.setKup3List();
        d.setIout(iout);
        d.setProperties();
    }
    Message pressOk(editNodeDialog &d)
    {
        return captureMessage([&] { d.findChild<QPushButton *>("okBtn")->click(); });
    }

private slots:
    void form();
    void idAndCoordinates();
    void couplingOffers_data();
    void couplingOffers();
    void storedValuesSelected();
    void storedInputShowsLineEdit();
    void unknownCouplingShowsZero();
    void comboTogglesLineEdit();
    void okStoresValues();
    void okTakesInput_data();
    void okTakesInput();
    void hiddenLineEditNotChecked();
    void checkTheValuesOnEveryKup();
    void cancelRestoresWidgets();
    void unchangedOkKeepsValues_data();
    void unchangedOkKeepsValues();
};

void tst_editNodeDialog::form()
{
    editNodeDialog d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Edit Node"));
    QCOMPARE(d.size(), QSize(273, 512));
    QCOMPARE(d.minimumSize(), d.maximumSize());
    QCOMPARE(d.getIout(), 0);

    const struct { const char *label, *widget, *text, *tip; } fields[] = {
        {"idTxt", "IDLineEdit", "Node ID", "Nodal point number"},
        {"XCoordinateTxt", "XLineEdit", "X-Ordinate", "X-coordinate of node"},
        {"YCoordinateTxt", "YLineEdit", "Y-Ordinate", "Y-coordinate of node"},
    };
    for (const auto &f : fields) {
        QCOMPARE(d.findChild<QLabel *>(f.label)->text(), QString(f.text));
        QCOMPARE(d.findChild<QLabel *>(f.label)->toolTip(), QString(f.tip));
        QCOMPARE(edit(d, f.widget)->toolTip(), QString(f.tip));
        QVERIFY(!edit(d, f.widget)->isEnabled());
    }

    const QString nfTip[3] = {
        "0 x-displacement is unconstrained\n1 x-displacement is zero i.e fixed",
        "0 y-displacement is unconstrained\n1 y-displacement is zero i.e fixed",
        "0 Z-rotation is unconstrained\n1 Z-rotation is zero i.e fixed",
    };
    const char *nfLabels[3] = {"label", "label_2", "label_3"};
    for (int n = 0; n < 3; ++n) {
        QComboBox *c = combo(d, QStringLiteral("nf%1ComboBox").arg(n + 1));
        QCOMPARE(items(c), QStringList({"0", "1"}));
        QCOMPARE(c->toolTip(), nfTip[n]);
        QLabel *l = d.findChild<QLabel *>(nfLabels[n]);
        QCOMPARE(l->text(), QStringLiteral("NF %1").arg(n + 1));
        QCOMPARE(l->toolTip(), n < 2 ? nfTip[n] : QString());
    }
    for (int n = 1; n <= 3; ++n) {
        QLabel *l = d.findChild<QLabel *>(QStringLiteral("kup%1Txt").arg(n));
        QCOMPARE(l->text(), QStringLiteral("KUP %1").arg(n));
        QCOMPARE(l->toolTip(), kupTip[n - 1]);
        QCOMPARE(kupCombo(d, n)->toolTip(), kupTip[n - 1]);
        QCOMPARE(kupEdit(d, n)->text(), QStringLiteral("-2"));
    }
    QCOMPARE(d.findChild<QLabel *>("ioutTxt")->text(), QStringLiteral("IOUT"));
    QCOMPARE(d.findChild<QLabel *>("ioutTxt")->toolTip(), QStringLiteral("Output control flag"));
    QCOMPARE(combo(d, "ioutComboBox")->toolTip(), QStringLiteral("Output control flag"));
    QCOMPARE(items(combo(d, "ioutComboBox")), QStringList({"0", "1", "2", "3"}));
    QCOMPARE(d.findChild<QPushButton *>("okBtn")->text(), QStringLiteral("OK"));
    QCOMPARE(d.findChild<QPushButton *>("cancelBtn")->text(), QStringLiteral("Cancel"));
}

void tst_editNodeDialog::idAndCoordinates()
{
    editNodeDialog d;
    d.setId(17);
    d.setX(1234567.123456789);
    d.setY(-2.5);
    QCOMPARE(d.getId(), 17);
    QCOMPARE(d.getX(), 1234567.123456789);
    QCOMPARE(d.getY(), -2.5);
    QCOMPARE(edit(d, "IDLineEdit")->text(), QStringLiteral("17"));
    QCOMPARE(edit(d, "XLineEdit")->text(), QStringLiteral("1234567.12345679"));
    QCOMPARE(edit(d, "YLineEdit")->text(), QStringLiteral("-2.5"));
    d.setX(4.0);
    QCOMPARE(edit(d, "XLineEdit")->text(), QStringLiteral("4"));
}

void tst_editNodeDialog::couplingOffers_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QStringList>("kup1List");
    QTest::addColumn<QStringList>("kup2List");
    QTest::addColumn<QStringList>("kup1");
    QTest::addColumn<QStringList>("kup2");
    QTest::addColumn<QStringList>("kup3");

    QTest::addRow("node 5, centre")
        << 5 << QStringList{"4", "5", "6", "-1", "-k"} << QStringList{"2", "5", "8", "-1", "-k"}
        << QStringList{"0", "4", "6", "-1", "-k"} << QStringList{"0", "2", "8", "-1", "-k"}
        << QStringList{"0", "6", "2", "8", "-1", "-k"};
    QTest::addRow("node 4, first of its row")
        << 4 << QStringList{"4", "5", "6", "-1", "-k"} << QStringList{"1", "4", "7", "-1", "-k"}
        << QStringList{"0", "5", "6", "-1", "-k"} << QStringList{"0", "1", "7", "-1", "-k"}
        << QStringList{"0", "5", "6", "1", "7", "-1", "-k"};
    QTest::addRow("node 9, top right")
        << 9 << QStringList{"7", "8", "9", "-1", "-k"} << QStringList{"3", "6", "9", "-1", "-k"}
        << QStringList{"0", "7", "8", "-1", "-k"} << QStringList{"0", "3", "6", "-1", "-k"}
        << QStringList{"0", "8", "3", "6", "-1", "-k"};
}

void tst_editNodeDialog::couplingOffers()
{
    QFETCH(int, id);
    QFETCH(QStringList, kup1List);
    QFETCH(QStringList, kup2List);
    QFETCH(QStringList, kup1);
    QFETCH(QStringList, kup2);
    QFETCH(QStringList, kup3);

    editNodeDialog d;
    load(d, id);
    QCOMPARE(d.getKup1List(), kup1List);
    QCOMPARE(d.getKup2List(), kup2List);
    QCOMPARE(items(kupCombo(d, 1)), kup1);
    QCOMPARE(items(kupCombo(d, 2)), kup2);
    QCOMPARE(items(kupCombo(d, 3)), kup3);

    // Loading again (the next right click) does not pile entries up.
    load(d, id);
    QCOMPARE(items(kupCombo(d, 1)), kup1);
    QCOMPARE(items(kupCombo(d, 3)), kup3);
}

void tst_editNodeDialog::storedValuesSelected()
{
    editNodeDialog d;
    load(d, 5, 6, -1, 8, 1, 0, 1, 3);
    QCOMPARE(kupCombo(d, 1)->currentText(), QStringLiteral("6"));
    QCOMPARE(kupCombo(d, 2)->currentText(), QStringLiteral("-1"));
    QCOMPARE(kupCombo(d, 3)->currentText(), QStringLiteral("8"));
    for (int n = 1; n <= 3; ++n)
        QVERIFY(kupEdit(d, n)->isHidden());
    QCOMPARE(combo(d, "nf1ComboBox")->currentIndex(), 1);
    QCOMPARE(combo(d, "nf2ComboBox")->currentIndex(), 0);
    QCOMPARE(combo(d, "nf3ComboBox")->currentIndex(), 1);
    QCOMPARE(combo(d, "ioutComboBox")->currentIndex(), 3);
}

void tst_editNodeDialog::storedInputShowsLineEdit()
{
    editNodeDialog d;
    load(d, 5, -3, 0, -12);
    QCOMPARE(kupCombo(d, 1)->currentText(), QStringLiteral("-k"));
    QVERIFY(!kupEdit(d, 1)->isHidden());
    QCOMPARE(kupEdit(d, 1)->text(), QStringLiteral("-3"));
    QCOMPARE(kupCombo(d, 2)->currentText(), QStringLiteral("0"));
    QVERIFY(kupEdit(d, 2)->isHidden());
    QCOMPARE(kupCombo(d, 3)->currentText(), QStringLiteral("-k"));
    QCOMPARE(kupEdit(d, 3)->text(), QStringLiteral("-12"));
    QVERIFY(!kupEdit(d, 3)->isHidden());
}

void tst_editNodeDialog::unknownCouplingShowsZero()
{
    editNodeDialog d;
    // 7 is not on node 5's Y line, and a node never couples to itself.
    load(d, 5, 5, 7);
    QCOMPARE(kupCombo(d, 1)->currentText(), QStringLiteral("0"));
    QCOMPARE(kupCombo(d, 2)->currentText(), QStringLiteral("0"));
}

void tst_editNodeDialog::comboTogglesLineEdit()
{
    editNodeDialog d;
    load(d, 5);
    for (int n = 1; n <= 3; ++n) {
        QComboBox *c = kupCombo(d, n);
        QVERIFY(kupEdit(d, n)->isHidden());
        c->setCurrentIndex(c->count() - 1);
        QVERIFY(!kupEdit(d, n)->isHidden());
        c->setCurrentIndex(c->count() - 2);   // "-1"
        QVERIFY(kupEdit(d, n)->isHidden());
        c->setCurrentIndex(c->count() - 1);
        c->setCurrentIndex(1);
        QVERIFY(kupEdit(d, n)->isHidden());
    }
}

void tst_editNodeDialog::okStoresValues()
{
    editNodeDialog d;
    load(d, 5);
    QSignalSpy spy(&d, &editNodeDialog::updateNode);
    combo(d, "nf1ComboBox")->setCurrentIndex(1);
    combo(d, "nf3ComboBox")->setCurrentIndex(1);
    kupCombo(d, 1)->setCurrentText("6");
    kupCombo(d, 2)->setCurrentText("-1");
    kupCombo(d, 3)->setCurrentText("2");
    combo(d, "ioutComboBox")->setCurrentIndex(2);

    QCOMPARE(pressOk(d).shown, false);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(d.getNf1(), 1);
    QCOMPARE(d.getNf2(), 0);
    QCOMPARE(d.getNf3(), 1);
    QCOMPARE(d.getKup1(), 6);
    QCOMPARE(d.getKup2(), -1);
    QCOMPARE(d.getKup3(), 2);
    QCOMPARE(d.getIout(), 2);
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

void tst_editNodeDialog::okTakesInput_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    QTest::addRow("-2") << "-2" << true;
    QTest::addRow("-10") << "-10" << true;
    QTest::addRow("-1 is chosen by its entry") << "-1" << false;
    QTest::addRow("-0") << "-0" << false;
    QTest::addRow("positive") << "5" << false;
    QTest::addRow("empty") << "" << false;
    QTest::addRow("decimal") << "-2.5" << false;
    QTest::addRow("blank inside") << "- 3" << false;
    QTest::addRow("letters") << "-k" << false;
    QTest::addRow("double minus") << "--3" << false;
    QTest::addRow("beyond int") << "-99999999999" << false;
}

void tst_editNodeDialog::okTakesInput()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);

    editNodeDialog d;
    load(d, 5, 4, 2, 6);
    QSignalSpy spy(&d, &editNodeDialog::updateNode);
    kupCombo(d, 2)->setCurrentText("-k");
    kupEdit(d, 2)->setText(text);
    combo(d, "nf2ComboBox")->setCurrentIndex(1);

    const Message m = pressOk(d);
    if (accepted) {
        QCOMPARE(m.shown, false);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(d.getKup2(), text.toInt());
        QCOMPARE(d.getNf2(), 1);
    } else {
        QCOMPARE(m.title, QStringLiteral("Error"));
        QCOMPARE(m.text, QStringLiteral("Check the values"));
        QCOMPARE(m.parent, static_cast<QWidget *>(&d));
        QCOMPARE(spy.count(), 0);
        // Nothing stored.
        QCOMPARE(d.getKup1(), 4);
        QCOMPARE(d.getKup2(), 2);
        QCOMPARE(d.getKup3(), 6);
        QCOMPARE(d.getNf2(), 0);
    }
}

void tst_editNodeDialog::hiddenLineEditNotChecked()
{
    editNodeDialog d;
    load(d, 5);
    QSignalSpy spy(&d, &editNodeDialog::updateNode);
    // A value typed for "-k" and then abandoned for another entry is not used,
    // so it cannot block OK.
    kupCombo(d, 1)->setCurrentText("-k");
    kupEdit(d, 1)->setText("abc");
    kupCombo(d, 1)->setCurrentText("4");
    kupEdit(d, 3)->clear();
    QCOMPARE(pressOk(d).shown, false);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(d.getKup1(), 4);
    QCOMPARE(d.getKup3(), 0);

    // Loading again offers the default input value next time "-k" is picked.
    d.setProperties();
    QCOMPARE(kupEdit(d, 1)->text(), QStringLiteral("-2"));
    QCOMPARE(kupEdit(d, 3)->text(), QStringLiteral("-2"));
}

void tst_editNodeDialog::checkTheValuesOnEveryKup()
{
    for (int n = 1; n <= 3; ++n) {
        editNodeDialog d;
        load(d, 5);
        QSignalSpy spy(&d, &editNodeDialog::updateNode);
        kupCombo(d, n)->setCurrentText("-k");
        kupEdit(d, n)->clear();
        QCOMPARE(pressOk(d).text, QStringLiteral("Check the values"));
        QCOMPARE(spy.count(), 0);
        // The input stays for the user to correct.
        QCOMPARE(kupCombo(d, n)->currentText(), QStringLiteral("-k"));
        kupEdit(d, n)->setText(QStringLiteral("-%1").arg(n + 1));
        QCOMPARE(pressOk(d).shown, false);
        QCOMPARE(spy.count(), 1);
        const int values[3] = {d.getKup1(), d.getKup2(), d.getKup3()};
        QCOMPARE(values[n - 1], -(n + 1));
    }
}

void tst_editNodeDialog::cancelRestoresWidgets()
{
    editNodeDialog d;
    load(d, 5, -4, 8, 0, 1, 1, 0, 1);
    d.show();
    QSignalSpy spy(&d, &editNodeDialog::updateNode);
    kupCombo(d, 1)->setCurrentText("6");
    kupCombo(d, 2)->setCurrentText("-k");
    kupEdit(d, 2)->setText("-9");
    kupCombo(d, 3)->setCurrentText("-1");
    combo(d, "nf1ComboBox")->setCurrentIndex(0);
    combo(d, "ioutComboBox")->setCurrentIndex(3);

    d.findChild<QPushButton *>("cancelBtn")->click();
    QVERIFY(d.isVisible());
    QCOMPARE(spy.count(), 0);
    QCOMPARE(kupCombo(d, 1)->currentText(), QStringLiteral("-k"));
    QCOMPARE(kupEdit(d, 1)->text(), QStringLiteral("-4"));
    QVERIFY(!kupEdit(d, 1)->isHidden());
    QCOMPARE(kupCombo(d, 2)->currentText(), QStringLiteral("8"));
    QVERIFY(kupEdit(d, 2)->isHidden());
    QCOMPARE(kupCombo(d, 3)->currentText(), QStringLiteral("0"));
    QCOMPARE(combo(d, "nf1ComboBox")->currentIndex(), 1);
    QCOMPARE(combo(d, "ioutComboBox")->currentIndex(), 1);
    QCOMPARE(d.getKup1(), -4);
    QCOMPARE(d.getKup2(), 8);
    d.hide();
}

void tst_editNodeDialog::unchangedOkKeepsValues_data()
{
    QTest::addColumn<QList<int>>("values");   // KUP 1-3, NF 1-3, IOUT
    QTest::addRow("offered choices") << QList<int>{4, -1, 8, 1, 0, 1, 3};
    QTest::addRow("inputs") << QList<int>{-2, -2147483647, -99999, 0, 1, 0, 2};
    QTest::addRow("NF without item") << QList<int>{0, 0, 0, 2, -1, 7, 0};
    QTest::addRow("IOUT without item") << QList<int>{6, 0, -1, 0, 0, 0, 9};
    QTest::addRow("IOUT negative") << QList<int>{0, 2, 0, 1, 1, 1, -3};
}

void tst_editNodeDialog::unchangedOkKeepsValues()
{
    QFETCH(QList<int>, values);
    editNodeDialog d;
    load(d, 5, values[0], values[1], values[2], values[3], values[4], values[5], values[6]);
    QCOMPARE(pressOk(d).shown, false);
    const QList<int> stored{d.getKup1(), d.getKup2(), d.getKup3(), d.getNf1(), d.getNf2(), d.getNf3(), d.getIout()};
    QCOMPARE(stored, values);
}

QTEST_MAIN(tst_editNodeDialog)
#include "tst_editnodedialog.moc"
