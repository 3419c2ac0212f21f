#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

#include <functional>

#include "editgriddialog.h"

namespace {

struct Message {
    QString title;
    QString text;
    QString detail;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Runs action and returns what the modal message box it opened said; the box
// is closed right away. The timer dies with its context if no box appears.
Message captureMessage(const std::function<void()> &action)
{
    Message m;
    QObject context;
    QTimer::singleShot(0, &context, [&m] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            m.title = box->windowTitle();
            m.text = box->text();
            m.detail = box->detailedText();
            m.icon = box->icon();
            box->close();
        }
    });
    action();
    return m;
}

} // namespace

class tst_editGridDialog : public QObject
{
    Q_OBJECT

private:
    QTableWidget *xTable(editGridDialog &d) { return d.findChild<QTableWidget *>("setXTableWidget"); }
    QTableWidget *yTable(editGridDialog &d) { return d.findChild<QTableWidget *>("setYTableWidget"); }
    QPushButton *button(editGridDialog &d, const char *name) { return d.findChild<QPushButton *>(name); }
    QComboBox *combo(editGridDialog &d, const char *name) { return d.findChild<QComboBox *>(name); }

    // What the main window does before showing the dialog.
    void prepare(editGridDialog &d)
    {
        d.sortLines();
        d.setTables();
        d.addInitRows();
    }
    void type(QTableWidget *table, const QStringList &values)
    {
        for (int row = 0; row < values.size(); ++row)
            table->item(row, 1)->setText(values.at(row));
    }
    Message pressOk(editGridDialog &d)
    {
        return captureMessage([&] { button(d, "okBtn")->click(); });
    }
    // A dialog that has accepted the grid X = xs, Y = ys.
    void accept(editGridDialog &d, const QStringList &xs, const QStringList &ys)
    {
        prepare(d);
        type(xTable(d), xs);
        type(yTable(d), ys);
        QCOMPARE(pressOk(d).text, QString());
    }

private slots:
    void form();
    void okHasFocusAtStart();
    void initialRows();
    void tablesShowAcceptedGrid();
    void addRowButtons();
    void values_data();
    void values();
    void badYValueRefused();
    void duplicates_data();
    void duplicates();
    void messageIsCriticalError();
    void sortingAndIds();
    void emptyCellsSkipped();
    void allEmptyAccepted();
    void sortLinesNormalisesText();
    void updateGridEmittedOnceWithTrue();
    void ioutCombosKeepIndex();
    void ioutSettersAndRange();
    void cancelRestoresTablesKeepsGrid();
    void linesKeepTheirRows_data();
    void linesKeepTheirRows();
    void closeWithoutOkKeepsGrid();
    void refusedOkKeepsGrid();
    void spacingsAndOrigins_data();
    void spacingsAndOrigins();
    void tableKeys();
};

