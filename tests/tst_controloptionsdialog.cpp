#include <QtTest>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>

#include "controloptionsdialog.h"

#include <cstring>

// Doubles compared bit for bit: -0 differs from 0, and no fuzz.
static quint64 bits(double v)
{
    quint64 b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// Drives the dialog through its widgets, found by object name.
class tst_ControlOptionsDialog : public QObject
{
    Q_OBJECT
private slots:
    void nonNumbersRefused_data();
    void nonNumbersRefused();
    void constructionState();
    void freshOkStoresDefaultsWithCounts();
    void setPropertiesCounts();
    void gridDefaults_data();
    void gridDefaults();
    void negativeIpvertStoredAndEnablesShape();
    void refusedOkChangesNothing_data();
    void refusedOkChangesNothing();
    void positiveIpvertRoundTrip();
    void storedIpvertShownUnderIpanal8_data();
    void storedIpvertShownUnderIpanal8();
    void switchingIpanalRemovesN();
    void alphaFollowsIpanal_data();
    void alphaFollowsIpanal();
    void dValue100RoundTrip();
    void nupAndIresid();
    void numbersAndUnconvertibleText();
    void filledInPlaceThenRefreshed();
    void cancelRestoresWidgets();
    void closingWithoutOkRestoresShape();
    void outOfRangeValuesShowFirstItem();
    void ictypeShowsDampingGroup();
    void dampingAddSaveDelete();
    void setDumpListRefillsModes();
    void toolTips_data();
    void toolTips();
    void unchangedOkKeepsValues_data();
    void unchangedOkKeepsValues();

private:
    template <typename T>
    static T *w(controlOptionsDialog &dlg, const char *name)
    {
        T *widget = dlg.findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("widget %s not found", name);
        return widget;
    }
    static QLineEdit *edit(controlOptionsDialog &dlg, const char *name) { return w<QLineEdit>(dlg, name); }
    static QComboBox *combo(controlOptionsDialog &dlg, const char *name) { return w<QComboBox>(dlg, name); }
    static void click(controlOptionsDialog &dlg, const char *name) { w<QPushButton>(dlg, name)->click(); }
    // Argument of the last emission, or an invalid value when none came.
    static QVariant last(const QSignalSpy &spy)
    {
        return spy.isEmpty() ? QVariant() : spy.last().at(0);
    }
    static QStringList items(QComboBox *box)
    {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    }
    // Presses OK and returns the text of the message box it raised, if any.
    static QString pressOk(controlOptionsDialog &dlg, QString *title = nullptr)
    {
        QString text;
        QString caption;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box) {
                text = box->text();
                caption = box->windowTitle();
                box->close();
            }
        });
        click(dlg, "okBtn");
        // Let the timer run when no box was shown, so it can't fire later.
        QCoreApplication::processEvents();
        if (title)
            *title = caption;
        return text;
    }
};

void tst_ControlOptionsDialog::constructionState()
{
    controlOptionsDialog dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Edit Control Options"));
    QVERIFY(!dlg.isSeted());
    for (const char *name : {"ipvertLineEdit", "ipvertLineEdit_2", "joutLineEdit", "dstortLineEdit",
                             "nlevelLineEdit", "nmpLineEdit", "nmemLineEdit", "ntypeLineEdit"})
        QVERIFY2(!edit(dlg, name)->isEnabled(), name);
    QVERIFY(w<QGroupBox>(dlg, "groupBox_5")->isHidden());
    QCOMPARE(dlg.getDumpList(), QList<double>{0.0});
    QCOMPARE(items(combo(dlg, "comboBox")), QStringList{"1"});
    QCOMPARE(edit(dlg, "ipvertLineEdit")->text(), QStringLiteral("-"));
    QCOMPARE(items(combo(dlg, "ipvertComboBox")), (QStringList{"0", "1", "2", "-n"}));
    QCOMPARE(items(combo(dlg, "dComboBox")), (QStringList{"0", "1", "100"}));
    QCOMPARE(items(combo(dlg, "nupComboBox")), (QStringList{"1", "2"}));
    QCOMPARE(combo(dlg, "ipanalCmbBox")->count(), 11);
    QCOMPARE(combo(dlg, "ictypeComboBox")->count(), 8);
    QCOMPARE(edit(dlg, "gravLineEdit")->text(), QStringLiteral("9.8"));
    QCOMPARE(edit(dlg, "ftestLineEdit")->text(), QStringLiteral("0.0001"));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    QVERIFY(dlg.minimumWidth() > 0);
}

void tst_ControlOptionsDialog::freshOkStoresDefaultsWithCounts()
{
    controlOptionsDialog dlg;
    QSignalSpy ictype(&dlg, &controlOptionsDialog::updateControlOptions);
    dlg.setProperties(12, 5, 4, 2);
    QCOMPARE(pressOk(dlg), QString());

    QVERIFY(dlg.isSeted());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(ictype.count(), 1);
    QCOMPARE(ictype.at(0).at(0).toInt(), 0);

    for (int i = 0; i < 11; ++i)
        QCOMPARE(dlg.getA()[i], 0);
    const int b[14] = {12, 5, 2, 0, 0, 0, 0, 0, 0, 0, 4, 1, 0, 0};
    for (int i = 0; i < 14; ++i)
        QCOMPARE(dlg.getB()[i], b[i]);
    const double c[10] = {9.8, 0, 0, 0, 0, 1.0, 1.0, 10.0, 1.0, 0.5};
    for (int i = 0; i < 10; ++i)
        QCOMPARE(dlg.getC()[i], c[i]);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(dlg.getD()[i], 0);
    const double e[8] = {0.0001, 0, 0, 0, 0, 0, 0, 0.1};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(dlg.getE()[i], e[i]);
}

