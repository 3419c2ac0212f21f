#include <QtTest>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QChartView>
#include <QLineSeries>
#include <QTemporaryDir>

#include "editquakedialog.h"

#include <cstring>

// Doubles compared bit for bit: -0 differs from 0, and no fuzz.
static quint64 bits(double v)
{
    quint64 b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

class tst_editQuakeDialog : public QObject
{
    Q_OBJECT
private slots:
    void form();
    void freshOk();
    void numbersStored_data();
    void numbersStored();
    void fiveDigitDisplay_data();
    void fiveDigitDisplay();
    void fileNameKeepsBlanks();
    void fileNameRefusesControlCharacters_data();
    void fileNameRefusesControlCharacters();
    void cancelRestoresAndCloseStoresNothing();
    void arraysAreSharedInPlace();
    void unchangedOkKeepsValues_data();
    void unchangedOkKeepsValues();
    void recordShown_data();
    void recordShown();
    void redrawnAfterAPause();
    void longRecordKeepsItsPeaks();
    void spectrumDampings_data();
    void spectrumDampings();

private:
    static QLineEdit *edit(editQuakeDialog &d, const char *name)
    {
        return d.findChild<QLineEdit *>(QLatin1String(name));
    }
    static QComboBox *iberg(editQuakeDialog &d)
    {
        return d.findChild<QComboBox *>(QStringLiteral("ibergComboBox"));
    }
};

void tst_editQuakeDialog::form()
{
    editQuakeDialog d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Edit Quake"));
    QCOMPARE(d.findChild<QGroupBox *>(QStringLiteral("groupBox"))->title(), QStringLiteral("Equake"));
    QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("pushButton"))->text(), QStringLiteral("OK"));
    QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("pushButton_2"))->text(), QStringLiteral("Cancel"));
    QCOMPARE(iberg(d)->count(), 8);
    QCOMPARE(iberg(d)->itemText(7), QStringLiteral("7"));
    const char *names[] = {"label", "label_2", "label_3", "label_4", "label_5", "label_6", "label_7", "label_8", "label_9"};
    const QStringList texts{"IBERG", "ISTART", "DELTAT", "ASCALE", "END", "VEL", "DIS", "TSCALE", "FILE"};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(d.findChild<QLabel *>(QLatin1String(names[i]))->text(), texts.at(i));
    // Label and control carry the same tip, line breaks included.
    const QString tip = QStringLiteral(
        "Time scale for the record (Default = 1.0)\nThe times implied in the record are effectively divided by TSCALE. If\n"
        "20 seconds of excitation must be provided unless END = -1");
    QCOMPARE(d.findChild<QLabel *>(QStringLiteral("label_8"))->toolTip(), tip);
    QCOMPARE(edit(d, "tScaleLineEdit")->toolTip(), tip);
    QVERIFY(edit(d, "ascaleLineEdit")->toolTip().contains(
        QStringLiteral("If the record is in the units \n of mm/sec/sec and if g = 9.81m(sec/sec. then ASCALE = 9810.0\n")));
    QVERIFY(edit(d, "deltaTLineEdit")->toolTip().contains(QStringLiteral("\ntThe default value")));
    QCOMPARE(edit(d, "fileLineEdit")->toolTip(), QString());
    QCOMPARE(d.minimumSize(), d.maximumSize());
    QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("browseBtn"))->text(), QStringLiteral("Browse…"));
    const auto *tabs = d.findChild<QTabWidget *>(QStringLiteral("recordTabs"));
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Record"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Spectrum"));
    QCOMPARE(edit(d, "dampingLineEdit")->text(), QStringLiteral("5"));
}

void tst_editQuakeDialog::freshOk()
{
    editQuakeDialog d;
    QVERIFY(!d.isSeted());
    d.showProperties();
    QCOMPARE(edit(d, "tScaleLineEdit")->text(), QStringLiteral("0"));
    d.show();
    d.on_pushButton_clicked();
    QVERIFY(!d.isVisible());
    QVERIFY(d.isSeted());
    QCOMPARE(d.geta()[0], 0);
    QCOMPARE(d.geta()[1], 0);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(d.getb()[i], 0.0);
    QCOMPARE(d.getFile(), QString());
}

