#include "FormDriver.h"
#include "engine/NumberFormat.h"
#include "main_window/Picture.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// The program as a user starts it from a terminal with no display at all.
Run run(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(RAGGIO_LIMITE), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QStringList csvRows(const QString& out) {
    QStringList rows = out.split(QStringLiteral("\r\n"));
    if (rows.last().isEmpty())
        rows.removeLast();
    return rows;
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
        QTest::newRow("below the layer") << QStringList{"60", "35", "16"};
        QTest::newRow("temperature 1e400") << QStringList{"1e400", "35", "10"};
    }
    void calcoloAsTheWindow() {
        QFETCH(QStringList, texts);
        FormDriver w;
        w.calcolo(texts[0], texts[1], texts[2]);
        const Run r = run(QStringList{"calcolo"} + texts);
        if (w.errors.isEmpty()) {
            QCOMPARE(r.status, 0);
            QCOMPARE(r.out, w.report().join('\n') + '\n');
            QCOMPARE(r.err, QString());
        } else {
            QCOMPARE(r.status, 1);
            QCOMPARE(r.out, QString());
            QCOMPARE(r.err, w.errors.first() + '\n');
        }
    }

    // Each row of tabella is what calcolo gives for the inputs it prints.
    void tabellaRowsAsCalcolo() {
        const Run r = run({"tabella", "--temperatura", "60:61:0.5", "--salinita", "34.5:35.5:0.5",
                           "--quota", "14:16"});
        QCOMPARE(r.status, 0);
        const QStringList rows = csvRows(r.out);
        QCOMPARE(rows.size(), 1 + 3 * 3 * 3);
        QCOMPARE(rows[0], "temperatura,salinita,quota,velocita,raggio,coseno,teta,S,errore");
        QCOMPARE(rows[1].left(12), "60,34.5,14,4");
        QCOMPARE(rows[27].left(9), "61,35.5,1");
        for (const QString& row : rows.mid(1)) {
            const QStringList f = row.split(',');
            const Run c = run({"calcolo", f[0], f[1], f[2]});
            if (f[8].isEmpty()) {
                const QStringList lines = c.out.split('\n');
                QCOMPARE(lines[17], "teta= " + engine::formatNumber(f[6].toDouble()) + "rad.");
                QCOMPARE(lines[20], "S= " + engine::formatInteger(f[7].toInt()) + "Yd");
            } else {
                QCOMPARE(c.status, 1);
                QVERIFY2(c.err.startsWith("Errore di run-time: " + f[8] + "."), qPrintable(c.err));
            }
        }
    }

    // Inclusive ranges, the i-th value start + i x step, the end reached
    // within a rounding error.
    void ranges_data() {
        QTest::addColumn<QString>("range");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("last");
        QTest::newRow("0:1:0.1 ends at 1") << "0:1:0.1" << 11 << "1,35,10,";
        QTest::newRow("a million steps of 0.0001") << "0:99.9999:0.0001" << 1000000 << "99.9999,";
        QTest::newRow("downwards, negative") << "-1:-3" << 3 << "-3,35,10,";
    }
    void ranges() {
        QFETCH(QString, range);
        QFETCH(int, rows);
        QFETCH(QString, last);
        const Run r = run({"tabella", "--temperatura", range, "--salinita", "35", "--quota", "10"});
        QCOMPARE(r.status, 0);
        const QStringList lines = csvRows(r.out);
        QCOMPARE(lines.size(), rows + 1);
        QVERIFY2(lines.last().startsWith(last), qPrintable(lines.last()));
    }

    // Status 2, nothing on standard output, one line on standard error that
    // points to --help.
    void usageErrors_data() {
        QTest::addColumn<QString>("arguments");
        const char* rest = " --salinita 35 --quota 10";
        QTest::newRow("zero step") << QString("tabella --temperatura 0:1:0") + rest;
        QTest::newRow("step of the wrong sign") << QString("tabella --temperatura 0:1:-0.5") + rest;
        QTest::newRow("malformed range") << QString("tabella --temperatura 0:1:2:3") + rest;
        QTest::newRow("more than 10 million rows")
            << "tabella --temperatura 0:9999999 --salinita 35:36 --quota 10";
        QTest::newRow("missing range") << "tabella --temperatura 1";
        QTest::newRow("unknown subcommand") << "calcola 1 2 3";
        QTest::newRow("unknown option") << "calcolo --presto 1 2 3";
        QTest::newRow("two values") << "calcolo 60 35";
        QTest::newRow("grafico without a file") << "grafico 60 35 10";
    }
    void usageErrors() {
        QFETCH(QString, arguments);
        const Run r = run(arguments.split(' '));
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.err.endsWith("Vedere raggio-limite --help.\n"), qPrintable(r.err));
    }

    void help() {
        const Run r = run({"--help"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.count("Esempio: raggio-limite "), 3);
        QCOMPARE(run({"--version"}).out, "raggio-limite 1.0.0\n");
    }

    // The PNG is the window's picture after the same clicks, the labels
    // included; a PDF is written too; a failed write leaves no file.
    void grafico() {
        QTemporaryDir dir;
        const QString png = dir.filePath("raggio.png");
        QCOMPARE(run({"grafico", "60", "35", "10", "-o", png}).status, 0);
        FormDriver w;
        w.calcolo("60", "35", "10");
        w.grafico();
        QCOMPARE(w.pixelsUnlikeTheWindow(QImage(png)), 0);
        QCOMPARE(run({"grafico", "60", "35", "10", "-o", png, "--scala", "2"}).status, 0);
        QCOMPARE(QImage(png).size(), QSize(2002, 1362));

        const QString pdf = dir.filePath("raggio.pdf");
        QCOMPARE(run({"grafico", "60", "35", "10", "-o", pdf}).status, 0);
        QVERIFY(QFile(pdf).size() > 1000);

        const Run failed = run({"grafico", "60", "35", "10", "-o", dir.filePath("no/raggio.png")});
        QCOMPARE(failed.status, 1);
        QVERIFY(failed.err.startsWith("Impossibile scrivere il file"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
