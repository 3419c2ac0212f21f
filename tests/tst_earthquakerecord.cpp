#include "earthquakerecord.h"
#include "projectmodel.h"

#include <QtTest>

using EarthquakeRecord::Options;

namespace {

Options options(int iberg, int istart = 1, double deltat = 0.01, double ascale = 1.0, double end = 0.0,
                double tscale = 1.0, double time = 0.0, double factor = 1.0)
{
    Options o;
    o.iberg = iberg;
    o.istart = istart;
    o.deltat = deltat;
    o.ascale = ascale;
    o.end = end;
    o.tscale = tscale;
    o.time = time;
    o.factor = factor;
    return o;
}

const QByteArray peerHeader = "PEER NGA STRONG MOTION DATABASE RECORD\r\n"
                              "IMPERIAL VALLEY 5/19/40, EL CENTRO ARRAY 9, 180\r\n"
                              "ACCELERATION TIME SERIES IN UNITS OF G\r\n";

} // namespace

Q_DECLARE_METATYPE(Options)

class tst_EarthquakeRecord : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void readsTheFileNamed_data();
    void readsTheFileNamed();
    void summary();
    void storedName_data();
    void storedName();
};

void tst_EarthquakeRecord::parse_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Options>("o");
    QTest::addColumn<double>("interval");
    QTest::addColumn<QList<double>>("g");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("notes");
    const int F = EarthquakeRecord::Free, P = EarthquakeRecord::Peer;

    QTest::addRow("FREE blanks, tabs, commas, CRLF")
        << QByteArray("1 2\t3,4\r\n, 5 ,,6\r\n") << options(F) << 0.01 << QList<double>{1, 2, 3, 4, 5, 6} << ""
        << QStringList();
    QTest::addRow("FREE ISTART 3 skips two lines")
        << QByteArray("title\nabc def\n1 2\n3\n") << options(F, 3) << 0.01 << QList<double>{1, 2, 3} << ""
        << QStringList();
    QTest::addRow("FREE ISTART 0 skips none")
        << QByteArray("7\n8\n") << options(F, 0) << 0.01 << QList<double>{7, 8} << "" << QStringList();
    QTest::addRow("FREE bad token") << QByteArray("1\n2\n3 abc\n") << options(F) << 0.0 << QList<double>()
                                    << "Line 3: \"abc\" is not a number" << QStringList();
    QTest::addRow("FREE no nan") << QByteArray("1 nan\n") << options(F) << 0.0 << QList<double>()
                                 << "Line 1: \"nan\" is not a number" << QStringList();
    QTest::addRow("FREE no D exponent") << QByteArray("1.0D+00\n") << options(F) << 0.0 << QList<double>()
                                        << "Line 1: \"1.0D+00\" is not a number" << QStringList();
    QTest::addRow("FREE empty") << QByteArray(" \r\n\n") << options(F) << 0.0 << QList<double>()
                                << "The record holds no samples" << QStringList();
    QTest::addRow("FREE DELTAT 0") << QByteArray("1\n") << options(F, 1, 0.0) << 0.0 << QList<double>()
                                   << "DELTAT must be above 0 for a FREE record" << QStringList();
    QTest::addRow("FREE ASCALE 981, FACTOR 2, TSCALE 2")
        << QByteArray("981 -490.5\n") << options(F, 1, 0.02, 981.0, 0.0, 2.0, 0.0, 2.0) << 0.01
        << QList<double>{2, -1} << "" << QStringList();
    QTest::addRow("FREE ASCALE 0 reads as 1")
        << QByteArray("0.5\n") << options(F, 1, 0.01, 0.0) << 0.01 << QList<double>{0.5} << ""
        << QStringList{"ASCALE is 0 and reads as 1"};
    QTest::addRow("FREE TSCALE 0 reads as 1")
        << QByteArray("1\n") << options(F, 1, 0.02, 1.0, 0.0, 0.0) << 0.02 << QList<double>{1} << "" << QStringList();

    // END: the last sample at TIME or after; never cut at TIME.
    QTest::addRow("END 0 keeps the record")
        << QByteArray("1 1 1\n") << options(F, 1, 0.1, 1, 0, 1, 1.0) << 0.1 << QList<double>{1, 1, 1} << ""
        << QStringList();
    QTest::addRow("END -1 pads to TIME")
        << QByteArray("1 1 1\n") << options(F, 1, 0.1, 1, -1, 1, 0.5) << 0.1 << QList<double>{1, 1, 1, 0, 0, 0}
        << "" << QStringList{"Zeros from 0.3 s to TIME (0.5 s)"};
    QTest::addRow("END -1 pads to past TIME")
        << QByteArray("1\n") << options(F, 1, 0.2, 1, -1, 1, 0.5) << 0.2 << QList<double>{1, 0, 0, 0} << ""
        << QStringList{"Zeros from 0.2 s to TIME (0.5 s)"};
    QTest::addRow("END -1 never cuts")
        << QByteArray("1 2 3 4\n") << options(F, 1, 0.1, 1, -1, 1, 0.1) << 0.1 << QList<double>{1, 2, 3, 4} << ""
        << QStringList();
    QTest::addRow("END 0.2 keeps the sample at 0.2")
        << QByteArray("1 2 3 4 5\n") << options(F, 1, 0.1, 1, 0.2, 1, 0.6) << 0.1
        << QList<double>{1, 2, 3, 0, 0, 0, 0} << ""
        << QStringList{"Zero after END (0.2 s)", "Zeros from 0.5 s to TIME (0.6 s)"};
    QTest::addRow("END -2") << QByteArray("1\n") << options(F, 1, 0.1, 1, -2) << 0.0 << QList<double>()
                            << "END must be 0, -1 or a time above 0" << QStringList();

    QTest::addRow("BERG refused") << QByteArray("1\n") << options(EarthquakeRecord::Berg) << 0.0 << QList<double>()
                                  << "No preview for the BERG format" << QStringList();
    QTest::addRow("SAC refused") << QByteArray("1\n") << options(EarthquakeRecord::Sac) << 0.0 << QList<double>()
                                 << "No preview for the SAC format" << QStringList();

    // PEER: DT from the header unless DELTAT gives one.
    QTest::addRow("PEER NPTS= DT=")
        << (peerHeader + "NPTS=     5, DT=   .0050 SEC\r\n  .1E-02  -.2E-02\r\n  .3E-02\r\n  .4E-02  .5E-02\r\n")
        << options(P, 1, 0.0) << 0.005 << QList<double>{0.001, -0.002, 0.003, 0.004, 0.005} << "" << QStringList();
    QTest::addRow("PEER older header")
        << (peerHeader + "    3    .0100    NPTS, DT\n1 2\n3\n") << options(P, 0, 0.0) << 0.01
        << QList<double>{1, 2, 3} << "" << QStringList();
    QTest::addRow("PEER beyond NPTS ignored")
        << (peerHeader + "NPTS=3, DT=0.01\n1 2\n3 4 5\nnot read\n") << options(P, 1, 0.0) << 0.01
        << QList<double>{1, 2, 3} << "" << QStringList();
    QTest::addRow("PEER fewer than NPTS")
        << (peerHeader + "NPTS=  7998, DT= .005\n1 2\n3\n") << options(P, 1, 0.0) << 0.005
        << QList<double>{1, 2, 3} << "" << QStringList{"The record holds 3 samples, NPTS is 7998"};
    QTest::addRow("PEER ISTART 3 skips two data lines")
        << (peerHeader + "NPTS=6, DT=0.01\n1 2\n3 4\n5 6\n") << options(P, 3, 0.0) << 0.01
        << QList<double>{5, 6} << "" << QStringList();
    QTest::addRow("PEER DELTAT differs")
        << (peerHeader + "NPTS=2, DT=0.005\n1 2\n") << options(P, 1, 0.01) << 0.01 << QList<double>{1, 2} << ""
        << QStringList{"DT in the record is 0.005, DELTAT is 0.01; DELTAT is used"};
    QTest::addRow("PEER DELTAT within 1e-6")
        << (peerHeader + "NPTS=2, DT=0.005\n1 2\n") << options(P, 1, 0.0050000001) << 0.0050000001
        << QList<double>{1, 2} << "" << QStringList();
    QTest::addRow("PEER bad fourth line") << (peerHeader + "DT=0.005\n1 2\n") << options(P, 1, 0.0) << 0.0
                                          << QList<double>() << "Line 4: NPTS and DT were expected" << QStringList();
    QTest::addRow("PEER header only") << peerHeader << options(P) << 0.0 << QList<double>()
                                      << "Line 4: NPTS and DT were expected" << QStringList();
    QTest::addRow("PEER bad sample") << (peerHeader + "NPTS=3, DT=0.01\n1 2\n3x\n") << options(P) << 0.0
                                     << QList<double>() << "Line 6: \"3x\" is not a number" << QStringList();
}

