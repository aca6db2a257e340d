#include "EngineText.h"
#include "FormDriver.h"
#include "PdfPages.h"
#include "engine/NumberFormat.h"
#include "table/Range.h"

#include <QFile>

using pdf_pages::Ink;

namespace {

struct Run {
    int status = -1;
    QString out, err;
};

// The program as a user starts it from a terminal with no display at all,
// standard output to a pipe or, with a file, there (/dev/full: a full disk).
Run run(const QStringList& arguments, const QString& outputFile = {}, const QString& display = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY"})
        environment.remove(name);
    if (!display.isEmpty())
        environment.insert("DISPLAY", display);
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(RAGGIO_LIMITE), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

  private slots:
    // calcolo prints what "Calcolo" prints on the window, or its message.
    void calcoloAsTheWindow_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("worked example") << QStringList{"60", "35", "10"};
        QTest::newRow("empty values") << QStringList{"", "", ""};
        QTest::newRow("decimal comma, negative depth") << QStringList{"60,5", "35", "-3"};
        QTest::newRow("-.5 is a value, not an option") << QStringList{"-.5", "35", "10"};
        QTest::newRow("below the layer") << QStringList{"60", "35", "16"};
        QTest::newRow("temperature 1e400") << QStringList{"1e400", "35", "10"};
    }
    void calcoloAsTheWindow() {
        QFETCH(QStringList, texts);
        FormDriver w;
        w.calcolo(texts[0], texts[1], texts[2]);
        const Run r = run(QStringList{"calcolo"} + texts);
        const bool failed = !w.errors.isEmpty();
        QCOMPARE(r.status, failed ? 1 : 0);
        QCOMPARE(r.out, failed ? QString() : w.report().join('\n') + '\n');
        QCOMPARE(r.err, failed ? w.errors.first() + '\n' : QString());
    }