void tst_editGridDialog::form()
{
    editGridDialog d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Edit Grid"));
    QCOMPARE(d.size(), QSize(378, 691));
    QCOMPARE(d.minimumSize(), QSize(378, 691));
    QCOMPARE(d.maximumSize(), QSize(378, 691));
    for (QTableWidget *t : {xTable(d), yTable(d)}) {
        QVERIFY(t);
        QCOMPARE(t->columnCount(), 2);
        QCOMPARE(t->rowCount(), 0);
        QCOMPARE(t->horizontalHeaderItem(0)->text(), QStringLiteral("Axis ID"));
        QCOMPARE(t->horizontalHeaderItem(1)->text(), QStringLiteral(" Ordinate [meters]"));
        QCOMPARE(t->columnWidth(1), 110);
    }
    QCOMPARE(button(d, "addXRowBtn")->text(), QStringLiteral("Add X Axis"));
    QCOMPARE(button(d, "addYRowBtn")->text(), QStringLiteral("Add Y Axis"));
    QCOMPARE(button(d, "okBtn")->text(), QStringLiteral("Ok"));
    QCOMPARE(button(d, "cancelBtn")->text(), QStringLiteral("Cancel"));
    QCOMPARE(d.findChild<QGroupBox *>("setXGroupBox")->title(), QStringLiteral("X Grid Data"));
    QCOMPARE(d.findChild<QGroupBox *>("setYGroupBox")->title(), QStringLiteral("Y Grid Data"));
    QCOMPARE(d.findChild<QLabel *>("label")->text(), QStringLiteral("Nodes IOUT:"));
    QCOMPARE(d.findChild<QLabel *>("label_2")->text(), QStringLiteral("Elements IOUT:"));
    for (const char *name : {"nodesCBox", "elementsCBox"}) {
        QComboBox *c = combo(d, name);
        QCOMPARE(c->count(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(c->itemText(i), QString::number(i));
        QCOMPARE(c->currentIndex(), 0);
    }
    QCOMPARE(d.getNodesIOut(), 0);
    QCOMPARE(d.getElemetsIOut(), 0);
}

void tst_editGridDialog::okHasFocusAtStart()
{
    editGridDialog d;
    prepare(d);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(button(d, "okBtn")));
    QVERIFY(button(d, "okBtn")->isDefault());
    d.hide();
}

void tst_editGridDialog::initialRows()
{
    editGridDialog d;
    prepare(d);
    for (QTableWidget *t : {xTable(d), yTable(d)}) {
        QCOMPARE(t->rowCount(), 50);
        for (int row = 0; row < 50; ++row) {
            QCOMPARE(t->item(row, 0)->text(), QString::number(row + 1));
            QCOMPARE(t->item(row, 0)->flags(), Qt::NoItemFlags);
            QVERIFY(t->item(row, 1)->flags() & Qt::ItemIsEditable);
            QCOMPARE(t->item(row, 1)->text(), QString());
        }
    }
    // The id lists are not touched by the working rows.
    QVERIFY(d.getXIds().isEmpty());
    QVERIFY(d.getYIds().isEmpty());
}

void tst_editGridDialog::tablesShowAcceptedGrid()
{
    editGridDialog d;
    d.setXLines({"8", "0", "4"});
    d.setXIds({"1", "2", "3"});
    d.setYLines({"0", "3"});
    d.setYIds({"BASE", "STORY-1"});
    prepare(d);

    QTableWidget *x = xTable(d);
    QCOMPARE(x->rowCount(), 53);
    const QStringList xs = {"0", "4", "8"};
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(x->item(k, 1)->text(), xs.at(k));
        QCOMPARE(x->item(k, 0)->text(), QString::number(k + 1));
        QVERIFY(x->item(k, 1)->flags() & Qt::ItemIsEditable);
    }
    // Appended rows count from 1 again after the loaded ones.
    QCOMPARE(x->item(3, 0)->text(), QStringLiteral("1"));
    QCOMPARE(x->item(52, 0)->text(), QStringLiteral("50"));

    QTableWidget *y = yTable(d);
    QCOMPARE(y->rowCount(), 52);
    QCOMPARE(y->item(0, 0)->text(), QStringLiteral("BASE"));
    QCOMPARE(y->item(1, 0)->text(), QStringLiteral("STORY-1"));
    QCOMPARE(y->item(1, 1)->text(), QStringLiteral("3"));
    QCOMPARE(y->item(2, 0)->text(), QStringLiteral("1"));

    // Accepting the unchanged tables gives the same grid back.
    QCOMPARE(pressOk(d).text, QString());
    QCOMPARE(d.getXLines(), xs);
    QCOMPARE(d.getXIds(), QStringList({"1", "2", "3"}));
    QCOMPARE(d.getYLines(), QStringList({"0", "3"}));
    QCOMPARE(d.getYIds(), QStringList({"BASE", "STORY-1"}));
}

void tst_editGridDialog::addRowButtons()
{
    editGridDialog d;
    prepare(d);
    button(d, "addXRowBtn")->click();
    QCOMPARE(xTable(d)->rowCount(), 51);
    QCOMPARE(yTable(d)->rowCount(), 50);
    QCOMPARE(xTable(d)->item(50, 0)->text(), QStringLiteral("51"));
    QCOMPARE(xTable(d)->item(50, 0)->flags(), Qt::NoItemFlags);
    QVERIFY(xTable(d)->item(50, 1)->flags() & Qt::ItemIsEditable);

    button(d, "addYRowBtn")->click();
    button(d, "addYRowBtn")->click();
    QCOMPARE(yTable(d)->rowCount(), 52);
    QCOMPARE(yTable(d)->item(51, 0)->text(), QStringLiteral("52"));

    // A value typed in an added row takes part in the grid.
    type(yTable(d), {"0"});
    xTable(d)->item(50, 1)->setText("12.5");
    yTable(d)->item(51, 1)->setText("3");
    QCOMPARE(pressOk(d).text, QString());
    QCOMPARE(d.getXLines(), QStringList({"12.5"}));
    QCOMPARE(d.getYLines(), QStringList({"0", "3"}));
}