void tst_editQuakeDialog::numbersStored_data()
{
    QTest::addColumn<QString>("editName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bIndex");   // -1: ISTART
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("message");   // empty: stored
    QTest::addRow("ISTART abc") << "iStartLineEdit" << "abc" << -1 << 99.0 << "ISTART must be a whole number";
    QTest::addRow("ISTART 12") << "iStartLineEdit" << "12" << -1 << 12.0 << "";
    QTest::addRow("ISTART 1.5") << "iStartLineEdit" << "1.5" << -1 << 99.0 << "ISTART must be a whole number";
    QTest::addRow("ISTART empty") << "iStartLineEdit" << "" << -1 << 99.0 << "ISTART must be a whole number";
    QTest::addRow("DELTAT 0.01") << "deltaTLineEdit" << "0.01" << 0 << 0.01 << "";
    QTest::addRow("ASCALE 981") << "ascaleLineEdit" << "981" << 1 << 981.0 << "";
    QTest::addRow("END -1") << "endLineEdit" << "-1" << 2 << -1.0 << "";
    QTest::addRow("VEL x") << "velLineEdit" << "x" << 3 << 99.0 << "VEL must be a number";
    QTest::addRow("DIS 1e-3") << "disLineEdit" << "1e-3" << 4 << 0.001 << "";
    QTest::addRow("TSCALE 1") << "tScaleLineEdit" << "1" << 5 << 1.0 << "";
    QTest::addRow("TSCALE 1,5") << "tScaleLineEdit" << "1,5" << 5 << 99.0 << "TSCALE must be a number";
    // Not finite: a project holding it could not be opened again.
    QTest::addRow("DELTAT inf") << "deltaTLineEdit" << "inf" << 0 << 99.0 << "DELTAT must be a number";
    QTest::addRow("ASCALE nan") << "ascaleLineEdit" << "nan" << 1 << 99.0 << "ASCALE must be a number";
    QTest::addRow("END -inf") << "endLineEdit" << "-inf" << 2 << 99.0 << "END must be a number";
    QTest::addRow("VEL 1e999") << "velLineEdit" << "1e999" << 3 << 99.0 << "VEL must be a number";
}

void tst_editQuakeDialog::numbersStored()
{
    QFETCH(QString, editName);
    QFETCH(QString, text);
    QFETCH(int, bIndex);
    QFETCH(double, value);
    QFETCH(QString, message);
    editQuakeDialog d;
    d.geta()[1] = 99;
    d.getb()[qMax(bIndex, 0)] = 99;
    d.showProperties();
    edit(d, qPrintable(editName))->setText(text);
    // Marked as typed: the tool tip says why.
    QCOMPARE(edit(d, qPrintable(editName))->toolTip().endsWith(QStringLiteral(" must be a number"))
                 || edit(d, qPrintable(editName))->toolTip().endsWith(QStringLiteral(" must be a whole number")),
             !message.isEmpty());
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + QLatin1Char('|') + box->text();
            box->close();
        }
    });
    d.on_pushButton_clicked();
    QCoreApplication::processEvents();
    QCOMPARE(shown, message.isEmpty() ? QString() : QStringLiteral("Error|") + message);
    QCOMPARE(d.isSeted(), message.isEmpty());
    if (bIndex < 0)
        QCOMPARE(d.geta()[1], int(value));
    else
        QCOMPARE(d.getb()[bIndex], value);
}

void tst_editQuakeDialog::fiveDigitDisplay_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::addRow("0.01") << 0.01 << "0.01";
    QTest::addRow("2.5") << 2.5 << "2.5";
    QTest::addRow("12345") << 12345.0 << "12345";
    QTest::addRow("123456") << 123456.0 << "1.2346e+05";
    QTest::addRow("0.0001") << 0.0001 << "0.0001";
    QTest::addRow("0.00001") << 0.00001 << "1e-05";
    QTest::addRow("3.14159265") << 3.14159265 << "3.1416";
    QTest::addRow("-9810") << -9810.0 << "-9810";
}

