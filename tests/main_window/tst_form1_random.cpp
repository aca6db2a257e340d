#include "main_window/Calculation.h"
#include "main_window/Form1.h"
#include "main_window/Report.h"
#include "platform/Timer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <random>

namespace {

constexpr int kSteps = 2000;
constexpr std::uint64_t kSeed = 20261206;

// Texts a student might type, and some no one should.
class RandomText {
  public:
    explicit RandomText(std::mt19937_64& random) : random_(random) {}

    QString next() {
        static const QStringList edges = {"500",  "15",    "-18000", "463",   "-3000", "16",
                                          "15.5", "40000", "-32735", "1e200", "1e400", "-"};
        switch (pick(9)) {
        case 0:
            return {};
        case 4:
            return edges[pick(int(edges.size()))];
        case 1:
            return QString::number(pick(120) - 20); // a plausible whole number
        case 2:
            return QString::number((pick(4000) - 2000) / 100.0, 'f', 2);
        case 3:
            return QString(1 + pick(300), QChar('0' + pick(10))); // very long numbers
        default:
            return mixed();
        }
    }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    QString mixed() {
        static const QString alphabet = QStringLiteral("0123456789+-. ,eEdDxab°çàé€中");
        QString text;
        const int length = 1 + pick(12);
        for (int i = 0; i < length; ++i)
            text += alphabet[pick(int(alphabet.size()))];
        return text;
    }

    std::mt19937_64& random_;
};

enum class Click { None, Calcolo, Grafico };

// Key presses for every character, non-ASCII ones included.
void typeInto(QLineEdit* box, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestForm1Random : public QObject {
    Q_OBJECT

  private slots:
    void randomSessionsKeepTheInvariants() {
        Form1 form;
        int reported = 0;
        form.setErrorReporter([&](const platform::RuntimeError&) { ++reported; });
        form.show();
        std::mt19937_64 random(kSeed);
        RandomText texts(random);
        QLineEdit* const boxes[] = {form.Text1, form.Text2, form.Text4};
        Click last = Click::None;
        bool failedSinceGrafico = false;
        FormVariables lastGood;
        QStringList expectedReport;
        int reports = 0, calculationErrors = 0, plots = 0, plotErrors = 0;
        for (int step = 0; step < kSteps; ++step) {
            const QString where = QStringLiteral("seed %1, step %2").arg(kSeed).arg(step);
            const int before = reported;
            const int action = std::uniform_int_distribution<int>(0, 5)(random);
            if (action <= 2) {
                QLineEdit* box = boxes[action];
                box->clear();
                const QString text = texts.next();
                typeInto(box, text);
                QVERIFY2(box->text() == text,
                         qPrintable(QStringLiteral("seed %1, step %2: typed %3")
                                        .arg(kSeed)
                                        .arg(step)
                                        .arg(text)));
                continue;
            }
            if (action == 3) {
                last = Click::Calcolo;
                QTest::mouseClick(form.Command1, Qt::LeftButton);
                expectedReport = expectedFor(form, lastGood);
                ++(expectedReport.isEmpty() ? calculationErrors : reports);
            } else if (action == 4) {
                last = Click::Grafico;
                QTest::mouseClick(form.Command2, Qt::LeftButton);
                failedSinceGrafico = reported > before;
                ++(failedSinceGrafico ? plotErrors : plots);
            } else {
                const int reportedBeforeTick = reported;
                form.Timer1->tick();
                failedSinceGrafico = failedSinceGrafico || reported > reportedBeforeTick;
            }
            QVERIFY2(reported - before <= 1, qPrintable(where + ": an error reported twice"));
            const bool plotting = last == Click::Grafico;
            for (QLabel* label : form.axisLabels)
                QVERIFY2(label->isVisible() == plotting, qPrintable(where));
            QVERIFY2(form.Timer1->isEnabled() == (plotting && !failedSinceGrafico),
                     qPrintable(where));
            const FormVariables& v = form.variables();
            QVERIFY2(v.T == lastGood.T && v.sa == lastGood.sa && v.D == lastGood.D &&
                         v.Spunto == lastGood.Spunto && v.Dpunto == lastGood.Dpunto,
                     qPrintable(where));
            if (last == Click::Calcolo)
                QVERIFY2(form.surface().lines() == expectedReport, qPrintable(where));
        }
        qInfo("%d reports, %d failed calculations, %d plots, %d failed plots", reports,
              calculationErrors, plots, plotErrors);
        QVERIFY(reports > 0 && calculationErrors > 0 && plots > 0 && plotErrors > 0);
    }

  private:
    // The report that the boxes' texts give, and the values it stores; an
    // empty report where the calculation fails.
    static QStringList expectedFor(const Form1& form, FormVariables& lastGood) {
        try {
            const Calculation c =
                Calculation::fromTexts(form.Text1->text(), form.Text2->text(), form.Text4->text());
            lastGood = c.variables;
            QStringList lines;
            for (const QString& line : report::lines(c))
                lines << (line.isEmpty() ? line : QString(report::kIndentBlanks, ' ') + line);
            return lines;
        } catch (const platform::RuntimeError&) {
            return {};
        }
    }
};

QTEST_MAIN(TestForm1Random)
#include "tst_form1_random.moc"