    // Each row of tabella is what calcolo gives for the inputs it prints, in
    // the documented order: temperature slowest, then salinity, then depth.
    void tabellaRowsAsCalcolo() {
        const Run r = run(
            {"tabella", "--temperatura", "60:61:0.5", "--salinità", "34:36", "--quota", "14:16"});
        const QStringList rows = r.out.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 1 + 3 * 3 * 3);
        QCOMPARE(rows[0], "temperatura,salinita,quota,velocita,raggio,coseno,teta,S,errore");
        int i = 1;
        for (const char* t : {"60", "60.5", "61"})
            for (const char* s : {"34", "35", "36"})
                for (const char* q : {"14", "15", "16"}) {
                    const QStringList f = rows[i++].split(',');
                    QCOMPARE(f.mid(0, 3), QStringList({t, s, q}));
                    const Run c = run({"calcolo", t, s, q});
                    QCOMPARE(c.status, f[8].isEmpty() ? 0 : 1);
                    const QString teta = "\nteta= " + qText(engine::formatNumber(f[6].toDouble())),
                                  S = "\nS= " + qText(engine::formatInteger(f[7].toInt()));
                    QVERIFY2(f[8].isEmpty()
                                 ? c.out.contains(teta + "rad.\n") && c.out.contains(S + "Yd\n")
                                 : c.err.startsWith("Errore di run-time: " + f[8] + "."),
                             qPrintable(c.out + c.err));
                }
    }

    // The same rows as aligned columns: blanks, no commas.
    void tabellaAsText() {
        const Run r = run({"tabella", "--temperatura", "60", "--salinita", "35", "--quota", "10",
                           "--formato", "testo"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.split('\n').value(1),
                 "          60         35       10     4928.573      "
                 "270800.71   0.999981536237771   0.0060768115     548 ");
    }

    // The i-th value is start + i x step; an end within a rounding error of a
    // whole number of steps is reached, also ten million steps away.
    void ranges_data() {
        QTest::addColumn<QString>("range");
        QTest::addColumn<QList<double>>("expected"); // count, the eighth value, the last
        QTest::newRow("0:1:0.1 ends at 1") << "0:1:0.1" << QList<double>{11, 0.8, 1.0};
        QTest::newRow("a million steps of 0.0001")
            << "0:99.9999:0.0001" << QList<double>{1e6, 0.0008, 99.9999};
        QTest::newRow("downwards, negative") << "-1:-10" << QList<double>{10, -9.0, -10.0};
        QTest::newRow("ten million steps")
            << "-3.3:-2.3000001:0.0000001" << QList<double>{1e7, -3.3 + 8 * 1e-7, -2.3000001};
    }
    void ranges() {
        QFETCH(QString, range);
        QFETCH(QList<double>, expected);
        std::string problem;
        const auto r = table::Range::parse(range.toStdString(), &problem);
        QVERIFY2(r, problem.c_str());
        QCOMPARE((QList<double>{double(r->count()), r->at(8), r->at(r->count() - 1)}), expected);
    }

    // Exit status 1 for a failed calculation or write, with one Italian line
    // on standard error; 2 for a usage mistake, with nothing on standard
    // output and one line that points to --help.
    void failures_data() {
        QTest::addColumn<QStringList>("fields"); // status, full disk, told, arguments
        QFile cases(QFINDTESTDATA("failures.txt"));
        QVERIFY(cases.open(QIODevice::ReadOnly | QIODevice::Text));
        for (const QString& line : QString(cases.readAll()).split('\n', Qt::SkipEmptyParts))
            if (!line.startsWith('#'))
                QTest::newRow(qPrintable(line.section('\t', 0, 0))) << line.split('\t').mid(1);
    }
    void failures() {
        QFETCH(QStringList, fields);
        QCOMPARE(fields.size(), 4);
        const int status = fields[0].toInt();
        const bool fullDisk = fields[1] == "pieno";
        const QString& told = fields[2];
        QTemporaryDir dir;
        QString arguments = fields[3];
        arguments.replace("REST", "--salinita 35 --quota 10").replace("FILE", dir.filePath("f"));
        const QStringList given = arguments.split(' ', Qt::SkipEmptyParts);
        const Run r = run(given, fullDisk ? "/dev/full" : "", fields[1].section("DISPLAY=", 1));
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.contains(told), qPrintable(r.err));
        QVERIFY(fullDisk || QDir(dir.path()).isEmpty()); // no file, not even half of one
        if (status == 2 || given.isEmpty()) {
            QCOMPARE(r.err.count('\n'), 1);
            QVERIFY2(
                r.err.endsWith(given.isEmpty() ? "--help).\n" : "Vedere raggio-limite --help.\n"),
                qPrintable(r.err));
        }
    }

    // A reader that stops early ends the table quietly.
    void closedPipeIsQuiet() {
        QProcess shell;
        shell.start("/bin/sh", {"-c", QString(RAGGIO_LIMITE) + " tabella --temperatura 0:9999 "
                                                               "--salinita 30:40 --quota 0:15 | "
                                                               "head -n 2"});
        QVERIFY(shell.waitForFinished(60000));
        QCOMPARE(shell.readAllStandardOutput().count('\n'), 2);
        QCOMPARE(QString(shell.readAllStandardError()), QString());
    }

    // The PNG is the window's picture after the same clicks, the labels included.
    void grafico() {
        QTemporaryDir dir;
        const QString png = dir.filePath("raggio.png");
        const Run done = run({"grafico", "60", "35", "10", "-o", png});
        QCOMPARE(done.status, 0);
        QCOMPARE(done.out, png + '\n');
        FormDriver w;
        w.calcolo("60", "35", "10");
        w.grafico();
        QCOMPARE(w.pixelsUnlikeTheWindow(QImage(png)), 0);
        QCOMPARE(run({"grafico", "60", "35", "10", "-o", png, "--scala", "2"}).status, 0);
        QCOMPARE(QImage(png).size(), QSize(2002, 1362));

        // The PDF, named in any case, has the blue point where the window has it.
        const QString pdf = dir.filePath("RAGGIO.PDF");
        QCOMPARE(run({"grafico", "60", "35", "10", "-o", pdf}).status, 0);
        const double apart =
            pdf_pages::inkApart(pdf_pages::page(pdf, 1, 96), w.form.surface().image(), Ink::Blue);
        QVERIFY(apart >= 0.0 && apart <= 1.0);
    }

    // scheda writes the very page that the window's menu exports.
    void schedaAsTheWindow() {
        QTemporaryDir dir;
        const QString fromCommandLine = dir.filePath("scheda.pdf");
        QCOMPARE(run({"scheda", "60,5", "35.5", "-2", "-o", fromCommandLine}).status, 0);
        FormDriver w;
        w.calcolo("60,5", "35.5", "-2");
        w.grafico();
        const QString fromWindow = dir.filePath("finestra.pdf");
        QString problem;
        QVERIFY2(w.typed.saveSheet(fromWindow, &problem), qPrintable(problem));
        const QImage page = pdf_pages::page(fromCommandLine, 1, 72);
        QVERIFY(!page.isNull());
        QCOMPARE(page, pdf_pages::page(fromWindow, 1, 72));
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
