#include "ErrorOf.h"
#include "engine/Numeric.h"

#include <QTest>

#include <limits>

namespace {

void row(const char* name, const QString& text, const QString& expected) {
    QTest::newRow(name) << text << expected;
}

} // namespace

// An expected value of "overflow" means the call must raise that error.
class TestNumeric : public QObject {
    Q_OBJECT

  private slots:
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
        const auto error = errorOf([&] { value = engine::Val(text); });
        if (expected == "overflow")
            QCOMPARE(kindOf(error), expected);
        else
            QCOMPARE(value, expected.toDouble());
    }

    void toInt16_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0.5 to even 0") << 0.5 << "0";
        QTest::newRow("2.5 to even 2") << 2.5 << "2";
        QTest::newRow("-1.5 to even -2") << -1.5 << "-2";
        QTest::newRow("35.5 to 36") << 35.5 << "36";
        QTest::newRow("largest") << 32767.0 << "32767";
        QTest::newRow("-32768.5 to even -32768") << -32768.5 << "-32768";
        QTest::newRow("32767.5 to even 32768") << 32767.5 << "overflow";
        QTest::newRow("-32768.6") << -32768.6 << "overflow";
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "overflow";
    }
    void toInt16() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        int result = 0;
        const auto error = errorOf([&] { result = engine::toInt16(value); });
        QCOMPARE(error ? kindOf(error) : QString::number(result), expected);
    }

    void arithmetic16_data() {
        QTest::addColumn<char>("op");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("expected");
        QTest::newRow("-32734 - 34 fits") << '-' << -32734 << 34 << "-32768";
        QTest::newRow("-32735 - 34 overflows") << '-' << -32735 << 34 << "overflow";
        QTest::newRow("4 x 8191 fits") << '*' << 4 << 8191 << "32764";
        QTest::newRow("4 x 8192 overflows") << '*' << 4 << 8192 << "overflow";
        QTest::newRow("4 x -8192 fits") << '*' << 4 << -8192 << "-32768";
        QTest::newRow("4 x -8193 overflows") << '*' << 4 << -8193 << "overflow";
    }
    void arithmetic16() {
        QFETCH(char, op);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QString, expected);
        const auto x = std::int16_t(a);
        const auto y = std::int16_t(b);
        int result = 0;
        const auto error =
            errorOf([&] { result = op == '-' ? engine::sub16(x, y) : engine::mul16(x, y); });
        QCOMPARE(error ? kindOf(error) : QString::number(result), expected);
    }
};

QTEST_APPLESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
