#include "engine/NumberFormat.h"

#include <QLocale>
#include <QTest>

#include <clocale>

class TestNumberFormat : public QObject {
    Q_OBJECT

  private slots:
    // Every row runs in an Italian locale, whose decimal comma must never appear.
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QVERIFY2(std::setlocale(LC_ALL, "it_IT.UTF-8"), "the it_IT.UTF-8 locale is missing");
    }

    void floats_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("printed");
        QTest::newRow("negative zero") << -0.0 << " 0 ";
        QTest::newRow("negative whole") << -10.0 << "-10 ";
        QTest::newRow("fraction") << 60.5 << " 60.5 ";
        QTest::newRow("gradient without leading zero") << 0.0182 << " .0182 ";
        QTest::newRow("negative below one") << -0.25 << "-.25 ";
        QTest::newRow("sixteenth digit rounds up") << 0.1234567890123456 << " .123456789012346 ";
        QTest::newRow("rounds to one") << 0.9999999999999999 << " 1 ";
        QTest::newRow("0.0001 still fixed") << 0.0001 << " .0001 ";
        QTest::newRow("below 0.0001 in E form") << 0.00009 << " 9E-05 ";
        QTest::newRow("small angle") << 1.4142135623731e-06 << " 1.4142135623731E-06 ";
        QTest::newRow("largest fixed") << 999999999999999.0 << " 999999999999999 ";
        QTest::newRow("rounds up into E form") << 999999999999999.9 << " 1E+15 ";
        QTest::newRow("three-digit exponent") << 1e200 << " 1E+200 ";
    }
    void floats() {
        QFETCH(double, value);
        QFETCH(QString, printed);
        QCOMPARE(engine::formatNumber(value), printed);
    }
};

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "tst_number_format.moc"