void tst_ControlOptionsDialog::setPropertiesCounts()
{
    controlOptionsDialog dlg;
    // nmp, nmem, nlevel, ntype
    dlg.setProperties(21, 30, 7, 3);
    QCOMPARE(dlg.getB()[0], 21);
    QCOMPARE(dlg.getB()[1], 30);
    QCOMPARE(dlg.getB()[2], 3);
    QCOMPARE(dlg.getB()[10], 7);
    QCOMPARE(edit(dlg, "nmpLineEdit")->text(), QStringLiteral("21"));
    QCOMPARE(edit(dlg, "nmemLineEdit")->text(), QStringLiteral("30"));
    QCOMPARE(edit(dlg, "ntypeLineEdit")->text(), QStringLiteral("3"));
    QCOMPARE(edit(dlg, "nlevelLineEdit")->text(), QStringLiteral("7"));
    QVERIFY(!dlg.isSeted());
    // Nothing else moves.
    QCOMPARE(dlg.getB()[3], 0);
    QCOMPARE(dlg.getB()[11], 1);
}

void tst_ControlOptionsDialog::gridDefaults_data()
{
    QTest::addColumn<int>("yLines");
    QTest::addColumn<int>("modes");
    QTest::addRow("four lines") << 4 << 3;
    QTest::addRow("two lines") << 2 << 1;
    QTest::addRow("one line") << 1 << 0;
    QTest::addRow("no line") << 0 << 0;
}

void tst_ControlOptionsDialog::gridDefaults()
{
    QFETCH(int, yLines);
    QFETCH(int, modes);
    controlOptionsDialog dlg;
    dlg.getC()[0] = 9.81; // untouched by the grid defaults
    dlg.setProperties(8, 0, yLines, 0);
    dlg.setGridDefaults(yLines);

    QCOMPARE(dlg.getB()[3], modes);
    QCOMPARE(dlg.getB()[4], 1);
    QCOMPARE(dlg.getB()[5], modes);
    QCOMPARE(dlg.getC()[1], 2.0);
    QCOMPARE(dlg.getC()[2], 2.0);
    QCOMPARE(dlg.getC()[0], 9.81);
    QCOMPARE(edit(dlg, "mLineEdit")->text(), QString::number(modes));
    QCOMPARE(edit(dlg, "mode1LineEdit")->text(), QStringLiteral("1"));
    QCOMPARE(edit(dlg, "mode2LineEdit")->text(), QString::number(modes));
    QCOMPARE(edit(dlg, "c1LineEdit")->text(), QStringLiteral("2"));
    QCOMPARE(edit(dlg, "c2LineEdit")->text(), QStringLiteral("2"));

    // Accepted unchanged they stay.
    pressOk(dlg);
    QCOMPARE(dlg.getB()[3], modes);
    QCOMPARE(dlg.getB()[5], modes);
    QCOMPARE(dlg.getB()[10], yLines);
    QCOMPARE(dlg.getC()[1], 2.0);
}

void tst_ControlOptionsDialog::negativeIpvertStoredAndEnablesShape()
{
    controlOptionsDialog dlg;
    QSignalSpy shape(&dlg, &controlOptionsDialog::activateShapeAction);
    combo(dlg, "ipvertComboBox")->setCurrentIndex(3);
    QCOMPARE(shape.count(), 1);
    QCOMPARE(last(shape), QVariant(true));
    QVERIFY(edit(dlg, "ipvertLineEdit")->isEnabled());
    QVERIFY(!edit(dlg, "ipvertLineEdit")->isHidden());
    QVERIFY(edit(dlg, "ipvertLineEdit_2")->isHidden());

    edit(dlg, "ipvertLineEdit")->setText("-3");
    QCOMPARE(pressOk(dlg), QString());
    QCOMPARE(dlg.getA()[5], -3);
    QCOMPARE(last(shape), QVariant(true));

    // Shown again as "-n" with its value.
    combo(dlg, "ipvertComboBox")->setCurrentIndex(0);
    QCOMPARE(last(shape), QVariant(false));
    dlg.showProperties();
    QCOMPARE(combo(dlg, "ipvertComboBox")->currentIndex(), 3);
    QCOMPARE(edit(dlg, "ipvertLineEdit")->text(), QStringLiteral("-3"));
    QCOMPARE(last(shape), QVariant(true));
}

void tst_ControlOptionsDialog::refusedOkChangesNothing_data()
{
    QTest::addColumn<int>("ipanal");
    QTest::addColumn<int>("ipvertIndex");
    QTest::addColumn<QString>("text");
    QTest::addRow("-n with a positive number") << 0 << 3 << "3";
    QTest::addRow("-n with a bare minus") << 0 << 3 << "-";
    QTest::addRow("-n empty") << 0 << 3 << "";
    QTest::addRow("-n with a decimal") << 0 << 3 << "-2.5";
    QTest::addRow("-n with minus zero") << 0 << 3 << "-0";
    QTest::addRow("-n beyond int range") << 0 << 3 << "-99999999999";
    QTest::addRow("n with a negative number") << 8 << 4 << "-2";
    QTest::addRow("n empty") << 9 << 4 << "";
    QTest::addRow("n with letters") << 8 << 4 << "12a";
}

