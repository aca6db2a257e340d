#include "platform/NumberFormat.h"

#include <QTest>

class TestNumberFormat : public QObject {
    Q_OBJECT

  private slots:
    void floats_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("printed");
        QTest::newRow("zero") << 0.0 << " 0 ";
        QTest::newRow("negative zero") << -0.0 << " 0 ";
        QTest::newRow("whole") << 60.0 << " 60 ";
        QTest::newRow("negative whole") << -10.0 << "-10 ";
        QTest::newRow("fraction") << 60.5 << " 60.5 ";
        QTest::newRow("gradient without leading zero") << 0.0182 << " .0182 ";
        QTest::newRow("negative below one") << -0.25 << "-.25 ";
        QTest::newRow("floor of speed") << 4928.0 << " 4928 ";
        QTest::newRow("floor of radius") << 270800.0 << " 270800 ";
        QTest::newRow("fifteen digits, rounded") << 0.99998153623777 << " .99998153623777 ";
        QTest::newRow("sixteenth digit rounds up") << 0.1234567890123456 << " .123456789012346 ";
        QTest::newRow("replacement cosine") << 0.999999999999 << " .999999999999 ";
        QTest::newRow("one third") << 1.0 / 3.0 << " .333333333333333 ";
        QTest::newRow("two thirds") << 2.0 / 3.0 << " .666666666666667 ";
        QTest::newRow("rounds to one") << 0.9999999999999999 << " 1 ";
        QTest::newRow("0.0001 still fixed") << 0.0001 << " .0001 ";
        QTest::newRow("below 0.0001 in E form") << 0.00009 << " 9E-05 ";
        QTest::newRow("small angle") << 1.4142135623731e-06 << " 1.4142135623731E-06 ";
        QTest::newRow("negative small") << -2.5e-7 << "-2.5E-07 ";
        QTest::newRow("largest fixed") << 999999999999999.0 << " 999999999999999 ";
        QTest::newRow("1E+15") << 1e15 << " 1E+15 ";
        QTest::newRow("rounds up into E form") << 999999999999999.9 << " 1E+15 ";
        QTest::newRow("large with digits") << 1.25e20 << " 1.25E+20 ";
        QTest::newRow("three-digit exponent") << 1e200 << " 1E+200 ";
        QTest::newRow("tiny three-digit exponent") << -1.5e-300 << "-1.5E-300 ";
        QTest::newRow("fraction of a large number") << 123456.789 << " 123456.789 ";
    }
    void floats() {
        QFETCH(double, value);
        QFETCH(QString, printed);
        QCOMPARE(platform::formatNumber(value), printed);
    }

    void integers_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("printed");
        QTest::newRow("zero") << 0 << " 0 ";
        QTest::newRow("positive") << 15 << " 15 ";
        QTest::newRow("negative") << -5 << "-5 ";
        QTest::newRow("smallest 16-bit") << -32768 << "-32768 ";
        QTest::newRow("largest 16-bit") << 32767 << " 32767 ";
    }
    void integers() {
        QFETCH(int, value);
        QFETCH(QString, printed);
        QCOMPARE(platform::formatInteger(value), printed);
    }
};

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "tst_number_format.moc"