void tst_editQuakeDialog::fiveDigitDisplay()
{
    QFETCH(double, value);
    QFETCH(QString, shown);
    editQuakeDialog d;
    d.showProperties();
    edit(d, "deltaTLineEdit")->setText(QString::number(value, 'g', 17));
    d.on_pushButton_clicked();
    QCOMPARE(d.getb()[0], value);
    d.showProperties();   // the next opening
    QCOMPARE(edit(d, "deltaTLineEdit")->text(), shown);
}

void tst_editQuakeDialog::fileNameKeepsBlanks()
{
    editQuakeDialog d;
    edit(d, "fileLineEdit")->setText(QStringLiteral("  el centro.txt "));
    d.on_pushButton_clicked();
    QCOMPARE(d.getFile(), QStringLiteral("  el centro.txt "));
    d.setFile(QStringLiteral("   "));
    d.showProperties();
    QCOMPARE(edit(d, "fileLineEdit")->text(), QStringLiteral("   "));
}

void tst_editQuakeDialog::fileNameRefusesControlCharacters_data()
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

void tst_editQuakeDialog::fileNameRefusesControlCharacters()
{
    QFETCH(QString, input);
    QFETCH(QString, kept);
    editQuakeDialog d;
    QLineEdit *edit = tst_editQuakeDialog::edit(d, "fileLineEdit");
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
    d.on_pushButton_clicked();
    QCOMPARE(d.getFile(), kept);
}

void tst_editQuakeDialog::cancelRestoresAndCloseStoresNothing()
{
    editQuakeDialog d;
    iberg(d)->setCurrentIndex(3);
    edit(d, "iStartLineEdit")->setText(QStringLiteral("5"));
    edit(d, "endLineEdit")->setText(QStringLiteral("-1"));
    edit(d, "fileLineEdit")->setText(QStringLiteral("a.dat"));
    d.on_pushButton_clicked();

    d.showProperties();
    iberg(d)->setCurrentIndex(6);
    edit(d, "iStartLineEdit")->setText(QStringLiteral("8"));
    edit(d, "endLineEdit")->setText(QStringLiteral("20"));
    edit(d, "fileLineEdit")->setText(QStringLiteral("b.dat"));
    d.show();
    d.on_pushButton_2_clicked();
    QVERIFY(d.isVisible());
    QCOMPARE(iberg(d)->currentIndex(), 3);
    QCOMPARE(edit(d, "iStartLineEdit")->text(), QStringLiteral("5"));
    QCOMPARE(edit(d, "endLineEdit")->text(), QStringLiteral("-1"));
    QCOMPARE(edit(d, "fileLineEdit")->text(), QStringLiteral("a.dat"));

    edit(d, "endLineEdit")->setText(QStringLiteral("30"));
    d.close();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.getb()[2], -1.0);
    QCOMPARE(d.geta()[0], 3);
    QCOMPARE(d.geta()[1], 5);
    QCOMPARE(d.getFile(), QStringLiteral("a.dat"));
}

void tst_editQuakeDialog::arraysAreSharedInPlace()
{
    editQuakeDialog d;
    d.geta()[0] = 2;
    d.getb()[5] = 1.0;
    d.showProperties();
    QCOMPARE(iberg(d)->currentIndex(), 2);
    QCOMPARE(edit(d, "tScaleLineEdit")->text(), QStringLiteral("1"));
    d.setNullProperties();
    QCOMPARE(d.geta()[0], 0);
    QCOMPARE(d.getb()[5], 0.0);
}

void tst_editQuakeDialog::unchangedOkKeepsValues_data()
{
    QTest::addColumn<int>("index");   // into b; -1: IBERG
    QTest::addColumn<double>("value");
    QTest::addRow("DELTAT 2^-8") << 0 << 0.00390625;
    QTest::addRow("ASCALE 9810.123456789") << 1 << 9810.123456789;
    QTest::addRow("END 123456") << 2 << 123456.0;
    QTest::addRow("VEL -0") << 3 << -0.0;
    QTest::addRow("DIS 1e-300") << 4 << 1e-300;
    QTest::addRow("TSCALE 0.1+0.2") << 5 << 0.1 + 0.2;
    QTest::addRow("IBERG without item") << -1 << 9.0;
}

