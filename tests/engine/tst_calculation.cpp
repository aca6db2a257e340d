#include "EngineText.h"
#include "ErrorOf.h"

#include <QFile>
#include <QTest>

using engine::Calculation;

namespace {

template <typename... Columns>
void row(const char* name, const QStringList& texts, Columns... columns) {
    ((QTest::newRow(name) << texts) << ... << QString(columns));
}

} // namespace

class TestCalculation : public QObject {
    Q_OBJECT

  private slots:
    void workedExample() {
        // The report, character for character, blanks at the ends included.
        QFile expected(QFINDTESTDATA("worked-example.txt"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        const Calculation c = Calculation::fromTexts("60", "35", "10");
        QCOMPARE(reportOf(c).join('\n') + '\n', QString(expected.readAll())); // one line each
        const engine::CalculationValues stored{60.0, 35, 15, 10, c.point.r1, 548, 548, 10.0};
        QCOMPARE(c.values, stored);
    }

    // Lines 3, 4, 5, 8, 12, 15, 18 and 21 of the report, separated by "|".
    void reports_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("shown");
        row("empty boxes", {"", "", ""},
            "-15 | 0 | 0 | 4265 | 234344 | .999935991716906 | .0113145009566347 | 883 ");
        row("depth 15, at the layer's bottom", {"60", "35", "15"},
            " 0 | 60 | 35 | 4928 | 270800 | .999999999999 | 1.41419791988007E-06 | 0 ");
        row("temperature 60.5, decimal comma in the depth", {"60.5", "35", "10,9"},
            "-5 | 60.5 | 35 | 4931 | 270960 | .999981547147014 | .00607501600616223 | 548 ");
        row("temperature -10, salinity 35.5 rounds to 36", {"-10,5", "35.5", "10"},
            "-5 |-10 | 36 | 4302 | 236421 | .999978851339558 | .00650365051125301 | 512 ");
    }
    void reports() {
        QFETCH(QStringList, texts);
        QFETCH(QString, shown);
        const QStringList lines = reportOf(calculationOf(texts));
        const QStringList values = shown.split('|');
        int i = 0;
        for (const int number : {3, 4, 5, 8, 12, 15, 18, 21})
            QVERIFY2(lines[number - 1].contains(values[i++]), qPrintable(lines[number - 1]));
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

    // Which error, and the hint that names what to correct.
    void errors_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("hint");
        row("temperature 1e400", {"1e400", "35", "10"}, "overflow", "Temperatura (°F)");
        row("300 digits", {QString(300, '9'), "35", "10"}, "overflow in virgola mobile", "Temp");
        row("salinity 40000", {"60", "40000", "10"}, "overflow", "Salinità (pt x 1000): scrivere");
        row("depth 40000", {"60", "35", "40000"}, "overflow", "Quota di calc. (ft): scrivere");
        // Two bad boxes: the one read first (temperature, salinity, depth) is named.
        row("salinity, depth 40000", {"60", "40000", "40000"}, "overflow", "Salinità");
        row("temperature 1e400, salinity 40000", {"1e400", "40000", "10"}, "overflow", "Temp");
        row("D - 15 overflows", {"60", "35", "-32760"}, "overflow", "almeno -32753");
        row("sa - 34 before T^2", {"1e200", "-32740", "10"}, "overflow", "almeno -32734");
        row("radius overflows", {"1e154", "35", "15"}, "overflow in virgola mobile", "Temperatura");
        row("depth 15.5", {"60", "35", "15.5"}, "argomento non valido", "al massimo 15 ft");
        row("negative speed above", {"500", "35", "10"}, "argomento non valido", "negativa");
        row("depth -19000, range beyond 16 bits", {"60", "35", "-19000"}, "overflow", "32767 yd");
    }
    void errors() {
        QFETCH(QStringList, texts);
        QFETCH(QString, kind);
        QFETCH(QString, hint);
        const auto error = errorOf([&] { calculationOf(texts); });
        QCOMPARE(kindOf(error), kind);
        QVERIFY2(qText(error->hint()).contains(hint), error->hint().c_str());
        QVERIFY(qText(error->what()).contains(kind + ".\n\n" + qText(error->hint())));
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