void tst_EarthquakeRecord::parse()
{
    QFETCH(QByteArray, text);
    QFETCH(Options, o);
    QFETCH(double, interval);
    QFETCH(QList<double>, g);
    QFETCH(QString, error);
    QFETCH(QStringList, notes);
    EarthquakeRecord::Record r;
    QString why;
    QCOMPARE(EarthquakeRecord::parse(text, o, r, &why), error.isEmpty());
    QCOMPARE(why, error);
    if (!error.isEmpty())
        return;
    QCOMPARE(r.interval, interval);
    QCOMPARE(QList<double>(r.g.begin(), r.g.end()), g);
    QCOMPARE(r.notes, notes);
}

void tst_EarthquakeRecord::readsTheFileNamed_data()
{
    QTest::addColumn<QString>("stored");      // the name in the options; %1: the temporary folder
    QTest::addColumn<QString>("projectFile"); // %1 too
    QTest::addColumn<QString>("error");
    QTest::addRow("beside the project") << "rec.txt" << "%1/model.kfp" << "";
    QTest::addRow("in a subfolder") << "sub/deep.txt" << "%1/model.kfp" << "";
    QTest::addRow("absolute") << "%1/rec.txt" << "/elsewhere/model.kfp" << "";
    QTest::addRow("no project: the current folder") << "rec.txt" << "" << "";
    QTest::addRow("missing") << "none.txt" << "%1/model.kfp" << "No such file or directory";
}