void tst_editQuakeDialog::unchangedOkKeepsValues()
{
    QFETCH(int, index);
    QFETCH(double, value);
    editQuakeDialog d;
    d.showProperties();   // an earlier opening, with zeros
    d.geta()[1] = 2147483647;
    if (index < 0)
        d.geta()[0] = int(value);
    else
        d.getb()[index] = value;
    const int a0 = d.geta()[0];
    double b[6];
    std::memcpy(b, d.getb(), sizeof b);
    d.setFile(QStringLiteral(" quake.dat"));
    d.showProperties();
    d.findChild<QPushButton *>(QStringLiteral("pushButton"))->click();
    QVERIFY(d.isSeted());
    QCOMPARE(d.geta()[0], a0);
    QCOMPARE(d.geta()[1], 2147483647);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(bits(d.getb()[i]), bits(b[i]));
    QCOMPARE(d.getFile(), QStringLiteral(" quake.dat"));
}

void tst_editQuakeDialog::recordShown_data()
{
    QTest::addColumn<QString>("field");    // typed into before the preview
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("projectFile");   // in the temporary folder; empty: none
    QTest::addColumn<int>("samples");           // -1: no plot
    QTest::addColumn<QString>("shown");         // a line of the figures, or the end of the reason
    QTest::addRow("beside the project") << "" << "" << "model.kfp" << 4 << "PGA: 0.4 g at 0.06 s";
    QTest::addRow("PGA times GRAV") << "" << "" << "model.kfp" << 4 << "PGA × GRAV: 3.92";
    QTest::addRow("ASCALE typed") << "ascaleLineEdit" << "2" << "model.kfp" << 4 << "PGA: 0.2 g at 0.06 s";
    QTest::addRow("END -1 pads to TIME") << "endLineEdit" << "-1" << "model.kfp" << 51 << "Duration: 1 s";
    QTest::addRow("no project, current folder") << "" << "" << "" << -1 << "No such file or directory";
    QTest::addRow("DELTAT not a number") << "deltaTLineEdit" << "x" << "model.kfp" << -1 << "DELTAT must be a number";
    QTest::addRow("END -3") << "endLineEdit" << "-3" << "model.kfp" << -1 << "END must be 0, -1 or a time above 0";
    QTest::addRow("CALTECH") << "ibergComboBox" << "1" << "model.kfp" << -1 << "No preview for the CALTECH format";
    QTest::addRow("empty name") << "fileLineEdit" << " " << "model.kfp" << -1 << "FILE is empty";
}