void tst_ControlOptionsDialog::refusedOkChangesNothing()
{
    QFETCH(int, ipanal);
    QFETCH(int, ipvertIndex);
    QFETCH(QString, text);

    controlOptionsDialog dlg;
    dlg.setProperties(4, 1, 2, 1);
    QSignalSpy ictype(&dlg, &controlOptionsDialog::updateControlOptions);

    combo(dlg, "ipanalCmbBox")->setCurrentIndex(ipanal);
    combo(dlg, "ifmtComboBox")->setCurrentIndex(1);
    combo(dlg, "ictypeComboBox")->setCurrentIndex(5);
    edit(dlg, "gravLineEdit")->setText("10");
    combo(dlg, "ipvertComboBox")->setCurrentIndex(ipvertIndex);
    edit(dlg, ipvertIndex == 3 ? "ipvertLineEdit" : "ipvertLineEdit_2")->setText(text);

    QString title;
    QCOMPARE(pressOk(dlg, &title), QStringLiteral("Check the values"));
    QCOMPARE(title, QStringLiteral("Error"));

    QVERIFY(!dlg.isSeted());
    QCOMPARE(ictype.count(), 0);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    for (int i = 0; i < 11; ++i)
        QCOMPARE(dlg.getA()[i], 0);
    QCOMPARE(dlg.getC()[0], 9.8);
    // What was typed is still there to correct.
    QCOMPARE(combo(dlg, "ictypeComboBox")->currentIndex(), 5);
    QCOMPARE(edit(dlg, ipvertIndex == 3 ? "ipvertLineEdit" : "ipvertLineEdit_2")->text(), text);
}

void tst_ControlOptionsDialog::positiveIpvertRoundTrip()
{
    controlOptionsDialog dlg;
    QSignalSpy shape(&dlg, &controlOptionsDialog::activateShapeAction);
    combo(dlg, "ipanalCmbBox")->setCurrentIndex(8);
    QCOMPARE(items(combo(dlg, "ipvertComboBox")), (QStringList{"0", "1", "2", "-n", "n"}));
    combo(dlg, "ipvertComboBox")->setCurrentIndex(4);
    QCOMPARE(last(shape), QVariant(false));
    QVERIFY(edit(dlg, "ipvertLineEdit_2")->isEnabled());
    QVERIFY(!edit(dlg, "ipvertLineEdit_2")->isHidden());
    QVERIFY(edit(dlg, "ipvertLineEdit")->isHidden());
    edit(dlg, "ipvertLineEdit_2")->setText("12");

    QCOMPARE(pressOk(dlg), QString());
    QCOMPARE(dlg.getA()[0], 8);
    QCOMPARE(dlg.getA()[5], 12);

    // Disturb the widgets, then show again from the stored values.
    combo(dlg, "ipanalCmbBox")->setCurrentIndex(0);
    QCOMPARE(combo(dlg, "ipvertComboBox")->count(), 4);
    dlg.showProperties();
    QCOMPARE(combo(dlg, "ipanalCmbBox")->currentIndex(), 8);
    QCOMPARE(combo(dlg, "ipvertComboBox")->currentIndex(), 4);
    QCOMPARE(edit(dlg, "ipvertLineEdit_2")->text(), QStringLiteral("12"));
    QVERIFY(edit(dlg, "ipvertLineEdit_2")->isEnabled());
    QCOMPARE(last(shape), QVariant(false));

    // And accepted again unchanged it keeps its value.
    QCOMPARE(pressOk(dlg), QString());
    QCOMPARE(dlg.getA()[5], 12);
}

void tst_ControlOptionsDialog::storedIpvertShownUnderIpanal8_data()
{
    QTest::addColumn<int>("ipanal");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("negativeText");
    QTest::addColumn<QString>("positiveText");
    QTest::addRow("0") << 8 << 0 << 0 << "-" << "";
    QTest::addRow("1") << 8 << 1 << 1 << "-" << "";
    QTest::addRow("2") << 9 << 2 << 2 << "-" << "";
    QTest::addRow("3") << 8 << 3 << 4 << "-" << "3";
    QTest::addRow("4") << 9 << 4 << 4 << "-" << "4";
    QTest::addRow("5") << 8 << 5 << 4 << "-" << "5";
    QTest::addRow("-4") << 8 << -4 << 3 << "-4" << "";
    QTest::addRow("-1 without 8") << 2 << -1 << 3 << "-1" << "";
}

void tst_ControlOptionsDialog::storedIpvertShownUnderIpanal8()
{
    QFETCH(int, ipanal);
    QFETCH(int, stored);
    QFETCH(int, index);
    QFETCH(QString, negativeText);
    QFETCH(QString, positiveText);

    controlOptionsDialog dlg;
    dlg.getA()[0] = ipanal;
    dlg.getA()[5] = stored;
    dlg.showProperties();
    QCOMPARE(combo(dlg, "ipvertComboBox")->currentIndex(), index);
    QCOMPARE(edit(dlg, "ipvertLineEdit")->text(), negativeText);
    QCOMPARE(edit(dlg, "ipvertLineEdit_2")->text(), positiveText);

    // Accepting what is shown stores the same value, without a complaint.
    QCOMPARE(pressOk(dlg), QString());
    QCOMPARE(dlg.getA()[5], stored);
}

void tst_ControlOptionsDialog::switchingIpanalRemovesN()
{
    controlOptionsDialog dlg;
    QSignalSpy shape(&dlg, &controlOptionsDialog::activateShapeAction);
    QComboBox *ipvert = combo(dlg, "ipvertComboBox");
    combo(dlg, "ipanalCmbBox")->setCurrentIndex(8);
    QCOMPARE(ipvert->count(), 5);
    combo(dlg, "ipanalCmbBox")->setCurrentIndex(9);
    QCOMPARE(ipvert->count(), 5); // not added twice
    ipvert->setCurrentIndex(4);
    edit(dlg, "ipvertLineEdit_2")->setText("6");

    combo(dlg, "ipanalCmbBox")->setCurrentIndex(2);
    QCOMPARE(items(ipvert), (QStringList{"0", "1", "2", "-n"}));
    // Falls back to the X-direction earthquake, not to "-n".
    QCOMPARE(ipvert->currentIndex(), 0);
    QCOMPARE(last(shape), QVariant(false));
    QCOMPARE(edit(dlg, "ipvertLineEdit_2")->text(), QString());

    QCOMPARE(pressOk(dlg), QString());
    QCOMPARE(dlg.getA()[0], 2);
    QCOMPARE(dlg.getA()[5], 0);
}