void tst_editGridDialog::values_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("accepted");

    QTest::addRow("integer") << "12" << true;
    QTest::addRow("zero") << "0" << true;
    QTest::addRow("leading zero") << "07" << true;
    QTest::addRow("decimal") << "3.5" << true;
    QTest::addRow("negative integer") << "-3" << true;
    QTest::addRow("negative decimal") << "-3.25" << true;
    QTest::addRow("plus sign") << "+3" << false;
    QTest::addRow("trailing point") << "3." << false;
    QTest::addRow("leading point") << ".5" << false;
    QTest::addRow("letter as point") << "3a5" << false;
    QTest::addRow("comma as point") << "3,5" << false;
    QTest::addRow("negative letter as point") << "-3x5" << false;
    QTest::addRow("two points") << "1.2.3" << false;
    QTest::addRow("exponent") << "1e3" << false;
    QTest::addRow("letters") << "abc" << false;
    QTest::addRow("leading blank") << " 4" << false;
    QTest::addRow("only blank") << " " << false;
    QTest::addRow("minus only") << "-" << false;
    QTest::addRow("double minus") << "--3" << false;
    QTest::addRow("non-ASCII digit") << QString(QChar(0x0663)) << false;
    QTest::addRow("too large for a double") << QString(400, QLatin1Char('9')) << false;
}

void tst_editGridDialog::values()
{
    QFETCH(QString, value);
    QFETCH(bool, accepted);

    editGridDialog d;
    prepare(d);
    QSignalSpy spy(&d, &editGridDialog::updateGrid);
    type(xTable(d), {"100", value});
    type(yTable(d), {"0"});

    const Message m = pressOk(d);
    if (accepted) {
        QCOMPARE(m.text, QString());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(d.getXLines().size(), 2);
        QVERIFY(d.getXLines().contains(QString::number(value.toDouble(), 'g', 15)));
    } else {
        QCOMPARE(m.text, QStringLiteral("Check the values."));
        QCOMPARE(spy.count(), 0);
        QVERIFY(d.getXLines().isEmpty());
        // The user's input stays in the table.
        QCOMPARE(xTable(d)->item(1, 1)->text(), value);
    }
}

void tst_editGridDialog::badYValueRefused()
{
    editGridDialog d;
    prepare(d);
    QSignalSpy spy(&d, &editGridDialog::updateGrid);
    type(xTable(d), {"0", "5"});
    type(yTable(d), {"0", "3,5"});
    QCOMPARE(pressOk(d).text, QStringLiteral("Check the values."));
    QCOMPARE(spy.count(), 0);
    QVERIFY(d.getYLines().isEmpty());
}

void tst_editGridDialog::duplicates_data()
{
    QTest::addColumn<QStringList>("xs");
    QTest::addColumn<QStringList>("ys");
    QTest::addColumn<QString>("message");

    QTest::addRow("same X text") << QStringList{"4", "0", "4"} << QStringList{"0"}
                                 << "You can't put two equal axes";
    QTest::addRow("same X value, other text") << QStringList{"4", "4.0"} << QStringList{"0"}
                                              << "You can't put two equal axes";
    QTest::addRow("leading zero") << QStringList{"07", "7"} << QStringList{"0"}
                                  << "You can't put two equal axes";
    QTest::addRow("minus zero") << QStringList{"-0", "0"} << QStringList{"0"}
                                << "You can't put two equal axes";
    QTest::addRow("same Y value") << QStringList{"0"} << QStringList{"3.50", "0", "3.5"}
                                  << "You can't put two equal axes";
    QTest::addRow("duplicate wins over bad value") << QStringList{"4", "4"} << QStringList{"x"}
                                                   << "You can't put two equal axes";
    QTest::addRow("same X in both tables is fine") << QStringList{"3"} << QStringList{"3"} << QString();
    QTest::addRow("close values differ") << QStringList{"4", "4.0000001"} << QStringList{"0"}
                                         << QString();
    QTest::addRow("only one bad copy") << QStringList{"3a5", "3b5"} << QStringList{"0"}
                                       << "Check the values.";
}

