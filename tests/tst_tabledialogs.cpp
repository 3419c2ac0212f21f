#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include <cstring>
#include <functional>
#include <memory>

#include "editloadsdialog.h"
#include "editmassdialog.h"

// The weights and loads dialogs are one table dialog with two faces; every
// behaviour is checked on both.
struct Face {
    std::unique_ptr<NodeTableDialog> dialog;
    QTableWidget *table = nullptr;
    std::function<QList<double>(int)> list;   // column 1, 2 or 3
    std::function<void()> ok;
    std::function<void()> cancel;
};

static Face makeFace(const QString &name)
{
    Face face;
    if (name == QLatin1String("weights")) {
        auto *d = new editMassDialog;
        face.dialog.reset(d);
        face.table = d->findChild<QTableWidget *>(QStringLiteral("massTableWidget"));
        face.list = [d](int c) { return c == 1 ? d->getWx() : c == 2 ? d->getWy() : d->getWd(); };
        face.ok = [d] { d->on_okBtn_clicked(); };
        face.cancel = [d] { d->on_cancelBtn_clicked(); };
    } else {
        auto *d = new editLoadsDialog;
        face.dialog.reset(d);
        face.table = d->findChild<QTableWidget *>(QStringLiteral("loadsTableWidget"));
        face.list = [d](int c) { return c == 1 ? d->getFx() : c == 2 ? d->getFy() : d->getFm(); };
        face.ok = [d] { d->on_okBtn_clicked(); };
        face.cancel = [d] { d->on_cancelBtn_clicked(); };
    }
    return face;
}

// What the main window does before showing the dialog.
static void showFor(Face &face, int nodes)
{
    QList<int> ids;
    for (int id = 1; id <= nodes; ++id)
        ids << id;
    face.dialog->setTable(ids);
    face.dialog->setByLists();
}

static QString cellText(QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

static void setCell(QTableWidget *table, int row, int column, const QString &text)
{
    table->item(row, column)->setText(text);
}

// Doubles compared bit for bit: -0 differs from 0, and no fuzz.
static quint64 bits(double v)
{
    quint64 b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// Right-click on a cell, as the user would: the press makes it the paste target.
static QMenu *rightPress(Face &face, int row, int column)
{
    const QRect rect = face.table->visualRect(face.table->model()->index(row, column));
    QTest::mousePress(face.table->viewport(), Qt::RightButton, {}, rect.center());
    QTest::mouseRelease(face.table->viewport(), Qt::RightButton, {}, rect.center());
    return face.dialog->findChild<QMenu *>();
}

static QAction *menuAction(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

// Runs slot while a message box is expected and returns its text.
static QString messageFrom(const std::function<void()> &slot)
{
    QString text;
    // A timer of this call only: one left waiting after a slot that showed no
    // box would fire in the next call's box, into this call's finished frame.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->windowTitle() + QLatin1Char('|') + box->text();
            box->close();
        }
    });
    timer.start(0);
    slot();
    return text;
}

class tst_TableDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void faces_data();
    void faces();

    void firstShowing_data() { bothFaces(); }
    void firstShowing();
    void escapeStoresRestoredValues_data() { bothFaces(); }
    void escapeStoresRestoredValues();
    void cancelRestores_data() { bothFaces(); }
    void cancelRestores();
    void unreadableCellsAreRefused_data();
    void unreadableCellsAreRefused();
    void growingGridKeepsRowsByPosition_data() { bothFaces(); }
    void growingGridKeepsRowsByPosition();
    void settersAppendAndSetListsReplaces_data() { bothFaces(); }
    void settersAppendAndSetListsReplaces();

    void copyAndPasteBlock_data() { bothFaces(); }
    void copyAndPasteBlock();
    void clipboardFormat_data() { bothFaces(); }
    void clipboardFormat();
    void copyWithoutSelectionKeepsClipboard_data() { bothFaces(); }
    void copyWithoutSelectionKeepsClipboard();
    void leftPressIsNoPasteTarget_data() { bothFaces(); }
    void leftPressIsNoPasteTarget();
    void pasteFits_data();
    void pasteFits();
    void pasteDropsCellsOutsideValues_data();
    void pasteDropsCellsOutsideValues();
    void pasteFromLoadsIntoWeights();
    void resizeGeometry_data() { bothFaces(); }
    void resizeGeometry();
    void unchangedOkKeepsValues_data();
    void unchangedOkKeepsValues();