void tst_ControlOptionsDialog::alphaFollowsIpanal_data()
{
    QTest::addColumn<int>("ipanal");
    QTest::addColumn<bool>("alpha");
    for (int i = 1; i <= 10; ++i)
        QTest::addRow("%d", i) << i << (i == 6 || i == 8 || i == 9);
}

void tst_ControlOptionsDialog::alphaFollowsIpanal()
{
    QFETCH(int, ipanal);
    QFETCH(bool, alpha);
    controlOptionsDialog dlg;
    QSignalSpy spy(&dlg, &controlOptionsDialog::activateAlpha);
    combo(dlg, "ipanalCmbBox")->setCurrentIndex(ipanal);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(last(spy), QVariant(alpha));
    QCOMPARE(combo(dlg, "ipvertComboBox")->count(), (ipanal == 8 || ipanal == 9) ? 5 : 4);
}

void tst_ControlOptionsDialog::dValue100RoundTrip()
{
    controlOptionsDialog dlg;
    combo(dlg, "dComboBox")->setCurrentIndex(2);
    pressOk(dlg);
    QCOMPARE(dlg.getD()[2], 100);
    combo(dlg, "dComboBox")->setCurrentIndex(0);
    dlg.showProperties();
    QCOMPARE(combo(dlg, "dComboBox")->currentIndex(), 2);
    QCOMPARE(combo(dlg, "dComboBox")->currentText(), QStringLiteral("100"));

    combo(dlg, "dComboBox")->setCurrentIndex(1);
    pressOk(dlg);
    QCOMPARE(dlg.getD()[2], 1);
}

void tst_ControlOptionsDialog::nupAndIresid()
{
    controlOptionsDialog dlg;
    combo(dlg, "nupComboBox")->setCurrentIndex(1);
    combo(dlg, "iresidComboBox")->setCurrentIndex(1);
    pressOk(dlg);
    QCOMPARE(dlg.getB()[11], 2);
    QCOMPARE(dlg.getB()[12], 1);

    dlg.getB()[11] = 1;
    dlg.showProperties();
    QCOMPARE(combo(dlg, "nupComboBox")->currentText(), QStringLiteral("1"));
    QCOMPARE(combo(dlg, "iresidComboBox")->currentIndex(), 1);
}

void tst_ControlOptionsDialog::numbersAndUnconvertibleText()
{
    controlOptionsDialog dlg;
    dlg.getC()[3] = 0.0123456789012345;
    dlg.getC()[4] = 1234567890123.0;
    dlg.getE()[6] = 0.00001;
    dlg.getB()[6] = -7;
    dlg.showProperties();
    QCOMPARE(edit(dlg, "dtLineEdit")->text(), QStringLiteral("0.0123456789"));
    QCOMPARE(edit(dlg, "timeLineEdit")->text(), QStringLiteral("1.23456789e+12"));
    QCOMPARE(edit(dlg, "omegaLineEdit")->text(), QStringLiteral("1e-05"));
    QCOMPARE(edit(dlg, "kpLineEdit")->text(), QStringLiteral("-7"));

    // Text that is no number is refused, naming the field; nothing is stored.
    edit(dlg, "gravLineEdit")->setText("g");
    edit(dlg, "kpaLineEdit")->setText("2.5");
    edit(dlg, "maxitLineEdit")->setText("25");
    edit(dlg, "thetaLineEdit")->setText("30.5");
    QCOMPARE(pressOk(dlg), QStringLiteral("GRAV must be a number"));
    edit(dlg, "gravLineEdit")->setText("9.8");
    QCOMPARE(pressOk(dlg), QStringLiteral("KPA must be a whole number"));
    QCOMPARE(dlg.getD()[0], 0);
    edit(dlg, "kpaLineEdit")->setText("2");
    QCOMPARE(pressOk(dlg), QString());
    QCOMPARE(dlg.getC()[0], 9.8);
    QCOMPARE(dlg.getB()[7], 2);
    QCOMPARE(dlg.getD()[0], 25);
    QCOMPARE(dlg.getE()[3], 30.5);
    // The widgets now show what was stored.
    QCOMPARE(edit(dlg, "gravLineEdit")->text(), QStringLiteral("9.8"));
}

