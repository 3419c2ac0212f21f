#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>

#include <functional>
#include <memory>
#include <vector>

#include "editbardialog.h"
#include "member.h"

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

} // namespace

class tst_editBarDialog : public QObject
{
    Q_OBJECT

private:
    std::vector<std::unique_ptr<Member>> records;
    QList<Member *> types;

    QComboBox *combo(editBarDialog &d, const char *name) { return d.findChild<QComboBox *>(name); }
    QLineEdit *edit(editBarDialog &d, const char *name) { return d.findChild<QLineEdit *>(name); }
    QPushButton *button(editBarDialog &d, const char *name) { return d.findChild<QPushButton *>(name); }

    // The member's loading sequence.
    void load(editBarDialog &d, int id, int mType, int nodes, int node1, int node2,
              int node3 = 0, int node4 = 0, int iout = 0)
    {
        d.setMTypeList(types);
        d.setBarId(id);
        d.setBarMType(mType);
        d.setNodesCount(nodes);
        d.setNode1(node1);
        d.setNode2(node2);
        d.setNode3(node3);
        d.setNode4(node4);
        d.setIOut(iout);
    }

private slots:
    void initTestCase();
    void form();
    void okHasFocusAtStart();
    void memberTypeEntries();
    void loadShowsValues();
    void nodeOffers_data();
    void nodeOffers();
    void okEmitsProperties();
    void noMemberType_data();
    void noMemberType();
    void cancelRestoresCombos();
    void deleteMember();
    void unchangedOkKeepsValues_data();
    void unchangedOkKeepsValues();
};

void tst_editBarDialog::initTestCase()
{
    const int categories[3] = {Member::FRAME, Member::SPRING, Member::WALL};
    for (int k = 0; k < 3; ++k) {
        records.push_back(std::make_unique<Member>(k + 1, categories[k]));
        types << records.back().get();
    }
    records[1]->setLabel("Beam 30x60");
}

void tst_editBarDialog::form()
{
    editBarDialog d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Edit Bar"));
    QCOMPARE(d.size(), QSize(426, 247));
    QCOMPARE(d.minimumSize(), d.maximumSize());
    QCOMPARE(d.findChild<QGroupBox *>("groupBox")->title(), QStringLiteral("Member Properties"));

    const QString mTip = "Member type number, refers to the member properties that follows";
    const QString n3Tip = "Inner nodal point at end 1 of the member\n(if NODE3 is zero or blank it is reset = NODE1)";
    const struct { const char *name, *text, *tip; } labels[] = {
        {"label", "ID", "Member number"}, {"label_6", "NODE1", ""}, {"label_7", "NODE2", ""},
        {"label_2", "MTYPE", "Member type number, refers to the member properties that follows"},
        {"label_3", "NODE3", "Inner nodal point at end 1 of the member\n(if NODE3 is zero or blank it is reset = NODE1)"},
        {"label_4", "NODE4", ""}, {"label_5", "IOUT", ""},
    };
    for (const auto &l : labels) {
        QLabel *w = d.findChild<QLabel *>(l.name);
        QVERIFY2(w, l.name);
        QCOMPARE(w->text(), QString(l.text));
        QCOMPARE(w->toolTip(), QString(l.tip));
    }
    QCOMPARE(combo(d, "mTypeComboBox")->toolTip(), mTip);
    QCOMPARE(combo(d, "node3ComboBox")->toolTip(), n3Tip);
    QCOMPARE(combo(d, "iOutComboBox")->toolTip(), QStringLiteral("Output control flag"));
    QCOMPARE(items(combo(d, "iOutComboBox")), QStringList({"0", "1", "2", "3"}));
    for (const char *name : {"idLineEdit", "node1LineEdit", "node2LineEdit"})
        QVERIFY(!edit(d, name)->isEnabled());
    QCOMPARE(button(d, "okBtn")->text(), QStringLiteral("Ok"));
    QCOMPARE(button(d, "cancelBtn")->text(), QStringLiteral("Cancel"));
    QCOMPARE(button(d, "pushButton")->text(), QStringLiteral("Delete Member"));
}

void tst_editBarDialog::okHasFocusAtStart()
{
    editBarDialog d;
    load(d, 1, 1, 9, 1, 2);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(button(d, "okBtn")));
    d.hide();
}

