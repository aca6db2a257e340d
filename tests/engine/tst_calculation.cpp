#include "EngineText.h"
#include "ErrorOf.h"

#include <QFile>
#include <QTest>

using engine::Calculation;

class TestCalculation : public QObject {
    Q_OBJECT

  private slots:
    // The values that "Calcolo" keeps for the worked example; its report is
    // the command line's case calcolo-worked-example.
    void workedExample() {
        const Calculation c = Calculation::fromTexts("60", "35", "10");
        const engine::CalculationValues stored{60.0, 35, 15, 10, c.point.r1, 548, 548, 10.0};
        QCOMPARE(c.values, stored);
    }

    // Fifty realistic inputs, drawn once at random: the speed with every digit
    // (as "tabella" writes it) and the printed angle. Summing the speed's
    // terms in another order than ((((11.25 T + 4411) - 0.045 T^2) + 0.0182 d1)
    // + 4.3 (sa - 34)) changes the speed's last digit for several rows; the
    // printed angle, rounded to 15 digits, shows it only for rare inputs
    // such as 80 36 -22 and 53.5 40 -27.
    void lastDigits_data() {
        QTest::addColumn<QStringList>("row"); // temperature, salinity, depth, speed, angle
        QFile table(QFINDTESTDATA("last-digits.txt"));
        QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
        int rows = 0;
        for (const QString& line : QString(table.readAll()).split('\n', Qt::SkipEmptyParts))
            if (!line.startsWith('#') && ++rows)
                QTest::newRow(qPrintable(line.section(' ', 0, 2))) << line.split(' ');
        QCOMPARE(rows, 50);
    }
    void lastDigits() {
        QFETCH(QStringList, row);
        const Calculation c = calculationOf(row);
        QCOMPARE(QString::number(c.point.vel, 'g', QLocale::FloatingPointShortest), row[3]);
        QCOMPARE(reportOf(c)[17], "teta=  " + row[4] + " rad.");
    }

    // The arccosine's root is zero at a cosine of +-1 and negative above 1.
    void angleErrors() {
        for (const double c : {1.0, -1.0, 1.0 + 1e-15})
            QCOMPARE(kindOf(errorOf([c] { engine::grazingAngle(c); })),
                     c > 1 ? "argomento non valido" : "divisione per zero");
    }
};

QTEST_APPLESS_MAIN(TestCalculation)
#include "tst_calculation.moc"
