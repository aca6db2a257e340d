#include "Expected.h"
#include "Locale.h"
#include "PdfPages.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QTest>

namespace {

// Set, the cases' expected files are written anew from what the program gives.
const bool kUpdating = qEnvironmentVariableIsSet("RAGGIO_UPDATE_EXPECTED");
constexpr qsizetype kWhole = 16 * 1024; // a longer standard output is summed up
constexpr int kPageDotsPerInch = 96;    // a picture's PDF page: a page pixel a window pixel

// The cases' shell has the program on its PATH and as_nobody, which runs a
// command as a user without root's rights (as oneself, when not root).
const QString kPrelude = QStringLiteral(
    "as_nobody() { if [ \"$(id -u)\" = 0 ]; then setpriv --reuid=nobody --regid=nogroup "
    "--clear-groups -- \"$@\"; else \"$@\"; fi; }\n");

// A text as its expected file keeps it: whole, or past kWhole its counts,
// its digest and its first and last lines.
QByteArray toldText(const QByteArray& title, const QByteArray& out) {
    if (out.size() <= kWhole)
        return title + "\n" + out +
               (out.isEmpty() || out.endsWith('\n') ? "" : "\n(no end of line)\n");
    const QList<QByteArray> lines = out.chopped(out.endsWith('\n')).split('\n');
    return title +
           QStringLiteral(": %1 lines, %2 bytes, SHA-256 %3; the first 2 and the last 3:\n")
               .arg(out.count('\n'))
               .arg(out.size())
               .arg(QCryptographicHash::hash(out, QCryptographicHash::Sha256).toHex())
               .toUtf8() +
           (lines.mid(0, 2) + QList<QByteArray>{"..."} + lines.mid(lines.size() - 3)).join('\n') +
           "\n";
}

// Open to every user, as_nobody too, as a folder made with mkdir is.
bool openToAll(const QString& folder) {
    return QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ReadOther |
                                             QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
}

// The program copied where every user may run it: the build may lie in a
// home that others cannot enter.
QString programFolder() {
    static QTemporaryDir folder;
    static const bool copied =
        QFile::copy(RAGGIO_LIMITE, folder.filePath("raggio-limite")) && openToAll(folder.path());
    return copied ? folder.path() : QString();
}

// The command as a user types it in an empty folder, without a display.
QByteArray run(const QString& command, const QString& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY"})
        environment.remove(name);
    environment.insert("PATH", programFolder() + ':' + environment.value("PATH"));
    // The test's own locale (CTest runs it in C and in Italian), or C.
    environment.insert("LC_ALL", qEnvironmentVariable("LC_ALL", "C.UTF-8"));
    environment.insert("DATA", DATA_DIR); // the cases' input files, tests/app/data
    QProcess shell;
    shell.setProcessEnvironment(environment);
    shell.setWorkingDirectory(folder);
    shell.start("/bin/sh", {"-c", kPrelude + command});
    const bool ended = shell.waitForFinished(60000) && shell.exitStatus() == QProcess::NormalExit;
    return "exit status " + (ended ? QByteArray::number(shell.exitCode()) : "none") + "\n" +
           toldText("--- standard output", shell.readAllStandardOutput()) + "--- standard error\n" +
           shell.readAllStandardError();
}

// A file as its reader sees it (a text file whole), and its picture (a
// PDF's first page) to compare pixel for pixel.
QByteArray told(const QString& path, QImage* picture) {
    if (path.endsWith(".html", Qt::CaseInsensitive)) {
        QFile page(path), built(RAGGIO_LIMITE_BUILT_PAGE);
        const bool same = page.open(QIODevice::ReadOnly) && built.open(QIODevice::ReadOnly) &&
                          page.readAll() == built.readAll();
        return same ? "the page for the browser, byte for byte\n"
                    : "not the page for the browser\n";
    }
    if (QRegularExpression(QStringLiteral("\\.(csv|xml|txt)$"),
                           QRegularExpression::CaseInsensitiveOption)
            .match(path)
            .hasMatch()) {
        QFile text(path);
        return text.open(QIODevice::ReadOnly) ? toldText("text:", text.readAll()) : "unreadable\n";
    }
    if (path.endsWith(".pdf", Qt::CaseInsensitive)) {
        *picture = pdf_pages::page(path, 1, kPageDotsPerInch);
        return (pdf_pages::facts(path) + "text:\n" + pdf_pages::text(path)).toUtf8();
    }
    *picture = QImage(path, "PNG");
    return picture->isNull() ? QByteArray::number(QFileInfo(path).size()) + " bytes\n"
                             : QStringLiteral("picture of %1 x %2 pixels\n")
                                   .arg(picture->width())
                                   .arg(picture->height())
                                   .toUtf8();
}

// Every file the case left, sorted, and their pictures.
QByteArray filesLeft(const QDir& folder, QList<QImage>* pictures) {
    QStringList names;
    for (QDirIterator it(folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();)
        names << folder.relativeFilePath(it.next());
    names.sort();
    QByteArray text;
    for (const QString& name : names) {
        QImage picture;
        text += "--- file " + name.toUtf8() + "\n" + told(folder.filePath(name), &picture);
        if (!picture.isNull())
            *pictures << picture;
    }
    return text;
}

// Where a case's actual output goes: over the expected file when updating,
// else beside the test, to look at.
QString destination(const QString& expectedPath) {
    if (kUpdating)
        return expectedPath;
    const QString folder = QCoreApplication::applicationDirPath() + "/actual/";
    QDir().mkpath(folder);
    return folder + QFileInfo(expectedPath).fileName();
}

void compareText(const QString& path, const QByteArray& expected, const QByteArray& actual) {
    if (expected == actual)
        return;
    QFile saved(destination(path));
    QVERIFY(saved.open(QIODevice::WriteOnly) && saved.write(actual) == actual.size() &&
            saved.flush());
    if (kUpdating)
        return;
    QProcess diff;
    diff.start("diff", {"-u", path, saved.fileName()});
    diff.waitForFinished();
    QFAIL(diff.readAllStandardOutput().left(8000).constData());
}

// The picture, pixel for pixel the expected one; none, no expected one.
void comparePicture(const QString& name, const QImage& picture) {
    const QString path = expected::path(name + ".png");
    if (picture.isNull() && kUpdating)
        QFile::remove(path);
    QVERIFY2(!picture.isNull() || !QFile::exists(path), qPrintable("no picture for " + path));
    const int unlike = picture.isNull() ? 0 : expected::pixelsUnlike(picture, name);
    if (unlike == 0)
        return;
    const QString saved = destination(path);
    QVERIFY(picture.save(saved, "PNG", 0)); // the smallest file
    if (!kUpdating)
        QFAIL(qPrintable(QStringLiteral("%1 pixels unlike %2 (-1: another size), see %3")
                             .arg(unlike)
                             .arg(path, saved)));
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY2(test_locale::asAsked(), test_locale::kMissing); }

    // Each file of tests/app/expected/ is a case: its first line the command
    // after "$ ", then the exit status, standard output and standard error,
    // and every file the command left in its empty folder.
    void cases_data() {
        QTest::addColumn<QString>("path");
        for (const QFileInfo& file : QDir(EXPECTED_DIR).entryInfoList({"*.txt"}, QDir::Files))
            QTest::newRow(qPrintable(file.completeBaseName())) << file.filePath();
    }
    void cases() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly) && !programFolder().isEmpty());
        const QByteArray expected = file.readAll();
        const QByteArray command = expected.left(expected.indexOf('\n') + 1);
        QVERIFY(command.startsWith("$ "));
        // The page comes from script/web, which script/test runs first.
        if (command.contains(" pagina -o ") && !QFile::exists(RAGGIO_LIMITE_BUILT_PAGE) &&
            !qEnvironmentVariableIsSet("RAGGIO_WEB_REQUIRED"))
            QSKIP("no page for the browser: script/web builds it");
        QTemporaryDir folder;
        QVERIFY(openToAll(folder.path()));
        QByteArray actual = command + run(QString::fromUtf8(command.mid(2)), folder.path());
        QList<QImage> pictures;
        actual += filesLeft(QDir(folder.path()), &pictures);
        // Text as typed: no ligature (U+FB00 to U+FB06) in a PDF's text.
        QVERIFY(!QString::fromUtf8(actual).contains(QRegularExpression("[\\x{FB00}-\\x{FB06}]")));
        compareText(path, expected, actual);
        // The first file's picture is the case's, each next one's numbered;
        // one more name than there are pictures must have no picture.
        const QString name = QFileInfo(path).completeBaseName();
        for (qsizetype i = 0; i <= pictures.size(); ++i)
            comparePicture(i == 0 ? name : QStringLiteral("%1-%2").arg(name).arg(i + 1),
                           pictures.value(i));
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