private:
    static void bothFaces()
    {
        QTest::addColumn<QString>("face");
        QTest::addRow("weights") << QStringLiteral("weights");
        QTest::addRow("loads") << QStringLiteral("loads");
    }
};

void tst_TableDialogs::init()
{
    QGuiApplication::clipboard()->clear();
}

void tst_TableDialogs::faces_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("boxTitle");
    QTest::addColumn<QString>("boxTip");
    QTest::addColumn<QStringList>("headers");
    QTest::addRow("weights") << "weights" << "Edit WEIGHTS" << "WEIGHTS"
                             << "Leave blank if you don't want apply mass for this node"
                             << QStringList{"Node IDs", "WX", "WY", "WM"};
    QTest::addRow("loads") << "loads" << "Edit Loads" << "Loads" << ""
                           << QStringList{"Node IDs", "FX", "FY", "FM"};
}

void tst_TableDialogs::faces()
{
    QFETCH(QString, face);
    QFETCH(QString, title);
    QFETCH(QString, boxTitle);
    QFETCH(QString, boxTip);
    QFETCH(QStringList, headers);
    Face f = makeFace(face);
    QVERIFY(f.table);
    QCOMPARE(f.dialog->windowTitle(), title);
    auto *box = f.dialog->findChild<QGroupBox *>(QStringLiteral("groupBox"));
    QVERIFY(box);
    QCOMPARE(box->title(), boxTitle);
    QCOMPARE(box->toolTip(), boxTip);
    QCOMPARE(f.table->columnCount(), 4);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(f.table->horizontalHeaderItem(c)->text(), headers.at(c));
    QCOMPARE(f.dialog->findChild<QPushButton *>(QStringLiteral("okBtn"))->text(), QStringLiteral("OK"));
    QCOMPARE(f.dialog->findChild<QPushButton *>(QStringLiteral("cancelBtn"))->text(), QStringLiteral("Cancel"));
    QCOMPARE(f.dialog->minimumSize(), QSize(480, 280));
}

void tst_TableDialogs::firstShowing()
{
    QFETCH(QString, face);
    Face f = makeFace(face);
    QVERIFY(f.list(1).isEmpty());
    showFor(f, 4);
    QCOMPARE(f.table->rowCount(), 4);
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(cellText(f.table, row, 0), QString::number(row + 1));
        QCOMPARE(f.table->item(row, 0)->flags(), Qt::NoItemFlags);
        for (int c = 1; c <= 3; ++c)
            QCOMPARE(cellText(f.table, row, c), QStringLiteral("0"));
    }

    f.dialog->show();
    QVERIFY(f.dialog->isVisible());
    f.dialog->close();   // the title bar's close button
    QVERIFY(!f.dialog->isVisible());
    for (int c = 1; c <= 3; ++c)
        QCOMPARE(f.list(c), QList<double>({0, 0, 0, 0}));
}

void tst_TableDialogs::escapeStoresRestoredValues()
{
    QFETCH(QString, face);
    Face f = makeFace(face);
    showFor(f, 3);
    setCell(f.table, 1, 2, QStringLiteral("4.5"));
    f.ok();
    QCOMPARE(f.list(2), QList<double>({0, 4.5, 0}));

    showFor(f, 3);
    setCell(f.table, 1, 2, QStringLiteral("9"));
    f.dialog->show();
    QTest::keyClick(f.dialog.get(), Qt::Key_Escape);
    QVERIFY(!f.dialog->isVisible());
    // The edit is dropped, the stored value comes back, one entry per row.
    QCOMPARE(f.list(2), QList<double>({0, 4.5, 0}));
    QCOMPARE(cellText(f.table, 1, 2), QStringLiteral("4.5"));
    QCOMPARE(f.list(1).size(), 3);
}