void tst_editBarDialog::memberTypeEntries()
{
    editBarDialog d;
    d.setMTypeList(types);
    QCOMPARE(items(combo(d, "mTypeComboBox")),
             QStringList({"1  " + types[0]->getLabel(), "2  Beam 30x60", "3  " + types[2]->getLabel()}));
    // A new list replaces the entries.
    d.setMTypeList(types.mid(0, 1));
    QCOMPARE(combo(d, "mTypeComboBox")->count(), 1);
}

void tst_editBarDialog::loadShowsValues()
{
    editBarDialog d;
    load(d, 12, 2, 9, 4, 5, 7, 3, 2);
    QCOMPARE(edit(d, "idLineEdit")->text(), QStringLiteral("12"));
    QCOMPARE(edit(d, "node1LineEdit")->text(), QStringLiteral("4"));
    QCOMPARE(edit(d, "node2LineEdit")->text(), QStringLiteral("5"));
    QCOMPARE(combo(d, "mTypeComboBox")->currentIndex(), 1);
    QCOMPARE(combo(d, "node3ComboBox")->currentText(), QStringLiteral("7"));
    QCOMPARE(combo(d, "node4ComboBox")->currentText(), QStringLiteral("3"));
    QCOMPARE(combo(d, "iOutComboBox")->currentIndex(), 2);
    QCOMPARE(d.getBarId(), 12);
    QCOMPARE(d.getBarMType(), 2);
    QCOMPARE(d.getNode3(), 7);
    QCOMPARE(d.getNode4(), 3);
    QCOMPARE(d.getIOut(), 2);
}

void tst_editBarDialog::nodeOffers_data()
{
    QTest::addColumn<QList<int>>("counts");

    QTest::addRow("9 nodes, once") << QList<int>{9};
    QTest::addRow("9 nodes, reopened") << QList<int>{9, 9, 9};
    QTest::addRow("grid grew") << QList<int>{4, 9};
    QTest::addRow("grid shrank") << QList<int>{12, 9};
    QTest::addRow("no nodes") << QList<int>{0};
}

void tst_editBarDialog::nodeOffers()
{
    QFETCH(QList<int>, counts);

    editBarDialog d;
    for (int n : counts)
        load(d, 1, 1, n, 1, 2);
    const int n = counts.last();
    QStringList expected;
    for (int k = 0; k <= n; ++k)
        expected << QString::number(k);
    QCOMPARE(items(combo(d, "node3ComboBox")), expected);
    QCOMPARE(items(combo(d, "node4ComboBox")), expected);
}

void tst_editBarDialog::okEmitsProperties()
{
    editBarDialog d;
    load(d, 3, 1, 9, 1, 2);
    d.show();
    QSignalSpy spy(&d, &editBarDialog::setProperties);
    combo(d, "mTypeComboBox")->setCurrentIndex(2);
    combo(d, "node3ComboBox")->setCurrentText("4");
    combo(d, "node4ComboBox")->setCurrentText("8");
    combo(d, "iOutComboBox")->setCurrentIndex(3);

    QCOMPARE(captureMessage([&] { button(d, "okBtn")->click(); }).shown, false);
    QCOMPARE(spy.count(), 1);
    const QList<QVariant> args = spy.at(0);
    QCOMPARE(args.at(0).toInt(), 3);
    QCOMPARE(args.at(1).toInt(), 4);
    QCOMPARE(args.at(2).toInt(), 8);
    QCOMPARE(args.at(3).toInt(), 3);
    QVERIFY(!d.isVisible());
    // OK leaves the loaded values to the member.
    QCOMPARE(d.getNode3(), 0);

    // The member loads its new values on the next opening.
    load(d, 3, 3, 9, 1, 2, 4, 8, 3);
    QCOMPARE(combo(d, "node3ComboBox")->currentText(), QStringLiteral("4"));
    QCOMPARE(combo(d, "mTypeComboBox")->currentIndex(), 2);
}

void tst_editBarDialog::noMemberType_data()
{
    QTest::addColumn<int>("mType");
    QTest::addColumn<int>("typeCount");

    QTest::addRow("member without type") << 0 << 3;
    QTest::addRow("number beyond the list") << 5 << 3;
    QTest::addRow("no member types at all") << 1 << 0;
}