void tst_ControlOptionsDialog::filledInPlaceThenRefreshed()
{
    // As the project reader does: fill the arrays, then setProperties.
    controlOptionsDialog dlg;
    QSignalSpy shape(&dlg, &controlOptionsDialog::activateShapeAction);
    QSignalSpy alpha(&dlg, &controlOptionsDialog::activateAlpha);
    dlg.getA()[0] = 6;
    dlg.getA()[4] = 4;
    dlg.getA()[5] = -2;
    dlg.getA()[10] = 2;
    dlg.getB()[3] = 5;
    dlg.getC()[0] = 9.81;
    dlg.getD()[1] = 3;
    dlg.getE()[7] = 0.25;
    dlg.setProperties(9, 4, 3, 2);

    QCOMPARE(last(shape), QVariant(true));
    QCOMPARE(last(alpha), QVariant(true));
    QCOMPARE(combo(dlg, "ipanalCmbBox")->currentIndex(), 6);
    QCOMPARE(combo(dlg, "ictypeComboBox")->currentIndex(), 4);
    QVERIFY(!w<QGroupBox>(dlg, "groupBox_5")->isHidden());
    QCOMPARE(combo(dlg, "ipvertComboBox")->currentIndex(), 3);
    QCOMPARE(edit(dlg, "ipvertLineEdit")->text(), QStringLiteral("-2"));
    QCOMPARE(combo(dlg, "imodeComboBox")->currentIndex(), 2);
    QCOMPARE(edit(dlg, "mLineEdit")->text(), QStringLiteral("5"));
    QCOMPARE(edit(dlg, "gravLineEdit")->text(), QStringLiteral("9.81"));
    QCOMPARE(edit(dlg, "maxcitLineEdit")->text(), QStringLiteral("3"));
    QCOMPARE(edit(dlg, "fLineEdit")->text(), QStringLiteral("0.25"));

    // A second refresh with the combos already in place still reports.
    shape.clear();
    alpha.clear();
    dlg.setProperties(9, 5, 3, 2);
    QCOMPARE(shape.count(), 1);
    QCOMPARE(last(shape), QVariant(true));
    QCOMPARE(alpha.count(), 1);
    QCOMPARE(last(alpha), QVariant(true));

    // Back to a positive IPVERT switches SHAPE off on the next refresh.
    dlg.getA()[5] = 0;
    dlg.getA()[0] = 2;
    dlg.setProperties(9, 5, 3, 2);
    QCOMPARE(last(shape), QVariant(false));
    QCOMPARE(last(alpha), QVariant(false));
}

void tst_ControlOptionsDialog::cancelRestoresWidgets()
{
    controlOptionsDialog dlg;
    QSignalSpy shape(&dlg, &controlOptionsDialog::activateShapeAction);
    combo(dlg, "ipanalCmbBox")->setCurrentIndex(3);
    combo(dlg, "ipvertComboBox")->setCurrentIndex(3);
    edit(dlg, "ipvertLineEdit")->setText("-2");
    edit(dlg, "gravLineEdit")->setText("32.2");
    combo(dlg, "dComboBox")->setCurrentIndex(2);

    click(dlg, "cancelBtn");
    QCOMPARE(combo(dlg, "ipanalCmbBox")->currentIndex(), 0);
    QCOMPARE(combo(dlg, "ipvertComboBox")->currentIndex(), 0);
    QCOMPARE(edit(dlg, "ipvertLineEdit")->text(), QStringLiteral("-"));
    QCOMPARE(edit(dlg, "gravLineEdit")->text(), QStringLiteral("9.8"));
    QCOMPARE(combo(dlg, "dComboBox")->currentIndex(), 0);
    QCOMPARE(last(shape), QVariant(false));
    QVERIFY(!dlg.isSeted());
    QCOMPARE(dlg.getA()[0], 0);
}

void tst_ControlOptionsDialog::closingWithoutOkRestoresShape()
{
    controlOptionsDialog dlg;
    QSignalSpy shape(&dlg, &controlOptionsDialog::activateShapeAction);
    QSignalSpy alpha(&dlg, &controlOptionsDialog::activateAlpha);
    combo(dlg, "ipanalCmbBox")->setCurrentIndex(6);
    combo(dlg, "ipvertComboBox")->setCurrentIndex(3);
    QCOMPARE(last(shape), QVariant(true));
    QCOMPARE(last(alpha), QVariant(true));

    dlg.reject(); // close button or Escape
    QCOMPARE(last(shape), QVariant(false));
    QCOMPARE(last(alpha), QVariant(false));
    QCOMPARE(dlg.getA()[5], 0);
    QCOMPARE(combo(dlg, "ipvertComboBox")->currentIndex(), 0);
    QVERIFY(!dlg.isSeted());
}

void tst_ControlOptionsDialog::outOfRangeValuesShowFirstItem()
{
    controlOptionsDialog dlg;
    dlg.getA()[0] = 15;
    dlg.getA()[5] = 7; // "n" without IPANAL 8 or 9
    dlg.getB()[11] = 0;
    dlg.getD()[2] = 42;
    dlg.showProperties();
    QCOMPARE(combo(dlg, "ipanalCmbBox")->currentIndex(), 0);
    QCOMPARE(combo(dlg, "ipvertComboBox")->currentIndex(), 0);
    QCOMPARE(combo(dlg, "nupComboBox")->currentIndex(), 0);
    QCOMPARE(combo(dlg, "dComboBox")->currentIndex(), 0);
    pressOk(dlg);
    QCOMPARE(dlg.getA()[0], 0);
    QCOMPARE(dlg.getA()[5], 0);
    QCOMPARE(dlg.getB()[11], 1);
    QCOMPARE(dlg.getD()[2], 0);
}

void tst_ControlOptionsDialog::ictypeShowsDampingGroup()
{
    controlOptionsDialog dlg;
    QSignalSpy ictype(&dlg, &controlOptionsDialog::updateControlOptions);
    QGroupBox *group = w<QGroupBox>(dlg, "groupBox_5");
    QCOMPARE(group->title(), QStringLiteral("User Specified Modal Damping Parameters"));
    combo(dlg, "ictypeComboBox")->setCurrentIndex(4);
    QVERIFY(!group->isHidden());
    combo(dlg, "ictypeComboBox")->setCurrentIndex(5);
    QVERIFY(group->isHidden());
    pressOk(dlg);
    QCOMPARE(dlg.getA()[4], 5);
    QCOMPARE(ictype.count(), 1);
    QCOMPARE(last(ictype), QVariant(5));
}