void tst_TableDialogs::cancelRestores()
{
    QFETCH(QString, face);
    Face f = makeFace(face);
    showFor(f, 2);
    setCell(f.table, 0, 1, QStringLiteral("12.25"));
    f.ok();
    QCOMPARE(f.list(1), QList<double>({12.25, 0}));

    showFor(f, 2);
    setCell(f.table, 0, 1, QStringLiteral("7"));
    f.dialog->show();
    f.cancel();
    QVERIFY(f.dialog->isVisible());   // Cancel leaves the dialog open
    QCOMPARE(cellText(f.table, 0, 1), QStringLiteral("12.25"));
    f.ok();
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.list(1), QList<double>({12.25, 0}));
}

void tst_TableDialogs::unreadableCellsAreRefused_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");   // empty: stored
    QTest::addColumn<double>("value");
    for (const QString &face : {QStringLiteral("weights"), QStringLiteral("loads")}) {
        const QString name = face == QLatin1String("weights") ? QStringLiteral("WM") : QStringLiteral("FM");
        const QString refused = QStringLiteral("Error|") + name + QStringLiteral(" of node 3 must be a number");
        for (const char *junk : {"abc", "inf", "nan", "1,5", "-", "1e", "0x10"})
            QTest::addRow("%s %s", qPrintable(face), junk) << face << junk << refused << 7.0;
        QTest::addRow("%s empty", qPrintable(face)) << face << "" << "" << 0.0;
        QTest::addRow("%s -1e3", qPrintable(face)) << face << " -1e3 " << "" << -1000.0;
        QTest::addRow("%s .5", qPrintable(face)) << face << ".5" << "" << 0.5;
    }
}

void tst_TableDialogs::unreadableCellsAreRefused()
{
    QFETCH(QString, face);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(double, value);
    Face f = makeFace(face);
    showFor(f, 5);
    setCell(f.table, 2, 3, QStringLiteral("7"));
    f.ok();
    QSignalSpy stored(f.dialog.get(), &NodeTableDialog::stored);
    setCell(f.table, 2, 3, text);
    QCOMPARE(messageFrom(f.ok), message);
    QCOMPARE(stored.count(), message.isEmpty() ? 1 : 0);
    QCOMPARE(f.list(3), QList<double>({0, 0, value, 0, 0}));
}

void tst_TableDialogs::growingGridKeepsRowsByPosition()
{
    QFETCH(QString, face);
    Face f = makeFace(face);
    showFor(f, 4);
    for (int row = 0; row < 4; ++row)
        setCell(f.table, row, 1, QString::number(row + 1.5));
    f.ok();

    showFor(f, 6);
    QCOMPARE(f.table->rowCount(), 6);
    for (int row = 0; row < 4; ++row)
        QCOMPARE(cellText(f.table, row, 1), QString::number(row + 1.5));
    QCOMPARE(cellText(f.table, 4, 1), QStringLiteral("0"));
    QCOMPARE(cellText(f.table, 5, 1), QStringLiteral("0"));
    QCOMPARE(cellText(f.table, 5, 0), QStringLiteral("6"));
    f.ok();
    QCOMPARE(f.list(1), QList<double>({1.5, 2.5, 3.5, 4.5, 0, 0}));
    QCOMPARE(f.list(3).size(), 6);
}

