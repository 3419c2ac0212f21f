#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>

#include "editdriftdialog.h"

class tst_editDriftDialog : public QObject
{
    Q_OBJECT
private slots:
    void form();
    void freshDialog();
    void okStoresChoiceAndSignals_data();
    void okStoresChoiceAndSignals();
    void cancelKeepsChoice();
    void choiceRestoredBeforeColumnsExist();
    void accessorsFollowCheckBoxes();
    void unchangedOkKeepsChoice_data();
    void unchangedOkKeepsChoice();

private:
    static QComboBox *combo(editDriftDialog &d)
    {
        return d.findChild<QComboBox *>(QStringLiteral("columnsComboBox"));
    }
    static QCheckBox *kups(editDriftDialog &d)
    {
        return d.findChild<QCheckBox *>(QStringLiteral("setKups"));
    }
    static QCheckBox *kupsTo0(editDriftDialog &d)
    {
        return d.findChild<QCheckBox *>(QStringLiteral("setKupsTo0"));
    }
    static QStringList items(editDriftDialog &d)
    {
        QStringList list;
        for (int i = 0; i < combo(d)->count(); ++i)
            list << combo(d)->itemText(i);
        return list;
    }
};

void tst_editDriftDialog::form()
{
    editDriftDialog d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Edit Drift"));
    QCOMPARE(d.findChild<QGroupBox *>(QStringLiteral("driftsGroupBox"))->title(), QStringLiteral("Drifts"));
    QCOMPARE(kups(d)->text(), QStringLiteral("Set KUP1 parameters automatically"));
    QCOMPARE(kupsTo0(d)->text(), QStringLiteral("Set KUP1 parameters automatically to 0"));
    QCOMPARE(kupsTo0(d)->toolTip(), QStringLiteral("This will set automatically all KUP1 parameters of nodes to 0"));
    QCOMPARE(combo(d)->toolTip(),
             QStringLiteral("None : This will set all parameters of the nodes KUP1 to 0 and will not write DRIFT output to the Taliskor2D file."));
    QCOMPARE(kups(d)->geometry(), kupsTo0(d)->geometry());
    QCOMPARE(d.minimumSize(), d.maximumSize());
}

void tst_editDriftDialog::freshDialog()
{
    editDriftDialog d;
    QSignalSpy spy(&d, &editDriftDialog::updateDrift);
    QCOMPARE(items(d), QStringList{"None"});
    QCOMPARE(combo(d)->currentText(), QStringLiteral("None"));
    QVERIFY(!kupsTo0(d)->isHidden());
    QVERIFY(kups(d)->isHidden());
    QVERIFY(!kupsTo0(d)->isChecked());
    QVERIFY(kups(d)->isChecked());
    QVERIFY(!d.isSeted());

    d.on_okBtn_clicked();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), false);
    QCOMPARE(d.getDrift(), QStringLiteral("None"));
    QVERIFY(d.isSeted());
}

void tst_editDriftDialog::okStoresChoiceAndSignals_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("kupsChecked");
    QTest::addColumn<bool>("kupsTo0Checked");
    QTest::addColumn<QString>("drift");
    QTest::addColumn<bool>("flag");
    QTest::addRow("column 3 as it starts") << 3 << true << false << "3" << true;
    QTest::addRow("column 3 unchecked") << 3 << false << true << "3" << false;
    QTest::addRow("None checked") << 0 << false << true << "None" << true;
    QTest::addRow("None unchecked") << 0 << true << false << "None" << false;
    QTest::addRow("column 1") << 1 << true << false << "1" << true;
}