void tst_editGridDialog::duplicates()
{
    QFETCH(QStringList, xs);
    QFETCH(QStringList, ys);
    QFETCH(QString, message);

    editGridDialog d;
    prepare(d);
    QSignalSpy spy(&d, &editGridDialog::updateGrid);
    type(xTable(d), xs);
    type(yTable(d), ys);
    QCOMPARE(pressOk(d).text, message);
    QCOMPARE(spy.count(), message.isEmpty() ? 1 : 0);
    QCOMPARE(d.getXLines().size(), message.isEmpty() ? xs.size() : 0);
}

void tst_editGridDialog::messageIsCriticalError()
{
    editGridDialog d;
    prepare(d);
    type(xTable(d), {"1", "1"});
    Message m = pressOk(d);
    QCOMPARE(m.title, QStringLiteral("Error"));
    QCOMPARE(m.icon, QMessageBox::Critical);
    QCOMPARE(m.text, QStringLiteral("You can't put two equal axes"));

    type(xTable(d), {"1", "x"});
    m = pressOk(d);
    QCOMPARE(m.title, QStringLiteral("Error"));
    QCOMPARE(m.icon, QMessageBox::Critical);
    QCOMPARE(m.text, QStringLiteral("Check the values."));
}

void tst_editGridDialog::sortingAndIds()
{
    editGridDialog d;
    accept(d, {"0", "6", "3"}, {"3.5", "0"});
    QCOMPARE(d.getXLines(), QStringList({"0", "3", "6"}));
    QCOMPARE(d.getXIds(), QStringList({"1", "2", "3"}));
    QCOMPARE(d.getYLines(), QStringList({"0", "3.5"}));
    QCOMPARE(d.getYIds(), QStringList({"BASE", "STORY-1"}));

    editGridDialog e;
    accept(e, {"-3.25", "10", "2.50", "-3"}, {"12", "3", "6", "0", "9"});
    QCOMPARE(e.getXLines(), QStringList({"-3.25", "-3", "2.5", "10"}));
    QCOMPARE(e.getXIds(), QStringList({"1", "2", "3", "4"}));
    QCOMPARE(e.getYLines(), QStringList({"0", "3", "6", "9", "12"}));
    QCOMPARE(e.getYIds(), QStringList({"BASE", "STORY-1", "STORY-2", "STORY-3", "STORY-4"}));
}

void tst_editGridDialog::emptyCellsSkipped()
{
    editGridDialog d;
    accept(d, {"5", "", "", "2"}, {"", "0"});
    QCOMPARE(d.getXLines(), QStringList({"2", "5"}));
    QCOMPARE(d.getXIds(), QStringList({"1", "2"}));
    QCOMPARE(d.getYLines(), QStringList({"0"}));
    QCOMPARE(d.getYIds(), QStringList({"BASE"}));
}

void tst_editGridDialog::allEmptyAccepted()
{
    editGridDialog d;
    prepare(d);
    QSignalSpy spy(&d, &editGridDialog::updateGrid);
    QCOMPARE(pressOk(d).text, QString());
    QCOMPARE(spy.count(), 1);
    QVERIFY(d.getXLines().isEmpty());
    QVERIFY(d.getYLines().isEmpty());
    QVERIFY(d.getXIds().isEmpty());
    QVERIFY(d.getYIds().isEmpty());
}

void tst_editGridDialog::sortLinesNormalisesText()
{
    editGridDialog d;
    d.setXLines({"8", "07", "4.50", "x", "1234567.891"});
    // Very small and very large ordinates stay in a form the dialog accepts again.
    d.setYLines({"0.1", "-2", "0.00001", "-0.0000125", "100000000000000000000"});
    d.setXIds({"1", "2", "3", "4", "5"});
    d.sortLines();
    QCOMPARE(d.getXLines(), QStringList({"0", "4.5", "7", "8", "1234567.891"}));
    QCOMPARE(d.getYLines(), QStringList({"-2", "-0.0000125", "0.00001", "0.1", "100000000000000000000"}));
    // Ids keep their order: they label positions.
    QCOMPARE(d.getXIds(), QStringList({"1", "2", "3", "4", "5"}));
}