void tst_TableDialogs::settersAppendAndSetListsReplaces()
{
    QFETCH(QString, face);
    Face f = makeFace(face);
    const QList<double> one{1, 2}, two{3, 4}, three{5, 6};
    if (auto *d = qobject_cast<editMassDialog *>(f.dialog.get())) {
        d->setWx(one); d->setWy(two); d->setWd(three);
        d->setWx({7});
    } else {
        auto *l = qobject_cast<editLoadsDialog *>(f.dialog.get());
        l->setFx(one); l->setFy(two); l->setFm(three);
        l->setFx({7});
    }
    QCOMPARE(f.list(1), QList<double>({1, 2, 7}));
    QCOMPARE(f.list(2), two);
    QCOMPARE(f.list(3), three);

    showFor(f, 2);
    QCOMPARE(cellText(f.table, 1, 1), QStringLiteral("2"));
    QCOMPARE(cellText(f.table, 1, 3), QStringLiteral("6"));

    f.dialog->setLists({8}, {9}, {10});
    QCOMPARE(f.list(1), QList<double>({8}));
    QCOMPARE(f.list(2), QList<double>({9}));
    QCOMPARE(f.list(3), QList<double>({10}));
}

void tst_TableDialogs::copyAndPasteBlock()
{
    QFETCH(QString, face);
    Face f = makeFace(face);
    showFor(f, 4);
    setCell(f.table, 2, 2, QStringLiteral("1.5"));
    setCell(f.table, 2, 3, QStringLiteral("2.5"));
    setCell(f.table, 3, 2, QStringLiteral("3.5"));
    setCell(f.table, 3, 3, QStringLiteral("4.5"));
    f.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.dialog.get()));

    QMenu *menu = rightPress(f, 2, 2);
    QVERIFY(menu);
    QVERIFY(menu->isVisible());
    menu->close();
    f.table->setRangeSelected(QTableWidgetSelectionRange(2, 2, 3, 3), true);
    QAction *copy = menuAction(menu, QStringLiteral("Copy"));
    QVERIFY(copy);
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1.5\t2.5\n3.5\t4.5\n"));

    menu = rightPress(f, 0, 1);
    QVERIFY(menu->isVisible());
    QAction *paste = menuAction(menu, QStringLiteral("Paste"));
    QVERIFY(paste);
    menu->close();
    paste->trigger();

    QCOMPARE(cellText(f.table, 0, 1), QStringLiteral("1.5"));
    QCOMPARE(cellText(f.table, 0, 2), QStringLiteral("2.5"));
    QCOMPARE(cellText(f.table, 1, 1), QStringLiteral("3.5"));
    QCOMPARE(cellText(f.table, 1, 2), QStringLiteral("4.5"));
    QCOMPARE(cellText(f.table, 0, 3), QStringLiteral("0"));
    QCOMPARE(cellText(f.table, 2, 1), QStringLiteral("0"));
    // Pasted text is a value only once stored.
    QCOMPARE(f.list(1), QList<double>({0, 0, 0, 0}));
    f.ok();
    QCOMPARE(f.list(1), QList<double>({1.5, 3.5, 0, 0}));
    QCOMPARE(f.list(2), QList<double>({2.5, 4.5, 1.5, 3.5}));
}

void tst_TableDialogs::clipboardFormat()
{
    QFETCH(QString, face);
    Face f = makeFace(face);
    showFor(f, 4);
    for (int row = 0; row < 4; ++row)
        for (int c = 1; c <= 3; ++c)
            setCell(f.table, row, c, QStringLiteral("r%1c%2").arg(row).arg(c));
    // Rows 1 to 3 of all value columns, plus the id column (which cannot be selected).
    f.table->setRangeSelected(QTableWidgetSelectionRange(1, 0, 3, 3), true);
    f.dialog->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("r1c1\tr1c2\tr1c3\nr2c1\tr2c2\tr2c3\nr3c1\tr3c2\tr3c3\n"));

    f.table->clearSelection();
    f.table->setRangeSelected(QTableWidgetSelectionRange(0, 3, 0, 3), true);
    f.dialog->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("r0c3\n"));
}

