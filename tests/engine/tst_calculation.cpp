#include "ErrorOf.h"
#include "engine/Calculation.h"
#include "engine/Report.h"

#include <QTest>

using engine::Calculation;

namespace {

template <typename... Columns>
void row(const char* name, const QStringList& texts, Columns... columns) {
    ((QTest::newRow(name) << texts) << ... << QString(columns));
}

// A row named by its three inputs, with the speed and the printed angle.
void pin(const char* T, const char* sa, const char* D, const char* vel, const char* teta) {
    QTest::addRow("%s %s %s", T, sa, D) << QStringList{T, sa, D, vel, teta};
}

} // namespace

class TestCalculation : public QObject {
    Q_OBJECT

  private slots:
    void workedExample() {
        const QStringList expected = {
            "prof. max dello strato: d1=  15 ft",
            "quota di calcolo: D=  10 ft",
            "deltaD= -5 differenza tra quota di calcolo e profondità max (in ft)",
            "temperatura nello strato: T =  60 °F",
            "salinità: sa =  35  pt x 1000 ",
            "",
            "calcolo velocità del suono = 4411 + 11.25 T - 0.045 T^2 + 0.0182 d1 + 4.3 ( sa - 34) "
            "in ft/sec",
            "velocità del suono =  4928 ft/sec",
            "",
            "gradiente nello strato =  .0182 ",
            "calcolo del raggio = velocità suono / gradiente ",
            "raggio in ft =  270800 ",
            "",
            "calcolo del coseno angolo radenza: Cos(teta)= (1 + DeltaD) / raggio",
            "Cos(teta)=  .999981536237771 ",
            "",
            "calcolo dell 'angolo di radenza in radianti = ArcCos(teta)",
            "teta=  .00607681150729733 rad.",
            "",
            "calcolo dell' ascissa: S = r1 Sen(teta)/3  Yd",
            "S=  548 Yd"};
        const Calculation c = Calculation::fromTexts("60", "35", "10");
        QCOMPARE(engine::reportLines(c), expected);
        const engine::CalculationValues stored{60.0, 35, 15, 10, c.point.r1, 548, 548, 10.0};
        QCOMPARE(c.values, stored);
        QCOMPARE(qRound64(c.values.r1 * 100), 27080071);
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
        const QStringList lines =
            engine::reportLines(Calculation::fromTexts(texts[0], texts[1], texts[2]));
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
        pin("87.27", "6", "-226", "4929.9381195000005", ".0421862268720783");
        pin("36.86", "21", "-141", "4708.908318000001", ".0347275941335468");
        pin("46.56", "1", "-259", "4695.6204880000005", ".0460911900730816");
        pin("65.65", "20", "-225", "4895.688987500001", ".0422456209630564");
        pin("61.3", "40", "-184", "4957.60195", ".0382267913645449");
        pin("28.71", "12", "-93", "4602.5686155", ".0292265727556715");
        pin("55.04", "13", "-196", "4803.849928", ".0399876736611147");
        pin("42.79", "38", "13", "4827.4662155", ".00388334826918135");
        pin("77.7", "41", "-51", "5043.81995", ".0218248612534624");
        pin("44.46", "8", "-157", "4710.696878", ".0364582978549737");
        pin("66.55", "41", "-172", "4990.7598875", ".0369328515576219");
        pin("68.57", "42", "-252", "5005.5024795", ".0440674198397439");
        pin("85.7", "39", "-245", "5066.39595", ".0432236671465105");
        pin("63.58", "6", "-286", "4824.239262", ".0476607229732795");
        pin("41.63", "7", "-37", "4685.5229395", ".020099286451595");
        pin("71.74", "24", "-100", "4943.749758", ".029099578300704");
        pin("68.69", "10", "-258", "4868.5112755", ".0451825634775043");
        pin("81.64", "32", "-45", "5021.193968", ".0208559841885747");
        pin("69.4", "41", "-208", "5005.3868", ".0402729693181034");
        pin("28.16", "31", "-135", "4679.4886480000005", ".0341600296070605");
        pin("51.7", "39", "-224", "4894.11795", ".0421642711672572");
        pin("33.51", "3", "-3", "4604.429095500001", ".0119289336936674");
        pin("43.87", "35", "-176", "4822.504539500001", ".0379714467053531");
        pin("62.92", "43", "-131", "4979.671312", ".0326697713352069");
        pin("78.29", "5", "-221", "4891.5159155", ".0419099113473895");
        pin("77.27", "19", "-262", "4947.381119500001", ".0451481312123261");
        pin("73.46", "25", "-154", "4956.1612780000005", ".0352325268737386");
        pin("77.17", "8", "15", "4899.651099500001", "1.41419791988007E-06");
        pin("79.43", "7", "-55", "4904.8498795", ".022792725115145");
        pin("30.67", "39", "-212", "4735.4812995", ".0417746804975914");
        pin("81.19", "35", "-17", "5032.3287755", ".0152140684563979");
        pin("37.31", "2", "-210", "4630.7688755", ".0420578828747797");
        pin("37.19", "34", "-274", "4767.4211755", ".0469783533057453");
        pin("72.18", "25", "-236", "4950.1501419999995", ".0429646987566357");
        pin("64.83", "13", "-16", "4861.178699499999", ".0152357888820731");
        pin("45.43", "21", "-10", "4773.5856795", ".0138070782076791");
        pin("72.95", "1", "-157", "4850.583887500001", ".0359286802432872");
        pin("73.55", "23", "-85", "4947.9783875", ".0271237734209673");
        pin("76.79", "9", "-103", "4902.3088155", ".0296010569542045");
        pin("55.86", "44", "-272", "4942.282718", ".0459796969793191");
        pin("73.23", "2", "-132", "4856.192019499999", ".0331956650944609");
        pin("38.67", "40", "-240", "4804.818899500001", ".0439559057949317");
        pin("43.39", "18", "-22", "4745.8893554999995", ".0168460422171468");
        pin("75.5", "16", "-59", "4926.736750000001", ".0233828135654437");
        pin("52.84", "31", "-96", "4867.180048", ".0288130012488297");
        pin("72.35", "10", "-102", "4886.456987500001", ".0295231270220688");
        pin("67.33", "30", "-178", "4947.5356995", ".0376843107193354");
        pin("29.27", "5", "10", "4577.307519500001", ".00630567187857345");
        pin("40.7", "8", "-285", "4682.80595", ".048294808155551");
        pin("81.59", "32", "-116", "5020.998735499999", ".0308182852337144");
    }
    void lastDigits() {
        QFETCH(QStringList, row);
        const Calculation c = Calculation::fromTexts(row[0], row[1], row[2]);
        QCOMPARE(QString::number(c.point.vel, 'g', QLocale::FloatingPointShortest), row[3]);
        QCOMPARE(engine::reportLines(c)[17], "teta=  " + row[4] + " rad.");
    }

