#include "main_window/Calculation.h"
#include "main_window/Report.h"
#include "platform/RuntimeError.h"

#include <QTest>

using platform::ErrorKind;
using platform::RuntimeError;

Q_DECLARE_METATYPE(ErrorKind)

class TestCalculation : public QObject {
    Q_OBJECT

  private slots:
    void workedExampleReport() {
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
            "S=  548 Yd",
        };
        const Calculation c = Calculation::fromTexts("60", "35", "10");
        const QStringList lines = report::lines(c);
        QCOMPARE(lines.size(), report::kLineCount);
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(lines[i], expected[i]);
        const FormVariables& v = c.variables;
        QCOMPARE(v.T, 60.0);
        QCOMPARE(v.sa, 35);
        QCOMPARE(v.d1, 15);
        QCOMPARE(v.D, 10);
        QCOMPARE(qRound64(v.r1 * 100), 27080071);
        QCOMPARE(v.S, 548);
        QCOMPARE(v.Spunto, 548);
        QCOMPARE(v.Dpunto, 10.0);
    }

    // What lines 3, 4, 5, 8, 12, 15, 18 and 21 of the report show for other
    // inputs, separated by "|".
    void otherInputs_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty boxes") << QStringList{"", "", ""}
                                     << "-15 | 0 | 0 | 4265 | 234344 | .999935991716906 "
                                        "| .0113145009566347 | 883 ";
        QTest::newRow("depth 15, at the layer's bottom")
            << QStringList{"60", "35", "15"}
            << " 0 | 60 | 35 | 4928 | 270800 | .999999999999 | 1.41419791988007E-06 | 0 ";
        QTest::newRow("depth 14") << QStringList{"60", "35", "14"}
                                  << "-1 | 60 | 35 | 4928 | 270800 | .999996307247554 "
                                     "| .00271762937817654 | 245 ";
        QTest::newRow("depth 0") << QStringList{"60", "35", "0"}
                                 << "-15 | 60 | 35 | 4928 | 270800 | .999944608713313 "
                                    "| .0105253786687425 | 950 ";
        QTest::newRow("depth -18000") << QStringList{"60", "35", "-18000"}
                                      << "-18015 | 60 | 35 | 4928 | 270800 | .93347506468911 "
                                         "| .366813034969945 | 32373 ";
        QTest::newRow("temperature 60.5, decimal comma in the depth")
            << QStringList{"60.5", "35", "10,9"}
            << "-5 | 60.5 | 35 | 4931 | 270960 | .999981547147014 | .00607501600616223 | 548 ";
        QTest::newRow("temperature -10, decimal comma")
            << QStringList{"-10,5", "35", "10"}
            << "-5 |-10 | 35 | 4298 | 236185 | .999978830183877 | .0065069026143969 | 512 ";
    }
    void otherInputs() {
        QFETCH(QStringList, texts);
        QFETCH(QString, shown);
        const QStringList lines =
            report::lines(Calculation::fromTexts(texts[0], texts[1], texts[2]));
        const QStringList values = shown.split('|');
        const int lineNumbers[] = {3, 4, 5, 8, 12, 15, 18, 21};
        for (int i = 0; i < values.size(); ++i) {
            const QString& line = lines[lineNumbers[i] - 1];
            QVERIFY2(line.contains(values[i]), qPrintable(line + " lacks [" + values[i] + "]"));
        }
    }

    // The failures that the window's own table does not try.
    void errors_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<ErrorKind>("kind");
        QTest::addColumn<QString>("hint"); // part of what the user is told
        QTest::newRow("depth 40000") << QStringList{"60", "35", "40000"} << ErrorKind::Overflow
                                     << "Quota di calc. (ft): scrivere un numero intero";
        QTest::newRow("depth -32760, depth minus 15 overflows")
            << QStringList{"60", "35", "-32760"} << ErrorKind::Overflow << "almeno -32753";
        QTest::newRow("salinity -32740, salinity minus 34 overflows")
            << QStringList{"60", "-32740", "10"} << ErrorKind::Overflow << "almeno -32734";
        QTest::newRow("temperature 500 above the bottom: negative speed")
            << QStringList{"500", "35", "10"} << ErrorKind::InvalidArgument << "negativa";
    }
    void errors() {
        QFETCH(QStringList, texts);
        QFETCH(ErrorKind, kind);
        QFETCH(QString, hint);
        try {
            Calculation::fromTexts(texts[0], texts[1], texts[2]);
            QFAIL("the calculation did not fail");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.kind(), kind);
            QVERIFY2(error.message().contains(hint), qPrintable(error.message()));
            QVERIFY(error.message().contains(RuntimeError::kindName(kind)));
        }
    }

    // A negative sound speed still completes at the layer's bottom.
    void negativeSpeedAtTheBottomCompletes() {
        const Calculation c = Calculation::fromTexts("500", "35", "15");
        QVERIFY(c.step.vel < 0.0);
        QCOMPARE(c.variables.S, -1); // a negative radius floors just below zero
        QCOMPARE(c.variables.T, 500.0);
    }
};

QTEST_APPLESS_MAIN(TestCalculation)
#include "tst_calculation.moc"