void tst_editQuakeDialog::recordShown()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, projectFile);
    QFETCH(int, samples);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("records"));
    QFile f(dir.filePath("records/quake.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("0.1 -0.2\n0.3\n-0.4\n");
    f.close();
    editQuakeDialog d;
    d.setContext([&] {
        editQuakeDialog::Context c;
        c.projectFile = projectFile.isEmpty() ? QString() : dir.filePath(projectFile);
        c.control.c[0] = 9.8;   // GRAV
        c.control.c[4] = 1.0;   // TIME
        c.control.c[5] = 1.0;   // FACTOR
        return c;
    });
    d.geta()[0] = 3;
    d.getb()[0] = 0.02;
    d.getb()[1] = 1.0;
    d.setFile("records/quake.txt");
    d.showProperties();
    if (field == "ibergComboBox")
        iberg(d)->setCurrentIndex(text.toInt());
    else if (!field.isEmpty())
        edit(d, qPrintable(field))->setText(text);
    d.refreshPreview();
    const QString figures = d.findChild<QLabel *>("recordStatusLabel")->text();
    QCOMPARE(int(d.previewRecord().g.size()), qMax(samples, 0));
    QCOMPARE(d.previewError().isEmpty(), samples >= 0);
    if (samples >= 0)
        QVERIFY2(figures.split('\n').contains(shown), qPrintable(figures));
    else
        QVERIFY2(figures.endsWith(shown), qPrintable(figures));
    // Nothing typed is stored by the preview.
    QCOMPARE(d.getb()[1], 1.0);
}

void tst_editQuakeDialog::redrawnAfterAPause()
{
    QTemporaryDir dir;
    QFile f(dir.filePath("a.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("0.5 0.25\n");
    f.close();
    editQuakeDialog d;
    d.setContext([&] { return editQuakeDialog::Context{dir.filePath("m.kfp"), ControlSettings()}; });
    d.geta()[0] = 3;
    d.getb()[0] = 0.01;
    d.showProperties();
    d.show();
    QTRY_VERIFY(!d.previewError().isEmpty());   // no file yet
    QElapsedTimer clock;
    clock.start();
    edit(d, "fileLineEdit")->setText("a.txt");
    QCoreApplication::processEvents();
    QVERIFY(!d.previewError().isEmpty());
    QTRY_COMPARE(int(d.previewRecord().g.size()), 2);
    QVERIFY(clock.elapsed() >= 300);
    QCOMPARE(d.spectra().size(), size_t(1));   // 5 % by default
}

void tst_editQuakeDialog::longRecordKeepsItsPeaks()
{
    // 20,000 samples, one spike: the plot draws fewer points but the spike,
    // and a zoom draws every sample it shows.
    QTemporaryDir dir;
    QFile f(dir.filePath("long.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (int i = 0; i < 20000; ++i)
        f.write(i == 12345 ? "0.9\n" : (i % 2 ? "0.01\n" : "-0.01\n"));
    f.close();
    editQuakeDialog d;
    d.setContext([&] { return editQuakeDialog::Context{dir.filePath("m.kfp"), ControlSettings()}; });
    d.geta()[0] = 3;
    d.getb()[0] = 0.005;
    d.setFile("long.txt");
    d.showProperties();
    d.refreshPreview();
    auto *chart = d.findChild<QChartView *>("recordChart")->chart();
    auto *series = qobject_cast<QLineSeries *>(chart->series().value(0));
    QVERIFY(series);
    QVERIFY(series->count() <= 4000);
    QVERIFY(series->points().contains(QPointF(12345 * 0.005, 0.9)));
    chart->axes(Qt::Horizontal).first()->setRange(61.7, 61.75);
    QCOMPARE(series->count(), 11);
    QCOMPARE(series->at(5), QPointF(12345 * 0.005, 0.9));
}

void tst_editQuakeDialog::spectrumDampings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<double>>("percents");
    QTest::addRow("default") << "5" << QList<double>{5};
    QTest::addRow("three") << "2, 5 10" << QList<double>{2, 5, 10};
    QTest::addRow("zero") << "0" << QList<double>{0};
    QTest::addRow("100") << "100" << QList<double>();
    QTest::addRow("negative") << "5 -1" << QList<double>();
    QTest::addRow("empty") << "" << QList<double>();
}

void tst_editQuakeDialog::spectrumDampings()
{
    QFETCH(QString, text);
    QFETCH(QList<double>, percents);
    QTemporaryDir dir;
    QFile f(dir.filePath("a.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("0 0.1 -0.1 0.2 0\n");
    f.close();
    editQuakeDialog d;
    d.setContext([&] { return editQuakeDialog::Context{dir.filePath("m.kfp"), ControlSettings()}; });
    d.geta()[0] = 3;
    d.getb()[0] = 0.01;
    d.setFile("a.txt");
    d.showProperties();
    edit(d, "dampingLineEdit")->setText(text);
    d.refreshPreview();
    QCOMPARE(QList<double>(d.dampings().begin(), d.dampings().end()), percents);
    QCOMPARE(d.spectra().size(), size_t(percents.size()));
    // Each curve is the record's spectrum at its damping.
    for (size_t k = 0; k < d.spectra().size(); ++k) {
        const auto expected = ResponseSpectrum::compute({0, 0.1, -0.1, 0.2, 0}, 0.01, percents.at(k) / 100, 9.8);
        for (int i = 0; i < ResponseSpectrum::kPeriods; i += 33)
            QCOMPARE(d.spectra()[k][i].sa, expected[i].sa);
    }
    QCOMPARE(d.findChild<QLabel *>("spectrumStatusLabel")->text().isEmpty(), !percents.isEmpty());
}

QTEST_MAIN(tst_editQuakeDialog)
#include "tst_editquakedialog.moc"
