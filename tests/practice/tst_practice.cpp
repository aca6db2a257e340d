#include "engine/Calculation.h"
#include "practice/Check.h"
#include "practice/CsvReader.h"
#include "practice/Digits.h"
#include "practice/ExerciseSet.h"
#include "practice/Rules.h"
#include "practice/SplitMix64.h"

#include <QFile>
#include <QTest>

#include <clocale>
#include <cmath>
#include <cstring>

// What the command line's cases (tests/app/expected/verifica-*, esercizi-*)
// do not already pin: the browser's way of writing digits, the agreement
// rule at its edges, every slip of the table recognised on its own value,
// the properties of large exercise sets and CSV's quoting.
class TestPractice : public QObject {
    Q_OBJECT

  private slots:
    // The page writes numbers with printf, the command line with to_chars:
    // the same characters for every double, whatever the locale.
    void digitsOfBothWays_data() {
        QTest::addColumn<double>("value");
        const double values[] = {0.0,
                                 -0.0,
                                 4928.573,
                                 270800.7142857143,
                                 1e-4,
                                 1e-5,
                                 100000.,
                                 1e16,
                                 1e21,
                                 1e23,
                                 0.1,
                                 1. / 3,
                                 5e-324,
                                 1.7976931348623157e308,
                                 std::ldexp(1.0, 60),
                                 std::ldexp(1.0, -44),
                                 9007199254740993.0};
        for (const double v : values)
            QTest::newRow(qPrintable(QString::number(v, 'g', 17))) << v;
    }
    void digitsOfBothWays() {
        QFETCH(double, value);
        QVERIFY(std::setlocale(LC_NUMERIC, "it_IT.UTF-8"));
        QCOMPARE(practice::digits::portable::shortest(value), practice::digits::shortest(value));
        for (const int digits : {1, 6, 9, 17})
            QCOMPARE(practice::digits::portable::significant(value, digits),
                     practice::digits::significant(value, digits));
        if (std::fabs(value) < 1e30)
            QCOMPARE(practice::digits::portable::fixed(value, 3),
                     practice::digits::fixed(value, 3));
        std::setlocale(LC_NUMERIC, "C");
    }
    // Random bit patterns and random powers of two, the hard cases of the
    // shortest digits.
    void digitsOfBothWaysAtRandom() {
        practice::SplitMix64 random(1);
        for (int i = 0; i < 20000; ++i) {
            const std::uint64_t bits = random.next();
            double value = 0.0;
            std::memcpy(&value, &bits, sizeof value);
            if (i % 2 == 1)
                value = std::ldexp(1.0, int(random.below(2098)) - 1074);
            if (!std::isfinite(value))
                continue;
            QCOMPARE(practice::digits::portable::shortest(value),
                     practice::digits::shortest(value));
        }
    }

    // Vigna's published first outputs for the seed 0.
    void splitMix64KnownAnswers() {
        practice::SplitMix64 random(0);
        QCOMPARE(random.next(), 0xE220A8397B1DCDAFu);
        QCOMPARE(random.next(), 0x6E789E6AA1B965F4u);
        QCOMPARE(random.next(), 0x06C45D188009454Fu);
    }