void tst_EarthquakeRecord::readsTheFileNamed()
{
    QFETCH(QString, stored);
    QFETCH(QString, projectFile);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub")));
    for (const char *name : {"rec.txt", "sub/deep.txt"}) {
        QFile f(dir.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("0.1 0.2\n");
    }
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString path = EarthquakeRecord::resolve(stored.arg(dir.path()), projectFile.arg(dir.path()));
    QDir::setCurrent(oldCurrent);
    EarthquakeRecord::Record r;
    QString why;
    QCOMPARE(EarthquakeRecord::readFile(path, options(EarthquakeRecord::Free), r, &why), error.isEmpty());
    QCOMPARE(why, error);
    if (error.isEmpty())
        QCOMPARE(r.g.size(), size_t(2));
}

void tst_EarthquakeRecord::summary()
{
    // 0.1 g, then -0.3 g, then quiet: PGA at the second sample; Arias from the squares.
    EarthquakeRecord::Record r;
    r.interval = 0.5;
    r.g = {0.1, -0.3, 0.0, 0.2, 0.0};
    const EarthquakeRecord::Summary s = EarthquakeRecord::summarize(r, 9.81);
    QCOMPARE(s.duration, 2.0);
    QCOMPARE(s.pga, 0.3);
    QCOMPARE(s.pgaTime, 0.5);
    QVERIFY(qFuzzyCompare(s.arias, M_PI / 2 * 9.81 * 0.14 * 0.5));
    // Running sums 0.01, 0.10, 0.10, 0.14: 5 % is reached at t = 0, 95 % at t = 1.5.
    QCOMPARE(s.significant, 1.5);
    const QByteArray csv = EarthquakeRecord::csv(r);
    QVERIFY(csv.startsWith("time_s,acceleration_g\n0,0.1\n0.5,-0.3\n"));
}

void tst_EarthquakeRecord::storedName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("projectFile");
    QTest::addColumn<QString>("stored");
    QTest::addRow("beside") << "/p/rec.txt" << "/p/model.kfp" << "rec.txt";
    QTest::addRow("below") << "/p/records/rec.txt" << "/p/model.kfp" << "records/rec.txt";
    QTest::addRow("above") << "/rec.txt" << "/p/model.kfp" << "/rec.txt";
    QTest::addRow("sibling folder") << "/q/rec.txt" << "/p/model.kfp" << "/q/rec.txt";
    QTest::addRow("name starting with dots") << "/p/..rec.txt" << "/p/model.kfp" << "..rec.txt";
    QTest::addRow("no project") << "/p/rec.txt" << "" << "/p/rec.txt";
}

void tst_EarthquakeRecord::storedName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, projectFile);
    QFETCH(QString, stored);
    QCOMPARE(EarthquakeRecord::storedName(chosen, projectFile), stored);
    // What is stored leads back to the file chosen.
    QCOMPARE(QDir::cleanPath(EarthquakeRecord::resolve(stored, projectFile)), chosen);
}

QTEST_GUILESS_MAIN(tst_EarthquakeRecord)
#include "tst_earthquakerecord.moc"
