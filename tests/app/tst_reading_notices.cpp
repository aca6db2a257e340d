#include "engine/Numeric.h"
#include "engine/RuntimeError.h"

#include "ExpectedText.h"
#include "FormDriver.h"
#include "Locale.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <cmath>
#include <cstdlib>

namespace {

// The reading rule as the README gives it, written apart from the engine's:
// blanks (spaces and tabs) before and after the number aside, a box is read
// up to the first character that is not part of a number; "." is the
// decimal point, an exponent is written 1e3, a box with no number counts as
// 0 and a decimal comma ends the number. A long text is quoted by its first
// 24 bytes, never half a letter, and "…".
struct Reading {
    QString read;   // the number's text as read, "0" for none
    QString notice; // empty when the whole text is read
};

QString quoted(const QString& text) {
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > 24) {
        bytes.truncate(24);
        while (!QString::fromUtf8(bytes).toUtf8().startsWith(bytes)) // half a letter at the end
            bytes.chop(1);
        return "«" + QString::fromUtf8(bytes) + "…»";
    }
    return "«" + text + "»";
}

Reading byTheRule(const QString& text) {
    static const QRegularExpression number(
        R"(^[ \t]*([+-]?(?:[0-9]+(?:\.[0-9]*)?|\.[0-9]+)(?:[eE][+-]?[0-9]+)?)(.*)$)",
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression blanks(QStringLiteral("^[ \t]*$"));
    const QRegularExpressionMatch m = number.match(text);
    const QString rest = m.hasMatch() ? m.captured(2) : text;
    if (m.hasMatch() && blanks.match(rest).hasMatch())
        return {m.captured(1), {}};
    const QString why = !m.hasMatch() && blanks.match(text).hasMatch() ? "la casella è vuota"
                        : !m.hasMatch()                                ? "non è un numero"
                        : rest.startsWith(',') ? "il separatore decimale è il punto"
                                               : "il resto non fa parte del numero";
    const QString read = m.hasMatch() ? m.captured(1) : "0";
    return {read, quoted(text) + " letto come " + read + ": " + why + "."};
}

// Box texts of every kind: blanks, tabs and no-break spaces around signs,
// commas and exponents whole and cut; empty and blank boxes; long texts
// with accented letters where the quote is cut.
QStringList boxTexts() {
    const QStringList cores{"60",  "-60.5", "+.5",   "5.",  "60,5", "-0,5", "1e",
                            "1e+", "1e-3",  "2E+2",  ".e5", "5.e3", "-",    "abc",
                            "",    "1e400", "1.2.3", "−3",  ",5",   "60°F", "60 5"};
    QStringList texts;
    for (const char* before : {"", " \t", "\u00a0"})
        for (const QString& core : cores)
            for (const char* after : {"", "\t", " ", "\u00a0"})
                texts << before + core + after;
    for (int letters = 16; letters <= 24; ++letters)
        texts << "60" + QString(letters, 'x') + "àèìòù" << QString(letters, ' ') + "é60"
              << "60" + QString(letters, ' ');
    texts.removeDuplicates();
    return texts;
}

// How each face names a box before its notice.
const QStringList kBoxNames{"Temperatura (°F)", "Salinità (pt x 1000)", "Quota di calc. (ft)"};
const char* const kBoxes[] = {"Text1", "Text2", "Text4"};

} // namespace

class TestReadingNotices : public QObject {
    Q_OBJECT

    const QStringList texts = boxTexts();

  private slots:
    void initTestCase() { QVERIFY2(test_locale::asAsked(), test_locale::kMissing); }

    // The table as the rule reads it, for the page's test to check the page
    // against: every text and its notice, a JSON array a line.
    void table() {
        QByteArray rows;
        for (const QString& text : texts)
            rows += QJsonDocument(QJsonArray{text, byTheRule(text).notice})
                        .toJson(QJsonDocument::Compact) +
                    '\n';
        QVERIFY(expected_text::matches("reading-notices", rows.toStdString()));
    }

    // The engine reads each text's value and tells its notice by the rule.
    void engine() {
        for (const QString& text : texts) {
            const Reading want = byTheRule(text);
            const std::string bytes = text.toStdString();
            QCOMPARE(QString::fromStdString(engine::readingNotice(bytes)), want.notice);
            const double value = std::strtod(want.read.toLatin1().constData(), nullptr);
            try {
                QCOMPARE(engine::Val(bytes), value);
                QVERIFY(std::isfinite(value));
            } catch (const engine::RuntimeError&) {
                QVERIFY2(std::isinf(value), qPrintable(text));
            }
        }
    }

    // The command line says each box's notice on standard error, named, in
    // the boxes' order.
    void commandLine() {
        for (qsizetype i = 0; i < texts.size(); i += 3) {
            QStringList given = texts.mid(i, 3);
            while (given.size() < 3)
                given << "0";
            QStringList want;
            for (int box = 0; box < 3; ++box)
                if (const QString notice = byTheRule(given[box]).notice; !notice.isEmpty())
                    want << "raggio-limite: avviso: " + kBoxNames[box] + ": " + notice;
            QProcess program;
            program.start(RAGGIO_LIMITE, QStringList{"calcolo", "--"} + given);
            QVERIFY(program.waitForFinished(30000));
            const QStringList told = QString::fromUtf8(program.readAllStandardError())
                                         .split('\n')
                                         .filter(QRegularExpression("^raggio-limite: avviso: "));
            QCOMPARE(told, want);
        }
    }

    // The window: the notice as the box's tooltip and accessible
    // description; without one, no tooltip and the design's description.
    void window() {
        FormDriver window;
        for (int box = 0; box < 3; ++box) {
            auto* edit = window.control<QLineEdit>(kBoxes[box]);
            edit->setText("60");
            const QString design = edit->accessibleDescription();
            QVERIFY(!design.isEmpty());
            for (const QString& text : texts) {
                edit->setText(text);
                const QString notice = byTheRule(text).notice;
                QCOMPARE(edit->toolTip(), notice);
                QCOMPARE(edit->accessibleDescription(), notice.isEmpty() ? design : notice);
            }
        }
    }
};

QTEST_MAIN(TestReadingNotices)
#include "tst_reading_notices.moc"
