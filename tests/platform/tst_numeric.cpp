#include "platform/Numeric.h"
#include "platform/RuntimeError.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <limits>

using platform::ErrorKind;
using platform::RuntimeError;

Q_DECLARE_METATYPE(ErrorKind)

class TestNumeric : public QObject {
    Q_OBJECT

  private:
    static void expectError(const std::function<void()>& call, ErrorKind kind) {
        try {
            call();
        } catch (const RuntimeError& error) {
            QCOMPARE(error.kind(), kind);
            return;
        }
        QFAIL("no run-time error");
    }

  private slots:
    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks only") << "   " << 0.0;
        QTest::newRow("integer") << "60" << 60.0;
        QTest::newRow("leading blanks and tab") << " \t 35" << 35.0;
        QTest::newRow("trailing text") << "10 ft" << 10.0;
        QTest::newRow("decimal point") << "60.5" << 60.5;
        QTest::newRow("decimal comma ends the number") << "60,5" << 60.0;
        QTest::newRow("second point ends the number") << "1.2.3" << 1.2;
        QTest::newRow("plus and point") << "+.5" << 0.5;
        QTest::newRow("minus") << "-10" << -10.0;
        QTest::newRow("minus alone") << "-" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("sign then blank") << "- 5" << 0.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("capital exponent with sign") << "2.5E-2" << 0.025;
        QTest::newRow("exponent without digits") << "1e" << 1.0;
        QTest::newRow("d is not an exponent") << "1d2" << 1.0;
        QTest::newRow("hexadecimal is not read") << "0x10" << 0.0;
        QTest::newRow("underflow is zero") << "1e-400" << 0.0;
        QTest::newRow("zero with huge exponent") << "0e99999" << 0.0;
        QTest::newRow("largest double")
            << "1.7976931348623157e308" << std::numeric_limits<double>::max();
        QTest::newRow("300 digits") << "1" + QString(299, '0') << 1e299;
        QTest::newRow("non-ASCII after the number") << "12°F" << 12.0;
        QTest::newRow("non-ASCII digit is not read") << "١٢" << 0.0;
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(platform::Val(text), expected);
    }

    void valOverflow_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("1e400") << "1e400";
        QTest::newRow("-1e400") << "-1e400";
        QTest::newRow("400 digits") << QString(400, '9');
        QTest::newRow("huge exponent") << "1e99999999999999999999";
        QTest::newRow("just beyond the largest double") << "1.8e308";
    }
    void valOverflow() {
        QFETCH(QString, text);
        expectError([&] { platform::Val(text); }, ErrorKind::Overflow);
    }

    void toInt16_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5 to even 0") << 0.5 << 0;
        QTest::newRow("1.5 to even 2") << 1.5 << 2;
        QTest::newRow("2.5 to even 2") << 2.5 << 2;
        QTest::newRow("-0.5 to even 0") << -0.5 << 0;
        QTest::newRow("-1.5 to even -2") << -1.5 << -2;
        QTest::newRow("34.5 to 34") << 34.5 << 34;
        QTest::newRow("35.5 to 36") << 35.5 << 36;
        QTest::newRow("15.5 to 16") << 15.5 << 16;
        QTest::newRow("largest") << 32767.0 << 32767;
        QTest::newRow("smallest") << -32768.0 << -32768;
        QTest::newRow("-32768.5 to even -32768") << -32768.5 << -32768;
    }
    void toInt16() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(int(platform::toInt16(value)), expected);
    }

    void toInt16Overflow_data() {
        QTest::addColumn<double>("value");
        QTest::newRow("32767.5 to even 32768") << 32767.5;
        QTest::newRow("32768") << 32768.0;
        QTest::newRow("-32768.6") << -32768.6;
        QTest::newRow("-32769") << -32769.0;
        QTest::newRow("40000") << 40000.0;
        QTest::newRow("-40000") << -40000.0;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
    }
    void toInt16Overflow() {
        QFETCH(double, value);
        expectError([&] { platform::toInt16(value); }, ErrorKind::Overflow);
    }

    void arithmetic16_data() {
        QTest::addColumn<char>("op");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("expected"); // -99999 for overflow
        QTest::newRow("35 - 34") << '-' << 35 << 34 << 1;
        QTest::newRow("-32734 - 34 fits") << '-' << -32734 << 34 << -32768;
        QTest::newRow("-32735 - 34 overflows") << '-' << -32735 << 34 << -99999;
        QTest::newRow("-32753 - 15 fits") << '-' << -32753 << 15 << -32768;
        QTest::newRow("-32754 - 15 overflows") << '-' << -32754 << 15 << -99999;
        QTest::newRow("32767 + 1 overflows") << '+' << 32767 << 1 << -99999;
        QTest::newRow("-32768 + -1 overflows") << '+' << -32768 << -1 << -99999;
        QTest::newRow("4 x 8191 fits") << '*' << 4 << 8191 << 32764;
        QTest::newRow("4 x 8192 overflows") << '*' << 4 << 8192 << -99999;
        QTest::newRow("4 x -8192 fits") << '*' << 4 << -8192 << -32768;
        QTest::newRow("4 x -8193 overflows") << '*' << 4 << -8193 << -99999;
    }
    void arithmetic16() {
        QFETCH(char, op);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, expected);
        const auto x = std::int16_t(a);
        const auto y = std::int16_t(b);
        const auto run = [&] {
            return op == '+'   ? platform::add16(x, y)
                   : op == '-' ? platform::sub16(x, y)
                               : platform::mul16(x, y);
        };
        if (expected == -99999)
            expectError([&] { run(); }, ErrorKind::Overflow);
        else
            QCOMPARE(int(run()), expected);
    }
};

QTEST_APPLESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