void tst_editBarDialog::noMemberType()
{
    QFETCH(int, mType);
    QFETCH(int, typeCount);

    editBarDialog d;
    load(d, 1, 1, 9, 1, 2);
    d.setMTypeList(types.mid(0, typeCount));
    d.setBarMType(mType);
    QCOMPARE(combo(d, "mTypeComboBox")->currentIndex(), -1);
    d.show();
    QSignalSpy spy(&d, &editBarDialog::setProperties);
    const Message m = captureMessage([&] { button(d, "okBtn")->click(); });
    QCOMPARE(m.title, QStringLiteral("Error"));
    QCOMPARE(m.text, QStringLiteral("You must select a Member Type"));
    QCOMPARE(m.parent, static_cast<QWidget *>(nullptr));
    QCOMPARE(spy.count(), 0);
    QVERIFY(d.isVisible());

    if (typeCount > 0) {
        combo(d, "mTypeComboBox")->setCurrentIndex(0);
        QCOMPARE(captureMessage([&] { button(d, "okBtn")->click(); }).shown, false);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 1);
    }
    d.hide();
}

void tst_editBarDialog::cancelRestoresCombos()
{
    editBarDialog d;
    load(d, 2, 2, 9, 1, 2, 5, 6, 1);
    d.show();
    QSignalSpy props(&d, &editBarDialog::setProperties);
    QSignalSpy deletion(&d, &editBarDialog::deleteBar);
    combo(d, "mTypeComboBox")->setCurrentIndex(0);
    combo(d, "node3ComboBox")->setCurrentIndex(0);
    combo(d, "node4ComboBox")->setCurrentIndex(9);
    combo(d, "iOutComboBox")->setCurrentIndex(3);

    button(d, "cancelBtn")->click();
    QVERIFY(d.isVisible());
    QCOMPARE(combo(d, "mTypeComboBox")->currentIndex(), 1);
    QCOMPARE(combo(d, "node3ComboBox")->currentIndex(), 5);
    QCOMPARE(combo(d, "node4ComboBox")->currentIndex(), 6);
    QCOMPARE(combo(d, "iOutComboBox")->currentIndex(), 1);
    QCOMPARE(props.count(), 0);
    QCOMPARE(deletion.count(), 0);

    // A member without type goes back to no selection.
    load(d, 2, 0, 9, 1, 2);
    combo(d, "mTypeComboBox")->setCurrentIndex(2);
    button(d, "cancelBtn")->click();
    QCOMPARE(combo(d, "mTypeComboBox")->currentIndex(), -1);
    d.hide();
}

void tst_editBarDialog::deleteMember()
{
    editBarDialog d;
    load(d, 4, 1, 9, 1, 2);
    d.show();
    QSignalSpy props(&d, &editBarDialog::setProperties);
    QSignalSpy deletion(&d, &editBarDialog::deleteBar);
    bool hiddenAtSignal = false;
    connect(&d, &editBarDialog::deleteBar, this, [&] { hiddenAtSignal = !d.isVisible(); });
    button(d, "pushButton")->click();
    QCOMPARE(deletion.count(), 1);
    QCOMPARE(props.count(), 0);
    QVERIFY(hiddenAtSignal);
    QVERIFY(!d.isVisible());
}

void tst_editBarDialog::unchangedOkKeepsValues_data()
{
    QTest::addColumn<QList<int>>("values");   // MTYPE, NODE3, NODE4, IOUT
    QTest::addRow("offered choices") << QList<int>{3, 9, 0, 2};
    QTest::addRow("IOUT without item") << QList<int>{1, 4, 5, 7};
    QTest::addRow("IOUT negative") << QList<int>{2, 0, 1, -2};
}

void tst_editBarDialog::unchangedOkKeepsValues()
{
    QFETCH(QList<int>, values);
    editBarDialog d;
    load(d, 4, values[0], 9, 1, 2, values[1], values[2], values[3]);
    QSignalSpy spy(&d, &editBarDialog::setProperties);
    QCOMPARE(captureMessage([&] { button(d, "okBtn")->click(); }).shown, false);
    QCOMPARE(spy.count(), 1);
    QList<int> emitted;
    for (const QVariant &v : spy.at(0))
        emitted << v.toInt();
    QCOMPARE(emitted, values);
}

QTEST_MAIN(tst_editBarDialog)
#include "tst_editbardialog.moc"