    // Within one unit of the last digit written, and written at least to
    // the value's first significant digit; or not a number at all
    // (written-numbers.tsv says how).
    void agreement_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<double>("exact");
        QTest::addColumn<QString>("agrees"); // "sì", "no", or "-": not a number
        QFile file(QStringLiteral(TESTS_DIR "/written-numbers.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        for (const QString& line :
             QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
            if (const QStringList f = line.split('\t'); !line.startsWith('#'))
                QTest::newRow(qPrintable(f[3])) << f[0] << f[1].toDouble() << f[2];
    }
    void agreement() {
        QFETCH(QString, written);
        QFETCH(double, exact);
        QFETCH(QString, agrees);
        const auto number = practice::WrittenNumber::read(written.toStdString());
        QCOMPARE(bool(number), agrees != "-");
        QVERIFY(!number || number->agreesWith(exact) == (agrees == "sì"));
    }

    // Each slip of the table, given as the only step at its own value, is
    // judged sbagliato and named: no other row shadows it.
    void everySlipNamed_data() {
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("rule");
        // Inputs where no two slips give the same value (D not 0 nor 15, sa
        // not 34) and rounding S changes it.
        const QStringList triples[] = {{"60", "35", "10"}, {"30", "32", "6"}, {"55.9", "36", "2"}};
        for (const QStringList& inputs : triples)
            for (const practice::Rule& rule : practice::rules())
                if (rule.verdict == practice::Verdict::Wrong)
                    QTest::newRow(qPrintable(inputs.join(' ') + ' ' + rule.name))
                        << inputs << QString(rule.name);
    }
    void everySlipNamed() {
        QFETCH(QStringList, inputs);
        QFETCH(QString, rule);
        const auto c = engine::Calculation::fromTexts(
            inputs[0].toStdString(), inputs[1].toStdString(), inputs[2].toStdString());
        const practice::Rule& row =
            *std::find_if(practice::rules().begin(), practice::rules().end(),
                          [&](const practice::Rule& r) { return rule == r.name; });
        const engine::RayPoint& p = c.point;
        practice::Chain program;
        program.values = {p.vel, p.r1, p.cosTeta, p.teta};
        practice::Working working;
        const practice::WrittenNumber probe{"", 0.0, 0, 1};
        const double value = *row.value({c, working, program, probe});
        working.set(row.step, practice::digits::shortest(value));
        const practice::Check check(c, working);
        const practice::StepCheck& judged = check.step(row.step);
        QCOMPARE(practice::wordOf(judged.verdict), "sbagliato");
        QCOMPARE(QString::fromStdString(judged.rule), rule);
    }

    // A thousand exercises: inside the ranges, each computing from its
    // boxes' texts, no two too alike, codes unique, and the first 300 those
    // of a set of 300; a code names its exercise.
    void largeSet_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("salinity");
        QTest::addColumn<QString>("depth");
        QTest::newRow("defaults") << 1000 << "30:85"
                                  << "32:38"
                                  << "0:14";
        QTest::newRow("packed close") << 40 << "50:60"
                                      << "35"
                                      << "10";
        QTest::newRow("widened") << 1000 << "-20:120"
                                 << "0:45"
                                 << "-30:15";
    }
    void largeSet() {
        QFETCH(int, count);
        using Input = practice::ExerciseRanges::Input;
        practice::ExerciseRanges ranges;
        std::string problem;
        QFETCH(QString, temperature);
        QFETCH(QString, salinity);
        QFETCH(QString, depth);
        ranges.temperatureTenths = *practice::ExerciseRanges::parse(
            Input::Temperature, temperature.toStdString(), &problem);
        ranges.salinity =
            *practice::ExerciseRanges::parse(Input::Salinity, salinity.toStdString(), &problem);
        ranges.depth =
            *practice::ExerciseRanges::parse(Input::Depth, depth.toStdString(), &problem);
        const auto set = practice::ExerciseSet::make(2027, count, ranges, &problem);
        QVERIFY2(set, problem.c_str());
        QCOMPARE(int(set->size()), count);
        QSet<QString> codes;
        for (std::size_t i = 0; i < set->size(); ++i) {
            const practice::Exercise& e = (*set)[i];
            QCOMPARE(e.number, int(i) + 1);
            QVERIFY(e.temperatureTenths >= ranges.temperatureTenths.low &&
                    e.temperatureTenths <= ranges.temperatureTenths.high);
            QVERIFY(e.salinity >= ranges.salinity.low && e.salinity <= ranges.salinity.high);
            QVERIFY(e.depth >= ranges.depth.low && e.depth <= ranges.depth.high);
            const auto c =
                engine::Calculation::fromTexts(e.temperature(), e.salinityText(), e.depthText());
            QCOMPARE(e.calculation.values, c.values);
            codes.insert(QString::fromStdString(e.code()));
            for (std::size_t k = 0; k < i; ++k) {
                const practice::Exercise& other = (*set)[k];
                QVERIFY2(other.depth != e.depth || std::fabs(other.calculation.point.vel -
                                                             e.calculation.point.vel) >= 1.0,
                         qPrintable(QString::fromStdString(other.code() + " " + e.code())));
            }
        }
        QCOMPARE(codes.size(), count);
        const auto prefix = practice::ExerciseSet::make(2027, count * 3 / 10, ranges, &problem);
        for (std::size_t i = 0; i < prefix->size(); ++i)
            QCOMPARE((*prefix)[i].calculation.values, (*set)[i].calculation.values);
        const practice::Exercise& last = set->back();
        const auto named = practice::ExerciseSet::byCode(last.code(), ranges, &problem);
        QVERIFY2(named, problem.c_str());
        QCOMPARE(named->calculation.values, last.calculation.values);
    }