void tst_ControlOptionsDialog::dampingAddSaveDelete()
{
    controlOptionsDialog dlg;
    combo(dlg, "ictypeComboBox")->setCurrentIndex(4);
    QComboBox *modes = combo(dlg, "comboBox");
    QLineEdit *value = edit(dlg, "dampLineEdit");
    QPushButton *save = w<QPushButton>(dlg, "pushButton_2");
    QPushButton *del = w<QPushButton>(dlg, "deleteBtn");
    QVERIFY(!save->isHidden());

    click(dlg, "pushButton");
    click(dlg, "pushButton");
    QCOMPARE(items(modes), (QStringList{"1", "2", "3"}));
    QCOMPARE(modes->currentIndex(), 2);
    QCOMPARE(value->text(), QStringLiteral("0"));

    modes->setCurrentIndex(1);
    value->setText("5.5");
    click(dlg, "pushButton_2");
    modes->setCurrentIndex(2);
    value->setText("3");
    click(dlg, "pushButton_2");
    QCOMPARE(dlg.getDumpList(), (QList<double>{0.0, 5.5, 3.0}));
    modes->setCurrentIndex(1);
    QCOMPARE(value->text(), QStringLiteral("5.5"));

    value->setText("five");
    click(dlg, "pushButton_2");
    QCOMPARE(dlg.getDumpList(), (QList<double>{0.0, 0.0, 3.0}));
    value->setText("0.123456789012");
    click(dlg, "pushButton_2");
    QCOMPARE(value->text(), QStringLiteral("0.123456789"));

    // Deleting renumbers the remaining modes.
    modes->setCurrentIndex(0);
    click(dlg, "deleteBtn");
    QCOMPARE(dlg.getDumpList(), (QList<double>{0.123456789012, 3.0}));
    QCOMPARE(items(modes), (QStringList{"1", "2"}));
    QCOMPARE(modes->currentIndex(), 0);
    QCOMPARE(value->text(), QStringLiteral("0.123456789"));

    modes->setCurrentIndex(1);
    click(dlg, "deleteBtn");
    QCOMPARE(modes->currentIndex(), 0);
    click(dlg, "deleteBtn");
    QVERIFY(dlg.getDumpList().isEmpty());
    QCOMPARE(modes->count(), 0);
    QCOMPARE(value->text(), QString());
    QVERIFY(save->isHidden());
    QVERIFY(del->isHidden());

    click(dlg, "pushButton");
    QCOMPARE(dlg.getDumpList(), QList<double>{0.0});
    QVERIFY(!save->isHidden());
    QVERIFY(!del->isHidden());

    // The list is kept whatever OK or Cancel do to the arrays.
    click(dlg, "cancelBtn");
    QCOMPARE(dlg.getDumpList(), QList<double>{0.0});
}

void tst_ControlOptionsDialog::setDumpListRefillsModes()
{
    controlOptionsDialog dlg;
    dlg.setDumpList({5.0, 3.0, 2.5});
    QCOMPARE(dlg.getDumpList(), (QList<double>{5.0, 3.0, 2.5}));
    QCOMPARE(items(combo(dlg, "comboBox")), (QStringList{"1", "2", "3"}));
    QCOMPARE(edit(dlg, "dampLineEdit")->text(), QStringLiteral("5"));

    // The copy handed out is not the stored list.
    QList<double> copy = dlg.getDumpList();
    copy[0] = 99.0;
    QCOMPARE(dlg.getDumpList().at(0), 5.0);

    dlg.setDumpList({});
    QCOMPARE(combo(dlg, "comboBox")->count(), 0);
    QVERIFY(w<QPushButton>(dlg, "deleteBtn")->isHidden());
    dlg.setDumpList({1.0});
    QVERIFY(!w<QPushButton>(dlg, "deleteBtn")->isHidden());
    dlg.setSeted(true);
    QVERIFY(dlg.isSeted());
    dlg.setSeted(false);
    QVERIFY(!dlg.isSeted());
}

