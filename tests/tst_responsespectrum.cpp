#include "responsespectrum.h"

#include <QtTest>

#include <cmath>

// Closed forms of a linear oscillator's peak response.
class tst_ResponseSpectrum : public QObject
{
    Q_OBJECT
private slots:
    void closedForms_data();
    void closedForms();
    void periodsAndColumns();
};

void tst_ResponseSpectrum::closedForms_data()
{
    QTest::addColumn<QString>("input");   // step, sine or zeros
    QTest::addColumn<double>("period");
    QTest::addColumn<double>("zeta");
    QTest::addColumn<double>("interval");
    QTest::addColumn<double>("expectedSa");
    QTest::addColumn<double>("tolerance");   // relative
    // A step of 0.3 g from the first sample: 1 - cos peaks at twice the static response.
    // The interval divides half the period, so a sample falls on the peak.
    for (double period : {0.1, 0.5, 2.0})
        QTest::addRow("step T=%g", period) << "step" << period << 0.0 << period / 50 << 0.6 << 1e-9;
    // An interval as long as half the period: still exact.
    QTest::addRow("step, coarse") << "step" << 1.0 << 0.0 << 0.5 << 0.6 << 1e-9;
    // Resonance: the amplitude over 2 zeta once the transient has died away.
    QTest::newRow("sine 5 %") << "sine" << 1.0 << 0.05 << 0.005 << 0.2 / 0.1 << 0.01;
    QTest::newRow("sine 2 %") << "sine" << 0.5 << 0.02 << 0.0025 << 0.2 / 0.04 << 0.01;
    QTest::addRow("zeros") << "zeros" << 1.0 << 0.05 << 0.01 << 0.0 << 0.0;
}

void tst_ResponseSpectrum::closedForms()
{
    QFETCH(QString, input);
    QFETCH(double, period);
    QFETCH(double, zeta);
    QFETCH(double, interval);
    QFETCH(double, expectedSa);
    QFETCH(double, tolerance);
    const double omega = 2 * M_PI / period;
    // Long enough for the sine's transient to decay to e^-12 of itself.
    const size_t n = input == "step" ? size_t(4 * period / interval) + 1
                                     : size_t(12.0 / (zeta * omega) / interval) + 1;
    std::vector<double> a(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        if (input == "step")
            a[i] = 0.3;
        else if (input == "sine")
            a[i] = 0.2 * std::sin(omega * double(i) * interval);
    }
    const double sa = omega * omega * ResponseSpectrum::peakDisplacement(a, interval, omega, zeta);
    QVERIFY2(std::abs(sa - expectedSa) <= tolerance * expectedSa,
             qPrintable(QStringLiteral("Sa %1, expected %2").arg(sa, 0, 'g', 12).arg(expectedSa)));
}

void tst_ResponseSpectrum::periodsAndColumns()
{
    QCOMPARE(ResponseSpectrum::period(0), 0.01);
    QVERIFY(qFuzzyCompare(ResponseSpectrum::period(199), 10.0));
    QVERIFY(qFuzzyCompare(ResponseSpectrum::period(1), std::pow(10.0, -2.0 + 3.0 / 199)));
    // Sd and PSV follow from Sa; GRAV scales Sd only.
    const std::vector<double> a = {0.0, 0.1, -0.2, 0.15, 0.0, 0.05};
    const auto points = ResponseSpectrum::compute(a, 0.02, 0.05, 9.81);
    QCOMPARE(points.size(), size_t(200));
    for (const ResponseSpectrum::Point &p : points) {
        const double omega = 2 * M_PI / p.period;
        QVERIFY(qFuzzyCompare(p.sd * omega * omega, p.sa * 9.81));
        QVERIFY(qFuzzyCompare(p.psv, omega * p.sd));
    }
    const QList<QByteArray> lines = ResponseSpectrum::csv(points).split('\n');
    QCOMPARE(lines.size(), 202);   // header, 200 periods, the empty rest after the last line break
    QCOMPARE(lines.at(0), QByteArray("period_s,sa_g"));
    QVERIFY(lines.at(1).startsWith("0.01,"));
    QVERIFY(lines.at(200).startsWith("10,") || lines.at(200).startsWith("9.99999999"));
}

QTEST_GUILESS_MAIN(tst_ResponseSpectrum)
#include "tst_responsespectrum.moc"