void tst_editGridDialog::updateGridEmittedOnceWithTrue()
{
    editGridDialog d;
    prepare(d);
    QSignalSpy spy(&d, &editGridDialog::updateGrid);
    QStringList linesAtSignal;
    connect(&d, &editGridDialog::updateGrid, this, [&] { linesAtSignal = d.getXLines(); });
    type(xTable(d), {"10", "0"});
    type(yTable(d), {"0"});
    QCOMPARE(pressOk(d).text, QString());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    // The receiver already sees the sorted grid.
    QCOMPARE(linesAtSignal, QStringList({"0", "10"}));
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

void tst_editGridDialog::ioutCombosKeepIndex()
{
    editGridDialog d;
    prepare(d);
    combo(d, "nodesCBox")->setCurrentIndex(2);
    combo(d, "elementsCBox")->setCurrentIndex(3);
    type(xTable(d), {"0"});
    type(yTable(d), {"0"});
    QCOMPARE(pressOk(d).text, QString());
    QCOMPARE(d.getNodesIOut(), 2);
    QCOMPARE(d.getElemetsIOut(), 3);

    // Shown again: the combos still show the accepted flags.
    prepare(d);
    QCOMPARE(combo(d, "nodesCBox")->currentIndex(), 2);
    QCOMPARE(combo(d, "elementsCBox")->currentIndex(), 3);

    // Changed, then closed without OK: nothing is taken, the next showing
    // shows the accepted flags again.
    combo(d, "nodesCBox")->setCurrentIndex(1);
    combo(d, "elementsCBox")->setCurrentIndex(0);
    d.reject();
    QCOMPARE(d.getNodesIOut(), 2);
    QCOMPARE(d.getElemetsIOut(), 3);
    prepare(d);
    QCOMPARE(combo(d, "nodesCBox")->currentIndex(), 2);
    QCOMPARE(combo(d, "elementsCBox")->currentIndex(), 3);

    // Cancel puts the accepted flags back too.
    combo(d, "nodesCBox")->setCurrentIndex(0);
    button(d, "cancelBtn")->click();
    QCOMPARE(combo(d, "nodesCBox")->currentIndex(), 2);
    QCOMPARE(d.getNodesIOut(), 2);
}

void tst_editGridDialog::ioutSettersAndRange()
{
    editGridDialog d;
    d.setNodesIOut(3);
    d.setElementsIOut(1);
    QCOMPARE(d.getNodesIOut(), 3);
    QCOMPARE(d.getElemetsIOut(), 1);
    QCOMPARE(combo(d, "nodesCBox")->currentIndex(), 3);
    QCOMPARE(combo(d, "elementsCBox")->currentIndex(), 1);
    d.setNodesIOut(7);
    d.setElementsIOut(-4);
    QCOMPARE(d.getNodesIOut(), 3);
    QCOMPARE(d.getElemetsIOut(), 0);
}

void tst_editGridDialog::linesKeepTheirRows_data()
{
    QTest::addColumn<QStringList>("rows");    // the X table's first rows after the edit
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("from");
    QTest::newRow("unchanged") << QStringList{"0", "4", "8"} << QStringList{"0", "4", "8"} << QList<int>{0, 1, 2};
    QTest::newRow("moved") << QStringList{"0", "5", "8"} << QStringList{"0", "5", "8"} << QList<int>{0, 1, 2};
    QTest::newRow("moved past") << QStringList{"10", "4", "8"} << QStringList{"4", "8", "10"} << QList<int>{1, 2, 0};
    QTest::newRow("emptied") << QStringList{"0", "", "8"} << QStringList{"0", "8"} << QList<int>{0, 2};
    QTest::newRow("added") << QStringList{"0", "4", "8", "2"} << QStringList{"0", "2", "4", "8"}
                           << QList<int>{0, -1, 1, 2};
    QTest::newRow("removed and added") << QStringList{"", "4", "8", "0"} << QStringList{"0", "4", "8"}
                                       << QList<int>{-1, 1, 2};
}

void tst_editGridDialog::linesKeepTheirRows()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, from);
    editGridDialog d;
    accept(d, {"0", "4", "8"}, {"0", "3"});
    prepare(d);
    type(xTable(d), rows);
    QCOMPARE(pressOk(d).text, QString());
    QCOMPARE(d.getXLines(), lines);
    QCOMPARE(d.getXFrom(), from);
    QCOMPARE(d.getYFrom(), QList<int>({0, 1}));
    d.setXLines(lines);
    QVERIFY(d.getXFrom().isEmpty());
}