    // Which error, and the hint that names what to correct.
    void errors_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("hint");
        row("temperature 1e400", {"1e400", "35", "10"}, "overflow", "Temperatura (°F)");
        row("temperature of 300 digits", {QString(300, '9'), "35", "10"},
            "overflow in virgola mobile", "Temperatura (°F)");
        row("salinity 40000", {"60", "40000", "10"}, "overflow", "Salinità (pt x 1000): scrivere");
        row("depth 40000", {"60", "35", "40000"}, "overflow", "Quota di calc. (ft): scrivere");
        // Two bad boxes: the one read first (temperature, salinity, depth) is named.
        row("salinity, depth 40000", {"60", "40000", "40000"}, "overflow", "Salinità");
        row("temperature 1e400, salinity 40000", {"1e400", "40000", "10"}, "overflow", "Temp");
        row("temperature 1e400, depth 40000", {"1e400", "35", "40000"}, "overflow", "Temp");
        row("depth -32760, depth minus 15 overflows", {"60", "35", "-32760"}, "overflow",
            "almeno -32753");
        row("salinity minus 34 overflows before T squared", {"1e200", "-32740", "10"}, "overflow",
            "almeno -32734");
        row("radius overflows: the temperature", {"1e154", "35", "15"},
            "overflow in virgola mobile", "Temperatura (°F)");
        row("depth 15.5, below the layer", {"60", "35", "15.5"}, "argomento non valido",
            "al massimo 15 ft");
        row("negative speed above the bottom", {"500", "35", "10"}, "argomento non valido",
            "negativa");
        row("depth -19000, range beyond 16 bits", {"60", "35", "-19000"}, "overflow", "32767 yd");
    }
    void errors() {
        QFETCH(QStringList, texts);
        QFETCH(QString, kind);
        QFETCH(QString, hint);
        const auto error = errorOf([&] { Calculation::fromTexts(texts[0], texts[1], texts[2]); });
        QCOMPARE(kindOf(error), kind);
        QVERIFY2(error->hint().contains(hint), qPrintable(error->hint()));
        QVERIFY(error->message().contains(kind + ".\n\n" + error->hint()));
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
