// The writers' own number formatting must give exactly the text a plain
// QTextStream (C locale, default settings) gives, since both files were
// always written that way.

#include "numbertext.h"

#include <QLocale>
#include <QTextStream>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

QString streamText(double v)
{
    QString s;
    QTextStream out(&s);
    out.setLocale(QLocale::c());
    out << v;
    out.flush();
    return s;
}

QString ownText(double v)
{
    QString s;
    QTextStream out(&s);
    out.setLocale(QLocale::c());
    NumberText::writeDouble(out, v);
    out.flush();
    return s;
}

QString streamText(int v)
{
    QString s;
    QTextStream out(&s);
    out << v;
    out.flush();
    return s;
}

QString ownText(int v)
{
    QString s;
    QTextStream out(&s);
    NumberText::writeInt(out, v);
    out.flush();
    return s;
}

} // namespace

class tst_NumberText : public QObject
{
    Q_OBJECT

private slots:
    void reals_data();
    void reals();
    void manyReals_data();
    void manyReals();
    void wholeNumbers();
};

void tst_NumberText::reals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addRow("zero") << 0.0 << "0";
    QTest::addRow("negative zero") << -0.0 << streamText(-0.0);
    QTest::addRow("small") << 1e-05 << "1e-05";
    QTest::addRow("tolerance") << 0.0001 << "0.0001";
    QTest::addRow("gravity") << 9.8 << "9.8";
    QTest::addRow("rounded") << 1234567.0 << "1.23457e+06";
    QTest::addRow("six digits") << 123456.0 << "123456";
    QTest::addRow("huge") << 1e300 << "1e+300";
    QTest::addRow("tie rounds away from zero") << 2739.125 << "2739.13";
    QTest::addRow("negative tie") << -124.3125 << "-124.313";
    QTest::addRow("tie below one") << 0.1234565 << streamText(0.1234565);
    QTest::addRow("infinity") << inf << streamText(inf);
    QTest::addRow("minus infinity") << -inf << streamText(-inf);
    QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN()
                                  << streamText(std::numeric_limits<double>::quiet_NaN());
    QTest::addRow("denormal") << 4.9e-324 << "4.94066e-324";
}

void tst_NumberText::reals()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(ownText(value), expected);
    QCOMPARE(streamText(value), expected);
}

void tst_NumberText::manyReals_data()
{
    QTest::addColumn<int>("kind");
    QTest::addRow("any bit pattern") << 0;
    QTest::addRow("eighths (many ties)") << 1;
    QTest::addRow("binary fractions of all sizes") << 2;
    QTest::addRow("thousandths") << 3;
}

void tst_NumberText::manyReals()
{
    QFETCH(int, kind);
    std::mt19937_64 random(12345 + kind);
    int checked = 0;
    for (int n = 0; n < 100000; ++n) {
        const quint64 r = random();
        double v = 0;
        switch (kind) {
        case 0: std::memcpy(&v, &r, sizeof v); break;
        case 1: v = double(qint64(r % 20000001) - 10000000) / 8; break;
        case 2: v = std::ldexp(double(r % 10000000), int(r >> 40) % 120 - 60); break;
        default: v = double(qint64(r % 2000001) - 1000000) / 1000; break;
        }
        const QString expected = streamText(v);
        const QString own = ownText(v);
        if (own != expected)
            QFAIL(qPrintable(QStringLiteral("%1: %2 instead of %3").arg(v, 0, 'g', 17).arg(own, expected)));
        ++checked;
    }
    QCOMPARE(checked, 100000);
}

void tst_NumberText::wholeNumbers()
{
    for (int v : {0, 1, -1, 9, 10, -10, 99999, 100000, std::numeric_limits<int>::max(),
                  std::numeric_limits<int>::min()})
        QCOMPARE(ownText(v), streamText(v));
    for (int v = -100000; v <= 100000; v += 7)
        QCOMPARE(ownText(v), streamText(v));
}

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_numbertext.moc"