void tst_ControlOptionsDialog::toolTips_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("controlTip");

    auto row = [](const char *name, const char *label, const char *control, const QString &tip,
                  const QString &controlTip = QString()) {
        QTest::newRow(name) << QString::fromLatin1(label) << QString::fromLatin1(control) << tip
                            << (controlTip.isNull() ? tip : controlTip);
    };
    row("IPANAL", "ipanalLabel", "ipanalCmbBox",
        "0 Static Analysis\n1 Static and Modal Analyses\n2 Dynamic Time-history using Newmark constant "
        "average acceleration\n3 Dynamic Time-history using Central Difference explicit method\n4 As for "
        "IPANAL = 2\n5 As for IPANAL = 3\n6 Adaptative Push Over\n7 Cyclic Adaptative Push Over\n8 Multiple "
        "Input Ground Displacement Histories\n9 As for IPANAL = 8\n10 Response Spectrum Analysis  ");
    row("IFMT", "ifmtLabel", "ifmtComboBox",
        "0 Binary post-processor file with extension .RES\n1 ASCII binary post-processor file with extension .RAS");
    row("IPLAS", "iplasLabel", "iplasComboBox",
        "0 Elastic Time-history Analysis only\n1 In-elastic Time-history Analysis");
    row("IPCONM", "ipconmLabel", "ipconComboBox",
        "0 Lumped mass matrix used in Time-history\n1 Diagonal mass matrix used in Time-history\n2 Consistent "
        "mass matrix used in Time-history");
    row("ICTYPE", "ictypeLabel", "ictypeComboBox",
        "0 Initial Stiffness Rayleigh Damping\n1 Tangent Stiffness Rayleigh Damping\n2 Linear variation of "
        "damping with elastic natural frequencies\n3 Tri-linear variation of damping with elastic natural "
        "frequencies\n4 User specified modal \n5 Material specific Rayleigh Damping\n6 Rayleigh Damping with "
        "Tangent damping matrix as Secant damping matrix\n7 Material Rayleigh with Tangent damping matrix as "
        "Secant damping matrix");
    row("IPVERT", "ipvertLabel", "ipvertComboBox",
        "0 X-direction earthquake only\n1 Y-direction earthquake only\n2 Both X and Y direction "
        "earthquakes\n-n Number of components of dynamic loading histories\nn Number of Displacement "
        "histories, IPANAL = 8 or 9");
    row("INLGEO", "inlgeoLabel", "inlgeoComboBox",
        "0 Small displacement analysis assumed\n1 Large displacement effects included\n2 P-Delta effects included");
    row("IPNF", "ipnfLabel", "ipnfComboBox",
        "0 Modal analysis is carried out after the static analysis\n1 Natural frequencies and Mode Shapes are "
        "NOT calculated\n2 Modal analysis is carried out before the static analysis");
    row("IZERO", "izeroLabel", "izeroComboBox", "0 All zero output is omitted\n1 All output printed");
    row("ORTHO", "orthoLabel", "orthoComboBox",
        "0 M;ode shape orthogonality check not carried out\n1 Mode shape orthogonality check printed");
    row("IMODE", "imodeLabel", "imodeComboBox",
        "0 Householder QR eigenvalue algorithm used\n1 Jacobi eigenvalue algorithm used\n2 Sub-space iteration "
        "eigenvalue algorithm used");
    row("NNP", "nnpLabel", "nmpLineEdit", "Number of nodal points in the structure");
    row("NMEM", "nmemLabel", "nmemLineEdit", "Number of members in the structure");
    row("NTYPE", "ntypeLabel", "ntypeLineEdit", "Number of different cross-section in the section table");
    row("M", "mLabel", "mLineEdit", "Number of mode-shapes required to be printed in the modal analysis");
    row("MODE1", "mode1Label", "mode1LineEdit", "The mode number at which the first damping ratio is applied");
    row("MODE2", "mode2Label", "mode2LineEdit", "The mode number at which the second damping ratio is applied");
    row("GRAV", "gravLabel", "gravLineEdit", "The acceleration of gravity");
    row("C1", "c1Label", "c1LineEdit", "The percentage of critical damping at MODE1");
    row("C2", "c2Label", "c2LineEdit", "The percentage of critical damping at MODE2");
    row("DT", "dtLabel", "dtLineEdit", "The time-step (Time units, usually seconds)",
        "(Time units, usually seconds)");
    row("TIME", "timeLabel", "timeLineEdit",
        "The lenght of time-history to be run (Time units, usually seconds)");
    row("FACTOR", "factorLabel", "factorLineEdit", "A scale factor applied to the time-history input");
    row("KP", "kpLabel", "kpLineEdit",
        "0 Time-history output suppressed\nk Time-history output every k time-steps");
    row("KPA", "kpaLabel", "kpaLineEdit",
        "0 Post-processor VISTRACE output supressed\nk Post-processor VISTRACE output every k time-steps");
    row("KPLOT", "kplotLabel", "kplotLineEdit",
        "0 Plastic Hinges plotted at every status change\nk Pastic Hingles plotted every k time-steps");
    row("DSTORT", "dstortLabel", "dstortLineEdit", "Not used any longer, supply 1.0");
    row("JOUT", "joutLabel", "joutLineEdit", "Not used any longer, supply 0");
    row("XMAX", "xmaxLabel", "xmaxLineEdit", "Maxium X displacement for use in the on-screen graphics");
    row("YMAX", "ymaxLabel", "ymaxLineEdit", "Maxium Y displacement for use in the on-screen graphics");
    row("NLEVEL", "nlevelLabel", "nlevelLineEdit",
        "Numbers of levels for computed inter-storey drifts, i.e number of storeys+1");
    row("DFACT", "dfactLabel", "dfactLineEdit",
        "Displacement multiplying scale factor for on-screen graphics. >= 1.0");
    row("NUP", "nupLabel", "nupComboBox", "Vertical for inter-storey drifts, 1 = X axis or 2 = Y axis");
    row("IRESID", "iresidLabel", "iresidComboBox",
        "1 Residual displacements and forces output at end of time-history output\n 0 Residual displacements "
        "and forces not output");
    row("KDUMP", "kdumpLabel", "kdumpLineEdit",
        "0 Mass and Stiffness matrices output supressed\n k Mass and Stiffness matrices output every k time-steps");
    row("MAXIT", "maxitLabel", "maxitLineEdit",
        "Maxium number of cycles of Newton-Raphson iteration per Time-step\nIf = 0 : no iteration\nif IPANAL = "
        "3 (explicit integration) MAXIT is the number of sub-steps per\ntime-step DT in the integration of the "
        "equations of motion i.e the actual integration time-step = DT/MAXIT");
    row("MAXCIT", "maxcitLabel", "maxcitLineEdit",
        "Maxium number of cycles of iteration/solution step for damping models\nICTYPE = 2,3 or 4 that have "
        "coefficients outside the skyline of the stiffness\nmatrix. In orther values of ICTYPE use 0");
    row("FTEST", "ftestLabel", "ftestLineEdit",
        "Norm of the out-of-balance force vector relative to the incremental force vector for the "
        "Newton-Raphson or damping iteration\n The value s the square of the iteration tolerance "
        "required.\ni.e 0.0001 implies a tolerance of 1% in the residual vector.");
    row("WAVEX", "wavexLabel", "wavexLineEdit",
        "Wave velocity of propagation in the x-direction (if = 0.0 taken as infinite)");
    row("WAVEY", "waveyLabel", "waveyLineEdit",
        "Wave velocity of propagation in the y-direction (if = 0.0 taken as infinite)");
    row("DXMAX", "dxmaxLabel", "dxmaxLineEdit", "X displacement to terminate analysis");
    row("DYMAX", "dymaxLabel", "dymaxLineEdit", "Y displacement to terminate analysis");
    row("D", "dLabel", "dComboBox",
        "Traveling Wave Dispersion Factor\n0.0 implies no dispersion (D = infinity)\n1.0 Maxium "
        "dispersion\n100.0 Minium dispersion");
    row("THETA", "thetaLabel", "thetaLineEdit",
        "Angle of Earthquake X and Y direction to structure X and Y directions\ndegrees (default = 0.0)");
    row("OMEGA", "omegaLabel", "omegaLineEdit",
        "Earthquake Characteristic Frequency (radians/second) used for dispersion");
    row("F", "fLabel", "fLineEdit", "Scale factor for dispersion (default = 0.10)");
    row("Damp Value", "dampLabel", "dampLineEdit", "Percentage of Critical Damping for this MODE");
}

