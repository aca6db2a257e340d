#include "ErrorOf.h"
#include "engine/NumberFormat.h"
#include "engine/Numeric.h"

#include <QLocale>
#include <QTest>

#include <clocale>

#include <limits>

namespace {

void row(const char* name, const QString& text, const QString& expected) {
    QTest::newRow(name) << text << expected;
}

void row(const char* name, char op, double a, int b, const char* expected) {
    QTest::newRow(name) << op << a << b << QString(expected);
}

} // namespace

// An expected value of "overflow" means the call must raise that error.
class TestNumeric : public QObject {
    Q_OBJECT

  private slots:
    // Every row runs in an Italian locale, whose decimal comma must never be read or printed.
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QVERIFY2(std::setlocale(LC_ALL, "it_IT.UTF-8"), "the it_IT.UTF-8 locale is missing");
    }

    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        row("empty", "", "0");
        row("blanks and tab before", " \t 35", "35");
        row("decimal point", "60.5", "60.5");
        row("decimal comma ends the number", "60,5", "60");
        row("second point ends the number", "1.2.3", "1.2");
        row("plus and point", "+.5", "0.5");
        row("minus alone", "-", "0");
        row("capital exponent with sign", "2.5E-2", "0.025");
        row("d is not an exponent", "1d2", "1");
        row("non-ASCII digit is not read", "١٢", "0");
        row("underflow is zero", "1e-400", "0");
        row("zero with a huge exponent", "0e99999", "0");
        row("largest double", "1.7976931348623157e308", "1.7976931348623157e+308");
        row("long mantissa, long negative exponent", "1" + QString(100002, '0') + "e-100001", "10");
        row("just beyond the largest double", "1.8e308", "overflow");
        row("huge exponent", "1e99999999999999999999", "overflow");
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        double value = 0;
        const auto error = errorOf([&] { value = engine::Val(text.toStdString()); });
        if (expected == "overflow")
            QCOMPARE(kindOf(error), expected);
        else
            QCOMPARE(value, expected.toDouble());
    }

    // Rounding to 16 bits ('r', half to even) and 16-bit subtraction and product.
    void int16_data() {
        QTest::addColumn<char>("op");
        QTest::addColumn<double>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("expected");
        row("2.5 to even 2", 'r', 2.5, 0, "2");
        row("-1.5 to even -2", 'r', -1.5, 0, "-2");
        row("largest", 'r', 32767.0, 0, "32767");
        row("-32768.5 to even -32768", 'r', -32768.5, 0, "-32768");
        row("32767.5 to even 32768", 'r', 32767.5, 0, "overflow");
        row("-32768.6", 'r', -32768.6, 0, "overflow");
        row("infinity", 'r', std::numeric_limits<double>::infinity(), 0, "overflow");
        row("-32734 - 34 fits", '-', -32734, 34, "-32768");
        row("-32735 - 34 overflows", '-', -32735, 34, "overflow");
        row("4 x 8191 fits", '*', 4, 8191, "32764");
        row("4 x 8192 overflows", '*', 4, 8192, "overflow");
        row("4 x -8192 fits", '*', 4, -8192, "-32768");
        row("4 x -8193 overflows", '*', 4, -8193, "overflow");
    }
    void int16() {
        QFETCH(char, op);
        QFETCH(double, a);
        QFETCH(int, b);
        QFETCH(QString, expected);
        const auto x = std::int16_t(op == 'r' ? 0 : a), y = std::int16_t(b);
        int result = 0;
        const auto error = errorOf([&] {
            result = op == 'r'   ? engine::toInt16(a)
                     : op == '-' ? engine::sub16(x, y)
                                 : engine::mul16(x, y);
        });
        QCOMPARE(error ? kindOf(error) : QString::number(result), expected);
    }

    // How Print writes a float.
    void floats_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("printed");
        QTest::newRow("negative zero") << -0.0 << " 0 ";
        QTest::newRow("fraction") << 60.5 << " 60.5 ";
        QTest::newRow("negative below one") << -0.25 << "-.25 ";
        QTest::newRow("sixteenth digit rounds up") << 0.1234567890123456 << " .123456789012346 ";
        QTest::newRow("rounds to one") << 0.9999999999999999 << " 1 ";
        QTest::newRow("0.0001 still fixed") << 0.0001 << " .0001 ";
        QTest::newRow("below 0.0001 in E form") << 0.00009 << " 9E-05 ";
        QTest::newRow("largest fixed") << 999999999999999.0 << " 999999999999999 ";
        QTest::newRow("rounds up into E form") << 999999999999999.9 << " 1E+15 ";
        QTest::newRow("three-digit exponent") << 1e200 << " 1E+200 ";
    }
    void floats() {
        QFETCH(double, value);
        QFETCH(QString, printed);
        QCOMPARE(QString::fromStdString(engine::formatNumber(value)), printed);
    }
};

QTEST_APPLESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