    // Sets of no exercise, or of more than the most, are refused whoever asks.
    void setSizeRefused_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("none") << 0;
        QTest::newRow("one past the most") << practice::ExerciseSet::kMostExercises + 1;
    }
    void setSizeRefused() {
        QFETCH(int, count);
        std::string problem;
        QVERIFY(!practice::ExerciseSet::make(2027, count, {}, &problem));
        QCOMPARE(problem, std::string("il numero degli esercizi va da 1 a 10000"));
    }

    // Fields that need quoting, written in either form and read back whole.
    void csvRoundTrip_data() {
        QTest::addColumn<bool>("italian");
        QTest::newRow("standard") << false;
        QTest::newRow("italiano") << true;
    }
    void csvRoundTrip() {
        QFETCH(bool, italian);
        const auto& dialect =
            italian ? practice::CsvDialect::kItalian : practice::CsvDialect::kStandard;
        const std::vector<std::string> fields = {
            "D'Angelo, Carlo", "Rossi; Anna", "detto \"il rosso\"", "due\r\nrighe", "", "=1+1",
            "à è é ì ò ù"};
        practice::CsvWriter writer(dialect);
        for (const auto& f : fields)
            writer.text(f);
        writer.number(0.5).endRecord();
        writer.text("seconda").endRecord();
        std::string problem;
        const auto file = practice::CsvFile::read(writer.bytes(), &problem);
        QVERIFY2(file, problem.c_str());
        QCOMPARE(file->dialect.separator, dialect.separator);
        QCOMPARE(file->records.size(), std::size_t(2));
        std::vector<std::string> expected = fields;
        expected[5] = "'=1+1"; // never a formula in a spreadsheet
        expected.push_back(italian ? "0,5" : "0.5");
        QCOMPARE(file->records[0].fields, expected);
        QCOMPARE(file->records[1].line, 3); // after the quoted line break
    }

    // What a malformed file is told, with the line where its record begins.
    void csvProblems_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::newRow("quote left open") << QByteArray("a,b\r\n\"c,d\r\ne,f\r\n")
                                         << "riga 2: le virgolette aperte non si chiudono più";
        QTest::newRow("text after a closing quote")
            << QByteArray("a,b\n\"c\"x,d\n")
            << "riga 2: dopo le virgolette che chiudono un campo viene il separatore";
        QTest::newRow("quote inside a field, lines ended by CR")
            << QByteArray("a,b\rc,d\re\"f\",g\r")
            << "riga 3: virgolette nel mezzo di un campo; un campo con virgolette va scritto "
               "tutto tra virgolette, raddoppiando quelle interne";
        QTest::newRow("Latin-1 after a quoted line break")
            << QByteArray("a,b\n\"c\nd\",e\nNicol\xf2,f\n")
            << "riga 4: il testo non è in UTF-8; salvare il file come CSV UTF-8";
    }
    void csvProblems() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        std::string told;
        QVERIFY(!practice::CsvFile::read(bytes.toStdString(), &told));
        QCOMPARE(QString::fromStdString(told), problem);
    }
};

QTEST_MAIN(TestPractice)
#include "tst_practice.moc"