void tst_editDriftDialog::okStoresChoiceAndSignals()
{
    QFETCH(int, index);
    QFETCH(bool, kupsChecked);
    QFETCH(bool, kupsTo0Checked);
    QFETCH(QString, drift);
    QFETCH(bool, flag);
    editDriftDialog d;
    QSignalSpy spy(&d, &editDriftDialog::updateDrift);
    d.setColumns({"1", "2", "3", "4"});
    QCOMPARE(items(d), QStringList({"None", "1", "2", "3", "4"}));
    combo(d)->setCurrentIndex(index);
    QCOMPARE(kups(d)->isHidden(), index == 0);
    QCOMPARE(kupsTo0(d)->isHidden(), index != 0);
    kups(d)->setChecked(kupsChecked);
    kupsTo0(d)->setChecked(kupsTo0Checked);
    d.show();
    d.on_okBtn_clicked();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.getDrift(), drift);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), flag);
    QVERIFY(d.isSeted());
}

void tst_editDriftDialog::cancelKeepsChoice()
{
    editDriftDialog d;
    QSignalSpy spy(&d, &editDriftDialog::updateDrift);
    const QList<QString> ids{"1", "2", "3"};
    d.setColumns(ids);
    combo(d)->setCurrentIndex(2);
    d.on_okBtn_clicked();
    QCOMPARE(d.getDrift(), QStringLiteral("2"));

    d.setColumns(ids);
    QCOMPARE(combo(d)->currentIndex(), 2);
    combo(d)->setCurrentIndex(0);
    d.show();
    d.on_cancelBtn_clicked();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.getDrift(), QStringLiteral("2"));
    QCOMPARE(spy.count(), 1);

    d.setColumns(ids);   // the next showing selects the stored column again
    QCOMPARE(combo(d)->currentText(), QStringLiteral("2"));
    QVERIFY(!kups(d)->isHidden());
    QVERIFY(kupsTo0(d)->isHidden());
}

void tst_editDriftDialog::choiceRestoredBeforeColumnsExist()
{
    // Opening a project sets the choice before the grid's columns are offered.
    editDriftDialog d;
    d.setDrift(QStringLiteral("3"));
    d.setKup1Automatically(false);
    d.setSeted(true);
    QCOMPARE(d.getDrift(), QStringLiteral("3"));
    QVERIFY(d.isSeted());
    d.setColumns({"1", "2", "3"});
    QCOMPARE(combo(d)->currentText(), QStringLiteral("3"));
    QCOMPARE(d.getKup1Automatically(), false);
}

void tst_editDriftDialog::accessorsFollowCheckBoxes()
{
    editDriftDialog d;
    d.setKup1AutomaticallyTo0(true);
    QVERIFY(kupsTo0(d)->isChecked());
    QVERIFY(d.getKup1AutomaticallyTo0());
    kups(d)->setChecked(false);
    QVERIFY(!d.getKup1Automatically());
    d.setKup1Automatically(true);
    QVERIFY(kups(d)->isChecked());
}

void tst_editDriftDialog::unchangedOkKeepsChoice_data()
{
    QTest::addColumn<QString>("drift");
    QTest::addColumn<bool>("kups");
    QTest::addColumn<bool>("kupsTo0");
    QTest::addRow("None, to 0 checked") << "None" << false << true;
    QTest::addRow("None, nothing checked") << "None" << true << false;
    QTest::addRow("column 1") << "1" << true << false;
    QTest::addRow("column 4 unchecked") << "4" << false << true;
}

void tst_editDriftDialog::unchangedOkKeepsChoice()
{
    QFETCH(QString, drift);
    QFETCH(bool, kups);
    QFETCH(bool, kupsTo0);
    // As a project opens: the choice first, the columns when the dialog is shown.
    editDriftDialog d;
    d.setDrift(drift);
    d.setKup1Automatically(kups);
    d.setKup1AutomaticallyTo0(kupsTo0);
    d.setColumns({"1", "2", "3", "4"});
    QSignalSpy spy(&d, &editDriftDialog::updateDrift);
    d.findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
    QCOMPARE(d.getDrift(), drift);
    QCOMPARE(d.getKup1Automatically(), kups);
    QCOMPARE(d.getKup1AutomaticallyTo0(), kupsTo0);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), drift == QLatin1String("None") ? kupsTo0 : kups);
}

QTEST_MAIN(tst_editDriftDialog)
#include "tst_editdriftdialog.moc"