void tst_editGridDialog::cancelRestoresTablesKeepsGrid()
{
    editGridDialog d;
    accept(d, {"0", "4", "8"}, {"0", "3"});
    QSignalSpy spy(&d, &editGridDialog::updateGrid);

    prepare(d);
    QCOMPARE(xTable(d)->rowCount(), 53);
    type(xTable(d), {"1", "2", "", "9"});
    button(d, "addXRowBtn")->click();
    button(d, "cancelBtn")->click();

    // Tables: the accepted lines, then 50 empty rows numbered 1 to 50 again.
    const QList<QStringList> accepted{{"0", "4", "8"}, {"0", "3"}};
    for (int k = 0; k < 2; ++k) {
        QTableWidget *t = k == 0 ? xTable(d) : yTable(d);
        const QStringList &lines = accepted.at(k);
        QCOMPARE(t->rowCount(), lines.size() + 50);
        QCOMPARE(t->item(int(lines.size()), 0)->text(), QStringLiteral("1"));
        QCOMPARE(t->item(int(lines.size()) + 49, 0)->text(), QStringLiteral("50"));
        for (int row = 0; row < t->rowCount(); ++row)
            QCOMPARE(t->item(row, 1)->text(), row < lines.size() ? lines.at(row) : QString());
    }
    // The grid is still the drawn one.
    QCOMPARE(spy.count(), 0);
    QCOMPARE(d.getXLines(), QStringList({"0", "4", "8"}));
    QCOMPARE(d.getXIds(), QStringList({"1", "2", "3"}));
    QCOMPARE(d.getYLines(), QStringList({"0", "3"}));
    QCOMPARE(d.getYIds(), QStringList({"BASE", "STORY-1"}));
}

void tst_editGridDialog::closeWithoutOkKeepsGrid()
{
    editGridDialog d;
    accept(d, {"0", "5"}, {"0", "3", "6"});
    prepare(d);
    type(xTable(d), {"7", "", "1", "2"});
    type(yTable(d), {""});
    d.reject();   // the window's close button
    QCOMPARE(d.getXLines(), QStringList({"0", "5"}));
    QCOMPARE(d.getXIds(), QStringList({"1", "2"}));
    QCOMPARE(d.getYLines(), QStringList({"0", "3", "6"}));
    QCOMPARE(d.getYIds(), QStringList({"BASE", "STORY-1", "STORY-2"}));

    // Shown again, the tables start from that grid.
    prepare(d);
    QCOMPARE(xTable(d)->item(0, 1)->text(), QStringLiteral("0"));
    QCOMPARE(xTable(d)->item(1, 1)->text(), QStringLiteral("5"));
    QCOMPARE(xTable(d)->item(2, 1)->text(), QString());
}

void tst_editGridDialog::refusedOkKeepsGrid()
{
    editGridDialog d;
    accept(d, {"0", "5"}, {"0"});
    prepare(d);
    type(xTable(d), {"1", "1"});
    QCOMPARE(pressOk(d).text, QStringLiteral("You can't put two equal axes"));
    type(xTable(d), {"1", "3a5"});
    QCOMPARE(pressOk(d).text, QStringLiteral("Check the values."));
    QCOMPARE(d.getXLines(), QStringList({"0", "5"}));
    QCOMPARE(d.getXIds(), QStringList({"1", "2"}));
    QCOMPARE(d.getYLines(), QStringList({"0"}));
    QCOMPARE(d.getYIds(), QStringList({"BASE"}));
}