void tst_TableDialogs::copyWithoutSelectionKeepsClipboard()
{
    QFETCH(QString, face);
    Face f = makeFace(face);
    showFor(f, 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    f.dialog->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

void tst_TableDialogs::leftPressIsNoPasteTarget()
{
    QFETCH(QString, face);
    Face f = makeFace(face);
    showFor(f, 3);
    f.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.dialog.get()));
    QGuiApplication::clipboard()->setText(QStringLiteral("5\n"));
    const QRect rect = f.table->visualRect(f.table->model()->index(1, 1));
    QTest::mouseClick(f.table->viewport(), Qt::LeftButton, {}, rect.center());
    QMenu *menu = f.dialog->findChild<QMenu *>();
    QVERIFY(!menu || !menu->isVisible());
    f.dialog->paste();   // no cell was right-pressed: nothing to paste into
    QCOMPARE(cellText(f.table, 1, 1), QStringLiteral("0"));

    rightPress(f, 1, 1);
    f.dialog->paste();
    QCOMPARE(cellText(f.table, 1, 1), QStringLiteral("5"));
}

void tst_TableDialogs::pasteFits_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<int>("row");      // right-pressed row of a 5-row table, column 1
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("column1");
    const QString refused = QStringLiteral("Error|You have chosen more items than suitable.");
    for (const char *face : {"weights", "loads"}) {
        QTest::addRow("%s: three lines at the next-to-last row", face)
            << face << "1\n2\n3\n" << 3 << refused << QStringList{"0", "0", "0", "0", "0"};
        QTest::addRow("%s: two lines at the next-to-last row", face)
            << face << "1\n2\n" << 3 << "" << QStringList{"0", "0", "0", "1", "2"};
        QTest::addRow("%s: last line without line feed is pasted", face)
            << face << "1\n2" << 0 << "" << QStringList{"1", "2", "0", "0", "0"};
        QTest::addRow("%s: last line without line feed is counted", face)
            << face << "1\n2\n3" << 3 << refused << QStringList{"0", "0", "0", "0", "0"};
        QTest::addRow("%s: Windows line ends", face)
            << face << "1\r\n2\r\n" << 1 << "" << QStringList{"0", "1", "2", "0", "0"};
        QTest::addRow("%s: empty line kept", face)
            << face << "\n4\n" << 0 << "" << QStringList{"", "4", "0", "0", "0"};
    }
}

void tst_TableDialogs::pasteFits()
{
    QFETCH(QString, face);
    QFETCH(QString, clip);
    QFETCH(int, row);
    QFETCH(QString, message);
    QFETCH(QStringList, column1);
    Face f = makeFace(face);
    showFor(f, 5);
    f.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.dialog.get()));
    rightPress(f, row, 1)->close();
    QGuiApplication::clipboard()->setText(clip);
    QCOMPARE(messageFrom([&] { f.dialog->paste(); }), message);
    for (int r = 0; r < 5; ++r)
        QCOMPARE(cellText(f.table, r, 1), column1.at(r));
}

void tst_TableDialogs::pasteDropsCellsOutsideValues_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("row0");
    for (const char *face : {"weights", "loads"}) {
        QTest::addRow("%s: at column 2", face) << face << 2 << QStringList{"1", "0", "a", "b"};
        QTest::addRow("%s: at column 3", face) << face << 3 << QStringList{"1", "0", "0", "a"};
        // The ids cannot be pressed, so they are never a paste target.
        QTest::addRow("%s: at the id column", face) << face << 0 << QStringList{"1", "0", "0", "0"};
    }
}