void tst_ControlOptionsDialog::toolTips()
{
    QFETCH(QString, label);
    QFETCH(QString, control);
    QFETCH(QString, tip);
    QFETCH(QString, controlTip);
    controlOptionsDialog dlg;
    auto *lbl = dlg.findChild<QLabel *>(label);
    auto *ctl = dlg.findChild<QWidget *>(control);
    QVERIFY(lbl);
    QVERIFY(ctl);
    QCOMPARE(lbl->text(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(lbl->toolTip(), tip);
    QCOMPARE(ctl->toolTip(), controlTip);
}

void tst_ControlOptionsDialog::unchangedOkKeepsValues_data()
{
    QTest::addColumn<QString>("array");   // "c", "e", or "damp" (the first mode, saved unchanged)
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("value");
    QTest::addRow("C1 0.1+0.2") << "c" << 1 << 0.1 + 0.2;
    QTest::addRow("DT 1/3") << "c" << 3 << 1.0 / 3.0;
    QTest::addRow("TIME 123456789012") << "c" << 4 << 123456789012.0;
    QTest::addRow("DFACT -0") << "c" << 7 << -0.0;
    QTest::addRow("FTEST 1e-300") << "e" << 0 << 1e-300;
    QTest::addRow("F pi") << "e" << 7 << 3.14159265358979;
    QTest::addRow("damp 2.00000000001") << "damp" << 0 << 2.00000000001;
}

void tst_ControlOptionsDialog::unchangedOkKeepsValues()
{
    QFETCH(QString, array);
    QFETCH(int, index);
    QFETCH(double, value);
    controlOptionsDialog dlg;
    if (array == QLatin1String("damp"))
        dlg.setDumpList({value, 5.0});
    else
        (array == QLatin1String("c") ? dlg.getC() : dlg.getE())[index] = value;
    dlg.getA()[4] = 4;   // damping group shown
    dlg.showProperties();
    double c[controlOptionsDialog::CSize];
    double e[controlOptionsDialog::ESize];
    std::memcpy(c, dlg.getC(), sizeof c);
    std::memcpy(e, dlg.getE(), sizeof e);
    const QList<double> damp = dlg.getDumpList();

    click(dlg, "pushButton_2");
    QCOMPARE(pressOk(dlg), QString());
    QVERIFY(dlg.isSeted());
    for (int i = 0; i < controlOptionsDialog::CSize; ++i)
        QCOMPARE(bits(dlg.getC()[i]), bits(c[i]));
    for (int i = 0; i < controlOptionsDialog::ESize; ++i)
        QCOMPARE(bits(dlg.getE()[i]), bits(e[i]));
    QCOMPARE(dlg.getDumpList().size(), damp.size());
    for (int i = 0; i < damp.size(); ++i)
        QCOMPARE(bits(dlg.getDumpList().at(i)), bits(damp.at(i)));
}

void tst_ControlOptionsDialog::nonNumbersRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");   // empty: stored, or not checked
    QTest::addRow("M 1.5") << "mLineEdit" << "1.5" << "M must be a whole number";
    QTest::addRow("MAXIT empty") << "maxitLineEdit" << "" << "MAXIT must be a whole number";
    QTest::addRow("KDUMP 1e2") << "kdumpLineEdit" << "1e2" << "KDUMP must be a whole number";
    QTest::addRow("KP -3") << "kpLineEdit" << "-3" << "";
    QTest::addRow("C1 1,5") << "c1LineEdit" << "1,5" << "C1 must be a number";
    QTest::addRow("F inf") << "fLineEdit" << "inf" << "F must be a number";
    QTest::addRow("GRAV nan") << "gravLineEdit" << "nan" << "GRAV must be a number";
    QTest::addRow("DT 1e-3") << "dtLineEdit" << "1e-3" << "";
    QTest::addRow("disabled NNP") << "nmpLineEdit" << "abc" << "";
}

void tst_ControlOptionsDialog::nonNumbersRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    controlOptionsDialog dlg;
    pressOk(dlg);
    int b[controlOptionsDialog::BSize];
    double c[controlOptionsDialog::CSize], e[controlOptionsDialog::ESize];
    std::memcpy(b, dlg.getB(), sizeof b);
    std::memcpy(c, dlg.getC(), sizeof c);
    std::memcpy(e, dlg.getE(), sizeof e);
    edit(dlg, qPrintable(field))->setText(text);
    QCOMPARE(edit(dlg, qPrintable(field))->toolTip() == message, !message.isEmpty());
    QCOMPARE(pressOk(dlg), message);
    const bool same = !std::memcmp(b, dlg.getB(), sizeof b) && !std::memcmp(c, dlg.getC(), sizeof c)
                      && !std::memcmp(e, dlg.getE(), sizeof e);
    // Refused: nothing stored. A good number is stored; a disabled field stores nothing.
    QCOMPARE(same, !message.isEmpty() || field == QLatin1String("nmpLineEdit"));
}

QTEST_MAIN(tst_ControlOptionsDialog)
#include "tst_controloptionsdialog.moc"