void tst_editGridDialog::spacingsAndOrigins_data()
{
    // The grid accepted first (X 0 4 8, Y 0 3 unless none), then the X table's first rows.
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("from");
    QTest::addColumn<QString>("detail");   // of a refused OK, the refused cell selected
    QTest::addRow("after a row") << false << QStringList{"0", "4@3.5"} << QStringList{"0", "3.5", "7", "10.5", "14"}
                                 << QList<int>() << QString();
    QTest::addRow("first, after 0") << false << QStringList{"2@5"} << QStringList{"5", "10"} << QList<int>()
                                    << QString();
    QTest::addRow("past empty rows") << false << QStringList{"1.5", "", "", "2@0.1"}
                                     << QStringList{"1.5", "1.6", "1.7"} << QList<int>() << QString();
    QTest::addRow("15 digits") << false << QStringList{"0.2", "3@0.1"} << QStringList{"0.2", "0.3", "0.4", "0.5"}
                               << QList<int>() << QString();
    QTest::addRow("1000 lines") << false << QStringList{"1000@1"} << QStringList() << QList<int>() << QString();
    // The row typed in keeps line 2's origin; the rows inserted after it are new, and 8 stays line 3.
    QTest::addRow("origins kept with the rows") << true << QStringList{"0", "3@1"}
                                                << QStringList{"0", "1", "2", "3", "8"}
                                                << QList<int>{0, 1, -1, -1, 2} << QString();
    QTest::addRow("comma") << false << QStringList{"0", "1", "10,5"} << QStringList() << QList<int>()
                           << "X row 3: \"10,5\" is not a number";
    QTest::addRow("too many") << false << QStringList{"0", "1001@1"} << QStringList() << QList<int>()
                              << "X row 2: \"1001@1\" is not n@s with n from 1 to 1000";
    QTest::addRow("no count") << false << QStringList{"@2"} << QStringList() << QList<int>()
                              << "X row 1: \"@2\" is not n@s with n from 1 to 1000";
}

void tst_editGridDialog::spacingsAndOrigins()
{
    QFETCH(bool, loaded);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, from);
    QFETCH(QString, detail);
    editGridDialog d;
    if (loaded)
        accept(d, {"0", "4", "8"}, {"0", "3"});
    prepare(d);
    type(xTable(d), rows);
    type(yTable(d), {"0"});
    const Message m = pressOk(d);
    QCOMPARE(m.detail, detail);
    if (!detail.isEmpty()) {
        QCOMPARE(m.text, QStringLiteral("Check the values."));
        const int row = detail.section(' ', 2, 2).chopped(1).toInt() - 1;
        QCOMPARE(xTable(d)->currentRow(), row);
        QCOMPARE(xTable(d)->currentColumn(), 1);
        return;
    }
    if (lines.isEmpty()) {   // only the count is checked
        QCOMPARE(d.getXLines().size(), 1000);
        QCOMPARE(d.getXLines().last(), QStringLiteral("1000"));
        return;
    }
    QCOMPARE(d.getXLines(), lines);
    if (loaded)
        QCOMPARE(d.getXFrom(), from);
}

void tst_editGridDialog::tableKeys()
{
    editGridDialog d;
    QSignalSpy spy(&d, &editGridDialog::updateGrid);
    prepare(d);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QTableWidget *t = yTable(d);
    t->setFocus();
    t->setCurrentCell(0, 1);
    // Typing opens the cell; Enter keeps the text and goes down, without OK.
    QTest::keyClicks(t, "2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(t->item(0, 1)->text(), QStringLiteral("2"));
    QCOMPARE(t->currentRow(), 1);
    QTest::keyClicks(t, "3");   // opens the cell, which takes the rest
    QTest::keyClicks(QApplication::focusWidget(), "@1.5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(t->item(1, 1)->text(), QStringLiteral("3.5"));
    QCOMPARE(t->item(3, 1)->text(), QStringLiteral("6.5"));
    QCOMPARE(t->currentRow(), 4);
    QVERIFY(d.isVisible());
    QCOMPARE(spy.count(), 0);
    // At the last row Enter adds one.
    const int rows = t->rowCount();
    t->setCurrentCell(rows - 1, 1);
    QTest::keyClick(t, Qt::Key_Return);
    QCOMPARE(t->rowCount(), rows + 1);
    QCOMPARE(t->currentRow(), rows);
    // Delete empties the selected ordinates; the row numbers stay.
    t->clearSelection();
    t->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 1), true);
    QTest::keyClick(t, Qt::Key_Delete);
    QCOMPARE(t->item(0, 1)->text(), QStringLiteral("2"));
    QCOMPARE(t->item(1, 1)->text(), QString());
    QCOMPARE(t->item(2, 1)->text(), QString());
    QCOMPARE(t->item(3, 1)->text(), QStringLiteral("6.5"));
    QCOMPARE(t->item(1, 0)->text(), QStringLiteral("2"));
    QVERIFY(d.isVisible());
    d.hide();
}

QTEST_MAIN(tst_editGridDialog)
#include "tst_editgriddialog.moc"