void tst_TableDialogs::pasteDropsCellsOutsideValues()
{
    QFETCH(QString, face);
    QFETCH(int, column);
    QFETCH(QStringList, row0);
    Face f = makeFace(face);
    showFor(f, 2);
    f.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.dialog.get()));
    rightPress(f, 0, column)->close();
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\tc\td\n"));
    f.dialog->paste();
    QCOMPARE(f.table->columnCount(), 4);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(cellText(f.table, 0, c), row0.at(c));
    QCOMPARE(cellText(f.table, 1, 0), QStringLiteral("2"));
}

void tst_TableDialogs::pasteFromLoadsIntoWeights()
{
    Face loads = makeFace(QStringLiteral("loads"));
    Face weights = makeFace(QStringLiteral("weights"));
    showFor(loads, 3);
    showFor(weights, 3);
    setCell(loads.table, 0, 1, QStringLiteral("1e-05"));
    setCell(loads.table, 0, 2, QStringLiteral("-2.50"));
    setCell(loads.table, 1, 1, QStringLiteral("abc"));
    setCell(loads.table, 1, 2, QStringLiteral("7"));
    loads.table->setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 2), true);
    loads.dialog->copy();

    weights.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(weights.dialog.get()));
    rightPress(weights, 1, 2)->close();
    weights.dialog->paste();
    QCOMPARE(cellText(weights.table, 1, 2), QStringLiteral("1e-05"));
    QCOMPARE(cellText(weights.table, 1, 3), QStringLiteral("-2.50"));
    QCOMPARE(cellText(weights.table, 2, 2), QStringLiteral("abc"));
    QCOMPARE(cellText(weights.table, 2, 3), QStringLiteral("7"));
    QCOMPARE(messageFrom(weights.ok), QStringLiteral("Error|WY of node 3 must be a number"));
    setCell(weights.table, 2, 2, QString());
    QCOMPARE(messageFrom(weights.ok), QString());
    QCOMPARE(weights.list(2), QList<double>({0, 1e-05, 0}));
    QCOMPARE(weights.list(3), QList<double>({0, -2.5, 7}));
}

void tst_TableDialogs::resizeGeometry()
{
    QFETCH(QString, face);
    Face f = makeFace(face);
    QResizeEvent event(QSize(600, 400), f.dialog->size());
    QApplication::sendEvent(f.dialog.get(), &event);
    QCOMPARE(f.dialog->findChild<QGroupBox *>(QStringLiteral("groupBox"))->size(), QSize(550, 320));
    QCOMPARE(f.table->size(), QSize(530, 290));
    QCOMPARE(f.dialog->findChild<QPushButton *>(QStringLiteral("okBtn"))->pos(), QPoint(80, 370));
    QCOMPARE(f.dialog->findChild<QPushButton *>(QStringLiteral("cancelBtn"))->pos(), QPoint(400, 370));
}

void tst_TableDialogs::unchangedOkKeepsValues_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("value");
    for (const char *face : {"weights", "loads"}) {
        QTest::addRow("%s 0.1+0.2", face) << face << 0.1 + 0.2;
        QTest::addRow("%s 1234567.891", face) << face << 1234567.891;
        QTest::addRow("%s 1e-300", face) << face << 1e-300;
        QTest::addRow("%s -0", face) << face << -0.0;
        QTest::addRow("%s 2e9/3", face) << face << 2e9 / 3;
    }
}

void tst_TableDialogs::unchangedOkKeepsValues()
{
    QFETCH(QString, face);
    QFETCH(double, value);
    Face f = makeFace(face);
    const QList<double> lists[3] = {{value, -value, 7.0}, {1.0 / 3, value, 0.0}, {value, value, 1e308}};
    f.dialog->setLists(lists[0], lists[1], lists[2]);
    showFor(f, 3);
    f.dialog->findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
    for (int c = 1; c <= 3; ++c) {
        QCOMPARE(f.list(c).size(), 3);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(bits(f.list(c).at(row)), bits(lists[c - 1].at(row)));
    }
}

QTEST_MAIN(tst_TableDialogs)
#include "tst_tabledialogs.moc"
